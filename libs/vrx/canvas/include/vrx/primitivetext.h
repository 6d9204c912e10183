#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// A text annotation at one point. Its text is the tool's note (the last table column).
class PrimitiveText final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveText(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 1; }
    bool followsMouse() const override { return false; }

protected:
    QPainterPath buildPath() const override { return QPainterPath(); }
    void computeValues(const QVector<QPointF>&, Values&) const override {}
    QPointF labelAnchor() const override;
};

} // namespace vrx
