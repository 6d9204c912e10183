#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// A circle, by its type: centre and a point on it (0x10072), three points on it (0x10073) or
/// the two ends of a diameter (0x10074). Radius, diameter, perimeter and area.
class PrimitiveCircle final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveCircle(int type, QGraphicsItem* parent = nullptr);

    int pointCount() const override;
    /// False while the points do not define a circle (three collinear points).
    bool circle(QPointF* centre, double* radius) const;

protected:
    /// The circle the variant makes of `p`; false when the points make none.
    bool circleOf(const QVector<QPointF>& p, QPointF* centre, double* radius) const;
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    bool isClosed() const override { return true; }
    QPointF labelAnchor() const override;
};

} // namespace vrx
