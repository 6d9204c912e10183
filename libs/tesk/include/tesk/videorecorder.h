#pragma once

#include "frame.h"

#include <string>

namespace tesk {

/// Writes 32-bit RGB frames to a video file.
class VideoRecorder
{
public:
    virtual ~VideoRecorder() = default;

    virtual int start(const std::string& path, int width, int height, double fps, int bitRate, int audioChannels,
                      int audioSampleRate, int audioSampleBits, int quality) = 0;
    /// Takes one frame; may be called on the capture thread and must not block it.
    virtual int encodeVideo(const Frame* frame, long long timestampUs) = 0;
    virtual void pause(bool pause) = 0;
    virtual bool isPaused() const = 0;
    virtual bool isStarted() const = 0;
    virtual int stop() = 0;
};

/// Makes video recorders.
class VideoRecorderFactory
{
public:
    /// A new recorder of the given kind (0: MP4), or null when the kind is not available.
    static VideoRecorder* getInstance(int kind);
};

} // namespace tesk
