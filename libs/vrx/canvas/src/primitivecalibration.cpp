#include "vrx/primitivecalibration.h"

#include "vrx/primitiveunit.h"

#include <QCoreApplication>
#include <cmath>

namespace vrx {

namespace {

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

QString translate(const char* text)
{
    return QCoreApplication::translate("vrx::PrimitiveCalibration", text);
}

} // namespace

PrimitiveCalibration::PrimitiveCalibration()
    : m_name(InPixelsName()), m_unitKey(PrimitiveUnit::pixelUnitKey()), m_defaultUnitKey(PrimitiveUnit::pixelUnitKey())
{}

PrimitiveCalibration::PrimitiveCalibration(const QString& name, double pixels, double length, const QString& unitKey)
    : m_name(name), m_pixelsPerUnitX(pixels / length), m_pixelsPerUnitY(pixels / length), m_unitKey(unitKey),
      m_defaultUnitKey(unitKey)
{}

PrimitiveCalibration PrimitiveCalibration::fromScales(const QString& name, double pixelsPerUnitX, double pixelsPerUnitY,
                                                      const QString& unitKey)
{
    PrimitiveCalibration calibration(name, 1, 1, unitKey);
    calibration.m_pixelsPerUnitX = pixelsPerUnitX;
    calibration.m_pixelsPerUnitY = pixelsPerUnitY;
    return calibration;
}

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
    if (m_name.trimmed().isEmpty()) {
        return false;
    }
    if (isPixelCalibration()) {
        return m_name == InPixelsName();
    }
    return m_name != InPixelsName() && positive(m_pixelsPerUnitX) && positive(m_pixelsPerUnitY) &&
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
    return PrimitiveUnit::conversion(m_unitKey, unitKey) / m_pixelsPerUnitX;
}

double PrimitiveCalibration::pixelAspect() const
{
    return isValid() && !isPixelCalibration() ? m_pixelsPerUnitX / m_pixelsPerUnitY : 1;
}

QJsonObject PrimitiveCalibration::toJson() const
{
    return {{QStringLiteral("name"), m_name},
            {QStringLiteral("pixelsPerUnitX"), m_pixelsPerUnitX},
            {QStringLiteral("pixelsPerUnitY"), m_pixelsPerUnitY},
            {QStringLiteral("unit"), m_unitKey},
            {QStringLiteral("defaultUnit"), m_defaultUnitKey}};
}

PrimitiveCalibration PrimitiveCalibration::fromJson(const QJsonObject& object, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return PrimitiveCalibration(QString(), 0, 1, QString());
    };
    const QString name = object.value(QStringLiteral("name")).toString().trimmed();
    if (name.isEmpty()) {
        return fail(translate("no name"));
    }
    if (name == InPixelsName()) {
        return fail(translate("the name \"%1\" is reserved").arg(name));
    }
    const QString unit = object.value(QStringLiteral("unit")).toString();
    if (!(PrimitiveUnit::micrometres(unit) > 0)) {
        return fail(translate("\"%1\": unknown unit \"%2\"").arg(name, unit));
    }
    const double x = object.value(QStringLiteral("pixelsPerUnitX")).toDouble(-1);
    const double y = object.value(QStringLiteral("pixelsPerUnitY")).toDouble(x);
    if (!positive(x) || !positive(y)) {
        return fail(translate("\"%1\": the scale must be a positive number").arg(name));
    }
    PrimitiveCalibration calibration = fromScales(name, x, y, unit);
    const QString defaultUnit = object.value(QStringLiteral("defaultUnit")).toString();
    if (PrimitiveUnit::micrometres(defaultUnit) > 0) {
        calibration.setDefaultUnitKey(defaultUnit);
    }
    return calibration;
}

bool PrimitiveCalibration::operator==(const PrimitiveCalibration& other) const
{
    return m_name == other.m_name && m_pixelsPerUnitX == other.m_pixelsPerUnitX &&
           m_pixelsPerUnitY == other.m_pixelsPerUnitY && m_unitKey == other.m_unitKey &&
           m_defaultUnitKey == other.m_defaultUnitKey;
}

} // namespace vrx
