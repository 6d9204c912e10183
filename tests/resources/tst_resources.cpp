#include "testmain.h"

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>

class TestResources final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyIconResolvesAndDraws();
    void pictures_data();
    void pictures();
    void logoHasSeveralSizes();
    void styleSheetParses();
    void catalogues();

private:
    static bool hasVisiblePixels(const QImage& image);
};

void TestResources::initTestCase()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(i18n);
    QIcon::setThemeName("light-blue");
    QIcon::setFallbackSearchPaths(QIcon::fallbackSearchPaths() << ":res/icons/custom-icons");
}

bool TestResources::hasVisiblePixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128) {
                return true;
            }
        }
    }
    return false;
}

void TestResources::everyIconResolvesAndDraws()
{
    QFile list(ICON_NAMES_FILE);
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList names = QString::fromUtf8(list.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(names.size() >= 40);
    // The names the program asks for by theme; each must be in the list.
    for (const char* required :
         {"snap",       "snap_timelapse", "record-start", "record-stop", "gallery",    "settings",    "zoom-in",
          "zoom-out",   "fullscreen",     "tableview",    "about",       "wifi",       "view-camera", "view-measure",
          "dkp-camera", "dkp-pause",      "dkp-pause-on", "dkp-close",   "down_arrow", "right_arrow", "scale-bar",
          "import",     "export",         "save",         "add-new",     "modify",     "excel",       "appearance",
          "file",       "measurement",    "network"}) {
        QVERIFY2(names.contains(required), required);
    }
    for (const QString& name : names) {
        const QIcon icon = QIcon::fromTheme(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        for (int size : {16, 24}) {
            QVERIFY2(hasVisiblePixels(icon.pixmap(size, size).toImage()), qPrintable(name));
        }
    }
    // The title-bar buttons are also found by file name in the fallback folder.
    QVERIFY(QFile::exists(":/res/icons/custom-icons/window-close.svg"));
}

void TestResources::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("banner") << ":/oem/banner.png" << QSize(480, 120);
    QTest::newRow("record indicator") << ":/images/record_indicator.png" << QSize(16, 16);
    QTest::newRow("down arrow") << ":/res/icons/down_arrow.png" << QSize(12, 12);
}

void TestResources::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(hasVisiblePixels(image));
}

void TestResources::logoHasSeveralSizes()
{
    QImageReader reader(":/oem/logo.ico");
    QVERIFY(reader.canRead());
    QVERIFY(reader.imageCount() >= 3);
    const QList<QSize> sizes = QIcon(":/oem/logo.ico").availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(48, 48)));
}

namespace {
QStringList g_warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg) {
        g_warnings << message;
    }
}
} // namespace

void TestResources::styleSheetParses()
{
    QFile file(":/res/style/style.qss");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString sheet = QString::fromUtf8(file.readAll());
    QVERIFY(sheet.size() > 1000);
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    qApp->setStyleSheet(sheet);
    QLabel label("x");
    label.show();
    label.grab();
    qApp->setStyleSheet(QString());
    qInstallMessageHandler(previous);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

void TestResources::catalogues()
{
    for (const char* locale : {"zh_CN", "zh_TW", "en", "de", "fr", "id", "ja", "ko", "pl", "ru", "uk"}) {
        const QString path = QString(":/i18n/quarnellink_%1.qm").arg(locale);
        QVERIFY2(QFile::exists(path), qPrintable(path));
    }
}

QUARNEL_TEST_MAIN(TestResources)
#include "tst_resources.moc"
