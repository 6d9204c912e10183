#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QTimer;
class RecorderSlot;

namespace tesk {
class VideoRecorder;
}

/// One MP4 recording at a time: makes the recorder, starts it with the camera's picture size and
/// frame rate, publishes it to the frame callback, pauses, resumes and stops it. A recorder that
/// stops by itself (the disk is full, the file cannot be written) is noticed and reported.
class VideoRecording final : public QObject
{
    Q_OBJECT

public:
    /// Makes the recorder; tests put a double in its place.
    using RecorderFactory = std::function<tesk::VideoRecorder*()>;

    explicit VideoRecording(RecorderSlot& slot, QObject* parent = nullptr);
    ~VideoRecording() override;

    /// Resumes a paused recording (the path is then not looked at); otherwise stops any
    /// recording and starts a new one into `filePath`. On failure `error` says why.
    bool start(const QString& filePath, const QSize& frameSize, double frameRate, QString& error);
    /// Stops and deletes the recorder; harmless when there is none.
    void stop();
    void pause(bool enable);

    bool hasRecorder() const { return m_recorder != nullptr; }
    bool isRecording() const;
    bool isPaused() const;
    QString filePath() const { return m_filePath; }

    static void setRecorderFactory(RecorderFactory factory);

    /// How often a running recorder is checked for having stopped by itself.
    static constexpr int WatchIntervalMs = 500;

signals:
    /// The recorder stopped without being asked; the recording has been closed.
    void stoppedByItself(const QString& filePath);

private:
    void checkStillRunning();

    RecorderSlot& m_slot;
    std::unique_ptr<tesk::VideoRecorder> m_recorder;
    QString m_filePath;
    QTimer* m_watch = nullptr;
};
