#include "qwk/titlebarhittest.h"

#include <QWidget>

namespace QWK {

bool isTitleBarDragArea(const QWidget* titleBar, const QWidget* window, const QPoint& windowPos,
                        const QList<const QWidget*>& clickable)
{
    if (!titleBar || !window || titleBar->window() != window || !titleBar->isVisible())
        return false;

    const QPoint pos = titleBar->mapFrom(window, windowPos);
    if (!titleBar->rect().contains(pos))
        return false;

    // The press goes to the deepest widget under it; it is a click if that widget or any of its
    // parents up to the title bar takes its own clicks.
    const QWidget* hit = titleBar->childAt(pos);
    for (const QWidget* w = hit ? hit : titleBar; w; w = (w == titleBar) ? nullptr : w->parentWidget()) {
        if (clickable.contains(w))
            return false;
    }
    return true;
}

} // namespace QWK
