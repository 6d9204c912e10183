#pragma once

#include <vrx/configpage.h>

#include <memory>

namespace Ui {
class CapturePage;
}

/// The "Files" page: whether pictures and videos ask for a file name, the folder they go to
/// otherwise, and the picture format.
class CapturePage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit CapturePage(QWidget* parent = nullptr);
    ~CapturePage() override;

    void apply() override;

private slots:
    void on_pushButtonBrowse_clicked();
    void on_pushButtonDefault_clicked();
    void on_pushButtonOpen_clicked();

private:
    std::unique_ptr<Ui::CapturePage> m_ui;
};
