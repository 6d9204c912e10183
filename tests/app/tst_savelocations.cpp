#include "scriptedprompt.h"
#include "testmain.h"

#include <app/clock.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>

#include <QDir>
#include <QImageWriter>
#include <QSettings>
#include <QStandardPaths>

class TestSaveLocations final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void namesFromTheClockInTheDefaultFolders();
    void folderWithoutClosingSlash();
    void dialogsAreAskedWithProposals();
    void cancelledDialogGivesEmptyPath();
    void foldersAreCreated();
    void filterForFormat_data();
    void filterForFormat();
    void imageFilterList();

private:
    QString documents() const { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }
    const QDateTime m_moment{QDate(2025, 3, 4), QTime(5, 6, 7, 89)};
};

void TestSaveLocations::init()
{
    QSettings().clear();
    Clock::setFixedTime(m_moment);
}

void TestSaveLocations::cleanup()
{
    Clock::setFixedTime(std::nullopt);
}

void TestSaveLocations::namesFromTheClockInTheDefaultFolders()
{
    QVERIFY(documents().startsWith(QDir::homePath())); // the private home, never the real one
    QCOMPARE(defaultImageFolder(), documents() + "/Quarnel Link Files/Images/");
    QCOMPARE(defaultReportFolder(), documents() + "/Quarnel Link Files/Reports/");
    QCOMPARE(imageFilePath(false, nullptr), defaultImageFolder() + "20250304-050607-089.jpg");
    QCOMPARE(videoFilePath(false, nullptr), defaultImageFolder() + "20250304-050607-089.mp4");
    QCOMPARE(reportFilePath(false, nullptr), defaultReportFolder() + "20250304-050607-089.xlsx");

    QSettings().setValue(SettingsKeys::CaptureFileFormat, "png");
    Clock::setFixedTime(m_moment.addMSecs(1));
    QCOMPARE(imageFilePath(false, nullptr), defaultImageFolder() + "20250304-050607-090.png");

    const QString reports = QDir::homePath() + "/reports";
    setReportFolder(QDir::toNativeSeparators(reports));
    QCOMPARE(QSettings().value(SettingsKeys::ReportFilePath).toString(), reports);
    QCOMPARE(reportFilePath(false, nullptr), reports + "/20250304-050607-090.xlsx");
}

void TestSaveLocations::folderWithoutClosingSlash()
{
    const QString folder = QDir::homePath() + "/shots";
    QSettings().setValue(SettingsKeys::CaptureFilePath, folder);
    QCOMPARE(imageFilePath(false, nullptr), folder + "/20250304-050607-089.jpg");
    QCOMPARE(videoFilePath(false, nullptr), folder + "/20250304-050607-089.mp4");

    testsupport::ScriptedPrompt prompt;
    videoFilePath(true, nullptr);
    QCOMPARE(prompt.saveRequests().size(), 1);
    QCOMPARE(prompt.saveRequests().first().proposedPath, folder + "/20250304-050607-089");

    // An empty folder text falls back to the default folder rather than the working directory.
    QSettings().setValue(SettingsKeys::CaptureFilePath, "");
    QCOMPARE(imageFilePath(false, nullptr), defaultImageFolder() + "20250304-050607-089.jpg");
}

