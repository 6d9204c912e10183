#include "testmain.h"

#include "jpegcodec.h"
#include "v4l2/frameconverter.h"

#include <tesk/errors.h>

#include <QImage>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

#include <turbojpeg.h>

#include <cmath>

Q_DECLARE_METATYPE(tesk::Frame::Format)

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

/// A frame in a camera format with its planes, built from smooth gradients so that the
/// different chroma interpolations of two converters agree.
struct Source
{
    std::vector<uint8_t> bytes;
    int stride = 0;                // first plane
    const uint8_t* planes[4] = {}; // for swscale
    int strides[4] = {};
    AVPixelFormat avFormat = AV_PIX_FMT_NONE;
    bool fullRange = false;
};

int wave(int x, int y, double fx, double fy, int low, int high)
{
    const double t = 0.5 + 0.25 * std::sin(x * fx) + 0.25 * std::cos(y * fy);
    return low + int(std::lround(t * (high - low)));
}

Source makeSource(tesk::Frame::Format format, int padding)
{
    Source s;
    const int w = kWidth, h = kHeight;
    const auto luma = [](int x, int y) { return uint8_t(wave(x, y, 0.031, 0.023, 16, 235)); };
    const auto cb = [](int x, int y) { return uint8_t(wave(x, y, 0.017, 0.029, 40, 216)); };
    const auto cr = [](int x, int y) { return uint8_t(wave(x + 100, y, 0.013, 0.019, 40, 216)); };
    switch (format) {
    case tesk::Frame::YUY2:
    case tesk::Frame::UYVY: {
        const bool yFirst = format == tesk::Frame::YUY2;
        s.stride = w * 2 + padding;
        s.bytes.assign(std::size_t(s.stride) * h, 0);
        for (int y = 0; y < h; ++y) {
            uint8_t* row = s.bytes.data() + std::size_t(y) * s.stride;
            for (int x = 0; x < w; x += 2) {
                uint8_t* p = row + x * 2;
                p[yFirst ? 0 : 1] = luma(x, y);
                p[yFirst ? 2 : 3] = luma(x + 1, y);
                p[yFirst ? 1 : 0] = cb(x, y);
                p[yFirst ? 3 : 2] = cr(x, y);
            }
        }
        s.avFormat = yFirst ? AV_PIX_FMT_YUYV422 : AV_PIX_FMT_UYVY422;
        s.planes[0] = s.bytes.data();
        s.strides[0] = s.stride;
        break;
    }
    case tesk::Frame::NV12:
    case tesk::Frame::YU12: {
        s.stride = w + padding;
        const std::size_t lumaBytes = std::size_t(s.stride) * h;
        s.bytes.assign(lumaBytes * 3 / 2, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                s.bytes[std::size_t(y) * s.stride + x] = luma(x, y);
            }
        }
        uint8_t* chroma = s.bytes.data() + lumaBytes;
        const int chromaStride = s.stride / 2;
        for (int y = 0; y < h / 2; ++y) {
            for (int x = 0; x < w / 2; ++x) {
                if (format == tesk::Frame::NV12) {
                    chroma[std::size_t(y) * s.stride + x * 2] = cb(x * 2, y * 2);
                    chroma[std::size_t(y) * s.stride + x * 2 + 1] = cr(x * 2, y * 2);
                } else {
                    chroma[std::size_t(y) * chromaStride + x] = cb(x * 2, y * 2);
                    chroma[lumaBytes / 4 + std::size_t(y) * chromaStride + x] = cr(x * 2, y * 2);
                }
            }
        }
        s.planes[0] = s.bytes.data();
        s.strides[0] = s.stride;
        s.planes[1] = chroma;
        if (format == tesk::Frame::NV12) {
            s.avFormat = AV_PIX_FMT_NV12;
            s.strides[1] = s.stride;
        } else {
            s.avFormat = AV_PIX_FMT_YUV420P;
            s.strides[1] = s.strides[2] = chromaStride;
            s.planes[2] = chroma + lumaBytes / 4;
        }
        break;
    }
    case tesk::Frame::Mono8:
    case tesk::Frame::Mono16: {
        const int bytes = format == tesk::Frame::Mono8 ? 1 : 2;
        s.stride = w * bytes + padding;
        s.bytes.assign(std::size_t(s.stride) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int value = wave(x, y, 0.031, 0.023, 0, 255);
                uint8_t* p = s.bytes.data() + std::size_t(y) * s.stride + x * bytes;
                if (bytes == 1) {
                    p[0] = uint8_t(value);
                } else {
                    const int wide = value * 257; // little endian, full 16-bit range
                    p[0] = uint8_t(wide & 0xff);
                    p[1] = uint8_t(wide >> 8);
                }
            }
        }
        s.avFormat = bytes == 1 ? AV_PIX_FMT_GRAY8 : AV_PIX_FMT_GRAY16LE;
        s.fullRange = true; // V4L2 grey is full range
        s.planes[0] = s.bytes.data();
        s.strides[0] = s.stride;
        break;
    }
    case tesk::Frame::RGB:
    case tesk::Frame::BGR: {
        s.stride = w * 3 + padding;
        s.bytes.assign(std::size_t(s.stride) * h, 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                uint8_t* p = s.bytes.data() + std::size_t(y) * s.stride + x * 3;
                const uint8_t r = uint8_t(wave(x, y, 0.031, 0.023, 0, 255));
                const uint8_t g = uint8_t(wave(x, y, 0.011, 0.037, 0, 255));
                const uint8_t b = uint8_t(wave(x, y, 0.043, 0.007, 0, 255));
                p[0] = format == tesk::Frame::RGB ? r : b;
                p[1] = g;
                p[2] = format == tesk::Frame::RGB ? b : r;
            }
        }
        s.avFormat = format == tesk::Frame::RGB ? AV_PIX_FMT_RGB24 : AV_PIX_FMT_BGR24;
        s.planes[0] = s.bytes.data();
        s.strides[0] = s.stride;
        break;
    }
    default:
        break;
    }
    return s;
}

