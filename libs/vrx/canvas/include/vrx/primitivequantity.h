#pragma once

#include <QString>

namespace vrx {

/// The quantities a measurement tool reports. Each is one numeric column of the result table
/// (column = quantity + 2) and one line of a tool's label.
class PrimitiveQuantity final
{
public:
    enum Quantity : int
    {
        Length,
        Width,
        Height,
        Angle,
        Radius,
        Radius2,
        Diameter,
        Perimeter,
        Area,
        Distance,
        EdgeDistance,
        Count,
        QuantityCount
    };
    enum Kind
    {
        LengthKind, ///< converted with the calibration
        AreaKind,   ///< converted with the square of the calibration
        AngleKind,  ///< degrees
        CountKind   ///< a plain number
    };

    static Kind kind(int quantity);
    /// Translated column title, e.g. "Length".
    static QString title(int quantity);
    /// Short translated label prefix, e.g. "L".
    static QString prefix(int quantity);
    /// A value measured in pixels, in the unit whose size is `unitsPerPixel` pixels.
    static double convert(double pixelValue, int quantity, double unitsPerPixel);
    /// Value with its unit for a label: "12.35 mm", "90.00°", "7".
    static QString format(double value, int quantity, int decimals, const QString& unitSymbol);
};

} // namespace vrx
