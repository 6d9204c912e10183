#include "testmain.h"

#include <vrx/primitivecalibration.h>
#include <vrx/primitivecalibrationruler.h>
#include <vrx/primitivecounter.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitiveline.h>
#include <vrx/primitivemanager.h>
#include <vrx/primitiverectangle.h>
#include <vrx/primitivescalebar.h>
#include <vrx/primitivetype.h>
#include <vrx/primitiveunit.h>

#include <QAbstractItemModelTester>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QtMath>
#include <cmath>
#include <memory>

using vrx::PrimitiveDimensionModel;
using vrx::PrimitiveManager;
using vrx::PrimitiveQuantity;

namespace {

int column(int quantity)
{
    return PrimitiveDimensionModel::FirstValueColumn + quantity;
}

/// A scene with a manager whose model is checked for consistent signals all along.
struct Canvas
{
    QGraphicsScene scene;
    PrimitiveManager manager{&scene};
    PrimitiveDimensionModel* model = manager.dimensionModel();
    QAbstractItemModelTester tester{model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    ~Canvas() { manager.deleteAllTools(true); }

    vrx::PrimitiveLine* addLine(double length)
    {
        auto* line = new vrx::PrimitiveLine;
        line->setPoints({{0, 10}, {length, 10}});
        manager.addObject(line);
        return line;
    }

    QString text(int row, int col) const { return model->data(model->index(row, col)).toString(); }
    double number(int row, int col) const { return model->data(model->index(row, col)).toDouble(); }
    double exact(int row, int col) const { return model->data(model->index(row, col), Qt::EditRole).toDouble(); }

    /// The Length column of every row, as the table shows it.
    QVector<double> lengths() const
    {
        QVector<double> list;
        for (int row = 0; row < model->rowCount(); ++row) {
            list.append(number(row, column(PrimitiveQuantity::Length)));
        }
        return list;
    }

    /// Every row's tool has the row's id, and the number column counts from 1.
    bool rowsMatchIds() const
    {
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!manager.tool(row) || manager.tool(row)->id() != row || number(row, 0) != row + 1) {
                return false;
            }
        }
        return manager.toolCount() == model->rowCount() && !manager.tool(model->rowCount());
    }
};

QList<QPair<int, int>> ranges(const QSignalSpy& spy)
{
    QList<QPair<int, int>> list;
    for (const QList<QVariant>& args : spy) {
        list.append({args.at(1).toInt(), args.at(2).toInt()});
    }
    return list;
}

} // namespace

class TestPrimitiveManager final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addsRowsInOrder();
    void deletesSelectedTools();
    void toolDeletedDirectlyLosesItsRow();
    void deleteAllKeepsOrRemovesRulers();
    void addObjectOnlyOncePerTool();
    void selectionBothWays();
    void decimalPlaces();
    void calibrationConvertsLengthsAndAreas();
    void refusedCalibrationChangesNothing();
    void pixelsThatAreNotSquare();
    void scalebarFollowsCalibration();
    void headerTitles();
    void noteColumn();
};

void TestPrimitiveManager::initTestCase()
{
    qRegisterMetaType<QGraphicsObject*>();
}

