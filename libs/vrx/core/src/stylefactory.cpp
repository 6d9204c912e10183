#include <vrx/stylefactory.h>

#include "darkbluestyle.h"

#include <QDebug>
#include <QFile>

namespace vrx {

namespace {
QString readStyleSheet(const QString& path)
{
    if (path.isEmpty()) {
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "Style sheet" << path << "cannot be read:" << file.errorString();
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}
} // namespace

QStyle* StyleFactory::newStyle(int style, const QString& styleSheetPath)
{
    switch (style) {
    case DarkBlue:
        return new DarkBlueStyle(readStyleSheet(styleSheetPath));
    default:
        return nullptr;
    }
}

} // namespace vrx
