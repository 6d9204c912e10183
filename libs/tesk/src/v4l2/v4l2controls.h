#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace tesk {

class V4l2Io;

/// The camera's V4L2 controls behind the library's numeric and enumerated property ids.
/// query() learns what the device offers; the other calls read and write it. The caller
/// serialises the calls and keeps the file descriptor open meanwhile.
class V4l2Controls final
{
public:
    explicit V4l2Controls(V4l2Io& io);

    void query(int fd);
    void clear();

    bool isSupported(int id) const;
    int range(int id, double* min, double* max, double* step) const;
    double defaultValue(int id) const;
    int get(int fd, int id, double* value) const;
    int set(int fd, int id, double value);

    bool isEnumSupported(int id) const;
    std::vector<unsigned> enumValues(int id) const;
    unsigned enumDefault(int id) const;
    unsigned getEnum(int fd, int id) const;
    int setEnum(int fd, int id, unsigned value);

    bool hasHardwareFlip() const { return m_flip.supported; }
    bool hasHardwareMirror() const { return m_mirror.supported; }
    int setHardwareFlip(int fd, bool on);
    int setHardwareMirror(int fd, bool on);

private:
    struct Control
    {
        bool supported = false;
        uint32_t cid = 0;
        int32_t min = 0, max = 0, step = 1, initial = 0;
        std::vector<int32_t> menu; // menu items the driver offers
    };
    /// A numeric property: a control and the factor from the driver's unit to ours.
    struct Numeric
    {
        Control control;
        double scale = 1.0;
    };

    Control queryControl(int fd, uint32_t cid) const;
    int readControl(int fd, const Control& control, int32_t* value) const;
    int writeControl(int fd, const Control& control, int32_t value) const;
    unsigned autoExposureFrom(int32_t value) const;

    V4l2Io& m_io;
    std::map<int, Numeric> m_numeric;
    Control m_exposureAuto;
    Control m_whiteBalanceAuto;
    Control m_whiteBalanceOnce;
    Control m_powerLine;
    Control m_flip;
    Control m_mirror;
};

} // namespace tesk
