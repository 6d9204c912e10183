#pragma once

#include <QString>

/// The camera opened successfully last time, as remembered in the settings store.
struct CameraLastDevice
{
    int type = -1;
    int index = -1;
    QString url;
    QString deviceName;
};
