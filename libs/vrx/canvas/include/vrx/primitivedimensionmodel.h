#pragma once

#include <QAbstractTableModel>

namespace vrx {

class PrimitiveManager;

/// The result table: row r is the tool whose id() is r. Column 0 is the tool's number (id + 1),
/// column 1 its kind, then one column per measured quantity, and last the tool's note.
///
/// Numeric cells: Qt::DisplayRole gives the value rounded to the manager's decimals as text
/// (empty when the tool does not measure it), Qt::EditRole and Qt::UserRole the unrounded
/// number. Both convert with QVariant::toDouble. The note column is editable.
class PrimitiveDimensionModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn = 0,
        KindColumn = 1,
        FirstValueColumn = 2
    };

    explicit PrimitiveDimensionModel(PrimitiveManager* manager);

    /// Translated title of a column; empty outside the table.
    static QString headerTitle(const int& column);
    static int columnTotal();
    static int noteColumn();
    /// The quantity of a value column, -1 for the other columns.
    static int quantityOfColumn(int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    friend class PrimitiveManager;

    PrimitiveManager* m_manager;
};

} // namespace vrx