void TestPrimitiveManager::addsRowsInOrder()
{
    Canvas c;
    QSignalSpy inserted(c.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy added(&c.manager, &PrimitiveManager::toolAdded);
    QList<QGraphicsObject*> expected;
    for (int i = 1; i <= 3; ++i) {
        expected.append(c.addLine(10 * i));
        if (i == 2) {
            auto* ruler = new vrx::PrimitiveCalibrationRuler;
            ruler->setPoints({{0, 0}, {1, 1}});
            c.manager.addObject(ruler); // not a table tool: never listed
        }
    }
    QCOMPARE(ranges(inserted), (QList<QPair<int, int>>{{0, 0}, {1, 1}, {2, 2}}));
    QCOMPARE(added.count(), 4); // the ruler is a tool too, only not a table row
    QVERIFY(c.rowsMatchIds());
    QCOMPARE(c.lengths(), (QVector<double>{10, 20, 30}));
    QCOMPARE(c.manager.dimensionTools(Qt::AscendingOrder), expected);
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(c.manager.dimensionTools(Qt::DescendingOrder), expected);
    QCOMPARE(c.text(1, PrimitiveDimensionModel::KindColumn), vrx::PrimitiveType::name(vrx::PrimitiveType::Line));
    // A quantity the line does not measure is an empty cell.
    QVERIFY(c.text(1, column(PrimitiveQuantity::Area)).isEmpty());
    // Editing a tool's points updates its row.
    QSignalSpy changed(c.model, &QAbstractItemModel::dataChanged);
    c.manager.tool(2)->setPoints({{0, 0}, {0, 7}});
    QCOMPARE(changed.last().at(0).toModelIndex().row(), 2);
    QCOMPARE(c.number(2, column(PrimitiveQuantity::Length)), 7.0);
}

void TestPrimitiveManager::deletesSelectedTools()
{
    Canvas c;
    for (int i = 1; i <= 6; ++i) {
        c.addLine(i);
    }
    QSignalSpy removed(c.model, &QAbstractItemModel::rowsRemoved);

    c.manager.tool(2)->setSelected(true); // the middle one
    c.manager.deleteSelectedTools();
    QCOMPARE(ranges(removed), (QList<QPair<int, int>>{{2, 2}}));
    QCOMPARE(c.lengths(), (QVector<double>{1, 2, 4, 5, 6}));
    QVERIFY(c.rowsMatchIds());

    // Several, not adjacent, and a run of two: every signal names rows that still exist.
    removed.clear();
    for (int id : {0, 2, 3}) {
        c.manager.tool(id)->setSelected(true);
    }
    c.manager.deleteSelectedTools();
    QCOMPARE(c.lengths(), (QVector<double>{2, 6}));
    QVERIFY(c.rowsMatchIds());
    QCOMPARE(ranges(removed), (QList<QPair<int, int>>{{2, 3}, {0, 0}}));

    // Nothing selected: nothing happens; the deleted tools are gone from the scene too.
    removed.clear();
    c.manager.deleteSelectedTools();
    QCOMPARE(removed.count(), 0);
    int lines = 0;
    for (QGraphicsItem* item : c.scene.items()) {
        lines += item->type() == vrx::PrimitiveType::Line;
    }
    QCOMPARE(lines, 2);
}

void TestPrimitiveManager::toolDeletedDirectlyLosesItsRow()
{
    Canvas c;
    for (int i = 1; i <= 4; ++i) {
        c.addLine(i);
    }
    QSignalSpy removed(c.model, &QAbstractItemModel::rowsRemoved);
    delete c.manager.tool(1);
    QCOMPARE(ranges(removed), (QList<QPair<int, int>>{{1, 1}}));
    QCOMPARE(c.lengths(), (QVector<double>{1, 3, 4}));
    QVERIFY(c.rowsMatchIds());

    // A tool added later gets the next free row.
    c.addLine(9);
    QCOMPARE(c.lengths(), (QVector<double>{1, 3, 4, 9}));
    QVERIFY(c.rowsMatchIds());
}

void TestPrimitiveManager::deleteAllKeepsOrRemovesRulers()
{
    Canvas c;
    c.manager.showScalebar(true);
    c.addLine(1);
    auto* ruler = new vrx::PrimitiveCalibrationRuler;
    ruler->setPoints({{0, 0}, {100, 0}});
    c.manager.addObject(ruler);
    c.addLine(2);
    QCOMPARE(c.model->rowCount(), 2); // the ruler is not a result
    QCOMPARE(ruler->labelText(), QStringLiteral("100.00 px"));

    QSignalSpy removed(c.model, &QAbstractItemModel::rowsRemoved);
    c.manager.deleteAllTools(false);
    QCOMPARE(ranges(removed), (QList<QPair<int, int>>{{0, 1}}));
    QCOMPARE(c.manager.otherTools(), QList<vrx::Primitive*>{ruler});
    QCOMPARE(ruler->scene(), &c.scene);

    c.addLine(3);
    QPointer<vrx::PrimitiveCalibrationRuler> watched(ruler);
    c.manager.deleteAllTools(true);
    QCOMPARE(c.model->rowCount(), 0);
    QVERIFY(watched.isNull());
    // The scale bar is part of the canvas, not a tool: it stays.
    QCOMPARE(c.manager.scalebar()->scene(), &c.scene);
    QVERIFY(c.manager.isScalebarShown());

    removed.clear();
    c.manager.deleteAllTools(true); // empty: no signal
    QCOMPARE(removed.count(), 0);
}

void TestPrimitiveManager::addObjectOnlyOncePerTool()
{
    Canvas c;
    vrx::PrimitiveLine* line = c.addLine(5);
    c.manager.addObject(line);
    QCOMPARE(c.model->rowCount(), 1);

    // Not a tool: placed in the scene, no row.
    auto* rect = new QGraphicsRectItem(0, 0, 10, 10);
    c.manager.addObject(rect);
    QCOMPARE(rect->scene(), &c.scene);
    c.manager.addObject(nullptr);
    QCOMPARE(c.model->rowCount(), 1);

    // A tool from another scene moves over.
    QGraphicsScene other;
    auto* moved = new vrx::PrimitiveLine;
    moved->setPoints({{0, 0}, {1, 0}});
    other.addItem(moved);
    c.manager.addObject(moved);
    QCOMPARE(moved->scene(), &c.scene);
    QCOMPARE(moved->id(), 1);
}

void TestPrimitiveManager::selectionBothWays()
{
    Canvas c;
    for (int i = 1; i <= 3; ++i) {
        c.addLine(i);
    }
    QSignalSpy selected(&c.manager, &PrimitiveManager::toolSelected);

    // Table to canvas.
    c.manager.selectTool(1, true);
    c.manager.selectTool(1, true); // already selected: no second report
    QVERIFY(c.manager.tool(1)->isSelected() && !c.manager.tool(0)->isSelected());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.last().at(0).value<QGraphicsObject*>(), c.manager.tool(1));
    c.manager.selectTool(1, false);
    QVERIFY(!c.manager.tool(1)->isSelected());
    QCOMPARE(selected.last().at(1).toBool(), false);
    // Rows that do not exist are ignored.
    selected.clear();
    c.manager.selectTool(-1, true);
    c.manager.selectTool(3, true);
    QCOMPARE(selected.count(), 0);

    // Canvas to table.
    c.manager.tool(2)->setSelected(true);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.last().at(0).value<QGraphicsObject*>(), c.manager.tool(2));
    c.scene.clearSelection();
    QCOMPARE(selected.count(), 2);
    QCOMPARE(selected.last().at(1).toBool(), false);
}

