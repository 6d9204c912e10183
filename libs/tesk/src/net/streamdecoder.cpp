#include "streamdecoder.h"

#include "streamurl.h"

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
#include <cstring>

namespace tesk {

namespace {

Frame::Format formatOfCodec(AVCodecID id)
{
    switch (id) {
    case AV_CODEC_ID_H264:
        return Frame::H264;
    case AV_CODEC_ID_HEVC:
        return Frame::H265;
    case AV_CODEC_ID_MJPEG:
        return Frame::MJPEG;
    default:
        return Frame::Unknown;
    }
}

// The JPEG decoder reports full-range formats that swscale only takes with a warning; the
// plain format plus the range says the same.
AVPixelFormat withoutFullRange(AVPixelFormat format, bool* fullRange)
{
    *fullRange = true;
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        return AV_PIX_FMT_YUV440P;
    default:
        *fullRange = false;
        return format;
    }
}

double rateOf(AVRational rate)
{
    if (rate.num <= 0 || rate.den <= 0) {
        return 0.0;
    }
    const double value = av_q2d(rate);
    return value > 0.5 && value <= 240.0 ? value : 0.0;
}

} // namespace

StreamDecoder::StreamDecoder()
{
    routeAvLog();
}

StreamDecoder::~StreamDecoder()
{
    close();
}

void StreamDecoder::close()
{
    sws_freeContext(m_sws);
    m_sws = nullptr;
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    avcodec_free_context(&m_codec);
    if (m_format) {
        avformat_close_input(&m_format);
    }
    m_streamIndex = -1;
    m_draining = false;
    m_pending = false;
    m_wasAborted = false;
    m_badPackets = 0;
    m_pictureTimeUs = -1;
}

int StreamDecoder::open(const Options& options)
{
    close();
    m_lastAvError = 0;
    m_options = options;
    m_localFile = tesk::isLocalFile(options.url);
    m_deadline.arm(options.timeout);
    int result = openInput(options);
    if (result == Ok) {
        // The first picture proves the source really delivers and gives the real size.
        result = receivePicture();
        if (result == ErrorEndOfStream) {
            result = ErrorNoVideoStream;
        }
    }
    m_deadline.disarm();
    if (result != Ok) {
        close();
        return result;
    }
    m_pending = true;
    m_size = Size(m_frame->width, m_frame->height);
    return Ok;
}

