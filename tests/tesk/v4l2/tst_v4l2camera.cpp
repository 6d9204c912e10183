#include "../camerasink.h"
#include "fakev4l2.h"
#include "testmain.h"

#include "jpegcodec.h"
#include "propertyids.h"
#include "v4l2/v4l2camera.h"
#include "v4l2/v4l2io.h"

#include <tesk/camerafactory.h>
#include <tesk/errors.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <linux/videodev2.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

// A picture that is red on the left, blue on the right and white in its top quarter, so that
// flips and mirrors show, with faint stripes in green to give it a focus value.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int green = 20 + (x / 3 % 2) * 12;
            row[x] = y < height / 4 ? qRgb(255, 255, 255) : x < width / 2 ? qRgb(220, green, 20) : qRgb(20, green, 220);
        }
    }
    return image;
}

// The same picture as YUYV with BT.601 limited-range values.
std::vector<uint8_t> yuyvOf(const QImage& image)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(std::size_t(image.width()) * image.height() * 2);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = image.pixel(x + 1, y);
            const auto luma = [](QRgb p) {
                return uint8_t(16 + (66 * qRed(p) + 129 * qGreen(p) + 25 * qBlue(p)) / 256);
            };
            const int r = (qRed(a) + qRed(b)) / 2, g = (qGreen(a) + qGreen(b)) / 2, bl = (qBlue(a) + qBlue(b)) / 2;
            bytes.push_back(luma(a));
            bytes.push_back(uint8_t(128 + (-38 * r - 74 * g + 112 * bl) / 256));
            bytes.push_back(luma(b));
            bytes.push_back(uint8_t(128 + (112 * r - 94 * g - 18 * bl) / 256));
        }
    }
    return bytes;
}

bool near(QRgb actual, QRgb expected)
{
    return std::abs(qRed(actual) - qRed(expected)) <= 24 && std::abs(qGreen(actual) - qGreen(expected)) <= 24 &&
           std::abs(qBlue(actual) - qBlue(expected)) <= 24;
}

// Left red, right blue, white above: the picture as it was sent.
bool isUpright(const QImage& image)
{
    const int y = image.height() * 3 / 4;
    return near(image.pixel(image.width() / 8, y), qRgb(220, 20, 20)) &&
           near(image.pixel(image.width() * 7 / 8, y), qRgb(20, 20, 220)) &&
           near(image.pixel(image.width() / 2, image.height() / 16), qRgb(255, 255, 255));
}

FakeV4l2::Payload picturePayload(uint32_t fourcc, int width, int height)
{
    const QImage picture = testPicture(width, height);
    if (fourcc != V4L2_PIX_FMT_MJPEG) {
        return {yuyvOf(picture), false};
    }
    tesk::Frame jpeg;
    tesk::encodeJpeg(picture.constBits(), width, height, 90, &jpeg);
    return {std::vector<uint8_t>(jpeg.data(), jpeg.data() + jpeg.dataSize()), false};
}

FakeV4l2::Control control(int32_t min, int32_t max, int32_t initial, uint32_t type = V4L2_CTRL_TYPE_INTEGER,
                          std::vector<int32_t> menu = {})
{
    return FakeV4l2::Control{min, max, 1, initial, initial, type, std::move(menu)};
}

} // namespace

class TestV4l2Camera : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsCaptureNodesInNumberOrder();
    void negotiatesFormatAndSize();
    void stepwiseSizes();
    void streamsAndSwitchesModes();
    void damagedFramesAreSkippedAndCounted();
    void controlsMapToTheDriver();
    void flipInHardwareMirrorInSoftware();
    void grabMaxFrameAtTheLargestSize();
    void unplugEndsTheStreamAndReplugReopens();
    void idleCameraDoesNotSpin();
    void busyAndBandwidthErrors();

