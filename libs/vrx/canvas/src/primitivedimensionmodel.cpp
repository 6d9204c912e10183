#include "vrx/primitivedimensionmodel.h"

#include "vrx/primitivedimensiontool.h"
#include "vrx/primitivemanager.h"
#include "vrx/primitivequantity.h"
#include "vrx/primitivetype.h"

#include <cmath>

namespace vrx {

PrimitiveDimensionModel::PrimitiveDimensionModel(PrimitiveManager* manager)
    : QAbstractTableModel(manager), m_manager(manager)
{}

int PrimitiveDimensionModel::columnTotal()
{
    return FirstValueColumn + PrimitiveQuantity::QuantityCount + 1;
}

int PrimitiveDimensionModel::noteColumn()
{
    return columnTotal() - 1;
}

int PrimitiveDimensionModel::quantityOfColumn(int column)
{
    const int q = column - FirstValueColumn;
    return q >= 0 && q < PrimitiveQuantity::QuantityCount ? q : -1;
}

QString PrimitiveDimensionModel::headerTitle(const int& column)
{
    if (column == NumberColumn) {
        return tr("No.");
    }
    if (column == KindColumn) {
        return tr("Tool");
    }
    if (column == noteColumn()) {
        return tr("Note");
    }
    return PrimitiveQuantity::title(quantityOfColumn(column));
}

int PrimitiveDimensionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_manager->toolCount();
}

int PrimitiveDimensionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnTotal();
}

QVariant PrimitiveDimensionModel::data(const QModelIndex& index, int role) const
{
    const PrimitiveDimensionTool* tool = index.isValid() ? m_manager->tool(index.row()) : nullptr;
    if (!tool) {
        return QVariant();
    }
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return quantityOfColumn(column) >= 0 || column == NumberColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                                       : int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::UserRole) {
        return QVariant();
    }
    if (column == NumberColumn) {
        return tool->id() + 1;
    }
    if (column == KindColumn) {
        return PrimitiveType::name(tool->type());
    }
    if (column == noteColumn()) {
        return tool->note();
    }
    const int quantity = quantityOfColumn(column);
    if (quantity < 0) {
        return QVariant();
    }
    const double pixels = tool->value(quantity);
    if (std::isnan(pixels)) {
        return QVariant();
    }
    const double value = PrimitiveQuantity::convert(pixels, quantity, m_manager->unitsPerPixel());
    if (role != Qt::DisplayRole) {
        return value;
    }
    const int decimals =
        PrimitiveQuantity::kind(quantity) == PrimitiveQuantity::CountKind ? 0 : m_manager->decimalPlaces();
    return QString::number(value, 'f', decimals);
}

bool PrimitiveDimensionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    PrimitiveDimensionTool* tool = index.isValid() ? m_manager->tool(index.row()) : nullptr;
    if (!tool || role != Qt::EditRole || index.column() != noteColumn()) {
        return false;
    }
    tool->setNote(value.toString()); // the manager reports the change
    return true;
}

QVariant PrimitiveDimensionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return headerTitle(section);
}

Qt::ItemFlags PrimitiveDimensionModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == noteColumn()) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

} // namespace vrx
