#pragma once

#include <QString>

namespace vrx {

/// One calibration: a known length (in a unit) spans a number of picture pixels. The pixel
/// calibration ("in pixels") measures in pixels and is always valid.
class PrimitiveCalibration final
{
public:
    /// The pixel calibration.
    PrimitiveCalibration();
    /// `pixels` picture pixels are `length` of `unitKey`; the default display unit is `unitKey`.
    PrimitiveCalibration(const QString& name, double pixels, double length, const QString& unitKey);

    static QString InPixelsName();

    QString name() const { return m_name; }
    bool isPixelCalibration() const;
    bool isValid() const;
    double pixels() const { return m_pixels; }
    double length() const { return m_length; }
    QString unitKey() const { return m_unitKey; }
    QString defaultUnitKey() const { return m_defaultUnitKey; }
    void setDefaultUnitKey(const QString& key) { m_defaultUnitKey = key; }

    /// Whether lengths can be shown in `unitKey` (the pixel calibration: only in pixels).
    bool supportsUnit(const QString& unitKey) const;
    /// Size of one picture pixel in `unitKey`; 0 when the unit is not supported.
    double unitsPerPixel(const QString& unitKey) const;

private:
    QString m_name;
    double m_pixels = 1;
    double m_length = 1;
    QString m_unitKey;
    QString m_defaultUnitKey;
};

} // namespace vrx
