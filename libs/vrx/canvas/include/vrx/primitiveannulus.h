#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// A ring: its centre and a point on each of its two circles. Both radii (the larger first),
/// the ring's width and its area.
class PrimitiveAnnulus final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveAnnulus(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 3; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    QPointF labelAnchor() const override;
};

} // namespace vrx
