#include "scriptedprompt.h"
#include "testmain.h"

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
};

void TestMainWindow::initTestCase()
{
    QCoreApplication::setOrganizationName("Quarnel");
    QCoreApplication::setApplicationName("Quarnel Link");
    qputenv("TESK_CAMEMU", "1");
}

void TestMainWindow::showsLivePictureOfEmulatedCamera()
{
    testsupport::ScriptedPrompt prompt;
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

QUARNEL_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
