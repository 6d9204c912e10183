#include "vrx/primitivetwopointtool.h"

namespace vrx {

PrimitiveTwoPointTool::PrimitiveTwoPointTool(int type, QGraphicsItem* parent) : PrimitiveDimensionTool(type, parent) {}

QPointF PrimitiveTwoPointTool::labelAnchor() const
{
    return (p1() + p2()) / 2;
}

} // namespace vrx
