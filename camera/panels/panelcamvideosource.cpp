#include "panelcamvideosource.h"

#include "ui_panelcamvideosource.h"

#include <tesk/camera.h>

#include <QIcon>

PanelCamVideoSource::PanelCamVideoSource(QWidget* parent)
    : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamVideoSource>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);

    m_ui->labelIcon->setPixmap(QIcon::fromTheme(QStringLiteral("dkp-camera")).pixmap(16, 16));

    QIcon pauseIcon;
    pauseIcon.addPixmap(QIcon::fromTheme(QStringLiteral("dkp-pause-on")).pixmap(24), QIcon::Normal, QIcon::On);
    pauseIcon.addPixmap(QIcon::fromTheme(QStringLiteral("dkp-pause")).pixmap(24), QIcon::Normal, QIcon::Off);
    m_ui->toolButtonPause->setIcon(pauseIcon);
    m_ui->toolButtonClose->setIcon(QIcon::fromTheme(QStringLiteral("dkp-close")));

    connect(m_ui->labelVideoSourceName, &LinkLabel::clicked, this, &PanelCamVideoSource::nameClicked);
}

PanelCamVideoSource::~PanelCamVideoSource() = default;

void PanelCamVideoSource::updateControls()
{
    if (!camera) {
        m_ui->labelVideoSourceName->setText(tr("Open Video Source..."));
        m_ui->labelVideoSourceName->setToolTip(QString());
        setButtonVisible(false);
        return;
    }
    const QString name = QString::fromStdString(camera->info().name);
    m_ui->labelVideoSourceName->setText(name);
    m_ui->labelVideoSourceName->setToolTip(name);
    m_ui->toolButtonPause->setChecked(false);
    setButtonVisible(true);
}

void PanelCamVideoSource::setButtonVisible(bool visible)
{
    m_ui->toolButtonPause->setVisible(visible);
    m_ui->toolButtonClose->setVisible(visible);
}

void PanelCamVideoSource::on_toolButtonClose_clicked()
{
    emit closeCamera();
}

void PanelCamVideoSource::on_toolButtonPause_clicked(bool checked)
{
    // Pausing only holds the stream; the main window keeps the camera open and is not told.
    if (!camera) {
        return;
    }
    if (checked) {
        camera->stop();
    } else {
        camera->start();
    }
}