void TestSaveLocations::dialogsAreAskedWithProposals()
{
    testsupport::ScriptedPrompt prompt;
    const QString chosen = QDir::homePath() + "/picked/name.png";
    prompt.answerSaveFile(chosen);
    QSettings().setValue(SettingsKeys::CaptureFileFormat, "PNG");
    QCOMPARE(imageFilePath(true, nullptr), chosen);
    QVERIFY(QDir(QDir::homePath() + "/picked").exists());

    videoFilePath(true, nullptr);
    reportFilePath(true, nullptr);
    const auto& asked = prompt.saveRequests();
    QCOMPARE(asked.size(), 3);

    QCOMPARE(asked[0].caption, QString("Save File"));
    QCOMPARE(asked[0].proposedPath, defaultImageFolder() + "20250304-050607-089");
    QCOMPARE(asked[0].filters, imageFileFilters());
    QCOMPARE(asked[0].selectedFilter, QString("Portable Network Graphics (*.png)"));

    QCOMPARE(asked[1].caption, QString("Save File"));
    QCOMPARE(asked[1].filters, QString("Video Files (*.mp4);;All files (*.*)"));
    QCOMPARE(asked[1].selectedFilter, QString("Video Files (*.mp4)"));

    QCOMPARE(asked[2].caption, QString("Export"));
    QCOMPARE(asked[2].proposedPath, defaultReportFolder() + "20250304-050607-089");
    QCOMPARE(asked[2].filters, QString("Excel File (*.xlsx);;"));
    QVERIFY(asked[2].selectedFilter.isEmpty());
}

void TestSaveLocations::cancelledDialogGivesEmptyPath()
{
    const QString pictures = QDir::homePath() + "/never-pictures";
    const QString reports = QDir::homePath() + "/never-reports";
    QSettings().setValue(SettingsKeys::CaptureFilePath, pictures);
    setReportFolder(reports);
    testsupport::ScriptedPrompt prompt; // answers nothing: every dialog is cancelled
    QVERIFY(imageFilePath(true, nullptr).isEmpty());
    QVERIFY(videoFilePath(true, nullptr).isEmpty());
    QVERIFY(reportFilePath(true, nullptr).isEmpty());
    QCOMPARE(prompt.saveRequests().size(), 3);
    QVERIFY(!QDir(pictures).exists());
    QVERIFY(!QDir(reports).exists());
}

void TestSaveLocations::foldersAreCreated()
{
    const QString deep = QDir::homePath() + "/a/b/c";
    QSettings().setValue(SettingsKeys::CaptureFilePath, deep);
    QCOMPARE(captureFolder(), deep);
    QVERIFY(QDir(deep).exists());

    const QString reports = QDir::homePath() + "/fresh-reports/";
    setReportFolder(reports);
    QVERIFY(!QDir(reports).exists());
    QCOMPARE(reportFolder(), reports);
    QVERIFY(QDir(reports).exists());

    // A name generated without dialog gets its folder too.
    QSettings().setValue(SettingsKeys::CaptureFilePath, QDir::homePath() + "/x/y");
    imageFilePath(false, nullptr);
    QVERIFY(QDir(QDir::homePath() + "/x/y").exists());
}

void TestSaveLocations::filterForFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("filter");
    QTest::newRow("bmp") << "bmp"
                         << "Windows Bitmap (*.bmp)";
    QTest::newRow("jpeg") << "jpeg"
                          << "JPEG (*.jpg *.jpeg)";
    QTest::newRow("PNG") << "PNG"
                         << "Portable Network Graphics (*.png)";
    QTest::newRow("TIFF") << "TIFF"
                          << "Tag Image File Format (*.tif *.tiff)";
    QTest::newRow("mp4") << "mp4"
                         << "Video Files (*.mp4)";
    QTest::newRow("webp") << "webp"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("first match wins") << "bmp.png"
                                      << "Windows Bitmap (*.bmp)";
}

void TestSaveLocations::filterForFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, filter);
    QCOMPARE(::filterForFormat(format), filter);
}

void TestSaveLocations::imageFilterList()
{
    QStringList patterns;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        patterns << "*." + QString::fromLatin1(format).toLower();
    }
    QVERIFY(patterns.contains("*.png"));
    QCOMPARE(imageFileFilters(), "Windows Bitmap (*.bmp);;JPEG (*.jpg *.jpeg);;Portable Network Graphics (*.png);;"
                                 "Tag Image File Format (*.tif *.tiff);;All supported formats (" +
                                     patterns.join(' ') + ");;All files (*.*)");
}

QUARNEL_TEST_MAIN(TestSaveLocations)
#include "tst_savelocations.moc"
