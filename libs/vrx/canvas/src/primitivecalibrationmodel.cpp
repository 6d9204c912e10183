#include "vrx/primitivecalibrationmodel.h"

#include "vrx/primitivecalibrationstore.h"
#include "vrx/primitiveunit.h"

#include <QCoreApplication>
#include <QPointer>

namespace vrx {

PrimitiveCalibrationModel* PrimitiveCalibrationModel::getInstance()
{
    static QPointer<PrimitiveCalibrationModel> instance;
    if (!instance) {
        instance =
            new PrimitiveCalibrationModel(PrimitiveCalibrationStore::defaultPath(), QCoreApplication::instance());
    }
    return instance;
}

PrimitiveCalibrationModel::PrimitiveCalibrationModel(const QString& storePath, QObject* parent)
    : QAbstractTableModel(parent), m_store(new PrimitiveCalibrationStore(storePath))
{
    m_calibrations.append(PrimitiveCalibration());
    m_calibrations.append(m_store->load());
}

PrimitiveCalibrationModel::~PrimitiveCalibrationModel()
{
    delete m_store;
}

QString PrimitiveCalibrationModel::storePath() const
{
    return m_store->path();
}

void PrimitiveCalibrationModel::reload()
{
    const QString current = m_calibrations.value(m_checked).name();
    beginResetModel();
    m_calibrations = {PrimitiveCalibration()};
    m_calibrations.append(m_store->load());
    m_checked = qMax(0, rowOf(current));
    endResetModel();
}

PrimitiveCalibration PrimitiveCalibrationModel::getCalibration(int row) const
{
    return row >= 0 && row < m_calibrations.size() ? m_calibrations[row]
                                                   : PrimitiveCalibration(QString(), 0, 1, QString());
}

PrimitiveCalibration PrimitiveCalibrationModel::findCalibrationByName(const QString& name) const
{
    return getCalibration(rowOf(name));
}

int PrimitiveCalibrationModel::rowOf(const QString& name) const
{
    for (int row = 0; row < m_calibrations.size(); ++row) {
        if (m_calibrations[row].name() == name) {
            return row;
        }
    }
    return -1;
}

int PrimitiveCalibrationModel::addCalibration(const PrimitiveCalibration& calibration, bool replace)
{
    if (!calibration.isValid() || calibration.isPixelCalibration()) {
        return -1;
    }
    const int existing = rowOf(calibration.name());
    if (existing >= 0 && !replace) {
        return -1;
    }
    if (existing >= 0) {
        m_calibrations[existing] = calibration;
        emit dataChanged(index(existing, 0), index(existing, ColumnCount - 1));
        save();
        return existing;
    }
    const int row = m_calibrations.size();
    beginInsertRows(QModelIndex(), row, row);
    m_calibrations.append(calibration);
    endInsertRows();
    save();
    return row;
}

bool PrimitiveCalibrationModel::renameCalibration(int row, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (row <= 0 || row >= m_calibrations.size() || trimmed.isEmpty() ||
        trimmed == PrimitiveCalibration::InPixelsName() || (rowOf(trimmed) >= 0 && rowOf(trimmed) != row)) {
        return false;
    }
    const QString old = m_calibrations[row].name();
    if (old == trimmed) {
        return true;
    }
    m_calibrations[row].setName(trimmed);
    emit dataChanged(index(row, NameColumn), index(row, NameColumn));
    save();
    emit calibrationRenamed(old, trimmed);
    return true;
}

bool PrimitiveCalibrationModel::removeCalibration(int row)
{
    if (row <= 0 || row >= m_calibrations.size()) {
        return false;
    }
    const bool wasChecked = row == m_checked;
    beginRemoveRows(QModelIndex(), row, row);
    m_calibrations.removeAt(row);
    if (m_checked > row) {
        --m_checked;
    }
    endRemoveRows();
    save();
    if (wasChecked) {
        checkRow(0);
    }
    return true;
}

void PrimitiveCalibrationModel::markCurrent(const QString& name)
{
    const int row = rowOf(name);
    if (row >= 0) {
        setChecked(row);
    }
}

void PrimitiveCalibrationModel::checkRow(int row)
{
    if (row < 0 || row >= m_calibrations.size()) {
        return;
    }
    setChecked(row);
    emit rowChecked(row);
}

void PrimitiveCalibrationModel::setChecked(int row)
{
    const int old = m_checked;
    m_checked = row;
    emit dataChanged(index(old, CheckColumn), index(old, CheckColumn));
    emit dataChanged(index(row, CheckColumn), index(row, CheckColumn));
}

void PrimitiveCalibrationModel::save() const
{
    m_store->save(m_calibrations.mid(1));
}

int PrimitiveCalibrationModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_calibrations.size();
}

int PrimitiveCalibrationModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PrimitiveCalibrationModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_calibrations.size()) {
        return QVariant();
    }
    const PrimitiveCalibration& c = m_calibrations[index.row()];
    if (index.column() == CheckColumn) {
        return role == Qt::CheckStateRole ? QVariant(index.row() == m_checked ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) {
        return QVariant();
    }
    const bool pixels = c.isPixelCalibration();
    switch (index.column()) {
    case NameColumn:
        return c.name();
    case ScaleXColumn:
        return pixels ? QVariant(1.0) : QVariant(c.pixelsPerUnitX());
    case ScaleYColumn:
        return pixels ? QVariant(1.0) : QVariant(c.pixelsPerUnitY());
    case UnitColumn:
        return PrimitiveUnit::fullName(c.unitKey());
    case DefaultUnitColumn:
        return PrimitiveUnit::fullName(c.defaultUnitKey());
    default:
        return QVariant();
    }
}

bool PrimitiveCalibrationModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid()) {
        return false;
    }
    if (index.column() == CheckColumn && role == Qt::CheckStateRole) {
        if (value.toInt() == Qt::Checked) {
            checkRow(index.row());
        }
        return true;
    }
    if (index.column() == NameColumn && role == Qt::EditRole) {
        return renameCalibration(index.row(), value.toString());
    }
    return false;
}

QVariant PrimitiveCalibrationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QVariant();
    }
    switch (section) {
    case CheckColumn:
        return tr("In use");
    case NameColumn:
        return tr("Name");
    case ScaleXColumn:
        return tr("Pixels per unit (x)");
    case ScaleYColumn:
        return tr("Pixels per unit (y)");
    case UnitColumn:
        return tr("Unit");
    case DefaultUnitColumn:
        return tr("Shown in");
    default:
        return QVariant();
    }
}

Qt::ItemFlags PrimitiveCalibrationModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == CheckColumn) {
        flags |= Qt::ItemIsUserCheckable;
    } else if (index.column() == NameColumn && index.row() > 0) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

} // namespace vrx
