#include "mainwindow.h"
#include "settingskeys.h"
#include "startup.h"
#include "terminationwatcher.h"

#include <vrx/guiutils.h>
#include <vrx/i18n.h>

#include <QApplication>
#include <QDebug>
#include <QSettings>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Quarnel Link"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quarnel"));
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    vrx::GUIUtils::enableHighDpi();

    if (!haveDisplay(argc, argv)) {
        std::fprintf(stderr, "Quarnel Link needs a graphical display, and none was found (DISPLAY and "
                             "WAYLAND_DISPLAY are not set).\nStart it from a desktop session, or run "
                             "'scripts/run --xvfb' to start it on a virtual display.\n");
        return 1;
    }

    QApplication app(argc, argv);
    initResources();

    startLogging(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QCoreApplication::applicationFilePath());

    QSettings settings;
    if (settings.status() != QSettings::NoError) {
        qWarning().noquote() << "The settings file" << settings.fileName()
                             << "could not be read; the defaults are used.";
    }
    const QString theme = settings.value(SettingsKeys::Theme, SettingsDefaults::Theme).toString();
    applyTheme(app, theme);

    setupIconTheme();
    setupApplicationFont(app);

    vrx::I18n i18n;
    Translations translations;
    loadTranslations(i18n, translations);

    installUsbFilter();

    int exitCode = 0;
    {
        MainWindow window;
        TerminationWatcher watcher;
        QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &window, &MainWindow::closeWithoutAsking);
        if (settings.value(SettingsKeys::MaximizeWhenLaunch, SettingsDefaults::MaximizeWhenLaunch).toBool()) {
            window.showMaximized();
        } else {
            window.show();
        }
        exitCode = app.exec();
    }
    qInfo() << "Exit, code" << exitCode;
    return exitCode;
}
