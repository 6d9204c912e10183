// Runs the real program on a virtual display with the emulated camera it opened last time,
// and looks at the screen.

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

class TestLiveCamera final : public QObject
{
    Q_OBJECT

private slots:
    void reopensLastCameraAndShowsItsPictures();
};

void TestLiveCamera::reopensLastCameraAndShowsItsPictures()
{
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty() || QStandardPaths::findExecutable("import").isEmpty()) {
        QSKIP("needs xvfb-run and ImageMagick's import (scripts/install-deps installs them)");
    }
    const QString home = QDir::homePath();
    {
        QSettings settings(home + "/.config/Quarnel/Quarnel Link.conf", QSettings::NativeFormat);
        settings.setValue("camera/openLastDevice", true);
        settings.setValue("camera/lastType", 0);
        settings.setValue("camera/lastIndex", 0);
        settings.setValue("camera/lastUrl", "emulated:1");
        settings.setValue("camera/lastDeviceName", "Emulated Camera 1");
        settings.setValue("gui/mainWindow/geometry", QByteArray()); // first-start placement
    }
    const QString log = home + "/Documents/Quarnel Link Files/log/quarnel-link.log";
    const QString shot = home + "/shot.png";
    // Start, wait for the camera (at most 3 s after the log opens), let frames arrive, look.
    const QString script = QStringLiteral(
        "\"$BIN\" & pid=$!; i=0; "
        "while [ $i -lt 100 ] && ! grep -q 'Camera opened' \"$LOG\" 2>/dev/null; do sleep 0.1; i=$((i+1)); done; "
        "sleep 1.5; import -window root \"$SHOT\"; kill -TERM $pid; wait $pid");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("TESK_CAMEMU", "1");
    env.insert("BIN", QUARNEL_BINARY);
    env.insert("LOG", log);
    env.insert("SHOT", shot);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start("xvfb-run", {"-a", "-s", "-screen 0 1280x800x24", "/bin/sh", "-c", script});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);

    QFile logFile(log);
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    const QByteArray logText = logFile.readAll();
    QVERIFY2(logText.contains("Camera opened: Emulated Camera 1"), logText.constData());
    QVERIFY2(logText.contains("picture size 1920x1080"), logText.constData());

    // The picture area shows the moving test picture, not the grey "No Image" placeholder.
    const QImage screen(shot);
    QVERIFY(!screen.isNull());
    const QRect middle(screen.width() / 2, screen.height() / 3, screen.width() / 4, screen.height() / 3);
    int coloured = 0, total = 0;
    for (int y = middle.top(); y < middle.bottom(); y += 4) {
        for (int x = middle.left(); x < middle.right(); x += 4) {
            const QColor c = screen.pixelColor(x, y);
            coloured += c.saturation() > 60 ? 1 : 0;
            ++total;
        }
    }
    QVERIFY2(coloured > total / 4, qPrintable(QString("%1 of %2 pixels coloured").arg(coloured).arg(total)));
}

QUARNEL_TEST_MAIN(TestLiveCamera)
#include "tst_livecamera.moc"
