#include "devicepage.h"

#include "ui_devicepage.h"

#include <app/appsettings.h>

#include <QDebug>

DevicePage::DevicePage(QWidget* parent) : vrx::ConfigPage(parent), m_ui(new Ui::DevicePage)
{
    m_ui->setupUi(this);
}

DevicePage::~DevicePage() = default;

void DevicePage::apply()
{
    qDebug() << "applying device setting...";
    AppSettings* settings = AppSettings::instance();
    settings->setTryStillCapture(m_ui->checkBoxTryStillCapture->isChecked());
    settings->setOpenLastDevice(m_ui->checkBoxOpenLastDevice->isChecked());
    settings->setRestoreParameters(m_ui->checkBoxRestoreParam->isChecked());
}
