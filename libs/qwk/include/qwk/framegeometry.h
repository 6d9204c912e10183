#pragma once

#include <QRect>
#include <QSize>
#include <Qt>

namespace QWK {

/// Width in pixels of the band inside a frameless window's border that resizes the window.
constexpr int DefaultResizeBorder = 6;

/// The window edges that a point (in window coordinates) lies on, for a window of `size` whose resize
/// band is `border` pixels wide. Near a corner the band along each side widens to twice the border,
/// so corners are easy to catch. Points outside the window lie on no edge.
Qt::Edges resizeEdgesAt(const QSize& size, const QPoint& pos, int border = DefaultResizeBorder);

/// The cursor that shows a resize along `edges`; the arrow for no edge.
Qt::CursorShape resizeCursorFor(Qt::Edges edges);

/// The geometry after dragging `edges` of `start` by `delta`; the opposite edges stay where they were
/// and the size stays between `minimum` and `maximum`.
QRect resizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QSize& maximum);

} // namespace QWK
