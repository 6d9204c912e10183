#include "vrx/primitivefactory.h"

#include "vrx/primitiveangle.h"
#include "vrx/primitiveanglelines.h"
#include "vrx/primitiveannulus.h"
#include "vrx/primitivearc.h"
#include "vrx/primitivearrow.h"
#include "vrx/primitiveattribute.h"
#include "vrx/primitivecalibrationruler.h"
#include "vrx/primitivecircle.h"
#include "vrx/primitivecounter.h"
#include "vrx/primitiveline.h"
#include "vrx/primitivemanager.h"
#include "vrx/primitiveparallel.h"
#include "vrx/primitiveperpendicular.h"
#include "vrx/primitivepolygon.h"
#include "vrx/primitivepolyline.h"
#include "vrx/primitiverectangle.h"
#include "vrx/primitivescalebar.h"
#include "vrx/primitivetext.h"
#include "vrx/primitivetwocircles.h"
#include "vrx/primitivetype.h"

#include <QColor>
#include <QDebug>
#include <QFont>
#include <QGraphicsScene>
#include <QJsonArray>
#include <cmath>

namespace vrx {

namespace {

const QString kType = QStringLiteral("type");
const QString kX = QStringLiteral("x");
const QString kY = QStringLiteral("y");
const QString kPoints = QStringLiteral("points");
const QString kAttributes = QStringLiteral("attributes");
const QString kNote = QStringLiteral("note");

// Tools files stay far below this; anything larger is not a tools file.
constexpr int kMaxPoints = 100000;
// Pictures are far smaller than this; a coordinate beyond it is not a picture position.
constexpr double kMaxCoordinate = 1e7;

QJsonValue attributeToJson(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QColor:
        return value.value<QColor>().name(QColor::HexArgb);
    case QMetaType::QFont:
        return value.value<QFont>().toString();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
        return value.toInt();
    default:
        return QJsonValue::fromVariant(value);
    }
}

// A value of the kind of `like`, or an invalid variant when the JSON value does not fit.
QVariant attributeFromJson(const QJsonValue& json, const QVariant& like)
{
    switch (like.userType()) {
    case QMetaType::QColor: {
        const QColor color(json.toString());
        return json.isString() && color.isValid() ? QVariant(color) : QVariant();
    }
    case QMetaType::QFont: {
        QFont font;
        return json.isString() && font.fromString(json.toString()) ? QVariant(font) : QVariant();
    }
    case QMetaType::Bool:
        return json.isBool() ? QVariant(json.toBool()) : QVariant();
    case QMetaType::Int:
        return json.isDouble() && std::isfinite(json.toDouble()) ? QVariant(int(json.toDouble())) : QVariant();
    default:
        return QVariant();
    }
}

bool readNumber(const QJsonValue& value, double* out)
{
    if (!value.isDouble() || !(std::abs(value.toDouble()) <= kMaxCoordinate)) {
        return false;
    }
    *out = value.toDouble();
    return true;
}

} // namespace

Primitive* PrimitiveFactory::create(int type)
{
    switch (type) {
    case PrimitiveType::Line:
        return new PrimitiveLine;
    case PrimitiveType::CalibrationRuler:
        return new PrimitiveCalibrationRuler;
    case PrimitiveType::Polyline:
        return new PrimitivePolyline;
    case PrimitiveType::Rectangle:
        return new PrimitiveRectangle;
    case PrimitiveType::Polygon:
        return new PrimitivePolygon;
    case PrimitiveType::Parallel:
        return new PrimitiveParallel;
    case PrimitiveType::PointToLine:
    case PrimitiveType::Perpendicular:
        return new PrimitivePerpendicular(type);
    case PrimitiveType::Angle:
        return new PrimitiveAngle;
    case PrimitiveType::AngleLines:
        return new PrimitiveAngleLines;
    case PrimitiveType::Arc:
        return new PrimitiveArc;
    case PrimitiveType::CircleCentre:
    case PrimitiveType::Circle3Points:
    case PrimitiveType::CircleDiameter:
        return new PrimitiveCircle(type);
    case PrimitiveType::Annulus:
        return new PrimitiveAnnulus;
    case PrimitiveType::TwoCircles:
    case PrimitiveType::TwoCirclesGap:
    case PrimitiveType::TwoCirclesSpan:
        return new PrimitiveTwoCircles(type);
    case PrimitiveType::Counter:
        return new PrimitiveCounter;
    case PrimitiveType::Text:
        return new PrimitiveText;
    case PrimitiveType::ArrowOpen:
    case PrimitiveType::ArrowFilled:
    case PrimitiveType::ArrowDouble:
    case PrimitiveType::ArrowDimension:
    case PrimitiveType::ArrowDot:
        return new PrimitiveArrow(type);
    case PrimitiveType::ScaleBar:
        return new PrimitiveScaleBar;
    default:
        return nullptr;
    }
}

