#include "videorecording.h"

#include "app/recorderslot.h"

#include <tesk/errors.h>
#include <tesk/videorecorder.h>

#include <QDebug>
#include <QTimer>

namespace {

// What the recorder is started with besides the picture size and frame rate.
constexpr int kBitRate = 2000000;
constexpr int kAudioChannels = 2;
constexpr long kAudioSampleRate = 44100;
constexpr int kAudioSampleBits = 16;
constexpr int kQuality = 1;
constexpr int kMp4Recorder = 0;

VideoRecording::RecorderFactory& recorderFactory()
{
    static VideoRecording::RecorderFactory factory;
    return factory;
}

} // namespace

VideoRecording::VideoRecording(RecorderSlot& slot, QObject* parent)
    : QObject(parent), m_slot(slot), m_watch(new QTimer(this))
{
    m_watch->setInterval(WatchIntervalMs);
    connect(m_watch, &QTimer::timeout, this, &VideoRecording::checkStillRunning);
}

VideoRecording::~VideoRecording()
{
    stop();
}

void VideoRecording::setRecorderFactory(RecorderFactory factory)
{
    recorderFactory() = std::move(factory);
}

bool VideoRecording::start(const QString& filePath, const QSize& frameSize, double frameRate, QString& error)
{
    if (m_recorder && m_recorder->isPaused()) {
        m_recorder->pause(false);
        return true;
    }
    if (filePath.isEmpty()) {
        error = tr("File path is empty");
        return false;
    }
    stop();
    const RecorderFactory& factory = recorderFactory();
    m_recorder.reset(factory ? factory() : tesk::VideoRecorderFactory::getInstance(kMp4Recorder));
    if (!m_recorder) {
        error = tr("Unsupport format");
        return false;
    }
    const int result = m_recorder->start(filePath.toStdString(), frameSize.width(), frameSize.height(), frameRate,
                                         kBitRate, kAudioChannels, kAudioSampleRate, kAudioSampleBits, kQuality);
    if (result != tesk::Ok) {
        qWarning().noquote() << QStringLiteral("Recording to %1 could not start (error %2)").arg(filePath).arg(result);
        error = tr("Failed to init recorder");
        return false;
    }
    m_filePath = filePath;
    m_slot.publish(m_recorder.get());
    m_watch->start();
    qInfo().noquote() << QStringLiteral("Recording %1x%2 at %3 fps to %4")
                             .arg(frameSize.width())
                             .arg(frameSize.height())
                             .arg(frameRate, 0, 'f', 1)
                             .arg(filePath);
    return true;
}

void VideoRecording::stop()
{
    m_watch->stop();
    // Withdrawn first: once this returns, no frame is being fed to the recorder.
    m_slot.withdraw();
    if (!m_recorder) {
        return;
    }
    m_recorder->pause(false);
    m_recorder->stop();
    m_recorder.reset();
    if (!m_filePath.isEmpty()) {
        qInfo().noquote() << QStringLiteral("Recording to %1 stopped").arg(m_filePath);
    }
    m_filePath.clear();
}

void VideoRecording::pause(bool enable)
{
    if (m_recorder) {
        m_recorder->pause(enable);
    }
}

bool VideoRecording::isRecording() const
{
    return m_recorder && m_recorder->isStarted();
}

bool VideoRecording::isPaused() const
{
    return m_recorder && m_recorder->isPaused();
}

void VideoRecording::checkStillRunning()
{
    if (!m_recorder || m_recorder->isStarted()) {
        return;
    }
    const QString path = m_filePath;
    qWarning().noquote() << QStringLiteral("Recording to %1 ended by itself").arg(path);
    stop();
    emit stoppedByItself(path);
}
