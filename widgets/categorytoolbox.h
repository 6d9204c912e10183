#pragma once

#include <QTreeWidget>

/// A vertical list of collapsible sections, several of which may be open at once. Each
/// section is a header row with a CategoryButton above one content row.
class CategoryToolBox final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CategoryToolBox(QWidget* parent = nullptr);
    ~CategoryToolBox() override;

    /// Appends a section titled `title` that shows `content` (the tool box takes it over).
    void addCategory(const QString& title, QWidget* content, bool expanded);

    /// Makes open sections take the height their content has now.
    void relayoutExpanded();
};
