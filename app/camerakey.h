#pragma once

#include <QString>

namespace tesk {
struct CameraInfo;
}

/// "<name>_<vvvv>_<pppp>": names a camera's request-parameter file and its saved settings.
QString cameraKey(const tesk::CameraInfo& info);

/// "cameras/<key>.ini" when it exists in the working directory, else "cameras/default.ini".
QString requestParameterFile(const QString& key);
