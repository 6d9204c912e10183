#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// Perpendicular tools on a base line given by two points. Point to line (0x1006C): a third
/// point and its distance from the line, the foot shown dashed. Perpendicular segment
/// (0x1006D): a segment from a third point that is kept at right angles to the base line
/// (its fourth point slides), and its length.
class PrimitivePerpendicular final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitivePerpendicular(int type, QGraphicsItem* parent = nullptr);

    int pointCount() const override;

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 1; }
    QPointF constrainPoint(int index, const QPointF& point) const override;
};

} // namespace vrx
