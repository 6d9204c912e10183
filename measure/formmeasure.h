#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;

namespace Ui {
class FormMeasure;
}

namespace vrx {
class GraphicsView;
class PrimitiveAttributesWidget;
class PrimitiveCalibration;
class PrimitiveManager;
} // namespace vrx

/// The "Measure" page of the sidebar: the calibration in use and its unit, the palette of
/// measurement tools, the scale bar, the look of the selected tools, and the tools file.
/// It holds no measurement data; everything goes to the canvas of the main view.
class FormMeasure final : public QWidget
{
    Q_OBJECT

public:
    explicit FormMeasure(QWidget* parent = nullptr);
    ~FormMeasure() override;

    /// Attaches the main view (once): wires the palette, restores the scale bar and shows the
    /// calibration in use.
    void setGraphicsView(vrx::GraphicsView* view);

private slots:
    void calibrationChanged(int index);
    void calibrationNameChanged(QString name);
    void calibrationUnitChanged(int index);
    void deleteItems();
    void onShowScalebar(bool show);
    void on_toolButtonList_clicked();
    void on_toolButtonAddNew_clicked();
    void onSaveHash();
    void importTools();
    void exportTools();

private:
    /// Shows `calibration` in the combos and switches the canvas to it.
    void switchCalibration(const vrx::PrimitiveCalibration& calibration, bool byName);
    /// Puts the combos on the calibration the canvas uses, without switching anything.
    void syncCalibrationControls();
    void wirePalette();
    QString toolsFileFolder() const;
    void rememberToolsFileFolder(const QString& filePath);

    QAction* m_actionScalebar;
    QAction* m_actionImport;
    QAction* m_actionExport;
    QAction* m_actionSaveHash;
    std::unique_ptr<Ui::FormMeasure> m_ui;
    vrx::PrimitiveAttributesWidget* m_attributesWidget;
    vrx::PrimitiveManager* m_manager = nullptr;
    vrx::GraphicsView* m_view = nullptr;
};
