#pragma once

#include <vrx/configpage.h>

#include <memory>

namespace Ui {
class AppearancePage;
}

/// The "Appearance" page: theme and language (used at the next start) and the shortcuts of
/// four main-window actions (used as soon as the dialog is applied).
class EnvironmentPage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit EnvironmentPage(QWidget* parent = nullptr);
    ~EnvironmentPage() override;

    void apply() override;

public slots:
    /// Keeps only the first key combination of the editor that sent the signal.
    void truncateShortcut();

private:
    void fillLanguages();
    void fillThemes();

    std::unique_ptr<Ui::AppearancePage> m_ui;
};
