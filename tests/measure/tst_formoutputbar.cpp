#include "canvasfixture.h"
#include "scriptedprompt.h"
#include "testmain.h"

#include <measure/formoutputbar.h>

#include <vrx/primitivequantity.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>

using testsupport::Canvas;

namespace {

constexpr int kLengthColumn = vrx::PrimitiveDimensionModel::FirstValueColumn + vrx::PrimitiveQuantity::Length;

struct Bar
{
    Canvas canvas;
    FormOutputbar bar;
    QTableView* table = bar.findChild<QTableView*>(QStringLiteral("tableView"));

    Bar() { bar.setGraphicsView(canvas.view.get(), canvas.manager); }

    void selectRows(std::initializer_list<int> rows)
    {
        table->clearSelection();
        for (int row : rows) {
            table->selectionModel()->select(canvas.model->index(row, 1),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    /// The context menu as the user gets it: entry texts and whether each is enabled.
    QList<QPair<QString, bool>> menu()
    {
        bar.customMenuRequested(QPoint(5, 5));
        QList<QMenu*> menus = bar.findChildren<QMenu*>();
        QList<QPair<QString, bool>> entries;
        if (menus.size() != 1) {
            return entries;
        }
        for (QAction* action : menus.first()->actions()) {
            entries.append({action->text(), action->isEnabled()});
        }
        menus.first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return entries;
    }
};

} // namespace

class TestFormOutputbar final : public QObject
{
    Q_OBJECT

private slots:
    void tableShowsTheResults();
    void averageOfSelectedRows();
    void menuEnabledRules();
    void selectionFollowsBothWays();
};

void TestFormOutputbar::tableShowsTheResults()
{
    Bar bar;
    QCOMPARE(bar.table->model(), bar.canvas.model);
    QVERIFY(bar.table->isColumnHidden(0));
    QVERIFY(!bar.table->isColumnHidden(1));

    // Without a manager the table is empty.
    bar.bar.setGraphicsView(bar.canvas.view.get(), nullptr);
    QVERIFY(!bar.table->model());
    QVERIFY(bar.menu().isEmpty());
}

void TestFormOutputbar::averageOfSelectedRows()
{
    testsupport::ScriptedPrompt prompt;
    Bar bar;
    bar.canvas.addLine(2)->setNote(QStringLiteral("8"));
    QVERIFY(bar.canvas.add(vrx::PrimitiveType::Line, {{5, 5}, {5, 5}}));
    bar.canvas.addLine(4)->setNote(QStringLiteral("9"));
    bar.canvas.addLine(100);
    QCOMPARE(bar.canvas.model->data(bar.canvas.model->index(1, kLengthColumn)).toDouble(), 0.0);

    bar.selectRows({0, 1, 2});
    bar.bar.averageValueAction()->trigger();
    // The zero is left out; the number column and the note column never appear.
    const QString text = QStringLiteral("Length: 3\n");
    QCOMPARE(QApplication::clipboard()->text(), text);
    QCOMPARE(prompt.messages().size(), 1);
    const UserPrompt::MessageRequest& box = prompt.messages().first();
    QCOMPARE(box.title, QStringLiteral("Average Value"));
    QCOMPARE(box.text, text + "\nTip: The above text has been copied to the clipboard.");
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // Rows without a positive value give the tip alone and an empty clipboard.
    bar.selectRows({1});
    bar.bar.averageValue();
    QCOMPARE(QApplication::clipboard()->text(), QString());
    QCOMPARE(prompt.messages().last().text, QStringLiteral("\nTip: The above text has been copied to the clipboard."));

    // Six significant digits: (1 + 1.234568) / 2 = 1.117284 and (1 + 2000.5) / 2 = 1000.75.
    bar.canvas.manager->deleteAllTools(false);
    bar.canvas.manager->setDecimalPlaces(6);
    bar.canvas.add(vrx::PrimitiveType::Rectangle, {{0, 0}, {1, 1}});
    bar.canvas.add(vrx::PrimitiveType::Rectangle, {{0, 0}, {1.2345678, 2000.5}});
    bar.selectRows({0, 1});
    bar.bar.averageValue();
    const QString digits = QApplication::clipboard()->text();
    QVERIFY2(digits.contains(QStringLiteral("Width: 1.11728\n")), qPrintable(digits));
    QVERIFY2(digits.contains(QStringLiteral("Height: 1000.75\n")), qPrintable(digits));
}

void TestFormOutputbar::menuEnabledRules()
{
    Bar bar;
    using Entries = QList<QPair<QString, bool>>;
    // Empty table: nothing to average or clear; export still as it started.
    QCOMPARE(
        bar.menu(),
        Entries(
            {{"Average value...", false}, {"Clear all...", false}, {"Export to Excel", true}, {"Settings...", true}}));
    bar.canvas.addLine(10);
    bar.canvas.addLine(20);
    bar.selectRows({1});
    QCOMPARE(
        bar.menu(),
        Entries(
            {{"Average value...", false}, {"Clear all...", true}, {"Export to Excel", true}, {"Settings...", true}}));
    bar.selectRows({0, 1});
    QCOMPARE(bar.menu().first(), qMakePair(QStringLiteral("Average value..."), true));

    bar.bar.clearAll();
    QCOMPARE(bar.canvas.rows(), 0);
    QCOMPARE(bar.menu().at(2), qMakePair(QStringLiteral("Export to Excel"), false));
    bar.canvas.addLine(10);
    QVERIFY(bar.bar.exportToExcelAction()->isEnabled());

    QSignalSpy preferences(&bar.bar, &FormOutputbar::openMeasurementPreference);
    bar.bar.customMenuRequested(QPoint(1, 1));
    QMenu* menu = bar.bar.findChild<QMenu*>();
    QVERIFY(menu);
    menu->actions().last()->trigger();
    QCOMPARE(preferences.count(), 1);
    menu->close();
}

void TestFormOutputbar::selectionFollowsBothWays()
{
    Bar bar;
    bar.bar.show();
    QApplication::setActiveWindow(&bar.bar);
    QVERIFY(QTest::qWaitForWindowActive(&bar.bar));
    for (int i = 0; i < 4; ++i) {
        bar.canvas.addLine(10 + i);
    }
    // Table to canvas.
    bar.selectRows({1, 3});
    QVERIFY(bar.canvas.manager->tool(1)->isSelected());
    QVERIFY(bar.canvas.manager->tool(3)->isSelected());
    QVERIFY(!bar.canvas.manager->tool(0)->isSelected());
    bar.selectRows({2});
    QVERIFY(!bar.canvas.manager->tool(1)->isSelected());
    QVERIFY(bar.canvas.manager->tool(2)->isSelected());

    // Canvas to table: the whole row, and the table takes the focus.
    bar.canvas.view->setFocus();
    bar.canvas.manager->tool(0)->setSelected(true);
    QTRY_VERIFY(bar.table->selectionModel()->isRowSelected(0, QModelIndex()));
    QVERIFY(bar.table->hasFocus());
    QCOMPARE(bar.table->selectionModel()->selectedRows().size(), 2);
    bar.canvas.manager->tool(2)->setSelected(false);
    QTRY_VERIFY(!bar.table->selectionModel()->isRowSelected(2, QModelIndex()));
    QCOMPARE(bar.table->selectionModel()->selectedRows().size(), 1);

    // Objects that are not table tools are ignored.
    bar.bar.toolSelected(nullptr, true);
    QCOMPARE(bar.table->selectionModel()->selectedRows().size(), 1);
}

QUARNEL_TEST_MAIN(TestFormOutputbar)
#include "tst_formoutputbar.moc"
