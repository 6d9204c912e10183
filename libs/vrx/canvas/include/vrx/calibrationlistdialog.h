#pragma once

#include <QDialog>

class QPushButton;
class QTableView;

namespace vrx {

class PrimitiveCalibrationModel;

/// Lists the calibrations of the calibration model: the user checks the one to use (its check
/// box, a double click on the row, or "Use"), renames one (editing its name, or "Rename"), and
/// deletes one after a question. The pixel calibration can be used but not renamed or deleted.
/// Run it modally; every change is in the model at once.
class CalibrationListDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit CalibrationListDialog(QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }
    /// The selected row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);

public slots:
    void useSelected();
    void renameSelected();
    void deleteSelected();

private:
    void updateButtons();

    PrimitiveCalibrationModel* m_model;
    QTableView* m_view;
    QPushButton* m_use;
    QPushButton* m_rename;
    QPushButton* m_delete;
};

} // namespace vrx
