#pragma once

#include <QGraphicsItem>
#include <QList>
#include <QString>

namespace vrx {

/// The tool-type codes (QGraphicsItem types) with their display names and icons.
class PrimitiveType final
{
public:
    enum Type : int
    {
        ArrowOpen = QGraphicsItem::UserType + 0x01,
        ArrowFilled = QGraphicsItem::UserType + 0x02,
        ArrowDouble = QGraphicsItem::UserType + 0x03,
        ArrowDimension = QGraphicsItem::UserType + 0x04,
        ArrowDot = QGraphicsItem::UserType + 0x05,
        Text = QGraphicsItem::UserType + 0x06,
        Line = QGraphicsItem::UserType + 0x65,
        CalibrationRuler = QGraphicsItem::UserType + 0x66,
        Polyline = QGraphicsItem::UserType + 0x67,
        Rectangle = QGraphicsItem::UserType + 0x68,
        Polygon = QGraphicsItem::UserType + 0x69,
        Parallel = QGraphicsItem::UserType + 0x6B,
        PointToLine = QGraphicsItem::UserType + 0x6C,
        Perpendicular = QGraphicsItem::UserType + 0x6D,
        Angle = QGraphicsItem::UserType + 0x6F,
        AngleLines = QGraphicsItem::UserType + 0x70,
        Arc = QGraphicsItem::UserType + 0x71,
        CircleCentre = QGraphicsItem::UserType + 0x72,
        Circle3Points = QGraphicsItem::UserType + 0x73,
        CircleDiameter = QGraphicsItem::UserType + 0x74,
        Annulus = QGraphicsItem::UserType + 0x75,
        TwoCircles = QGraphicsItem::UserType + 0x76,
        TwoCirclesGap = QGraphicsItem::UserType + 0x77,
        TwoCirclesSpan = QGraphicsItem::UserType + 0x78,
        Counter = QGraphicsItem::UserType + 0xCA,
        ScaleBar = QGraphicsItem::UserType + 0x12E,
    };

    /// Every type, in the order the palette offers them.
    static const QList<int>& all();
    static bool isKnown(int type);
    /// The tools that appear in the result table (all but the calibration ruler and scale bar).
    static bool isDimension(int type);
    /// Translated name, e.g. "Line"; empty for an unknown type.
    static QString name(int type);
    /// Icon-theme name of the tool's action.
    static QString iconName(int type);
};

} // namespace vrx
