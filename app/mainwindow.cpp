#include "mainwindow.h"

#include "appsettings.h"
#include "camerakey.h"
#include "camerasource.h"
#include "formsidebar.h"
#include "savelocations.h"
#include "settingskeys.h"
#include "statusbar.h"
#include "userprompt.h"

#include "camera/cameraparamsform.h"
#include "camera/opendevicedialog.h"
#include "capture/picturewriter.h"
#include "capture/timelapsedialog.h"
#include "capture/videorecording.h"
#include "capture/waitcursor.h"
#include "measure/formmeasure.h"
#include "measure/formoutputbar.h"
#include "preferences/configdialog.h"
#include "roi/regiongrab.h"
#include "roi/regiongrabmenu.h"
#include "widgets/windowbar.h"
#include "widgets/windowbutton.h"

#include <qwk/widgetwindowagent.h>
#include <tesk/camera.h>
#include <tesk/camerafactory.h>
#include <tesk/videorecorder.h>
#include <vrx/aboutdialog.h>
#include <vrx/cursorcrosshair.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitivemanager.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The GUI keeps at most this many pictures queued; later ones are dropped until it catches up.
constexpr int kMaxFramesInFlight = 2;
constexpr int kFrameRateIntervalMs = 1500;
constexpr int kRequestedWidth = 1920;
constexpr int kRequestedHeight = 1080;
// The source format a box camera sends until its camera button is pressed.
constexpr int kBoxCameraIdleFormat = 40;
constexpr int kBoxCameraType = 1;
constexpr int kNetworkCameraType = 3;
// A network camera in access-point mode answers on its own network at this address.
const char* const kNetcamAddress = "192.168.1.1";
// The numeric camera property shown as "FV:".
constexpr int kFocusValueProperty = 20;

QImage textPicture(const QSize& size, const QString& text, int points)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(Qt::lightGray));
    QPainter painter(&image);
    painter.setPen(QColor(Qt::darkGray));
    QFont font(QStringLiteral("Times"), points, QFont::Bold);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

QString compileDate()
{
    // __DATE__ is "Mmm dd yyyy" with the day padded by a blank.
    return QString::fromLatin1(__DATE__);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QCoreApplication::applicationName());
    setWindowIcon(QIcon(QStringLiteral(":/oem/logo.ico")));

    m_agent = new QWK::WidgetWindowAgent(this);
    m_agent->setup(this);
    m_recording = new VideoRecording(m_recorder, this);
    connect(m_recording, &VideoRecording::stoppedByItself, this, &MainWindow::onRecordingStoppedByItself);

    // The picture, with the measurement table under it once it exists.
    m_rightSplitter = new QSplitter(Qt::Vertical);
    auto* viewBox = new QWidget;
    auto* viewLayout = new QHBoxLayout(viewBox);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    m_view = new vrx::GraphicsView(this);
    viewLayout->addWidget(m_view);
    m_view->primitiveManager()->setCalibration(AppSettings::instance()->currentCalibrationName(),
                                               AppSettings::instance()->currentCalibrationUnit());
    m_view->updateBackgroundByImage(noImagePicture());
    m_rightSplitter->addWidget(viewBox);
    m_outputBar = new FormOutputbar(m_rightSplitter);
    m_rightSplitter->addWidget(m_outputBar);
    m_rightSplitter->setStretchFactor(0, 1);
    m_rightSplitter->setChildrenCollapsible(true);
    m_outputBar->hide();

    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_sidebar = new FormSidebar(m_mainSplitter);
    m_mainSplitter->addWidget(m_sidebar);
    m_mainSplitter->addWidget(m_rightSplitter);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setChildrenCollapsible(false);
    connect(m_sidebar, &FormSidebar::openWiFi, this, &MainWindow::openNetcam);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    createTitleBar(central);
    centralLayout->addWidget(m_mainSplitter, 1);
    setCentralWidget(central);

    setStatusBar(new QStatusBar(this));
    m_statusBar = std::make_unique<StatusBar>(statusBar());
    m_statusBar->showMessage(tr("Ready"));

    createActions();
    connectParts();
    if (auto* measure = m_sidebar->findChild<FormMeasure*>(QStringLiteral("FormMeasure"))) {
        measure->setGraphicsView(m_view);
    }
    m_outputBar->setGraphicsView(m_view, m_view->primitiveManager());
    preferencesApplied();

    m_frameRateTimer = new QTimer(this);
    m_frameRateTimer->setInterval(kFrameRateIntervalMs);
    connect(m_frameRateTimer, &QTimer::timeout, this, &MainWindow::updateFPS);

    QTimer::singleShot(500, this, &MainWindow::reopenLastDevice);
    restoreWindowGeometry();
}

