#include "categorytoolbox.h"

#include "categorybutton.h"
#include "categorycontainer.h"

#include <QVBoxLayout>

CategoryToolBox::CategoryToolBox(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setIndentation(0);
    setHeaderHidden(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

CategoryToolBox::~CategoryToolBox() = default;

void CategoryToolBox::addCategory(const QString& title, QWidget* content, bool expanded)
{
    auto* header = new QTreeWidgetItem();
    addTopLevelItem(header);

    auto* button = new CategoryButton(title, this, header);
    button->initIcons();
    button->setStyleSheet(QStringLiteral("Text-align:left"));
    connect(button, &QPushButton::pressed, button, &CategoryButton::ButtonPressed);
    setItemWidget(header, 0, button);

    auto* container = new CategoryContainer(this);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);

    auto* contentItem = new QTreeWidgetItem();
    contentItem->setDisabled(true);
    header->setExpanded(expanded);
    header->addChild(contentItem);
    setItemWidget(contentItem, 0, container);
    button->showExpandedState(header->isExpanded());
}

void CategoryToolBox::relayoutExpanded()
{
    if (topLevelItemCount() < 2) {
        return;
    }
    // The first section (the frame format) keeps its height; only the panels below change size.
    for (int i = 1; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (item->isExpanded()) {
            item->setExpanded(false);
            item->setExpanded(true);
        }
    }
}
