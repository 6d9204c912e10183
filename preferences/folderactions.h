#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

class QLineEdit;
class QUrl;
class QWidget;

/// What the folder buttons of the preferences pages do: "..." chooses a folder, "Open Folder"
/// shows it in the desktop's file manager and warns when it cannot.
class FolderActions final
{
    Q_DECLARE_TR_FUNCTIONS(FolderActions)

public:
    /// Asks for an existing folder, starting at `start`; an empty text when cancelled.
    using DirectoryChooser = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    /// Opens a URL with the desktop's handler; false when that failed.
    using UrlOpener = std::function<bool(const QUrl& url)>;

    /// Lets the user choose a folder, starting at `start`, and puts it into `edit` with native
    /// separators. Cancelling leaves `edit` as it was.
    static void browse(QLineEdit* edit, const QString& start);
    /// Puts `folder` into `edit` with native separators.
    static void setFolder(QLineEdit* edit, const QString& folder);
    /// Opens `path` in the file manager; a missing folder or a failure shows a warning.
    static bool openFolder(QWidget* parent, const QString& path);

    /// Test seams; an empty function restores the real dialog or desktop handler.
    static void setDirectoryChooser(DirectoryChooser chooser);
    static void setUrlOpener(UrlOpener opener);
};