MainWindow::~MainWindow()
{
    delete m_timelapseDialog.data();
    closeCamera();
    delete m_recording;
    m_recording = nullptr;
    AppSettings::instance()->setCurrentCalibrationName(m_view->primitiveManager()->currentCalibrationName());
    AppSettings::instance()->setCurrentCalibrationUnit(m_view->primitiveManager()->currentUnitKey());
}

QRect MainWindow::firstStartGeometry(const QRect& available)
{
    const int width = available.width() / 5 * 4;
    const int height = available.height() / 5 * 4;
    return QRect(available.x() + (available.width() - width) / 2, available.y() + (available.height() - height) / 2,
                 width, height);
}

QImage MainWindow::noImagePicture()
{
    return textPicture(QSize(1920, 1080), tr("No Image"), 100);
}

QImage MainWindow::pressCameraButtonPicture()
{
    return textPicture(QSize(800, 600), tr("Press Camera button"), 40);
}

void MainWindow::createTitleBar(QWidget* central)
{
    auto* title = new QLabel(QCoreApplication::applicationName(), central);
    title->setObjectName(QStringLiteral("win-title-label"));
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto button = [central](const char* name, bool system) {
        auto* b = new QWK::WindowButton(central);
        b->setObjectName(QLatin1String(name));
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        if (system) {
            b->setProperty("system-button", true);
        }
        return b;
    };
    QWK::WindowButton* iconButton = button("icon-button", false);
    QWK::WindowButton* menuButton = button("menu-button", true);
    QWK::WindowButton* minButton = button("min-button", true);
    QWK::WindowButton* maxButton = button("max-button", true);
    maxButton->setCheckable(true);
    QWK::WindowButton* closeButton = button("close-button", true);
    iconButton->setIconNormal(windowIcon());
    menuButton->setIconNormal(QIcon::fromTheme(QStringLiteral("window-menu")));
    minButton->setIconNormal(QIcon::fromTheme(QStringLiteral("window-minimize")));
    maxButton->setIconNormal(QIcon::fromTheme(QStringLiteral("window-maximize")));
    maxButton->setIconChecked(QIcon::fromTheme(QStringLiteral("window-restore")));
    closeButton->setIconNormal(QIcon::fromTheme(QStringLiteral("window-close")));

    m_windowBar = new QWK::WindowBar(central);
    m_windowBar->setIconButton(iconButton);
    m_windowBar->setMenuButton(menuButton);
    m_windowBar->setMinButton(minButton);
    m_windowBar->setMaxButton(maxButton);
    m_windowBar->setCloseButton(closeButton);
    m_windowBar->setTitleLabel(title);
    m_windowBar->setHostWidget(this);
    central->layout()->addWidget(m_windowBar);

    m_agent->setTitleBar(m_windowBar);
    m_agent->setSystemButton(QWK::WindowAgentBase::Minimize, minButton);
    m_agent->setSystemButton(QWK::WindowAgentBase::Maximize, maxButton);
    m_agent->setSystemButton(QWK::WindowAgentBase::Close, closeButton);
    m_agent->setHitTestVisible(menuButton, true);

    connect(m_windowBar, &QWK::WindowBar::menuRequested, this, &MainWindow::titlebarMenuClicked);
    connect(m_windowBar, &QWK::WindowBar::minimizeRequested, this, &QWidget::showMinimized);
    connect(m_windowBar, &QWK::WindowBar::maximizeRequested, this, [this, maxButton](bool max) {
        if (max) {
            showMaximized();
        } else {
            showNormal();
        }
        // The button moved away from under the cursor: it must not stay highlighted.
        QTimer::singleShot(0, maxButton, [maxButton] {
            if (!maxButton->rect().contains(maxButton->mapFromGlobal(QCursor::pos()))) {
                QEvent leave(QEvent::Leave);
                QCoreApplication::sendEvent(maxButton, &leave);
                if (maxButton->testAttribute(Qt::WA_Hover)) {
                    QHoverEvent hoverLeave(QEvent::HoverLeave, QPointF(-1, -1), QPointF());
                    QCoreApplication::sendEvent(maxButton, &hoverLeave);
                }
            }
        });
    });
    connect(m_windowBar, &QWK::WindowBar::closeRequested, this, &QWidget::close);
}

