#pragma once

#include <QItemSelection>
#include <QPoint>
#include <QWidget>

#include <memory>

class QAction;
class QGraphicsObject;

namespace Ui {
class FormOutputbar;
}

namespace vrx {
class GraphicsView;
class PrimitiveManager;
} // namespace vrx

/// The bar under the picture with the table of measurement results. It shows the canvas's
/// own result model, keeps the table's selection and the canvas's in step, averages the
/// selected rows, clears the tools and starts the Excel report.
class FormOutputbar final : public QWidget
{
    Q_OBJECT

public:
    explicit FormOutputbar(QWidget* parent = nullptr);
    ~FormOutputbar() override;

    QSize sizeHint() const override { return QSize(0, 150); }
    QSize minimumSizeHint() const override { return QSize(0, 100); }

    /// Attaches the main view and its manager (once); a null manager empties the table.
    void setGraphicsView(vrx::GraphicsView* view, vrx::PrimitiveManager* manager);

    /// Writes the report of the table and the picture; `popup` asks for the file name.
    void exportReport(bool popup, QWidget* parent);

    QAction* exportToExcelAction() const { return m_actionExportToExcel; }
    QAction* averageValueAction() const { return m_actionAverageValue; }

signals:
    void openMeasurementPreference();

public slots:
    void customMenuRequested(QPoint pos);
    void exportToExcel();
    void rowsChanged();
    void selectionChanged(QItemSelection selected, QItemSelection deselected);
    void toolSelected(QGraphicsObject* object, bool selected);
    void averageValue();
    void clearAll();

private:
    QAction* m_actionExportToExcel;
    QAction* m_actionAverageValue;
    std::unique_ptr<Ui::FormOutputbar> m_ui;
    vrx::PrimitiveManager* m_manager = nullptr;
    vrx::GraphicsView* m_view = nullptr;
};
