#include "vrx/primitivequantity.h"

#include <QCoreApplication>

namespace vrx {

namespace {

struct QuantityInfo
{
    PrimitiveQuantity::Kind kind;
    const char* title;
    const char* prefix;
};

const QuantityInfo kQuantities[PrimitiveQuantity::QuantityCount] = {
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Length"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "L")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Width"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "W")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Height"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "H")},
    {PrimitiveQuantity::AngleKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Angle"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "\u2220")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Radius"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "R")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Radius 2"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "R2")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Diameter"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "D")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Perimeter"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "P")},
    {PrimitiveQuantity::AreaKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Area"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "S")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Distance"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "d")},
    {PrimitiveQuantity::LengthKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Edge Distance"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "e")},
    {PrimitiveQuantity::CountKind, QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "Count"),
     QT_TRANSLATE_NOOP("vrx::PrimitiveQuantity", "N")},
};

bool inRange(int quantity)
{
    return quantity >= 0 && quantity < PrimitiveQuantity::QuantityCount;
}

} // namespace

PrimitiveQuantity::Kind PrimitiveQuantity::kind(int quantity)
{
    return inRange(quantity) ? kQuantities[quantity].kind : CountKind;
}

QString PrimitiveQuantity::title(int quantity)
{
    return inRange(quantity) ? QCoreApplication::translate("vrx::PrimitiveQuantity", kQuantities[quantity].title)
                             : QString();
}

QString PrimitiveQuantity::prefix(int quantity)
{
    return inRange(quantity) ? QCoreApplication::translate("vrx::PrimitiveQuantity", kQuantities[quantity].prefix)
                             : QString();
}

double PrimitiveQuantity::convert(double pixelValue, int quantity, double unitsPerPixel)
{
    switch (kind(quantity)) {
    case LengthKind:
        return pixelValue * unitsPerPixel;
    case AreaKind:
        return pixelValue * unitsPerPixel * unitsPerPixel;
    default:
        return pixelValue;
    }
}

QString PrimitiveQuantity::format(double value, int quantity, int decimals, const QString& unitSymbol)
{
    switch (kind(quantity)) {
    case LengthKind:
        return QString::number(value, 'f', decimals) + QLatin1Char(' ') + unitSymbol;
    case AreaKind:
        return QString::number(value, 'f', decimals) + QLatin1Char(' ') + unitSymbol + QChar(0x00b2);
    case AngleKind:
        return QString::number(value, 'f', decimals) + QChar(0x00b0);
    default:
        return QString::number(value, 'f', 0);
    }
}

} // namespace vrx
