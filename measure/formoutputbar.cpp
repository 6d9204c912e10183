#include "formoutputbar.h"

#include "app/settingskeys.h"
#include "app/userprompt.h"
#include "excelreport.h"
#include "positiveaverage.h"
#include "ui_formoutputbar.h"

#include <vrx/graphicsview.h>
#include <vrx/primitive.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitivemanager.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>

FormOutputbar::FormOutputbar(QWidget* parent)
    : QWidget(parent),
      m_actionExportToExcel(new QAction(QIcon::fromTheme(QStringLiteral("excel")), tr("Export to Excel"), this)),
      m_actionAverageValue(new QAction(tr("Average value..."), this)), m_ui(std::make_unique<Ui::FormOutputbar>())
{
    m_ui->setupUi(this);
    m_ui->verticalLayout->setContentsMargins(0, 0, 0, 0);

    m_actionExportToExcel->setToolTip(tr("Export image and measurement data to excel file."));
    m_actionAverageValue->setToolTip(tr("Calculate the average of the values in the same column. Rows with no values "
                                        "in the column are not included.."));
    connect(m_actionExportToExcel, &QAction::triggered, this, &FormOutputbar::exportToExcel);
    connect(m_actionAverageValue, &QAction::triggered, this, &FormOutputbar::averageValue);

    QTableView* table = m_ui->tableView;
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setMinimumSectionSize(24);
    table->verticalHeader()->setDefaultSectionSize(24);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(table, &QWidget::customContextMenuRequested, this, &FormOutputbar::customMenuRequested);
}

FormOutputbar::~FormOutputbar() = default;

void FormOutputbar::setGraphicsView(vrx::GraphicsView* view, vrx::PrimitiveManager* manager)
{
    m_view = view;
    m_manager = manager;
    QTableView* table = m_ui->tableView;
    if (!manager) {
        table->setModel(nullptr);
        return;
    }
    vrx::PrimitiveDimensionModel* model = manager->dimensionModel();
    table->setModel(model);
    table->hideColumn(0);
    connect(model, &QAbstractItemModel::rowsInserted, this, &FormOutputbar::rowsChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FormOutputbar::rowsChanged);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &FormOutputbar::selectionChanged);
    connect(manager, &vrx::PrimitiveManager::toolSelected, this, &FormOutputbar::toolSelected);
}

void FormOutputbar::rowsChanged()
{
    const QAbstractItemModel* model = m_ui->tableView->model();
    m_actionExportToExcel->setEnabled(m_manager && model && model->rowCount() > 0);
}

void FormOutputbar::selectionChanged(QItemSelection selected, QItemSelection deselected)
{
    if (!m_manager) {
        return;
    }
    for (const QModelIndex& index : selected.indexes()) {
        m_manager->selectTool(index.row(), true);
    }
    for (const QModelIndex& index : deselected.indexes()) {
        m_manager->selectTool(index.row(), false);
    }
}

void FormOutputbar::toolSelected(QGraphicsObject* object, bool selected)
{
    QTableView* table = m_ui->tableView;
    if (!table->model() || !table->selectionModel() || !vrx::Primitive::isDimensionTool(object)) {
        return;
    }
    const int id = static_cast<vrx::PrimitiveDimensionTool*>(object)->id();
    qDebug() << "id" << id << selected;
    const QModelIndex index = table->model()->index(id, 2);
    table->selectionModel()->select(index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                               QItemSelectionModel::Rows);
    table->setFocus(Qt::OtherFocusReason);
}

void FormOutputbar::customMenuRequested(QPoint pos)
{
    QTableView* table = m_ui->tableView;
    const QAbstractItemModel* model = table->model();
    if (!model) {
        return;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);

    m_actionAverageValue->setEnabled(table->selectionModel()->selectedRows().size() >= 2);
    menu->addAction(m_actionAverageValue);

    QAction* clear = menu->addAction(tr("Clear all..."), this, &FormOutputbar::clearAll);
    clear->setShortcut(QKeySequence());
    clear->setEnabled(model->rowCount() > 0);

    menu->addAction(m_actionExportToExcel);

    QAction* settings = menu->addAction(QIcon::fromTheme(QStringLiteral("settings")), tr("Settings..."), this,
                                        &FormOutputbar::openMeasurementPreference);
    settings->setToolTip(tr("Open preferences dialog."));

    menu->popup(table->viewport()->mapToGlobal(pos));
}

void FormOutputbar::clearAll()
{
    if (m_manager) {
        m_manager->deleteAllTools(false);
    }
}

void FormOutputbar::averageValue()
{
    QTableView* table = m_ui->tableView;
    const QAbstractItemModel* model = table->model();
    QItemSelectionModel* selection = table->selectionModel();
    if (!model || !selection) {
        return;
    }
    QString text;
    const int columns = model->columnCount();
    for (int c = 1; c < columns - 1; ++c) {
        PositiveAverage average;
        const QModelIndexList rows = selection->selectedRows(c);
        for (const QModelIndex& index : rows) {
            average.add(model->data(index).toDouble());
        }
        if (average.hasValue()) {
            text +=
                vrx::PrimitiveDimensionModel::headerTitle(c) + ": " + QString("%1").arg(average.value(), 0, 'g') + "\n";
        }
    }
    QApplication::clipboard()->setText(text);
    UserPrompt::information(this, tr("Average Value"),
                            text + tr("\nTip: The above text has been copied to the clipboard."));
}

void FormOutputbar::exportToExcel()
{
    if (!m_manager) {
        return;
    }
    exportReport(QSettings().value(SettingsKeys::ReportPopup, SettingsDefaults::ReportPopup).toBool(), this);
}

void FormOutputbar::exportReport(bool popup, QWidget* parent)
{
    ExcelReport::exportReport(ExcelReport::contentOf(m_view, m_manager), popup, parent);
}
