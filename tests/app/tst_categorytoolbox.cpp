#include "testmain.h"

#include <app/startup.h>
#include <widgets/categorybutton.h>
#include <widgets/categorytoolbox.h>
#include <widgets/linklabel.h>

#include <QLabel>

Q_DECLARE_METATYPE(QTreeWidgetItem*)

namespace {

QImage picture(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage builtInArrow(const char* name)
{
    return picture(QIcon(QStringLiteral(":/res/icons/%1.png").arg(QLatin1String(name))));
}

CategoryButton* headerButton(CategoryToolBox& box, int section)
{
    return qobject_cast<CategoryButton*>(box.itemWidget(box.topLevelItem(section), 0));
}

/// A shown tool box with three sections: open, closed, open.
struct ThreeSections
{
    ThreeSections()
    {
        box.addCategory(QStringLiteral("First"), first, true);
        box.addCategory(QStringLiteral("Second"), second, false);
        box.addCategory(QStringLiteral("Third"), third, true);
        box.resize(300, 400);
        box.show();
    }

    CategoryToolBox box;
    QLabel* first = new QLabel(QStringLiteral("first content"));
    QLabel* second = new QLabel(QStringLiteral("second content"));
    QLabel* third = new QLabel(QStringLiteral("third content"));
};

} // namespace

class TestCategoryToolBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initResources();
        qRegisterMetaType<QTreeWidgetItem*>();
        QIcon::setThemeName(QString());
    }

    void pressingAHeaderTogglesOnlyItsSection()
    {
        ThreeSections s;
        CategoryButton* second = headerButton(s.box, 1);
        QCOMPARE(headerButton(s.box, 0)->text(), QStringLiteral("First"));
        // Without an icon theme the built-in pictures are used.
        QCOMPARE(picture(headerButton(s.box, 0)->icon()), builtInArrow("down_arrow"));
        QCOMPARE(picture(second->icon()), builtInArrow("right_arrow"));
        QTRY_VERIFY(s.first->isVisible());
        QVERIFY(!s.second->isVisible());

        // The toggle is on press: no release is needed.
        QTest::mousePress(second, Qt::LeftButton);
        QVERIFY(s.box.topLevelItem(1)->isExpanded());
        QCOMPARE(second->icon().cacheKey(), second->expandedIcon().cacheKey());
        QTRY_VERIFY(s.second->isVisible());
        QTest::mouseRelease(second, Qt::LeftButton);
        QVERIFY(s.box.topLevelItem(1)->isExpanded());

        QTest::mouseClick(headerButton(s.box, 0), Qt::LeftButton);
        QVERIFY(!s.box.topLevelItem(0)->isExpanded());
        QCOMPARE(headerButton(s.box, 0)->icon().cacheKey(), headerButton(s.box, 0)->collapsedIcon().cacheKey());
        QTRY_VERIFY(!s.first->isVisible());
        QVERIFY(s.box.topLevelItem(1)->isExpanded());
        QVERIFY(s.box.topLevelItem(2)->isExpanded());
    }

    void relayoutReopensOpenSectionsAfterTheFirst()
    {
        CategoryToolBox single;
        single.addCategory(QStringLiteral("Only"), new QLabel(QStringLiteral("x")), true);
        QSignalSpy singleCollapsed(&single, &QTreeWidget::itemCollapsed);
        single.relayoutExpanded();
        QCOMPARE(singleCollapsed.count(), 0);

        ThreeSections s;
        s.box.addCategory(QStringLiteral("Fourth"), new QLabel(QStringLiteral("fourth")), true);
        QSignalSpy collapsed(&s.box, &QTreeWidget::itemCollapsed);
        QSignalSpy expanded(&s.box, &QTreeWidget::itemExpanded);
        s.box.relayoutExpanded();

        QCOMPARE(collapsed.count(), 2);
        QCOMPARE(collapsed.at(0).at(0).value<QTreeWidgetItem*>(), s.box.topLevelItem(2));
        QCOMPARE(collapsed.at(1).at(0).value<QTreeWidgetItem*>(), s.box.topLevelItem(3));
        QCOMPARE(expanded.count(), 2);
        QVERIFY(s.box.topLevelItem(0)->isExpanded());
        QVERIFY(!s.box.topLevelItem(1)->isExpanded());
        QVERIFY(s.box.topLevelItem(2)->isExpanded());
        QVERIFY(s.box.topLevelItem(3)->isExpanded());
    }

    void themeArrowsOverrideTheBuiltInOnes()
    {
        // Theme icons are looked up when drawn, so the theme stays set until the comparisons are done.
        QIcon::setThemeName(QStringLiteral("light-blue"));
        CategoryToolBox box;
        box.addCategory(QStringLiteral("Open"), new QLabel(), true);
        box.addCategory(QStringLiteral("Closed"), new QLabel(), false);
        const QImage themeDown = picture(QIcon::fromTheme(QStringLiteral("down_arrow")));
        const QImage themeRight = picture(QIcon::fromTheme(QStringLiteral("right_arrow")));
        const QImage shownDown = picture(headerButton(box, 0)->icon());
        const QImage shownRight = picture(headerButton(box, 1)->icon());
        QIcon::setThemeName(QString());

        QVERIFY(!themeDown.isNull());
        QVERIFY(themeDown != builtInArrow("down_arrow"));
        QCOMPARE(shownDown, themeDown);
        QCOMPARE(shownRight, themeRight);
    }

    void linkLabelClicksWithTheLeftButtonAndUnderlinesOnHover()
    {
        LinkLabel label;
        QFont font = label.font();
        font.setBold(true);
        label.setFont(font);
        label.show();
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QSignalSpy clicked(&label, &LinkLabel::clicked);
        QTest::mouseClick(&label, Qt::RightButton);
        QTest::mouseClick(&label, Qt::MiddleButton);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);

        QSignalSpy entered(&label, &LinkLabel::enter);
        QSignalSpy left(&label, &LinkLabel::leave);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&label, &enter);
        QVERIFY(label.font().underline());
        QCOMPARE(entered.count(), 1);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        QVERIFY(!label.font().underline());
        QCOMPARE(left.count(), 1);
        QVERIFY(label.font().bold());
    }
};

QUARNEL_TEST_MAIN(TestCategoryToolBox)
#include "tst_categorytoolbox.moc"