private:
    std::unique_ptr<tesk::Camera> makeCamera(const std::string& node);
    std::string node(int number) const { return m_dir->path().toStdString() + "/dev/video" + std::to_string(number); }
    FakeV4l2::Device& addCamera(int number);
    /// Opens a camera on node 0 with `sink` attached, and has it streaming.
    std::unique_ptr<tesk::Camera> streaming(CameraSink& sink, int width, int height);
    void changeDevice(const std::function<void(FakeV4l2::Device&)>& change) { m_fake->change(node(0), change); }
    FakeV4l2::Device driver() const { return m_fake->snapshot(node(0)); }

    std::unique_ptr<FakeV4l2> m_fake;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestV4l2Camera::init()
{
    m_fake = std::make_unique<FakeV4l2>();
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkpath("sys/class/video4linux");
    QDir(m_dir->path()).mkpath("dev");
    tesk::V4l2System::install(m_fake.get(), (m_dir->path() + "/sys").toStdString(),
                              (m_dir->path() + "/dev").toStdString());
    qunsetenv("TESK_CAMEMU");
}

void TestV4l2Camera::cleanup()
{
    tesk::V4l2System::install(nullptr, "/sys", "/dev");
    QCOMPARE(m_fake->openFiles(), 0);
    QCOMPARE(m_fake->mappedBuffers(), 0);
}

FakeV4l2::Device& TestV4l2Camera::addCamera(int number)
{
    FakeV4l2::Device& device = m_fake->device(node(number));
    device.formats = {{V4L2_PIX_FMT_YUYV, {{640, 480}, {320, 240}, {1280, 720}}},
                      {V4L2_PIX_FMT_H264, {{1920, 1080}}},
                      {V4L2_PIX_FMT_MJPEG, {{640, 480}, {1280, 720}, {1920, 1080}, {2592, 1944}}}};
    device.source = [](uint32_t fourcc, int width, int height, unsigned) {
        return picturePayload(fourcc, width, height);
    };
    return device;
}

std::unique_ptr<tesk::Camera> TestV4l2Camera::makeCamera(const std::string& address)
{
    tesk::CameraInfo info;
    info.name = "Fake Camera";
    info.address = address;
    return std::unique_ptr<tesk::Camera>(tesk::CameraFactory::getCamera(info));
}

std::unique_ptr<tesk::Camera> TestV4l2Camera::streaming(CameraSink& sink, int width, int height)
{
    auto camera = makeCamera(node(0));
    sink.attach(*camera);
    if (camera->open(width, height) != tesk::Ok || camera->start() != tesk::Ok || !sink.waitFrames(2)) {
        return nullptr;
    }
    return camera;
}

void TestV4l2Camera::listsCaptureNodesInNumberOrder()
{
    // sysfs as the kernel lays it out: the class entry links to the node's folder under the
    // USB interface, whose parent is the USB device with the ids.
    const QString sys = m_dir->path() + "/sys";
    for (const auto& [number, usb] : {std::pair<int, QString>{10, "1-2"}, {2, "1-1"}, {3, "1-1"}, {7, "1-1"}}) {
        const QString interfaceFolder = sys + "/devices/usb1/" + usb + "/" + usb + ":1.0";
        const QString nodeFolder = interfaceFolder + "/video4linux/video" + QString::number(number);
        QDir().mkpath(nodeFolder);
        QFile::link(interfaceFolder, nodeFolder + "/device");
        QFile::link(nodeFolder, sys + "/class/video4linux/video" + QString::number(number));
    }
    for (const auto& [usb, ids] : {std::pair<QString, QByteArray>{"1-1", "0c45\n6366\n"}, {"1-2", "046d\n085b\n"}}) {
        QFile v(sys + "/devices/usb1/" + usb + "/idVendor"), p(sys + "/devices/usb1/" + usb + "/idProduct");
        QVERIFY(v.open(QIODevice::WriteOnly) && p.open(QIODevice::WriteOnly));
        v.write(ids.left(5));
        p.write(ids.mid(5));
    }
    // video10 sorts after video2; video3 is the metadata node of the same camera; video7 has
    // no device behind it.
    m_fake->device(node(2)).card = "Microscope";
    m_fake->device(node(3)).caps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    m_fake->device(node(10)).card = "Webcam C925e";
    qputenv("TESK_CAMEMU", "1");

    const std::vector<tesk::CameraInfo> devices = tesk::CameraFactory::deviceList();
    QCOMPARE(devices.size(), std::size_t(3));
    QCOMPARE(devices[0].name, std::string("Microscope"));
    QCOMPARE(devices[0].address, node(2));
    QCOMPARE(devices[0].vendorId, uint16_t(0x0c45));
    QCOMPARE(devices[0].productId, uint16_t(0x6366));
    QCOMPARE(devices[1].name, std::string("Webcam C925e"));
    QCOMPARE(devices[1].vendorId, uint16_t(0x046d));
    QCOMPARE(devices[2].name, std::string("Emulated Camera 1"));
    QCOMPARE(devices[2].index, 2);
    QCOMPARE(m_fake->openFiles(), 0);
}

