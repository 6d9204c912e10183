#include "miscellaneouspage.h"

#include "ui_miscellaneouspage.h"

#include <app/appsettings.h>
#include <app/settingskeys.h>

#include <QDebug>
#include <QSettings>

MiscellaneousPage::MiscellaneousPage(QWidget* parent) : vrx::ConfigPage(parent), m_ui(new Ui::MiscellaneousPage)
{
    m_ui->setupUi(this);
}

MiscellaneousPage::~MiscellaneousPage() = default;

void MiscellaneousPage::apply()
{
    qDebug() << "applying miscellaneous setting...";
    AppSettings::instance()->setConfirmExit(m_ui->checkBoxExit->isChecked());
    QSettings().setValue(SettingsKeys::MaximizeWhenLaunch, m_ui->checkBoxMaximize->isChecked());
}
