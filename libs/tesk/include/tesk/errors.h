#pragma once

namespace tesk {

/// Results of the library's calls: 0 is success, anything else one of these.
enum Error : int
{
    Ok = 0,
    ErrorInvalidArgument = 1,
    ErrorNotOpened = 2,
    ErrorNotSupported = 3,
    ErrorReadOnly = 4,
    ErrorTimeout = 5,
    ErrorDeviceBusy = 6,
    ErrorNoBandwidth = 7,
    ErrorDeviceLost = 8,
    ErrorFileNotFound = 9,
    ErrorFileFormat = 10,
    ErrorEncode = 11,
    ErrorIo = 12,
    ErrorNoDevice = 13,
};

/// A short English description of an error number, for logs.
const char* errorText(int error);

} // namespace tesk
