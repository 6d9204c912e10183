#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// An arc from a first point through a second to a third: radius, arc length and the angle it
/// spans.
class PrimitiveArc final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveArc(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 3; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    QPointF labelAnchor() const override;
};

} // namespace vrx
