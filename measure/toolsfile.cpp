#include "toolsfile.h"

#include "capture/waitcursor.h"

#include <vrx/primitivefactory.h>
#include <vrx/primitivemanager.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsObject>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace {
const QString kFileFormat = QStringLiteral("fileFormat");
const QString kTools = QStringLiteral("tools");
} // namespace

QJsonDocument ToolsFile::toDocument(vrx::PrimitiveManager* manager)
{
    QJsonArray tools;
    if (manager) {
        const QList<QGraphicsObject*> descending = manager->dimensionTools(Qt::DescendingOrder);
        for (auto it = descending.crbegin(); it != descending.crend(); ++it) {
            tools.append(vrx::PrimitiveFactory::toJsonObject(*it));
        }
    }
    QJsonObject root;
    root.insert(kFileFormat, magic());
    root.insert(kTools, tools);
    return QJsonDocument(root);
}

bool ToolsFile::save(const QString& path, vrx::PrimitiveManager* manager)
{
    if (!path.isEmpty()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        qWarning() << "Couldn't open file.";
        return false;
    }
    file.write(toDocument(manager).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        qWarning().noquote() << "Couldn't open file." << path << file.errorString();
        return false;
    }
    return true;
}

bool ToolsFile::load(const QString& path, vrx::PrimitiveManager* manager, QGraphicsScene* scene)
{
    QFile file(path);
    if (path.isEmpty() || !manager || !file.open(QIODevice::ReadOnly)) {
        qWarning() << "Couldn't open file.";
        return false;
    }
    WaitCursor busy;
    busy.set();
    manager->deleteAllTools(true);

    if (file.size() > MaxFileSize) {
        qWarning().noquote() << "Tools file too large, not read:" << path << "has" << file.size() << "bytes, at most"
                             << MaxFileSize << "are accepted";
        return false;
    }
    // An unparsable file gives an empty root, which the format check below refuses.
    const QJsonObject root = QJsonDocument::fromJson(file.read(MaxFileSize)).object();
    if (root.value(kFileFormat).toString() != magic()) {
        qWarning() << "wrong file format";
        return false;
    }

    const QJsonArray tools = root.value(kTools).toArray();
    if (tools.size() > MaxTools) {
        qWarning().noquote() << path << "holds" << tools.size() << "tools; the first" << MaxTools << "are loaded";
    }
    const int count = std::min<int>(tools.size(), MaxTools);
    for (int i = 0; i < count; ++i) {
        double x = 0.0;
        double y = 0.0;
        QGraphicsObject* tool = vrx::PrimitiveFactory::getObject(tools.at(i).toObject(), &x, &y, manager, scene);
        if (tool) {
            manager->addObject(tool);
            tool->setPos(x, y);
            tool->update();
        }
    }
    return true;
}