QJsonObject PrimitiveFactory::toJsonObject(QGraphicsObject* object)
{
    auto* tool = dynamic_cast<Primitive*>(object);
    if (!tool) {
        return QJsonObject();
    }
    QJsonArray points;
    for (const QPointF& p : tool->points()) {
        points.append(QJsonArray{p.x(), p.y()});
    }
    QJsonObject attributes;
    const QHash<QString, QVariant> values = tool->attributes();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        attributes.insert(it.key(), attributeToJson(it.value()));
    }
    QJsonObject json{{kType, tool->type()},
                     {kX, tool->pos().x()},
                     {kY, tool->pos().y()},
                     {kPoints, points},
                     {kAttributes, attributes}};
    if (auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(tool)) {
        json.insert(kNote, dimension->note());
    }
    return json;
}

QGraphicsObject* PrimitiveFactory::getObject(const QJsonObject& object, double* x, double* y, PrimitiveManager* manager,
                                             QGraphicsScene* scene)
{
    double typeNumber = 0;
    if (!readNumber(object.value(kType), &typeNumber) || typeNumber != std::floor(typeNumber) ||
        !PrimitiveType::isKnown(int(typeNumber))) {
        qWarning() << "tool object without a known type:" << object.value(kType);
        return nullptr;
    }
    const int type = int(typeNumber);
    double px = 0, py = 0;
    if ((object.contains(kX) && !readNumber(object.value(kX), &px)) ||
        (object.contains(kY) && !readNumber(object.value(kY), &py))) {
        qWarning() << "tool object with a bad position";
        return nullptr;
    }
    const QJsonValue pointsValue = object.value(kPoints);
    if (!pointsValue.isArray() || pointsValue.toArray().size() > kMaxPoints) {
        qWarning() << "tool object without points";
        return nullptr;
    }
    QVector<QPointF> points;
    for (const QJsonValue& value : pointsValue.toArray()) {
        const QJsonArray pair = value.toArray();
        double vx = 0, vy = 0;
        if (!value.isArray() || pair.size() != 2 || !readNumber(pair[0], &vx) || !readNumber(pair[1], &vy)) {
            qWarning() << "tool object with a bad point:" << value;
            return nullptr;
        }
        points.append(QPointF(vx, vy));
    }
    Primitive* tool = create(type);
    if (!tool->setPoints(points)) {
        qWarning() << "tool object of type" << Qt::hex << type << "with" << Qt::dec << points.size() << "points";
        delete tool;
        return nullptr;
    }
    // The type's defaults, then what the file says; unreadable attributes keep the default.
    QHash<QString, QVariant> attributes = PrimitiveAttribute::attributes(type);
    const QJsonObject stored = object.value(kAttributes).toObject();
    for (auto it = attributes.begin(); it != attributes.end(); ++it) {
        if (stored.contains(it.key())) {
            const QVariant value = attributeFromJson(stored.value(it.key()), it.value());
            if (value.isValid()) {
                it.value() = value;
            }
        }
    }
    tool->setAttributes(attributes);
    if (auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(tool)) {
        if (object.value(kNote).isString()) {
            dimension->setNote(object.value(kNote).toString());
        }
    }
    tool->setPos(px, py);
    if (manager) {
        tool->setManager(manager);
    } else if (scene) {
        scene->addItem(tool);
    }
    if (x) {
        *x = px;
    }
    if (y) {
        *y = py;
    }
    return tool;
}

} // namespace vrx