void MainWindow::createActions()
{
    auto make = [this](const char* icon, const QString& text, const QString& tip, bool bothTips = true) {
        auto* action = new QAction(QIcon::fromTheme(QLatin1String(icon)), text, this);
        if (!tip.isEmpty()) {
            action->setToolTip(tip);
            if (bothTips) {
                action->setStatusTip(tip);
            }
        }
        return action;
    };
    m_snapAction = make("snap", tr("Snap"), tr("Grab preview image"));
    m_snapAction->setObjectName(QStringLiteral("actionSnap"));
    m_maxFrameAction = make("snap", tr("Capture (Maximum resolution)"), tr("Take a picture (Maximum resolution)"));
    m_maxFrameAction->setObjectName(QStringLiteral("actionMaxFrame"));
    m_timelapseAction =
        make("snap_timelapse", tr("Time-lapse"), tr("Automatically captures multiple photos at intervals"));
    m_timelapseAction->setObjectName(QStringLiteral("actionTimelapse"));

    QIcon recordIcon;
    recordIcon.addPixmap(QIcon::fromTheme(QStringLiteral("record-start")).pixmap(24), QIcon::Normal, QIcon::Off);
    recordIcon.addPixmap(QIcon::fromTheme(QStringLiteral("record-stop")).pixmap(24), QIcon::Normal, QIcon::On);
    m_recordAction = new QAction(recordIcon, tr("Record"), this);
    m_recordAction->setObjectName(QStringLiteral("actionRecord"));
    m_recordAction->setToolTip(tr("Start/Stop video recording"));
    m_recordAction->setCheckable(true);
    setCaptureActionsEnabled(false);
    connect(m_snapAction, &QAction::triggered, this, &MainWindow::grabScreenshot);
    connect(m_maxFrameAction, &QAction::triggered, this, &MainWindow::grabMaxFrame);
    connect(m_timelapseAction, &QAction::triggered, this, &MainWindow::grabTimelapse);
    connect(m_recordAction, &QAction::toggled, m_maxFrameAction,
            [this](bool on) { m_maxFrameAction->setEnabled(!on && hasCamera()); });

    m_galleryAction = make("gallery", tr("Gallery"), tr("Open image and video folder"), false);
    m_galleryAction->setObjectName(QStringLiteral("actionGallery"));
    connect(m_galleryAction, &QAction::triggered, this, &MainWindow::openGallery);
    m_settingsAction = make("settings", tr("Settings..."), tr("Show preferences dialog."), false);
    m_settingsAction->setObjectName(QStringLiteral("actionSettings"));
    m_settingsAction->setShortcut(QKeySequence::Preferences);

    m_zoomInAction = make("zoom-in", tr("Zoom In"), tr("Increase the zoom level"), false);
    m_zoomInAction->setObjectName(QStringLiteral("actionZoomIn"));
    connect(m_zoomInAction, &QAction::triggered, this, &MainWindow::zoomIn);
    m_zoomOutAction = make("zoom-out", tr("Zoom Out"), tr("Decrease the zoom level"), false);
    m_zoomOutAction->setObjectName(QStringLiteral("actionZoomOut"));
    connect(m_zoomOutAction, &QAction::triggered, this, &MainWindow::zoomOut);
    auto preset = [this](const QString& text) {
        auto* action = new QAction(text, this);
        connect(action, &QAction::triggered, this, &MainWindow::zoom);
        return action;
    };
    m_zoom200Action = preset(tr("200%"));
    m_zoom100Action = preset(tr("100%"));
    m_zoom75Action = preset(tr("75%"));
    m_zoom50Action = preset(tr("50%"));
    m_zoom25Action = preset(tr("25%"));
    m_zoomFitAction = preset(tr("Fit in view"));

    m_fullScreenAction = make("fullscreen", tr("Fullscreen"), QString());
    m_fullScreenAction->setObjectName(QStringLiteral("actionFullscreen"));
    connect(m_fullScreenAction, &QAction::triggered, this, &MainWindow::toggleFullscreen);
    m_outputBarAction = make("tableview", tr("List"), QString());
    m_outputBarAction->setObjectName(QStringLiteral("actionList"));
    m_outputBarAction->setCheckable(true);
    m_outputBarAction->setChecked(false);
    connect(m_outputBarAction, &QAction::triggered, this, &MainWindow::toggleOutputbar);
    m_aboutAction = make("about", tr("About..."), tr("Open about dialog"), false);
    m_aboutAction->setObjectName(QStringLiteral("actionAbout"));
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::about);

    // Window-wide shortcuts work wherever the focus is.
    addActions({m_snapAction, m_fullScreenAction, m_zoomInAction, m_zoomOutAction, m_settingsAction});
}

