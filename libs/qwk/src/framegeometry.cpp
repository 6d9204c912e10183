#include "qwk/framegeometry.h"

#include <QtGlobal>

namespace QWK {

Qt::Edges resizeEdgesAt(const QSize& size, const QPoint& pos, int border)
{
    if (border <= 0 || !QRect(QPoint(0, 0), size).contains(pos))
        return {};

    const int w = size.width();
    const int h = size.height();
    Qt::Edges edges;
    if (pos.x() < border)
        edges |= Qt::LeftEdge;
    else if (pos.x() >= w - border)
        edges |= Qt::RightEdge;
    if (pos.y() < border)
        edges |= Qt::TopEdge;
    else if (pos.y() >= h - border)
        edges |= Qt::BottomEdge;

    const int corner = 2 * border;
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && !vertical) {
        if (pos.y() < corner)
            edges |= Qt::TopEdge;
        else if (pos.y() >= h - corner)
            edges |= Qt::BottomEdge;
    } else if (vertical && !horizontal) {
        if (pos.x() < corner)
            edges |= Qt::LeftEdge;
        else if (pos.x() >= w - corner)
            edges |= Qt::RightEdge;
    }
    return edges;
}

Qt::CursorShape resizeCursorFor(Qt::Edges edges)
{
    const bool left = edges & Qt::LeftEdge;
    const bool right = edges & Qt::RightEdge;
    const bool top = edges & Qt::TopEdge;
    const bool bottom = edges & Qt::BottomEdge;
    if ((top && left) || (bottom && right))
        return Qt::SizeFDiagCursor;
    if ((top && right) || (bottom && left))
        return Qt::SizeBDiagCursor;
    if (left || right)
        return Qt::SizeHorCursor;
    if (top || bottom)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

QRect resizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum)
{
    QRect result = start;
    if (edges & Qt::LeftEdge) {
        const int width = qBound(minimum.width(), start.width() - delta.x(), maximum.width());
        result.setLeft(start.left() + start.width() - width);
    } else if (edges & Qt::RightEdge) {
        result.setWidth(qBound(minimum.width(), start.width() + delta.x(), maximum.width()));
    }
    if (edges & Qt::TopEdge) {
        const int height = qBound(minimum.height(), start.height() - delta.y(), maximum.height());
        result.setTop(start.top() + start.height() - height);
    } else if (edges & Qt::BottomEdge) {
        result.setHeight(qBound(minimum.height(), start.height() + delta.y(), maximum.height()));
    }
    return result;
}

} // namespace QWK
