#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

/// The one door through which the program asks the user something modal: save-file dialogs
/// and message boxes. Tests install a Responder that answers in advance, so nothing waits
/// for a person.
class UserPrompt final
{
public:
    struct SaveFileRequest
    {
        QWidget* parent = nullptr;
        QString caption;
        QString proposedPath;
        QString filters;
        QString selectedFilter;
    };

    struct MessageRequest
    {
        QWidget* parent = nullptr;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        /// A check box under the text ("Do not show this dialog again."), when not empty; its
        /// state on closing goes to `checkBoxChecked`.
        QString checkBoxText;
        bool* checkBoxChecked = nullptr;
    };

    class Responder
    {
    public:
        virtual ~Responder() = default;
        /// The chosen path, or an empty text for a cancelled dialog.
        virtual QString saveFileName(const SaveFileRequest& request) = 0;
        virtual QMessageBox::StandardButton message(const MessageRequest& request) = 0;
    };

    /// Replaces the real dialogs; null puts them back. The prompt does not own the responder.
    static void setResponder(Responder* responder);

    static QString saveFileName(const SaveFileRequest& request);
    static QMessageBox::StandardButton message(const MessageRequest& request);

    static void critical(QWidget* parent, const QString& title, const QString& text);
    static void information(QWidget* parent, const QString& title, const QString& text);
    static bool question(QWidget* parent, const QString& title, const QString& text);
};
