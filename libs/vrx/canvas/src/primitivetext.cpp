#include "vrx/primitivetext.h"

#include "vrx/primitivetype.h"

#include <QCoreApplication>

namespace vrx {

PrimitiveText::PrimitiveText(QGraphicsItem* parent) : PrimitiveDimensionTool(PrimitiveType::Text, parent)
{
    setNote(QCoreApplication::translate("vrx::PrimitiveText", "Text"));
}

QPointF PrimitiveText::labelAnchor() const
{
    return points().value(0);
}

} // namespace vrx
