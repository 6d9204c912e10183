#include "testmain.h"

#include <app/appsettings.h>
#include <app/settingskeys.h>

#include <QSettings>

class TestAppSettings final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyStoreGivesDefaults();
    void crosshairStyleIsClamped_data();
    void crosshairStyleIsClamped();
    void shortcutConversion_data();
    void shortcutConversion();
    void clearedLastDeviceIsStoredEmpty();
};

void TestAppSettings::init()
{
    QSettings().clear();
}

void TestAppSettings::emptyStoreGivesDefaults()
{
    AppSettings* s = AppSettings::instance();
    QCOMPARE(s->restoreParameters(), false);
    QCOMPARE(s->openLastDevice(), true);
    QCOMPARE(s->tryStillCapture(), false);
    const CameraLastDevice last = s->lastDevice();
    QCOMPARE(last.type, -1);
    QCOMPARE(last.index, -1);
    QVERIFY(last.url.isEmpty());
    QVERIFY(last.deviceName.isEmpty());
    QVERIFY(s->currentCalibrationName().isEmpty());
    QVERIFY(s->currentCalibrationUnit().isEmpty());
    QVERIFY(!s->crosshairColor().isValid());
    QCOMPARE(s->crosshairShow(), false);
    QCOMPARE(s->crosshairStyle(), 1);
    QCOMPARE(s->crosshairWidth(), 1);
    QCOMPARE(s->decimalPlaces(), 2);
    QCOMPARE(s->proxyEnable(), false);
    QVERIFY(s->proxyAddress().isEmpty());
    QCOMPARE(s->proxyPort(), 8080);
    QCOMPARE(s->fullscreenShortcut(), QKeySequence(Qt::Key_F11));
    QCOMPARE(s->snapShortcut(), QKeySequence(Qt::Key_Return));
    QCOMPARE(s->zoomInShortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QCOMPARE(s->zoomOutShortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    // Keys read directly by other parts, with the defaults they use.
    QSettings store;
    QCOMPARE(store.value(SettingsKeys::Theme, SettingsDefaults::Theme).toString(), QString("darkblue"));
    QCOMPARE(store.value(SettingsKeys::ConfirmExit, SettingsDefaults::ConfirmExit).toBool(), true);
    QCOMPARE(store.value(SettingsKeys::MaximizeWhenLaunch, SettingsDefaults::MaximizeWhenLaunch).toBool(), false);
    QCOMPARE(store.value(SettingsKeys::CaptureFileFormat, SettingsDefaults::CaptureFileFormat).toString(),
             QString("jpg"));
    QCOMPARE(store.value(SettingsKeys::Language, SettingsDefaults::Language).toString(), QString("default"));
    QVERIFY(store.allKeys().isEmpty()); // reading wrote nothing
}

void TestAppSettings::crosshairStyleIsClamped_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << QVariant(0) << 1;
    QTest::newRow("six") << QVariant(6) << 1;
    QTest::newRow("five") << QVariant(5) << 5;
    QTest::newRow("three as text") << QVariant("3") << 3;
    QTest::newRow("garbage text") << QVariant("dotted") << 1;
}

void TestAppSettings::crosshairStyleIsClamped()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QSettings().setValue(SettingsKeys::CrosshairStyle, stored);
    QCOMPARE(AppSettings::instance()->crosshairStyle(), expected);

    AppSettings::instance()->setCrosshairStyle(9);
    QCOMPARE(QSettings().value(SettingsKeys::CrosshairStyle).toInt(), 1);
    AppSettings::instance()->setCrosshairStyle(4);
    QCOMPARE(QSettings().value(SettingsKeys::CrosshairStyle).toInt(), 4);
}

void TestAppSettings::shortcutConversion_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QKeySequence>("expected");
    QTest::newRow("portable text") << QVariant("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QTest::newRow("key sequence value") << QVariant::fromValue(QKeySequence(Qt::Key_F5)) << QKeySequence(Qt::Key_F5);
    QTest::newRow("not a key") << QVariant("no such key at all") << QKeySequence();
}

void TestAppSettings::shortcutConversion()
{
    QFETCH(QVariant, stored);
    QFETCH(QKeySequence, expected);
    QSettings().setValue(SettingsKeys::ShortcutZoomIn, stored);
    QCOMPARE(AppSettings::instance()->zoomInShortcut(), expected);

    // What the setter stores reads back as the same sequence through a fresh store object.
    AppSettings::instance()->setZoomInShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    AppSettings::instance()->sync();
    QCOMPARE(QSettings().value(SettingsKeys::ShortcutZoomIn).value<QKeySequence>(), QKeySequence(Qt::ALT | Qt::Key_Up));
}

void TestAppSettings::clearedLastDeviceIsStoredEmpty()
{
    AppSettings* s = AppSettings::instance();
    s->setLastDevice({2, 5, "rtsp://127.0.0.1:8554/test", "Stream"});
    s->clearLastDevice();
    s->sync();
    QSettings store;
    QCOMPARE(store.value(SettingsKeys::LastType).toInt(), -1);
    QCOMPARE(store.value(SettingsKeys::LastIndex).toInt(), -1);
    QVERIFY(store.contains(SettingsKeys::LastUrl));
    QVERIFY(store.value(SettingsKeys::LastUrl).toString().isEmpty());
    QVERIFY(store.value(SettingsKeys::LastDeviceName).toString().isEmpty());
}

QUARNEL_TEST_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
