#include "formsidebar.h"

#include "camera/cameraparamsform.h"
#include "measure/formmeasure.h"
#include "ui_formsidebar.h"

#include <vrx/sidebar.h>

#include <QAction>
#include <QDebug>
#include <QIcon>
#include <QLabel>

namespace {
// Leaves the banner room in a sidebar of its preferred width.
constexpr int kBannerMaxWidth = 240;

void fitBanner(QLabel* banner)
{
    const QPixmap picture = banner->pixmap(Qt::ReturnByValue);
    const qreal ratio = banner->devicePixelRatioF();
    if (picture.isNull() || picture.width() <= kBannerMaxWidth * ratio) {
        return;
    }
    QPixmap fitted = picture.scaledToWidth(qRound(kBannerMaxWidth * ratio), Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    banner->setPixmap(fitted);
}
} // namespace

FormSidebar::FormSidebar(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::FormSidebar>()), m_sideBar(new vrx::SideBar(this))
{
    m_ui->setupUi(this);
    m_ui->horizontalLayoutMain->insertWidget(0, m_sideBar);
    fitBanner(m_ui->labelBanner);

    auto* wifiAction = new QAction(QIcon::fromTheme(QStringLiteral("wifi")), tr("WiFi"), this);
    wifiAction->setToolTip(tr("Open netcam"));
    connect(wifiAction, &QAction::triggered, this, &FormSidebar::openWiFi);
    m_ui->toolButtonWiFi->setDefaultAction(wifiAction);

    m_cameraParamsForm = new CameraParamsForm(true, nullptr);

    // The form's placeholder pages go; the stack holds exactly the pages of the strip.
    while (QWidget* placeholder = m_ui->stackedWidget->widget(0)) {
        m_ui->stackedWidget->removeWidget(placeholder);
        placeholder->deleteLater();
    }
    addPage(m_cameraParamsForm, tr("Camera"), QIcon::fromTheme(QStringLiteral("view-camera")));
    m_measurePanel = new FormMeasure(nullptr);
    addPage(m_measurePanel, tr("Measure"), QIcon::fromTheme(QStringLiteral("view-measure")));

    connect(m_sideBar, &vrx::SideBar::currentIndexChanged, this, &FormSidebar::setCurrentStackedWidget);
    m_sideBar->setCurrentIndex(0);
}

FormSidebar::~FormSidebar() = default;

QSize FormSidebar::sizeHint() const
{
    return QSize(300, 0);
}

QSize FormSidebar::minimumSizeHint() const
{
    return QSize(250, 0);
}

void FormSidebar::addPage(QWidget* page, const QString& text, const QIcon& icon)
{
    m_ui->stackedWidget->addWidget(page);
    m_sideBar->addTopAction(text, icon);
}

void FormSidebar::addBottomActions(const QList<QAction*>& actions)
{
    m_sideBar->addBottomActions(actions);
}

void FormSidebar::addBottomAction(QAction* action)
{
    m_sideBar->addBottomAction(action);
}

void FormSidebar::setCurrentStackedWidget(int index)
{
    if (index < 0 || index >= m_ui->stackedWidget->count()) {
        qWarning() << "Sidebar has no page" << index;
        return;
    }
    // Keeps the strip in step when called directly; from the strip itself this changes nothing.
    m_sideBar->setCurrentIndex(index);
    m_ui->stackedWidget->setCurrentIndex(index);
    m_ui->sidebarCaption->setText(m_sideBar->currentText());
}
