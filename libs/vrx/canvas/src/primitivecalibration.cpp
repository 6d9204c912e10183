#include "vrx/primitivecalibration.h"

#include "vrx/primitiveunit.h"

#include <cmath>

namespace vrx {

PrimitiveCalibration::PrimitiveCalibration()
    : m_name(InPixelsName()), m_unitKey(PrimitiveUnit::pixelUnitKey()), m_defaultUnitKey(PrimitiveUnit::pixelUnitKey())
{}

PrimitiveCalibration::PrimitiveCalibration(const QString& name, double pixels, double length, const QString& unitKey)
    : m_name(name), m_pixels(pixels), m_length(length), m_unitKey(unitKey), m_defaultUnitKey(unitKey)
{}

QString PrimitiveCalibration::InPixelsName()
{
    return QStringLiteral("In Pixels");
}

bool PrimitiveCalibration::isPixelCalibration() const
{
    return m_unitKey == PrimitiveUnit::pixelUnitKey();
}

bool PrimitiveCalibration::isValid() const
{
    if (m_name.isEmpty()) {
        return false;
    }
    if (isPixelCalibration()) {
        return true;
    }
    return std::isfinite(m_pixels) && m_pixels > 0 && std::isfinite(m_length) && m_length > 0 &&
           PrimitiveUnit::micrometres(m_unitKey) > 0;
}

bool PrimitiveCalibration::supportsUnit(const QString& unitKey) const
{
    return unitsPerPixel(unitKey) > 0;
}

double PrimitiveCalibration::unitsPerPixel(const QString& unitKey) const
{
    if (!isValid()) {
        return 0;
    }
    if (isPixelCalibration()) {
        return unitKey == PrimitiveUnit::pixelUnitKey() ? 1 : 0;
    }
    return m_length / m_pixels * PrimitiveUnit::conversion(m_unitKey, unitKey);
}

} // namespace vrx
