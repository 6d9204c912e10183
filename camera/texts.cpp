#include "texts.h"

namespace {

// Enumerated property ids that have value names; the others (automatic exposure among
// them) are shown by number.
constexpr int kWhiteBalanceMode = 2;
constexpr int kPowerFrequency = 3;
constexpr int kColorMode = 5;
constexpr int kTriggerSelector = 7;
constexpr int kTriggerMode = 8;
constexpr int kTriggerSource = 9;
constexpr int kTriggerActivation = 10;

template <std::size_t N> QString indexedName(const char* const (&names)[N], unsigned value)
{
    return value < N ? Texts::tr(names[value]) : Texts::tr("Unknown");
}

} // namespace

QString Texts::propertyValueName(int id, unsigned value)
{
    static const char* const whiteBalanceModes[] = {QT_TR_NOOP("Off"), QT_TR_NOOP("Once only"),
                                                    QT_TR_NOOP("Continuous")};
    static const char* const colorModes[] = {QT_TR_NOOP("Colorful"), QT_TR_NOOP("Monochrome"), QT_TR_NOOP("Negative")};
    static const char* const triggerSelectors[] = {QT_TR_NOOP("Acquisition Start"), QT_TR_NOOP("Frame Start")};
    static const char* const triggerModes[] = {QT_TR_NOOP("Off"), QT_TR_NOOP("On")};
    static const char* const triggerSources[] = {QT_TR_NOOP("Line 0"),
                                                 QT_TR_NOOP("Line 1"),
                                                 QT_TR_NOOP("Line 2"),
                                                 QT_TR_NOOP("Line 3"),
                                                 QT_TR_NOOP("Counter 0"),
                                                 QT_TR_NOOP("Software"),
                                                 QT_TR_NOOP("Frequency Converter")};
    static const char* const triggerActivations[] = {QT_TR_NOOP("Rising Edge"), QT_TR_NOOP("Falling Edge"),
                                                     QT_TR_NOOP("Level High"), QT_TR_NOOP("Level Low")};

    switch (id) {
    case kWhiteBalanceMode:
        return indexedName(whiteBalanceModes, value);
    case kPowerFrequency:
        switch (value) {
        case 0:
            return tr("Disabled");
        case 1:
            return QStringLiteral("50Hz");
        case 2:
            return QStringLiteral("60Hz");
        case 3:
            return tr("Auto");
        case 4:
            return tr("DC");
        default:
            return tr("Unknown");
        }
    case kColorMode:
        return indexedName(colorModes, value);
    case kTriggerSelector:
        return indexedName(triggerSelectors, value);
    case kTriggerMode:
        return indexedName(triggerModes, value);
    case kTriggerSource:
        return indexedName(triggerSources, value);
    case kTriggerActivation:
        return indexedName(triggerActivations, value);
    default:
        return tr("Value: %1").arg(value);
    }
}

QString Texts::pixelFormatName(tesk::Frame::Format format)
{
    using F = tesk::Frame;
    switch (format) {
    case F::RGB:
        return tr("RGB");
    case F::BGR:
        return tr("BGR");
    case F::BayerBG8:
        return tr("Bayer BG8");
    case F::BayerBG12:
        return tr("Bayer BG12");
    case F::BayerBG12Packed:
        return tr("Bayer BG12 Packed");
    case F::BayerRG8:
        return tr("RG8");
    case F::BayerRG10:
        return tr("RG10");
    case F::BayerRG10Packed:
        return tr("RG10 Packed");
    case F::BayerRG12:
        return tr("RG12");
    case F::BayerRG12Packed:
        return tr("RG12 Packed");
    case F::YUY2:
        return tr("YUY2");
    case F::YUY2Packed:
        return tr("YUY2 Packed");
    case F::YVY2:
        return tr("YVY2");
    case F::YVY2Packed:
        return tr("YVY2 Packed");
    case F::Mono8:
        return tr("Mono 8");
    case F::Mono10:
        return tr("Mono 10");
    case F::Mono10Packed:
        return tr("Mono 10 Packed");
    case F::Mono12:
        return tr("Mono 12");
    case F::Mono12Packed:
        return tr("Mono 12 Packed");
    case F::Mono16:
        return tr("Mono 16");
    case F::MJPEG:
        return tr("Motion JPEG");
    case F::H264:
        return tr("H.264");
    case F::H265:
        return tr("H.265");
    default:
        return tr("Unknown");
    }
}
