#include "vrx/primitive.h"

#include "primitivehandle.h"
#include "primitivelabel.h"
#include "vrx/primitiveattribute.h"
#include "vrx/primitivedimensiontool.h"
#include "vrx/primitivemanager.h"
#include "vrx/primitivetype.h"
#include "vrx/primitiveunit.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>
#include <cmath>

namespace vrx {

namespace {
// Screen pixels around a line within which a click picks the tool.
constexpr double kPickWidth = 8;

bool finite(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}
} // namespace

Primitive::Primitive(int type, QGraphicsItem* parent) : QGraphicsObject(parent), m_type(type)
{
    setFlags(ItemIsSelectable | ItemIsMovable);
    m_label = new PrimitiveLabel(this);
    m_label->setZValue(1);
    setAttributes(PrimitiveAttribute::builtinAttributes(type));
}

Primitive::~Primitive() = default;

bool Primitive::isDimensionTool(QGraphicsItem* item)
{
    return item && PrimitiveType::isDimension(item->type()) && dynamic_cast<PrimitiveDimensionTool*>(item) != nullptr;
}

bool Primitive::acceptsPointCount(int count) const
{
    return pointCount() > 0 ? count == pointCount() : count >= minimumPointCount();
}

bool Primitive::setPoints(const QVector<QPointF>& points)
{
    if (!acceptsPointCount(points.size())) {
        return false;
    }
    for (const QPointF& p : points) {
        if (!finite(p)) {
            return false;
        }
    }
    m_drawing = false;
    m_points = points;
    // Constraints hold for loaded points too.
    for (int i = 0; i < m_points.size(); ++i) {
        m_points[i] = constrainPoint(i, m_points[i]);
    }
    pointsChanged();
    return true;
}

void Primitive::setPoint(int index, const QPointF& point)
{
    if (index < 0 || index >= m_points.size() || !finite(point)) {
        return;
    }
    m_points[index] = constrainPoint(index, point);
    // A moved base line carries its dependent points along.
    for (int i = index + 1; i < m_points.size(); ++i) {
        m_points[i] = constrainPoint(i, m_points[i]);
    }
    pointsChanged();
}

bool Primitive::isComplete() const
{
    return pointCount() > 0 ? m_points.size() == pointCount() : m_points.size() >= minimumPointCount();
}

void Primitive::beginDrawing(const QPointF& point)
{
    m_drawing = true;
    m_points = {point};
    if (followsMouse()) {
        m_points.append(point);
    }
    pointsChanged();
}

void Primitive::moveDrawingPoint(const QPointF& point)
{
    if (!m_drawing || !followsMouse() || m_points.isEmpty() || !finite(point)) {
        return;
    }
    m_points.last() = constrainPoint(m_points.size() - 1, point);
    pointsChanged();
}

bool Primitive::commitDrawingPoint()
{
    if (!m_drawing) {
        return true;
    }
    if (pointCount() > 0 && m_points.size() >= pointCount()) {
        m_drawing = false;
        pointsChanged();
        return true;
    }
    if (followsMouse()) {
        m_points.append(m_points.last());
    }
    pointsChanged();
    return false;
}

bool Primitive::addDrawingPoint(const QPointF& point)
{
    if (!m_drawing || followsMouse() || !finite(point)) {
        return !m_drawing;
    }
    m_points.append(point);
    const bool complete = pointCount() > 0 && m_points.size() >= pointCount();
    m_drawing = !complete;
    pointsChanged();
    return complete;
}

bool Primitive::finishDrawing()
{
    if (!m_drawing) {
        return isComplete();
    }
    QVector<QPointF> points = m_points;
    if (followsMouse() && !points.isEmpty()) {
        points.removeLast(); // the point under the mouse, not clicked
    }
    // A double click leaves the same point twice.
    for (int i = points.size() - 1; i > 0; --i) {
        if (points[i] == points[i - 1] && followsMouse()) {
            points.remove(i);
        }
    }
    if (!acceptsPointCount(points.size())) {
        return false;
    }
    m_points = points;
    m_drawing = false;
    pointsChanged();
    return true;
}

QHash<QString, QVariant> Primitive::attributes() const
{
    return {{PrimitiveAttribute::PenColor, m_pen.color()},      {PrimitiveAttribute::PenWidth, int(m_pen.widthF())},
            {PrimitiveAttribute::PenStyle, int(m_pen.style())}, {PrimitiveAttribute::Font, m_font},
            {PrimitiveAttribute::TextColor, m_textColor},       {PrimitiveAttribute::ShowLabel, m_showLabel},
            {PrimitiveAttribute::LabelBrush, m_labelBrush}};
}

void Primitive::setAttributes(const QHash<QString, QVariant>& attributes)
{
    auto value = [&](const QString& key) {
        return attributes.contains(key) ? attributes.value(key) : this->attributes().value(key);
    };
    const QColor penColor = value(PrimitiveAttribute::PenColor).value<QColor>();
    const int width = qBound(1, value(PrimitiveAttribute::PenWidth).toInt(), 20);
    int style = value(PrimitiveAttribute::PenStyle).toInt();
    if (style < int(Qt::SolidLine) || style > int(Qt::DashDotDotLine)) {
        style = int(Qt::SolidLine);
    }
    // Cosmetic: lines keep their screen width at any zoom, so they never hide what is measured.
    m_pen = QPen(penColor.isValid() ? penColor : QColor(Qt::green), width, Qt::PenStyle(style), Qt::RoundCap,
                 Qt::RoundJoin);
    m_pen.setCosmetic(true);
    m_font = value(PrimitiveAttribute::Font).value<QFont>();
    m_textColor = value(PrimitiveAttribute::TextColor).value<QColor>();
    if (!m_textColor.isValid()) {
        m_textColor = m_pen.color();
    }
    m_labelBrush = value(PrimitiveAttribute::LabelBrush).value<QColor>();
    m_showLabel = value(PrimitiveAttribute::ShowLabel).toBool();
    m_label->setLook(m_font, m_textColor, m_labelBrush);
    m_label->setVisible(m_showLabel);
    rebuildBounds();
    update();
}

void Primitive::setManager(PrimitiveManager* manager)
{
    m_manager = manager;
    refresh();
}

PrimitiveManager* Primitive::manager() const
{
    return m_manager;
}

QString Primitive::labelText() const
{
    return m_label->text();
}

void Primitive::refresh()
{
    pointsChanged();
}

QRectF Primitive::boundingRect() const
{
    return m_bounds;
}

QPainterPath Primitive::shape() const
{
    if (m_shapeDirty) {
        QPainterPathStroker stroker;
        stroker.setWidth(qMax(kPickWidth, m_pen.widthF() + 4) * screenPixel());
        stroker.setCapStyle(Qt::RoundCap);
        m_shape = stroker.createStroke(m_path);
        if (isClosed()) {
            m_shape.addPath(m_path);
            m_shape.setFillRule(Qt::WindingFill);
        }
        for (const QPointF& p : m_points) {
            const double r = kPickWidth * screenPixel();
            m_shape.addEllipse(p, r, r);
        }
        m_shapeDirty = false;
    }
    return m_shape;
}

void Primitive::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setPen(m_pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);
    if (decorationSize() > 0) {
        const QTransform& t = painter->worldTransform();
        const double scale = std::sqrt(std::abs(t.determinant()));
        paintDecorations(painter, scale > 0 ? 1 / scale : 1);
    }
}