QImage swscaleToBgra(const uint8_t* const planes[4], const int strides[4], AVPixelFormat format, bool fullRange,
                     int width, int height, int scaler = SWS_POINT)
{
    SwsContext* context = sws_getContext(width, height, format, width, height, AV_PIX_FMT_BGRA,
                                         scaler | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (!context) {
        return {};
    }
    int* inverse = nullptr;
    int* table = nullptr;
    int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
    sws_getColorspaceDetails(context, &inverse, &srcRange, &table, &dstRange, &brightness, &contrast, &saturation);
    sws_setColorspaceDetails(context, sws_getCoefficients(SWS_CS_ITU601), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_ITU601), 1, brightness, contrast, saturation);
    QImage image(width, height, QImage::Format_RGB32);
    uint8_t* destination[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(context, planes, strides, 0, height, destination, destinationStride);
    sws_freeContext(context);
    return image;
}

// libavcodec's MJPEG decoder followed by swscale, the way a player would show the picture.
QImage libavcodecJpeg(const tesk::Frame& jpeg)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->idct_algo = FF_IDCT_INT; // the integer IDCT of libjpeg
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    QImage image;
    std::vector<uint8_t> padded(jpeg.data(), jpeg.data() + jpeg.dataSize());
    padded.resize(padded.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    packet->data = padded.data();
    packet->size = int(jpeg.dataSize());
    if (avcodec_open2(context, codec, nullptr) == 0 && avcodec_send_packet(context, packet) == 0 &&
        avcodec_receive_frame(context, frame) == 0) {
        image = swscaleToBgra(frame->data, frame->linesize, AVPixelFormat(frame->format), true, frame->width,
                              frame->height);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    return image;
}

int maxChannelDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(ra[x]) - qRed(rb[x])), std::abs(qGreen(ra[x]) - qGreen(rb[x])),
                              std::abs(qBlue(ra[x]) - qBlue(rb[x]))});
        }
    }
    return worst;
}

int pixelsDifferingMoreThan(const QImage& a, const QImage& b, int limit)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
            count += std::abs(qRed(pa) - qRed(pb)) > limit || std::abs(qGreen(pa) - qGreen(pb)) > limit ||
                     std::abs(qBlue(pa) - qBlue(pb)) > limit;
        }
    }
    return count;
}

QImage convert(tesk::FrameConverter& converter, const uint8_t* data, std::size_t size, tesk::Frame::Format format,
               int stride, bool flip = false, bool mirror = false, int* result = nullptr)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const int r = converter.toRgb32(data, size, format, kWidth, kHeight, stride, flip, mirror, image.bits());
    if (result) {
        *result = r;
    }
    return r == tesk::Ok ? image : QImage();
}

