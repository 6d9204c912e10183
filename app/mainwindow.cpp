#include "mainwindow.h"

#include "appsettings.h"
#include "camerakey.h"
#include "frameview.h"
#include "settingskeys.h"
#include "userprompt.h"

#include <tesk/camera.h>
#include <tesk/camerafactory.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <optional>

namespace {
// The GUI keeps at most this many pictures queued; later ones are dropped until it catches up.
constexpr int kMaxFramesInFlight = 2;
constexpr int kFrameRateIntervalMs = 1500;
} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), m_view(new FrameView(this))
{
    setWindowTitle(QCoreApplication::applicationName());
    setWindowIcon(QIcon(QStringLiteral(":/oem/logo.ico")));
    setCentralWidget(m_view);
    resize(1280, 800);

    m_deviceMenu = menuBar()->addMenu(tr("&Camera"));
    connect(m_deviceMenu, &QMenu::aboutToShow, this, &MainWindow::fillDeviceMenu);

    QToolBar* toolBar = addToolBar(tr("Camera"));
    toolBar->setObjectName(QStringLiteral("toolBarCamera"));
    toolBar->setMovable(false);
    QAction* openAction =
        toolBar->addAction(QIcon::fromTheme(QStringLiteral("dkp-camera")), tr("Open Video Source..."));
    connect(openAction, &QAction::triggered, this, [this]() {
        fillDeviceMenu();
        m_deviceMenu->popup(QCursor::pos());
    });
    QAction* closeAction = toolBar->addAction(QIcon::fromTheme(QStringLiteral("dkp-close")), tr("Close"));
    connect(closeAction, &QAction::triggered, this, &MainWindow::closeCamera);

    m_deviceLabel = new QLabel(tr("No camera"), this);
    m_rateLabel = new QLabel(this);
    statusBar()->addWidget(m_deviceLabel, 1);
    statusBar()->addPermanentWidget(m_rateLabel);

    m_rateTimer = new QTimer(this);
    m_rateTimer->setInterval(kFrameRateIntervalMs);
    connect(m_rateTimer, &QTimer::timeout, this, &MainWindow::updateFrameRate);

    connect(
        this, &MainWindow::getImage, this, [this](const QImage& image, bool) { showFrame(image); },
        Qt::QueuedConnection);

    QSettings settings;
    settings.beginGroup(SettingsKeys::MainWindowGroup);
    restoreGeometry(settings.value(SettingsKeys::Geometry).toByteArray());
    restoreState(settings.value(SettingsKeys::WindowState).toByteArray());

    QTimer::singleShot(500, this, &MainWindow::reopenLastDevice);
}

void MainWindow::reopenLastDevice()
{
    if (m_camera || !AppSettings::instance()->openLastDevice()) {
        return;
    }
    const CameraLastDevice last = AppSettings::instance()->lastDevice();
    if (last.type == 0 && last.index >= 0) {
        openUsbDeviceWithName(last.type, last.index, last.deviceName);
    }
}

MainWindow::~MainWindow()
{
    closeCamera();
}

void MainWindow::fillDeviceMenu()
{
    m_deviceMenu->clear();
    const auto devices = tesk::CameraFactory::deviceList();
    for (const tesk::CameraInfo& info : devices) {
        QAction* action = m_deviceMenu->addAction(QString::fromStdString(info.name));
        const int index = info.index;
        connect(action, &QAction::triggered, this, [this, index]() { openUsbDevice(index); });
    }
    if (devices.empty()) {
        m_deviceMenu->addAction(tr("No camera found"))->setEnabled(false);
    }
    m_deviceMenu->addSeparator();
    QAction* close = m_deviceMenu->addAction(tr("Close"));
    close->setEnabled(m_camera != nullptr);
    connect(close, &QAction::triggered, this, &MainWindow::closeCamera);
}

namespace {
std::optional<tesk::CameraInfo> findUsbDevice(int index)
{
    for (const tesk::CameraInfo& info : tesk::CameraFactory::deviceList()) {
        if (info.index == index) {
            return info;
        }
    }
    return std::nullopt;
}
} // namespace

void MainWindow::openUsbDevice(int index)
{
    openUsbDeviceWithName(0, index, QString());
}

void MainWindow::openUsbDeviceWithName(int, int index, const QString& name)
{
    const std::optional<tesk::CameraInfo> found = findUsbDevice(index);
    if (!found) {
        UserPrompt::critical(this, tr("Error"), tr("Failed to open camera, index= %1").arg(index));
        return;
    }
    if (!name.isEmpty() && name != QString::fromStdString(found->name)) {
        return;
    }
    openFound(*found);
}

void MainWindow::openFound(const tesk::CameraInfo& info)
{
    closeCamera();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_camera.reset(tesk::CameraFactory::getCamera(info));
    int result = -1;
    if (m_camera) {
        const QString key = cameraKey(info);
        qDebug().noquote() << "camera key: " + key;
        m_camera->setFrameCallBack(&MainWindow::frameCallback, this);
        m_camera->loadRequestParam(requestParameterFile(key).toStdString());
        result = m_camera->open(1920, 1080);
        if (result == 0) {
            result = m_camera->start();
        }
    }
    QApplication::restoreOverrideCursor();
    if (result != 0) {
        closeCamera();
        AppSettings::instance()->clearLastDevice();
        UserPrompt::critical(this, tr("Error"), tr("Failed to open camera: %1").arg(result));
        return;
    }
    AppSettings::instance()->setLastDevice(
        {info.type, info.index, QString::fromStdString(info.address), QString::fromStdString(info.name)});
    m_deviceLabel->setText(QString::fromStdString(info.name));
    m_rateTimer->start();
    qInfo().noquote() << "Camera opened:" << QString::fromStdString(info.name);
}

void MainWindow::closeCamera()
{
    m_rateTimer->stop();
    if (m_camera) {
        // close() returns once the frame callback can no longer run.
        m_camera->close();
        m_camera.reset();
        qInfo() << "Camera closed";
    }
    m_deviceLabel->setText(tr("No camera"));
    m_rateLabel->clear();
    // Pictures still queued from the closed camera are replaced by the placeholder.
    QTimer::singleShot(500, this, [this]() {
        if (!m_camera) {
            m_view->clear();
        }
    });
}

void MainWindow::frameCallback(const tesk::Frame*, const tesk::Frame* frame, long long, void* user)
{
    auto* window = static_cast<MainWindow*>(user);
    if (!frame || window->m_framesInFlight.load() >= kMaxFramesInFlight) {
        return;
    }
    const QImage wrapped(frame->data(), frame->width(), frame->height(), frame->width() * 4, QImage::Format_RGB32);
    ++window->m_framesInFlight;
    emit window->getImage(wrapped.copy(), false);
}

void MainWindow::showFrame(const QImage& image)
{
    --m_framesInFlight;
    if (m_camera) {
        m_view->showImage(image);
    }
}

void MainWindow::updateFrameRate()
{
    if (m_camera && m_camera->isOpened()) {
        const tesk::Size size = m_camera->frameSize();
        m_rateLabel->setText(
            tr("%1 x %2, %3 fps").arg(size.width()).arg(size.height()).arg(m_camera->frameRate(), 0, 'f', 1));
    }
}

void MainWindow::closeWithoutAsking()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    closeCamera();
    QSettings settings;
    settings.beginGroup(SettingsKeys::MainWindowGroup);
    settings.setValue(SettingsKeys::Geometry, saveGeometry());
    settings.setValue(SettingsKeys::WindowState, saveState(0));
    event->accept();
}
