#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// The angle between two lines of two points each, taken between their drawn directions
/// (0 to 180 degrees); the lines are extended, dashed, to where they meet.
class PrimitiveAngleLines final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveAngleLines(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 4; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 1; }
    QPointF labelAnchor() const override;
};

} // namespace vrx
