#include "qwk/widgetwindowagent.h"

#include "qwk/framegeometry.h"
#include "qwk/titlebarhittest.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <QtDebug>

namespace QWK {

namespace {

constexpr Qt::WindowStates kFillsScreen = Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

WidgetWindowAgent::WidgetWindowAgent(QWidget* parent) : WindowAgentBase(parent), m_resizeBorder(DefaultResizeBorder) {}

WidgetWindowAgent::~WidgetWindowAgent() = default;

bool WidgetWindowAgent::setup(QWidget* window)
{
    if (!window) {
        qWarning() << "WidgetWindowAgent: no window to set up";
        return false;
    }
    if (m_host) {
        if (m_host == window)
            return true;
        qWarning() << "WidgetWindowAgent: already serving" << m_host << "- cannot also serve" << window;
        return false;
    }
    if (!window->isWindow()) {
        qWarning() << "WidgetWindowAgent:" << window << "is not a top-level widget";
        return false;
    }

    m_host = window;
    // Changing the flags of a shown window hides it; show it again as it was.
    const bool wasVisible = window->isVisible();
    window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint);
    if (wasVisible)
        window->show();

    // The native window may not exist yet, and may be replaced later; the widget's own events say when.
    window->installEventFilter(this);
    attachWindowHandle();
    return true;
}

void WidgetWindowAgent::setTitleBar(QWidget* titleBar)
{
    m_titleBar = titleBar;
}

QWidget* WidgetWindowAgent::systemButton(SystemButton button) const
{
    return m_systemButtons.value(button);
}

void WidgetWindowAgent::setSystemButton(SystemButton button, QWidget* widget)
{
    if (button == Unknown) {
        qWarning() << "WidgetWindowAgent: ignoring a system button of unknown kind";
        return;
    }
    if (widget)
        m_systemButtons.insert(button, widget);
    else
        m_systemButtons.remove(button);
}

bool WidgetWindowAgent::isHitTestVisible(const QWidget* widget) const
{
    return widget && m_hitTestVisible.contains(widget);
}

void WidgetWindowAgent::setHitTestVisible(const QWidget* widget, bool visible)
{
    if (!widget)
        return;
    m_hitTestVisible.removeAll(nullptr); // forget widgets deleted since
    const bool known = m_hitTestVisible.contains(widget);
    if (visible && !known)
        m_hitTestVisible.append(widget);
    else if (!visible && known)
        m_hitTestVisible.removeAll(widget);
}

void WidgetWindowAgent::setResizeBorderWidth(int pixels)
{
    m_resizeBorder = qMax(0, pixels);
}

bool WidgetWindowAgent::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host) {
        if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show)
            attachWindowHandle();
        return false;
    }
    if (m_host && m_windowHandle && watched == m_windowHandle)
        return handleWindowEvent(event);
    return false;
}

void WidgetWindowAgent::attachWindowHandle()
{
    QWindow* handle = m_host ? m_host->windowHandle() : nullptr;
    if (handle == m_windowHandle)
        return;
    if (m_windowHandle)
        m_windowHandle->removeEventFilter(this);
    m_windowHandle = handle;
    m_drag = Drag::None;
    m_cursorOverridden = false;
    if (handle)
        handle->installEventFilter(this);
}

bool WidgetWindowAgent::handleWindowEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return handlePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return handleMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || m_drag == Drag::None)
            return false;
        m_drag = Drag::None;
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return handleDoubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        if (m_cursorOverridden)
            restoreCursor(QPoint(-1, -1));
        return false;
    default:
        return false;
    }
}

bool WidgetWindowAgent::handlePress(QMouseEvent* event)
{
    // A press always starts afresh: after a system move or resize the release may never arrive.
    m_drag = Drag::None;
    if (event->button() != Qt::LeftButton)
        return false;

    const QPoint pos = event->pos();
    const Qt::Edges edges = edgesAt(pos);
    if (edges) {
        m_dragEdges = edges;
        if (m_windowHandle->startSystemResize(edges))
            m_drag = Drag::System;
        else
            beginManualDrag(Drag::ManualResize, event->globalPos());
        return true;
    }
    if (isDragArea(pos)) {
        // The move starts with the first motion, so that a click or a double click stays one.
        m_drag = Drag::MovePending;
        m_pressGlobalPos = event->globalPos();
        return true;
    }
    return false;
}

