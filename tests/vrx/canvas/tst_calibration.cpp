#include "testmain.h"

#include <vrx/calibrationaddnewdialog.h>
#include <vrx/calibrationlistdialog.h>
#include <vrx/canvasprompt.h>
#include <vrx/primitiveattribute.h>
#include <vrx/primitiveattributeswidget.h>
#include <vrx/primitivecalibrationmodel.h>
#include <vrx/primitivecalibrationruler.h>
#include <vrx/primitivecalibrationstore.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitivefactory.h>
#include <vrx/primitivemanager.h>
#include <vrx/primitivequantity.h>
#include <vrx/primitivescalebar.h>
#include <vrx/primitivetype.h>
#include <vrx/primitiveunit.h>

#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

using namespace vrx;

namespace {

PrimitiveDimensionTool* addTool(PrimitiveManager& manager, int type, const QVector<QPointF>& points)
{
    auto* tool = static_cast<PrimitiveDimensionTool*>(PrimitiveFactory::create(type));
    if (!tool->setPoints(points)) {
        delete tool;
        return nullptr;
    }
    manager.addObject(tool);
    return tool;
}

double cell(const PrimitiveManager& manager, int row, int quantity)
{
    const QModelIndex index =
        manager.dimensionModel()->index(row, PrimitiveDimensionModel::FirstValueColumn + quantity);
    return index.data(Qt::EditRole).toDouble();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void verifyRelative(double actual, double expected)
{
    QVERIFY2(std::abs(actual - expected) <= 1e-9 * std::abs(expected),
             qPrintable(QString("%1 != %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

} // namespace

class TestCalibration final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unitConversionsAreExact_data();
    void unitConversionsAreExact();
    void unitSwitchOnAFullCanvas();
    void calibrationByName();
    void storeRoundTrip();
    void corruptStoreLoadsWhatIsValid();
    void unwritableStoreKeepsRunning();
    void modelRenameRemoveAndCheck();
    void addNewDialogRefusals();
    void addNewDialogCreatesAndReplaces();
    void listDialogDeletesAndChecks();
    void attributesWidgetEditsAndSavesDefaults();

private:
    PrimitiveCalibrationModel* model() { return PrimitiveCalibrationModel::getInstance(); }
};

void TestCalibration::init()
{
    QFile::remove(PrimitiveCalibrationStore::defaultPath());
    model()->reload();
    model()->markCurrent(PrimitiveCalibration::InPixelsName());
    setConfirmPrompt(nullptr);
}

void TestCalibration::unitConversionsAreExact_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<double>("factor");
    QTest::newRow("m->nm") << QString("m") << QString("nm") << 1e9;
    QTest::newRow("inch->mm") << QString("inch") << QString("mm") << 25.4;
    QTest::newRow("mil->um") << QString("mil") << QString("um") << 25.4;
    QTest::newRow("px->mm") << QString("px") << QString("mm") << 0.0;
    QTest::newRow("unknown") << QString("furlong") << QString("mm") << 0.0;
}

void TestCalibration::unitConversionsAreExact()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(double, factor);
    QCOMPARE(PrimitiveUnit::conversion(from, to), factor);
    if (factor > 0) {
        verifyRelative(PrimitiveUnit::conversion(to, from), 1 / factor);
    }
}

void TestCalibration::unitSwitchOnAFullCanvas()
{
    QGraphicsScene scene(0, 0, 1920, 1080);
    PrimitiveManager manager(&scene);
    manager.showScalebar(true);
    for (int i = 0; i < 60; ++i) {
        addTool(manager, PrimitiveType::CircleCentre, {{100.0 + i, 200}, {100.0 + i, 200.0 + i + 1}});
    }
    const PrimitiveCalibration calibration("objective", 200, 1, "mm");
    QSignalSpy changed(manager.dimensionModel(), &QAbstractItemModel::dataChanged);
    QVERIFY(manager.setCalibration(calibration, "um"));
    QCOMPARE(changed.count(), 1); // one report for the whole table
    for (int i : {0, 59}) {
        const double r = (i + 1) * 5.0; // 1 px = 5 µm
        verifyRelative(cell(manager, i, PrimitiveQuantity::Radius), r);
        verifyRelative(cell(manager, i, PrimitiveQuantity::Area), M_PI * r * r);
    }
    // The bar: the longest round length within a fifth of 1920 px = 1920 µm.
    QCOMPARE(manager.scalebar()->length(), 1000.0);
    QCOMPARE(manager.scalebar()->labelText(), QString::fromUtf8("1000 µm"));
    QVERIFY(manager.setCalibration(calibration, "mm"));
    QCOMPARE(manager.scalebar()->labelText(), QString("1 mm"));
    verifyRelative(cell(manager, 59, PrimitiveQuantity::Diameter), 0.6);
}

void TestCalibration::calibrationByName()
{
    QGraphicsScene scene(0, 0, 640, 480);
    PrimitiveManager manager(&scene);
    addTool(manager, PrimitiveType::Line, {{0, 0}, {10, 0}});
    QVERIFY(model()->addCalibration(PrimitiveCalibration("stored", 4, 1, "mm")) > 0);
    QVERIFY(manager.setCalibration("stored", QString()));
    verifyRelative(cell(manager, 0, PrimitiveQuantity::Length), 2.5);
    QCOMPARE(model()->getCalibration(model()->checkedRow()).name(), QString("stored"));
    QVERIFY(manager.setCalibration(PrimitiveCalibration::InPixelsName(), "mm"));
    QCOMPARE(manager.currentUnitKey(), PrimitiveUnit::pixelUnitKey());
    verifyRelative(cell(manager, 0, PrimitiveQuantity::Length), 10);
}

void TestCalibration::storeRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/calibrations.json");
    {
        PrimitiveCalibrationModel first(path);
        QCOMPARE(first.getCalibration(0).name(), PrimitiveCalibration::InPixelsName());
        PrimitiveCalibration tenX("10x", 1234.5, 1, "mm");
        tenX.setDefaultUnitKey("um");
        QCOMPARE(first.addCalibration(tenX), 1);
        QCOMPARE(first.addCalibration(PrimitiveCalibration::fromScales("line scan", 3, 1.5, "um")), 2);
        QCOMPARE(first.addCalibration(PrimitiveCalibration("10x", 1, 1, "mm")), -1); // no replace
    }
    PrimitiveCalibrationModel second(path);
    QCOMPARE(second.rowCount(), 3);
    QCOMPARE(second.getCalibration(1).name(), QString("10x"));
    QCOMPARE(second.getCalibration(1).pixelsPerUnitX(), 1234.5);
    QCOMPARE(second.getCalibration(1).defaultUnitKey(), QString("um"));
    QCOMPARE(second.getCalibration(2).pixelsPerUnitY(), 1.5);
    QCOMPARE(second.checkedRow(), 0);
    QVERIFY(!second.getCalibration(7).isValid());
    QVERIFY(!second.findCalibrationByName("nothing").isValid());
}

void TestCalibration::corruptStoreLoadsWhatIsValid()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("calibrations.json");

