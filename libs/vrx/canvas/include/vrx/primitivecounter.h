#pragma once

#include "vrx/primitivedimensiontool.h"

namespace vrx {

/// Marks set one click each; the number of marks. A double click, right click or Enter ends it.
class PrimitiveCounter final : public PrimitiveDimensionTool
{
    Q_OBJECT
public:
    explicit PrimitiveCounter(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 0; }
    int minimumPointCount() const override { return 1; }
    bool followsMouse() const override { return false; }

protected:
    QPainterPath buildPath() const override { return QPainterPath(); }
    void computeValues(const QVector<QPointF>& p, Values& values) const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 8; }
};

} // namespace vrx
