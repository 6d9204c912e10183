#include "folderactions.h"

#include <app/userprompt.h>

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>

namespace {

FolderActions::DirectoryChooser& directoryChooser()
{
    static FolderActions::DirectoryChooser chooser;
    return chooser;
}

FolderActions::UrlOpener& urlOpener()
{
    static FolderActions::UrlOpener opener;
    return opener;
}

QString chooseDirectory(QWidget* parent, const QString& title, const QString& start)
{
    if (const auto& chooser = directoryChooser()) {
        return chooser(parent, title, start);
    }
    return QFileDialog::getExistingDirectory(parent, title, start,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

bool openUrl(const QUrl& url)
{
    if (const auto& opener = urlOpener()) {
        return opener(url);
    }
    return QDesktopServices::openUrl(url);
}

} // namespace

void FolderActions::browse(QLineEdit* edit, const QString& start)
{
    const QString folder = chooseDirectory(edit->window(), tr("Choose a directory"), start);
    if (!folder.isEmpty()) {
        setFolder(edit, folder);
    }
}

void FolderActions::setFolder(QLineEdit* edit, const QString& folder)
{
    edit->setText(QDir::toNativeSeparators(folder));
}

bool FolderActions::openFolder(QWidget* parent, const QString& path)
{
    // The desktop handler starts in the background and reports success even for a missing
    // folder, so a missing one is caught here.
    const QString folder = QDir::fromNativeSeparators(path.trimmed());
    const bool opened = !folder.isEmpty() && QFileInfo(folder).isDir() &&
                        openUrl(QUrl::fromLocalFile(QFileInfo(folder).absoluteFilePath()));
    if (!opened) {
        qInfo() << "cannot open folder" << path;
        UserPrompt::MessageRequest request;
        request.parent = parent;
        request.icon = QMessageBox::Warning;
        request.title = tr("Open Folder");
        request.text = tr("Failed to open ") + path;
        request.buttons = QMessageBox::Ok;
        request.defaultButton = QMessageBox::Ok;
        UserPrompt::message(request);
    }
    return opened;
}

void FolderActions::setDirectoryChooser(DirectoryChooser chooser)
{
    directoryChooser() = std::move(chooser);
}

void FolderActions::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}
