#include "windowbar.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QSpacerItem>

namespace QWK {

class WindowBarPrivate
{
    Q_DECLARE_PUBLIC(WindowBar)

public:
    enum Slot
    {
        IconButton,
        TitleLabel,
        MenuButton,
        MinimizeButton,
        MaximizeButton,
        CloseButton,
        SlotCount,
    };

    explicit WindowBarPrivate(WindowBar* bar) : q_ptr(bar) {}

    void init()
    {
        Q_Q(WindowBar);
        layout = new QHBoxLayout();
        if (QLocale::system().textDirection() == Qt::RightToLeft)
            layout->setDirection(QBoxLayout::RightToLeft);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (int i = 0; i < SlotCount; ++i)
            insertDefaultSpace(i);
        q->setLayout(layout);
    }

    QWidget* widgetAt(Slot slot) const { return layout->itemAt(slot)->widget(); }

    void insertDefaultSpace(int index)
    {
        layout->insertSpacerItem(index, new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum));
    }

    /// Empties the slot, leaving a spacer so the other indexes stay; returns the widget it held.
    QWidget* takeWidgetAt(Slot slot)
    {
        QLayoutItem* item = layout->itemAt(slot);
        QWidget* widget = item->widget();
        if (widget) {
            delete layout->takeAt(slot);
            insertDefaultSpace(slot);
        }
        return widget;
    }

    void setWidgetAt(Slot slot, QWidget* widget)
    {
        Q_Q(WindowBar);
        if (QWidget* previous = takeWidgetAt(slot)) {
            if (auto* button = qobject_cast<QAbstractButton*>(previous))
                disconnectRequest(slot, button);
            previous->hide();
            previous->deleteLater();
        }
        if (!widget)
            return;

        QLayoutItem* spacer = layout->takeAt(slot);
        if (QWidget* stray = spacer->widget())
            stray->deleteLater();
        delete spacer;
        layout->insertWidget(slot, widget, 0, Qt::Alignment());

        switch (slot) {
        case IconButton: {
            auto* button = static_cast<QAbstractButton*>(widget);
            if (autoIcon && host)
                button->setIcon(host->windowIcon());
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
            break;
        }
        case TitleLabel: {
            auto* label = static_cast<QLabel*>(widget);
            if (autoTitle && host)
                label->setText(host->windowTitle());
            label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
            break;
        }
        case MenuButton:
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, q,
                             &WindowBar::menuRequested);
            break;
        case MinimizeButton:
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, q,
                             &WindowBar::minimizeRequested);
            break;
        case MaximizeButton:
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, q,
                             &WindowBar::maximizeRequested);
            break;
        case CloseButton:
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, q,
                             &WindowBar::closeRequested);
            break;
        case SlotCount:
            break;
        }
    }

    void disconnectRequest(Slot slot, QAbstractButton* button)
    {
        Q_Q(WindowBar);
        switch (slot) {
        case MenuButton:
            QObject::disconnect(button, &QAbstractButton::clicked, q, &WindowBar::menuRequested);
            break;
        case MinimizeButton:
            QObject::disconnect(button, &QAbstractButton::clicked, q, &WindowBar::minimizeRequested);
            break;
        case MaximizeButton:
            QObject::disconnect(button, &QAbstractButton::clicked, q, &WindowBar::maximizeRequested);
            break;
        case CloseButton:
            QObject::disconnect(button, &QAbstractButton::clicked, q, &WindowBar::closeRequested);
            break;
        default:
            break;
        }
    }

    WindowBar* q_ptr;
    QPointer<QWidget> host;
    bool autoTitle = true;
    bool autoIcon = false;
    QHBoxLayout* layout = nullptr;
};

WindowBar::WindowBar(QWidget* parent) : QFrame(parent), d_ptr(std::make_unique<WindowBarPrivate>(this))
{
    Q_D(WindowBar);
    d->init();
}

WindowBar::~WindowBar() = default;

QWidget* WindowBar::hostWidget() const
{
    Q_D(const WindowBar);
    return d->host;
}

void WindowBar::setHostWidget(QWidget* host)
{
    Q_D(WindowBar);
    if (d->host)
        d->host->removeEventFilter(this);
    d->host = host;
    if (host)
        host->installEventFilter(this);
}

QAbstractButton* WindowBar::iconButton() const
{
    Q_D(const WindowBar);
    return static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::IconButton));
}

void WindowBar::setIconButton(QAbstractButton* button)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::IconButton, button);
}

QLabel* WindowBar::titleLabel() const
{
    Q_D(const WindowBar);
    return static_cast<QLabel*>(d->widgetAt(WindowBarPrivate::TitleLabel));
}

void WindowBar::setTitleLabel(QLabel* label)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::TitleLabel, label);
}

QAbstractButton* WindowBar::menuButton() const
{
    Q_D(const WindowBar);
    return static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::MenuButton));
}

void WindowBar::setMenuButton(QAbstractButton* button)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::MenuButton, button);
}

QAbstractButton* WindowBar::minButton() const
{
    Q_D(const WindowBar);
    return static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::MinimizeButton));
}

void WindowBar::setMinButton(QAbstractButton* button)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::MinimizeButton, button);
}

QAbstractButton* WindowBar::maxButton() const
{
    Q_D(const WindowBar);
    return static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::MaximizeButton));
}

void WindowBar::setMaxButton(QAbstractButton* button)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::MaximizeButton, button);
}

QAbstractButton* WindowBar::closeButton() const
{
    Q_D(const WindowBar);
    return static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::CloseButton));
}

void WindowBar::setCloseButton(QAbstractButton* button)
{
    Q_D(WindowBar);
    d->setWidgetAt(WindowBarPrivate::CloseButton, button);
}

bool WindowBar::titleFollowWindow() const
{
    Q_D(const WindowBar);
    return d->autoTitle;
}

void WindowBar::setTitleFollowWindow(bool follow)
{
    Q_D(WindowBar);
    d->autoTitle = follow;
}

bool WindowBar::iconFollowWindow() const
{
    Q_D(const WindowBar);
    return d->autoIcon;
}

void WindowBar::setIconFollowWindow(bool follow)
{
    Q_D(WindowBar);
    d->autoIcon = follow;
}

bool WindowBar::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(WindowBar);
    QWidget* host = d->host;
    if (!host || watched != host)
        return QFrame::eventFilter(watched, event);

    auto* iconButton = static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::IconButton));
    auto* titleLabel = static_cast<QLabel*>(d->widgetAt(WindowBarPrivate::TitleLabel));
    auto* maxButton = static_cast<QAbstractButton*>(d->widgetAt(WindowBarPrivate::MaximizeButton));
    switch (event->type()) {
    case QEvent::WindowTitleChange:
        if (d->autoTitle && titleLabel) {
            const QString title = host->windowTitle();
            titleLabel->setText(title);
            titleChanged(title);
        }
        break;
    case QEvent::WindowIconChange:
        if (d->autoIcon && iconButton) {
            const QIcon icon = host->windowIcon();
            iconButton->setIcon(icon);
            iconChanged(icon);
        }
        break;
    case QEvent::WindowStateChange:
        if (maxButton)
            maxButton->setChecked(host->isMaximized());
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void WindowBar::titleChanged(const QString& title)
{
    Q_UNUSED(title)
}

void WindowBar::iconChanged(const QIcon& icon)
{
    Q_UNUSED(icon)
}

} // namespace QWK
