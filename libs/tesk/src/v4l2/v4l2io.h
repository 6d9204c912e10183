#pragma once

#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace tesk {

/// The system calls the USB backend makes, so that tests can put a scripted device behind
/// them. Each returns what the system call returns and sets errno the same way.
class V4l2Io
{
public:
    virtual ~V4l2Io() = default;

    virtual int open(const char* path, int flags) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual void* mmap(std::size_t length, int prot, int flags, int fd, off_t offset) = 0;
    virtual int munmap(void* address, std::size_t length) = 0;
    virtual int poll(struct pollfd* fds, nfds_t count, int timeoutMs) = 0;

    /// ioctl() again while it fails with EINTR.
    int xioctl(int fd, unsigned long request, void* arg);
};

/// Where the USB backend finds its devices: the system calls and the sysfs tree.
struct V4l2System
{
    V4l2Io* io = nullptr;
    std::string sysfsRoot = "/sys";
    std::string deviceRoot = "/dev";

    /// The real system, or what a test installed.
    static V4l2System& current();
    /// Puts a test double in place; `io` null restores the real system calls.
    static void install(V4l2Io* io, const std::string& sysfsRoot, const std::string& deviceRoot);
};

} // namespace tesk
