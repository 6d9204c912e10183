#include "camerasink.h"
#include "testmain.h"

#include <tesk/camera.h>
#include <tesk/camerafactory.h>
#include <tesk/errors.h>

#include <QElapsedTimer>
#include <QImage>

#include <memory>

namespace {

double meanLightness(const QImage& image)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            sum += qGray(image.pixel(x, y));
            ++count;
        }
    }
    return sum / count;
}

} // namespace

class TestEmulatedCamera final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openPicksClosestSizeAndFormat();
    void misuseIsHarmless();
    void properties();
    void deliversAtNominalRate();
    void stopIsQuiescent();
    void sizeAndFormatSwitchWhileStreaming();
    void pictureReactsToProperties();
    void flipAndMirror();
    void grabsAtLargestSize();

private:
    QImage nextPicture();
    std::unique_ptr<tesk::Camera> m_camera;
    CameraSink m_sink;
};

void TestEmulatedCamera::init()
{
    qputenv("TESK_CAMEMU", "1");
    m_camera.reset(tesk::CameraFactory::getCamera(tesk::CameraFactory::deviceList().at(0)));
    QVERIFY(m_camera);
    m_sink.frames = 0;
    m_sink.sleepMs = 0;
    m_sink.attach(*m_camera);
}

void TestEmulatedCamera::cleanup()
{
    m_camera.reset();
}

QImage TestEmulatedCamera::nextPicture()
{
    m_sink.waitFrames(2, 3000);
    return m_sink.image();
}

void TestEmulatedCamera::openPicksClosestSizeAndFormat()
{
    const struct
    {
        int width, height;
        tesk::Size size;
        tesk::Frame::Format format;
    } cases[] = {{1920, 1080, {1920, 1080}, tesk::Frame::MJPEG},
                 {600, 400, {640, 480}, tesk::Frame::YUY2},
                 {4000, 3000, {3840, 2160}, tesk::Frame::MJPEG}};
    for (const auto& c : cases) {
        QCOMPARE(m_camera->open(c.width, c.height), int(tesk::Ok));
        QCOMPARE(m_camera->frameSize(), c.size);
        QCOMPARE(m_camera->frameFormat(), c.format);
    }
    const auto formats = m_camera->allFrameFormats();
    QCOMPARE(int(formats.size()), 3);
    QVERIFY(std::find(formats.begin(), formats.end(), tesk::Frame::RGB) != formats.end());
    const auto sizes = m_camera->allFrameSizes();
    QCOMPARE(int(sizes.size()), 5);
    QCOMPARE(sizes.front(), tesk::Size(640, 480));
    QCOMPARE(sizes.back(), tesk::Size(3840, 2160));
    QCOMPARE(m_camera->setFrameSize(1000, 1000), int(tesk::ErrorInvalidArgument));
    QCOMPARE(m_camera->setFrameSize(0, 0), int(tesk::ErrorInvalidArgument));
    QCOMPARE(m_camera->setFrameFormat(tesk::Frame::H265), int(tesk::ErrorNotSupported));
    QVERIFY(m_camera->isSupportStillFrame());
}