void Primitive::paintDecorations(QPainter*, double) const {}

QPointF Primitive::labelAnchor() const
{
    return m_points.isEmpty() ? QPointF() : m_points.last();
}

QPointF Primitive::constrainPoint(int, const QPointF& point) const
{
    return point;
}

QPen Primitive::penWithStyle(Qt::PenStyle style) const
{
    QPen pen = m_pen;
    pen.setStyle(style);
    return pen;
}

QPainterPath Primitive::polylinePath(bool closed) const
{
    QPainterPath path;
    if (m_points.isEmpty()) {
        return path;
    }
    path.moveTo(m_points.first());
    for (int i = 1; i < m_points.size(); ++i) {
        path.lineTo(m_points[i]);
    }
    if (closed && m_points.size() > 2) {
        path.closeSubpath();
    }
    return path;
}

double Primitive::screenPixel() const
{
    return m_manager ? m_manager->screenPixel() : 1;
}

double Primitive::unitsPerPixel() const
{
    return m_manager ? m_manager->unitsPerPixel() : 1;
}

double Primitive::pixelAspect() const
{
    return m_manager ? m_manager->pixelAspect() : 1;
}

int Primitive::decimals() const
{
    return m_manager ? m_manager->decimalPlaces() : 2;
}

QString Primitive::unitSymbol() const
{
    return m_manager ? PrimitiveUnit::symbol(m_manager->currentUnitKey())
                     : PrimitiveUnit::symbol(PrimitiveUnit::pixelUnitKey());
}

QVariant Primitive::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemSelectedHasChanged) {
        syncHandles();
        emit selectedChanged(value.toBool());
    }
    return QGraphicsObject::itemChange(change, value);
}

void Primitive::pointsChanged()
{
    m_path = buildPath();
    m_shapeDirty = true;
    rebuildBounds();
    measure();
    updateLabel();
    syncHandles();
    update();
    emit geometryChanged();
}

void Primitive::rebuildBounds()
{
    prepareGeometryChange();
    QRectF rect = m_path.controlPointRect();
    for (const QPointF& p : m_points) {
        rect |= QRectF(p, QSizeF(0, 0));
    }
    const double margin = (qMax(decorationSize(), kPickWidth) + m_pen.widthF()) * screenPixel();
    m_bounds = rect.adjusted(-margin, -margin, margin, margin);
    m_shapeDirty = true;
}

void Primitive::syncHandles()
{
    const int wanted = isSelected() && !m_drawing ? m_points.size() : 0;
    while (m_handles.size() > wanted) {
        delete m_handles.takeLast();
    }
    while (m_handles.size() < wanted) {
        m_handles.append(new PrimitiveHandle(this, m_handles.size()));
    }
    for (int i = 0; i < m_handles.size(); ++i) {
        m_handles[i]->setPos(m_points[i]);
    }
}

void Primitive::updateLabel()
{
    m_label->setText(buildLabelText());
    m_label->setPos(labelAnchor());
}

} // namespace vrx
