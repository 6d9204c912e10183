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
    void requestParameters();
    void requestParameterFileFaults();
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

static std::unique_ptr<tesk::Camera> emulatedCamera()
{
    qputenv("TESK_CAMEMU", "1");
    return std::unique_ptr<tesk::Camera>(tesk::CameraFactory::getCamera(tesk::CameraFactory::deviceList().at(0)));
}

static QString writeFile(const QString& name, const QByteArray& content)
{
    const QString path = QDir::homePath() + "/" + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

void TestCameraFactory::requestParameters()
{
    auto camera = emulatedCamera();
    const QString path = writeFile("good.ini", "; chosen for the bench microscope\n"
                                               "[Camera]\n"
                                               "Format = YUY2\n"
                                               "width=1280 ; a size the camera offers\n"
                                               "height = 720\t# together with width\n"
                                               "[properties]\n"
                                               "brightness = 12\n"
                                               "exposure_time=20000\n"
                                               "color_mode = 1\n");
    QCOMPARE(camera->loadRequestParam(path.toStdString()), int(tesk::Ok));
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->frameSize(), tesk::Size(1280, 720));
    QCOMPARE(camera->frameFormat(), tesk::Frame::YUY2);
    double value = 0;
    camera->getProperty(0, &value);
    QCOMPARE(value, 12.0);
    camera->getProperty(9, &value);
    QCOMPARE(value, 20000.0);
    QCOMPARE(camera->getEnumProperty(5), 1u);
}

void TestCameraFactory::requestParameterFileFaults()
{
    auto camera = emulatedCamera();
    QCOMPARE(camera->loadRequestParam((QDir::homePath() + "/missing.ini").toStdString()), int(tesk::ErrorFileNotFound));
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->frameSize(), tesk::Size(1920, 1080));
    QCOMPARE(camera->frameFormat(), tesk::Frame::MJPEG); // the default above 640 x 480

    const QString garbage = writeFile("bad.ini", QByteArray("\x89PNG\r\n\x1a\n\x00\x01binary", 17));
    QCOMPARE(camera->loadRequestParam(garbage.toStdString()), int(tesk::ErrorFileFormat));

    // Bad lines and values are skipped; the good ones still count.
    const QString mixed = writeFile("mixed.ini", "[camera\nformat = H.266\nwidth=abc\nheight=480\n"
                                                 "[properties]\ngain = 40\nnot a line\ncolor_mode = 9\n");
    QCOMPARE(camera->loadRequestParam(mixed.toStdString()), int(tesk::Ok));
    QCOMPARE(camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(camera->frameSize(), tesk::Size(640, 480));
    QCOMPARE(camera->frameFormat(), tesk::Frame::YUY2);
    double gain = 0;
    camera->getProperty(6, &gain);
    QCOMPARE(gain, 40.0);
    QCOMPARE(camera->getEnumProperty(5), 0u);
}

QUARNEL_TEST_MAIN(TestCameraFactory)
#include "tst_camerafactory.moc"