tesk::Frame jpegOf(const QImage& picture, int subsampling)
{
    tjhandle handle = tjInitCompress();
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    tesk::Frame frame;
    if (tjCompress2(handle, picture.constBits(), picture.width(), int(picture.bytesPerLine()), picture.height(),
                    TJPF_BGRX, &bytes, &size, subsampling, 92, TJFLAG_ACCURATEDCT) == 0) {
        frame.assign(bytes, size, tesk::Frame::MJPEG, picture.width(), picture.height());
    }
    tjFree(bytes);
    tjDestroy(handle);
    return frame;
}

QImage smoothPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            image.setPixel(x, y,
                           qRgb(wave(x, y, 0.011, 0.007, 0, 255), wave(x, y, 0.005, 0.013, 0, 255),
                                wave(x, y, 0.009, 0.003, 0, 255)));
        }
    }
    return image;
}

} // namespace

class TestFrameConverter : public QObject
{
    Q_OBJECT

private slots:
    void matchesSwscale_data();
    void matchesSwscale();
    void mjpegMatchesLibavcodec_data();
    void mjpegMatchesLibavcodec();
    void flipAndMirror_data();
    void flipAndMirror();
    void damagedFramesAreRefused();
};

void TestFrameConverter::matchesSwscale_data()
{
    QTest::addColumn<tesk::Frame::Format>("format");
    QTest::addColumn<int>("padding");
    const std::pair<const char*, tesk::Frame::Format> formats[] = {
        {"YUYV", tesk::Frame::YUY2}, {"UYVY", tesk::Frame::UYVY},  {"NV12", tesk::Frame::NV12},
        {"YU12", tesk::Frame::YU12}, {"GREY", tesk::Frame::Mono8}, {"Y16", tesk::Frame::Mono16},
        {"RGB24", tesk::Frame::RGB}, {"BGR24", tesk::Frame::BGR}};
    for (const auto& [name, format] : formats) {
        QTest::newRow(name) << format << 0;
        QTest::newRow(qPrintable(QString(name) + " padded rows")) << format << 64;
    }
}

void TestFrameConverter::matchesSwscale()
{
    QFETCH(tesk::Frame::Format, format);
    QFETCH(int, padding);
    const Source source = makeSource(format, padding);
    tesk::FrameConverter converter;
    const QImage ours = convert(converter, source.bytes.data(), source.bytes.size(), format, source.stride);
    QVERIFY(!ours.isNull());
    const QImage theirs =
        swscaleToBgra(source.planes, source.strides, source.avFormat, source.fullRange, kWidth, kHeight);
    QVERIFY(!theirs.isNull());
    const int difference = maxChannelDifference(ours, theirs);
    QVERIFY2(difference <= 2, qPrintable(QString("max channel difference %1").arg(difference)));
}

void TestFrameConverter::mjpegMatchesLibavcodec_data()
{
    QTest::addColumn<int>("subsampling");
    QTest::addColumn<int>("tolerance");
    // The two decoders' IDCTs and colour conversions round differently by a level now and
    // then; cameras send 4:2:2 or 4:2:0.
    QTest::newRow("4:4:4") << int(TJSAMP_444) << 3;
    QTest::newRow("4:2:2") << int(TJSAMP_422) << 3;
    QTest::newRow("4:2:0") << int(TJSAMP_420) << 3;
}

void TestFrameConverter::mjpegMatchesLibavcodec()
{
    QFETCH(int, subsampling);
    QFETCH(int, tolerance);
    const tesk::Frame jpeg = jpegOf(smoothPicture(), subsampling);
    QVERIFY(jpeg.dataSize() > 0);
    tesk::FrameConverter converter;
    const QImage ours = convert(converter, jpeg.data(), jpeg.dataSize(), tesk::Frame::MJPEG, 0);
    QVERIFY(!ours.isNull());
    const QImage theirs = libavcodecJpeg(jpeg);
    QCOMPARE(theirs.size(), ours.size());
    const int difference = maxChannelDifference(ours, theirs);
    QVERIFY2(difference <= tolerance, qPrintable(QString("max channel difference %1").arg(difference)));
    const int over = pixelsDifferingMoreThan(ours, theirs, 2);
    QVERIFY2(over <= kWidth * kHeight / 1000, qPrintable(QString("%1 pixels differ by more than 2").arg(over)));
    // And the decoder stays usable, frame after frame.
    QCOMPARE(maxChannelDifference(convert(converter, jpeg.data(), jpeg.dataSize(), tesk::Frame::MJPEG, 0), ours), 0);
}