void TestV4l2Camera::negotiatesFormatAndSize()
{
    addCamera(0).controls[V4L2_CID_BRIGHTNESS] = control(-64, 64, 0);
    auto camera = makeCamera(node(0));
    QVERIFY(camera);
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->frameFormat(), tesk::Frame::MJPEG);
    QCOMPARE(camera->frameSize(), tesk::Size(1920, 1080));
    // H.264 is offered but not shown.
    QCOMPARE(camera->allFrameFormats(), (std::vector<tesk::Frame::Format>{tesk::Frame::YUY2, tesk::Frame::MJPEG}));
    QCOMPARE(camera->allFrameSizes().front(), tesk::Size(640, 480));
    QCOMPARE(camera->allFrameSizes().back(), tesk::Size(2592, 1944));
    QCOMPARE(static_cast<tesk::V4l2Camera&>(*camera).nominalFrameRate(), 30.0);
    QVERIFY(!camera->isSupportStillFrame());

    QCOMPARE(camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(camera->frameFormat(), tesk::Frame::YUY2);
    QCOMPARE(camera->allFrameSizes().size(), std::size_t(3));

    // Closest size: 1000x700 is nearest 1280x720, and above VGA so compressed.
    QCOMPARE(camera->open(1000, 700), int(tesk::Ok));
    QCOMPARE(camera->frameFormat(), tesk::Frame::MJPEG);
    QCOMPARE(camera->frameSize(), tesk::Size(1280, 720));
    QCOMPARE(driver().fourcc, uint32_t(V4L2_PIX_FMT_MJPEG));
    QCOMPARE(driver().size, tesk::Size(1280, 720));
    QVERIFY(driver().streaming);
    camera->close();
    QCOMPARE(m_fake->openFiles(), 0);

    // Requested parameters choose the mode, the nearest frame rate and the controls.
    QFile file(m_dir->path() + "/camera.ini");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[camera]\nformat = YUYV\nwidth = 1280\nheight = 720\nfps = 14\n[properties]\nbrightness = 12\n");
    file.close();
    QCOMPARE(camera->loadRequestParam(file.fileName().toStdString()), int(tesk::Ok));
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->frameFormat(), tesk::Frame::YUY2);
    QCOMPARE(camera->frameSize(), tesk::Size(1280, 720));
    QCOMPARE(static_cast<tesk::V4l2Camera&>(*camera).nominalFrameRate(), 15.0);
    QCOMPARE(driver().controls[V4L2_CID_BRIGHTNESS].value, 12);
    camera->close();

    // A camera offering only H.264 cannot be shown.
    m_fake->device(node(1)).formats = {{V4L2_PIX_FMT_H264, {{1920, 1080}}}};
    auto h264Only = makeCamera(node(1));
    QCOMPARE(h264Only->open(1920, 1080), int(tesk::ErrorNotSupported));
    QVERIFY(!h264Only->isOpened());
}

void TestV4l2Camera::stepwiseSizes()
{
    FakeV4l2::Device& device = m_fake->device(node(0));
    device.formats = {{V4L2_PIX_FMT_GREY, {}}};
    device.stepwise = true;
    device.stepMinW = 160, device.stepMaxW = 2048, device.stepW = 16;
    device.stepMinH = 120, device.stepMaxH = 1536, device.stepH = 8;
    device.source = [](uint32_t, int width, int height, unsigned) {
        return FakeV4l2::Payload{std::vector<uint8_t>(std::size_t(width) * height, 200), false};
    };
    CameraSink sink;
    auto camera = streaming(sink, 1920, 1080);
    QVERIFY(camera);
    camera->stop();
    QCOMPARE(camera->frameFormat(), tesk::Frame::Mono8);
    const std::vector<tesk::Size> sizes = camera->allFrameSizes();
    QCOMPARE(sizes.front(), tesk::Size(160, 120));
    QCOMPARE(sizes.back(), tesk::Size(2048, 1536));
    QVERIFY(std::find(sizes.begin(), sizes.end(), camera->frameSize()) != sizes.end());
    QVERIFY(std::find(sizes.begin(), sizes.end(), tesk::Size(1920, 1080)) != sizes.end());
    QCOMPARE(qGray(sink.image().pixel(10, 10)), 200); // grey is full range
}

