#include "v4l2io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace tesk {

namespace {

class SystemV4l2Io final : public V4l2Io
{
public:
    int open(const char* path, int flags) override { return ::open(path, flags); }
    int close(int fd) override { return ::close(fd); }
    int ioctl(int fd, unsigned long request, void* arg) override { return ::ioctl(fd, request, arg); }
    void* mmap(std::size_t length, int prot, int flags, int fd, off_t offset) override
    {
        return ::mmap(nullptr, length, prot, flags, fd, offset);
    }
    int munmap(void* address, std::size_t length) override { return ::munmap(address, length); }
    int poll(struct pollfd* fds, nfds_t count, int timeoutMs) override { return ::poll(fds, count, timeoutMs); }
};

SystemV4l2Io& systemIo()
{
    static SystemV4l2Io io;
    return io;
}

} // namespace

int V4l2Io::xioctl(int fd, unsigned long request, void* arg)
{
    int result;
    do {
        result = ioctl(fd, request, arg);
    } while (result == -1 && errno == EINTR);
    return result;
}

V4l2System& V4l2System::current()
{
    static V4l2System system{&systemIo(), "/sys", "/dev"};
    return system;
}

void V4l2System::install(V4l2Io* io, const std::string& sysfsRoot, const std::string& deviceRoot)
{
    V4l2System& system = current();
    system.io = io ? io : &systemIo();
    system.sysfsRoot = io ? sysfsRoot : "/sys";
    system.deviceRoot = io ? deviceRoot : "/dev";
}

} // namespace tesk
