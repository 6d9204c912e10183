#include "vrx/primitivetype.h"

#include <QCoreApplication>

namespace vrx {

namespace {

struct TypeInfo
{
    int type;
    const char* name;
    const char* icon;
};

const TypeInfo kTypes[] = {
    {PrimitiveType::Line, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Line"), "tool-line"},
    {PrimitiveType::CalibrationRuler, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Calibration ruler"), "tool-ruler"},
    {PrimitiveType::Polyline, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Polyline"), "tool-polyline"},
    {PrimitiveType::Rectangle, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Rectangle"), "tool-rectangle"},
    {PrimitiveType::Polygon, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Polygon"), "tool-polygon"},
    {PrimitiveType::Parallel, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Parallel lines"), "tool-parallel"},
    {PrimitiveType::PointToLine, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Point to line"), "tool-point-to-line"},
    {PrimitiveType::Perpendicular, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Perpendicular"), "tool-perpendicular"},
    {PrimitiveType::Angle, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Angle"), "tool-angle"},
    {PrimitiveType::AngleLines, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Angle of two lines"), "tool-angle-two-lines"},
    {PrimitiveType::Arc, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Arc"), "tool-arc"},
    {PrimitiveType::CircleCentre, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Circle (centre, radius)"), "tool-circle"},
    {PrimitiveType::Circle3Points, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Circle (three points)"), "tool-circle-3p"},
    {PrimitiveType::CircleDiameter, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Circle (diameter)"),
     "tool-circle-diameter"},
    {PrimitiveType::Annulus, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Annulus"), "tool-annulus"},
    {PrimitiveType::TwoCircles, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Two circles: centre distance"),
     "tool-two-circles"},
    {PrimitiveType::TwoCirclesGap, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Two circles: gap"), "tool-two-circles-min"},
    {PrimitiveType::TwoCirclesSpan, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Two circles: span"),
     "tool-two-circles-max"},
    {PrimitiveType::Counter, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Counter"), "tool-counter"},
    {PrimitiveType::Text, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Annotation"), "tool-text"},
    {PrimitiveType::ArrowOpen, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Arrow"), "tool-arrow"},
    {PrimitiveType::ArrowFilled, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Filled arrow"), "tool-arrow-filled"},
    {PrimitiveType::ArrowDouble, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Double arrow"), "tool-arrow-double"},
    {PrimitiveType::ArrowDimension, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Dimension arrow"), "tool-arrow-dimension"},
    {PrimitiveType::ArrowDot, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Dot leader"), "tool-arrow-leader"},
    {PrimitiveType::ScaleBar, QT_TRANSLATE_NOOP("vrx::PrimitiveType", "Scale bar"), "scale-bar"},
};

const TypeInfo* find(int type)
{
    for (const TypeInfo& info : kTypes) {
        if (info.type == type) {
            return &info;
        }
    }
    return nullptr;
}

} // namespace

const QList<int>& PrimitiveType::all()
{
    static const QList<int> types = [] {
        QList<int> list;
        for (const TypeInfo& info : kTypes) {
            list.append(info.type);
        }
        return list;
    }();
    return types;
}

bool PrimitiveType::isKnown(int type)
{
    return find(type) != nullptr;
}

bool PrimitiveType::isDimension(int type)
{
    return isKnown(type) && type != CalibrationRuler && type != ScaleBar;
}

QString PrimitiveType::name(int type)
{
    const TypeInfo* info = find(type);
    return info ? QCoreApplication::translate("vrx::PrimitiveType", info->name) : QString();
}

QString PrimitiveType::iconName(int type)
{
    const TypeInfo* info = find(type);
    return info ? QString::fromLatin1(info->icon) : QString();
}

} // namespace vrx
