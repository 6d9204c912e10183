#pragma once

#include "vrx/primitive.h"
#include "vrx/primitivequantity.h"

#include <array>

namespace vrx {

/// A tool of the result table: its row number (`id`), the quantities it measures (in picture
/// pixels) and a free note shown in the last column and under its values.
class PrimitiveDimensionTool : public Primitive
{
    Q_OBJECT
public:
    using Values = std::array<double, PrimitiveQuantity::QuantityCount>;

    explicit PrimitiveDimensionTool(int type, QGraphicsItem* parent = nullptr);

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    /// A quantity in picture pixels across (areas in square pixels, angles in degrees); NaN
    /// when the tool does not measure it. With square pixels that is plain picture pixels.
    double value(int quantity) const;
    const Values& values() const { return m_values; }

    QString note() const { return m_note; }
    void setNote(const QString& note);

signals:
    void noteChanged();

protected:
    /// Fills the quantities the tool measures from its (complete) points `p`, given with y
    /// scaled by the calibration's pixel aspect, so that every length is in pixels across.
    virtual void computeValues(const QVector<QPointF>& p, Values& values) const = 0;
    /// Quantities shown in the label, in this order; all measured ones by default.
    virtual QString buildLabelText() const override;
    void measure() override;

private:
    int m_id = -1;
    Values m_values;
    QString m_note;
};

} // namespace vrx
