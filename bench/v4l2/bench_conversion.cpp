// What turning one USB camera frame into 32-bit RGB costs: YUYV and MJPEG at 1080p and 4K,
// ours against swscale and libavcodec's MJPEG decoder, a plain copy of the output, and the
// bare TurboJPEG decode our MJPEG path is built on.

#include "ratioreporter.h"

#include "testpattern.h"
#include "v4l2/frameconverter.h"

#include <libyuv.h>
#include <turbojpeg.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

/// A camera-like picture in the formats a UVC camera sends.
struct Input
{
    int width = 0, height = 0;
    std::vector<uint8_t> yuyv;
    std::vector<uint8_t> jpeg; // 4:2:2, like most UVC cameras

    Input(int w, int h) : width(w), height(h)
    {
        std::vector<uint8_t> rgb(std::size_t(w) * h * 4);
        tesk::TestPattern().render(w, h, 0, {}, rgb.data());
        yuyv.resize(std::size_t(w) * h * 2);
        libyuv::ARGBToYUY2(rgb.data(), w * 4, yuyv.data(), w * 2, w, h);
        tjhandle handle = tjInitCompress();
        unsigned char* bytes = nullptr;
        unsigned long size = 0;
        if (tjCompress2(handle, rgb.data(), w, w * 4, h, TJPF_BGRX, &bytes, &size, TJSAMP_422, 85, 0) != 0) {
            throw std::runtime_error("cannot encode the benchmark picture");
        }
        jpeg.assign(bytes, bytes + size);
        tjFree(bytes);
        tjDestroy(handle);
    }
};

const Input& input(int width, int height)
{
    static const Input hd(1920, 1080);
    static const Input uhd(3840, 2160);
    return width == 1920 && height == 1080 ? hd : uhd;
}

void copyOutput(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(state.range(0)) * state.range(1) * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void oursYuyv(benchmark::State& state)
{
    const Input& in = input(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> out(std::size_t(in.width) * in.height * 4);
    tesk::FrameConverter converter;
    for (auto _ : state) {
        if (converter.toRgb32(in.yuyv.data(), in.yuyv.size(), tesk::Frame::YUY2, in.width, in.height, 0, false, false,
                              out.data()) != 0) {
            state.SkipWithError("conversion failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
}

void swscaleYuyv(benchmark::State& state)
{
    const Input& in = input(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> out(std::size_t(in.width) * in.height * 4);
    SwsContext* context = sws_getContext(in.width, in.height, AV_PIX_FMT_YUYV422, in.width, in.height, AV_PIX_FMT_BGRA,
                                         SWS_BILINEAR, nullptr, nullptr, nullptr);
    const uint8_t* source[4] = {in.yuyv.data(), nullptr, nullptr, nullptr};
    const int sourceStride[4] = {in.width * 2, 0, 0, 0};
    uint8_t* destination[4] = {out.data(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {in.width * 4, 0, 0, 0};
    for (auto _ : state) {
        sws_scale(context, source, sourceStride, 0, in.height, destination, destinationStride);
        benchmark::DoNotOptimize(out.data());
    }
    sws_freeContext(context);
}

void oursMjpeg(benchmark::State& state)
{
    const Input& in = input(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> out(std::size_t(in.width) * in.height * 4);
    tesk::FrameConverter converter;
    for (auto _ : state) {
        if (converter.toRgb32(in.jpeg.data(), in.jpeg.size(), tesk::Frame::MJPEG, in.width, in.height, 0, false, false,
                              out.data()) != 0) {
            state.SkipWithError("decode failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
}

void bareTurboJpeg(benchmark::State& state)
{
    const Input& in = input(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> out(std::size_t(in.width) * in.height * 4);
    tjhandle handle = tjInitDecompress();
    for (auto _ : state) {
        tjDecompress2(handle, in.jpeg.data(), in.jpeg.size(), out.data(), in.width, in.width * 4, in.height, TJPF_BGRX,
                      0);
        benchmark::DoNotOptimize(out.data());
    }
    tjDestroy(handle);
}

void libavcodecMjpeg(benchmark::State& state)
{
    const Input& in = input(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> out(std::size_t(in.width) * in.height * 4);
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    if (avcodec_open2(context, codec, nullptr) != 0) {
        state.SkipWithError("no MJPEG decoder");
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::vector<uint8_t> padded(in.jpeg);
    padded.resize(padded.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    SwsContext* scaler = nullptr;
    uint8_t* destination[4] = {out.data(), nullptr, nullptr, nullptr};
    const int destinationStride[4] = {in.width * 4, 0, 0, 0};
    for (auto _ : state) {
        packet->data = padded.data();
        packet->size = int(in.jpeg.size());
        if (avcodec_send_packet(context, packet) != 0 || avcodec_receive_frame(context, frame) != 0) {
            state.SkipWithError("decode failed");
            break;
        }
        scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format), in.width,
                                      in.height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
        sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, destination, destinationStride);
        benchmark::DoNotOptimize(out.data());
    }
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
}

} // namespace

BENCHMARK(copyOutput)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(oursYuyv)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(swscaleYuyv)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(oursMjpeg)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(bareTurboJpeg)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(libavcodecMjpeg)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR); // swscale's note on the JPEG range, once per frame
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // swscale / ours and libavcodec / ours are speed-ups; ours / copy and ours / TurboJPEG
    // are overheads.
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const char* size : {"1920/1080", "3840/2160"}) {
        const std::string s = size;
        pairs.push_back({"swscaleYuyv/" + s, "oursYuyv/" + s});
        pairs.push_back({"oursYuyv/" + s, "copyOutput/" + s});
        pairs.push_back({"libavcodecMjpeg/" + s, "oursMjpeg/" + s});
        pairs.push_back({"oursMjpeg/" + s, "bareTurboJpeg/" + s});
    }
    RatioReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
