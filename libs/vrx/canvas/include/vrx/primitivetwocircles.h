#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// Two circles, each by its centre and a point on it. All three types report both radii and
/// the centre distance; 0x10077 adds the gap (shortest distance between the two
/// circumferences), 0x10078 the span (longest distance between them).
class PrimitiveTwoCircles final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveTwoCircles(int type, QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 4; }

protected:
    QPainterPath buildPath() const override;
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 1; }
    QPointF labelAnchor() const override;
};

} // namespace vrx
