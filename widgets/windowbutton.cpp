#include "windowbutton.h"

#include <QMouseEvent>

namespace QWK {

class WindowButtonPrivate
{
    Q_DECLARE_PUBLIC(WindowButton)

public:
    explicit WindowButtonPrivate(WindowButton* button) : q_ptr(button) {}

    /// Shows the icon for the current state; with no icon for it, the shown icon stays.
    void reloadIcon()
    {
        Q_Q(WindowButton);
        if (!q->isEnabled() && !iconDisabled.isNull())
            q->setIcon(iconDisabled);
        else if (q->isChecked() && !iconChecked.isNull())
            q->setIcon(iconChecked);
        else if (!iconNormal.isNull())
            q->setIcon(iconNormal);
    }

    WindowButton* q_ptr;
    QIcon iconNormal;
    QIcon iconChecked;
    QIcon iconDisabled;
};

WindowButton::WindowButton(QWidget* parent) : QPushButton(parent), d_ptr(std::make_unique<WindowButtonPrivate>(this)) {}

WindowButton::~WindowButton() = default;

QIcon WindowButton::iconNormal() const
{
    Q_D(const WindowButton);
    return d->iconNormal;
}

void WindowButton::setIconNormal(const QIcon& icon)
{
    Q_D(WindowButton);
    d->iconNormal = icon;
    d->reloadIcon();
}

QIcon WindowButton::iconChecked() const
{
    Q_D(const WindowButton);
    return d->iconChecked;
}

void WindowButton::setIconChecked(const QIcon& icon)
{
    Q_D(WindowButton);
    d->iconChecked = icon;
    d->reloadIcon();
}

QIcon WindowButton::iconDisabled() const
{
    Q_D(const WindowButton);
    return d->iconDisabled;
}

void WindowButton::setIconDisabled(const QIcon& icon)
{
    Q_D(WindowButton);
    d->iconDisabled = icon;
    d->reloadIcon();
}

void WindowButton::checkStateSet()
{
    Q_D(WindowButton);
    QPushButton::checkStateSet();
    d->reloadIcon();
}

void WindowButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not passed on: a double click on a caption button must not reach the caption behind it.
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace QWK
