// A recording in a process of its own, for what a test cannot do to itself: being killed
// mid-recording, or running out of file space.
//
//   recorderchild kill <file>          records 1280x720 at 30 fps in real time, printing
//                                      "frames N" every 15 frames, until it is killed
//   recorderchild fsize <file> <bytes> records with files limited to <bytes>, until the
//                                      recorder stops itself; prints what happened
#include "testpattern.h"

#include <tesk/errors.h>
#include <tesk/frame.h>
#include <tesk/log.h>
#include <tesk/videorecorder.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr long long kPeriodUs = 33333;

int recordUntilKilled(tesk::VideoRecorder& recorder)
{
    const int width = 1280, height = 720;
    std::vector<uint8_t> pixels(std::size_t(width) * height * 4);
    tesk::TestPattern pattern;
    const auto begin = std::chrono::steady_clock::now();
    for (long long n = 0; n < 30 * 60; ++n) {
        pattern.render(width, height, n, {}, pixels.data());
        const tesk::Frame frame(pixels.data(), pixels.size(), tesk::Frame::RGB32, width, height);
        recorder.encodeVideo(&frame, n * kPeriodUs);
        if (n % 15 == 14) {
            std::printf("frames %lld\n", n + 1);
            std::fflush(stdout);
        }
        std::this_thread::sleep_until(begin + std::chrono::microseconds((n + 1) * kPeriodUs));
    }
    return 3; // nobody killed us
}

int recordUntilFull(tesk::VideoRecorder& recorder, long long limit)
{
    const int width = 640, height = 480;
    std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit then fails with EFBIG
    const rlimit size{rlim_t(limit), rlim_t(limit)};
    if (setrlimit(RLIMIT_FSIZE, &size) != 0) {
        std::printf("setrlimit failed\n");
        return 2;
    }
    std::vector<uint8_t> pixels(std::size_t(width) * height * 4);
    tesk::TestPattern pattern;
    long long fed = 0;
    for (long long n = 0; n < 30 * 120 && recorder.isStarted(); ++n) {
        // A little noise keeps the encoder busy, so the limit is reached within seconds.
        pattern.render(width, height, n, {}, pixels.data());
        for (std::size_t i = std::size_t(n % 7); i < pixels.size(); i += 211) {
            pixels[i] = uint8_t(std::rand());
        }
        const tesk::Frame frame(pixels.data(), pixels.size(), tesk::Frame::RGB32, width, height);
        if (recorder.encodeVideo(&frame, n * kPeriodUs) == tesk::Ok) {
            ++fed;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool stoppedItself = !recorder.isStarted();
    std::printf("fed %lld, stopped itself %d, stop() %d\n", fed, int(stoppedItself), recorder.stop());
    std::printf("stop again %d, started %d\n", recorder.stop(), int(recorder.isStarted()));
    return stoppedItself ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: recorderchild kill|fsize <file> [bytes]\n");
        return 64;
    }
    tesk::setLogHandler([](tesk::LogLevel, const std::string& message) {
        std::printf("log: %s\n", message.c_str());
        std::fflush(stdout);
    });
    const std::string mode = argv[1];
    const std::string path = argv[2];
    std::unique_ptr<tesk::VideoRecorder> recorder(tesk::VideoRecorderFactory::getInstance(0));
    if (mode == "kill") {
        if (recorder->start(path, 1280, 720, 30.0, 2000000, 2, 44100, 16, 1) != tesk::Ok) {
            return 4;
        }
        return recordUntilKilled(*recorder);
    }
    if (mode == "fsize" && argc == 4) {
        if (recorder->start(path, 640, 480, 30.0, 2000000, 2, 44100, 16, 1) != tesk::Ok) {
            return 4;
        }
        return recordUntilFull(*recorder, std::atoll(argv[3]));
    }
    return 64;
}
