#pragma once

#include <atomic>

namespace tesk {
class VideoRecorder;
}

/// The running recorder as the frame callback sees it. The GUI thread publishes and withdraws
/// it; the capture thread uses it for one frame at a time. withdraw() returns only when no
/// callback is using the recorder any more, so the caller may then stop and delete it.
class RecorderSlot final
{
public:
    /// GUI thread. Any recorder published before must have been withdrawn.
    void publish(tesk::VideoRecorder* recorder);
    /// GUI thread. The recorder that was published (null when none), no longer in use.
    tesk::VideoRecorder* withdraw();
    /// GUI thread: whether a recorder is published.
    bool isPublished() const { return m_recorder.load() != nullptr; }

    /// Capture thread: runs `use` with the recorder, if one is published, while it cannot be
    /// withdrawn.
    template <typename Use> void with(Use&& use)
    {
        m_users.fetch_add(1);
        if (tesk::VideoRecorder* recorder = m_recorder.load()) {
            use(recorder);
        }
        m_users.fetch_sub(1);
    }

private:
    std::atomic<tesk::VideoRecorder*> m_recorder{nullptr};
    std::atomic<int> m_users{0};
};