void TestV4l2Camera::streamsAndSwitchesModes()
{
    addCamera(0);
    CameraSink sink;
    sink.isGood = isUpright;
    auto camera = streaming(sink, 640, 480);
    QVERIFY(camera);
    QVERIFY(sink.waitFrames(5));
    QVERIFY(camera->frameRate() > 0.0);
    QCOMPARE(sink.image().size(), QSize(640, 480));
    // Stopping gives the USB bandwidth back; the stream goes on after a pause.
    camera->stop();
    QVERIFY(!driver().streaming);
    QCOMPARE(camera->start(), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));

    QCOMPARE(camera->setFrameFormat(tesk::Frame::MJPEG), int(tesk::Ok));
    QCOMPARE(camera->setFrameSize(1920, 1080), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(sink.image().size(), QSize(1920, 1080));
    QCOMPARE(camera->setFrameSize(640, 480), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(sink.image().size(), QSize(640, 480));
    QCOMPARE(camera->setFrameSize(333, 333), int(tesk::ErrorInvalidArgument));
    QCOMPARE(camera->setFrameFormat(tesk::Frame::NV12), int(tesk::ErrorNotSupported));
    QCOMPARE(camera->setFrameFormat(tesk::Frame::YUY2), int(tesk::Ok));
    QCOMPARE(camera->frameSize(), tesk::Size(640, 480));
    QCOMPARE(driver().fourcc, uint32_t(V4L2_PIX_FMT_YUYV));
    QVERIFY(sink.waitFrames(3));

    // The driver refuses the new size: the old one streams on.
    changeDevice([](FakeV4l2::Device& d) { d.refusedSize = tesk::Size(1280, 720); });
    QVERIFY(camera->setFrameSize(1280, 720) != tesk::Ok);
    QCOMPARE(camera->frameSize(), tesk::Size(640, 480));
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(sink.image().size(), QSize(640, 480));
    QCOMPARE(camera->setFrameSize(320, 240), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(sink.image().size(), QSize(320, 240));
    camera->close();
    QCOMPARE(sink.bad.load(), 0);
    QCOMPARE(sink.lost.load(), 0);
}

void TestV4l2Camera::damagedFramesAreSkippedAndCounted()
{
    // Every third frame is cut short, every fifth flagged by the driver, every seventh noise.
    addCamera(0).source = [](uint32_t fourcc, int width, int height, unsigned sequence) {
        FakeV4l2::Payload payload = picturePayload(fourcc, width, height);
        if (sequence % 3 == 1) {
            payload.bytes.resize(payload.bytes.size() / 2);
        } else if (sequence % 5 == 2) {
            payload.damaged = true;
        } else if (sequence % 7 == 4 && fourcc == V4L2_PIX_FMT_MJPEG) {
            for (std::size_t i = 600; i < payload.bytes.size(); i += 3) {
                payload.bytes[i] = uint8_t(i * 31);
            }
        }
        return payload;
    };
    CameraSink sink;
    sink.isGood = isUpright;
    auto camera = streaming(sink, 1280, 720);
    QVERIFY(camera);
    QCOMPARE(camera->frameFormat(), tesk::Frame::MJPEG);
    QVERIFY(sink.waitFrames(10));
    camera->stop();
    QCOMPARE(sink.bad.load(), 0);
    QVERIFY(static_cast<tesk::V4l2Camera&>(*camera).damagedFrames() >= 6);

    // A YUYV frame that is short is skipped too.
    QCOMPARE(camera->setFrameFormat(tesk::Frame::YUY2), int(tesk::Ok));
    QCOMPARE(camera->start(), int(tesk::Ok));
    QVERIFY(sink.waitFrames(5));
    camera->close();
    QCOMPARE(sink.bad.load(), 0);
}

void TestV4l2Camera::controlsMapToTheDriver()
{
    FakeV4l2::Device& device = addCamera(0);
    device.controls[V4L2_CID_BRIGHTNESS] = control(-64, 64, 0);
    device.controls[V4L2_CID_GAIN] = control(0, 100, 32);
    device.controls[V4L2_CID_EXPOSURE_ABSOLUTE] = control(1, 5000, 156);
    device.controls[V4L2_CID_EXPOSURE_AUTO] = control(0, 3, V4L2_EXPOSURE_APERTURE_PRIORITY, V4L2_CTRL_TYPE_MENU,
                                                      {V4L2_EXPOSURE_MANUAL, V4L2_EXPOSURE_APERTURE_PRIORITY});
    device.controls[V4L2_CID_AUTO_WHITE_BALANCE] = control(0, 1, 1, V4L2_CTRL_TYPE_BOOLEAN);
    device.controls[V4L2_CID_WHITE_BALANCE_TEMPERATURE] = control(2800, 6500, 4600);
    device.controls[V4L2_CID_POWER_LINE_FREQUENCY] = control(0, 2, 1, V4L2_CTRL_TYPE_MENU, {0, 1, 2});
    CameraSink sink;
    auto camera = streaming(sink, 640, 480);
    QVERIFY(camera);
    const auto driverValue = [&](uint32_t cid) { return driver().controls[cid].value; };

    QVERIFY(camera->isPropertySupported(tesk::Brightness));
    QVERIFY(!camera->isPropertySupported(tesk::Contrast));
    double value = 0, min = 0, max = 0, step = 0;
    QCOMPARE(camera->getProperty(tesk::Contrast, &value), int(tesk::ErrorNotSupported));
    QCOMPARE(camera->setProperty(tesk::Hue, 3), int(tesk::ErrorNotSupported));

    // Exposure time in microseconds; the driver counts 100 µs units.
    QCOMPARE(camera->propertyRange(tesk::ExposureTime, &min, &max, &step), int(tesk::Ok));
    QCOMPARE(QVector<double>({min, max, step}), QVector<double>({100.0, 500000.0, 100.0}));
    QCOMPARE(camera->setProperty(tesk::ExposureTime, 20040), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_EXPOSURE_ABSOLUTE), 200);
    QCOMPARE(camera->getProperty(tesk::ExposureTime, &value), int(tesk::Ok));
    QCOMPARE(value, 20000.0);
    QCOMPARE(camera->setProperty(tesk::Brightness, 1000), int(tesk::Ok)); // clamped
    QCOMPARE(driverValue(V4L2_CID_BRIGHTNESS), 64);
    QCOMPARE(camera->resetProperty(tesk::Brightness), 0.0);
    QCOMPARE(driverValue(V4L2_CID_BRIGHTNESS), 0);
    QCOMPARE(camera->resetProperty(tesk::Gain), 32.0);

    // Automatic exposure: manual 0, automatic 2, which this camera does as aperture priority.
    QCOMPARE(camera->enumPropertyValues(tesk::AutoExposure), (std::vector<unsigned>{0, 2}));
    QCOMPARE(camera->getEnumProperty(tesk::AutoExposure), 2u);
    QCOMPARE(camera->setEnumProperty(tesk::AutoExposure, 0), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_EXPOSURE_AUTO), int(V4L2_EXPOSURE_MANUAL));
    QCOMPARE(camera->setEnumProperty(tesk::AutoExposure, 2), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_EXPOSURE_AUTO), int(V4L2_EXPOSURE_APERTURE_PRIORITY));
    QCOMPARE(camera->setEnumProperty(tesk::AutoExposure, 1), int(tesk::ErrorInvalidArgument));

    // White balance off or continuous ("once" needs a camera that offers it).
    QCOMPARE(camera->enumPropertyValues(tesk::WhiteBalanceMode), (std::vector<unsigned>{0, 2}));
    QCOMPARE(camera->setEnumProperty(tesk::WhiteBalanceMode, 0), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_AUTO_WHITE_BALANCE), 0);
    QCOMPARE(camera->setProperty(tesk::Temperature, 5000), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_WHITE_BALANCE_TEMPERATURE), 5000);
    QCOMPARE(camera->resetEnumProperty(tesk::WhiteBalanceMode), 2u);
    QCOMPARE(driverValue(V4L2_CID_AUTO_WHITE_BALANCE), 1);

    QCOMPARE(camera->enumPropertyValues(tesk::PowerFrequency), (std::vector<unsigned>{0, 1, 2}));
    QCOMPARE(camera->setEnumProperty(tesk::PowerFrequency, 2), int(tesk::Ok));
    QCOMPARE(driverValue(V4L2_CID_POWER_LINE_FREQUENCY), 2);
    QVERIFY(!camera->isEnumPropertySupported(tesk::ColorMode));

    // The focus value comes from the pictures, on every camera, and cannot be set.
    QCOMPARE(camera->setProperty(tesk::FocusValue, 3), int(tesk::ErrorReadOnly));
    QCOMPARE(camera->getProperty(tesk::FocusValue, &value), int(tesk::Ok));
    QVERIFY(value > 0.0);

    camera->close();
    QCOMPARE(camera->getProperty(tesk::Brightness, &value), int(tesk::ErrorNotOpened));
}

