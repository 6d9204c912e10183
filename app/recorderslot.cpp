#include "recorderslot.h"

#include <thread>

void RecorderSlot::publish(tesk::VideoRecorder* recorder)
{
    m_recorder.store(recorder);
}

tesk::VideoRecorder* RecorderSlot::withdraw()
{
    tesk::VideoRecorder* recorder = m_recorder.exchange(nullptr);
    // A callback that loaded the pointer before the exchange is still counted: wait for it.
    // One frame's hand-over to the recorder's queue, so this is short.
    while (m_users.load() != 0) {
        std::this_thread::yield();
    }
    return recorder;
}
