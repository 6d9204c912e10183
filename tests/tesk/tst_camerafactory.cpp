#include "testmain.h"

#include <tesk/camera.h>
#include <tesk/camerafactory.h>
#include <tesk/errors.h>
#include <tesk/uvcfilter.h>
#include <tesk/videorecorder.h>

#include <QDir>
#include <QFile>

#include <memory>

class TestCameraFactory final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void emulatedCount_data();
    void emulatedCount();
    void emulatedDescriptions();
    void filterDecidesWhatIsListed();
    void unknownDevicesGiveNoCamera();
    void requestParameters_data();
    void requestParameters();
};

void TestCameraFactory::cleanup()
{
    qunsetenv("TESK_CAMEMU");
    tesk::CameraFactory::setUVCFilter(nullptr);
}

void TestCameraFactory::emulatedCount_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("count");
    QTest::newRow("unset") << QByteArray() << 0;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("three") << QByteArray("3") << 3;
    QTest::newRow("garbage") << QByteArray("many") << 0;
    QTest::newRow("trailing garbage") << QByteArray("2x") << 0;
    QTest::newRow("negative") << QByteArray("-2") << 0;
    QTest::newRow("capped") << QByteArray("500") << 16;
}

void TestCameraFactory::emulatedCount()
{
    QFETCH(QByteArray, value);
    QFETCH(int, count);
    if (value.isNull()) {
        qunsetenv("TESK_CAMEMU");
    } else {
        qputenv("TESK_CAMEMU", value);
    }
    QCOMPARE(int(tesk::CameraFactory::deviceList().size()), count);
}

void TestCameraFactory::emulatedDescriptions()
{
    qputenv("TESK_CAMEMU", "3");
    const auto devices = tesk::CameraFactory::deviceList();
    QCOMPARE(devices.size(), size_t(3));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(devices[i].type, 0);
        QCOMPARE(devices[i].index, i);
        QCOMPARE(QString::fromStdString(devices[i].name), QString("Emulated Camera %1").arg(i + 1));
    }
    // Each has its own pair of ids, so each gets its own settings and parameter file.
    QVERIFY(devices[0].productId != devices[1].productId);
    QCOMPARE(devices[0].vendorId, devices[2].vendorId);
    std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(devices[1]));
    QVERIFY(camera);
    QCOMPARE(camera->info().name, devices[1].name);
    QVERIFY(!camera->isOpened());
}

void TestCameraFactory::filterDecidesWhatIsListed()
{
    qputenv("TESK_CAMEMU", "2");
    tesk::UVCFilter filter;
    tesk::CameraFactory::setUVCFilter(&filter);
    QCOMPARE(tesk::CameraFactory::deviceList().size(), size_t(2)); // empty filter: all
    filter.addItem({0, ""});
    QCOMPARE(tesk::CameraFactory::deviceList().size(), size_t(2));
    filter.clear();
    filter.addItem({0x1234, ""});
    QCOMPARE(tesk::CameraFactory::deviceList().size(), size_t(0)); // another vendor only
    filter.addItem({0, "Camera 2"});
    const auto devices = tesk::CameraFactory::deviceList();
    QCOMPARE(devices.size(), size_t(1));
    QCOMPARE(devices[0].name, std::string("Emulated Camera 2"));
    QCOMPARE(devices[0].index, 0); // indices stay dense

    tesk::CameraInfo info;
    info.vendorId = 0x1234;
    info.name = "Scope";
    QVERIFY(filter.accepts(info));
    info.vendorId = 0x1235;
    QVERIFY(!filter.accepts(info));
}

void TestCameraFactory::unknownDevicesGiveNoCamera()
{
    tesk::CameraInfo info;
    info.address = "nowhere:1";
    QCOMPARE(tesk::CameraFactory::getCamera(info), nullptr);
    // A device node that is not there makes a camera that says so when opened.
    info.address = "/dev/video-quarnel-missing";
    std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(info));
    QVERIFY(camera);
    QCOMPARE(camera->open(1920, 1080), int(tesk::ErrorNoDevice));
    QVERIFY(!camera->isOpened());
    QCOMPARE(camera->start(), int(tesk::ErrorNotOpened));
}

void TestCameraFactory::requestParameters_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("gain");
    QTest::addColumn<double>("exposure");
    QTest::addColumn<unsigned>("colorMode");
    // Asked for 1920 x 1080; comments, any case and spacing are read.
    QTest::newRow("good") << QByteArray("; chosen for the bench microscope\n[Camera]\nFormat = YUY2\n"
                                        "width=1280 ; a size the camera offers\nheight = 720\t# together with width\n"
                                        "[properties]\ngain = 12\nexposure_time=20000\ncolor_mode = 1\n")
                          << int(tesk::Ok) << 1280 << int(tesk::Frame::YUY2) << 12.0 << 20000.0 << 1u;
    QTest::newRow("missing") << QByteArray() << int(tesk::ErrorFileNotFound) << 1920 << int(tesk::Frame::MJPEG) << 0.0
                             << 10000.0 << 0u;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\x00\x01binary", 17) << int(tesk::ErrorFileFormat) << 1920
                            << int(tesk::Frame::MJPEG) << 0.0 << 10000.0 << 0u;
    // Bad lines and values are skipped; the good ones still count.
    QTest::newRow("mixed") << QByteArray("[camera\nformat = H.266\nwidth=abc\nheight=480\n"
                                         "[properties]\ngain = 40\nnot a line\ncolor_mode = 9\n")
                           << int(tesk::Ok) << 1920 << int(tesk::Frame::MJPEG) << 40.0 << 10000.0 << 0u;
}

void TestCameraFactory::requestParameters()
{
    QFETCH(QByteArray, content);
    QFETCH(int, loaded);
    QFETCH(int, width);
    QFETCH(int, format);
    QFETCH(double, gain);
    QFETCH(double, exposure);
    QFETCH(unsigned, colorMode);
    qputenv("TESK_CAMEMU", "1");
    std::unique_ptr<tesk::Camera> camera(tesk::CameraFactory::getCamera(tesk::CameraFactory::deviceList().at(0)));
    const QString path = QDir::homePath() + "/" + QTest::currentDataTag() + ".ini";
    QFile file(path);
    QVERIFY(content.isNull() ? !file.exists() : file.open(QIODevice::WriteOnly) && file.write(content) > 0);
    file.close();
    QCOMPARE(camera->loadRequestParam(path.toStdString()), loaded);
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->frameSize().width(), width);
    QCOMPARE(int(camera->frameFormat()), format);
    double value = -1;
    camera->getProperty(6, &value);
    QCOMPARE(value, gain);
    camera->getProperty(9, &value);
    QCOMPARE(value, exposure);
    QCOMPARE(camera->getEnumProperty(5), colorMode);
}

QUARNEL_TEST_MAIN(TestCameraFactory)
#include "tst_camerafactory.moc"