void MainWindow::connectParts()
{
    connect(this, &MainWindow::previewSizeChange, m_statusBar.get(), &StatusBar::showFrameSize);
    connect(this, &MainWindow::previewSizeChange, this, [](int width, int height) {
        qInfo().noquote() << QStringLiteral("picture size %1x%2").arg(width).arg(height);
    });
    connect(m_view, &vrx::GraphicsView::matrixChanged, this,
            [this](double scale, double rotate) { matrixChanged(scale, int(rotate)); });
    connect(this, &MainWindow::getImage, m_view, &vrx::GraphicsView::updateBackgroundByImage);
    // Queued behind the picture: the picture has reached the GUI thread.
    connect(
        this, &MainWindow::getImage, this, [this] { --m_framesInFlight; }, Qt::QueuedConnection);

    CameraParamsForm* controls = m_sidebar->cameraParamsForm();
    connect(controls, &CameraParamsForm::openSelectDeviceDialog, this, &MainWindow::openSelectDeviceDialog);
    connect(controls, &CameraParamsForm::closeCamera, this, &MainWindow::closeCameraClearLast);
    connect(controls, &CameraParamsForm::pauseCamera, this, &MainWindow::pausePreview);
    connect(m_recordAction, &QAction::toggled, controls, &CameraParamsForm::setPanelDevicesDisabled);
    connect(m_recordAction, &QAction::toggled, m_statusBar.get(), &StatusBar::showRecordIndicator);
    // Last of the action's receivers: a start that fails unchecks the action, and everything
    // else must have seen the check before it sees the uncheck.
    connect(m_recordAction, &QAction::toggled, this, &MainWindow::toggleRecord);
    connect(m_statusBar->zoomIndicationButton(), &QToolButton::clicked, this, &MainWindow::matrixIndicationClicked);
    connect(m_statusBar.get(), &StatusBar::zoomValueChanged, this, &MainWindow::zoomCanvas);
    connect(m_settingsAction, &QAction::triggered, this, [this] { preferences(0); });
    connect(m_outputBar, &FormOutputbar::openMeasurementPreference, this, &MainWindow::measurementPreferences);
    connect(m_view, &vrx::GraphicsView::rubberBandGrab, this, &MainWindow::onRubberBandGrab);
    new RegionGrabMenu(m_view);

    m_sidebar->addBottomActions({m_snapAction, m_maxFrameAction, m_timelapseAction});
    m_sidebar->addBottomAction(m_recordAction);
    m_sidebar->addBottomAction(m_galleryAction);
    m_sidebar->addBottomAction(m_settingsAction);
    m_statusBar->setActions(m_fullScreenAction, m_outputBarAction, m_zoomInAction, m_zoomOutAction);
}

void MainWindow::restoreWindowGeometry()
{
    QSettings settings;
    settings.beginGroup(SettingsKeys::MainWindowGroup);
    const QByteArray geometry = settings.value(SettingsKeys::Geometry).toByteArray();
    if (geometry.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        setGeometry(firstStartGeometry(screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800)));
    } else {
        restoreGeometry(geometry);
    }
    restoreState(settings.value(SettingsKeys::WindowState).toByteArray(), 0);
    m_rightSplitter->restoreState(settings.value(SettingsKeys::RightSplitterState).toByteArray());
}

void MainWindow::setCaptureActionsEnabled(bool enabled)
{
    m_snapAction->setEnabled(enabled);
    m_maxFrameAction->setEnabled(enabled && !m_recordAction->isChecked());
    m_timelapseAction->setEnabled(enabled);
    m_recordAction->setEnabled(enabled);
}

// ---- camera connection

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

void MainWindow::openUsbDevice(int index)
{
    openUsbDeviceWithName(0, index, QString());
}

