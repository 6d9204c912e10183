#include "imagefile.h"

#include <QProcess>
#include <QStringList>

namespace testsupport {

QString identify(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%wx%h %m"), path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

} // namespace testsupport
