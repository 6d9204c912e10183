#pragma once

#include "vrx/primitivetwopointtool.h"

namespace vrx {

/// A straight line: its length and direction angle.
class PrimitiveLine final : public PrimitiveTwoPointTool
{
    Q_OBJECT
public:
    explicit PrimitiveLine(QGraphicsItem* parent = nullptr);

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
};

} // namespace vrx
