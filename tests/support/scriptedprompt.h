#pragma once

#include <app/userprompt.h>

#include <QList>
#include <QQueue>

namespace testsupport {

/// Answers the program's dialogs and message boxes from a script, and records what was asked.
/// Installed for as long as it lives. An unscripted save dialog is cancelled and an
/// unscripted message box answered with its default button, so nothing ever blocks.
class ScriptedPrompt final : public UserPrompt::Responder
{
public:
    ScriptedPrompt();
    ~ScriptedPrompt() override;

    void answerSaveFile(const QString& path) { m_savePaths.enqueue(path); }
    void answerMessage(QMessageBox::StandardButton button) { m_buttons.enqueue(button); }
    /// The state the next message box's check box is left in (unscripted: unchecked).
    void answerCheckBox(bool checked) { m_checks.enqueue(checked); }

    QString saveFileName(const UserPrompt::SaveFileRequest& request) override;
    QMessageBox::StandardButton message(const UserPrompt::MessageRequest& request) override;

    const QList<UserPrompt::SaveFileRequest>& saveRequests() const { return m_saveRequests; }
    const QList<UserPrompt::MessageRequest>& messages() const { return m_messages; }

private:
    QQueue<QString> m_savePaths;
    QQueue<QMessageBox::StandardButton> m_buttons;
    QQueue<bool> m_checks;
    QList<UserPrompt::SaveFileRequest> m_saveRequests;
    QList<UserPrompt::MessageRequest> m_messages;
};

} // namespace testsupport