void TestPrimitiveManager::decimalPlaces()
{
    Canvas c;
    auto* line = new vrx::PrimitiveLine;
    line->setPoints({{0, 0}, {1, 1}});
    c.manager.addObject(line);
    auto* counter = new vrx::PrimitiveCounter;
    counter->setPoints({{1, 1}, {2, 2}, {3, 3}});
    c.manager.addObject(counter);
    const int length = column(PrimitiveQuantity::Length);

    QCOMPARE(c.text(0, length), QStringLiteral("1.41"));

    QSignalSpy changed(c.model, &QAbstractItemModel::dataChanged);
    QSignalSpy places(&c.manager, &PrimitiveManager::decimalPlacesChanged);
    c.manager.setDecimalPlaces(4);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(c.text(0, length), QStringLiteral("1.4142"));
    QVERIFY2(line->labelText().startsWith(QStringLiteral("L: 1.4142 px")), qPrintable(line->labelText()));
    // The edit role keeps every digit.
    QCOMPARE(c.exact(0, length), std::sqrt(2.0));
    // Counts have no decimals.
    QCOMPARE(c.text(1, column(PrimitiveQuantity::Count)), QStringLiteral("3"));

    c.manager.setDecimalPlaces(0);
    QCOMPARE(c.text(0, length), QStringLiteral("1"));
    c.manager.setDecimalPlaces(0);
    QCOMPARE(places.count(), 2); // no report when nothing changes
}

