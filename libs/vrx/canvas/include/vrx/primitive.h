#pragma once

#include <QFont>
#include <QGraphicsObject>
#include <QHash>
#include <QPainterPath>
#include <QPen>
#include <QPointer>
#include <QVariant>
#include <QVector>

namespace vrx {

class PrimitiveHandle;
class PrimitiveLabel;
class PrimitiveManager;

/// Base of every tool drawn on the picture: its points (item coordinates), the pen and label
/// attributes, a value label that follows it, handles to edit the points while selected, and
/// the press / move / release steps of drawing it with the mouse.
class Primitive : public QGraphicsObject
{
    Q_OBJECT
public:
    explicit Primitive(int type, QGraphicsItem* parent = nullptr);
    ~Primitive() override;

    int type() const override { return m_type; }
    /// Whether the item is a tool of the result table (has an id and values).
    static bool isDimensionTool(QGraphicsItem* item);

    /// Points of a finished tool; 0 for tools taking any number of at least minimumPointCount().
    virtual int pointCount() const = 0;
    virtual int minimumPointCount() const { return pointCount(); }
    bool acceptsPointCount(int count) const;
    const QVector<QPointF>& points() const { return m_points; }
    /// Replaces all points; false (nothing changed) when the count does not suit the tool or a
    /// point is not finite.
    bool setPoints(const QVector<QPointF>& points);
    /// Moves one point, keeping the tool's constraints (a perpendicular stays perpendicular).
    void setPoint(int index, const QPointF& point);
    /// True when every point the tool needs is there (always true for a finished tool).
    bool isComplete() const;

    // Drawing with the mouse, in item coordinates.
    bool isDrawing() const { return m_drawing; }
    void beginDrawing(const QPointF& point);
    void moveDrawingPoint(const QPointF& point);
    /// Fixes the point under the mouse; true when the tool is complete.
    bool commitDrawingPoint();
    /// Adds a mark to a tool that does not follow the mouse; true when the tool is complete.
    bool addDrawingPoint(const QPointF& point);
    /// Ends a tool with a variable number of points; false when it has too few.
    bool finishDrawing();
    /// Whether a point follows the mouse between clicks (false: every click sets a mark).
    virtual bool followsMouse() const { return true; }

    QHash<QString, QVariant> attributes() const;
    void setAttributes(const QHash<QString, QVariant>& attributes);
    QPen pen() const { return m_pen; }
    QFont font() const { return m_font; }
    QColor textColor() const { return m_textColor; }
    bool isLabelShown() const { return m_showLabel; }

    void setManager(PrimitiveManager* manager);
    PrimitiveManager* manager() const;

    /// The label's current text (values in the manager's unit and decimals).
    QString labelText() const;
    /// Re-measures and re-formats after a change of unit, decimals or view scale.
    void refresh();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    /// The points changed (drawn, edited, loaded).
    void geometryChanged();
    void selectedChanged(bool selected);

protected:
    /// The outline in item coordinates, stroked with the pen; rebuilt when the points change.
    virtual QPainterPath buildPath() const = 0;
    /// Marks drawn at screen size (arrow heads, counter marks); `pixel` is one screen pixel
    /// in item units.
    virtual void paintDecorations(QPainter* painter, double pixel) const;
    /// Size of the decorations in screen pixels, for the bounding rectangle.
    virtual double decorationSize() const { return 0; }
    /// Where the label sits; the last point by default.
    virtual QPointF labelAnchor() const;
    virtual QString buildLabelText() const { return QString(); }
    /// Closed outlines can be picked inside, not only on the line.
    virtual bool isClosed() const { return false; }
    virtual QPointF constrainPoint(int index, const QPointF& point) const;
    /// Called after the points changed, before the label is rebuilt.
    virtual void measure() {}

    /// The tool's pen in another style, for guide lines and marks.
    QPen penWithStyle(Qt::PenStyle style) const;
    /// The points while drawing or a polyline through them: what an incomplete tool shows.
    QPainterPath polylinePath(bool closed = false) const;
    /// One screen pixel in item units, as the manager's view shows it.
    double screenPixel() const;
    /// Label formatting as the manager has it (pixels and 2 decimals without a manager).
    double unitsPerPixel() const;
    /// Height over width of a picture pixel in the manager's calibration (1 without one).
    double pixelAspect() const;
    int decimals() const;
    QString unitSymbol() const;

    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    friend class PrimitiveManager;
    void pointsChanged();
    void rebuildBounds();
    void syncHandles();
    void updateLabel();

    const int m_type;
    QVector<QPointF> m_points;
    bool m_drawing = false;
    QPointer<PrimitiveManager> m_manager;
    QPen m_pen;
    QFont m_font;
    QColor m_textColor;
    QColor m_labelBrush;
    bool m_showLabel = true;
    QPainterPath m_path;
    QRectF m_bounds;
    mutable QPainterPath m_shape;
    mutable bool m_shapeDirty = true;
    PrimitiveLabel* m_label = nullptr;
    QVector<PrimitiveHandle*> m_handles;
};

} // namespace vrx
