#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// Base of the tools defined by two points (line, rectangle, arrows, two-point circles):
/// drawn by a press-drag-release or two clicks.
class PrimitiveTwoPointTool : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveTwoPointTool(int type, QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 2; }
    QPointF p1() const { return points().value(0); }
    QPointF p2() const { return points().value(1); }

protected:
    QPointF labelAnchor() const override;
};

} // namespace vrx
