#include "jpegcodec.h"

#include <tesk/errors.h>
#include <tesk/log.h>

#include <turbojpeg.h>

namespace tesk {

int encodeJpeg(const uint8_t* rgb32, int width, int height, int quality, Frame* out)
{
    if (!rgb32 || !out || width <= 0 || height <= 0) {
        return ErrorInvalidArgument;
    }
    tjhandle handle = tjInitCompress();
    if (!handle) {
        log(LogLevel::Warning, "JPEG encoder could not be created");
        return ErrorEncode;
    }
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    const int result = tjCompress2(handle, rgb32, width, width * 4, height, TJPF_BGRX, &jpeg, &jpegSize, TJSAMP_420,
                                   quality, TJFLAG_FASTDCT);
    int status = Ok;
    if (result != 0) {
        log(LogLevel::Warning, std::string("JPEG encoding failed: ") + tjGetErrorStr2(handle));
        status = ErrorEncode;
    } else {
        out->assign(jpeg, jpegSize, Frame::MJPEG, width, height);
    }
    tjFree(jpeg);
    tjDestroy(handle);
    return status;
}

} // namespace tesk
