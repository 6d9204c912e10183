#include "savelocations.h"

#include "clock.h"
#include "settingskeys.h"
#include "userprompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString applicationFilesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/" +
           QCoreApplication::applicationName() + " Files/";
}

QString withClosingSlash(const QString& folder)
{
    QString result = QDir::fromNativeSeparators(folder);
    if (!result.endsWith('/')) {
        result += '/';
    }
    return result;
}

QString storedFolder(const QString& key, const QString& fallback)
{
    const QString folder = QSettings().value(key, fallback).toString();
    return folder.trimmed().isEmpty() ? fallback : folder;
}

QString pictureFolder()
{
    return storedFolder(SettingsKeys::CaptureFilePath, defaultImageFolder());
}

QString storedReportFolder()
{
    return storedFolder(SettingsKeys::ReportFilePath, defaultReportFolder());
}

QString pictureFormat()
{
    const QString format =
        QSettings().value(SettingsKeys::CaptureFileFormat, SettingsDefaults::CaptureFileFormat).toString().trimmed();
    return format.isEmpty() ? SettingsDefaults::CaptureFileFormat : format;
}

void createFolderOf(const QString& path)
{
    if (!path.isEmpty()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
}

QString ensureFolder(const QString& folder)
{
    QDir().mkpath(folder);
    return folder;
}

QString askSaveFileName(QWidget* parent, const QString& caption, const QString& proposedPath, const QString& filters,
                        const QString& selectedFilter)
{
    return UserPrompt::saveFileName({parent, caption, proposedPath, filters, selectedFilter});
}

} // namespace

QString timeStamp()
{
    return Clock::now().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
}

QString defaultImageFolder()
{
    return QDir::toNativeSeparators(applicationFilesFolder() + "Images/");
}

QString defaultReportFolder()
{
    return QDir::toNativeSeparators(applicationFilesFolder() + "Reports/");
}

QString captureFolder()
{
    return ensureFolder(pictureFolder());
}

QString reportFolder()
{
    return ensureFolder(storedReportFolder());
}

void setReportFolder(const QString& folder)
{
    QSettings().setValue(SettingsKeys::ReportFilePath, QDir::fromNativeSeparators(folder));
}

QString imageFilePath(bool showDialog, QWidget* parent)
{
    const QString stamp = timeStamp();
    const QString folder = withClosingSlash(pictureFolder());
    const QString format = pictureFormat();
    const QString path = showDialog ? askSaveFileName(parent, QCoreApplication::translate("SaveLocations", "Save File"),
                                                      folder + stamp, imageFileFilters(), filterForFormat(format))
                                    : folder + stamp + "." + format;
    createFolderOf(path);
    return path;
}

QString videoFilePath(bool showDialog, QWidget* parent)
{
    const QString stamp = timeStamp();
    const QString folder = withClosingSlash(pictureFolder());
    const QString path =
        showDialog
            ? askSaveFileName(parent, QCoreApplication::translate("SaveLocations", "Save File"), folder + stamp,
                              videoFileFilters(), QCoreApplication::translate("SaveLocations", "Video Files (*.mp4)"))
            : QFileInfo(QDir(folder), stamp + ".mp4").absoluteFilePath();
    createFolderOf(path);
    return path;
}

QString reportFilePath(bool showDialog, QWidget* parent)
{
    const QString stamp = timeStamp();
    const QString folder = withClosingSlash(storedReportFolder());
    const QString path = showDialog ? askSaveFileName(parent, QCoreApplication::translate("SaveLocations", "Export"),
                                                      folder + stamp, reportFileFilter(), QString())
                                    : folder + stamp + ".xlsx";
    createFolderOf(path);
    return path;
}

QString allSupportedImageFilter()
{
    QStringList patterns;
    const auto formats = QImageWriter::supportedImageFormats();
    for (const QByteArray& format : formats) {
        patterns << "*." + QString::fromLatin1(format).toLower();
    }
    return QCoreApplication::translate("SaveLocations", "All supported formats ") + "(" + patterns.join(' ') + ")";
}

QString imageFileFilters()
{
    return QStringList{QCoreApplication::translate("SaveLocations", "Windows Bitmap (*.bmp)"),
                       QCoreApplication::translate("SaveLocations", "JPEG (*.jpg *.jpeg)"),
                       QCoreApplication::translate("SaveLocations", "Portable Network Graphics (*.png)"),
                       QCoreApplication::translate("SaveLocations", "Tag Image File Format (*.tif *.tiff)"),
                       allSupportedImageFilter(),
                       QCoreApplication::translate("SaveLocations", "All files (*.*)")}
        .join(";;");
}

QString videoFileFilters()
{
    return QStringList{QCoreApplication::translate("SaveLocations", "Video Files (*.mp4)"),
                       QCoreApplication::translate("SaveLocations", "All files (*.*)")}
        .join(";;");
}

QString reportFileFilter()
{
    return QCoreApplication::translate("SaveLocations", "Excel File (*.xlsx);;");
}

QString filterForFormat(const QString& format)
{
    const QString lower = format.toLower();
    if (lower.contains("bmp")) {
        return QCoreApplication::translate("SaveLocations", "Windows Bitmap (*.bmp)");
    }
    if (lower.contains("jpg") || lower.contains("jpeg")) {
        return QCoreApplication::translate("SaveLocations", "JPEG (*.jpg *.jpeg)");
    }
    if (lower.contains("png")) {
        return QCoreApplication::translate("SaveLocations", "Portable Network Graphics (*.png)");
    }
    if (lower.contains("tif")) {
        return QCoreApplication::translate("SaveLocations", "Tag Image File Format (*.tif *.tiff)");
    }
    if (lower.contains("mp4")) {
        return QCoreApplication::translate("SaveLocations", "Video Files (*.mp4)");
    }
    return QString();
}
