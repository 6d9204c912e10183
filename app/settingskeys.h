#pragma once

// Every key of the settings store and its default, spelled once.
// Readers and writers use these names; no other file writes a key string.

#include <QColor>
#include <QKeySequence>
#include <QString>

namespace SettingsKeys {

// gui
inline const QString Theme = QStringLiteral("gui/theme");
inline const QString MaximizeWhenLaunch = QStringLiteral("gui/maximizeWhenLanuch");
inline const QString ConfirmExit = QStringLiteral("gui/confirmExit");
inline const QString MainWindowGroup = QStringLiteral("gui/mainWindow");
inline const QString Geometry = QStringLiteral("geometry");
inline const QString WindowState = QStringLiteral("windowState");
inline const QString RightSplitterState = QStringLiteral("rightSplitterState");

// i18n
inline const QString Language = QStringLiteral("i18n/language");

// camera
inline const QString OpenLastDevice = QStringLiteral("camera/openLastDevice");
inline const QString RestoreParameters = QStringLiteral("camera/restoreParameters");
inline const QString TryStillCapture = QStringLiteral("camera/tryStillCapture");
inline const QString LastType = QStringLiteral("camera/lastType");
inline const QString LastIndex = QStringLiteral("camera/lastIndex");
inline const QString LastUrl = QStringLiteral("camera/lastUrl");
inline const QString LastDeviceName = QStringLiteral("camera/lastDeviceName");
inline const QString CameraParamPrefix = QStringLiteral("cameraParam/");
inline const QString FrameSizeX = QStringLiteral("framesize_x");
inline const QString FrameSizeY = QStringLiteral("framesize_y");

// capture
inline const QString CapturePopup = QStringLiteral("capture/popup");
inline const QString CaptureFilePath = QStringLiteral("preferences/capture/filepath");
inline const QString CaptureFileFormat = QStringLiteral("preferences/capture/fileformat");

// measurement
inline const QString ReportFilePath = QStringLiteral("preferences/measurement/exportresult/filepath");
inline const QString ReportPopup = QStringLiteral("preferences/measurement/exportresult/popup");
inline const QString CalibrationName = QStringLiteral("measurement/cali/current_name");
inline const QString CalibrationUnit = QStringLiteral("measurement/cali/current_unit");
inline const QString CrosshairColor = QStringLiteral("measurement/cursor_crosshair_color");
inline const QString CrosshairShow = QStringLiteral("measurement/cursor_crosshair_show");
inline const QString CrosshairStyle = QStringLiteral("measurement/cursor_crosshair_style");
inline const QString CrosshairWidth = QStringLiteral("measurement/cursor_crosshair_width");
inline const QString DecimalPlaces = QStringLiteral("measurement/decimal_places");
inline const QString OverlayType = QStringLiteral("measurement/overlay_type");
inline const QString OverlayAntialiasing = QStringLiteral("measurement/overlay_antialiasing");
inline const QString OverlayColor = QStringLiteral("measurement/overlay_color");
inline const QString OverlayCrossScale = QStringLiteral("measurement/overlay_cross_scale");
inline const QString OverlayCircleScale = QStringLiteral("measurement/overlay_circle_scale");
inline const QString OverlayGridScale = QStringLiteral("measurement/overlay_grid_scale");
inline const QString ShowScalebar = QStringLiteral("measurement/show_scalebar");

// network
inline const QString ProxyEnable = QStringLiteral("network/proxy_enable");
inline const QString ProxyAddress = QStringLiteral("network/proxy_address");
inline const QString ProxyPort = QStringLiteral("network/proxy_port");

// shortcuts
inline const QString ShortcutFullscreen = QStringLiteral("shortcut/fullscreen");
inline const QString ShortcutSnap = QStringLiteral("shortcut/snap");
inline const QString ShortcutZoomIn = QStringLiteral("shortcut/zoomin");
inline const QString ShortcutZoomOut = QStringLiteral("shortcut/zoomout");

// open-device dialog and tools file
inline const QString RtspUrl = QStringLiteral("dkp/rtspurl");
inline const QString ImportFilePath = QStringLiteral("importFilePath");

} // namespace SettingsKeys

namespace SettingsDefaults {

inline const QString Theme = QStringLiteral("darkblue");
inline const QString ThemePlatform = QStringLiteral("default");
constexpr bool MaximizeWhenLaunch = false;
constexpr bool ConfirmExit = true;
inline const QString Language = QStringLiteral("default");

constexpr bool OpenLastDevice = true;
constexpr bool RestoreParameters = false;
constexpr bool TryStillCapture = false;
constexpr int LastType = -1;
constexpr int LastIndex = -1;

constexpr bool CapturePopup = false;
inline const QString CaptureFileFormat = QStringLiteral("jpg");
constexpr bool ReportPopup = false;

constexpr bool CrosshairShow = false;
constexpr int CrosshairStyle = 1;
constexpr int CrosshairStyleMin = 1;
constexpr int CrosshairStyleMax = 5;
constexpr int CrosshairWidth = 1;
constexpr int DecimalPlaces = 2;
constexpr int OverlayType = 0;
constexpr bool OverlayAntialiasing = false;
inline const QColor OverlayColorFallback = QColor(Qt::red);
constexpr int OverlayCrossScale = 5;
constexpr int OverlayCircleScale = 50;
constexpr int OverlayGridScale = 50;
constexpr bool ShowScalebar = true;

constexpr bool ProxyEnable = false;
constexpr int ProxyPort = 8080;

inline const QKeySequence ShortcutFullscreen = QKeySequence(Qt::Key_F11);
inline const QKeySequence ShortcutSnap = QKeySequence(Qt::Key_Return);
inline const QKeySequence ShortcutZoomIn = QKeySequence(Qt::CTRL | Qt::Key_Plus);
inline const QKeySequence ShortcutZoomOut = QKeySequence(Qt::CTRL | Qt::Key_Minus);

} // namespace SettingsDefaults
