#include "appsettings.h"

#include "settingskeys.h"

namespace {

bool isValidCrosshairStyle(int style)
{
    return style >= SettingsDefaults::CrosshairStyleMin && style <= SettingsDefaults::CrosshairStyleMax;
}

} // namespace

AppSettings* AppSettings::instance()
{
    // A function-local static is created once, safely, even on concurrent first use.
    static AppSettings settings;
    return &settings;
}

bool AppSettings::restoreParameters() const
{
    return m_settings.value(SettingsKeys::RestoreParameters, SettingsDefaults::RestoreParameters).toBool();
}

void AppSettings::setRestoreParameters(bool enable)
{
    m_settings.setValue(SettingsKeys::RestoreParameters, enable);
}

bool AppSettings::openLastDevice() const
{
    return m_settings.value(SettingsKeys::OpenLastDevice, SettingsDefaults::OpenLastDevice).toBool();
}

void AppSettings::setOpenLastDevice(bool enable)
{
    m_settings.setValue(SettingsKeys::OpenLastDevice, enable);
}

bool AppSettings::tryStillCapture() const
{
    return m_settings.value(SettingsKeys::TryStillCapture, SettingsDefaults::TryStillCapture).toBool();
}

void AppSettings::setTryStillCapture(bool enable)
{
    m_settings.setValue(SettingsKeys::TryStillCapture, enable);
}

bool AppSettings::capturePopup() const
{
    return m_settings.value(SettingsKeys::CapturePopup, SettingsDefaults::CapturePopup).toBool();
}

void AppSettings::setCapturePopup(bool ask)
{
    m_settings.setValue(SettingsKeys::CapturePopup, ask);
}

CameraLastDevice AppSettings::lastDevice() const
{
    CameraLastDevice device;
    device.type = m_settings.value(SettingsKeys::LastType, SettingsDefaults::LastType).toInt();
    device.index = m_settings.value(SettingsKeys::LastIndex, SettingsDefaults::LastIndex).toInt();
    device.url = m_settings.value(SettingsKeys::LastUrl).toString();
    device.deviceName = m_settings.value(SettingsKeys::LastDeviceName).toString();
    return device;
}

void AppSettings::setLastDevice(const CameraLastDevice& device)
{
    m_settings.setValue(SettingsKeys::LastType, device.type);
    m_settings.setValue(SettingsKeys::LastIndex, device.index);
    m_settings.setValue(SettingsKeys::LastUrl, device.url);
    m_settings.setValue(SettingsKeys::LastDeviceName, device.deviceName);
}

void AppSettings::clearLastDevice()
{
    setLastDevice(CameraLastDevice{});
}

QString AppSettings::currentCalibrationName() const
{
    return m_settings.value(SettingsKeys::CalibrationName).toString();
}

void AppSettings::setCurrentCalibrationName(const QString& name)
{
    m_settings.setValue(SettingsKeys::CalibrationName, name);
}

QString AppSettings::currentCalibrationUnit() const
{
    return m_settings.value(SettingsKeys::CalibrationUnit).toString();
}

void AppSettings::setCurrentCalibrationUnit(const QString& unit)
{
    m_settings.setValue(SettingsKeys::CalibrationUnit, unit);
}

bool AppSettings::confirmExit() const
{
    return m_settings.value(SettingsKeys::ConfirmExit, SettingsDefaults::ConfirmExit).toBool();
}

void AppSettings::setConfirmExit(bool ask)
{
    m_settings.setValue(SettingsKeys::ConfirmExit, ask);
}

QSize AppSettings::savedFrameSize(const QString& cameraKey) const
{
    const QVariantMap map = m_settings.value(SettingsKeys::CameraParamPrefix + cameraKey).toMap();
    return QSize(map.value(QStringLiteral("framesize_x"), 0).toInt(),
                 map.value(QStringLiteral("framesize_y"), 0).toInt());
}

void AppSettings::setSavedFrameSize(const QString& cameraKey, const QSize& size)
{
    m_settings.setValue(
        SettingsKeys::CameraParamPrefix + cameraKey,
        QVariantMap{{QStringLiteral("framesize_x"), size.width()}, {QStringLiteral("framesize_y"), size.height()}});
}

QColor AppSettings::crosshairColor() const
{
    return m_settings.value(SettingsKeys::CrosshairColor).value<QColor>();
}

void AppSettings::setCrosshairColor(const QColor& color)
{
    m_settings.setValue(SettingsKeys::CrosshairColor, color);
}