void MainWindow::openUsbDeviceWithName(int, int index, const QString& name)
{
    for (const tesk::CameraInfo& info : CameraSource::deviceList()) {
        if (info.index != index) {
            continue;
        }
        if (!name.isEmpty() && name != QString::fromStdString(info.name)) {
            return;
        }
        closeCamera();
        m_camera.reset(CameraSource::camera(info));
        openDevice();
        return;
    }
    UserPrompt::critical(this, tr("Error"), tr("Failed to open camera, index= %1").arg(index));
}

void MainWindow::openDevice()
{
    if (!m_camera) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const tesk::CameraInfo info = m_camera->info();
    const QString key = cameraKey(info);
    qDebug().noquote() << "camera key: " + key;
    m_cameraType = info.type;
    m_camera->setFrameCallBack(&MainWindow::frameCallback, this);
    m_camera->setStreamLostCallBack(&MainWindow::streamLostCallback, this);
    m_camera->loadRequestParam(requestParameterFile(key).toStdString());
    const int result = m_camera->open(kRequestedWidth, kRequestedHeight);
    if (result != 0) {
        closeCamera();
        QApplication::restoreOverrideCursor();
        AppSettings::instance()->clearLastDevice();
        UserPrompt::critical(this, tr("Error"), tr("Failed to open camera: %1").arg(result));
        return;
    }
    if (AppSettings::instance()->restoreParameters()) {
        const QSize size = AppSettings::instance()->savedFrameSize(key);
        m_camera->setFrameSize(size.width(), size.height());
    }
    startCamera(info);
    QApplication::restoreOverrideCursor();
}

void MainWindow::startCamera(const tesk::CameraInfo& info)
{
    m_camera->start();
    setCaptureActionsEnabled(true);
    m_sidebar->cameraParamsForm()->setCamera(m_camera.get());
    m_frameRateTimer->start(kFrameRateIntervalMs);
    AppSettings::instance()->setLastDevice(
        {info.type, info.index, QString::fromStdString(info.address), QString::fromStdString(info.name)});
    qInfo().noquote() << "Camera opened:" << QString::fromStdString(info.name);
}

void MainWindow::openNetworkDevice(int type, const QString& url)
{
    closeCamera();
    m_camera.reset(CameraSource::networkCamera(type, url.toStdString()));
    if (m_camera) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const tesk::CameraInfo info = m_camera->info();
        m_cameraType = info.type;
        m_camera->setFrameCallBack(&MainWindow::frameCallback, this);
        m_camera->setStreamLostCallBack(&MainWindow::streamLostCallback, this);
        m_camera->loadRequestParam("cameras/default.ini");
        if (m_camera->open(kRequestedWidth, kRequestedHeight) == 0) {
            startCamera(info);
            QApplication::restoreOverrideCursor();
        } else {
            closeCamera();
            QApplication::restoreOverrideCursor();
            AppSettings::instance()->clearLastDevice();
            UserPrompt::critical(this, tr("Error"), tr("Failed to open camera"));
        }
    }
    qDebug() << "MainWindow::openNetworkDevice end.";
}

void MainWindow::openNetcam()
{
    openNetworkDevice(kNetworkCameraType, QString::fromLatin1(kNetcamAddress));
}

void MainWindow::openSelectDeviceDialog()
{
    OpenDeviceDialog dialog;
    connect(&dialog, &OpenDeviceDialog::openUsbDevice, this, &MainWindow::openUsbDevice);
    connect(&dialog, &OpenDeviceDialog::openNetworkDevice, this, &MainWindow::openNetworkDevice);
    dialog.exec();
}

void MainWindow::closeCamera()
{
    // A recording ends with its camera.
    uncheckRecordAction();
    stopRecording();
    if (m_frameRateTimer && m_frameRateTimer->isActive()) {
        m_frameRateTimer->stop();
    }
    if (m_camera) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const tesk::Size size = m_camera->frameSize();
        AppSettings::instance()->setSavedFrameSize(cameraKey(m_camera->info()), QSize(size.width(), size.height()));
        if (m_camera->isOpened()) {
            m_camera->stop();
        }
        // close() returns once the callbacks can no longer run.
        m_camera->close();
        m_camera.reset();
        m_cameraType = -1;
        QApplication::restoreOverrideCursor();
    }
    setCaptureActionsEnabled(false);
    m_sidebar->cameraParamsForm()->setCamera(nullptr);
    // Pictures still queued from the closed camera are replaced by the placeholder.
    QTimer::singleShot(500, this, [this] {
        if (!m_camera) {
            m_view->updateBackgroundByImage(noImagePicture());
        }
    });
}

