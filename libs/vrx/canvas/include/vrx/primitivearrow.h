#pragma once

#include "vrx/primitivetwopointtool.h"

namespace vrx {

/// An arrow from the first point (tail) to the second (head), in five head styles chosen by
/// its type: open head, filled head, filled heads at both ends, dimension arrow (open heads at
/// both ends with end bars) and a dot at the head. It measures nothing; its note is its text.
class PrimitiveArrow final : public PrimitiveTwoPointTool
{
    Q_OBJECT
public:
    explicit PrimitiveArrow(int type, QGraphicsItem* parent = nullptr);

protected:
    QPainterPath buildPath() const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 14; }
    void computeValues(const QVector<QPointF>&, Values&) const override {}
    QPointF labelAnchor() const override { return p1(); }
};

} // namespace vrx
