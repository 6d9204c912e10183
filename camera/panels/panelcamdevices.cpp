#include "panelcamdevices.h"

#include "ui_panelcamdevices.h"

#include "camera/texts.h"

#include <tesk/camera.h>

#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

PanelCamDevices::PanelCamDevices(QWidget* parent) : PanelCamCtrl(parent), m_ui(std::make_unique<Ui::PanelCamDevices>())
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(4, 4, 4, 4);
    m_ui->comboBoxPreviewSize->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxPreviewSize));
    m_ui->comboBoxPreviewFormat->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxPreviewFormat));
}

PanelCamDevices::~PanelCamDevices() = default;

void PanelCamDevices::updateControls()
{
    if (!camera) {
        return;
    }
    setEnabled(true);
    fillFormats();
    fillSizes();
}

void PanelCamDevices::on_comboBoxPreviewSize_currentIndexChanged(int index)
{
    if (index >= 0 && index < m_ui->comboBoxPreviewSize->count()) {
        setCameraFrameSize(camera, index);
    }
}

void PanelCamDevices::on_comboBoxPreviewFormat_currentIndexChanged(int index)
{
    if (!camera || index < 0 || index >= m_ui->comboBoxPreviewFormat->count()) {
        return;
    }
    setCameraFrameFormat(camera, index);
    // Each format has its own sizes; the camera picked the one closest to the old size.
    fillSizes();
}

void PanelCamDevices::setCameraFrameSize(tesk::Camera* camera, int index)
{
    if (!camera) {
        return;
    }
    const std::vector<tesk::Size> sizes = camera->allFrameSizes();
    if (index < 0 || index >= static_cast<int>(sizes.size())) {
        return;
    }
    const tesk::Size& size = sizes[static_cast<std::size_t>(index)];
    camera->setFrameSize(size.width(), size.height());
}

void PanelCamDevices::setCameraFrameFormat(tesk::Camera* camera, int index)
{
    if (!camera) {
        return;
    }
    const std::vector<tesk::Frame::Format> formats = camera->allFrameFormats();
    if (index < 0 || index >= static_cast<int>(formats.size())) {
        return;
    }
    camera->setFrameFormat(formats[static_cast<std::size_t>(index)]);
}

void PanelCamDevices::fillFormats()
{
    const std::vector<tesk::Frame::Format> formats = camera->allFrameFormats();
    const tesk::Frame::Format current = camera->frameFormat();

    QComboBox* box = m_ui->comboBoxPreviewFormat;
    const QSignalBlocker blocker(box);
    box->clear();
    for (tesk::Frame::Format format : formats) {
        box->addItem(Texts::pixelFormatName(format));
    }
    const auto found = std::find(formats.begin(), formats.end(), current);
    // Adding the first item makes it current; a format not in the list selects nothing.
    box->setCurrentIndex(found == formats.end() ? -1 : static_cast<int>(found - formats.begin()));
}

void PanelCamDevices::fillSizes()
{
    const std::vector<tesk::Size> sizes = camera->allFrameSizes();
    const tesk::Size current = camera->frameSize();

    QComboBox* box = m_ui->comboBoxPreviewSize;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const tesk::Size& size : sizes) {
        box->addItem(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    }
    const auto found = std::find(sizes.begin(), sizes.end(), current);
    box->setCurrentIndex(found == sizes.end() ? -1 : static_cast<int>(found - sizes.begin()));
}
