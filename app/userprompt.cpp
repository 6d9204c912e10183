#include "userprompt.h"

#include <QCheckBox>
#include <QFileDialog>

namespace {
UserPrompt::Responder* g_responder = nullptr;
}

void UserPrompt::setResponder(Responder* responder)
{
    g_responder = responder;
}

QString UserPrompt::saveFileName(const SaveFileRequest& request)
{
    if (g_responder) {
        return g_responder->saveFileName(request);
    }
    QString selected = request.selectedFilter;
    return QFileDialog::getSaveFileName(request.parent, request.caption, request.proposedPath, request.filters,
                                        selected.isEmpty() ? nullptr : &selected);
}

QMessageBox::StandardButton UserPrompt::message(const MessageRequest& request)
{
    if (g_responder) {
        return g_responder->message(request);
    }
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(request.defaultButton);
    }
    QCheckBox* check = nullptr;
    if (!request.checkBoxText.isEmpty()) {
        check = new QCheckBox(request.checkBoxText, &box);
        box.setCheckBox(check);
    }
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (check && request.checkBoxChecked) {
        *request.checkBoxChecked = check->isChecked();
    }
    return answer;
}

namespace {
UserPrompt::MessageRequest request(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    UserPrompt::MessageRequest r;
    r.parent = parent;
    r.icon = icon;
    r.title = title;
    r.text = text;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return r;
}
} // namespace

void UserPrompt::critical(QWidget* parent, const QString& title, const QString& text)
{
    message(request(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok));
}

void UserPrompt::information(QWidget* parent, const QString& title, const QString& text)
{
    message(request(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok));
}

bool UserPrompt::question(QWidget* parent, const QString& title, const QString& text)
{
    return message(request(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No)) == QMessageBox::Yes;
}
