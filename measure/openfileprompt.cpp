#include "openfileprompt.h"

#include <QFileDialog>

namespace {
OpenFilePrompt::Responder& responder()
{
    static OpenFilePrompt::Responder answer;
    return answer;
}
} // namespace

QString OpenFilePrompt::openFileName(const Request& request)
{
    if (responder()) {
        return responder()(request);
    }
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.folder, request.filters);
}

void OpenFilePrompt::setResponder(Responder answer)
{
    responder() = std::move(answer);
}
