#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

/// Points HOME and the XDG folders at a fresh temporary directory for as long as it lives,
/// so a test never reads or writes the real user's settings, documents or log files.
/// Create it before the application object.
class PrivateHome final
{
public:
    PrivateHome();
    ~PrivateHome();
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    QString path() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

} // namespace testsupport
