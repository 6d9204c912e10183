#include "networkpage.h"

#include "ui_networkpage.h"

#include <app/appsettings.h>

#include <QDebug>

NetworkPage::NetworkPage(QWidget* parent) : vrx::ConfigPage(parent), m_ui(new Ui::NetworkPage)
{
    m_ui->setupUi(this);
}

NetworkPage::~NetworkPage() = default;

void NetworkPage::apply()
{
    qDebug() << "applying network setting...";
    AppSettings* settings = AppSettings::instance();
    settings->setProxyEnable(m_ui->checkBoxEnable->isChecked());
    settings->setProxyAddress(m_ui->lineEditAddress->text());
    settings->setProxyPort(m_ui->spinBoxPort->value());
}
