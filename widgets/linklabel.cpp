#include "linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

LinkLabel::~LinkLabel() = default;

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // Not passed on: the label is the link, nothing behind it should see the click.
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
}

void LinkLabel::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    setUnderline(true);
    emit enter();
}

void LinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setUnderline(false);
    emit leave();
}

void LinkLabel::setUnderline(bool underline)
{
    QFont changed = font();
    changed.setUnderline(underline);
    setFont(changed);
}
