#include "mp4recorder.h"
#include "nettesthelpers.h"
#include "testmain.h"
#include "testpattern.h"

#include <tesk/errors.h>
#include <tesk/videorecorder.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr long long kPeriodUs = 33333; // 30 fps

// Emulated camera frames, with the synthetic time stamps of a 30 fps camera.
class FrameSource final
{
public:
    FrameSource(int width, int height) : m_width(width), m_height(height), m_pixels(std::size_t(width) * height * 4) {}

    tesk::Frame next()
    {
        m_pattern.render(m_width, m_height, m_number++, {}, m_pixels.data());
        return tesk::Frame(m_pixels.data(), m_pixels.size(), tesk::Frame::RGB32, m_width, m_height);
    }

private:
    int m_width;
    int m_height;
    tesk::TestPattern m_pattern;
    long long m_number = 0;
    std::vector<uint8_t> m_pixels;
};

// Feeds `count` frames stamped from `firstTs`, faster than real time. A frame the full queue
// drops is offered again after a moment (and counted in `dropped`), so every time stamp ends
// up in the video whatever the machine's load. Returns the frames accepted.
int feed(tesk::Mp4Recorder& recorder, FrameSource& source, int count, long long firstTs, int* dropped = nullptr)
{
    int accepted = 0;
    for (int i = 0; i < count; ++i) {
        const tesk::Frame frame = source.next();
        for (int attempt = 0; attempt < 500; ++attempt) {
            const int result = recorder.encodeVideo(&frame, firstTs + i * kPeriodUs);
            if (result == tesk::Ok) {
                ++accepted;
            }
            if (result != tesk::ErrorFrameDropped) {
                break;
            }
            if (dropped) {
                ++*dropped;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    return accepted;
}

int start(tesk::VideoRecorder& recorder, const QString& path, int width, int height, double fps = 30.0)
{
    return recorder.start(path.toStdString(), width, height, fps, 2000000, 2, 44100, 16, 1);
}

QString describe(const QJsonObject& probe, const QString& errors)
{
    return QString::fromUtf8(QJsonDocument(probe).toJson(QJsonDocument::Compact)) + QLatin1Char(' ') + errors;
}

} // namespace

class TestMp4Recorder final : public QObject
{
    Q_OBJECT

private slots:
    void fiveSecondsOf1080p();
    void pauseIsCutOut();
    void otherSizesAndFallbackEncoder();
    void fullQueueDropsInsteadOfWaiting();
    void refusals();
    void killedRecordingStaysPlayable();
    void writeErrorStopsCleanly();

private:
    QTemporaryDir m_dir;
};

void TestMp4Recorder::fiveSecondsOf1080p()
{
    std::unique_ptr<tesk::VideoRecorder> base(tesk::VideoRecorderFactory::getInstance(0));
    QVERIFY(base);
    QVERIFY(!tesk::VideoRecorderFactory::getInstance(1));
    auto& recorder = dynamic_cast<tesk::Mp4Recorder&>(*base);
    const QString path = m_dir.filePath(QStringLiteral("full-hd.mp4"));
    QCOMPARE(start(recorder, path, 1920, 1080), int(tesk::Ok));
    QVERIFY(recorder.isStarted());
    QVERIFY(!recorder.isPaused());
    QCOMPARE(recorder.encoderName(), std::string("libx264"));

    FrameSource source(1920, 1080);
    int dropped = 0;
    const int accepted = feed(recorder, source, 150, 1000000000LL, &dropped);
    QCOMPARE(recorder.stop(), int(tesk::Ok));
    QVERIFY(!recorder.isStarted());
    QCOMPARE(recorder.droppedFrames(), (long long)dropped);
    QCOMPARE(recorder.encodedFrames(), (long long)accepted);
    QCOMPARE(accepted, 150);

    QString errors;
    const QJsonObject probe = probeVideo(path, &errors);
    QVERIFY2(!probe.isEmpty(), qPrintable(errors));
    QCOMPARE(probe.value(QStringLiteral("codec_name")).toString(), QStringLiteral("h264"));
    QCOMPARE(probe.value(QStringLiteral("pix_fmt")).toString(), QStringLiteral("yuv420p"));
    QCOMPARE(probe.value(QStringLiteral("width")).toInt(), 1920);
    QCOMPARE(probe.value(QStringLiteral("height")).toInt(), 1080);
    QCOMPARE(probe.value(QStringLiteral("frames")).toInt(), accepted);
    const double duration = probe.value(QStringLiteral("duration")).toDouble();
    QVERIFY2(duration > 4.5 && duration < 5.5, qPrintable(describe(probe, errors)));

    QCOMPARE(recorder.stop(), int(tesk::Ok)); // again: nothing happens
    const tesk::Frame late = source.next();
    QCOMPARE(recorder.encodeVideo(&late, 0), int(tesk::ErrorNotOpened));
}

void TestMp4Recorder::pauseIsCutOut()
{
    tesk::Mp4Recorder recorder;
    const QString path = m_dir.filePath(QStringLiteral("paused.mp4"));
    QCOMPARE(start(recorder, path, 640, 480), int(tesk::Ok));
    FrameSource source(640, 480);
    int accepted = feed(recorder, source, 60, 0);
    recorder.pause(true);
    QVERIFY(recorder.isPaused());
    QVERIFY(recorder.isStarted());
    // The camera goes on delivering while paused: two seconds of frames, none recorded.
    QCOMPARE(feed(recorder, source, 60, 60 * kPeriodUs), 60);
    recorder.pause(false);
    accepted += feed(recorder, source, 60, 120 * kPeriodUs);
    QCOMPARE(recorder.stop(), int(tesk::Ok));
    QCOMPARE(recorder.encodedFrames(), (long long)accepted);

    QString errors;
    const QJsonObject probe = probeVideo(path, &errors);
    QVERIFY2(!probe.isEmpty(), qPrintable(errors));
    QCOMPARE(probe.value(QStringLiteral("frames")).toInt(), accepted);
    const double duration = probe.value(QStringLiteral("duration")).toDouble();
    QVERIFY2(duration > 3.6 && duration < 4.4, qPrintable(describe(probe, errors)));
}

void TestMp4Recorder::otherSizesAndFallbackEncoder()
{
    qputenv("TESK_RECORDER_ENCODER", "no-such-encoder");
    tesk::Mp4Recorder recorder;
    const QString path = m_dir.filePath(QStringLiteral("sizes.mp4"));
    // An odd size is rounded down to what 4:2:0 video can hold.
    const int started = start(recorder, path, 641, 481, 25.0);
    qunsetenv("TESK_RECORDER_ENCODER");
    QCOMPARE(started, int(tesk::Ok));
    QCOMPARE(recorder.encoderName(), std::string("mpeg4"));
    // The camera's size changes during the recording: the video keeps its size.
    FrameSource small(320, 240), large(800, 600), same(640, 480);
    int accepted = feed(recorder, small, 20, 0);
    accepted += feed(recorder, large, 20, 20 * kPeriodUs);
    accepted += feed(recorder, same, 20, 40 * kPeriodUs);
    QCOMPARE(recorder.stop(), int(tesk::Ok));

    QString errors;
    const QJsonObject probe = probeVideo(path, &errors);
    QVERIFY2(!probe.isEmpty(), qPrintable(errors));
    QCOMPARE(probe.value(QStringLiteral("codec_name")).toString(), QStringLiteral("mpeg4"));
    QCOMPARE(probe.value(QStringLiteral("width")).toInt(), 640);
    QCOMPARE(probe.value(QStringLiteral("height")).toInt(), 480);
    QCOMPARE(probe.value(QStringLiteral("frames")).toInt(), accepted);
}

void TestMp4Recorder::fullQueueDropsInsteadOfWaiting()
{
    tesk::Mp4Recorder recorder;
    QCOMPARE(start(recorder, m_dir.filePath(QStringLiteral("flood.mp4")), 1920, 1080), int(tesk::Ok));
    // One frame, offered again and again with no pause: far faster than any encoder.
    FrameSource source(1920, 1080);
    const tesk::Frame frame = source.next(); // wraps the source's pixels
    int dropped = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 200; ++i) {
        dropped += recorder.encodeVideo(&frame, i * kPeriodUs) == tesk::ErrorFrameDropped;
    }
    const qint64 feeding = timer.elapsed();
    QVERIFY2(dropped > 0, "the queue is unbounded");
    QCOMPARE(recorder.droppedFrames(), (long long)dropped);
    // 200 copies of 8 MB take well under a second; an encoder would take many.
    QVERIFY2(feeding < 4000, qPrintable(QString::number(feeding)));
    QCOMPARE(recorder.stop(), int(tesk::Ok));
    QCOMPARE(recorder.encodedFrames(), 200LL - dropped);
}

void TestMp4Recorder::refusals()
{
    tesk::Mp4Recorder recorder;
    FrameSource source(64, 48);
    const tesk::Frame frame = source.next();  // wraps the source's pixels
    QCOMPARE(recorder.stop(), int(tesk::Ok)); // never started
    QCOMPARE(recorder.encodeVideo(&frame, 0), int(tesk::ErrorNotOpened));
    QCOMPARE(recorder.encodeVideo(nullptr, 0), int(tesk::ErrorInvalidArgument));
    QCOMPARE(start(recorder, QString(), 640, 480), int(tesk::ErrorInvalidArgument));
    QCOMPARE(start(recorder, m_dir.filePath(QStringLiteral("x.mp4")), 0, 480), int(tesk::ErrorInvalidArgument));
    const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/x.mp4"));
    QCOMPARE(start(recorder, missing, 640, 480), int(tesk::ErrorFileNotFound));
    QVERIFY(!recorder.isStarted());
    QVERIFY(!QFileInfo::exists(missing));

    // A rate the camera has not measured yet still records; a frame of an unknown format is
    // refused without ending the recording.
    const QString path = m_dir.filePath(QStringLiteral("norate.mp4"));
    QCOMPARE(recorder.start(path.toStdString(), 64, 48, 0.0, 0, 0, 0, 0, 0), int(tesk::Ok));
    const tesk::Frame compressed(frame.data(), 100, tesk::Frame::MJPEG, 64, 48);
    QCOMPARE(recorder.encodeVideo(&compressed, 0), int(tesk::ErrorNotSupported));
    const tesk::Frame truncated(frame.data(), frame.dataSize() / 2, tesk::Frame::RGB32, 64, 48);
    QCOMPARE(recorder.encodeVideo(&truncated, 0), int(tesk::ErrorInvalidArgument));
    QCOMPARE(recorder.encodeVideo(&frame, 0), int(tesk::Ok));
    QCOMPARE(recorder.encodeVideo(&frame, kPeriodUs), int(tesk::Ok));
    QVERIFY(recorder.isStarted());
    QCOMPARE(recorder.stop(), int(tesk::Ok));
    QCOMPARE(probeVideo(path).value(QStringLiteral("frames")).toInt(), 2);
}

void TestMp4Recorder::killedRecordingStaysPlayable()
{
    const QString path = m_dir.filePath(QStringLiteral("killed.mp4"));
    QProcess child;
    child.start(QStringLiteral(RECORDER_CHILD), {QStringLiteral("kill"), path});
    QVERIFY(child.waitForStarted(5000));
    // Four seconds of frames, then the process dies mid-recording without a word.
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    while (!output.contains("frames 120\n") && timer.elapsed() < 30000 && child.state() == QProcess::Running) {
        child.waitForReadyRead(200);
        output += child.readAllStandardOutput();
    }
    QVERIFY2(output.contains("frames 120\n"), output.constData());
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(5000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QString errors;
    const QJsonObject probe = probeVideo(path, &errors);
    QVERIFY2(!probe.isEmpty(), qPrintable(errors));
    QCOMPARE(probe.value(QStringLiteral("codec_name")).toString(), QStringLiteral("h264"));
    QCOMPARE(probe.value(QStringLiteral("width")).toInt(), 1280);
    const int frames = probe.value(QStringLiteral("frames")).toInt();
    QVERIFY2(frames >= 60, qPrintable(describe(probe, errors)));
    QVERIFY2(frames <= 30 * 6, qPrintable(describe(probe, errors)));
}

void TestMp4Recorder::writeErrorStopsCleanly()
{
    const QString path = m_dir.filePath(QStringLiteral("full.mp4"));
    QProcess child;
    child.start(QStringLiteral(RECORDER_CHILD), {QStringLiteral("fsize"), path, QStringLiteral("600000")});
    QVERIFY(child.waitForStarted(5000));
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("stopped itself 1, stop() 12"), output.constData()); // ErrorIo
    QVERIFY2(output.contains("stop again 0, started 0"), output.constData());
    QVERIFY2(output.contains("writing failed"), output.constData());

    // What was written before the disk filled up plays: at least the first whole fragment,
    // one second of video.
    QString errors;
    const QJsonObject probe = probeVideo(path, &errors);
    QVERIFY2(!probe.isEmpty(), qPrintable(errors));
    QVERIFY2(probe.value(QStringLiteral("frames")).toInt() >= 30, qPrintable(describe(probe, errors)));
    QVERIFY(QFileInfo(path).size() <= 600000);
}

QUARNEL_TEST_MAIN(TestMp4Recorder)
#include "tst_mp4recorder.moc"
