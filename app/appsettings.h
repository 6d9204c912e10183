#pragma once

#include "cameralastdevice.h"

#include <QColor>
#include <QKeySequence>
#include <QSettings>
#include <QSize>
#include <QString>

/// Typed access to the settings store for the keys most parts use.
/// One process-wide object, created on first use; getters apply the store's defaults.
class AppSettings final
{
public:
    static AppSettings* instance();

    bool restoreParameters() const;
    void setRestoreParameters(bool enable);
    bool openLastDevice() const;
    void setOpenLastDevice(bool enable);
    bool tryStillCapture() const;
    void setTryStillCapture(bool enable);
    /// Whether every picture and video asks for its file name ("capture/popup").
    bool capturePopup() const;
    void setCapturePopup(bool ask);
    bool confirmExit() const;
    void setConfirmExit(bool ask);

    /// The frame size a camera had when it was last closed ("cameraParam/<key>"); 0 x 0 when
    /// none is stored.
    QSize savedFrameSize(const QString& cameraKey) const;
    void setSavedFrameSize(const QString& cameraKey, const QSize& size);

    CameraLastDevice lastDevice() const;
    void setLastDevice(const CameraLastDevice& device);
    void clearLastDevice();

    QString currentCalibrationName() const;
    void setCurrentCalibrationName(const QString& name);
    QString currentCalibrationUnit() const;
    void setCurrentCalibrationUnit(const QString& unit);

    QColor crosshairColor() const;
    void setCrosshairColor(const QColor& color);
    bool crosshairShow() const;
    void setCrosshairShow(bool show);
    int crosshairStyle() const;
    void setCrosshairStyle(int style);
    int crosshairWidth() const;
    void setCrosshairWidth(int width);
    int decimalPlaces() const;
    void setDecimalPlaces(int places);

    bool proxyEnable() const;
    void setProxyEnable(bool enable);
    QString proxyAddress() const;
    void setProxyAddress(const QString& address);
    int proxyPort() const;
    void setProxyPort(int port);

    QKeySequence fullscreenShortcut() const;
    void setFullscreenShortcut(const QKeySequence& keys);
    QKeySequence snapShortcut() const;
    void setSnapShortcut(const QKeySequence& keys);
    QKeySequence zoomInShortcut() const;
    void setZoomInShortcut(const QKeySequence& keys);
    QKeySequence zoomOutShortcut() const;
    void setZoomOutShortcut(const QKeySequence& keys);

    /// Writes pending changes to disk; the store also does this on its own.
    void sync();

private:
    AppSettings() = default;
    QKeySequence shortcut(const QString& key, const QKeySequence& fallback) const;

    mutable QSettings m_settings;
};
