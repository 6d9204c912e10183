#include "mp4recorder.h"

#include "avsupport.h"

#include <tesk/errors.h>
#include <tesk/log.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tesk {

namespace {

constexpr AVRational kMicroseconds{1, 1000000};
// Fine enough for any frame rate, and within what the MPEG-4 part 2 encoder accepts.
constexpr AVRational kCodecTimeBase{1, 10000};
// The longest stretch without a keyframe, so a cut-off file loses at most this much.
constexpr double kMaxKeyIntervalSeconds = 2.0;

AVPixelFormat pixelFormatOf(Frame::Format format)
{
    switch (format) {
    case Frame::RGB32:
        return AV_PIX_FMT_BGR0;
    case Frame::RGB:
        return AV_PIX_FMT_RGB24;
    case Frame::BGR:
        return AV_PIX_FMT_BGR24;
    case Frame::YUY2:
        return AV_PIX_FMT_YUYV422;
    case Frame::UYVY:
        return AV_PIX_FMT_UYVY422;
    case Frame::YU12:
        return AV_PIX_FMT_YUV420P;
    case Frame::NV12:
        return AV_PIX_FMT_NV12;
    case Frame::Mono8:
        return AV_PIX_FMT_GRAY8;
    default:
        return AV_PIX_FMT_NONE;
    }
}

int errorOfWrite(int averror)
{
    if (averror == AVERROR(ENOENT) || averror == AVERROR(ENOTDIR)) {
        return ErrorFileNotFound;
    }
    if (averror == AVERROR(EACCES) || averror == AVERROR(EPERM)) {
        return ErrorUnauthorized;
    }
    return ErrorIo;
}

} // namespace

Mp4Recorder::Mp4Recorder()
{
    routeAvLog();
}

Mp4Recorder::~Mp4Recorder()
{
    stop();
}

std::string Mp4Recorder::encoderName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_encoderName;
}

int Mp4Recorder::start(const std::string& path, int width, int height, double fps, int bitRate, int, int, int, int)
{
    stop();
    width &= ~1;
    height &= ~1;
    if (path.empty() || width < 2 || height < 2 || width > 16384 || height > 16384) {
        log(LogLevel::Warning,
            "recorder: cannot record " + std::to_string(width) + "x" + std::to_string(height) + " to \"" + path + "\"");
        return ErrorInvalidArgument;
    }
    if (!std::isfinite(fps) || fps < 1.0 || fps > 240.0) {
        fps = 30.0; // a camera that has not measured its rate yet
    }
    m_width = width;
    m_height = height;
    m_path = path;
    const int result = openOutput(path, fps, bitRate > 0 ? bitRate : 2000000);
    if (result != Ok) {
        closeOutput();
        return result;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_slots.assign(kQueueDepth, Slot());
        m_free.clear();
        m_queued.clear();
        for (int i = 0; i < kQueueDepth; ++i) {
            m_free.push_back(i);
        }
        m_stopRequested = false;
        m_error = Ok;
        m_firstTs = -1;
        m_cutUs = 0;
        m_resumed = false;
        m_periodUs = (long long)std::llround(1e6 / fps);
    }
    m_dropped = 0;
    m_encoded = 0;
    m_paused = false;
    m_failed = false;
    m_lastPts = -1;
    m_lastKeyPts = -1;
    m_started = true;
    m_thread = std::thread(&Mp4Recorder::encoderLoop, this);
    log(LogLevel::Info, "recording " + std::to_string(width) + "x" + std::to_string(height) + " at " +
                            std::to_string(fps) + " fps with " + m_encoderName + " to " + path);
    return Ok;
}

