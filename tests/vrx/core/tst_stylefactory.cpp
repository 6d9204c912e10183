#include "testmain.h"

#include <vrx/stylefactory.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStyle>

class TestStyleFactory final : public QObject
{
    Q_OBJECT

private slots:
    void darkBlueInstallsPaletteAndSheet();
    void missingSheetKeepsPalette();
};

void TestStyleFactory::darkBlueInstallsPaletteAndSheet()
{
    const QString path = QDir::homePath() + "/style.qss";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("QPushButton { color: #ff0000; }\n");
    file.close();

    QCOMPARE(vrx::StyleFactory::newStyle(vrx::StyleFactory::Platform, QString()), nullptr);
    QCOMPARE(vrx::StyleFactory::newStyle(42, QString()), nullptr);
    QStyle* style = vrx::StyleFactory::newStyle(vrx::StyleFactory::DarkBlue, path);
    QVERIFY(style);
    QApplication::setStyle(style);
    QCOMPARE(qApp->styleSheet(), QString("QPushButton { color: #ff0000; }\n"));
    QVERIFY(qApp->palette().color(QPalette::Window).lightness() < 80);
    QVERIFY(qApp->palette().color(QPalette::WindowText).lightness() > 180);

    QPushButton button("x");
    button.show();
    QCOMPARE(button.palette().color(QPalette::ButtonText), QColor("#ff0000")); // the sheet reached it
}

void TestStyleFactory::missingSheetKeepsPalette()
{
    qApp->setStyleSheet(QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Style sheet .* cannot be read"));
    QStyle* style = vrx::StyleFactory::newStyle(vrx::StyleFactory::DarkBlue, QDir::homePath() + "/none.qss");
    QVERIFY(style);
    QApplication::setStyle(style);
    QVERIFY(qApp->styleSheet().isEmpty());
    QVERIFY(qApp->palette().color(QPalette::Window).lightness() < 80);
}

QUARNEL_TEST_MAIN(TestStyleFactory)
#include "tst_stylefactory.moc"