void TestPrimitiveManager::calibrationConvertsLengthsAndAreas()
{
    Canvas c;
    vrx::PrimitiveLine* line = c.addLine(400);
    auto* rect = new vrx::PrimitiveRectangle;
    rect->setPoints({{0, 0}, {200, 100}});
    c.manager.addObject(rect);

    // 200 pixels are 1 mm, shown in micrometres: a pixel is 5 um.
    const vrx::PrimitiveCalibration calibration(QStringLiteral("Objective 10x"), 200, 1, QStringLiteral("mm"));
    QSignalSpy switched(&c.manager, &PrimitiveManager::calibrationChanged);
    QSignalSpy changed(c.model, &QAbstractItemModel::dataChanged);
    QVERIFY(c.manager.setCalibration(calibration, QStringLiteral("um")));
    QCOMPARE(switched.count(), 1);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(c.manager.unitsPerPixel(), 5.0);

    QCOMPARE(c.number(0, column(PrimitiveQuantity::Length)), 2000.0);
    QCOMPARE(c.number(1, column(PrimitiveQuantity::Height)), 500.0);
    QCOMPARE(c.number(1, column(PrimitiveQuantity::Area)), 500000.0); // squared: 1 mm x 0.5 mm
    QCOMPARE(c.number(0, column(PrimitiveQuantity::Angle)), 0.0);     // angles do not scale
    QVERIFY2(line->labelText().startsWith(QStringLiteral("L: 2000.00 \u00b5m")), qPrintable(line->labelText()));
    QVERIFY2(rect->labelText().contains(QStringLiteral("S: 500000.00 \u00b5m\u00b2")), qPrintable(rect->labelText()));

    // The tools keep measuring in pixels; only the table and labels convert.
    QCOMPARE(line->value(PrimitiveQuantity::Length), 400.0);

    // The same calibration in its own unit.
    QVERIFY(c.manager.setCalibration(calibration, QString()));
    QCOMPARE(c.manager.currentUnitKey(), QStringLiteral("mm"));
    QCOMPARE(c.number(0, column(PrimitiveQuantity::Length)), 2.0);
    QCOMPARE(c.number(1, column(PrimitiveQuantity::Area)), 0.5);

    // Back to pixels: whatever unit is asked for, pixels it is.
    QVERIFY(c.manager.setCalibration(vrx::PrimitiveCalibration::InPixelsName(), QStringLiteral("mm")));
    QCOMPARE(c.manager.currentUnitKey(), vrx::PrimitiveUnit::pixelUnitKey());
    QCOMPARE(c.number(1, column(PrimitiveQuantity::Area)), 20000.0);
}

