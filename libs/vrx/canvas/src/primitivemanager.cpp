#include "vrx/primitivemanager.h"

#include "vrx/primitiveattribute.h"
#include "vrx/primitiveattributeswidget.h"
#include "vrx/primitivecalibrationmodel.h"
#include "vrx/primitivedimensionmodel.h"
#include "vrx/primitivedimensiontool.h"
#include "vrx/primitivescalebar.h"
#include "vrx/primitivetype.h"
#include "vrx/primitiveunit.h"

#include <QDebug>
#include <QGraphicsScene>
#include <QTimer>
#include <algorithm>

namespace vrx {

PrimitiveManager::PrimitiveManager(QGraphicsScene* scene, QObject* parent)
    : QObject(parent), m_scene(scene), m_model(new PrimitiveDimensionModel(this)),
      m_unitKey(PrimitiveUnit::pixelUnitKey())
{
    connect(m_scene, &QGraphicsScene::sceneRectChanged, this, &PrimitiveManager::layoutScalebar);
    connect(PrimitiveCalibrationModel::getInstance(), &PrimitiveCalibrationModel::calibrationRenamed, this,
            [this](const QString& oldName, const QString& newName) {
                if (m_calibration.name() == oldName) {
                    m_calibration.setName(newName);
                    emit calibrationChanged();
                }
            });
}

PrimitiveManager::~PrimitiveManager()
{
    // The scene deletes the tools; they must not report to a manager that is gone.
    for (PrimitiveDimensionTool* tool : qAsConst(m_tools)) {
        disconnect(tool, nullptr, this, nullptr);
    }
    for (Primitive* tool : qAsConst(m_others)) {
        disconnect(tool, nullptr, this, nullptr);
    }
}

bool PrimitiveManager::setCalibration(const QString& name, const QString& unitKey)
{
    if (name == PrimitiveCalibration::InPixelsName()) {
        return setCalibration(PrimitiveCalibration(), PrimitiveUnit::pixelUnitKey());
    }
    const PrimitiveCalibration known = PrimitiveCalibrationModel::getInstance()->findCalibrationByName(name);
    if (known.isValid()) {
        return setCalibration(known, unitKey);
    }
    if (!name.isEmpty() && name == m_calibration.name()) {
        return setCalibration(m_calibration, unitKey);
    }
    qInfo() << "unknown calibration:" << name;
    return false;
}

bool PrimitiveManager::setCalibration(const PrimitiveCalibration& calibration, const QString& unitKey)
{
    if (!calibration.isValid()) {
        return false;
    }
    const QString key = unitKey.isEmpty() ? calibration.defaultUnitKey() : unitKey;
    const double upp = calibration.unitsPerPixel(key);
    if (!(upp > 0)) {
        return false;
    }
    m_calibration = calibration;
    m_unitKey = key;
    m_unitsPerPixel = upp;
    m_pixelAspect = calibration.pixelAspect();
    PrimitiveCalibrationModel::getInstance()->markCurrent(calibration.name());
    refreshAll();
    emit calibrationChanged();
    return true;
}

bool PrimitiveManager::currentCalibrationValid() const
{
    return m_calibration.isValid();
}

QString PrimitiveManager::currentCalibrationName() const
{
    return m_calibration.name();
}

QString PrimitiveManager::currentUnitFullName() const
{
    return PrimitiveUnit::fullName(m_unitKey);
}

void PrimitiveManager::setDecimalPlaces(int places)
{
    places = qBound(0, places, 6);
    if (places == m_decimals) {
        return;
    }
    m_decimals = places;
    refreshAll();
    emit decimalPlacesChanged(places);
}

void PrimitiveManager::showScalebar(bool show)
{
    if (show && !m_scalebar) {
        m_scalebar = new PrimitiveScaleBar;
        m_scalebar->setAttributes(PrimitiveAttribute::attributes(PrimitiveType::ScaleBar));
        m_scalebar->setManager(this);
        m_scene->addItem(m_scalebar);
        layoutScalebar();
    }
    if (m_scalebar) {
        m_scalebar->setVisible(show);
    }
}

bool PrimitiveManager::isScalebarShown() const
{
    return m_scalebar && m_scalebar->isVisible();
}

void PrimitiveManager::setAttributesWidget(PrimitiveAttributesWidget* widget)
{
    m_attributesWidget = widget;
    if (widget) {
        widget->setTools(selectedTools());
    }
}

PrimitiveAttributesWidget* PrimitiveManager::attributesWidget() const
{
    return m_attributesWidget;
}

QList<Primitive*> PrimitiveManager::selectedTools() const
{
    QList<Primitive*> selected;
    for (PrimitiveDimensionTool* tool : m_tools) {
        if (tool->isSelected()) {
            selected.append(tool);
        }
    }
    for (Primitive* tool : m_others) {
        if (tool->isSelected()) {
            selected.append(tool);
        }
    }
    return selected;
}

void PrimitiveManager::scheduleAttributesUpdate()
{
    // A rubber band selects many tools at once: the editor follows once, afterwards.
    if (!m_attributesWidget || m_attributesUpdatePending) {
        return;
    }
    m_attributesUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_attributesUpdatePending = false;
        if (m_attributesWidget) {
            m_attributesWidget->setTools(selectedTools());
        }
    });
}