bool WidgetWindowAgent::handleMove(QMouseEvent* event)
{
    if (m_drag != Drag::None && !(event->buttons() & Qt::LeftButton))
        m_drag = Drag::None; // the release went elsewhere

    switch (m_drag) {
    case Drag::None:
        // Over the band the mouse belongs to the frame: passed on, the move would let the widget under
        // it put its own cursor back.
        return updateCursor(event->pos());
    case Drag::MovePending:
        if (event->globalPos() == m_pressGlobalPos)
            return true;
        if (m_windowHandle->startSystemMove()) {
            m_drag = Drag::System;
        } else {
            beginManualDrag(Drag::ManualMove, m_pressGlobalPos);
            updateManualDrag(event->globalPos());
        }
        return true;
    case Drag::ManualMove:
    case Drag::ManualResize:
        updateManualDrag(event->globalPos());
        return true;
    case Drag::System:
        return true;
    }
    return false;
}

bool WidgetWindowAgent::handleDoubleClick(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint pos = event->pos();
    if (edgesAt(pos))
        return true; // the press went to a resize; keep the pair together
    if (!isDragArea(pos))
        return false;

    m_drag = Drag::None;
    if (m_host->minimumSize() == m_host->maximumSize())
        return true; // a fixed-size window does not maximise
    if (m_host->isMaximized())
        m_host->showNormal();
    else
        m_host->showMaximized();
    return true;
}

void WidgetWindowAgent::beginManualDrag(Drag kind, QPoint globalPos)
{
    m_drag = kind;
    m_pressGlobalPos = globalPos;
    m_startGeometry = m_host->geometry();
}

void WidgetWindowAgent::updateManualDrag(const QPoint& globalPos)
{
    const QPoint delta = globalPos - m_pressGlobalPos;
    if (m_drag == Drag::ManualMove) {
        // A window that fills the screen stays put; only the window manager knows how to restore it by dragging.
        if (!(m_host->windowState() & kFillsScreen))
            m_host->move(m_startGeometry.topLeft() + delta);
        return;
    }
    const QSize minimum = m_host->minimumSize().expandedTo(m_host->minimumSizeHint()).expandedTo(QSize(1, 1));
    m_host->setGeometry(resizedGeometry(m_startGeometry, m_dragEdges, delta, minimum, m_host->maximumSize()));
}

bool WidgetWindowAgent::updateCursor(const QPoint& pos)
{
    const Qt::Edges edges = edgesAt(pos);
    if (edges) {
        m_windowHandle->setCursor(resizeCursorFor(edges));
        m_cursorOverridden = true;
        return true;
    }
    if (m_cursorOverridden)
        restoreCursor(pos);
    return false;
}

void WidgetWindowAgent::restoreCursor(const QPoint& pos)
{
    // Give back the cursor of the widget under the mouse, as Qt would have set it.
    QWidget* under = m_host->rect().contains(pos) ? m_host->childAt(pos) : nullptr;
    m_windowHandle->setCursor((under ? under : m_host.data())->cursor());
    m_cursorOverridden = false;
}

bool WidgetWindowAgent::isDragArea(const QPoint& pos) const
{
    QList<const QWidget*> clickable;
    for (const QPointer<QWidget>& button : m_systemButtons) {
        if (button)
            clickable.append(button);
    }
    for (const QPointer<const QWidget>& widget : m_hitTestVisible) {
        if (widget)
            clickable.append(widget);
    }
    return isTitleBarDragArea(m_titleBar, m_host, pos, clickable);
}

bool WidgetWindowAgent::canResize() const
{
    return !(m_host->windowState() & kFillsScreen) && m_host->minimumSize() != m_host->maximumSize();
}

Qt::Edges WidgetWindowAgent::edgesAt(const QPoint& pos) const
{
    return canResize() ? resizeEdgesAt(m_host->size(), pos, m_resizeBorder) : Qt::Edges();
}

} // namespace QWK
