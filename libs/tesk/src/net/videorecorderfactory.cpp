#include <tesk/videorecorder.h>

namespace tesk {

VideoRecorder* VideoRecorderFactory::getInstance(int)
{
    // No encoder backend is built into this version of the library.
    return nullptr;
}

} // namespace tesk
