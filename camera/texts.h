#pragma once

#include <tesk/frame.h>

#include <QCoreApplication>
#include <QString>

/// Display names of enumerated camera property values and of pixel formats, shared by the
/// camera panels.
class Texts final
{
    Q_DECLARE_TR_FUNCTIONS(Texts)

public:
    /// The name of `value` of enumerated property `id`; "Unknown" for a value a known
    /// property does not name, "Value: <n>" for a property without names.
    static QString propertyValueName(int id, unsigned value);
    /// The name of a pixel format; "Unknown" for formats without one.
    static QString pixelFormatName(tesk::Frame::Format format);

    Texts() = delete;
};
