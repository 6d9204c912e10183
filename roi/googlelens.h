#pragma once

#include "imagesearchconfig.h"

#include <QImage>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QTemporaryFile;
class QTimer;

/// Hands a picture to a web image search: writes it to a temporary PNG, has the upload tool
/// `coscli` (in the application's tools folder) copy it into the storage bucket, and then
/// opens the search page for the picture's public URL in the desktop's browser.
/// One upload at a time; started() and finished() bracket every upload that was begun.
class GoogleLens final : public QObject
{
    Q_OBJECT

public:
    explicit GoogleLens(QObject* parent = nullptr);
    ~GoogleLens() override;

    /// Starts an upload and returns while the tool runs. Problems come as errorOccur().
    void search(const QImage& image);
    bool isRunning() const { return m_process != nullptr; }

    /// The folder holding the tool and imagesearch.ini: `<application dir>/tools` unless a
    /// test put another one here (an empty text restores the default).
    static QString toolsFolder();
    static void setToolsFolder(const QString& folder);
    /// The tool's program path inside the tools folder.
    static QString toolPath();
    static QString configPath();
    /// How long search() waits for the tool to start (30 s).
    static void setStartTimeout(int milliseconds);
    /// How long an upload may take before the tool is stopped (120 s).
    static void setRunTimeLimit(int milliseconds);
    using UrlOpener = std::function<bool(const QUrl& url)>;
    /// Tests put their own opener here; an empty one restores the desktop's.
    static void setUrlOpener(UrlOpener opener);

signals:
    void started();
    void finished();
    void errorOccur(const QString& message);

private slots:
    void readStandardOutput();
    void readStandardError();
    void processFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    bool writeTemporaryPicture(const QImage& image);
    void stopOverdueTool();
    void release();

    std::unique_ptr<QTemporaryFile> m_file;
    QString m_key;
    QProcess* m_process = nullptr;
    QTimer* m_runTimer;
    ImageSearchConfig m_config;
};
