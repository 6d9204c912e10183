#pragma once

#include <QList>
#include <QWidget>

#include <memory>

class CameraParamsForm;
class QAction;
class QIcon;

namespace Ui {
class FormSidebar;
}

namespace vrx {
class SideBar;
}

/// The left-hand panel of the main window: the banner, the navigation strip with the capture
/// commands at its bottom, the caption of the current page with the Wi-Fi button, and the pages.
class FormSidebar final : public QWidget
{
    Q_OBJECT

public:
    explicit FormSidebar(QWidget* parent = nullptr);
    ~FormSidebar() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// The camera page, for its signals and setCamera().
    CameraParamsForm* cameraParamsForm() const { return m_cameraParamsForm; }
    /// The measurement page, or null while the program is built without it.
    QWidget* measurePanel() const { return m_measurePanel; }

    /// Buttons at the bottom of the navigation strip; the strip does not own the actions.
    void addBottomActions(const QList<QAction*>& actions);
    void addBottomAction(QAction* action);

signals:
    void openWiFi();

public slots:
    /// Shows page `index` and names it in the caption. An index without a page is ignored.
    void setCurrentStackedWidget(int index);

private:
    void addPage(QWidget* page, const QString& text, const QIcon& icon);

    std::unique_ptr<Ui::FormSidebar> m_ui;
    vrx::SideBar* m_sideBar;
    CameraParamsForm* m_cameraParamsForm;
    QWidget* m_measurePanel = nullptr;
};
