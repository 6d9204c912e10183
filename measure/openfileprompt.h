#pragma once

#include <QString>

#include <functional>

class QWidget;

/// The open-file dialog of the tools file. UserPrompt asks only for names to save under, so
/// this is the one other modal file question; tests answer it in advance.
class OpenFilePrompt final
{
public:
    struct Request
    {
        QWidget* parent = nullptr;
        QString caption;
        QString folder;
        QString filters;
    };

    /// The chosen file, or an empty text for a cancelled dialog.
    static QString openFileName(const Request& request);

    using Responder = std::function<QString(const Request& request)>;
    /// Replaces the real dialog; an empty responder puts it back.
    static void setResponder(Responder responder);
};
