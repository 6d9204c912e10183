#include "googlelens.h"

#include "imagesearch.h"

#include "app/clock.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QTemporaryFile>
#include <QTimer>

namespace {

struct Seams
{
    QString toolsFolder;
    int startTimeout = 30000;
    int runTimeLimit = 120000;
    GoogleLens::UrlOpener opener;
};

Seams& seams()
{
    static Seams s;
    return s;
}

QString trimmedOutput(const QByteArray& bytes)
{
    QString text = QString::fromLocal8Bit(bytes);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    return text;
}

} // namespace

GoogleLens::GoogleLens(QObject* parent) : QObject(parent), m_runTimer(new QTimer(this))
{
    m_runTimer->setSingleShot(true);
    connect(m_runTimer, &QTimer::timeout, this, &GoogleLens::stopOverdueTool);
}

GoogleLens::~GoogleLens()
{
    if (m_process) {
        // The dialog is going away mid-upload: stop the tool without reporting anything.
        qInfo() << "image search: upload stopped, its window was closed";
        disconnect(m_process, nullptr, this, nullptr);
        m_process->kill();
        m_process->waitForFinished(3000);
        delete m_process;
        m_process = nullptr;
    }
}

QString GoogleLens::toolsFolder()
{
    const QString& folder = seams().toolsFolder;
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/tools") : folder;
}

void GoogleLens::setToolsFolder(const QString& folder)
{
    seams().toolsFolder = folder;
}

QString GoogleLens::toolPath()
{
#ifdef Q_OS_WIN
    return toolsFolder() + QStringLiteral("/coscli.exe");
#else
    return toolsFolder() + QStringLiteral("/coscli");
#endif
}

QString GoogleLens::configPath()
{
    return toolsFolder() + QStringLiteral("/imagesearch.ini");
}

void GoogleLens::setStartTimeout(int milliseconds)
{
    seams().startTimeout = milliseconds;
}

void GoogleLens::setRunTimeLimit(int milliseconds)
{
    seams().runTimeLimit = milliseconds;
}

void GoogleLens::setUrlOpener(UrlOpener opener)
{
    seams().opener = std::move(opener);
}

void GoogleLens::search(const QImage& image)
{
    if (m_process) {
        emit errorOccur(tr("An image search is already running. Wait until it has finished."));
        return;
    }
    if (image.isNull()) {
        emit errorOccur(tr("Image is null"));
        return;
    }
    QString problem;
    m_config = ImageSearchConfig::read(configPath(), &problem);
    if (!m_config.isComplete()) {
        qWarning().noquote() << "image search: not configured:" << problem;
        emit errorOccur(tr("Image search is not configured") + QStringLiteral("\n\n") + problem);
        return;
    }
    if (!writeTemporaryPicture(image)) {
        return;
    }

    m_process = new QProcess(this);
    m_process->setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    m_process->setWorkingDirectory(toolsFolder());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &GoogleLens::readStandardOutput);
    connect(m_process, &QProcess::readyReadStandardError, this, &GoogleLens::readStandardError);
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, &GoogleLens::processFinished);

    m_key = imagesearch::objectKey(Clock::now());
    qInfo().noquote() << "image search: uploading" << QDir::toNativeSeparators(m_file->fileName()) << "to"
                      << imagesearch::destination(m_config, m_key);
    emit started();
    m_process->start(toolPath(), imagesearch::uploadArguments(m_config, m_file->fileName(), m_key),
                     QIODevice::ReadWrite);
    if (!m_process->waitForStarted(seams().startTimeout)) {
        qWarning().noquote() << "image search: cannot start" << QDir::toNativeSeparators(toolPath()) << "-"
                             << m_process->errorString();
        disconnect(m_process, nullptr, this, nullptr);
        m_process->kill();
        m_process->waitForFinished(1000);
        release();
        emit errorOccur(tr("Failed to start process"));
        emit finished();
        return;
    }
    // The tool reads nothing; a closed input keeps it from waiting for any.
    m_process->closeWriteChannel();
    m_runTimer->start(seams().runTimeLimit);
}

bool GoogleLens::writeTemporaryPicture(const QImage& image)
{
    m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/pic_XXXXXX.png"));
    m_file->setAutoRemove(true);
    if (!m_file->open()) {
        qWarning().noquote() << "image search: no temporary file -" << m_file->errorString();
        m_file.reset();
        emit errorOccur(tr("Failed to create temporary file"));
        return false;
    }
    // The tool opens the file by name: all of it must be on disk, and the file closed, first.
    const bool written = image.save(m_file.get(), "PNG") && m_file->flush();
    m_file->close();
    if (!written || m_file->error() != QFileDevice::NoError) {
        qWarning().noquote() << "image search: cannot write" << m_file->fileName() << "-" << m_file->errorString();
        m_file.reset();
        emit errorOccur(tr("Failed to save image into temporary file"));
        return false;
    }
    return true;
}

void GoogleLens::readStandardOutput()
{
    const QString text = m_process ? trimmedOutput(m_process->readAllStandardOutput()) : QString();
    if (!text.isEmpty()) {
        qInfo().noquote() << imagesearch::redacted(text, m_config);
    }
}

void GoogleLens::readStandardError()
{
    const QString text = m_process ? trimmedOutput(m_process->readAllStandardError()) : QString();
    if (!text.isEmpty()) {
        qCritical().noquote() << QStringLiteral("[Error] ") + imagesearch::redacted(text, m_config);
    }
}

void GoogleLens::stopOverdueTool()
{
    if (m_process) {
        qWarning() << "image search: the upload tool did not finish in time; stopping it";
        m_process->kill();
    }
}

void GoogleLens::processFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    m_runTimer->stop();
    // What the tool still had to say.
    readStandardOutput();
    readStandardError();
    qInfo().noquote() << QString(40, QLatin1Char('-'));
    QString error;
    if (exitStatus == QProcess::NormalExit) {
        // The tool's exit code is its own business; the page is opened whatever it is.
        qInfo().noquote() << QStringLiteral("Execution completed. Exit code: %1").arg(exitCode);
        const QUrl page = imagesearch::searchPageUrl(m_config, m_key);
        const UrlOpener& opener = seams().opener;
        if (!(opener ? opener(page) : QDesktopServices::openUrl(page))) {
            qWarning().noquote() << "image search: cannot open" << page.toString(QUrl::FullyEncoded);
            error = tr("Failed to open the image search page in the web browser:\n%1")
                        .arg(page.toString(QUrl::FullyEncoded));
        }
    } else {
        qWarning().noquote() << "image search: the upload tool exited abnormally -" << m_process->errorString();
        error = tr("The process exits abnormally.. Exit code: %1").arg(exitCode);
    }
    release();
    if (!error.isEmpty()) {
        emit errorOccur(error);
    }
    emit finished();
}

void GoogleLens::release()
{
    if (m_process) {
        m_process->deleteLater();
        m_process = nullptr;
    }
    m_file.reset();
    m_key.clear();
    m_config = ImageSearchConfig();
}
