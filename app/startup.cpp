#include "startup.h"

#include "settingskeys.h"

#include <tesk/camerafactory.h>
#include <tesk/log.h>
#include <tesk/uvcfilter.h>
#include <vrx/i18n.h>
#include <vrx/log.h>
#include <vrx/stylefactory.h>

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QStandardPaths>
#include <QStyle>
#include <QTranslator>

namespace {
constexpr qint64 kLogFileSize = 3145728;
constexpr int kLogFileCount = 15;
constexpr int kLogLevel = 2;
const char* const kStyleSheet = ":/res/style/style.qss";
const char* const kIconTheme = "light-blue";
const char* const kIconFallbackPath = ":res/icons/custom-icons";
constexpr int kFontPointSize = 9;
const char* const kTranslationsFolder = "translations";
const char* const kAppTranslationsFolder = ":/i18n";
const char* const kLibraryCataloguePrefixes[] = {"tesk-qtui_", "vrx-widgets_", "vrx-canvas_", "qtbase_"};
} // namespace

QString logFilePath(const QString& executablePath)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString relative = QStringLiteral("%1 Files/log/%2.log")
                                 .arg(QCoreApplication::applicationName(), QFileInfo(executablePath).baseName());
    return QDir::toNativeSeparators(documents + "/" + relative);
}

void startLogging(const QString& executablePath)
{
    const QString path = logFilePath(executablePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    vrx::Log::instance()->addFileOut(path, kLogFileSize, kLogFileCount);
    vrx::Log::instance()->setLevel(kLogLevel);
    qInfo().noquote() << QStringLiteral("Start log, level=%1 file=%2").arg(kLogLevel).arg(path);

    // The camera library's diagnostics join the program's log.
    tesk::setLogHandler([](tesk::LogLevel level, const std::string& message) {
        const QString text = QString::fromStdString(message);
        switch (level) {
        case tesk::LogLevel::Debug:
            qDebug().noquote() << "tesk:" << text;
            break;
        case tesk::LogLevel::Info:
            qInfo().noquote() << "tesk:" << text;
            break;
        case tesk::LogLevel::Warning:
            qWarning().noquote() << "tesk:" << text;
            break;
        }
    });
}

bool applyTheme(QApplication& app, const QString& theme)
{
    if (theme.compare(SettingsDefaults::Theme, Qt::CaseInsensitive) != 0) {
        return false;
    }
    QStyle* style = vrx::StyleFactory::newStyle(vrx::StyleFactory::DarkBlue, QString::fromLatin1(kStyleSheet));
    if (!style) {
        qWarning() << "The dark blue style could not be created; keeping the platform style.";
        return false;
    }
    app.setStyle(style);
    return true;
}

void setupIconTheme()
{
    QIcon::setThemeName(QString::fromLatin1(kIconTheme));
    QStringList paths = QIcon::fallbackSearchPaths();
    paths << QString::fromLatin1(kIconFallbackPath);
    QIcon::setFallbackSearchPaths(paths);
}

void setupApplicationFont(QApplication& app)
{
    QFont font = QApplication::font();
    font.setPointSize(kFontPointSize);
    app.setFont(font);
}

Translations::Translations() = default;
Translations::~Translations() = default;

void loadTranslations(vrx::I18n& i18n, Translations& translations)
{
    auto next = [&translations]() {
        translations.translators.push_back(std::make_unique<QTranslator>());
        return translations.translators.back().get();
    };
    const QString folder = QString::fromLatin1(kTranslationsFolder);
    for (const char* prefix : kLibraryCataloguePrefixes) {
        i18n.translate(next(), QString::fromLatin1(prefix), folder);
    }
    i18n.translateQt(next(), folder);
    i18n.translateApp(next(), QString::fromLatin1(kAppTranslationsFolder));
}

void installUsbFilter()
{
    tesk::UVCFilter& filter = tesk::UVCFilter::global();
    filter.clear();
    filter.addItem(tesk::UVCFilterItem{0, std::string()});
    tesk::CameraFactory::setUVCFilter(&filter);
}

bool haveDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0) {
            return true;
        }
    }
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void initResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(i18n);
}
