#include "vrx/primitiveunit.h"

#include <QCoreApplication>

namespace vrx {

namespace {

struct UnitInfo
{
    const char* key;
    const char* fullName;
    const char* symbol;
    double micrometres;
};

const UnitInfo kUnits[] = {
    {"px", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Pixel"), "px", 0},
    {"nm", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Nanometer"), "nm", 1e-3},
    {"um", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Micrometer"), "\u00b5m", 1},
    {"mm", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Millimeter"), "mm", 1e3},
    {"cm", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Centimeter"), "cm", 1e4},
    {"m", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Meter"), "m", 1e6},
    {"mil", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Mil"), "mil", 25.4},
    {"inch", QT_TRANSLATE_NOOP("vrx::PrimitiveUnit", "Inch"), "in", 25400},
};

const UnitInfo* find(const QString& key)
{
    for (const UnitInfo& info : kUnits) {
        if (key == QLatin1String(info.key)) {
            return &info;
        }
    }
    return nullptr;
}

} // namespace

QString PrimitiveUnit::pixelUnitKey()
{
    return QStringLiteral("px");
}

QMap<QString, QString> PrimitiveUnit::fullNameList()
{
    QMap<QString, QString> map;
    for (const UnitInfo& info : kUnits) {
        if (info.micrometres > 0) {
            map.insert(QString::fromLatin1(info.key), QCoreApplication::translate("vrx::PrimitiveUnit", info.fullName));
        }
    }
    return map;
}

bool PrimitiveUnit::isKnown(const QString& key)
{
    return find(key) != nullptr;
}

QString PrimitiveUnit::fullName(const QString& key)
{
    const UnitInfo* info = find(key);
    return info ? QCoreApplication::translate("vrx::PrimitiveUnit", info->fullName) : QString();
}

QString PrimitiveUnit::symbol(const QString& key)
{
    const UnitInfo* info = find(key);
    return info ? QString::fromUtf8(info->symbol) : QString();
}

double PrimitiveUnit::micrometres(const QString& key)
{
    const UnitInfo* info = find(key);
    return info ? info->micrometres : 0;
}

double PrimitiveUnit::conversion(const QString& from, const QString& to)
{
    const double a = micrometres(from), b = micrometres(to);
    return a > 0 && b > 0 ? a / b : 0;
}

} // namespace vrx
