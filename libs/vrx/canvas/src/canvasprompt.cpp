#include "vrx/canvasprompt.h"

#include <QMessageBox>

namespace vrx {

namespace {

bool askQuestion(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

ConfirmPrompt& prompt()
{
    static ConfirmPrompt current = askQuestion;
    return current;
}

} // namespace

void setConfirmPrompt(ConfirmPrompt replacement)
{
    prompt() = replacement ? std::move(replacement) : ConfirmPrompt(askQuestion);
}

bool confirm(QWidget* parent, const QString& title, const QString& text)
{
    return prompt()(parent, title, text);
}

} // namespace vrx
