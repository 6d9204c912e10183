#pragma once

#include <QMap>
#include <QString>

namespace vrx {

/// Length units of the measurements: a key (stored in settings and files), a full name and
/// a symbol for labels, and the unit's size for conversions.
class PrimitiveUnit final
{
public:
    /// The picture pixel, the unit of an uncalibrated canvas.
    static QString pixelUnitKey();
    /// Key -> translated full name of every physical unit (not the pixel), in key order.
    static QMap<QString, QString> fullNameList();
    static bool isKnown(const QString& key);
    /// Full name of any key including the pixel; empty for an unknown key.
    static QString fullName(const QString& key);
    /// Short form for labels, e.g. "µm", "px".
    static QString symbol(const QString& key);
    /// Size of one unit in micrometres; 0 for the pixel and unknown keys.
    static double micrometres(const QString& key);
    /// Factor that turns a length in `from` into one in `to`; 0 when either is not physical.
    static double conversion(const QString& from, const QString& to);
};

} // namespace vrx
