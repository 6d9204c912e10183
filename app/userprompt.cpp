#include "userprompt.h"

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
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UserPrompt::critical(QWidget* parent, const QString& title, const QString& text)
{
    message({parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok});
}

void UserPrompt::information(QWidget* parent, const QString& title, const QString& text)
{
    message({parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok});
}

bool UserPrompt::question(QWidget* parent, const QString& title, const QString& text)
{
    return message({parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No}) ==
           QMessageBox::Yes;
}
