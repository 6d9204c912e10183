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
#include <map>

Q_DECLARE_METATYPE(tesk::Frame::Format)

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

int wave(int x, int y, double fx, double fy)
{
    return int(std::lround(255 * (0.5 + 0.25 * std::sin(x * fx) + 0.25 * std::cos(y * fy))));
}

// Smooth gradients, so that the different chroma interpolations of two converters agree.
QImage smoothPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            image.setPixel(x, y, qRgb(wave(x, y, 0.011, 0.007), wave(x, y, 0.005, 0.013), wave(x, y, 0.009, 0.003)));
        }
    }
    return image;
}

/// A frame in a camera format, its planes laid out one after another as V4L2 delivers them.
struct Source
{
    std::vector<uint8_t> bytes;
    int stride = 0; // first plane
    const uint8_t* planes[4] = {};
    int strides[4] = {};
    AVPixelFormat avFormat = AV_PIX_FMT_NONE;
    bool fullRange = false; // V4L2 grey is full range
};

Source makeSource(tesk::Frame::Format format, int padding)
{
    static const std::map<tesk::Frame::Format, std::pair<AVPixelFormat, int>> formats = {
        {tesk::Frame::YUY2, {AV_PIX_FMT_YUYV422, 2}}, {tesk::Frame::UYVY, {AV_PIX_FMT_UYVY422, 2}},
        {tesk::Frame::NV12, {AV_PIX_FMT_NV12, 1}},    {tesk::Frame::YU12, {AV_PIX_FMT_YUV420P, 1}},
        {tesk::Frame::Mono8, {AV_PIX_FMT_GRAY8, 1}},  {tesk::Frame::Mono16, {AV_PIX_FMT_GRAY16LE, 2}},
        {tesk::Frame::RGB, {AV_PIX_FMT_RGB24, 3}},    {tesk::Frame::BGR, {AV_PIX_FMT_BGR24, 3}}};
    Source s;
    const auto found = formats.find(format);
    if (found == formats.end()) {
        return s;
    }
    s.avFormat = found->second.first;
    s.fullRange = format == tesk::Frame::Mono8 || format == tesk::Frame::Mono16;
    s.stride = kWidth * found->second.second + padding;
    s.bytes.assign(tesk::FrameConverter::frameBytes(format, s.stride, kHeight), 0);
    uint8_t* planes[4] = {s.bytes.data()};
    s.strides[0] = s.stride;
    uint8_t* const chroma = s.bytes.data() + std::size_t(s.stride) * kHeight;
    if (format == tesk::Frame::NV12) {
        planes[1] = chroma;
        s.strides[1] = s.stride;
    } else if (format == tesk::Frame::YU12) {
        planes[1] = chroma;
        planes[2] = chroma + std::size_t(s.stride / 2) * kHeight / 2;
        s.strides[1] = s.strides[2] = s.stride / 2;
    }
    const QImage picture = smoothPicture();
    SwsContext* context = sws_getContext(kWidth, kHeight, AV_PIX_FMT_BGRA, kWidth, kHeight, s.avFormat, SWS_POINT,
                                         nullptr, nullptr, nullptr);
    const uint8_t* from[4] = {picture.constBits()};
    const int fromStride[4] = {int(picture.bytesPerLine())};
    sws_scale(context, from, fromStride, 0, kHeight, planes, s.strides);
    sws_freeContext(context);
    std::copy(planes, planes + 4, s.planes);
    return s;
}

