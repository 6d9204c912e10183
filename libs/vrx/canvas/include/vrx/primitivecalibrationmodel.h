#pragma once

#include "vrx/primitivecalibration.h"

#include <QAbstractTableModel>
#include <QList>

namespace vrx {

class PrimitiveCalibrationStore;

/// Every calibration of the application, as a table: row 0 is always the pixel calibration,
/// the others follow in the order they were added. Exactly one row is checked: the one in use.
///
/// Columns: 0 the check mark, 1 the name (editable, renames), 2 and 3 the pixels per unit
/// across and down, 4 the unit measured in, 5 the default display unit. Every change is
/// written to the calibrations file at once.
class PrimitiveCalibrationModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        CheckColumn,
        NameColumn,
        ScaleXColumn,
        ScaleYColumn,
        UnitColumn,
        DefaultUnitColumn,
        ColumnCount
    };

    /// Created on first use from the calibrations file, owned by the application object.
    static PrimitiveCalibrationModel* getInstance();
    /// A model on its own file (tests and tools).
    explicit PrimitiveCalibrationModel(const QString& storePath, QObject* parent = nullptr);
    ~PrimitiveCalibrationModel() override;

    /// The calibration of a row; an invalid one for a row that does not exist.
    PrimitiveCalibration getCalibration(int row) const;
    /// The calibration of that name; an invalid one when there is none.
    PrimitiveCalibration findCalibrationByName(const QString& name) const;
    /// Row of a name, -1 when there is none.
    int rowOf(const QString& name) const;
    int checkedRow() const { return m_checked; }

    /// Adds a valid calibration; one of the same name is replaced when `replace` is set.
    /// Returns its row, or -1 (nothing changed) for an invalid calibration, the pixel
    /// calibration's name, or an existing name without `replace`.
    int addCalibration(const PrimitiveCalibration& calibration, bool replace = false);
    /// Renames a row (not the pixel calibration); false for an empty, reserved or taken name.
    bool renameCalibration(int row, const QString& name);
    /// Removes a row (not the pixel calibration). Removing the checked row checks row 0 and
    /// reports it with rowChecked(0).
    bool removeCalibration(int row);
    /// Marks the row of `name` as the one in use without reporting it (the canvas switched by
    /// itself); unknown names check nothing.
    void markCurrent(const QString& name);
    /// Reads the file again (after another program changed it).
    void reload();
    QString storePath() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

public slots:
    /// Makes a row the one in use and reports it with rowChecked(); rows that do not exist
    /// are ignored.
    void checkRow(int row);

signals:
    void rowChecked(int row);
    /// A calibration got a new name (the canvas keeps the one in use up to date).
    void calibrationRenamed(const QString& oldName, const QString& newName);

private:
    void setChecked(int row);
    void save() const;

    PrimitiveCalibrationStore* m_store;
    QList<PrimitiveCalibration> m_calibrations;
    int m_checked = 0;
};

} // namespace vrx