bool AppSettings::crosshairShow() const
{
    return m_settings.value(SettingsKeys::CrosshairShow, SettingsDefaults::CrosshairShow).toBool();
}

void AppSettings::setCrosshairShow(bool show)
{
    m_settings.setValue(SettingsKeys::CrosshairShow, show);
}

int AppSettings::crosshairStyle() const
{
    const int style = m_settings.value(SettingsKeys::CrosshairStyle, SettingsDefaults::CrosshairStyle).toInt();
    return isValidCrosshairStyle(style) ? style : SettingsDefaults::CrosshairStyle;
}

void AppSettings::setCrosshairStyle(int style)
{
    m_settings.setValue(SettingsKeys::CrosshairStyle,
                        isValidCrosshairStyle(style) ? style : SettingsDefaults::CrosshairStyle);
}

int AppSettings::crosshairWidth() const
{
    return m_settings.value(SettingsKeys::CrosshairWidth, SettingsDefaults::CrosshairWidth).toInt();
}

void AppSettings::setCrosshairWidth(int width)
{
    m_settings.setValue(SettingsKeys::CrosshairWidth, width);
}

int AppSettings::decimalPlaces() const
{
    return m_settings.value(SettingsKeys::DecimalPlaces, SettingsDefaults::DecimalPlaces).toInt();
}

void AppSettings::setDecimalPlaces(int places)
{
    m_settings.setValue(SettingsKeys::DecimalPlaces, places);
}

bool AppSettings::proxyEnable() const
{
    return m_settings.value(SettingsKeys::ProxyEnable, SettingsDefaults::ProxyEnable).toBool();
}

void AppSettings::setProxyEnable(bool enable)
{
    m_settings.setValue(SettingsKeys::ProxyEnable, enable);
}

QString AppSettings::proxyAddress() const
{
    return m_settings.value(SettingsKeys::ProxyAddress).toString();
}

void AppSettings::setProxyAddress(const QString& address)
{
    m_settings.setValue(SettingsKeys::ProxyAddress, address);
}

int AppSettings::proxyPort() const
{
    return m_settings.value(SettingsKeys::ProxyPort, SettingsDefaults::ProxyPort).toInt();
}

void AppSettings::setProxyPort(int port)
{
    m_settings.setValue(SettingsKeys::ProxyPort, port);
}

QKeySequence AppSettings::shortcut(const QString& key, const QKeySequence& fallback) const
{
    const QVariant stored = m_settings.value(key, fallback);
    if (stored.userType() == QMetaType::QKeySequence) {
        return stored.value<QKeySequence>();
    }
    // A text written by hand or by another program: take its portable form, or nothing.
    const QKeySequence converted = QKeySequence::fromString(stored.toString(), QKeySequence::PortableText);
    for (int i = 0; i < converted.count(); ++i) {
        if (converted[i] == Qt::Key_unknown) {
            return QKeySequence();
        }
    }
    return converted;
}

QKeySequence AppSettings::fullscreenShortcut() const
{
    return shortcut(SettingsKeys::ShortcutFullscreen, SettingsDefaults::ShortcutFullscreen);
}

void AppSettings::setFullscreenShortcut(const QKeySequence& keys)
{
    m_settings.setValue(SettingsKeys::ShortcutFullscreen, keys);
}

QKeySequence AppSettings::snapShortcut() const
{
    return shortcut(SettingsKeys::ShortcutSnap, SettingsDefaults::ShortcutSnap);
}

void AppSettings::setSnapShortcut(const QKeySequence& keys)
{
    m_settings.setValue(SettingsKeys::ShortcutSnap, keys);
}

QKeySequence AppSettings::zoomInShortcut() const
{
    return shortcut(SettingsKeys::ShortcutZoomIn, SettingsDefaults::ShortcutZoomIn);
}

void AppSettings::setZoomInShortcut(const QKeySequence& keys)
{
    m_settings.setValue(SettingsKeys::ShortcutZoomIn, keys);
}

QKeySequence AppSettings::zoomOutShortcut() const
{
    return shortcut(SettingsKeys::ShortcutZoomOut, SettingsDefaults::ShortcutZoomOut);
}

void AppSettings::setZoomOutShortcut(const QKeySequence& keys)
{
    m_settings.setValue(SettingsKeys::ShortcutZoomOut, keys);
}

void AppSettings::sync()
{
    m_settings.sync();
}
