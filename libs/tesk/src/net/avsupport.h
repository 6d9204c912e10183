#pragma once

// Small helpers shared by the FFmpeg-based network camera and recorder.

#include <atomic>
#include <chrono>
#include <string>

namespace tesk {

/// The tesk error number for an FFmpeg result (AVERROR_*), for opening or reading a source.
int errorFromAv(int averror);
/// FFmpeg's text for an AVERROR code.
std::string avErrorText(int averror);
/// Sends FFmpeg's own messages (errors and warnings only) to tesk::log instead of standard
/// error. Safe to call any number of times.
void routeAvLog();

/// Bounds blocking FFmpeg calls. A call is interrupted when the current call's deadline has
/// passed, or when the stop deadline set from another thread has passed.
class AvDeadline final
{
public:
    void arm(std::chrono::milliseconds bound);
    void disarm();
    /// Interrupts whatever runs once `grace` has passed; abortAfter(0ms) interrupts at once.
    void abortAfter(std::chrono::milliseconds grace);
    void clearAbort();
    bool aborted() const;
    /// True while a call would be interrupted (deadline passed or aborted).
    bool interrupted() const;

    static int interrupt(void* self);

private:
    std::atomic<long long> m_deadlineNs{0}; // steady clock; 0: none
    std::atomic<long long> m_abortNs{0};
};

} // namespace tesk
