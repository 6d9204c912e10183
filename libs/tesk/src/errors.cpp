#include <tesk/errors.h>

namespace tesk {

const char* errorText(int error)
{
    switch (error) {
    case Ok:
        return "no error";
    case ErrorInvalidArgument:
        return "invalid argument";
    case ErrorNotOpened:
        return "camera not opened";
    case ErrorNotSupported:
        return "not supported by this camera";
    case ErrorReadOnly:
        return "property is read-only";
    case ErrorTimeout:
        return "timed out";
    case ErrorDeviceBusy:
        return "device is in use by another program";
    case ErrorNoBandwidth:
        return "not enough USB bandwidth";
    case ErrorDeviceLost:
        return "device was disconnected";
    case ErrorFileNotFound:
        return "file not found";
    case ErrorFileFormat:
        return "file is malformed";
    case ErrorEncode:
        return "encoding failed";
    case ErrorIo:
        return "input/output error";
    case ErrorNoDevice:
        return "no such device";
    case ErrorConnectionRefused:
        return "connection refused";
    case ErrorUnauthorized:
        return "not authorised";
    case ErrorStreamNotFound:
        return "stream not found";
    case ErrorNoVideoStream:
        return "no video stream";
    case ErrorUnsupportedCodec:
        return "unsupported video codec";
    case ErrorEndOfStream:
        return "end of stream";
    case ErrorNetwork:
        return "network error";
    case ErrorFrameDropped:
        return "frame dropped";
    default:
        return "unknown error";
    }
}

} // namespace tesk
