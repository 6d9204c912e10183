#include "testmain.h"

#include <app/recorderslot.h>

#include <tesk/videorecorder.h>

#include <atomic>
#include <thread>

namespace {

/// Counts frames and notices any use after it was withdrawn.
class CountingRecorder final : public tesk::VideoRecorder
{
public:
    int start(const std::string&, int, int, double, int, int, int, int, int) override { return 0; }
    int encodeVideo(const tesk::Frame*, long long) override
    {
        if (withdrawn.load()) {
            usedAfterWithdrawal = true;
        }
        std::this_thread::yield(); // widen the window a late withdrawal would hit
        ++frames;
        return 0;
    }
    void pause(bool) override {}
    bool isPaused() const override { return false; }
    bool isStarted() const override { return true; }
    int stop() override { return 0; }

    std::atomic<bool> withdrawn{false};
    std::atomic<bool> usedAfterWithdrawal{false};
    std::atomic<int> frames{0};
};

} // namespace

class TestRecorderSlot final : public QObject
{
    Q_OBJECT

private slots:
    void neverUsedAfterWithdrawal();
};

void TestRecorderSlot::neverUsedAfterWithdrawal()
{
    RecorderSlot slot;
    QVERIFY(!slot.isPublished());
    QCOMPARE(slot.withdraw(), nullptr);

    std::atomic<bool> running{true};
    std::thread capture([&] {
        while (running) {
            slot.with([](tesk::VideoRecorder* recorder) { recorder->encodeVideo(nullptr, 0); });
        }
    });
    int total = 0;
    for (int round = 0; round < 300; ++round) {
        auto* recorder = new CountingRecorder;
        slot.publish(recorder);
        QVERIFY(slot.isPublished());
        while (recorder->frames.load() < 3) {
            std::this_thread::yield();
        }
        QCOMPARE(slot.withdraw(), recorder);
        recorder->withdrawn = true;
        // Give a wrongly late callback every chance to show up.
        std::this_thread::yield();
        QVERIFY(!recorder->usedAfterWithdrawal.load());
        total += recorder->frames.load();
        delete recorder; // what the window does after stopping it
    }
    running = false;
    capture.join();
    QVERIFY(total >= 900);
}

QUARNEL_TEST_MAIN(TestRecorderSlot)
#include "tst_recorderslot.moc"
