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
    ErrorConnectionRefused = 14, ///< nothing listens at the address and port
    ErrorUnauthorized = 15,      ///< the server wants (other) credentials: 401 or 403
    ErrorStreamNotFound = 16,    ///< the server has no such stream or page: 404
    ErrorNoVideoStream = 17,     ///< the source opened but holds no video
    ErrorUnsupportedCodec = 18,  ///< the video is in a codec this build cannot decode
    ErrorEndOfStream = 19,       ///< a file being played came to its end
    ErrorNetwork = 20,           ///< other network or protocol failure
    ErrorFrameDropped = 21,      ///< the recorder was behind and dropped the frame
};

/// A short English description of an error number, for logs.
const char* errorText(int error);

} // namespace tesk