void TestPrimitiveManager::refusedCalibrationChangesNothing()
{
    Canvas c;
    c.addLine(400);
    const vrx::PrimitiveCalibration calibration(QStringLiteral("Objective 4x"), 200, 1, QStringLiteral("mm"));
    QVERIFY(c.manager.setCalibration(calibration, QStringLiteral("um")));
    QSignalSpy switched(&c.manager, &PrimitiveManager::calibrationChanged);

    auto unchanged = [&] {
        return c.manager.currentCalibrationName() == QStringLiteral("Objective 4x") &&
               c.manager.currentUnitKey() == QStringLiteral("um") && c.manager.unitsPerPixel() == 5.0 &&
               c.number(0, column(PrimitiveQuantity::Length)) == 2000.0;
    };
    // A physical calibration cannot show pixels, nor an unknown unit.
    QVERIFY(!c.manager.setCalibration(calibration, vrx::PrimitiveUnit::pixelUnitKey()));
    QVERIFY(!c.manager.setCalibration(calibration, QStringLiteral("furlong")));
    // Invalid calibrations: no pixels, a negative length, an unknown unit, no name.
    QVERIFY(!c.manager.setCalibration(vrx::PrimitiveCalibration(QStringLiteral("x"), 0, 1, QStringLiteral("mm")),
                                      QStringLiteral("mm")));
    QVERIFY(!c.manager.setCalibration(vrx::PrimitiveCalibration(QStringLiteral("x"), 10, -1, QStringLiteral("mm")),
                                      QStringLiteral("mm")));
    QVERIFY(!c.manager.setCalibration(vrx::PrimitiveCalibration(QStringLiteral("x"), 10, 1, QStringLiteral("parsec")),
                                      QStringLiteral("mm")));
    QVERIFY(!c.manager.setCalibration(vrx::PrimitiveCalibration(QString(), 10, 1, QStringLiteral("mm")),
                                      QStringLiteral("mm")));
    QVERIFY(!c.manager.setCalibration(vrx::PrimitiveCalibration(), QStringLiteral("mm")));
    // Names nobody knows.
    QVERIFY(!c.manager.setCalibration(QStringLiteral("No such calibration"), QStringLiteral("mm")));
    QVERIFY(!c.manager.setCalibration(QString(), QStringLiteral("mm")));
    QVERIFY(unchanged());
    QCOMPARE(switched.count(), 0);
}

void TestPrimitiveManager::pixelsThatAreNotSquare()
{
    Canvas c;
    vrx::PrimitiveLine* across = c.addLine(100);
    auto* down = new vrx::PrimitiveLine;
    down->setPoints({{0, 0}, {0, 200}});
    c.manager.addObject(down);
    auto* slanted = new vrx::PrimitiveLine;
    slanted->setPoints({{0, 0}, {100, -200}});
    c.manager.addObject(slanted);
    auto* rect = new vrx::PrimitiveRectangle;
    rect->setPoints({{0, 0}, {100, 200}});
    c.manager.addObject(rect);

    // 100 pixels a millimetre across, 200 down: every one of these is 1 mm a side.
    const auto calibration =
        vrx::PrimitiveCalibration::fromScales(QStringLiteral("Anamorphic"), 100, 200, QStringLiteral("mm"));
    QVERIFY(c.manager.setCalibration(calibration, QString()));
    QCOMPARE(c.manager.pixelAspect(), 0.5);
    const int length = column(PrimitiveQuantity::Length);
    QCOMPARE(c.number(0, length), 1.0);
    QCOMPARE(c.number(1, length), 1.0);
    QVERIFY(qFuzzyCompare(c.exact(2, length), std::sqrt(2.0)));
    QVERIFY(qFuzzyCompare(c.exact(2, column(PrimitiveQuantity::Angle)), 45.0)); // as on the object
    QCOMPARE(c.number(3, column(PrimitiveQuantity::Height)), 1.0);
    QCOMPARE(c.number(3, column(PrimitiveQuantity::Area)), 1.0);
    QCOMPARE(across->points()[1], QPointF(100, 10)); // the points themselves stay picture pixels

    QVERIFY(c.manager.setCalibration(vrx::PrimitiveCalibration(), QString()));
    QCOMPARE(c.manager.pixelAspect(), 1.0);
    QCOMPARE(c.number(1, length), 200.0);
    QVERIFY(qFuzzyCompare(c.exact(2, column(PrimitiveQuantity::Angle)), qRadiansToDegrees(std::atan2(200.0, 100.0))));
}

