#pragma once

#include "recorderslot.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <atomic>
#include <memory>

class CameraParamsForm;
class FormOutputbar;
class FormSidebar;
class QAction;
class QSplitter;
class QTimer;
class StatusBar;
class TimelapseDialog;
class VideoRecording;

namespace QWK {
class WidgetWindowAgent;
class WindowBar;
} // namespace QWK

namespace tesk {
class Camera;
class Frame;
struct CameraInfo;
} // namespace tesk

namespace vrx {
class GraphicsView;
}

/// The program's window: the picture view with its tools, the sidebar with the camera controls,
/// the status bar and the frameless title bar. It owns the open camera, feeds its frames to the
/// view, remembers the last camera and its own geometry, and asks before it closes.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    /// A first start's geometry: four fifths of the available area, centred in it.
    static QRect firstStartGeometry(const QRect& available);
    /// The picture shown while no camera is open.
    static QImage noImagePicture();
    /// What a box camera shows until its camera button is pressed.
    static QImage pressCameraButtonPicture();

    bool hasCamera() const { return m_camera != nullptr; }
    tesk::Camera* camera() const { return m_camera.get(); }
    vrx::GraphicsView* graphicsView() const { return m_view; }
    StatusBar* statusBarObject() const { return m_statusBar.get(); }
    FormSidebar* sidebar() const { return m_sidebar; }
    QSplitter* rightSplitter() const { return m_rightSplitter; }
    /// The recorder slot the frame callback feeds (the recorder itself is started elsewhere).
    RecorderSlot& recorderSlot() { return m_recorder; }

signals:
    void getImage(QImage image, bool init);
    void previewSizeChange(int width, int height);

public slots:
    void pausePreview(bool pause);
    void openUsbDevice(int index);
    /// Like openUsbDevice, but only when `name` is empty or is the listed device's name.
    void openUsbDeviceWithName(int type, int index, const QString& name);
    void openDevice();
    void openNetworkDevice(int type, const QString& url);
    void openNetcam();
    void openSelectDeviceDialog();
    void closeCamera();
    void toggleFullscreen();
    void toggleOutputbar(bool checked);
    void about();
    void titlebarMenuClicked();
    void matrixIndicationClicked();
    void zoom();
    void zoomCanvas(int value);
    void closeCameraClearLast();
    void openGallery();
    void matrixChanged(double scale, int rotate);
    void updateFPS();
    void zoomIn();
    void zoomOut();
    void preferencesApplied();
    /// Shows the preferences dialog at page `id`; applying it takes effect at once.
    void preferences(int id = 0);
    /// The preferences dialog at its "Files" page, where measurement settings live.
    void measurementPreferences();
    /// Shows a region dragged on the picture in the region dialog.
    void onRubberBandGrab(const QImage& image);
    /// Closes without asking, as when the session ends.
    void closeWithoutAsking();

    /// Saves what the view shows, with the tools drawn in.
    void grabScreenshot();
    /// Saves a picture at the camera's largest size.
    void grabMaxFrame();
    /// Grabs a largest-size picture and saves it; the file's path, or empty when none was saved.
    QString snap_internal(bool popupFileDialog);
    void grabTimelapse();

    bool isRecording();
    bool isRecordingPaused();
    /// Starts recording into `filePath`, or resumes a paused recording; `error` says why not.
    bool startRecording(QString filePath, QString& error);
    void pauseRecording(bool enable);
    void stopRecording();
    void toggleRecord(bool start);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static void frameCallback(const tesk::Frame* source, const tesk::Frame* frame, long long timestamp, void* user);
    static void streamLostCallback(int error, void* user);
    void createTitleBar(QWidget* central);
    void createActions();
    void connectParts();
    void restoreWindowGeometry();
    void reopenLastDevice();
    void startCamera(const tesk::CameraInfo& info);
    void setCaptureActionsEnabled(bool enabled);
    void onStreamLost(int error);
    void onRecordingStoppedByItself(const QString& filePath);
    void uncheckRecordAction();
    QMenu* zoomPresetMenu();

    QWK::WidgetWindowAgent* m_agent = nullptr;
    QWK::WindowBar* m_windowBar = nullptr;
    QAction* m_snapAction = nullptr;
    QAction* m_maxFrameAction = nullptr;
    QAction* m_timelapseAction = nullptr;
    QAction* m_recordAction = nullptr;
    QAction* m_galleryAction = nullptr;
    QAction* m_settingsAction = nullptr;
    QAction* m_zoomInAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QAction* m_zoom200Action = nullptr;
    QAction* m_zoom100Action = nullptr;
    QAction* m_zoom75Action = nullptr;
    QAction* m_zoom50Action = nullptr;
    QAction* m_zoom25Action = nullptr;
    QAction* m_zoomFitAction = nullptr;
    QAction* m_fullScreenAction = nullptr;
    QAction* m_outputBarAction = nullptr;
    QAction* m_aboutAction = nullptr;
    vrx::GraphicsView* m_view = nullptr;
    FormSidebar* m_sidebar = nullptr;
    FormOutputbar* m_outputBar = nullptr;
    std::unique_ptr<StatusBar> m_statusBar;
    QSize m_previewSize;
    std::unique_ptr<tesk::Camera> m_camera;
    RecorderSlot m_recorder;
    VideoRecording* m_recording = nullptr;
    QPointer<TimelapseDialog> m_timelapseDialog;
    QTimer* m_frameRateTimer = nullptr;
    QSplitter* m_mainSplitter = nullptr;
    QSplitter* m_rightSplitter = nullptr;
    // Pictures on their way to the view; the callback drops frames while the GUI is behind.
    std::atomic<int> m_framesInFlight{0};
    // The camera's type, for the callback (which must not touch the camera object).
    std::atomic<int> m_cameraType{-1};
    bool m_askBeforeClosing = true;
    // Set while the program itself unchecks the record action.
    bool m_uncheckingRecordAction = false;
};
