#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// An open chain of two or more points: its total length. A double click, right click or
/// Enter ends it.
class PrimitivePolyline final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitivePolyline(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 0; }
    int minimumPointCount() const override { return 2; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
};

} // namespace vrx
