#include "panelcamctrl.h"

#include "camera/texts.h"

#include <tesk/camera.h>

#include <QComboBox>
#include <QDebug>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <cmath>
#include <limits>

PanelCamCtrl::PanelCamCtrl(QWidget* parent) : QWidget(parent) {}

PanelCamCtrl::~PanelCamCtrl() = default;

void PanelCamCtrl::setCamera(tesk::Camera* newCamera)
{
    camera = newCamera;
}

int PanelCamCtrl::toControlValue(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated >= double(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (truncated <= double(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(truncated);
}

void PanelCamCtrl::setupPropertyControl(int id, QWidget* container, QSlider* slider, QSpinBox* spinBox)
{
    if (!camera) {
        return;
    }
    const bool supported = camera->isPropertySupported(id);
    if (container) {
        container->setVisible(supported);
    }
    if (!supported) {
        return;
    }

    // A failed read keeps what the controls show: the old range, or the old value (clamped
    // into the new range).
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    const bool haveRange = camera->propertyRange(id, &min, &max, &step) == 0;
    double value = 0.0;
    const bool haveValue = camera->getProperty(id, &value) == 0;
    if (!haveRange || !haveValue) {
        qDebug().noquote() << QStringLiteral("camera property %1: could not read its %2")
                                  .arg(id)
                                  .arg(haveRange ? QStringLiteral("value") : QStringLiteral("range"));
    }

    {
        const QSignalBlocker blockSpinBox(spinBox);
        const QSignalBlocker blockSlider(slider);
        if (haveRange) {
            spinBox->setRange(toControlValue(min), toControlValue(max));
            slider->setRange(toControlValue(min), toControlValue(max));
        }
        slider->setTickInterval(1);
        if (haveValue) {
            spinBox->setValue(toControlValue(value));
            slider->setValue(toControlValue(value));
        } else {
            spinBox->setValue(slider->value());
        }
    }

    // Each moves the other; the slider's own handler in the panel writes the property.
    connect(spinBox, qOverload<int>(&QSpinBox::valueChanged), slider, &QSlider::setValue, Qt::UniqueConnection);
    connect(slider, &QSlider::valueChanged, spinBox, &QSpinBox::setValue, Qt::UniqueConnection);
}

void PanelCamCtrl::setupEnumControl(int id, QWidget* container, QComboBox* comboBox)
{
    if (!camera) {
        return;
    }
    const bool supported = camera->isEnumPropertySupported(id);
    if (container) {
        container->setVisible(supported);
    }
    if (!supported) {
        return;
    }

    const std::vector<unsigned> values = camera->enumPropertyValues(id);
    const unsigned current = camera->getEnumProperty(id);

    const QSignalBlocker blocker(comboBox);
    comboBox->clear();
    int currentPosition = -1;
    for (unsigned value : values) {
        if (value == current && currentPosition < 0) {
            currentPosition = comboBox->count();
        }
        comboBox->addItem(Texts::propertyValueName(id, value), QVariant(value));
    }
    // The first item added became current by itself; a value outside the list selects nothing.
    comboBox->setCurrentIndex(currentPosition);
}