QImage swscaleToBgra(const uint8_t* const planes[4], const int strides[4], AVPixelFormat format, bool fullRange,
                     int width, int height)
{
    SwsContext* context = sws_getContext(width, height, format, width, height, AV_PIX_FMT_BGRA,
                                         SWS_POINT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
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
QImage libavcodecJpeg(const std::vector<uint8_t>& jpeg)
{
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->idct_algo = FF_IDCT_INT; // the integer IDCT of libjpeg
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    QImage image;
    std::vector<uint8_t> padded(jpeg);
    padded.resize(padded.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    packet->data = padded.data();
    packet->size = int(jpeg.size());
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

/// The largest difference of any channel, and the number of pixels differing by more than `limit`.
std::pair<int, int> difference(const QImage& a, const QImage& b, int limit = 255)
{
    int worst = 0, over = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = std::max({std::abs(qRed(ra[x]) - qRed(rb[x])), std::abs(qGreen(ra[x]) - qGreen(rb[x])),
                                    std::abs(qBlue(ra[x]) - qBlue(rb[x]))});
            worst = std::max(worst, d);
            over += d > limit;
        }
    }
    return {worst, over};
}

QImage convert(tesk::FrameConverter& converter, const std::vector<uint8_t>& data, tesk::Frame::Format format,
               int stride, bool flip = false, bool mirror = false)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const int r =
        converter.toRgb32(data.data(), data.size(), format, kWidth, kHeight, stride, flip, mirror, image.bits());
    return r == tesk::Ok ? image : QImage();
}

std::vector<uint8_t> jpegOf(const QImage& picture, int subsampling)
{
    tjhandle handle = tjInitCompress();
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> jpeg;
    if (tjCompress2(handle, picture.constBits(), picture.width(), int(picture.bytesPerLine()), picture.height(),
                    TJPF_BGRX, &bytes, &size, subsampling, 92, TJFLAG_ACCURATEDCT) == 0) {
        jpeg.assign(bytes, bytes + size);
    }
    tjFree(bytes);
    tjDestroy(handle);
    return jpeg;
}

std::vector<uint8_t> ownJpeg()
{
    const QImage picture = smoothPicture();
    tesk::Frame jpeg;
    tesk::encodeJpeg(picture.constBits(), kWidth, kHeight, 92, &jpeg);
    return std::vector<uint8_t>(jpeg.data(), jpeg.data() + jpeg.dataSize());
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
    const QImage ours = convert(converter, source.bytes, format, source.stride);
    QVERIFY(!ours.isNull());
    const QImage theirs =
        swscaleToBgra(source.planes, source.strides, source.avFormat, source.fullRange, kWidth, kHeight);
    QVERIFY(!theirs.isNull());
    const int worst = difference(ours, theirs).first;
    QVERIFY2(worst <= 2, qPrintable(QString("max channel difference %1").arg(worst)));
}

void TestFrameConverter::mjpegMatchesLibavcodec_data()
{
    // Cameras send 4:2:2 or 4:2:0.
    QTest::addColumn<int>("subsampling");
    QTest::newRow("4:4:4") << int(TJSAMP_444);
    QTest::newRow("4:2:2") << int(TJSAMP_422);
    QTest::newRow("4:2:0") << int(TJSAMP_420);
}

void TestFrameConverter::mjpegMatchesLibavcodec()
{
    QFETCH(int, subsampling);
    const std::vector<uint8_t> jpeg = jpegOf(smoothPicture(), subsampling);
    QVERIFY(!jpeg.empty());
    tesk::FrameConverter converter;
    const QImage ours = convert(converter, jpeg, tesk::Frame::MJPEG, 0);
    QVERIFY(!ours.isNull());
    const QImage theirs = libavcodecJpeg(jpeg);
    QCOMPARE(theirs.size(), ours.size());
    // The two decoders' IDCTs and colour conversions round differently by a level now and then.
    const auto [worst, over] = difference(ours, theirs, 2);
    QVERIFY2(worst <= 3, qPrintable(QString("max channel difference %1").arg(worst)));
    QVERIFY2(over <= kWidth * kHeight / 1000, qPrintable(QString("%1 pixels differ by more than 2").arg(over)));
    // And the decoder stays usable, frame after frame.
    QCOMPARE(difference(convert(converter, jpeg, tesk::Frame::MJPEG, 0), ours).first, 0);
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
        source.bytes = ownJpeg();
    }
    tesk::FrameConverter converter;
    const QImage upright = convert(converter, source.bytes, format, source.stride);
    QVERIFY(!upright.isNull());
    for (const bool flip : {false, true}) {
        for (const bool mirror : {false, true}) {
            const QImage turned = convert(converter, source.bytes, format, source.stride, flip, mirror);
            QVERIFY(!turned.isNull());
            // A JPEG decoded bottom-up rounds its upsampled chroma from the other side.
            QVERIFY2(difference(turned, upright.mirrored(mirror, flip)).first <= (format == tesk::Frame::MJPEG ? 2 : 0),
                     qPrintable(QString("flip %1 mirror %2").arg(flip).arg(mirror)));
        }
    }
}

void TestFrameConverter::damagedFramesAreRefused()
{
    tesk::FrameConverter converter;
    QImage out(kWidth, kHeight, QImage::Format_RGB32);
    const auto decode = [&](const std::vector<uint8_t>& data, tesk::Frame::Format format, std::size_t size,
                            int width = kWidth, int height = kHeight) {
        return converter.toRgb32(data.data(), size, format, width, height, 0, false, false, out.bits());
    };
    for (const tesk::Frame::Format format :
         {tesk::Frame::YUY2, tesk::Frame::NV12, tesk::Frame::Mono16, tesk::Frame::BGR}) {
        const Source source = makeSource(format, 0);
        QCOMPARE(decode(source.bytes, format, source.bytes.size() - 1), int(tesk::ErrorFileFormat));
    }
    const std::vector<uint8_t> jpeg = ownJpeg();
    const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2));
    const auto mjpeg = [&](const std::vector<uint8_t>& data, int width = kWidth, int height = kHeight) {
        return decode(data, tesk::Frame::MJPEG, data.size(), width, height);
    };
    QCOMPARE(mjpeg(jpeg), int(tesk::Ok));
    QCOMPARE(mjpeg(cut), int(tesk::ErrorFileFormat));
    // The decoder takes the next whole picture after one cut short.
    QCOMPARE(mjpeg(jpeg), int(tesk::Ok));
    QCOMPARE(mjpeg(cut), int(tesk::ErrorFileFormat));
    QCOMPARE(mjpeg(std::vector<uint8_t>(4096, 0xff)), int(tesk::ErrorFileFormat));
    QCOMPARE(decode(jpeg, tesk::Frame::MJPEG, 0), int(tesk::ErrorFileFormat));
    // A JPEG of another size than the stream's would overrun the picture.
    QCOMPARE(mjpeg(jpeg, 320, 240), int(tesk::ErrorFileFormat));
    QCOMPARE(mjpeg(jpeg), int(tesk::Ok));

    QCOMPARE(decode(jpeg, tesk::Frame::BayerRG8, jpeg.size()), int(tesk::ErrorNotSupported));
    QVERIFY(!tesk::FrameConverter::canConvert(tesk::Frame::H264));
}

QUARNEL_TEST_MAIN(TestFrameConverter)
#include "tst_frameconverter.moc"
