#pragma once

#include <QFrame>

/// The frame that holds a CategoryToolBox section's content; a type of its own so the style
/// sheet can address it.
class CategoryContainer final : public QFrame
{
    Q_OBJECT

public:
    explicit CategoryContainer(QWidget* parent = nullptr);
    ~CategoryContainer() override;
};