int Mp4Recorder::openOutput(const std::string& path, double fps, int bitRate)
{
    int ret = avformat_alloc_output_context2(&m_format, nullptr, "mp4", path.c_str());
    if (ret < 0 || !m_format) {
        log(LogLevel::Warning, "recorder: no MP4 muxer: " + avErrorText(ret));
        return ErrorNotSupported;
    }
    std::string wanted = "libx264";
    if (const char* name = std::getenv("TESK_RECORDER_ENCODER"); name && *name) {
        wanted = name;
    }
    const AVCodec* encoder = avcodec_find_encoder_by_name(wanted.c_str());
    if (!encoder) {
        log(LogLevel::Info, "recorder: encoder " + wanted + " not found, MPEG-4 part 2 is used");
        encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    }
    if (!encoder) {
        log(LogLevel::Warning, "recorder: no video encoder available");
        return ErrorNotSupported;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_encoderName = encoder->name;
    }
    m_codec = avcodec_alloc_context3(encoder);
    if (!m_codec) {
        return ErrorEncode;
    }
    m_codec->width = m_width;
    m_codec->height = m_height;
    m_codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m_codec->time_base = kCodecTimeBase;
    m_codec->framerate = av_d2q(fps, 100000);
    m_codec->bit_rate = bitRate;
    m_codec->gop_size = std::max(1, int(std::lround(fps))); // a keyframe a second
    m_codec->sample_aspect_ratio = AVRational{1, 1};
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER) {
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* codecOptions = nullptr;
    if (std::strcmp(encoder->name, "libx264") == 0) {
        av_dict_set(&codecOptions, "preset", "veryfast", 0);
        av_dict_set(&codecOptions, "forced-idr", "1", 0);
    } else {
        m_codec->max_b_frames = 0;
        m_codec->qmin = 2;
        m_codec->qmax = 20;
    }
    ret = avcodec_open2(m_codec, encoder, &codecOptions);
    av_dict_free(&codecOptions);
    if (ret < 0) {
        log(LogLevel::Warning, std::string("recorder: cannot open ") + encoder->name + ": " + avErrorText(ret));
        return ErrorEncode;
    }
    m_keyIntervalPts = av_rescale_q((long long)(kMaxKeyIntervalSeconds * 0.95 * 1e6), kMicroseconds, kCodecTimeBase);

    m_stream = avformat_new_stream(m_format, nullptr);
    if (!m_stream || avcodec_parameters_from_context(m_stream->codecpar, m_codec) < 0) {
        return ErrorEncode;
    }
    m_stream->time_base = kCodecTimeBase;
    m_stream->avg_frame_rate = m_codec->framerate;

    ret = avio_open(&m_format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (ret < 0) {
        log(LogLevel::Warning, "recorder: cannot create " + path + ": " + avErrorText(ret));
        return errorOfWrite(ret);
    }
    AVDictionary* muxOptions = nullptr;
    // A fragment at every keyframe, each pushed to the file at once: what has been written
    // survives the process.
    av_dict_set(&muxOptions, "movflags", "frag_keyframe+empty_moov+default_base_moof", 0);
    av_dict_set(&muxOptions, "flush_packets", "1", 0);
    ret = avformat_write_header(m_format, &muxOptions);
    av_dict_free(&muxOptions);
    if (ret < 0) {
        log(LogLevel::Warning, "recorder: cannot write to " + path + ": " + avErrorText(ret));
        return errorOfWrite(ret);
    }
    m_yuv = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_yuv || !m_packet) {
        return ErrorEncode;
    }
    m_yuv->format = AV_PIX_FMT_YUV420P;
    m_yuv->width = m_width;
    m_yuv->height = m_height;
    if (av_frame_get_buffer(m_yuv, 0) < 0) {
        return ErrorEncode;
    }
    return Ok;
}

void Mp4Recorder::closeOutput()
{
    if (m_format && m_format->pb) {
        avio_closep(&m_format->pb);
    }
    avformat_free_context(m_format);
    m_format = nullptr;
    m_stream = nullptr;
    avcodec_free_context(&m_codec);
    av_frame_free(&m_yuv);
    av_packet_free(&m_packet);
    sws_freeContext(m_sws);
    m_sws = nullptr;
}

int Mp4Recorder::encodeVideo(const Frame* frame, long long timestampUs)
{
    if (!frame || frame->isEmpty() || frame->width() <= 0 || frame->height() <= 0) {
        return ErrorInvalidArgument;
    }
    if (!m_started.load(std::memory_order_acquire)) {
        return ErrorNotOpened;
    }
    const AVPixelFormat format = pixelFormatOf(frame->format());
    if (format == AV_PIX_FMT_NONE) {
        return ErrorNotSupported;
    }
    const int needed = av_image_get_buffer_size(format, frame->width(), frame->height(), 1);
    if (needed <= 0 || frame->dataSize() < std::size_t(needed)) {
        return ErrorInvalidArgument;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stopRequested) {
        return ErrorNotOpened;
    }
    if (m_paused.load()) {
        m_resumed = m_firstTs >= 0;
        return Ok;
    }
    // The video runs on the frames' clock; a pause is cut down to one frame's time, so the
    // resumed part follows on without a gap.
    if (m_firstTs < 0) {
        m_firstTs = timestampUs;
    } else if (m_resumed) {
        m_cutUs += std::max(0LL, timestampUs - m_lastTs - m_periodUs);
        m_resumed = false;
    }
    m_lastTs = timestampUs;
    const long long ptsUs = timestampUs - m_firstTs - m_cutUs;
    if (m_free.empty()) {
        ++m_dropped;
        return ErrorFrameDropped;
    }
    const int index = m_free.front();
    m_free.pop_front();
    lock.unlock();
    // The one copy of the frame, made outside the lock so the encoder thread never waits
    // for it: the slot is in neither list meanwhile. The caller's buffer is only valid
    // during this call.
    Slot& slot = m_slots[std::size_t(index)];
    slot.data.assign(frame->data(), frame->data() + needed);
    slot.format = format;
    slot.width = frame->width();
    slot.height = frame->height();
    slot.ptsUs = ptsUs;
    lock.lock();
    if (m_stopRequested) {
        m_free.push_back(index); // stop() came meanwhile: the encoder thread is finishing
        return ErrorNotOpened;
    }
    m_queued.push_back(index);
    m_wake.notify_one();
    return Ok;
}

