#pragma once

#include <vrx/configpage.h>

#include <memory>

class ConfigDialog;

namespace Ui {
class MiscellaneousPage;
}

/// The "Miscellaneous" page: the main window's exit question and start-up size.
/// The preferences dialog fills the form from the settings; the page writes them back.
class MiscellaneousPage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit MiscellaneousPage(QWidget* parent = nullptr);
    ~MiscellaneousPage() override;

    Ui::MiscellaneousPage* form() const { return m_ui.get(); }
    void apply() override;

private:
    // The dialog loads the page and then starts watching its editors.
    friend class ConfigDialog;

    std::unique_ptr<Ui::MiscellaneousPage> m_ui;
};
