#include "capturepage.h"

#include "folderactions.h"
#include "ui_capturepage.h"

#include <app/appsettings.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>

#include <QDebug>
#include <QSettings>
#include <QStyledItemDelegate>

CapturePage::CapturePage(QWidget* parent) : vrx::ConfigPage(parent), m_ui(new Ui::CapturePage)
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    m_ui->comboBoxFileFormat->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxFileFormat));

    const QSettings settings;
    const bool popup = AppSettings::instance()->capturePopup();
    const QString format =
        settings.value(SettingsKeys::CaptureFileFormat, SettingsDefaults::CaptureFileFormat).toString();

    m_ui->radioButtonPopup->setChecked(popup);
    m_ui->radioButtonPreDef->setChecked(!popup);
    m_ui->groupBoxPath->setEnabled(!popup);
    m_ui->lineEditPath->setText(captureFolder());

    m_ui->comboBoxFileFormat->addItems(
        {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("tif")});
    m_ui->comboBoxFileFormat->setCurrentIndex(qMax(0, m_ui->comboBoxFileFormat->findText(format)));
    if (m_ui->comboBoxFileFormat->findText(format) < 0) {
        qInfo() << "unknown picture format" << format << "shown as" << m_ui->comboBoxFileFormat->currentText();
    }

    setupConnects();
}

CapturePage::~CapturePage() = default;

void CapturePage::on_pushButtonBrowse_clicked()
{
    FolderActions::browse(m_ui->lineEditPath, captureFolder());
}

void CapturePage::on_pushButtonDefault_clicked()
{
    FolderActions::setFolder(m_ui->lineEditPath, defaultImageFolder());
}

void CapturePage::on_pushButtonOpen_clicked()
{
    FolderActions::openFolder(this, m_ui->lineEditPath->text());
}

void CapturePage::apply()
{
    qDebug() << "applying file setting...";
    AppSettings::instance()->setCapturePopup(m_ui->radioButtonPopup->isChecked());
    QSettings settings;
    settings.setValue(SettingsKeys::CaptureFilePath, m_ui->lineEditPath->text());
    settings.setValue(SettingsKeys::CaptureFileFormat, m_ui->comboBoxFileFormat->currentText());
}