void MainWindow::closeCameraClearLast()
{
    closeCamera();
    AppSettings::instance()->clearLastDevice();
}

void MainWindow::pausePreview(bool pause)
{
    if (m_camera && m_camera->isOpened()) {
        if (pause) {
            m_camera->stop();
        } else {
            m_camera->start();
        }
    }
}

void MainWindow::updateFPS()
{
    if (m_camera && m_camera->isOpened()) {
        m_statusBar->showFrameRate(m_camera->frameRate());
        double value = 0.0;
        m_camera->getProperty(kFocusValueProperty, &value);
        m_statusBar->showFV(value);
    }
}

void MainWindow::streamLostCallback(int error, void* user)
{
    auto* window = static_cast<MainWindow*>(user);
    // The capture thread: the window acts on its own thread.
    QMetaObject::invokeMethod(
        window, [window, error] { window->onStreamLost(error); }, Qt::QueuedConnection);
}

void MainWindow::onStreamLost(int error)
{
    if (!m_camera) {
        return;
    }
    const QString name = QString::fromStdString(m_camera->info().name);
    qWarning().noquote() << "camera stream lost:" << name << "error" << error;
    closeCamera();
    // The last device stays: the camera opens again at the next start once it is back.
    m_statusBar->showMessage(tr("The camera \"%1\" stopped sending pictures.").arg(name));
    UserPrompt::critical(this, tr("Error"),
                         tr("The camera \"%1\" stopped sending pictures (error %2). Check that it is still "
                            "connected, then open it again.")
                             .arg(name)
                             .arg(error));
}

void MainWindow::frameCallback(const tesk::Frame*, const tesk::Frame* frame, long long timestamp, void* user)
{
    auto* window = static_cast<MainWindow*>(user);
    if (!frame) {
        return;
    }
    const QSize size(frame->width(), frame->height());
    if (frame->format() == kBoxCameraIdleFormat && window->m_cameraType.load() == kBoxCameraType) {
        emit window->getImage(pressCameraButtonPicture(), false);
    } else {
        window->m_recorder.with(
            [frame, timestamp](tesk::VideoRecorder* recorder) { recorder->encodeVideo(frame, timestamp); });
        // The view is behind: this picture would only wait in the queue.
        if (window->m_framesInFlight.load() < kMaxFramesInFlight) {
            ++window->m_framesInFlight;
            const QImage wrapped(frame->data(), frame->width(), frame->height(), int(frame->stride()),
                                 QImage::Format_RGB32);
            emit window->getImage(wrapped.copy(), false);
        }
    }
    if (size != window->m_previewSize) {
        window->m_previewSize = size;
        emit window->previewSizeChange(size.width(), size.height());
    }
}

// ---- view and window

void MainWindow::toggleFullscreen()
{
    m_view->fullScreen();
}

void MainWindow::toggleOutputbar(bool checked)
{
    if (QWidget* bar = m_rightSplitter->widget(1)) {
        bar->setVisible(checked);
    }
}

void MainWindow::about()
{
    const QString version = QStringLiteral("%1.%2.%3.%4").arg(1).arg(3).arg(5).arg(1033);
    const QString build = QStringLiteral("%1 %2").arg(compileDate(), QString::fromLatin1(__TIME__));
    vrx::AboutDialog dialog(this, QCoreApplication::applicationName(), version, build, QStringLiteral(":/oem/logo.ico"),
                            tr("Copyright (C) Quarnel. All rights reserved."), QString());
    dialog.exec();
}

void MainWindow::titlebarMenuClicked()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_settingsAction);
    menu->addAction(m_aboutAction);
    menu->popup(QCursor::pos());
}

QMenu* MainWindow::zoomPresetMenu()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(
        {m_zoom200Action, m_zoom100Action, m_zoom75Action, m_zoom50Action, m_zoom25Action, m_zoomFitAction});
    return menu;
}

void MainWindow::matrixIndicationClicked()
{
    zoomPresetMenu()->popup(QCursor::pos());
}

void MainWindow::zoom()
{
    const QObject* from = sender();
    if (from == m_zoom200Action) {
        m_view->zoomByScale(2.0);
    } else if (from == m_zoom100Action) {
        m_view->zoomActualSize();
    } else if (from == m_zoom75Action) {
        m_view->zoomByScale(0.75);
    } else if (from == m_zoom50Action) {
        m_view->zoomByScale(0.5);
    } else if (from == m_zoom25Action) {
        m_view->zoomByScale(0.25);
    } else if (from == m_zoomFitAction) {
        m_view->zoomBestFit();
    }
}