void TestEmulatedCamera::misuseIsHarmless()
{
    tesk::Frame frame;
    QCOMPARE(m_camera->start(), int(tesk::ErrorNotOpened));
    QCOMPARE(m_camera->grabMaxFrame(&frame, 1000, 10000), int(tesk::ErrorNotOpened));
    QCOMPARE(m_camera->grabMaxStillFrame(&frame, 20000), int(tesk::ErrorNotOpened));
    m_camera->stop();
    m_camera->close();
    QCOMPARE(m_camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(m_camera->grabMaxFrame(nullptr, 1000, 10000), int(tesk::ErrorInvalidArgument));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    m_camera->close();
    m_camera->close();
    QVERIFY(!m_camera->isOpened());
    // Deleting a streaming camera stops it first.
    QCOMPARE(m_camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    m_camera.reset();
}

void TestEmulatedCamera::properties()
{
    for (int id = -1; id <= 21; ++id) {
        const bool supported = id >= 0 && id <= 20 && id != 7 && id != 14 && (id < 16 || id > 18);
        QCOMPARE(m_camera->isPropertySupported(id), supported);
        double min = 0, max = 0, step = 0, value = 0;
        if (!supported) {
            QCOMPARE(m_camera->getProperty(id, &value), int(tesk::ErrorNotSupported));
            QCOMPARE(m_camera->setProperty(id, 1), int(tesk::ErrorNotSupported));
            QCOMPARE(m_camera->propertyRange(id, nullptr, nullptr, nullptr), int(tesk::ErrorNotSupported));
            continue;
        }
        QCOMPARE(m_camera->propertyRange(id, &min, &max, &step), int(tesk::Ok));
        QCOMPARE(m_camera->getProperty(id, &value), int(tesk::Ok));
        QVERIFY2(min < max && step > 0 && value >= min && value <= max, qPrintable(QString::number(id)));
    }
    QCOMPARE(m_camera->setProperty(20, 5), int(tesk::ErrorReadOnly));

    // Out of range is clamped, and values snap to the step, as on real cameras.
    const auto setAndGet = [&](int id, double set) {
        double value = -1;
        return m_camera->setProperty(id, set) == tesk::Ok && m_camera->getProperty(id, &value) == tesk::Ok ? value : -1;
    };
    QCOMPARE(setAndGet(0, 30), 30.0);
    QCOMPARE(setAndGet(0, 1000), 64.0);
    QCOMPARE(m_camera->resetProperty(0), 0.0);
    QCOMPARE(setAndGet(9, 12345), 12300.0);
    QCOMPARE(m_camera->resetProperty(9), 10000.0);
    QCOMPARE(m_camera->resetProperty(99), 0.0);

    QCOMPARE(m_camera->enumPropertyValues(0), (std::vector<unsigned>{0, 2}));
    QCOMPARE(m_camera->enumPropertyValues(3), (std::vector<unsigned>{0, 1, 2, 3, 4}));
    QVERIFY(!m_camera->isEnumPropertySupported(7));
    QVERIFY(m_camera->enumPropertyValues(7).empty());
    QCOMPARE(m_camera->setEnumProperty(7, 0), int(tesk::ErrorNotSupported));
    QCOMPARE(m_camera->setEnumProperty(0, 1), int(tesk::ErrorInvalidArgument));
    QCOMPARE(m_camera->setEnumProperty(5, 2), int(tesk::Ok));
    QCOMPARE(m_camera->getEnumProperty(5), 2u);
    QCOMPARE(m_camera->resetEnumProperty(5), 0u);
    QCOMPARE(m_camera->getEnumProperty(5), 0u);
    QCOMPARE(m_camera->resetEnumProperty(3), 1u);

    // A one-push white balance brings the gains back to neutral and then reads as off.
    m_camera->setProperty(10, 250);
    m_camera->setProperty(13, 3000);
    QCOMPARE(m_camera->setEnumProperty(2, 1), int(tesk::Ok));
    QCOMPARE(m_camera->getEnumProperty(2), 0u);
    double red = 0, temperature = 0;
    m_camera->getProperty(10, &red);
    m_camera->getProperty(13, &temperature);
    QCOMPARE(red, 100.0);
    QCOMPARE(temperature, 6500.0);
}

void TestEmulatedCamera::deliversAtNominalRate()
{
    QCOMPARE(m_camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    QTest::qSleep(300); // let it settle
    const int before = m_sink.frames;
    QElapsedTimer timer;
    timer.start();
    QTest::qSleep(2000);
    const double measured = (m_sink.frames - before) * 1000.0 / timer.elapsed();
    QVERIFY2(qAbs(measured - 30.0) <= 3.0, qPrintable(QString::number(measured)));
    QVERIFY2(qAbs(m_camera->frameRate() - 30.0) <= 3.0, qPrintable(QString::number(m_camera->frameRate())));
    QCOMPARE(m_sink.malformed.load(), 0);
    m_camera->stop();
    QTest::qSleep(2100);
    QCOMPARE(m_camera->frameRate(), 0.0); // nothing delivered lately
}

void TestEmulatedCamera::stopIsQuiescent()
{
    QCOMPARE(m_camera->open(640, 480), int(tesk::Ok));
    m_sink.sleepMs = 7; // a slow callback, so stop() often lands inside it
    for (int round = 0; round < 15; ++round) {
        QCOMPARE(m_camera->start(), int(tesk::Ok));
        QTest::qSleep(20 + round * 3);
        m_camera->stop();
        QVERIFY(!m_sink.inside);
        const int frames = m_sink.frames;
        QTest::qSleep(40);
        QCOMPARE(int(m_sink.frames), frames);
    }
    QVERIFY(m_sink.frames > 0);
    m_camera->start();
    QTest::qSleep(30);
    m_camera->close();
    QVERIFY(!m_sink.inside);
}

void TestEmulatedCamera::sizeAndFormatSwitchWhileStreaming()
{
    QCOMPARE(m_camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    QCOMPARE(nextPicture().size(), QSize(1920, 1080));
    QCOMPARE(m_camera->setFrameSize(640, 480), int(tesk::Ok));
    QCOMPARE(nextPicture().size(), QSize(640, 480));
    QCOMPARE(m_camera->frameSize(), tesk::Size(640, 480));
    QCOMPARE(m_camera->setFrameFormat(tesk::Frame::RGB), int(tesk::Ok));
    QCOMPARE(m_camera->frameFormat(), tesk::Frame::RGB);
    QCOMPARE(nextPicture().size(), QSize(640, 480));
    QCOMPARE(m_sink.malformed.load(), 0); // delivered as 32-bit RGB whatever the format
}

void TestEmulatedCamera::pictureReactsToProperties()
{
    QCOMPARE(m_camera->open(640, 480), int(tesk::Ok));
    m_camera->setEnumProperty(0, 0); // manual exposure
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    const double normal = meanLightness(nextPicture());
    nextPicture();
    double sharp = 0;
    QCOMPARE(m_camera->getProperty(20, &sharp), int(tesk::Ok));
    QVERIFY(sharp > 0);

    m_camera->setProperty(0, 50);
    const double brighter = meanLightness(nextPicture());
    QVERIFY2(brighter > normal + 20, qPrintable(QString("%1 %2").arg(normal).arg(brighter)));
    m_camera->resetProperty(0);

    m_camera->setProperty(9, 2000); // a fifth of the exposure time
    QVERIFY(meanLightness(nextPicture()) < normal * 0.5);
    m_camera->resetProperty(9);
    m_camera->setProperty(6, 100);
    QVERIFY(meanLightness(nextPicture()) > normal * 1.5);
    m_camera->resetProperty(6);

    m_camera->setEnumProperty(5, 1); // monochrome
    QImage mono = nextPicture();
    const QRgb bar = mono.pixel(mono.width() * 3 / 16, mono.height() / 5); // the yellow bar
    QCOMPARE(qRed(bar), qGreen(bar));
    QCOMPARE(qGreen(bar), qBlue(bar));
    m_camera->setEnumProperty(5, 2); // negative
    QVERIFY(meanLightness(nextPicture()) > 255 - normal - 10);
    m_camera->setEnumProperty(5, 0);

    m_camera->setProperty(10, 0); // no red at all
    const QImage noRed = nextPicture();
    QCOMPARE(qRed(noRed.pixel(noRed.width() / 16, noRed.height() / 5)), 0); // the white bar
    m_camera->setProperty(10, 100);
    m_camera->setProperty(13, 15000);
    const QRgb warm = nextPicture().pixel(noRed.width() / 16, noRed.height() / 5);
    QVERIFY(qRed(warm) > qBlue(warm) + 50);

    // The focus value follows the picture: no contrast leaves a flat grey one.
    m_camera->setProperty(1, 0);
    nextPicture();
    nextPicture();
    double flat = 1;
    m_camera->getProperty(20, &flat);
    QVERIFY2(flat < sharp / 4, qPrintable(QString("%1 %2").arg(sharp).arg(flat)));
}

void TestEmulatedCamera::flipAndMirror()
{
    QCOMPARE(m_camera->open(640, 480), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    const QImage upright = nextPicture();
    QCOMPARE(m_camera->setMirror(true), int(tesk::Ok));
    QVERIFY(m_camera->isMirror());
    const QImage mirrored = nextPicture();
    // The still chart is compared: the bars row, far from the moving object.
    QCOMPARE(mirrored.pixel(10, 20), upright.pixel(629, 20));
    QCOMPARE(mirrored.pixel(600, 20), upright.pixel(39, 20));
    m_camera->setMirror(false);
    QCOMPARE(m_camera->setFlip(true), int(tesk::Ok));
    QVERIFY(m_camera->isFlip());
    const QImage flipped = nextPicture();
    QCOMPARE(flipped.pixel(10, 470), upright.pixel(10, 9));
    QCOMPARE(flipped.pixel(10, 9), upright.pixel(10, 470));
}

void TestEmulatedCamera::grabsAtLargestSize()
{
    QCOMPARE(m_camera->open(1920, 1080), int(tesk::Ok));
    QCOMPARE(m_camera->start(), int(tesk::Ok));
    nextPicture();

    tesk::Frame jpeg;
    QCOMPARE(m_camera->grabMaxFrame(&jpeg, 1000, 10000), int(tesk::Ok));
    QCOMPARE(jpeg.format(), tesk::Frame::MJPEG);
    QVERIFY(jpeg.ownsData());
    const QImage decoded = QImage::fromData(jpeg.data(), int(jpeg.dataSize()), "JPG");
    QCOMPARE(decoded.size(), QSize(3840, 2160));

    // The stream carries on at its own size.
    QCOMPARE(nextPicture().size(), QSize(1920, 1080));
    QCOMPARE(m_camera->frameSize(), tesk::Size(1920, 1080));

    m_camera->setFrameFormat(tesk::Frame::YUY2);
    tesk::Frame rgb;
    QCOMPARE(m_camera->grabMaxFrame(&rgb, 1000, 10000), int(tesk::Ok));
    QCOMPARE(rgb.format(), tesk::Frame::RGB32);
    QCOMPARE(rgb.width(), 3840);
    QCOMPARE(rgb.height(), 2160);
    QCOMPARE(rgb.dataSize(), size_t(3840) * 2160 * 4);

    m_camera->stop();
    tesk::Frame still;
    QCOMPARE(m_camera->grabMaxStillFrame(&still, 20000), int(tesk::Ok));
    QCOMPARE(still.width(), 3840);
    const tesk::Frame copy = still; // copies own their bytes
    QVERIFY(copy.ownsData());
    QVERIFY(copy.data() != still.data());
    QCOMPARE(memcmp(copy.data(), still.data(), still.dataSize()), 0);
}

QUARNEL_TEST_MAIN(TestEmulatedCamera)
#include "tst_emulatedcamera.moc"
