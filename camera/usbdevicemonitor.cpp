#include "usbdevicemonitor.h"

#include <QDebug>

#include <cstring>

// The platform half (construction, start, stop, native messages) is in
// usbdevicemonitor_linux.cpp and usbdevicemonitor_win.cpp.

void UsbDeviceMonitor::notify(Change change)
{
    switch (change) {
    case Change::Arrived:
        qDebug() << "USB device arrived";
        emit deviceArrived();
        break;
    case Change::Removed:
        qDebug() << "USB device removed";
        emit deviceRemoved();
        break;
    case Change::None:
        break;
    }
}

UsbDeviceMonitor::Change UsbDeviceMonitor::changeForUdevAction(const char* action)
{
    if (!action) {
        return Change::None;
    }
    if (std::strcmp(action, "add") == 0) {
        return Change::Arrived;
    }
    if (std::strcmp(action, "remove") == 0) {
        return Change::Removed;
    }
    return Change::None;
}