void MainWindow::zoomCanvas(int value)
{
    m_view->zoom(double(value));
}

void MainWindow::zoomIn()
{
    m_view->zoomIn(10.0);
}

void MainWindow::zoomOut()
{
    m_view->zoomOut(10.0);
}

void MainWindow::matrixChanged(double scale, int)
{
    m_statusBar->showScale(scale);
    m_statusBar->setZoomValue(m_view->zoomValue());
}

void MainWindow::openGallery()
{
    const QString folder = captureFolder();
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl(QStringLiteral("file:///") + folder));
}

void MainWindow::preferencesApplied()
{
    AppSettings* settings = AppSettings::instance();
    m_snapAction->setShortcut(settings->snapShortcut());
    m_fullScreenAction->setShortcut(settings->fullscreenShortcut());
    m_view->setFullScreenShortcut(settings->fullscreenShortcut());
    m_zoomInAction->setShortcut(settings->zoomInShortcut());
    m_zoomOutAction->setShortcut(settings->zoomOutShortcut());

    m_view->primitiveManager()->setDecimalPlaces(settings->decimalPlaces());
    QPen crosshair(QBrush(settings->crosshairColor()), settings->crosshairWidth(),
                   Qt::PenStyle(settings->crosshairStyle()), Qt::SquareCap, Qt::BevelJoin);
    m_view->cursorCrosshair()->setPen(crosshair);
    m_view->cursorCrosshair()->show(settings->crosshairShow());

    QSettings store;
    vrx::GraphicsScene* scene = m_view->scene();
    scene->setOverlayType(store.value(SettingsKeys::OverlayType, SettingsDefaults::OverlayType).toInt());
    scene->setOverlayAntialiasing(
        store.value(SettingsKeys::OverlayAntialiasing, SettingsDefaults::OverlayAntialiasing).toBool());
    const QColor color = store.value(SettingsKeys::OverlayColor).value<QColor>();
    scene->setOverlayColor(color.isValid() ? color : SettingsDefaults::OverlayColorFallback);
    scene->setOverlayCrossScale(
        store.value(SettingsKeys::OverlayCrossScale, SettingsDefaults::OverlayCrossScale).toInt());
    scene->setOverlayCircleScale(
        store.value(SettingsKeys::OverlayCircleScale, SettingsDefaults::OverlayCircleScale).toInt());
    scene->setOverlayGridScale(store.value(SettingsKeys::OverlayGridScale, SettingsDefaults::OverlayGridScale).toInt());
}

void MainWindow::preferences(int id)
{
    ConfigDialog dialog(id, this);
    connect(&dialog, &ConfigDialog::applied, this, &MainWindow::preferencesApplied);
    dialog.exec();
}

void MainWindow::measurementPreferences()
{
    preferences(2);
}

void MainWindow::onRubberBandGrab(const QImage& image)
{
    runRoiImageDialog(image, this, m_view, [this](const QString& message) { m_statusBar->showMessage(message); });
}

void MainWindow::closeWithoutAsking()
{
    m_askBeforeClosing = false;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_askBeforeClosing && AppSettings::instance()->confirmExit()) {
        bool dontAsk = false;
        UserPrompt::MessageRequest request{this,
                                           QMessageBox::Question,
                                           QCoreApplication::applicationName(),
                                           tr("Do you want to exit %1 ?").arg(QCoreApplication::applicationName()),
                                           QMessageBox::Ok | QMessageBox::Cancel,
                                           QMessageBox::Cancel,
                                           tr("Do not show this dialog again."),
                                           &dontAsk};
        if (UserPrompt::message(request) != QMessageBox::Ok) {
            event->ignore();
            return;
        }
        AppSettings::instance()->setConfirmExit(!dontAsk);
    }
    closeCamera();
    QSettings settings;
    settings.beginGroup(SettingsKeys::MainWindowGroup);
    settings.setValue(SettingsKeys::Geometry, saveGeometry());
    settings.setValue(SettingsKeys::WindowState, saveState(0));
    settings.setValue(SettingsKeys::RightSplitterState, m_rightSplitter->saveState());
    QMainWindow::closeEvent(event);
}

// ---- pictures