void PrimitiveManager::setScreenPixel(double pixel)
{
    if (!(pixel > 0) || qFuzzyCompare(pixel, m_screenPixel)) {
        return;
    }
    m_screenPixel = pixel;
    // Pick margins and bounds are kept in screen pixels.
    for (PrimitiveDimensionTool* tool : qAsConst(m_tools)) {
        tool->rebuildBounds();
    }
    for (Primitive* tool : qAsConst(m_others)) {
        tool->rebuildBounds();
    }
    if (m_scalebar) {
        m_scalebar->rebuildBounds();
    }
}

QList<QGraphicsObject*> PrimitiveManager::dimensionTools(Qt::SortOrder order) const
{
    QList<QGraphicsObject*> list;
    list.reserve(m_tools.size());
    for (PrimitiveDimensionTool* tool : m_tools) {
        list.append(tool);
    }
    if (order == Qt::DescendingOrder) {
        std::reverse(list.begin(), list.end());
    }
    return list;
}

PrimitiveDimensionTool* PrimitiveManager::tool(int id) const
{
    return id >= 0 && id < m_tools.size() ? m_tools[id] : nullptr;
}

QList<Primitive*> PrimitiveManager::otherTools() const
{
    return QList<Primitive*>(m_others.cbegin(), m_others.cend());
}

void PrimitiveManager::addObject(QGraphicsItem* item)
{
    if (!item) {
        return;
    }
    if (item->scene() != m_scene) {
        if (item->scene()) {
            item->scene()->removeItem(item);
        }
        m_scene->addItem(item);
    }
    auto* primitive = dynamic_cast<Primitive*>(item);
    if (!primitive || primitive == m_scalebar) {
        return;
    }
    auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(primitive);
    if ((dimension && m_tools.contains(dimension)) || m_others.contains(primitive)) {
        return;
    }
    primitive->setManager(this);
    if (dimension) {
        const int row = m_tools.size();
        m_model->beginInsertRows(QModelIndex(), row, row);
        dimension->setId(row);
        m_tools.append(dimension);
        m_model->endInsertRows();
    } else {
        m_others.append(primitive);
    }
    watch(primitive);
    emit toolAdded(primitive);
}

void PrimitiveManager::watch(Primitive* tool)
{
    connect(tool, &Primitive::geometryChanged, this, [this, tool] { toolChanged(tool); });
    connect(tool, &Primitive::selectedChanged, this, [this, tool](bool selected) {
        scheduleAttributesUpdate();
        emit toolSelected(tool, selected);
    });
    connect(tool, &QObject::destroyed, this, &PrimitiveManager::forget);
    if (auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(tool)) {
        connect(dimension, &PrimitiveDimensionTool::noteChanged, this, [this, tool] { toolChanged(tool); });
    }
}

