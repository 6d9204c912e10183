#pragma once

#include <QIcon>
#include <QPushButton>

class QTreeWidgetItem;

/// The header of a CategoryToolBox section: opens and closes its section when pressed and
/// shows a disclosure arrow for the state.
class CategoryButton final : public QPushButton
{
    Q_OBJECT

public:
    /// `item` is the section's header row, owned by the tree.
    CategoryButton(const QString& text, QWidget* parent, QTreeWidgetItem* item);
    ~CategoryButton() override;

    QIcon expandedIcon() const { return m_expandedIcon; }
    QIcon collapsedIcon() const { return m_collapsedIcon; }
    /// Shows the arrow for an open (true) or closed section.
    void showExpandedState(bool expanded);

public slots:
    /// Opens a closed section and closes an open one.
    void ButtonPressed();
    /// Looks up the two arrows (icon theme first, the built-in pictures otherwise) and shows
    /// the closed one.
    void initIcons();

private:
    QTreeWidgetItem* m_item;
    QIcon m_expandedIcon;
    QIcon m_collapsedIcon;
};