void TestV4l2Camera::flipInHardwareMirrorInSoftware()
{
    addCamera(0).controls[V4L2_CID_VFLIP] = control(0, 1, 0, V4L2_CTRL_TYPE_BOOLEAN);
    CameraSink sink;
    auto camera = streaming(sink, 640, 480);
    QVERIFY(camera);
    const auto colourAt = [&](double x, double y, QRgb expected) {
        const QImage image = sink.image();
        return near(image.pixel(int(image.width() * x), int(image.height() * y)), expected);
    };

    // The fake sensor does not really flip, so a hardware flip leaves the picture as sent.
    QCOMPARE(camera->setFlip(true), int(tesk::Ok));
    QCOMPARE(driver().controls[V4L2_CID_VFLIP].value, 1);
    QVERIFY(sink.waitFrames(3));
    QVERIFY(isUpright(sink.image()));

    // No HFLIP control: the conversion mirrors, blue comes to the left.
    QCOMPARE(camera->setMirror(true), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    QVERIFY(colourAt(1.0 / 8, 3.0 / 4, qRgb(20, 20, 220)));

    // Without any hardware flip the conversion flips too: white goes to the bottom.
    camera->close();
    m_fake->device(node(0)).controls.clear();
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QVERIFY(camera->isFlip()); // kept over a reopen
    QCOMPARE(camera->start(), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    QVERIFY(colourAt(0.5, 0.99, qRgb(255, 255, 255)));
    QVERIFY(colourAt(1.0 / 8, 1.0 / 4, qRgb(20, 20, 220)));
    camera->close();
}

void TestV4l2Camera::grabMaxFrameAtTheLargestSize()
{
    addCamera(0);
    CameraSink sink;
    auto camera = streaming(sink, 1280, 720);
    QVERIFY(camera);

    // MJPEG comes back as the camera's own JPEG at 2592x1944.
    tesk::Frame frame;
    QCOMPARE(camera->grabMaxFrame(&frame, 1000, 10000), int(tesk::Ok));
    QCOMPARE(frame.format(), tesk::Frame::MJPEG);
    QCOMPARE(frame.width(), 2592);
    QCOMPARE(QImage::fromData(frame.data(), int(frame.dataSize()), "JPG").size(), QSize(2592, 1944));
    // The stream resumes at the old size.
    QCOMPARE(camera->frameSize(), tesk::Size(1280, 720));
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(sink.image().size(), QSize(1280, 720));

    // YUYV comes back as 32-bit RGB, also when the stream was paused.
    QCOMPARE(camera->setFrameFormat(tesk::Frame::YUY2), int(tesk::Ok));
    camera->stop();
    QCOMPARE(camera->grabMaxFrame(&frame, 1000, 10000), int(tesk::Ok));
    QCOMPARE(frame.format(), tesk::Frame::RGB32);
    QCOMPARE(QSize(frame.width(), frame.height()), QSize(1280, 720));
    QVERIFY(!driver().streaming);

    // A camera that sends nothing at the large size times out and streams on as before.
    QCOMPARE(camera->setFrameFormat(tesk::Frame::MJPEG), int(tesk::Ok));
    QCOMPARE(camera->start(), int(tesk::Ok));
    changeDevice([](FakeV4l2::Device& d) { d.frameInterval = 1h; });
    QCOMPARE(camera->grabMaxFrame(&frame, 300, 600), int(tesk::ErrorTimeout));
    changeDevice([](FakeV4l2::Device& d) {
        d.frameInterval = 5ms;
        d.nextFrame = std::chrono::steady_clock::now();
    });
    QVERIFY(sink.waitFrames(3));
    QCOMPARE(camera->frameSize(), tesk::Size(1280, 720));
    camera->close();
}

void TestV4l2Camera::unplugEndsTheStreamAndReplugReopens()
{
    addCamera(0);
    CameraSink sink;
    auto camera = streaming(sink, 1920, 1080);
    QVERIFY(camera);

    changeDevice([](FakeV4l2::Device& d) { d.unplugged = true; });
    QVERIFY(QTest::qWaitFor([&]() { return sink.lost > 0; }, 3000));
    QCOMPARE(sink.lostError.load(), int(tesk::ErrorDeviceLost));
    QVERIFY(!camera->isOpened());
    QCOMPARE(m_fake->mappedBuffers(), 0);
    QCOMPARE(m_fake->openFiles(), 0);
    // The capture thread has ended: nothing polls any more.
    const int polls = m_fake->pollCalls();
    QTest::qWait(300);
    QCOMPARE(m_fake->pollCalls(), polls);
    QCOMPARE(camera->start(), int(tesk::ErrorNotOpened));
    QCOMPARE(camera->open(1920, 1080), int(tesk::ErrorNoDevice));
    camera->close();

    // Plugged in again: the same camera object opens and streams.
    changeDevice([](FakeV4l2::Device& d) {
        d.unplugged = false;
        d.streaming = false;
        d.buffers.clear();
        d.queued.clear();
    });
    QCOMPARE(camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(camera->start(), int(tesk::Ok));
    QVERIFY(sink.waitFrames(3));
    camera->close();
    QCOMPARE(sink.lost.load(), 1);
}

void TestV4l2Camera::idleCameraDoesNotSpin()
{
    addCamera(0).frameInterval = 1h;
    auto camera = makeCamera(node(0));
    CameraSink sink;
    sink.attach(*camera);
    QCOMPARE(camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(camera->start(), int(tesk::Ok));
    const int before = m_fake->pollCalls();
    QTest::qWait(1000);
    // One wake-up per poll timeout, not a loop.
    QVERIFY2(m_fake->pollCalls() - before <= 8, qPrintable(QString::number(m_fake->pollCalls() - before)));
    QCOMPARE(sink.frames.load(), 0);
    camera->close();
}

void TestV4l2Camera::busyAndBandwidthErrors()
{
    addCamera(0);
    auto camera = makeCamera(node(0));
    const struct
    {
        int openErrno, setFormatErrno, streamOnErrno, expected;
    } cases[] = {
        {EBUSY, 0, 0, tesk::ErrorDeviceBusy},
        {0, EBUSY, 0, tesk::ErrorDeviceBusy},
        {0, 0, ENOSPC, tesk::ErrorNoBandwidth},
        {EACCES, 0, 0, tesk::ErrorIo},
        {0, 0, 0, tesk::Ok},
    };
    for (const auto& c : cases) {
        changeDevice([&](FakeV4l2::Device& d) {
            d.openErrno = c.openErrno, d.setFormatErrno = c.setFormatErrno, d.streamOnErrno = c.streamOnErrno;
        });
        QCOMPARE(camera->open(1280, 720), c.expected);
        QCOMPARE(camera->isOpened(), c.expected == tesk::Ok);
        camera->close();
        QCOMPARE(m_fake->openFiles(), 0);
        QCOMPARE(m_fake->mappedBuffers(), 0);
    }
}

QUARNEL_TEST_MAIN(TestV4l2Camera)
#include "tst_v4l2camera.moc"
