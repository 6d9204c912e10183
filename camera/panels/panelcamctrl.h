#pragma once

#include <QWidget>

class QComboBox;
class QSlider;
class QSpinBox;

namespace tesk {
class Camera;
}

/// Base of the camera control panels: holds the lent camera and binds its numeric and
/// enumerated properties to controls.
class PanelCamCtrl : public QWidget
{
    Q_OBJECT

public:
    explicit PanelCamCtrl(QWidget* parent = nullptr);
    ~PanelCamCtrl() override;

    /// The camera the panel drives, or null; not owned. Call updateControls() to show it.
    void setCamera(tesk::Camera* camera);

    /// A camera's double as the controls' integer: truncated toward zero, kept inside int.
    static int toControlValue(double value);

public slots:
    /// Re-reads everything the panel shows from the camera.
    virtual void updateControls() = 0;

protected:
    /// Loads numeric property `id` into a slider and its spin box and links the two; the
    /// container (may be null) is shown exactly when the camera supports the property.
    /// Nothing is written to the camera.
    void setupPropertyControl(int id, QWidget* container, QSlider* slider, QSpinBox* spinBox);
    /// Fills a combo box with the allowed values of enumerated property `id` (value as item
    /// data) and selects the current one; the container (may be null) is shown exactly when
    /// the camera supports the property. Nothing is written to the camera.
    void setupEnumControl(int id, QWidget* container, QComboBox* comboBox);

    tesk::Camera* camera = nullptr;
};
