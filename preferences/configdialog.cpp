#include "configdialog.h"

#include "capturepage.h"
#include "devicepage.h"
#include "environmentpage.h"
#include "measurementpage.h"
#include "miscellaneouspage.h"
#include "networkpage.h"
#include "ui_devicepage.h"
#include "ui_miscellaneouspage.h"
#include "ui_networkpage.h"

#include <app/appsettings.h>
#include <app/settingskeys.h>

#include <QLayout>
#include <QSettings>

ConfigDialog::ConfigDialog(int id, QWidget* parent) : vrx::ConfigDialog(id, parent)
{
    auto* environment = new EnvironmentPage(this);
    DevicePage* device = createDevicePage();
    auto* capture = new CapturePage(this);
    m_measurementPage = new MeasurementPage(this);
    NetworkPage* network = createNetworkPage();
    MiscellaneousPage* miscellaneous = createMiscellaneousPage();

    addPage(tr("Appearance"), QStringLiteral("appearance"), environment);
    addPage(tr("Device"), QStringLiteral("view-camera"), device);
    addPage(tr("Files"), QStringLiteral("file"), capture);
    addPage(tr("Measurement"), QStringLiteral("measurement"), m_measurementPage);
    addPage(tr("Network"), QStringLiteral("network"), network);
    addPage(tr("Miscellaneous"), QStringLiteral("settings"), miscellaneous);
}

ConfigDialog::~ConfigDialog() = default;

DevicePage* ConfigDialog::createDevicePage()
{
    auto* page = new DevicePage(this);
    page->layout()->setContentsMargins(0, 0, 0, 0);
    Ui::DevicePage* form = page->form();
    // No part of the program reads a one-push preference: the white-balance panel has its
    // own button for it, so the box stays hidden rather than offer a choice that does nothing.
    // The restart note below belongs to that box's asterisk and goes with it.
    form->checkBoxUseOnepushWB->hide();
    form->line->hide();
    form->labelRestartNote->hide();
    const AppSettings* settings = AppSettings::instance();
    form->checkBoxTryStillCapture->setChecked(settings->tryStillCapture());
    form->checkBoxOpenLastDevice->setChecked(settings->openLastDevice());
    form->checkBoxRestoreParam->setChecked(settings->restoreParameters());
    page->setupConnects();
    return page;
}

NetworkPage* ConfigDialog::createNetworkPage()
{
    auto* page = new NetworkPage(this);
    page->layout()->setContentsMargins(0, 0, 0, 0);
    Ui::NetworkPage* form = page->form();
    const AppSettings* settings = AppSettings::instance();
    form->checkBoxEnable->setChecked(settings->proxyEnable());
    form->lineEditAddress->setText(settings->proxyAddress());
    form->spinBoxPort->setValue(settings->proxyPort());
    page->setupConnects();
    return page;
}

MiscellaneousPage* ConfigDialog::createMiscellaneousPage()
{
    auto* page = new MiscellaneousPage(this);
    page->layout()->setContentsMargins(0, 0, 0, 0);
    Ui::MiscellaneousPage* form = page->form();
    form->checkBoxExit->setChecked(AppSettings::instance()->confirmExit());
    form->checkBoxMaximize->setChecked(
        QSettings().value(SettingsKeys::MaximizeWhenLaunch, SettingsDefaults::MaximizeWhenLaunch).toBool());
    page->setupConnects();
    return page;
}
