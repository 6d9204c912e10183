#pragma once

#include <tesk/videorecorder.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

namespace tesk {

/// Records frames to a fragmented MP4 file (H.264 by libx264, else MPEG-4 part 2), so that
/// a file cut off by a crash still plays up to its last fragment. encodeVideo() only copies
/// the frame into a bounded queue; an encoder thread of its own converts and encodes.
class Mp4Recorder final : public VideoRecorder
{
public:
    /// Frames that may wait for the encoder; a frame that finds the queue full is dropped.
    static constexpr int kQueueDepth = 12;

    Mp4Recorder();
    ~Mp4Recorder() override;

    /// 0 when recording has begun, else an error number. The audio values are accepted and
    /// ignored: there is no audio source. An odd width or height is rounded down to even.
    int start(const std::string& path, int width, int height, double fps, int bitRate, int audioChannels,
              int audioSampleRate, int audioSampleBits, int quality) override;
    /// 0 when queued (or skipped while paused), ErrorFrameDropped when the queue was full.
    int encodeVideo(const Frame* frame, long long timestampUs) override;
    void pause(bool pause) override;
    bool isPaused() const override;
    /// False after stop() and after a write error ended the recording.
    bool isStarted() const override;
    /// Encodes what is queued, finishes the file; 0, or the error that ended the recording.
    int stop() override;

    long long droppedFrames() const { return m_dropped.load(); }
    long long encodedFrames() const { return m_encoded.load(); }
    /// The encoder in use ("libx264" or "mpeg4"), empty before start().
    std::string encoderName() const;

private:
    struct Slot
    {
        std::vector<uint8_t> data;
        int format = 0; // AVPixelFormat
        int width = 0;
        int height = 0;
        long long ptsUs = 0;
    };

    int openOutput(const std::string& path, double fps, int bitRate);
    void closeOutput();
    void encoderLoop();
    bool encodeSlot(const Slot& slot);
    bool writePackets();
    void fail(const std::string& what, int averror);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Slot> m_slots;
    std::deque<int> m_free;
    std::deque<int> m_queued;
    bool m_stopRequested = false;
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_paused{false};
    std::atomic<long long> m_dropped{0};
    std::atomic<long long> m_encoded{0};
    int m_error = 0;

    // Timing, under m_mutex.
    long long m_firstTs = -1;
    long long m_lastTs = 0;
    long long m_cutUs = 0; // paused time taken out
    bool m_resumed = false;
    long long m_periodUs = 33333;

    // The encoder thread's, between start() and the end of stop().
    std::string m_path;
    std::string m_encoderName;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVStream* m_stream = nullptr;
    AVFrame* m_yuv = nullptr;
    AVPacket* m_packet = nullptr;
    SwsContext* m_sws = nullptr;
    int m_width = 0;
    int m_height = 0;
    long long m_lastPts = -1;    // codec time base
    long long m_lastKeyPts = -1; // codec time base
    long long m_keyIntervalPts = 0;
    bool m_failed = false;
    std::thread m_thread;
};

} // namespace tesk
