#include "testmain.h"

#include <vrx/colorpicker.h>
#include <vrx/configdialog.h>
#include <vrx/configpage.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

/// A page with one editor of every kind, loaded before setupConnects() like a real page.
class EditorPage final : public vrx::ConfigPage
{
public:
    explicit EditorPage(QStringList* log = nullptr, const QString& name = QString())
        : m_log(log), m_name(name), check(new QCheckBox(this)), radio(new QRadioButton(this)),
          line(new QLineEdit(this)), spin(new QSpinBox(this)), combo(new QComboBox(this)),
          keys(new QKeySequenceEdit(this)), picker(new vrx::ColorPicker(this)), selector(new QComboBox(this)),
          scroll(new QScrollArea(this))
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* editor :
             {static_cast<QWidget*>(check), static_cast<QWidget*>(radio), static_cast<QWidget*>(line),
              static_cast<QWidget*>(spin), static_cast<QWidget*>(combo), static_cast<QWidget*>(keys),
              static_cast<QWidget*>(picker), static_cast<QWidget*>(selector), static_cast<QWidget*>(scroll)}) {
            layout->addWidget(editor);
        }
        auto* tall = new QWidget;
        tall->setMinimumHeight(2000);
        scroll->setWidget(tall);
        scroll->setFixedHeight(50);
        combo->addItems({"a", "b"});
        selector->addItems({"x", "y"});

        // Loading: none of this may count as an edit.
        check->setChecked(true);
        radio->setChecked(true);
        line->setText("loaded");
        spin->setValue(5);
        combo->setCurrentIndex(1);
        keys->setKeySequence(QKeySequence(Qt::Key_F5));
        picker->setCurrentColor(Qt::blue);
        excludeFromModification(selector);
        setupConnects();
    }

    void apply() override
    {
        if (m_log) {
            *m_log << m_name;
        }
    }

    void markChanged() { setModified(); }

    QStringList* m_log;
    QString m_name;
    QCheckBox* check;
    QRadioButton* radio;
    QLineEdit* line;
    QSpinBox* spin;
    QComboBox* combo;
    QKeySequenceEdit* keys;
    vrx::ColorPicker* picker;
    QComboBox* selector;
    QScrollArea* scroll;
};

QPushButton* button(vrx::ConfigDialog& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

} // namespace

class TestConfigDialog final : public QObject
{
    Q_OBJECT

private slots:
    void everyEditorMarksThePageAfterLoading_data();
    void everyEditorMarksThePageAfterLoading();
    void selectorsAndScrollingAreNoEdits();
    void pagesListedInOrderAndFirstPageChosenByNumber();
    void applyAndOkApplyEveryPageThenEmit();
    void cancelAppliesNothing();
};

void TestConfigDialog::everyEditorMarksThePageAfterLoading_data()
{
    QTest::addColumn<int>("editor");
    const char* names[] = {"check box", "radio button", "line edit",     "spin box",
                           "combo box", "key sequence", "colour picker", "setModified"};
    for (int i = 0; i < 8; ++i) {
        QTest::newRow(names[i]) << i;
    }
}

void TestConfigDialog::everyEditorMarksThePageAfterLoading()
{
    QFETCH(int, editor);
    vrx::ColorPicker::setColorDialog([](const QColor&, QWidget*, const QString&) { return QColor(Qt::green); });
    EditorPage page;
    QSignalSpy modified(&page, &vrx::ConfigPage::modified);
    QVERIFY(!page.isModified());

    switch (editor) {
    case 0:
        page.check->click();
        break;
    case 1:
        page.radio->setChecked(false);
        break;
    case 2:
        QTest::keyClicks(page.line, "x");
        break;
    case 3:
        page.spin->stepUp();
        break;
    case 4:
        page.combo->setCurrentIndex(0);
        break;
    case 5:
        page.keys->clear();
        break;
    case 6:
        page.picker->click();
        break;
    case 7:
        page.markChanged();
        break;
    }
    QVERIFY(page.isModified());
    QCOMPARE(modified.count(), 1);
    page.markApplied();
    QVERIFY(!page.isModified());
    vrx::ColorPicker::setColorDialog(nullptr);
}

void TestConfigDialog::selectorsAndScrollingAreNoEdits()
{
    EditorPage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.selector->setCurrentIndex(1);
    page.scroll->verticalScrollBar()->setValue(500);
    QCOMPARE(page.scroll->verticalScrollBar()->value(), 500);
    QVERIFY(!page.isModified());
}

void TestConfigDialog::pagesListedInOrderAndFirstPageChosenByNumber()
{
    for (int requested : {2, 7, -3}) {
        vrx::ConfigDialog dialog(requested);
        for (const char* title : {"One", "Two", "Three"}) {
            dialog.addPage(title, "settings", new EditorPage);
        }
        dialog.addPage("Null", "settings", nullptr);
        QCOMPARE(dialog.count(), 3);
        auto* list = dialog.findChild<QListWidget*>("pageList");
        QCOMPARE(list->item(1)->text(), QString("Two"));
        const int expected = requested == 2 ? 2 : 0;
        QCOMPARE(dialog.currentIndex(), expected);
        QCOMPARE(list->currentRow(), expected);

        list->setCurrentRow(1);
        QCOMPARE(dialog.findChild<QStackedWidget*>("pageStack")->currentWidget(), dialog.page(1));
    }
}

void TestConfigDialog::applyAndOkApplyEveryPageThenEmit()
{
    QStringList log;
    vrx::ConfigDialog dialog;
    auto* first = new EditorPage(&log, "first");
    auto* second = new EditorPage(&log, "second");
    dialog.addPage("First", "settings", first);
    dialog.addPage("Second", "settings", second);
    connect(&dialog, &vrx::ConfigDialog::applied, this, [&log] { log << "applied"; });

    // Apply is offered once something changed, and goes grey again once applied.
    QPushButton* apply = button(dialog, QDialogButtonBox::Apply);
    QVERIFY(!apply->isEnabled());
    second->spin->stepUp();
    QVERIFY(apply->isEnabled());
    apply->click();
    QCOMPARE(log, QStringList({"first", "second", "applied"}));
    QVERIFY(!apply->isEnabled());
    QVERIFY(!dialog.isModified());

    // OK without changes still applies and reports, then closes.
    log.clear();
    QTimer::singleShot(0, &dialog, [&dialog] { button(dialog, QDialogButtonBox::Ok)->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(log, QStringList({"first", "second", "applied"}));
}

void TestConfigDialog::cancelAppliesNothing()
{
    QStringList log;
    vrx::ConfigDialog dialog;
    auto* page = new EditorPage(&log, "page");
    dialog.addPage("Page", "settings", page);
    QSignalSpy applied(&dialog, &vrx::ConfigDialog::applied);
    page->check->toggle();
    QTimer::singleShot(0, &dialog, [&dialog] { button(dialog, QDialogButtonBox::Cancel)->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(log.isEmpty());
    QCOMPARE(applied.count(), 0);
}

QUARNEL_TEST_MAIN(TestConfigDialog)
#include "tst_configdialog.moc"
