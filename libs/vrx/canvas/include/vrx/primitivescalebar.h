#pragma once

#include "vrx/primitive.h"

namespace vrx {

/// The scale bar: a round length of the current unit (about a fifth of the picture's width),
/// placed at the picture's lower right corner. The manager lays it out again whenever the
/// picture size or the calibration changes; the user may drag it elsewhere.
class PrimitiveScaleBar final : public Primitive
{
    Q_OBJECT
public:
    explicit PrimitiveScaleBar(QGraphicsItem* parent = nullptr);

    int pointCount() const override { return 2; }
    /// Fits the bar to a picture of `pictureRect` in the manager's current unit.
    void layout(const QRectF& pictureRect);
    /// The length the bar stands for, in the current unit (0 before the first layout).
    double length() const { return m_length; }

protected:
    QPainterPath buildPath() const override;
    void paintDecorations(QPainter* painter, double pixel) const override;
    double decorationSize() const override { return 8; }
    QString buildLabelText() const override;
    QPointF labelAnchor() const override;

private:
    double m_length = 0;
};

} // namespace vrx
