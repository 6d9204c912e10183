#include "testmain.h"

#include <camera/usbdevicemonitor.h>

#include <QSignalSpy>
#include <QWidget>

Q_DECLARE_METATYPE(UsbDeviceMonitor::Change)

class TestUsbDeviceMonitor final : public QObject
{
    Q_OBJECT

private slots:
    void udevActions_data();
    void udevActions();
    void startAndStopInAnyOrder();
};

void TestUsbDeviceMonitor::udevActions_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<UsbDeviceMonitor::Change>("change");
    QTest::newRow("add") << QByteArray("add") << UsbDeviceMonitor::Change::Arrived;
    QTest::newRow("remove") << QByteArray("remove") << UsbDeviceMonitor::Change::Removed;
    QTest::newRow("change") << QByteArray("change") << UsbDeviceMonitor::Change::None;
    QTest::newRow("prefix of add") << QByteArray("ad") << UsbDeviceMonitor::Change::None;
}

void TestUsbDeviceMonitor::udevActions()
{
    QFETCH(QByteArray, action);
    QFETCH(UsbDeviceMonitor::Change, change);
    QCOMPARE(UsbDeviceMonitor::changeForUdevAction(action.constData()), change);
    QCOMPARE(UsbDeviceMonitor::changeForUdevAction(nullptr), UsbDeviceMonitor::Change::None);

    UsbDeviceMonitor monitor;
    QSignalSpy arrived(&monitor, &UsbDeviceMonitor::deviceArrived);
    QSignalSpy removed(&monitor, &UsbDeviceMonitor::deviceRemoved);
    monitor.notify(change);
    QCOMPARE(arrived.count(), change == UsbDeviceMonitor::Change::Arrived ? 1 : 0);
    QCOMPARE(removed.count(), change == UsbDeviceMonitor::Change::Removed ? 1 : 0);
}

void TestUsbDeviceMonitor::startAndStopInAnyOrder()
{
    // Without udev (a container) start() says why and returns false; the monitor still behaves.
    QWidget window;
    UsbDeviceMonitor monitor;
    monitor.stop();
    QVERIFY(!monitor.isListening());
    const bool started = monitor.start(&window);
    QCOMPARE(monitor.isListening(), started);
    if (!started) {
        QSKIP("udev is not available here");
    }
    QVERIFY(monitor.start(&window)); // a second start keeps the first
    monitor.handleNativeEvent("xcb_generic_event_t", nullptr);

    // A receiver may stop the monitor from inside its signal.
    connect(&monitor, &UsbDeviceMonitor::deviceRemoved, &monitor, &UsbDeviceMonitor::stop);
    monitor.notify(UsbDeviceMonitor::Change::Removed);
    QVERIFY(!monitor.isListening());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    monitor.stop();
    QVERIFY(monitor.start(&window)); // and starts again; destroyed while listening
}

QUARNEL_TEST_MAIN(TestUsbDeviceMonitor)
#include "tst_usbdevicemonitor.moc"
