#include "camerakey.h"

#include <tesk/camerainfo.h>

#include <QFileInfo>

QString cameraKey(const tesk::CameraInfo& info)
{
    return QStringLiteral("%1_%2_%3")
        .arg(QString::fromLatin1(info.name.c_str()))
        .arg(info.vendorId, 4, 16, QLatin1Char('0'))
        .arg(info.productId, 4, 16, QLatin1Char('0'));
}

QString requestParameterFile(const QString& key)
{
    const QString own = QStringLiteral("cameras/") + key + QStringLiteral(".ini");
    return QFileInfo::exists(own) ? own : QStringLiteral("cameras/default.ini");
}
