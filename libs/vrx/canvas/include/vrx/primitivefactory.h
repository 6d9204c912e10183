#pragma once

#include <QJsonObject>

class QGraphicsObject;
class QGraphicsScene;

namespace vrx {

class Primitive;
class PrimitiveManager;

/// Makes tools by type and turns them into JSON objects and back (the tools file).
///
/// A tool object: "type" (integer type code), "x" and "y" (its position in the scene),
/// "points" (array of [x, y] pairs, relative to the position), "attributes" (pen and label
/// look) and "note" (string, tools of the result table only).
class PrimitiveFactory final
{
public:
    /// A new tool of `type`, or nullptr for an unknown type.
    static Primitive* create(int type);
    /// An empty object for anything that is not a tool.
    static QJsonObject toJsonObject(QGraphicsObject* object);
    /// Rebuilds a tool, its position returned through `x` and `y` (either may be null). The
    /// tool formats its values with `manager` (may be null). It is added to `scene` only when
    /// there is no manager, as the manager's addObject() adds it. Malformed objects give
    /// nullptr and a warning.
    static QGraphicsObject* getObject(const QJsonObject& object, double* x, double* y, PrimitiveManager* manager,
                                      QGraphicsScene* scene);
};

} // namespace vrx
