#include "scriptedprompt.h"

namespace testsupport {

ScriptedPrompt::ScriptedPrompt()
{
    UserPrompt::setResponder(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    UserPrompt::setResponder(nullptr);
}

QString ScriptedPrompt::saveFileName(const UserPrompt::SaveFileRequest& request)
{
    m_saveRequests << request;
    return m_savePaths.isEmpty() ? QString() : m_savePaths.dequeue();
}

QMessageBox::StandardButton ScriptedPrompt::message(const UserPrompt::MessageRequest& request)
{
    m_messages << request;
    if (request.checkBoxChecked && !request.checkBoxText.isEmpty()) {
        *request.checkBoxChecked = !m_checks.isEmpty() && m_checks.dequeue();
    }
    if (!m_buttons.isEmpty()) {
        return m_buttons.dequeue();
    }
    return request.defaultButton != QMessageBox::NoButton ? request.defaultButton : QMessageBox::Ok;
}

} // namespace testsupport