void TestPrimitiveManager::scalebarFollowsCalibration()
{
    Canvas c;
    c.scene.setSceneRect(0, 0, 640, 480);
    QVERIFY(!c.manager.isScalebarShown());
    c.manager.showScalebar(true);
    vrx::PrimitiveScaleBar* bar = c.manager.scalebar();
    QVERIFY(bar);
    // A fifth of 640 pixels is 128: the round length below it is 100 pixels.
    QCOMPARE(bar->length(), 100.0);
    QCOMPARE(bar->points()[1].x() - bar->points()[0].x(), 100.0);
    QVERIFY(c.scene.sceneRect().contains(bar->mapToScene(bar->boundingRect()).boundingRect()));

    // 5 um a pixel: 128 pixels are 640 um, shown as a 500 um bar of 100 pixels.
    QVERIFY(c.manager.setCalibration(vrx::PrimitiveCalibration(QStringLiteral("c"), 200, 1, QStringLiteral("mm")),
                                     QStringLiteral("um")));
    QCOMPARE(bar->points()[1].x() - bar->points()[0].x(), 100.0);
    QCOMPARE(bar->labelText(), QStringLiteral("500 \u00b5m"));

    // A bigger picture gets a longer bar.
    c.scene.setSceneRect(0, 0, 2000, 1000);
    QCOMPARE(bar->length(), 2000.0);
    QCOMPARE(bar->points()[1].x() - bar->points()[0].x(), 400.0);

    c.manager.showScalebar(false);
    QVERIFY(!c.manager.isScalebarShown());
    QCOMPARE(c.model->rowCount(), 0); // never a result
}

void TestPrimitiveManager::headerTitles()
{
    Canvas c;
    const int total = PrimitiveDimensionModel::columnTotal();
    QCOMPARE(c.model->columnCount(), total);
    QCOMPARE(PrimitiveDimensionModel::headerTitle(column(PrimitiveQuantity::Length)), QStringLiteral("Length"));
    QCOMPARE(PrimitiveDimensionModel::headerTitle(PrimitiveDimensionModel::noteColumn()), QStringLiteral("Note"));
    QCOMPARE(PrimitiveDimensionModel::noteColumn(), total - 1);
    QVERIFY(PrimitiveDimensionModel::headerTitle(-1).isEmpty());
    QVERIFY(PrimitiveDimensionModel::headerTitle(total).isEmpty());
    QSet<QString> titles;
    for (int col = 0; col < total; ++col) {
        const QString title = PrimitiveDimensionModel::headerTitle(col);
        QVERIFY(!title.isEmpty());
        titles.insert(title);
        QCOMPARE(c.model->headerData(col, Qt::Horizontal).toString(), title);
    }
    QCOMPARE(titles.size(), total); // no two columns alike
}

void TestPrimitiveManager::noteColumn()
{
    Canvas c;
    vrx::PrimitiveLine* line = c.addLine(3);
    const QModelIndex note = c.model->index(0, PrimitiveDimensionModel::noteColumn());
    QVERIFY(c.model->flags(note) & Qt::ItemIsEditable);
    QVERIFY(!(c.model->flags(c.model->index(0, column(PrimitiveQuantity::Length))) & Qt::ItemIsEditable));

    QSignalSpy changed(c.model, &QAbstractItemModel::dataChanged);
    QVERIFY(c.model->setData(note, QStringLiteral("crack width")));
    QCOMPARE(line->note(), QStringLiteral("crack width"));
    QVERIFY(!changed.isEmpty());
    QVERIFY2(line->labelText().endsWith(QStringLiteral("\ncrack width")), qPrintable(line->labelText()));

    // A note set on the tool shows in the table.
    changed.clear();
    line->setNote(QStringLiteral("edge"));
    QCOMPARE(c.text(0, PrimitiveDimensionModel::noteColumn()), QStringLiteral("edge"));
    QVERIFY(!changed.isEmpty());

    // Only the note is editable.
    QVERIFY(!c.model->setData(c.model->index(0, column(PrimitiveQuantity::Length)), 99));
    QCOMPARE(c.number(0, column(PrimitiveQuantity::Length)), 3.0);
    QVERIFY(!c.model->setData(c.model->index(5, PrimitiveDimensionModel::noteColumn()), QStringLiteral("x")));
}

QUARNEL_TEST_MAIN(TestPrimitiveManager)
#include "tst_primitivemanager.moc"
