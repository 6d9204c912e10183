#pragma once

#include <QJsonDocument>
#include <QString>

class QGraphicsScene;

namespace vrx {
class PrimitiveManager;
}

/// The measurement tools file: every tool of the canvas as one JSON document, and back.
///
/// Root object: "fileFormat" (the magic text, compared exactly) and "tools" (one object per
/// tool, as the canvas's factory writes it, in ascending tool order). Failures are only
/// logged.
class ToolsFile final
{
public:
    static QString magic() { return QStringLiteral("obru_tools_file"); }

    /// Files beyond this size are refused unread: no real tool set comes near it, and a
    /// stray huge file must not stall the program.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    /// At most this many tools are loaded from one file.
    static constexpr int MaxTools = 20000;

    static QJsonDocument toDocument(vrx::PrimitiveManager* manager);

    /// Writes every tool to `path` (its folder made when missing). The old file is replaced
    /// only by a whole new one. False, with the warning "Couldn't open file." for an empty
    /// name or a file that cannot be written.
    static bool save(const QString& path, vrx::PrimitiveManager* manager);

    /// Replaces the canvas's tools by those of `path`. The canvas is emptied before the content
    /// is looked at; a file that cannot be opened leaves it untouched. True when the file was a
    /// tools file (even an empty one); tools the factory refuses are dropped silently.
    static bool load(const QString& path, vrx::PrimitiveManager* manager, QGraphicsScene* scene);
};