void TestFrameConverter::flipAndMirror_data()
{
    QTest::addColumn<tesk::Frame::Format>("format");
    QTest::newRow("RGB24") << tesk::Frame::RGB;
    QTest::newRow("YUYV") << tesk::Frame::YUY2;
    QTest::newRow("MJPEG") << tesk::Frame::MJPEG;
}

void TestFrameConverter::flipAndMirror()
{
    QFETCH(tesk::Frame::Format, format);
    Source source = makeSource(format, 0);
    if (format == tesk::Frame::MJPEG) {
        const QImage picture = smoothPicture();
        tesk::Frame jpeg;
        tesk::encodeJpeg(picture.constBits(), kWidth, kHeight, 92, &jpeg);
        source.bytes.assign(jpeg.data(), jpeg.data() + jpeg.dataSize());
    }
    tesk::FrameConverter converter;
    const QImage upright = convert(converter, source.bytes.data(), source.bytes.size(), format, source.stride);
    QVERIFY(!upright.isNull());
    for (const bool flip : {false, true}) {
        for (const bool mirror : {false, true}) {
            const QImage turned =
                convert(converter, source.bytes.data(), source.bytes.size(), format, source.stride, flip, mirror);
            QVERIFY(!turned.isNull());
            const QImage expected = upright.mirrored(mirror, flip);
            // A JPEG decoded bottom-up rounds its upsampled chroma from the other side.
            QVERIFY2(maxChannelDifference(turned, expected) <= (format == tesk::Frame::MJPEG ? 2 : 0),
                     qPrintable(QString("flip %1 mirror %2").arg(flip).arg(mirror)));
        }
    }
}

void TestFrameConverter::damagedFramesAreRefused()
{
    tesk::FrameConverter converter;
    QImage out(kWidth, kHeight, QImage::Format_RGB32);
    for (const tesk::Frame::Format format :
         {tesk::Frame::YUY2, tesk::Frame::NV12, tesk::Frame::Mono16, tesk::Frame::BGR}) {
        const Source source = makeSource(format, 0);
        QCOMPARE(converter.toRgb32(source.bytes.data(), source.bytes.size() - 1, format, kWidth, kHeight, 0, false,
                                   false, out.bits()),
                 int(tesk::ErrorFileFormat));
    }
    const QImage picture = smoothPicture();
    tesk::Frame jpeg;
    tesk::encodeJpeg(picture.constBits(), kWidth, kHeight, 92, &jpeg);
    std::vector<uint8_t> bytes(jpeg.data(), jpeg.data() + jpeg.dataSize());
    const auto decode = [&](const std::vector<uint8_t>& data, int width, int height) {
        return converter.toRgb32(data.data(), data.size(), tesk::Frame::MJPEG, width, height, 0, false, false,
                                 out.bits());
    };
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
    QCOMPARE(decode(bytes, kWidth, kHeight), int(tesk::Ok));
    QCOMPARE(decode(cut, kWidth, kHeight), int(tesk::ErrorFileFormat));
    // The decoder takes the next whole picture after one cut short.
    QCOMPARE(decode(bytes, kWidth, kHeight), int(tesk::Ok));
    QCOMPARE(decode(cut, kWidth, kHeight), int(tesk::ErrorFileFormat));
    QCOMPARE(decode(std::vector<uint8_t>(4096, 0xff), kWidth, kHeight), int(tesk::ErrorFileFormat));
    QCOMPARE(converter.toRgb32(bytes.data(), 0, tesk::Frame::MJPEG, kWidth, kHeight, 0, false, false, out.bits()),
             int(tesk::ErrorFileFormat));
    // A JPEG of another size than the stream's would overrun the picture.
    QCOMPARE(decode(bytes, 320, 240), int(tesk::ErrorFileFormat));
    QCOMPARE(decode(bytes, kWidth, kHeight), int(tesk::Ok));

    QCOMPARE(converter.toRgb32(bytes.data(), bytes.size(), tesk::Frame::BayerRG8, kWidth, kHeight, 0, false, false,
                               out.bits()),
             int(tesk::ErrorNotSupported));
    QVERIFY(!tesk::FrameConverter::canConvert(tesk::Frame::H264));
}

QUARNEL_TEST_MAIN(TestFrameConverter)
#include "tst_frameconverter.moc"
