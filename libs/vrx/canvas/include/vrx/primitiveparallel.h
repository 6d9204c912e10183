#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// Two parallel lines: a base line by two points and a third point the parallel passes
/// through. Their distance.
class PrimitiveParallel final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveParallel(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 3; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 1; }
};

} // namespace vrx
