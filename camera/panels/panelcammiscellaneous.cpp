#include "panelcammiscellaneous.h"

#include "ui_panelcammiscellaneous.h"

#include <tesk/camera.h>

#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace {

constexpr int kPowerFrequency = 3; // enumerated
constexpr int kPacketSize = 19;    // numeric

} // namespace

PanelCamMiscellaneous::PanelCamMiscellaneous(QWidget* parent)
    : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamMiscellaneous>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);
    m_ui->comboBoxPowerFrequency->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxPowerFrequency));
}

PanelCamMiscellaneous::~PanelCamMiscellaneous() = default;

void PanelCamMiscellaneous::updateControls()
{
    setEnabled(true);
    setupEnumControl(kPowerFrequency, m_ui->groupPowerFreq, m_ui->comboBoxPowerFrequency);
    updatePacketSize();
}

void PanelCamMiscellaneous::updatePacketSize()
{
    if (!camera) {
        return;
    }
    const bool supported = camera->isPropertySupported(kPacketSize);
    m_ui->groupPacketSize->setVisible(supported);
    if (!supported) {
        return;
    }
    // A failed read leaves the spin box as it was.
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    const bool haveRange = camera->propertyRange(kPacketSize, &min, &max, &step) == 0;
    double value = 0.0;
    const bool haveValue = camera->getProperty(kPacketSize, &value) == 0;

    const QSignalBlocker blocker(m_ui->spinBoxPacketSize);
    if (haveRange) {
        m_ui->spinBoxPacketSize->setRange(toControlValue(min), toControlValue(max));
    }
    if (haveValue) {
        m_ui->spinBoxPacketSize->setValue(toControlValue(value));
    }
}

void PanelCamMiscellaneous::on_comboBoxPowerFrequency_currentIndexChanged(int index)
{
    if (!camera || index < 0) {
        return;
    }
    bool ok = false;
    const unsigned value = m_ui->comboBoxPowerFrequency->itemData(index).toUInt(&ok);
    if (ok) {
        camera->setEnumProperty(kPowerFrequency, value);
    }
}

void PanelCamMiscellaneous::on_spinBoxPacketSize_valueChanged(int arg1)
{
    if (camera) {
        camera->setProperty(kPacketSize, arg1);
    }
}