void MainWindow::grabScreenshot()
{
    const bool popup = AppSettings::instance()->capturePopup();
    const QImage picture = m_view->screenshot(false);
    if (picture.isNull()) {
        return;
    }
    const QString path = imageFilePath(popup, this);
    if (path.isEmpty() || !PictureWriter::writeImage(picture, path)) {
        return;
    }
    m_statusBar->showMessage(tr("The file has been saved to %1").arg(path));
}

void MainWindow::grabMaxFrame()
{
    if (!m_camera || !m_camera->isOpened()) {
        return;
    }
    snap_internal(AppSettings::instance()->capturePopup());
}

QString MainWindow::snap_internal(bool popupFileDialog)
{
    if (!m_camera) {
        return QString();
    }
    WaitCursor wait;
    wait.set();
    tesk::Frame frame;
    const bool still = AppSettings::instance()->tryStillCapture() && m_camera->isSupportStillFrame();
    const int result = still ? m_camera->grabMaxStillFrame(&frame, 20000) : m_camera->grabMaxFrame(&frame, 1000, 10000);
    if (result != 0) {
        wait.restore();
        qWarning().noquote() << QStringLiteral("Taking a picture failed with error %1").arg(result);
        UserPrompt::critical(this, QString(), tr("Failed to take picture, Error %1").arg(result));
        return QString();
    }
    if (!PictureWriter::canWrite(frame.format())) {
        wait.restore();
        UserPrompt::critical(
            this, QString(),
            tr("Unsupport image format %d").replace(QLatin1String("%d"), QString::number(frame.format())));
        return QString();
    }
    wait.restore();
    const QString path = imageFilePath(popupFileDialog, this);
    if (path.isEmpty()) {
        return QString();
    }
    wait.set();
    if (!PictureWriter::writeFrame(frame, path)) {
        return QString();
    }
    wait.restore();
    m_statusBar->showMessage(tr("The file has been saved to %1").arg(path));
    return path;
}

void MainWindow::grabTimelapse()
{
    if (!m_timelapseDialog) {
        m_timelapseDialog = new TimelapseDialog(this);
        connect(m_timelapseDialog, &TimelapseDialog::captureRequested, this, &MainWindow::grabScreenshot);
        // The guarded pointer clears itself when the dialog is closed (and so deleted).
    }
    m_timelapseDialog->show();
    m_timelapseDialog->raise();
    m_timelapseDialog->activateWindow();
}

// ---- recording

bool MainWindow::isRecording()
{
    return m_recording->isRecording();
}

bool MainWindow::isRecordingPaused()
{
    return m_recording->isPaused();
}

bool MainWindow::startRecording(QString filePath, QString& error)
{
    if (!m_camera) {
        return false;
    }
    const tesk::Size size = m_camera->frameSize();
    const double rate = double(float(m_camera->frameRate()));
    return m_recording->start(filePath, QSize(size.width(), size.height()), rate, error);
}

void MainWindow::pauseRecording(bool enable)
{
    m_recording->pause(enable);
}

void MainWindow::stopRecording()
{
    m_recording->stop();
}

void MainWindow::toggleRecord(bool start)
{
    if (m_uncheckingRecordAction) {
        stopRecording();
        return;
    }
    if (!m_camera || !m_camera->isOpened()) {
        uncheckRecordAction();
        UserPrompt::information(this, QString(), tr("Camera is not open"));
        return;
    }
    if (!start) {
        stopRecording();
        return;
    }
    const QString path = videoFilePath(AppSettings::instance()->capturePopup(), this);
    QString error;
    if (!startRecording(path, error)) {
        // The indicator must not claim a recording that is not running.
        uncheckRecordAction();
        UserPrompt::information(this, tr("Error"), tr("Failed to start recording %1").arg(error));
        return;
    }
    m_statusBar->showMessage(tr("Recording to %1").arg(path));
}

void MainWindow::uncheckRecordAction()
{
    if (m_recordAction && m_recordAction->isChecked()) {
        m_uncheckingRecordAction = true;
        m_recordAction->setChecked(false);
        m_uncheckingRecordAction = false;
    }
}

void MainWindow::onRecordingStoppedByItself(const QString& filePath)
{
    uncheckRecordAction();
    UserPrompt::critical(this, tr("Error"),
                         tr("The recording stopped because the file could not be written any further (is the disk "
                            "full?). What was recorded until then is kept in %1.")
                             .arg(filePath));
}