int StreamDecoder::openInput(const Options& options)
{
    m_format = avformat_alloc_context();
    if (!m_format) {
        return ErrorNetwork;
    }
    m_format->interrupt_callback.callback = &AvDeadline::interrupt;
    m_format->interrupt_callback.opaque = &m_deadline;

    AVDictionary* dict = nullptr;
    const std::string micros = std::to_string((long long)options.timeout.count() * 1000);
    if (isRtspUrl(options.url)) {
        av_dict_set(&dict, "rtsp_transport", options.rtspOverUdp ? "udp" : "tcp", 0);
        av_dict_set(&dict, "timeout", micros.c_str(), 0);
    } else if (!m_localFile) {
        av_dict_set(&dict, "timeout", micros.c_str(), 0);
        av_dict_set(&dict, "rw_timeout", micros.c_str(), 0);
    }
    // A live picture wants to start soon; the defaults look at five seconds of stream.
    av_dict_set(&dict, "analyzeduration", "1000000", 0);
    av_dict_set(&dict, "probesize", "2000000", 0);
    // The packets the probe read are kept ("nobuffer" would drop them): they hold the
    // keyframe the first picture needs, and without it open() waits for the next one.

    std::string url = options.url;
    if (m_localFile && url.compare(0, 5, "file:") != 0) {
        url = "file:" + url; // a name with a colon in it stays a file name
    }
    int ret = avformat_open_input(&m_format, url.c_str(), nullptr, &dict);
    av_dict_free(&dict);
    if (ret < 0) {
        // avformat_open_input frees the context on failure.
        m_format = nullptr;
        m_lastAvError = ret;
        log(LogLevel::Info, "cannot open " + urlForLog(options.url) + ": " + avErrorText(ret));
        return errorFromAv(ret);
    }
    ret = avformat_find_stream_info(m_format, nullptr);
    if (ret < 0) {
        m_lastAvError = ret;
        log(LogLevel::Info, "no stream information in " + urlForLog(options.url) + ": " + avErrorText(ret));
        return errorFromAv(ret);
    }
    const AVCodec* decoder = nullptr;
    ret = av_find_best_stream(m_format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (ret == AVERROR_DECODER_NOT_FOUND) {
        log(LogLevel::Info, urlForLog(options.url) + ": no decoder for its video");
        return ErrorUnsupportedCodec;
    }
    if (ret < 0) {
        log(LogLevel::Info, urlForLog(options.url) + " holds no video stream");
        return ErrorNoVideoStream;
    }
    m_streamIndex = ret;
    AVStream* stream = m_format->streams[m_streamIndex];
    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        if (int(i) != m_streamIndex) {
            m_format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    m_codec = avcodec_alloc_context3(decoder);
    if (!m_codec || avcodec_parameters_to_context(m_codec, stream->codecpar) < 0) {
        return ErrorUnsupportedCodec;
    }
    m_codec->thread_count = 2;
    m_codec->thread_type = FF_THREAD_SLICE;
    ret = avcodec_open2(m_codec, decoder, nullptr);
    if (ret < 0) {
        log(LogLevel::Info, std::string("cannot open the ") + decoder->name + " decoder: " + avErrorText(ret));
        return ErrorUnsupportedCodec;
    }
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_frame || !m_packet) {
        return ErrorNetwork;
    }
    m_timeBase = av_q2d(stream->time_base);
    m_sourceFormat = formatOfCodec(stream->codecpar->codec_id);
    m_nominalRate = rateOf(stream->avg_frame_rate);
    if (m_nominalRate == 0.0) {
        m_nominalRate = rateOf(stream->r_frame_rate);
    }
    log(LogLevel::Info, "opened " + urlForLog(options.url) + ": " + decoder->name + " " +
                            std::to_string(stream->codecpar->width) + "x" + std::to_string(stream->codecpar->height));
    return Ok;
}

// Reads packets until the decoder gives a picture.
int StreamDecoder::receivePicture()
{
    for (;;) {
        int ret = avcodec_receive_frame(m_codec, m_frame);
        if (ret == 0) {
            const long long pts = m_frame->best_effort_timestamp;
            m_pictureTimeUs = pts == AV_NOPTS_VALUE ? -1 : (long long)(double(pts) * m_timeBase * 1e6);
            return Ok;
        }
        if (ret == AVERROR_EOF) {
            return ErrorEndOfStream;
        }
        if (ret != AVERROR(EAGAIN)) {
            log(LogLevel::Warning, "video decoding failed: " + avErrorText(ret));
            return ErrorUnsupportedCodec;
        }
        ret = av_read_frame(m_format, m_packet);
        if (ret == AVERROR_EOF || (ret < 0 && m_format->pb && avio_feof(m_format->pb) && !m_deadline.interrupted())) {
            // Whatever the decoder still holds comes out before the end is reported.
            avcodec_send_packet(m_codec, nullptr);
            m_draining = true;
            continue;
        }
        if (ret == AVERROR(EAGAIN)) {
            continue;
        }
        if (ret < 0) {
            if (m_deadline.aborted()) {
                m_wasAborted = true;
                return ErrorTimeout;
            }
            return errorFromAv(ret);
        }
        if (m_packet->stream_index == m_streamIndex && !m_draining) {
            ret = avcodec_send_packet(m_codec, m_packet);
            if (ret < 0 && ret != AVERROR(EAGAIN)) {
                // A damaged packet (lost UDP datagrams, a cut file) costs one picture only.
                if (m_badPackets++ % 100 == 0) {
                    log(LogLevel::Warning, "damaged video packet skipped: " + avErrorText(ret));
                }
            }
        }
        av_packet_unref(m_packet);
    }
}

int StreamDecoder::readPicture(bool flip, bool mirror)
{
    if (!isOpen()) {
        return ErrorNotOpened;
    }
    if (m_pending) {
        m_pending = false;
    } else {
        if (m_draining) {
            const int ret = avcodec_receive_frame(m_codec, m_frame);
            if (ret != 0) {
                return ErrorEndOfStream;
            }
        } else {
            m_deadline.arm(m_options.timeout);
            const int result = receivePicture();
            m_deadline.disarm();
            if (result != Ok) {
                return result;
            }
        }
    }
    convert(flip, mirror);
    return Ok;
}

void StreamDecoder::convert(bool flip, bool mirror)
{
    const int width = m_frame->width;
    const int height = m_frame->height;
    bool fullRange = false;
    const AVPixelFormat source = withoutFullRange(AVPixelFormat(m_frame->format), &fullRange);
    m_sws = sws_getCachedContext(m_sws, width, height, source, width, height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                 nullptr, nullptr);
    if (!m_sws) {
        return;
    }
    if (fullRange) {
        int* inverse = nullptr;
        int* table = nullptr;
        int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
        sws_getColorspaceDetails(m_sws, &inverse, &srcRange, &table, &dstRange, &brightness, &contrast, &saturation);
        sws_setColorspaceDetails(m_sws, inverse, 1, table, dstRange, brightness, contrast, saturation);
    }
    m_size = Size(width, height);
    const std::size_t stride = std::size_t(width) * 4;
    m_rgb.resize(stride * std::size_t(height));
    uint8_t* rows[4] = {m_rgb.data(), nullptr, nullptr, nullptr};
    int strides[4] = {int(stride), 0, 0, 0};
    if (flip) {
        // Upside down for free: write the rows bottom first.
        rows[0] = m_rgb.data() + stride * std::size_t(height - 1);
        strides[0] = -int(stride);
    }
    sws_scale(m_sws, m_frame->data, m_frame->linesize, 0, height, rows, strides);
    if (mirror) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(m_rgb.data() + stride * std::size_t(y));
            std::reverse(row, row + width);
        }
    }
}

void StreamDecoder::pause()
{
    if (m_format && !m_localFile) {
        av_read_pause(m_format);
    }
}

void StreamDecoder::play()
{
    if (m_format && !m_localFile) {
        av_read_play(m_format);
    }
}

} // namespace tesk
