#pragma once

#include <tesk/camera.h>
#include <tesk/errors.h>

#include <QString>
#include <QStringList>

#include <map>
#include <set>
#include <vector>

/// A camera whose properties the test chooses and which records every call that changes
/// something, in order, as text such as "setProperty(9,500)" or "setEnumProperty(0,2)".
/// Reads are not recorded; a test that wants a read to fail lists its id in failingReads.
class RecordingCamera final : public tesk::Camera
{
public:
    struct Numeric
    {
        double min = 0.0;
        double max = 0.0;
        double step = 1.0;
        double value = 0.0;
        double defaultValue = 0.0;
    };

    struct Enumerated
    {
        std::vector<unsigned> values;
        unsigned value = 0;
        unsigned defaultValue = 0;
    };

    explicit RecordingCamera(const std::string& name = "Recording Camera") : tesk::Camera(infoNamed(name)) {}

    void addNumeric(int id, double min, double max, double value, double defaultValue = 0.0)
    {
        numeric[id] = Numeric{min, max, 1.0, value, defaultValue};
    }

    void addEnum(int id, std::vector<unsigned> values, unsigned value, unsigned defaultValue = 0)
    {
        enumerated[id] = Enumerated{std::move(values), value, defaultValue};
    }

    /// Forgets what was recorded so far.
    void clearWrites() { writes.clear(); }

    std::map<int, Numeric> numeric;
    std::map<int, Enumerated> enumerated;
    std::set<int> failingReads; ///< numeric ids whose propertyRange and getProperty fail
    QStringList writes;

    std::vector<tesk::Frame::Format> formatList{tesk::Frame::YUY2, tesk::Frame::MJPEG};
    std::vector<tesk::Size> sizeList{tesk::Size(1920, 1080), tesk::Size(1280, 720)};
    tesk::Frame::Format currentFormat = tesk::Frame::YUY2;
    tesk::Size currentSize{1280, 720};
    bool flipped = false;
    bool mirrored = false;
    bool opened = true;

    int open(int, int) override
    {
        writes << QStringLiteral("open");
        opened = true;
        return 0;
    }
    void close() override
    {
        writes << QStringLiteral("close");
        opened = false;
    }
    int start() override
    {
        writes << QStringLiteral("start");
        return 0;
    }
    void stop() override { writes << QStringLiteral("stop"); }
    bool isOpened() const override { return opened; }
    tesk::Frame::Format frameFormat() const override { return currentFormat; }
    int setFrameFormat(tesk::Frame::Format format) override
    {
        writes << QStringLiteral("setFrameFormat(%1)").arg(int(format));
        currentFormat = format;
        return 0;
    }
    tesk::Size frameSize() const override { return currentSize; }
    int setFrameSize(int width, int height) override
    {
        writes << QStringLiteral("setFrameSize(%1,%2)").arg(width).arg(height);
        currentSize = tesk::Size(width, height);
        return 0;
    }
    int setFlip(bool flip) override
    {
        writes << QStringLiteral("setFlip(%1)").arg(flip ? "true" : "false");
        flipped = flip;
        return 0;
    }
    bool isFlip() const override { return flipped; }
    int setMirror(bool mirror) override
    {
        writes << QStringLiteral("setMirror(%1)").arg(mirror ? "true" : "false");
        mirrored = mirror;
        return 0;
    }
    bool isMirror() const override { return mirrored; }

    bool isPropertySupported(int id) const override { return numeric.count(id) != 0; }
    int propertyRange(int id, double* min, double* max, double* step) const override
    {
        auto it = numeric.find(id);
        if (it == numeric.end()) {
            return tesk::ErrorNotSupported;
        }
        if (failingReads.count(id)) {
            return tesk::ErrorIo;
        }
        *min = it->second.min;
        *max = it->second.max;
        *step = it->second.step;
        return 0;
    }
    int getProperty(int id, double* value) const override
    {
        auto it = numeric.find(id);
        if (it == numeric.end()) {
            return tesk::ErrorNotSupported;
        }
        if (failingReads.count(id)) {
            return tesk::ErrorIo;
        }
        *value = it->second.value;
        return 0;
    }
    int setProperty(int id, double value) override
    {
        writes << QStringLiteral("setProperty(%1,%2)").arg(id).arg(value);
        auto it = numeric.find(id);
        if (it == numeric.end()) {
            return tesk::ErrorNotSupported;
        }
        it->second.value = value;
        return 0;
    }
    bool isEnumPropertySupported(int id) const override { return enumerated.count(id) != 0; }
    std::vector<unsigned> enumPropertyValues(int id) const override
    {
        auto it = enumerated.find(id);
        return it == enumerated.end() ? std::vector<unsigned>() : it->second.values;
    }
    unsigned getEnumProperty(int id) const override
    {
        auto it = enumerated.find(id);
        return it == enumerated.end() ? 0 : it->second.value;
    }
    int setEnumProperty(int id, unsigned value) override
    {
        writes << QStringLiteral("setEnumProperty(%1,%2)").arg(id).arg(value);
        auto it = enumerated.find(id);
        if (it == enumerated.end()) {
            return tesk::ErrorNotSupported;
        }
        it->second.value = value;
        return 0;
    }

protected:
    std::vector<tesk::Frame::Format> formats() const override { return formatList; }
    std::vector<tesk::Size> sizes() const override { return sizeList; }
    double propertyDefault(int id) const override
    {
        auto it = numeric.find(id);
        return it == numeric.end() ? 0.0 : it->second.defaultValue;
    }
    unsigned enumPropertyDefault(int id) const override
    {
        auto it = enumerated.find(id);
        return it == enumerated.end() ? 0 : it->second.defaultValue;
    }
    int captureLargest(tesk::Frame*, unsigned, unsigned) override { return tesk::ErrorNotSupported; }

private:
    static tesk::CameraInfo infoNamed(const std::string& name)
    {
        tesk::CameraInfo info;
        info.name = name;
        info.index = 0;
        info.address = "recording:1";
        return info;
    }
};
