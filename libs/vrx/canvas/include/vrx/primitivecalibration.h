#pragma once

#include <QJsonObject>
#include <QString>

namespace vrx {

/// One calibration: how many picture pixels make one unit of length, across (x) and down (y),
/// the unit it was measured in, and the unit it is shown in by default. The pixel calibration
/// ("In Pixels") measures in pixels and is always valid.
class PrimitiveCalibration final
{
public:
    /// The pixel calibration.
    PrimitiveCalibration();
    /// From a ruler: `pixels` picture pixels are `length` of `unitKey`, in both directions;
    /// the default display unit is `unitKey`.
    PrimitiveCalibration(const QString& name, double pixels, double length, const QString& unitKey);
    /// Different scales across and down, for cameras whose pixels are not square.
    static PrimitiveCalibration fromScales(const QString& name, double pixelsPerUnitX, double pixelsPerUnitY,
                                           const QString& unitKey);

    static QString InPixelsName();

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    bool isPixelCalibration() const;
    /// A name, positive finite scales and a physical unit (or the pixel calibration).
    bool isValid() const;
    double pixelsPerUnitX() const { return m_pixelsPerUnitX; }
    double pixelsPerUnitY() const { return m_pixelsPerUnitY; }
    QString unitKey() const { return m_unitKey; }
    QString defaultUnitKey() const { return m_defaultUnitKey; }
    void setDefaultUnitKey(const QString& key) { m_defaultUnitKey = key; }

    /// Whether lengths can be shown in `unitKey` (the pixel calibration: only in pixels).
    bool supportsUnit(const QString& unitKey) const;
    /// Size of one picture pixel across, in `unitKey`; 0 when the unit is not supported.
    double unitsPerPixel(const QString& unitKey) const;
    /// Height of a pixel over its width (1 for square pixels).
    double pixelAspect() const;

    /// {"name", "pixelsPerUnitX", "pixelsPerUnitY", "unit", "defaultUnit"}.
    QJsonObject toJson() const;
    /// The calibration of a stored object; an invalid one, with `error` set, when the object
    /// is not a valid calibration.
    static PrimitiveCalibration fromJson(const QJsonObject& object, QString* error = nullptr);

    bool operator==(const PrimitiveCalibration& other) const;
    bool operator!=(const PrimitiveCalibration& other) const { return !(*this == other); }

private:
    QString m_name;
    double m_pixelsPerUnitX = 1;
    double m_pixelsPerUnitY = 1;
    QString m_unitKey;
    QString m_defaultUnitKey;
};

} // namespace vrx