    writeFile(path, "{ not json");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a calibrations file"));
    {
        PrimitiveCalibrationModel model(path);
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(QFile::exists(path + ".corrupt")); // the user's file is kept aside
        QVERIFY(model.addCalibration(PrimitiveCalibration("new", 2, 1, "um")) > 0);
    }
    QFile aside(path + ".corrupt");
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), QByteArray("{ not json"));

    writeFile(path, "[1, 2, 3]");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a calibrations file"));
    QCOMPARE(PrimitiveCalibrationModel(path).rowCount(), 1);

    const QJsonArray entries{
        QJsonObject{{"name", "ok"}, {"pixelsPerUnitX", 5}, {"pixelsPerUnitY", 5}, {"unit", "um"}},
        QJsonObject{{"name", "negative"}, {"pixelsPerUnitX", -5}, {"unit", "um"}},
        QJsonObject{{"name", "zero"}, {"pixelsPerUnitX", 0}, {"unit", "um"}},
        QJsonObject{{"name", "ok"}, {"pixelsPerUnitX", 7}, {"unit", "um"}},
        QJsonObject{{"name", "badunit"}, {"pixelsPerUnitX", 7}, {"unit", "parsec"}},
        QJsonObject{{"name", "In Pixels"}, {"pixelsPerUnitX", 7}, {"unit", "um"}},
        QJsonObject{{"pixelsPerUnitX", 7}, {"unit", "um"}},
        QJsonValue("a string"),
        QJsonObject{{"name", "text scale"}, {"pixelsPerUnitX", "12"}, {"unit", "mm"}},
        QJsonObject{{"name", "y only default"}, {"pixelsPerUnitX", 8}, {"unit", "mm"}, {"defaultUnit", "bogus"}},
    };
    writeFile(path, QJsonDocument(QJsonObject{{"calibrations", entries}}).toJson());
    for (int i = 0; i < 8; ++i) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("skipped"));
    }
    PrimitiveCalibrationModel model(path);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.getCalibration(1).pixelsPerUnitX(), 5.0); // the first "ok" wins
    const PrimitiveCalibration last = model.getCalibration(2);
    QCOMPARE(last.name(), QString("y only default"));
    QCOMPARE(last.pixelsPerUnitY(), 8.0);
    QCOMPARE(last.defaultUnitKey(), QString("mm"));
}

