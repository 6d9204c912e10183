#pragma once

#include "vrx/primitivetwopointtool.h"

namespace vrx {

/// An axis-aligned rectangle between two opposite corners: width, height, perimeter, area.
class PrimitiveRectangle final : public PrimitiveTwoPointTool
{
    Q_OBJECT
public:
    explicit PrimitiveRectangle(QGraphicsItem* parent = nullptr);

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    bool isClosed() const override { return true; }
    QPointF labelAnchor() const override;
};

} // namespace vrx
