#include "testmain.h"

#include <vrx/aboutdialog.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

class TestAboutDialog final : public QObject
{
    Q_OBJECT

private slots:
    void showsWhatItWasGiven();
    void leavesOutWhatIsMissing();
};

namespace {
QString labelText(const QDialog& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}
} // namespace

void TestAboutDialog::showsWhatItWasGiven()
{
    const QString iconPath = QDir::homePath() + "/logo.png";
    QImage logo(48, 48, QImage::Format_ARGB32);
    logo.fill(Qt::blue);
    QVERIFY(logo.save(iconPath));

    vrx::AboutDialog dialog(nullptr, "Quarnel Link", "1.3.5.1033", "Dec  6 2026 13:00:51", iconPath,
                            "Copyright 2026 Quarnel.", "See <a href=\"https://example.com\">x</a>");
    QCOMPARE(dialog.windowTitle(), QString("About Quarnel Link"));
    QStringList texts;
    for (const char* name : {"nameLabel", "versionLabel", "buildLabel", "noticeLabel", "textLabel"}) {
        texts << labelText(dialog, name);
    }
    QCOMPARE(texts, QStringList({"Quarnel Link", "Version 1.3.5.1033", "Build Dec  6 2026 13:00:51",
                                 "Copyright 2026 Quarnel.", "See <a href=\"https://example.com\">x</a>"}));
    QVERIFY(dialog.findChild<QLabel*>("textLabel")->openExternalLinks());
    const QPixmap icon = dialog.findChild<QLabel*>("iconLabel")->pixmap(Qt::ReturnByValue);
    QCOMPARE(icon.toImage().pixelColor(24, 24), QColor(Qt::blue));

    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QTimer::singleShot(0, &dialog, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QTimer::singleShot(5000, &dialog, &QDialog::reject); // never left blocking
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void TestAboutDialog::leavesOutWhatIsMissing()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("cannot load the icon .*none\\.ico"));
    vrx::AboutDialog dialog(nullptr, "Quarnel Link", "1.0", QString(), QDir::homePath() + "/none.ico", "Notice",
                            QString());
    QCOMPARE(dialog.findChild<QLabel*>("iconLabel"), nullptr);
    QCOMPARE(dialog.findChild<QLabel*>("buildLabel"), nullptr);
    QCOMPARE(dialog.findChild<QLabel*>("textLabel"), nullptr);
    QCOMPARE(labelText(dialog, "versionLabel"), QString("Version 1.0"));
}

QUARNEL_TEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
