#pragma once

#include <QImage>
#include <QMainWindow>

#include <atomic>
#include <memory>

class FrameView;
class QLabel;
class QMenu;
class QTimer;

namespace tesk {
class Camera;
class Frame;
struct CameraInfo;
} // namespace tesk

/// The program's window: picks a camera, shows its live picture and its rate.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    bool hasCamera() const { return m_camera != nullptr; }
    FrameView* frameView() const { return m_view; }

public slots:
    void openUsbDevice(int index);
    /// Like openUsbDevice, but only when `name` is empty or is the listed device's name.
    void openUsbDeviceWithName(int type, int index, const QString& name);
    void closeCamera();
    /// Closes without asking, as when the session ends.
    void closeWithoutAsking();

signals:
    void getImage(QImage image, bool init);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static void frameCallback(const tesk::Frame* source, const tesk::Frame* frame, long long timestamp, void* user);
    void showFrame(const QImage& image);
    void fillDeviceMenu();
    void reopenLastDevice();
    void openFound(const tesk::CameraInfo& info);
    void updateFrameRate();

    FrameView* m_view = nullptr;
    QMenu* m_deviceMenu = nullptr;
    QLabel* m_deviceLabel = nullptr;
    QLabel* m_rateLabel = nullptr;
    QTimer* m_rateTimer = nullptr;
    std::unique_ptr<tesk::Camera> m_camera;
    std::atomic<int> m_framesInFlight{0};
};
