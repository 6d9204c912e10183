#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// A closed polygon of three or more corners: perimeter and area (shoelace formula). A double
/// click, right click or Enter ends it.
class PrimitivePolygon final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitivePolygon(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 0; }
    int minimumPointCount() const override { return 3; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    bool isClosed() const override { return true; }
};

} // namespace vrx
