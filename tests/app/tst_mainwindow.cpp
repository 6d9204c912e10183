#include "scriptedprompt.h"
#include "testmain.h"

#include <app/appsettings.h>
#include <app/camerakey.h>
#include <app/frameview.h>

#include <tesk/camerainfo.h>

#include <QDir>
#include <app/mainwindow.h>

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsLivePictureOfEmulatedCamera();
    void unknownIndexIsReported();
    void cameraKeyAndParameterFile();
    void reopensLastDeviceByName();
};

void TestMainWindow::initTestCase()
{
    qputenv("TESK_CAMEMU", "1");
}

void TestMainWindow::showsLivePictureOfEmulatedCamera()
{
    testsupport::ScriptedPrompt prompt;
    AppSettings::instance()->setOpenLastDevice(false); // this test opens the camera itself
    MainWindow window;
    window.show();
    window.openUsbDevice(0);
    QVERIFY(prompt.messages().isEmpty());
    QVERIFY(window.hasCamera());
    QTRY_VERIFY_WITH_TIMEOUT(!window.frameView()->image().isNull(), 5000);
    const QImage first = window.frameView()->image();
    QCOMPARE(first.size(), QSize(1920, 1080));
    QTRY_VERIFY_WITH_TIMEOUT(window.frameView()->image() != first, 5000); // it moves

    window.closeCamera();
    QVERIFY(!window.hasCamera());
    QTRY_VERIFY_WITH_TIMEOUT(window.frameView()->image().isNull(), 2000); // "No Image" again
}

void TestMainWindow::unknownIndexIsReported()
{
    testsupport::ScriptedPrompt prompt;
    MainWindow window;
    window.openUsbDevice(99);
    QCOMPARE(prompt.messages().size(), 1);
    QCOMPARE(prompt.messages().first().title, QString("Error"));
    QCOMPARE(prompt.messages().first().text, QString("Failed to open camera, index= 99"));
    QVERIFY(!window.hasCamera());
}

void TestMainWindow::cameraKeyAndParameterFile()
{
    tesk::CameraInfo info;
    info.name = "USB Camera";
    info.vendorId = 0x0c45;
    info.productId = 0x6366;
    QCOMPARE(cameraKey(info), QString("USB Camera_0c45_6366"));
    info.name = "Cam\xe9ra";
    info.vendorId = 0xA;
    info.productId = 0xFFFF;
    QCOMPARE(cameraKey(info), QString::fromLatin1("Cam\xe9ra_000a_ffff"));

    const QString previous = QDir::currentPath();
    QDir::setCurrent(QDir::homePath());
    QCOMPARE(requestParameterFile("USB Camera_0c45_6366"), QString("cameras/default.ini"));
    QDir().mkpath("cameras");
    QFile own("cameras/USB Camera_0c45_6366.ini");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    QCOMPARE(requestParameterFile("USB Camera_0c45_6366"), QString("cameras/USB Camera_0c45_6366.ini"));
    QDir::setCurrent(previous);
}

void TestMainWindow::reopensLastDeviceByName()
{
    testsupport::ScriptedPrompt prompt;
    qputenv("TESK_CAMEMU", "2");
    AppSettings::instance()->setOpenLastDevice(true);
    AppSettings::instance()->setLastDevice({0, 1, "emulated:2", "Emulated Camera 2"});
    {
        MainWindow window;
        QTRY_VERIFY_WITH_TIMEOUT(window.hasCamera(), 3000);
    }
    // The name must match exactly, letter case included; a mismatch opens nothing, silently.
    AppSettings::instance()->setLastDevice({0, 1, "emulated:2", "emulated camera 2"});
    {
        MainWindow window;
        QTest::qWait(800);
        QVERIFY(!window.hasCamera());
    }
    // Streams are never reopened by themselves.
    AppSettings::instance()->setLastDevice({2, 0, "rtsp://127.0.0.1:8554/x", ""});
    {
        MainWindow window;
        QTest::qWait(800);
        QVERIFY(!window.hasCamera());
    }
    QVERIFY(prompt.messages().isEmpty());
    qputenv("TESK_CAMEMU", "1");
}

QUARNEL_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
