#include <vrx/sidebar.h>

#include "sidebarbutton.h"

#include <QAction>
#include <QActionGroup>
#include <QDebug>
#include <QIcon>
#include <QVBoxLayout>

namespace vrx {

SideBar::SideBar(QWidget* parent)
    : QWidget(parent), m_layout(new QVBoxLayout(this)), m_pageGroup(new QActionGroup(this))
{
    m_pageGroup->setExclusive(true);
    m_layout->setContentsMargins(2, 4, 2, 4);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

SideBar::~SideBar() = default;

QAction* SideBar::addTopAction(const QString& text, const QIcon& icon)
{
    auto* action = new QAction(icon, text, this);
    action->setCheckable(true);
    m_pageGroup->addAction(action);
    // toggled covers clicks, setCurrentIndex() and callers checking the returned action.
    connect(action, &QAction::toggled, this, [this, action](bool checked) { onTopActionToggled(action, checked); });
    // The stretch stays between the pages and the bottom buttons.
    m_layout->insertWidget(m_topActions.size(), new SideBarButton(action, this));
    m_topActions << action;
    return action;
}

void SideBar::addBottomActions(const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        addBottomAction(action);
    }
}

void SideBar::addBottomAction(QAction* action)
{
    if (!action) {
        qWarning() << "vrx::SideBar: a null bottom action was ignored";
        return;
    }
    m_layout->addWidget(new SideBarButton(action, this));
}

QAction* SideBar::topAction(int index) const
{
    return index >= 0 && index < m_topActions.size() ? m_topActions.at(index) : nullptr;
}

QString SideBar::currentText() const
{
    const QAction* action = topAction(m_currentIndex);
    return action ? action->iconText() : QString();
}

void SideBar::setCurrentIndex(int index)
{
    QAction* action = topAction(index);
    if (!action) {
        qWarning() << "vrx::SideBar: no page" << index << "among" << m_topActions.size();
        return;
    }
    action->setChecked(true);
}

void SideBar::onTopActionToggled(QAction* action, bool checked)
{
    const int index = m_topActions.indexOf(action);
    if (!checked || index < 0 || index == m_currentIndex) {
        return;
    }
    m_currentIndex = index;
    emit currentIndexChanged(index);
}

} // namespace vrx
