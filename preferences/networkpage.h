#pragma once

#include <vrx/configpage.h>

#include <memory>

class ConfigDialog;

namespace Ui {
class NetworkPage;
}

/// The "Network" page: a proxy address, kept for connections that want one.
/// The preferences dialog fills the form from the settings; the page writes them back.
class NetworkPage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit NetworkPage(QWidget* parent = nullptr);
    ~NetworkPage() override;

    Ui::NetworkPage* form() const { return m_ui.get(); }
    void apply() override;

private:
    // The dialog loads the page and then starts watching its editors.
    friend class ConfigDialog;

    std::unique_ptr<Ui::NetworkPage> m_ui;
};
