#include "canvasfixture.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <app/settingskeys.h>
#include <measure/formmeasure.h>

#include <vrx/calibrationaddnewdialog.h>
#include <vrx/popuptoolbutton.h>
#include <vrx/primitiveactionmanager.h>
#include <vrx/primitiveattribute.h>
#include <vrx/primitiveattributeswidget.h>
#include <vrx/primitivecalibrationmodel.h>
#include <vrx/primitivecalibrationruler.h>
#include <vrx/primitiveunit.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>

using testsupport::Canvas;
using vrx::PrimitiveCalibration;
using vrx::PrimitiveCalibrationModel;

namespace {

QAction* mode(int group, int id)
{
    return vrx::PrimitiveActionManager::getInstance()->action(group, id);
}

QComboBox* combo(const FormMeasure& form, const char* name)
{
    return form.findChild<QComboBox*>(QString::fromLatin1(name));
}

QToolButton* button(const FormMeasure& form, const QString& name)
{
    return form.findChild<QToolButton*>(name);
}

/// Adds (or replaces) a calibration in the application's model and returns its row.
int addCalibration(const QString& name, const QString& defaultUnit)
{
    PrimitiveCalibration calibration(name, 200, 1, QStringLiteral("mm"));
    calibration.setDefaultUnitKey(defaultUnit);
    return PrimitiveCalibrationModel::getInstance()->addCalibration(calibration, true);
}

} // namespace

class TestFormMeasure final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void paletteFollowsTheTable();
    void scaleBarRestoredWithoutWriting();
    void calibrationCombosFollowTheChoice();
    void refusedSwitchShowsErrorAndResyncs();
    void addNewOpensTheRulerDialog();
    void saveAttributesFollowsTheSelection();
};

void TestFormMeasure::init()
{
    QSettings().remove(SettingsKeys::ShowScalebar);
    PrimitiveCalibrationModel::getInstance()->checkRow(0);
}

void TestFormMeasure::paletteFollowsTheTable()
{
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    auto* actions = vrx::PrimitiveActionManager::getInstance();
    QCOMPARE(actions->graphicsView(), canvas.view.get());

    const QList<QPair<QString, QList<int>>> tools = {
        {"toolButtonLine", {0x10065}},
        {"toolButtonPolyline", {0x10067}},
        {"toolButtonRectange", {0x10068}},
        {"toolButtonPolygon", {0x10069}},
        {"toolButtonParallel", {0x1006B}},
        {"toolButtonPerpendicular", {0x1006C, 0x1006D}},
        {"toolButtonAngle", {0x1006F, 0x10070}},
        {"toolButtonArc", {0x10071}},
        {"toolButtonCircle", {0x10072, 0x10073, 0x10074}},
        {"toolButtonAnnulus", {0x10075}},
        {"toolButtonTwoCircle", {0x10076, 0x10077, 0x10078}},
        {"toolButtonCounter", {0x100CA}},
        {"toolButtonText", {0x10006}},
        {"toolButtonArrow", {0x10001, 0x10002, 0x10003, 0x10004, 0x10005}},
    };
    for (const auto& [name, types] : tools) {
        QToolButton* tool = button(form, name);
        QVERIFY2(tool, qPrintable(name));
        QVERIFY2(tool->defaultAction() && tool->defaultAction() == mode(2, types.first()), qPrintable(name));
        if (types.size() > 1) {
            QVERIFY(qobject_cast<vrx::PopupToolButton*>(tool));
            QCOMPARE(tool->popupMode(), QToolButton::MenuButtonPopup);
            QList<QAction*> expected;
            for (int type : types) {
                expected << mode(2, type);
            }
            QCOMPARE(tool->menu()->actions(), expected);
        } else {
            QVERIFY2(!tool->menu(), qPrintable(name));
        }
    }
    QCOMPARE(button(form, "toolButtonDrag")->defaultAction(), mode(0, -1));
    QCOMPARE(button(form, "toolButtonSelect")->defaultAction(), mode(1, -1));
    QToolButton* remove = button(form, "toolButtonDelete");
    QCOMPARE(remove->defaultAction(), actions->deleteAction());
    QCOMPARE(remove->menu()->actions(), QList<QAction*>({actions->deleteAction(), actions->deleteAllAction()}));

    // A palette button really arms its tool on the view.
    button(form, "toolButtonLine")->click();
    QCOMPARE(canvas.view->primitiveDragMode(), vrx::PrimitiveManager::DrawDrag);
    QCOMPARE(canvas.view->primitiveToolType(), 0x10065);
}

void TestFormMeasure::scaleBarRestoredWithoutWriting()
{
    QSettings().setValue(SettingsKeys::ShowScalebar, false);
    {
        Canvas canvas;
        canvas.manager->showScalebar(true);
        FormMeasure form;
        form.setGraphicsView(canvas.view.get());
        QAction* scale = button(form, "toolButtonScale")->defaultAction();
        QVERIFY(scale->isCheckable());
        QVERIFY(!scale->isChecked());
        QVERIFY(!canvas.manager->isScalebarShown());
        scale->trigger();
        QVERIFY(canvas.manager->isScalebarShown());
        QCOMPARE(QSettings().value(SettingsKeys::ShowScalebar).toBool(), true);
    }
    // Nothing stored: shown, and still nothing stored.
    QSettings().remove(SettingsKeys::ShowScalebar);
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    QVERIFY(button(form, "toolButtonScale")->defaultAction()->isChecked());
    QVERIFY(canvas.manager->isScalebarShown());
    QVERIFY(!QSettings().contains(SettingsKeys::ShowScalebar));
}

