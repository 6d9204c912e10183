#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vrx {

/// The yes/no questions of the canvas dialogs (replace a calibration, delete one). A question
/// box by default; tests answer through setConfirmPrompt.
using ConfirmPrompt = std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
void setConfirmPrompt(ConfirmPrompt prompt);
bool confirm(QWidget* parent, const QString& title, const QString& text);

} // namespace vrx