void PrimitiveManager::toolChanged(Primitive* tool)
{
    auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(tool);
    if (!dimension || dimension->id() < 0 || dimension->id() >= m_tools.size() ||
        m_tools[dimension->id()] != dimension) {
        return;
    }
    const int row = dimension->id();
    emit m_model->dataChanged(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
}

void PrimitiveManager::forget(QObject* object)
{
    // A tool deleted by someone else: drop its row. Only pointers are compared here, the
    // object is half destroyed.
    for (int i = 0; i < m_tools.size(); ++i) {
        if (static_cast<QObject*>(static_cast<QGraphicsObject*>(m_tools[i])) == object) {
            m_model->beginRemoveRows(QModelIndex(), i, i);
            m_tools.remove(i);
            m_model->endRemoveRows();
            renumber(i);
            return;
        }
    }
    for (int i = 0; i < m_others.size(); ++i) {
        if (static_cast<QObject*>(static_cast<QGraphicsObject*>(m_others[i])) == object) {
            m_others.remove(i);
            return;
        }
    }
}

void PrimitiveManager::selectTool(int row, bool select)
{
    if (PrimitiveDimensionTool* t = tool(row)) {
        t->setSelected(select);
    }
}

void PrimitiveManager::deleteSelectedTools()
{
    QList<Primitive*> selected;
    for (PrimitiveDimensionTool* tool : qAsConst(m_tools)) {
        if (tool->isSelected()) {
            selected.append(tool);
        }
    }
    for (Primitive* tool : qAsConst(m_others)) {
        if (tool->isSelected()) {
            selected.append(tool);
        }
    }
    removeTools(selected);
}

void PrimitiveManager::deleteAllTools(bool all)
{
    QList<Primitive*> tools;
    for (PrimitiveDimensionTool* tool : qAsConst(m_tools)) {
        tools.append(tool);
    }
    if (all) {
        for (Primitive* tool : qAsConst(m_others)) {
            tools.append(tool);
        }
    }
    removeTools(tools);
}

void PrimitiveManager::removeTools(const QList<Primitive*>& tools)
{
    if (tools.isEmpty()) {
        return;
    }
    // Rows go in blocks of consecutive ids, from the end, so every signal names rows that exist.
    QVector<int> ids;
    for (Primitive* tool : tools) {
        if (auto* dimension = dynamic_cast<PrimitiveDimensionTool*>(tool)) {
            ids.append(dimension->id());
        } else {
            m_others.removeAll(tool);
        }
    }
    std::sort(ids.begin(), ids.end());
    int first = ids.isEmpty() ? m_tools.size() : ids.first();
    while (!ids.isEmpty()) {
        const int last = ids.takeLast();
        int start = last;
        while (!ids.isEmpty() && ids.last() == start - 1) {
            start = ids.takeLast();
        }
        m_model->beginRemoveRows(QModelIndex(), start, last);
        m_tools.remove(start, last - start + 1);
        m_model->endRemoveRows();
    }
    for (Primitive* tool : tools) {
        // No deselection report: the rows, and their selection, are gone already.
        disconnect(tool, nullptr, this, nullptr);
        delete tool;
    }
    renumber(first);
    scheduleAttributesUpdate();
}

void PrimitiveManager::renumber(int from)
{
    for (int i = from; i < m_tools.size(); ++i) {
        m_tools[i]->setId(i);
    }
    if (from < m_tools.size()) {
        emit m_model->dataChanged(m_model->index(from, 0), m_model->index(m_tools.size() - 1, 0));
    }
}

void PrimitiveManager::refreshAll()
{
    for (PrimitiveDimensionTool* tool : qAsConst(m_tools)) {
        tool->blockSignals(true); // one model signal below instead of one per tool
        tool->refresh();
        tool->blockSignals(false);
    }
    for (Primitive* tool : qAsConst(m_others)) {
        tool->refresh();
    }
    layoutScalebar();
    if (!m_tools.isEmpty()) {
        emit m_model->dataChanged(m_model->index(0, 0), m_model->index(m_tools.size() - 1, m_model->columnCount() - 1));
    }
}

void PrimitiveManager::layoutScalebar()
{
    if (m_scalebar) {
        m_scalebar->layout(m_scene->sceneRect());
    }
}

} // namespace vrx
