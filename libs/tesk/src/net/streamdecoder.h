#pragma once

#include "avsupport.h"

#include <tesk/frame.h>
#include <tesk/size.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace tesk {

/// Reads one video source through FFmpeg (RTSP, HTTP, a file), decodes it and converts each
/// picture to 32-bit RGB. Blocking calls are bounded by the timeout; abortAfter() may be
/// called from another thread to cut a blocking read short. Otherwise used by one thread at
/// a time.
class StreamDecoder final
{
public:
    struct Options
    {
        std::string url;
        bool rtspOverUdp = false;
        std::chrono::milliseconds timeout{5000};
    };

    StreamDecoder();
    ~StreamDecoder();
    StreamDecoder(const StreamDecoder&) = delete;
    StreamDecoder& operator=(const StreamDecoder&) = delete;

    /// Connects, finds the video and decodes its first picture, all within the timeout.
    int open(const Options& options);
    void close();
    bool isOpen() const { return m_format != nullptr; }
    bool isLocalFile() const { return m_localFile; }

    /// Decodes the next picture into rgb(); Ok, ErrorEndOfStream at the end of the source, or
    /// the error that ended reading. The first call returns the picture open() decoded.
    int readPicture(bool flip, bool mirror);
    const uint8_t* rgb() const { return m_rgb.data(); }
    std::size_t rgbSize() const { return m_rgb.size(); }
    /// Presentation time of the last picture in microseconds, or -1 when the source has none.
    long long pictureTimeUs() const { return m_pictureTimeUs; }

    Size size() const { return m_size; }
    /// The rate the source announces, 0 when it announces none.
    double nominalFrameRate() const { return m_nominalRate; }
    Frame::Format sourceFormat() const { return m_sourceFormat; }

    /// Pauses or resumes a live source where the protocol allows (RTSP); harmless otherwise.
    void pause();
    void play();

    void abortAfter(std::chrono::milliseconds grace) { m_deadline.abortAfter(grace); }
    void clearAbort() { m_deadline.clearAbort(); }
    /// True when the last read was cut short by abortAfter(); the connection may then be in
    /// the middle of a message and should be opened again.
    bool wasAborted() const { return m_wasAborted; }
    /// FFmpeg's code for the last failure of open(), 0 when there was none.
    int lastAvError() const { return m_lastAvError; }

private:
    int openInput(const Options& options);
    int receivePicture();
    void convert(bool flip, bool mirror);

    Options m_options;
    AvDeadline m_deadline;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    SwsContext* m_sws = nullptr;
    int m_streamIndex = -1;
    double m_timeBase = 0.0; // seconds a pts unit
    bool m_localFile = false;
    bool m_draining = false;
    bool m_pending = false;
    bool m_wasAborted = false;
    int m_badPackets = 0;
    int m_lastAvError = 0;
    Size m_size;
    double m_nominalRate = 0.0;
    Frame::Format m_sourceFormat = Frame::Unknown;
    long long m_pictureTimeUs = -1;
    std::vector<uint8_t> m_rgb;
};

} // namespace tesk
