#pragma once

#include <qwk/windowagentbase.h>

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <QWindow>

class QMouseEvent;

namespace QWK {

/// Lets a frameless top-level widget behave like a framed one: its title bar drags the window and
/// toggles maximised on a double click, and a thin band along its border resizes it. The window
/// manager does the moving and resizing where the platform allows it; elsewhere the agent does it.
class WidgetWindowAgent final : public WindowAgentBase
{
    Q_OBJECT

public:
    explicit WidgetWindowAgent(QWidget* parent = nullptr);
    ~WidgetWindowAgent() override;

    /// Removes the frame of `window` (a top-level widget) and starts handling its mouse input.
    /// An agent serves one window; false, with a log line, for a null widget, a child widget or a
    /// second window.
    bool setup(QWidget* window);
    QWidget* hostWidget() const { return m_host; }

    QWidget* titleBar() const { return m_titleBar; }
    /// The widget whose empty parts drag the window; null turns dragging off.
    void setTitleBar(QWidget* titleBar);

    QWidget* systemButton(SystemButton button) const;
    /// A caption button: it keeps its own clicks and never drags the window. Null removes the button.
    void setSystemButton(SystemButton button, QWidget* widget);

    bool isHitTestVisible(const QWidget* widget) const;
    /// A visible widget on the title bar receives clicks instead of dragging the window.
    void setHitTestVisible(const QWidget* widget, bool visible = true);

    int resizeBorderWidth() const { return m_resizeBorder; }
    /// Width of the band along the border that resizes the window; 0 turns resizing off.
    void setResizeBorderWidth(int pixels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag
    {
        None,
        MovePending, // pressed on the title bar, waiting for the mouse to move
        System,      // the window manager has taken over
        ManualMove,
        ManualResize,
    };

    void attachWindowHandle();
    bool handleWindowEvent(QEvent* event);
    bool handlePress(QMouseEvent* event);
    bool handleMove(QMouseEvent* event);
    bool handleDoubleClick(QMouseEvent* event);
    void beginManualDrag(Drag kind, QPoint globalPos);
    void updateManualDrag(const QPoint& globalPos);
    /// Shows the resize cursor over the band; true when the point is on it.
    bool updateCursor(const QPoint& pos);
    void restoreCursor(const QPoint& pos);
    bool isDragArea(const QPoint& pos) const;
    bool canResize() const;
    Qt::Edges edgesAt(const QPoint& pos) const;

    QPointer<QWidget> m_host;
    QPointer<QWindow> m_windowHandle;
    QPointer<QWidget> m_titleBar;
    QHash<SystemButton, QPointer<QWidget>> m_systemButtons;
    QList<QPointer<const QWidget>> m_hitTestVisible;
    int m_resizeBorder;

    Drag m_drag = Drag::None;
    Qt::Edges m_dragEdges;
    QPoint m_pressGlobalPos;
    QRect m_startGeometry;
    bool m_cursorOverridden = false;
};

} // namespace QWK
