#pragma once

#include <vrx/configpage.h>

#include <memory>

class ConfigDialog;

namespace Ui {
class DevicePage;
}

/// The "Device" page: still capture, reopening the last camera and restoring its frame size.
/// The preferences dialog fills the form from the settings; the page writes them back.
class DevicePage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit DevicePage(QWidget* parent = nullptr);
    ~DevicePage() override;

    Ui::DevicePage* form() const { return m_ui.get(); }
    void apply() override;

private:
    // The dialog loads the page and then starts watching its editors.
    friend class ConfigDialog;

    std::unique_ptr<Ui::DevicePage> m_ui;
};