void TestCalibration::unwritableStoreKeepsRunning()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("file"), "x");
    // The folder of the store is a plain file: nothing can be written there.
    PrimitiveCalibrationModel model(dir.filePath("file/calibrations.json"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
    QCOMPARE(model.addCalibration(PrimitiveCalibration("kept in memory", 2, 1, "um")), 1);
    QCOMPARE(model.rowCount(), 2);
}

void TestCalibration::modelRenameRemoveAndCheck()
{
    QGraphicsScene scene;
    PrimitiveManager manager(&scene);
    const int a = model()->addCalibration(PrimitiveCalibration("a", 2, 1, "um"));
    const int b = model()->addCalibration(PrimitiveCalibration("b", 3, 1, "um"));
    QSignalSpy checked(model(), &PrimitiveCalibrationModel::rowChecked);

    model()->checkRow(b);
    model()->checkRow(99);
    model()->checkRow(-1);
    QCOMPARE(checked.count(), 1);
    QCOMPARE(model()->index(b, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    // A rename reaches the canvas that uses the calibration.
    QVERIFY(manager.setCalibration("a", QString()));
    for (const QString& taken : {QString("b"), QString("  "), PrimitiveCalibration::InPixelsName()}) {
        QVERIFY(!model()->renameCalibration(a, taken));
    }
    QVERIFY(!model()->renameCalibration(0, "pixels"));
    QVERIFY(model()->setData(model()->index(a, PrimitiveCalibrationModel::NameColumn), "a renamed"));
    QCOMPARE(manager.currentCalibrationName(), QString("a renamed"));
    QVERIFY(!(model()->index(0, PrimitiveCalibrationModel::NameColumn).flags() & Qt::ItemIsEditable));

    // Removing the calibration in use falls back to pixels.
    QVERIFY(!model()->removeCalibration(0));
    model()->checkRow(b);
    checked.clear();
    QVERIFY(model()->removeCalibration(b));
    QCOMPARE(checked.count(), 1);
    QCOMPARE(checked.last().first().toInt(), 0);
    QCOMPARE(PrimitiveCalibrationModel(model()->storePath()).rowCount(), 2);
}

void TestCalibration::addNewDialogRefusals()
{
    QGraphicsScene scene(0, 0, 600, 400);
    PrimitiveManager manager(&scene);
    auto* dialog = new CalibrationAddNewDialog(&manager);
    QPointer<PrimitiveCalibrationRuler> ruler = dialog->ruler();
    QVERIFY(ruler);
    QCOMPARE(ruler->pixelLength(), 200.0); // a third of the picture's width
    QCOMPARE(manager.otherTools().size(), 1);

    dialog->setCalibrationName("c");
    dialog->setLength(0);
    dialog->accept();
    QVERIFY(dialog->errorText().contains("greater than zero"));

    dialog->setLength(1);
    ruler->setPoint(1, ruler->points()[0] + QPointF(3, 3));
    dialog->accept();
    QVERIFY(dialog->errorText().contains("shorter than 5 pixels"));

    ruler->setPoint(1, ruler->points()[0] + QPointF(30, 40));
    dialog->setCalibrationName(" ");
    dialog->accept();
    QVERIFY(dialog->errorText().contains("name"));
    dialog->setCalibrationName(PrimitiveCalibration::InPixelsName());
    dialog->accept();
    QVERIFY(dialog->errorText().contains("pixel calibration"));
    QCOMPARE(model()->rowCount(), 1);

    // Cancelling takes the ruler away.
    dialog->reject();
    QVERIFY(!ruler);
    QVERIFY(manager.otherTools().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCalibration::addNewDialogCreatesAndReplaces()
{
    QGraphicsScene scene(0, 0, 600, 400);
    PrimitiveManager manager(&scene);
    addTool(manager, PrimitiveType::Line, {{0, 0}, {100, 0}});
    QSignalSpy checked(model(), &PrimitiveCalibrationModel::rowChecked);
    auto newDialog = [&](double rulerPixels, double length) {
        auto* dialog = new CalibrationAddNewDialog(&manager);
        dialog->ruler()->setPoints({{10, 10}, {10, 10 + rulerPixels}});
        dialog->setLength(length);
        dialog->setUnitKey("mm");
        dialog->setCalibrationName("Objective 4x");
        return dialog;
    };

    auto* dialog = newDialog(250, 0.5);
    dialog->accept();
    QVERIFY(dialog->errorText().isEmpty());
    QCOMPARE(checked.count(), 1);
    QCOMPARE(model()->findCalibrationByName("Objective 4x").pixelsPerUnitX(), 500.0);
    QCOMPARE(manager.currentCalibrationName(), QString("Objective 4x"));
    verifyRelative(cell(manager, 0, PrimitiveQuantity::Length), 0.2);
    QVERIFY(manager.otherTools().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Same name again: asked first; "No" keeps the old one.
    QStringList questions;
    bool answer = false;
    setConfirmPrompt([&](QWidget*, const QString&, const QString& text) {
        questions << text;
        return answer;
    });
    dialog = newDialog(100, 1);
    dialog->accept();
    QCOMPARE(questions.size(), 1);
    QVERIFY(questions.first().contains("Objective 4x"));
    QCOMPARE(model()->findCalibrationByName("Objective 4x").pixelsPerUnitX(), 500.0);
    answer = true;
    dialog->accept();
    QCOMPARE(model()->findCalibrationByName("Objective 4x").pixelsPerUnitX(), 100.0);
    QCOMPARE(model()->rowCount(), 2);
    verifyRelative(cell(manager, 0, PrimitiveQuantity::Length), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCalibration::listDialogDeletesAndChecks()
{
    model()->addCalibration(PrimitiveCalibration("one", 2, 1, "um"));
    model()->addCalibration(PrimitiveCalibration("two", 3, 1, "um"));
    CalibrationListDialog dialog;
    QSignalSpy checked(model(), &PrimitiveCalibrationModel::rowChecked);
    QCOMPARE(dialog.view()->model(), model());

    dialog.selectRow(2);
    dialog.useSelected();
    QCOMPARE(checked.last().first().toInt(), 2);

    // The pixel calibration cannot go; another goes only after a "Yes".
    dialog.selectRow(0);
    dialog.deleteSelected();
    QCOMPARE(model()->rowCount(), 3);
    bool answer = false;
    setConfirmPrompt([&](QWidget*, const QString&, const QString&) { return answer; });
    dialog.selectRow(1);
    dialog.deleteSelected();
    QCOMPARE(model()->rowCount(), 3);
    answer = true;
    dialog.deleteSelected();
    QCOMPARE(model()->rowCount(), 2);
    QCOMPARE(model()->getCalibration(1).name(), QString("two"));
    QCOMPARE(model()->checkedRow(), 1); // still "two"
}

void TestCalibration::attributesWidgetEditsAndSavesDefaults()
{
    QGraphicsScene scene(0, 0, 640, 480);
    PrimitiveManager manager(&scene);
    PrimitiveAttributesWidget widget(nullptr, 0);
    QSignalSpy enabled(&widget, &PrimitiveAttributesWidget::enabled);
    QSignalSpy changed(&widget, &PrimitiveAttributesWidget::attrChanged);
    manager.setAttributesWidget(&widget);
    PrimitiveDimensionTool* line = addTool(manager, PrimitiveType::Line, {{0, 0}, {50, 0}});
    PrimitiveDimensionTool* other = addTool(manager, PrimitiveType::Line, {{0, 10}, {50, 10}});

    line->setSelected(true);
    QTRY_COMPARE(widget.tools().size(), 1);
    QCOMPARE(enabled.count(), 1);
    QCOMPARE(changed.count(), 0); // showing is not editing

    auto* width = widget.findChildren<QSpinBox*>().first();
    width->setValue(7);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(line->pen().width(), 7);
    QCOMPARE(other->pen().width(), 2);

    widget.saveHash();
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Line).value(PrimitiveAttribute::PenWidth).toInt(), 7);
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Rectangle).value(PrimitiveAttribute::PenWidth).toInt(), 2);

    scene.clearSelection();
    QTRY_VERIFY(widget.tools().isEmpty());
    QVERIFY(!enabled.last().first().toBool());
    QVERIFY(!width->isEnabled());
}

QUARNEL_TEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
