#pragma once

#include "vrx/primitive.h"

namespace vrx {

/// The ruler drawn over a known length to make a calibration; it shows its length in picture
/// pixels and is not a result of the table.
class PrimitiveCalibrationRuler final : public Primitive
{
    Q_OBJECT
public:
    explicit PrimitiveCalibrationRuler(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 2; }
    /// Length in picture pixels, whatever the calibration.
    double pixelLength() const;

protected:
    QPainterPath buildPath() const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 10; }
    QString buildLabelText() const override;
    QPointF labelAnchor() const override;
};

} // namespace vrx
