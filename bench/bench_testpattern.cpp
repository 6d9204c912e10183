// What one emulated frame costs: the moving chart with every property applied, its focus
// value and a JPEG grab, measured against a plain copy of a frame of the same size.

#include "ratioreporter.h"

#include "jpegcodec.h"
#include "testpattern.h"

#include <cstring>
#include <vector>

namespace {

void copyFrame(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(state.range(0)) * state.range(1) * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// Every frame with another look: the whole picture is drawn.
void renderFrame(benchmark::State& state)
{
    const int width = int(state.range(0)), height = int(state.range(1));
    std::vector<uint8_t> out(std::size_t(width) * height * 4);
    tesk::TestPattern pattern;
    tesk::PatternLook look;
    look.brightness = 10;
    look.saturation = 1.2; // the slowest path: every adjustment on
    look.mirror = true;
    long long frame = 0;
    for (auto _ : state) {
        look.brightness = double(frame % 2);
        pattern.render(width, height, frame++, look, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
}

// A camera left alone: only the moving object's rows are drawn again.
void renderSteadyFrame(benchmark::State& state)
{
    const int width = int(state.range(0)), height = int(state.range(1));
    std::vector<uint8_t> out(std::size_t(width) * height * 4);
    tesk::TestPattern pattern;
    const tesk::PatternLook look;
    long long frame = 0;
    for (auto _ : state) {
        pattern.render(width, height, frame++, look, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}

void focusValue(benchmark::State& state)
{
    const int width = int(state.range(0)), height = int(state.range(1));
    std::vector<uint8_t> out(std::size_t(width) * height * 4);
    tesk::TestPattern().render(width, height, 0, {}, out.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(tesk::TestPattern::focusValue(out.data(), width, height));
    }
}

void encodeJpeg(benchmark::State& state)
{
    const int width = int(state.range(0)), height = int(state.range(1));
    std::vector<uint8_t> rgb(std::size_t(width) * height * 4);
    tesk::TestPattern().render(width, height, 0, {}, rgb.data());
    tesk::Frame jpeg;
    for (auto _ : state) {
        tesk::encodeJpeg(rgb.data(), width, height, 92, &jpeg);
        benchmark::DoNotOptimize(jpeg.data());
    }
}

} // namespace

BENCHMARK(copyFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(renderFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(renderSteadyFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(focusValue)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(encodeJpeg)->Args({3840, 2160})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter({{"renderFrame/1920/1080", "copyFrame/1920/1080"},
                            {"renderFrame/3840/2160", "copyFrame/3840/2160"},
                            {"renderSteadyFrame/1920/1080", "copyFrame/1920/1080"},
                            {"renderSteadyFrame/3840/2160", "copyFrame/3840/2160"},
                            {"focusValue/1920/1080", "copyFrame/1920/1080"},
                            {"encodeJpeg/3840/2160", "copyFrame/3840/2160"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
