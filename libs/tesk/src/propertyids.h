#pragma once

namespace tesk {

// Numeric property ids, the same for every backend.
enum PropertyId : int
{
    Brightness = 0,
    Contrast = 1,
    Hue = 2,
    Saturation = 3,
    Gamma = 4,
    Sharpness = 5,
    Gain = 6,
    ExposureTarget = 8,
    ExposureTime = 9, ///< microseconds
    RedGain = 10,
    GreenGain = 11,
    BlueGain = 12,
    Temperature = 13, ///< kelvin
    Denoise = 15,
    PacketSize = 19,
    FocusValue = 20, ///< read only, computed from the frames
};

// Enumerated property ids.
enum EnumPropertyId : int
{
    AutoExposure = 0,     ///< 0 manual, 2 automatic
    WhiteBalanceMode = 2, ///< 0 off, 1 once, 2 continuous
    PowerFrequency = 3,   ///< 0 disabled, 1 50 Hz, 2 60 Hz, 3 auto, 4 DC
    ColorMode = 5,        ///< 0 colour, 1 monochrome, 2 negative
};

constexpr unsigned kAutoExposureOff = 0;
constexpr unsigned kAutoExposureOn = 2;
constexpr unsigned kWhiteBalanceOff = 0;
constexpr unsigned kWhiteBalanceOnce = 1;
constexpr unsigned kWhiteBalanceContinuous = 2;
constexpr unsigned kPowerFrequencyDisabled = 0;

} // namespace tesk
