#include "testmain.h"

#include <vrx/colorpicker.h>

#include <QMenu>
#include <QToolButton>

class TestColorPicker final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void aPickedColourIsAdoptedThenReported();
    void standardColoursComeFirst();

private:
    QList<QColor> m_dialogStarts; // the initial colour of every dialog opened
    QColor m_answer;              // what the dialog answers; invalid = cancel
};

namespace {
// Inside the swatch's frame and away from the diagonal of an empty one.
QColor swatchColour(const QPushButton& button)
{
    const QImage image = button.icon().pixmap(button.iconSize()).toImage();
    return image.pixelColor(image.width() / 4, image.height() / 4);
}

QMenu* openPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}
} // namespace

void TestColorPicker::init()
{
    m_dialogStarts.clear();
    vrx::ColorPicker::setColorDialog([this](const QColor& initial, QWidget*, const QString&) {
        m_dialogStarts << initial;
        return m_answer;
    });
}

void TestColorPicker::aPickedColourIsAdoptedThenReported()
{
    vrx::ColorPicker picker;
    QCOMPARE(swatchColour(picker).alpha(), 0); // an empty swatch while there is no colour
    QColor shownWhenReported;
    connect(&picker, &vrx::ColorPicker::colorChanged, this, [&] { shownWhenReported = picker.currentColor(); });
    // How the overlay picker is wired: harmless, no second report.
    connect(&picker, &vrx::ColorPicker::colorChanged, &picker, &vrx::ColorPicker::setCurrentColor);
    QSignalSpy changed(&picker, &vrx::ColorPicker::colorChanged);

    picker.setCurrentColor(QColor::fromHsv(0, 255, 255)); // red, held in another spec
    QCOMPARE(swatchColour(picker), QColor(Qt::red));
    QCOMPARE(changed.count(), 0);

    m_answer = QColor(); // cancelled
    QTest::mouseClick(&picker, Qt::LeftButton);
    m_answer = QColor(255, 0, 0); // the colour already shown
    QTest::mouseClick(&picker, Qt::LeftButton);
    QCOMPARE(changed.count(), 0);

    m_answer = Qt::green;
    QTest::mouseClick(&picker, Qt::LeftButton);
    QCOMPARE(m_dialogStarts.size(), 3);
    QCOMPARE(m_dialogStarts.last().rgb(), QColor(Qt::red).rgb());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).value<QColor>(), QColor(Qt::green));
    QCOMPARE(shownWhenReported, QColor(Qt::green));
    QCOMPARE(swatchColour(picker), QColor(Qt::green));
}

void TestColorPicker::standardColoursComeFirst()
{
    vrx::ColorPicker picker;
    picker.setCurrentColor(Qt::black);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invalid standard colour"));
    picker.setStandardColors({Qt::white, Qt::red, QColor(), Qt::blue});
    QCOMPARE(picker.standardColors(), (QList<QColor>{Qt::white, Qt::red, Qt::blue}));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QSignalSpy changed(&picker, &vrx::ColorPicker::colorChanged);

    QTest::mouseClick(&picker, Qt::LeftButton);
    QTRY_VERIFY(openPopup());
    QList<QToolButton*> swatches = openPopup()->findChildren<QToolButton*>();
    QCOMPARE(swatches.size(), 3);
    QTest::mouseClick(swatches.at(1), Qt::LeftButton);
    QTRY_VERIFY(!openPopup());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(picker.currentColor(), QColor(Qt::red));
    QVERIFY(m_dialogStarts.isEmpty());

    // The palette marks the colour shown and leads on to the dialog.
    QTest::mouseClick(&picker, Qt::LeftButton);
    QTRY_VERIFY(openPopup());
    QMenu* palette = openPopup();
    QVERIFY(palette->findChildren<QToolButton*>().at(1)->isChecked());
    QAction* more = palette->actions().last();
    QCOMPARE(more->text(), QString("More..."));
    m_answer = QColor(1, 2, 3);
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->actionGeometry(more).center());
    QTRY_COMPARE(m_dialogStarts, QList<QColor>{QColor(Qt::red)});
    QCOMPARE(picker.currentColor(), QColor(1, 2, 3));

    picker.setStandardColors({}); // back to the dialog straight away
    QTest::mouseClick(&picker, Qt::LeftButton);
    QCOMPARE(m_dialogStarts.size(), 2);
    QVERIFY(!openPopup());
}

QUARNEL_TEST_MAIN(TestColorPicker)
#include "tst_colorpicker.moc"
