#include "privatehome.h"

#include <QDir>

#include <cstdlib>

namespace testsupport {

namespace {
const char* const kXdgVars[][2] = {
    {"XDG_CONFIG_HOME", "/.config"},
    {"XDG_DATA_HOME", "/.local/share"},
    {"XDG_CACHE_HOME", "/.cache"},
    {"XDG_RUNTIME_DIR", "/runtime"},
};
}

PrivateHome::PrivateHome() : m_dir(QDir::tempPath() + "/quarnel-home-XXXXXX"), m_oldHome(qgetenv("HOME"))
{
    m_dir.setAutoRemove(qEnvironmentVariableIsEmpty("QUARNEL_KEEP_TEST_HOME"));
    const QString home = m_dir.path();
    qputenv("HOME", home.toLocal8Bit());
    for (const auto& var : kXdgVars) {
        const QString dir = home + var[1];
        QDir().mkpath(dir);
        qputenv(var[0], dir.toLocal8Bit());
    }
    QFile::setPermissions(home + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // QStandardPaths finds the documents folder through user-dirs.dirs.
    QDir().mkpath(home + "/Documents");
    QDir().mkpath(home + "/Pictures");
    QFile dirs(home + "/.config/user-dirs.dirs");
    if (dirs.open(QIODevice::WriteOnly)) {
        dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    }
}

PrivateHome::~PrivateHome()
{
    qputenv("HOME", m_oldHome);
}

QString PrivateHome::path() const
{
    return m_dir.path();
}

} // namespace testsupport
