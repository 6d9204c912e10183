#pragma once

#include <QList>

class QPoint;
class QWidget;

namespace QWK {

/// Whether a press at `windowPos` (coordinates of `window`, the title bar's top-level widget) should
/// drag the window: it falls on the visible title bar, but not on one of the `clickable` widgets
/// (system buttons, widgets visible to hit tests) nor on anything inside them.
bool isTitleBarDragArea(const QWidget* titleBar, const QWidget* window, const QPoint& windowPos,
                        const QList<const QWidget*>& clickable);

} // namespace QWK
