#include "vrx/calibrationlistdialog.h"

#include "vrx/canvasprompt.h"
#include "vrx/primitivecalibrationmodel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vrx {

CalibrationListDialog::CalibrationListDialog(QWidget* parent)
    : QDialog(parent), m_model(PrimitiveCalibrationModel::getInstance()), m_view(new QTableView(this))
{
    setWindowTitle(tr("Calibrations"));
    setModal(true);
    resize(640, 320);

    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionResizeMode(PrimitiveCalibrationModel::NameColumn, QHeaderView::Stretch);
    m_view->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_use = buttons->addButton(tr("Use"), QDialogButtonBox::ActionRole);
    m_rename = buttons->addButton(tr("Rename"), QDialogButtonBox::ActionRole);
    m_delete = buttons->addButton(tr("Delete"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_use, &QPushButton::clicked, this, &CalibrationListDialog::useSelected);
    connect(m_rename, &QPushButton::clicked, this, &CalibrationListDialog::renameSelected);
    connect(m_delete, &QPushButton::clicked, this, &CalibrationListDialog::deleteSelected);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != PrimitiveCalibrationModel::NameColumn || index.row() == 0) {
            m_model->checkRow(index.row());
        }
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CalibrationListDialog::updateButtons);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CalibrationListDialog::updateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
    selectRow(m_model->checkedRow());
    updateButtons();
}

int CalibrationListDialog::selectedRow() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CalibrationListDialog::selectRow(int row)
{
    m_view->selectRow(row);
}

void CalibrationListDialog::useSelected()
{
    if (selectedRow() >= 0) {
        m_model->checkRow(selectedRow());
    }
}

void CalibrationListDialog::renameSelected()
{
    const int row = selectedRow();
    if (row > 0) {
        m_view->edit(m_model->index(row, PrimitiveCalibrationModel::NameColumn));
    }
}

void CalibrationListDialog::deleteSelected()
{
    const int row = selectedRow();
    if (row <= 0) {
        return;
    }
    const QString name = m_model->getCalibration(row).name();
    if (confirm(this, tr("Delete Calibration"), tr("Delete the calibration \"%1\"?").arg(name))) {
        m_model->removeCalibration(row);
    }
}

void CalibrationListDialog::updateButtons()
{
    const int row = selectedRow();
    m_use->setEnabled(row >= 0);
    m_rename->setEnabled(row > 0);
    m_delete->setEnabled(row > 0);
}

} // namespace vrx
