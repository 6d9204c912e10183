#include <tesk/videorecorder.h>

#include "mp4recorder.h"

namespace tesk {

VideoRecorder* VideoRecorderFactory::getInstance(int kind)
{
    return kind == 0 ? new Mp4Recorder() : nullptr;
}

} // namespace tesk