void Mp4Recorder::pause(bool pause)
{
    m_paused = pause;
}

bool Mp4Recorder::isPaused() const
{
    return m_paused.load();
}

bool Mp4Recorder::isStarted() const
{
    return m_started.load(std::memory_order_acquire);
}

void Mp4Recorder::encoderLoop()
{
    for (;;) {
        int index = -1;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this]() { return !m_queued.empty() || m_stopRequested; });
            if (m_queued.empty()) {
                break;
            }
            index = m_queued.front();
            m_queued.pop_front();
        }
        // The slot is out of both lists while it is encoded: nobody else touches it.
        const bool ok = encodeSlot(m_slots[std::size_t(index)]);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_free.push_back(index);
        }
        if (!ok) {
            break;
        }
    }
    if (!m_failed) {
        avcodec_send_frame(m_codec, nullptr);
        writePackets();
    }
    if (!m_failed) {
        const int ret = av_write_trailer(m_format);
        if (ret < 0 || (m_format->pb && m_format->pb->error < 0)) {
            fail("finishing the file", ret < 0 ? ret : m_format->pb->error);
        }
    }
    closeOutput();
}

bool Mp4Recorder::encodeSlot(const Slot& slot)
{
    m_sws = sws_getCachedContext(m_sws, slot.width, slot.height, AVPixelFormat(slot.format), m_width, m_height,
                                 AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m_sws) {
        log(LogLevel::Warning,
            "recorder: cannot convert a " + std::to_string(slot.width) + "x" + std::to_string(slot.height) + " frame");
        return true; // one frame lost, the recording goes on
    }
    uint8_t* planes[4] = {};
    int strides[4] = {};
    av_image_fill_arrays(planes, strides, slot.data.data(), AVPixelFormat(slot.format), slot.width, slot.height, 1);
    if (av_frame_make_writable(m_yuv) < 0) {
        fail("preparing a frame", AVERROR(ENOMEM));
        return false;
    }
    sws_scale(m_sws, planes, strides, 0, slot.height, m_yuv->data, m_yuv->linesize);

    long long pts = av_rescale_q(slot.ptsUs, kMicroseconds, kCodecTimeBase);
    if (pts <= m_lastPts) {
        pts = m_lastPts + 1; // a clock that stood still or went back
    }
    m_lastPts = pts;
    m_yuv->pts = pts;
    m_yuv->pict_type = AV_PICTURE_TYPE_NONE;
    if (m_lastKeyPts < 0 || pts - m_lastKeyPts >= m_keyIntervalPts) {
        // A slow camera makes a second's worth of frames last longer: keep fragments short.
        m_yuv->pict_type = AV_PICTURE_TYPE_I;
        m_lastKeyPts = pts;
    }
    const int ret = avcodec_send_frame(m_codec, m_yuv);
    if (ret < 0) {
        fail("encoding", ret);
        return false;
    }
    ++m_encoded;
    return writePackets();
}

bool Mp4Recorder::writePackets()
{
    for (;;) {
        int ret = avcodec_receive_packet(m_codec, m_packet);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) {
            return true;
        }
        if (ret < 0) {
            fail("encoding", ret);
            return false;
        }
        if (m_packet->flags & AV_PKT_FLAG_KEY) {
            m_lastKeyPts = std::max(m_lastKeyPts, (long long)m_packet->pts);
        }
        m_packet->duration = av_rescale_q(1, av_inv_q(m_codec->framerate), kCodecTimeBase);
        av_packet_rescale_ts(m_packet, kCodecTimeBase, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        ret = av_interleaved_write_frame(m_format, m_packet);
        if (ret >= 0 && m_format->pb && m_format->pb->error < 0) {
            ret = m_format->pb->error;
        }
        if (ret < 0) {
            fail("writing", ret);
            return false;
        }
    }
}

void Mp4Recorder::fail(const std::string& what, int averror)
{
    m_failed = true;
    m_started = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_error = errorOfWrite(averror);
        m_queued.clear();
    }
    log(LogLevel::Warning, "recording to " + m_path + " stopped: " + what + " failed: " + avErrorText(averror) +
                               "; what was written before stays playable");
}

int Mp4Recorder::stop()
{
    if (!m_thread.joinable()) {
        return Ok;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    m_thread.join();
    m_started = false;
    m_paused = false;
    log(LogLevel::Info, "recording to " + m_path + " ended: " + std::to_string(m_encoded.load()) + " frames, " +
                            std::to_string(m_dropped.load()) + " dropped");
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}

} // namespace tesk
