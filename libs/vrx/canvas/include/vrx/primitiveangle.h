#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// The angle at a vertex: first arm end, vertex, second arm end. Between 0 and 180 degrees.
class PrimitiveAngle final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveAngle(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 3; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    QPointF labelAnchor() const override;
};

} // namespace vrx
