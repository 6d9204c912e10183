#include "categorybutton.h"

#include <QTreeWidgetItem>

CategoryButton::CategoryButton(const QString& text, QWidget* parent, QTreeWidgetItem* item)
    : QPushButton(text, parent), m_item(item)
{}

CategoryButton::~CategoryButton() = default;

void CategoryButton::showExpandedState(bool expanded)
{
    setIcon(expanded ? m_expandedIcon : m_collapsedIcon);
}

void CategoryButton::ButtonPressed()
{
    if (!m_item) {
        return;
    }
    m_item->setExpanded(!m_item->isExpanded());
    showExpandedState(m_item->isExpanded());
}

void CategoryButton::initIcons()
{
    m_expandedIcon =
        QIcon::fromTheme(QStringLiteral("down_arrow"), QIcon(QStringLiteral(":/res/icons/down_arrow.png")));
    m_collapsedIcon =
        QIcon::fromTheme(QStringLiteral("right_arrow"), QIcon(QStringLiteral(":/res/icons/right_arrow.png")));
    showExpandedState(false);
}
