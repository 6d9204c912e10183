#pragma once

#include "vrx/primitivecalibration.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVector>

class QGraphicsItem;
class QGraphicsObject;
class QGraphicsScene;

namespace vrx {

class Primitive;
class PrimitiveAttributesWidget;
class PrimitiveDimensionModel;
class PrimitiveDimensionTool;
class PrimitiveScaleBar;

/// Owns the tools on one scene: numbers them for the result model, formats their values in
/// the current calibration, unit and decimals, shows the scale bar, and selects and deletes.
class PrimitiveManager final : public QObject
{
    Q_OBJECT
public:
    /// How the view's mouse works; the numbers are the action groups.
    enum DragMode
    {
        HandDrag = 0,   ///< pan the picture
        SelectDrag = 1, ///< select and edit tools (or grab a region, see GraphicsView)
        DrawDrag = 2    ///< draw tools of one type
    };
    Q_ENUM(DragMode)

    explicit PrimitiveManager(QGraphicsScene* scene, QObject* parent = nullptr);
    ~PrimitiveManager() override;

    QGraphicsScene* scene() const { return m_scene; }
    PrimitiveDimensionModel* dimensionModel() const { return m_model; }

    /// Switches to the calibration of that name (from the calibration model) with the unit
    /// `unitKey` (its default unit when empty); false: not switched.
    bool setCalibration(const QString& name, const QString& unitKey);
    /// False (not switched) when the calibration is invalid or cannot show `unitKey`.
    bool setCalibration(const PrimitiveCalibration& calibration, const QString& unitKey);
    bool currentCalibrationValid() const;
    QString currentCalibrationName() const;
    const PrimitiveCalibration& currentCalibration() const { return m_calibration; }
    QString currentUnitKey() const { return m_unitKey; }
    QString currentUnitFullName() const;
    /// Size of one picture pixel in the current unit.
    double unitsPerPixel() const { return m_unitsPerPixel; }
    /// Height of a picture pixel over its width in the current calibration; tools measure
    /// with their points' y scaled by it, so every value is in pixels across.
    double pixelAspect() const { return m_pixelAspect; }

    void setDecimalPlaces(int places);
    int decimalPlaces() const { return m_decimals; }

    void showScalebar(bool show);
    bool isScalebarShown() const;
    PrimitiveScaleBar* scalebar() const { return m_scalebar; }

    /// The editor of the selected tools' attributes (not owned); it follows the selection.
    void setAttributesWidget(PrimitiveAttributesWidget* widget);
    PrimitiveAttributesWidget* attributesWidget() const;
    /// The selected tools, table tools first by id.
    QList<Primitive*> selectedTools() const;

    /// One screen pixel in picture pixels, as the view shows the scene (for handles and picking).
    void setScreenPixel(double pixel);
    double screenPixel() const { return m_screenPixel; }

    /// The tools of the result table by id.
    QList<QGraphicsObject*> dimensionTools(Qt::SortOrder order = Qt::AscendingOrder) const;
    int toolCount() const { return m_tools.size(); }
    PrimitiveDimensionTool* tool(int id) const;
    /// Managed tools outside the table (calibration rulers).
    QList<Primitive*> otherTools() const;

    /// Takes a tool: adds it to the scene if needed and, for a table tool, gives it the next id
    /// and a row. Items that are not tools are only added to the scene.
    void addObject(QGraphicsItem* item);
    void selectTool(int row, bool select);
    void deleteSelectedTools();
    /// Deletes the tools of the table; with `all`, the calibration rulers as well.
    void deleteAllTools(bool all);

signals:
    void toolSelected(QGraphicsObject* object, bool selected);
    void toolAdded(QGraphicsObject* object);
    void calibrationChanged();
    void decimalPlacesChanged(int places);

private:
    void watch(Primitive* tool);
    void toolChanged(Primitive* tool);
    void forget(QObject* object);
    void removeTools(const QList<Primitive*>& tools);
    void renumber(int from);
    void refreshAll();
    void layoutScalebar();
    void scheduleAttributesUpdate();

    QGraphicsScene* m_scene;
    PrimitiveDimensionModel* m_model;
    QVector<PrimitiveDimensionTool*> m_tools;
    QVector<Primitive*> m_others;
    PrimitiveCalibration m_calibration;
    QString m_unitKey;
    double m_unitsPerPixel = 1;
    double m_pixelAspect = 1;
    int m_decimals = 2;
    double m_screenPixel = 1;
    PrimitiveScaleBar* m_scalebar = nullptr;
    QPointer<PrimitiveAttributesWidget> m_attributesWidget;
    bool m_attributesUpdatePending = false;
};

} // namespace vrx
