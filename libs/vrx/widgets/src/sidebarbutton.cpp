#include "sidebarbutton.h"

#include <QAction>
#include <QActionEvent>
#include <QFontMetrics>

namespace vrx {

namespace {
constexpr int captionLines = 2;
constexpr int captionChars = 11; // average characters per caption line
constexpr int iconExtent = 28;
} // namespace

QString fitCaption(const QString& text, const QFontMetrics& metrics, int maxWidth, int maxLines)
{
    maxLines = qMax(1, maxLines);
    QStringList lines;
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (!lines.isEmpty()) {
            const QString joined = lines.last() + QLatin1Char(' ') + word;
            if (metrics.horizontalAdvance(joined) <= maxWidth) {
                lines.last() = joined;
                continue;
            }
        }
        lines << word;
    }
    if (lines.size() > maxLines) {
        const QString rest = lines.mid(maxLines - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, maxLines - 1);
        lines << rest;
    }
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideRight, maxWidth);
    }
    return lines.join(QLatin1Char('\n'));
}

SideBarButton::SideBarButton(QAction* action, QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setIconSize(QSize(iconExtent, iconExtent));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setDefaultAction(action);
    updateCaption();
}

void SideBarButton::actionEvent(QActionEvent* event)
{
    QToolButton::actionEvent(event);
    // The base class puts the action's full text back whenever the action changes.
    if (event->type() == QEvent::ActionChanged && event->action() == defaultAction()) {
        updateCaption();
    }
}

void SideBarButton::changeEvent(QEvent* event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateCaption();
    }
}

void SideBarButton::updateCaption()
{
    if (QAction* action = defaultAction()) {
        setText(fitCaption(action->iconText(), fontMetrics(), maxCaptionWidth(), captionLines));
    }
}

int SideBarButton::maxCaptionWidth() const
{
    return qMax(iconSize().width(), fontMetrics().averageCharWidth() * captionChars);
}

} // namespace vrx
