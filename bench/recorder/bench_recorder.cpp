// The MP4 recorder at 1920x1080: how fast it encodes, against the ffmpeg command line
// encoding the same frames with the same settings (libx264 veryfast, yuv420p, 2 Mbit/s,
// fragmented MP4), and how many frames it drops when a 30 fps camera feeds it in real time.
//
// The printed ratio "ffmpegCommandLine / recorderEncode" is our throughput relative to
// ffmpeg's (time of ffmpeg divided by ours): 1.0 is as fast, above 1 faster.

#include "ratioreporter.h"

#include "mp4recorder.h"
#include "testpattern.h"

#include <tesk/errors.h>
#include <tesk/log.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr long long kPeriodUs = 33333;
constexpr int kDistinctFrames = 16; // cycled: 128 MB of pictures is plenty

// Emulated camera pictures, rendered once so rendering is not measured.
const std::vector<std::vector<uint8_t>>& frames()
{
    static const std::vector<std::vector<uint8_t>> pictures = []() {
        std::vector<std::vector<uint8_t>> list(kDistinctFrames);
        tesk::TestPattern pattern;
        for (int i = 0; i < kDistinctFrames; ++i) {
            list[std::size_t(i)].resize(std::size_t(kWidth) * kHeight * 4);
            pattern.render(kWidth, kHeight, i, {}, list[std::size_t(i)].data());
        }
        return list;
    }();
    return pictures;
}

std::string outputPath(const char* name)
{
    static const std::string dir = []() {
        char pattern[] = "/tmp/bench-recorder-XXXXXX";
        if (!mkdtemp(pattern)) {
            throw std::runtime_error("no temporary folder");
        }
        return std::string(pattern);
    }();
    return dir + "/" + name;
}

tesk::Frame frameAt(long long n)
{
    const auto& bytes = frames()[std::size_t(n % kDistinctFrames)];
    return tesk::Frame(bytes.data(), bytes.size(), tesk::Frame::RGB32, kWidth, kHeight);
}

// Every frame encoded: a frame the full queue refuses is offered again, as fast as the
// encoder takes them.
void recorderEncode(benchmark::State& state)
{
    const long long count = state.range(0);
    const std::string path = outputPath("ours.mp4");
    for (auto _ : state) {
        tesk::Mp4Recorder recorder;
        if (recorder.start(path, kWidth, kHeight, 30.0, 2000000, 2, 44100, 16, 1) != tesk::Ok) {
            state.SkipWithError("recorder did not start");
            return;
        }
        for (long long n = 0; n < count; ++n) {
            const tesk::Frame frame = frameAt(n);
            while (recorder.encodeVideo(&frame, n * kPeriodUs) == tesk::ErrorFrameDropped) {
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        }
        recorder.stop();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The same frames piped to the ffmpeg command line, which converts with swscale and
// encodes with libx264 just as the recorder does.
void ffmpegCommandLine(benchmark::State& state)
{
    const long long count = state.range(0);
    const std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt bgr0 -s " + std::to_string(kWidth) + "x" +
                                std::to_string(kHeight) +
                                " -r 30 -i - -c:v libx264 -preset veryfast -pix_fmt yuv420p -b:v 2000000 -g 30"
                                " -movflags frag_keyframe+empty_moov+default_base_moof " +
                                outputPath("ffmpeg.mp4");
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "w");
        if (!pipe) {
            state.SkipWithError("ffmpeg did not start");
            return;
        }
        for (long long n = 0; n < count; ++n) {
            const auto& bytes = frames()[std::size_t(n % kDistinctFrames)];
            if (std::fwrite(bytes.data(), 1, bytes.size(), pipe) != bytes.size()) {
                break;
            }
        }
        if (pclose(pipe) != 0) {
            state.SkipWithError("ffmpeg failed (is the ffmpeg package installed?)");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// A 30 fps camera for `seconds`, in real time: the frames the recorder had to drop.
void realtime1080p30(benchmark::State& state)
{
    const long long count = state.range(0) * 30;
    const std::string path = outputPath("realtime.mp4");
    long long dropped = 0;
    for (auto _ : state) {
        tesk::Mp4Recorder recorder;
        if (recorder.start(path, kWidth, kHeight, 30.0, 2000000, 2, 44100, 16, 1) != tesk::Ok) {
            state.SkipWithError("recorder did not start");
            return;
        }
        const auto begin = std::chrono::steady_clock::now();
        for (long long n = 0; n < count; ++n) {
            const tesk::Frame frame = frameAt(n);
            recorder.encodeVideo(&frame, n * kPeriodUs);
            std::this_thread::sleep_until(begin + std::chrono::microseconds((n + 1) * kPeriodUs));
        }
        recorder.stop();
        dropped += recorder.droppedFrames();
    }
    state.counters["dropped"] = benchmark::Counter(double(dropped), benchmark::Counter::kAvgIterations);
    state.counters["fed"] = double(count);
}

} // namespace

// Wall-clock time: both encode on threads (and ffmpeg in another process).
BENCHMARK(recorderEncode)->Arg(8)->Arg(150)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ffmpegCommandLine)->Arg(8)->Arg(150)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(realtime1080p30)->Arg(60)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    tesk::setLogHandler([](tesk::LogLevel level, const std::string& message) {
        if (level == tesk::LogLevel::Warning) {
            std::fprintf(stderr, "tesk: %s\n", message.c_str());
        }
    });
    RatioReporter reporter({{"ffmpegCommandLine/150/real_time", "recorderEncode/150/real_time"},
                            {"ffmpegCommandLine/8/real_time", "recorderEncode/8/real_time"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
