#include "testmain.h"

#include <vrx/popuptoolbutton.h>

#include <QActionGroup>
#include <QMenu>
#include <QPointer>
#include <QTimer>

class TestPopupToolButton final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_button.reset(); }
    void aChosenVariantBecomesCurrent();
    void aMenuMadeByTheCallerWorksAlike();
    void theCheckStateFollowsTheCurrentAction();

private:
    void clickBody() { QTest::mouseClick(m_button.get(), Qt::LeftButton, {}, QPoint(6, 16)); }
    void chooseFromMenu(QAction* entry);

    std::unique_ptr<vrx::PopupToolButton> m_button;
    QList<QAction*> m_variants;
};

void TestPopupToolButton::init()
{
    m_button = std::make_unique<vrx::PopupToolButton>();
    m_button->setFixedSize(48, 32);
    m_variants.clear();
    for (const QColor& colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(colour);
        auto* action = new QAction(QIcon(pixmap), colour.name(), m_button.get());
        action->setToolTip("Tip " + colour.name());
        m_variants << action;
    }
}

// Presses the arrow and clicks `entry` in the menu that pops up, as a user would.
void TestPopupToolButton::chooseFromMenu(QAction* entry)
{
    m_button->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_button.get()));
    int attempts = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu && menu->isVisible()) {
            poll.stop();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        } else if (++attempts > 300) {
            poll.stop(); // never left blocking
        }
    });
    poll.start(10);
    QTest::mouseClick(m_button.get(), Qt::LeftButton, {}, QPoint(m_button->width() - 3, 16));
    QVERIFY(attempts <= 300);
}

void TestPopupToolButton::aChosenVariantBecomesCurrent()
{
    m_button->setActions(m_variants);
    QCOMPARE(m_button->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(m_button->menu()->actions(), m_variants);
    QCOMPARE(m_button->currentAction(), m_variants.at(0));
    QSignalSpy first(m_variants.at(0), &QAction::triggered);
    QSignalSpy second(m_variants.at(1), &QAction::triggered);

    chooseFromMenu(m_variants.at(1));
    QCOMPARE(second.count(), 1);
    QCOMPARE(first.count(), 0);
    QCOMPARE(m_button->currentAction(), m_variants.at(1));
    QCOMPARE(m_button->toolTip(), m_variants.at(1)->toolTip());
    QCOMPARE(m_button->icon().cacheKey(), m_variants.at(1)->icon().cacheKey());
    clickBody(); // the button now stands for the chosen variant
    QCOMPARE(second.count(), 2);
    chooseFromMenu(m_variants.at(0)); // and back, one trigger per choice
    QCOMPARE(first.count(), 1);
    QCOMPARE(second.count(), 2);
    QCOMPARE(m_button->currentAction(), m_variants.at(0));

    // A new set replaces the button's own menu; an empty one keeps the current action.
    QPointer<QMenu> oldMenu = m_button->menu();
    m_button->setActions({m_variants.at(2), nullptr, m_variants.at(1)});
    QVERIFY(!oldMenu);
    QCOMPARE(m_button->currentAction(), m_variants.at(2));
    m_button->setActions({});
    QCOMPARE(m_button->menu(), nullptr);
    QCOMPARE(m_button->currentAction(), m_variants.at(2));
}

void TestPopupToolButton::aMenuMadeByTheCallerWorksAlike()
{
    QPointer<QMenu> menu = new QMenu; // no parent: the button takes it
    m_button->setMenu(menu);
    QCOMPARE(m_button->currentAction(), nullptr);
    menu->addSeparator();
    menu->addActions({m_variants.at(0), m_variants.at(1)}); // filled after it was set
    QCOMPARE(menu->parent(), m_button.get());
    QCOMPARE(m_button->currentAction(), m_variants.at(0));

    m_variants.at(1)->trigger(); // from a shortcut, say
    QCOMPARE(m_button->currentAction(), m_variants.at(1));
    chooseFromMenu(m_variants.at(0));
    QCOMPARE(m_button->currentAction(), m_variants.at(0));

    m_button->setMenu(nullptr); // entries of a menu no longer set change nothing
    m_variants.at(1)->trigger();
    QCOMPARE(m_button->currentAction(), m_variants.at(0));
    m_button.reset();
    QVERIFY(!menu);
}

void TestPopupToolButton::theCheckStateFollowsTheCurrentAction()
{
    QActionGroup tools(this);
    for (QAction* action : m_variants) {
        action->setCheckable(true);
        tools.addAction(action);
    }
    m_button->setActions(m_variants);
    QVERIFY(m_button->isCheckable() && !m_button->isChecked());
    m_variants.at(0)->setChecked(true);
    QVERIFY(m_button->isChecked());
    m_variants.at(2)->setChecked(true); // checked without a trigger: not made current
    QCOMPARE(m_button->currentAction(), m_variants.at(0));
    QVERIFY(!m_button->isChecked());

    chooseFromMenu(m_variants.at(1));
    QVERIFY(m_variants.at(1)->isChecked() && m_button->isChecked());
    clickBody(); // an exclusive tool stays armed when clicked again
    QVERIFY(m_variants.at(1)->isChecked() && m_button->isChecked());
}

QUARNEL_TEST_MAIN(TestPopupToolButton)
#include "tst_popuptoolbutton.moc"