void TestFormMeasure::calibrationCombosFollowTheChoice()
{
    testsupport::ScriptedPrompt prompt;
    const int objective = addCalibration(QStringLiteral("Objective 10x"), QStringLiteral("um"));
    const int odd = addCalibration(QStringLiteral("Odd default"), QStringLiteral("UM"));
    QVERIFY(objective > 0 && odd > 0);
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    QComboBox* names = combo(form, "comboBoxCalibrationName");
    QComboBox* units = combo(form, "comboBoxCalibrationUnit");
    QCOMPARE(names->currentText(), PrimitiveCalibration::InPixelsName());
    QCOMPARE(units->currentIndex(), -1);
    QVERIFY(!units->isEnabled());

    names->setCurrentIndex(objective);
    QCOMPARE(canvas.manager->currentCalibrationName(), QStringLiteral("Objective 10x"));
    QCOMPARE(canvas.manager->currentUnitKey(), QStringLiteral("um"));
    QCOMPARE(units->currentData().toString(), QStringLiteral("um"));
    QVERIFY(units->isEnabled());

    // The unit combo switches the unit quietly.
    units->setCurrentIndex(units->findData(QStringLiteral("mm")));
    QCOMPARE(canvas.manager->currentUnitKey(), QStringLiteral("mm"));
    QCOMPARE(canvas.manager->currentCalibrationName(), QStringLiteral("Objective 10x"));

    // A default unit not in the list (keys compare exactly) takes the first unit.
    names->setCurrentIndex(odd);
    QCOMPARE(units->currentIndex(), 0);
    QCOMPARE(canvas.manager->currentUnitKey(), units->itemData(0).toString());

    names->setCurrentIndex(0);
    QCOMPARE(canvas.manager->currentCalibrationName(), PrimitiveCalibration::InPixelsName());
    QCOMPARE(canvas.manager->currentUnitKey(), vrx::PrimitiveUnit::pixelUnitKey());
    QCOMPARE(units->currentIndex(), -1);
    QVERIFY(!units->isEnabled());

    // What the list dialog does when the user checks a row: one switch, and the combo follows.
    QSignalSpy switches(canvas.manager, &vrx::PrimitiveManager::calibrationChanged);
    PrimitiveCalibrationModel::getInstance()->checkRow(objective);
    QCOMPARE(switches.count(), 1);
    QCOMPARE(names->currentText(), QStringLiteral("Objective 10x"));
    QCOMPARE(canvas.manager->currentCalibrationName(), QStringLiteral("Objective 10x"));
    QVERIFY(prompt.messages().isEmpty());
}

void TestFormMeasure::refusedSwitchShowsErrorAndResyncs()
{
    testsupport::ScriptedPrompt prompt;
    const int objective = addCalibration(QStringLiteral("Objective 10x"), QStringLiteral("um"));
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    QComboBox* names = combo(form, "comboBoxCalibrationName");
    QComboBox* units = combo(form, "comboBoxCalibrationUnit");
    names->setCurrentIndex(objective);
    units->setCurrentIndex(units->findData(QStringLiteral("nm")));

    // A row that is no calibration, and a name that is none.
    QMetaObject::invokeMethod(&form, "calibrationChanged", Q_ARG(int, 99));
    QMetaObject::invokeMethod(&form, "calibrationNameChanged", Q_ARG(QString, QStringLiteral("Ghost")));
    QCOMPARE(prompt.messages().size(), 2);
    for (const auto& message : prompt.messages()) {
        QCOMPARE(message.title, QStringLiteral("Error"));
        QCOMPARE(message.text, QStringLiteral("Unable to switch to this calibration configuration, re-calibration it "
                                              "or use other configuration."));
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(message.parent, &form);
    }
    // Back on what stays active.
    QCOMPARE(canvas.manager->currentCalibrationName(), QStringLiteral("Objective 10x"));
    QCOMPARE(canvas.manager->currentUnitKey(), QStringLiteral("nm"));
    QCOMPARE(names->currentText(), QStringLiteral("Objective 10x"));
    QCOMPARE(units->currentData().toString(), QStringLiteral("nm"));
    QVERIFY(units->isEnabled());
}

void TestFormMeasure::addNewOpensTheRulerDialog()
{
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    canvas.view->setPrimitiveDragMode(vrx::PrimitiveManager::HandDrag, -1);
    button(form, "toolButtonAddNew")->click();
    auto* dialog = form.findChild<vrx::CalibrationAddNewDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(mode(1, -1)->isChecked());
    QCOMPARE(canvas.view->primitiveDragMode(), vrx::PrimitiveManager::SelectDrag);
    dialog->reject();
    QTRY_VERIFY(!form.findChild<vrx::CalibrationAddNewDialog*>());
}

void TestFormMeasure::saveAttributesFollowsTheSelection()
{
    Canvas canvas;
    FormMeasure form;
    form.setGraphicsView(canvas.view.get());
    QAction* save = button(form, "toolButtonSaveHash")->defaultAction();
    auto* line = canvas.addLine(100);
    QVERIFY(!save->isEnabled());
    canvas.manager->selectTool(0, true);
    QTRY_VERIFY(save->isEnabled());

    QHash<QString, QVariant> look = line->attributes();
    look["penWidth"] = 7;
    line->setAttributes(look);
    form.findChild<vrx::PrimitiveAttributesWidget*>()->setTools({line});
    save->trigger();
    QCOMPARE(vrx::PrimitiveAttribute::attributes(vrx::PrimitiveType::Line).value("penWidth").toInt(), 7);

    canvas.manager->selectTool(0, false);
    QTRY_VERIFY(!save->isEnabled());
}

QUARNEL_TEST_MAIN(TestFormMeasure)
#include "tst_formmeasure.moc"
