#include "testmain.h"

#include <widgets/windowbar.h>
#include <widgets/windowbutton.h>

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

using QWK::WindowBar;
using QWK::WindowButton;

namespace {

QIcon solidIcon(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

bool shows(const QAbstractButton* button, const QIcon& icon)
{
    return button->icon().cacheKey() == icon.cacheKey();
}

/// Records the hooks' calls.
class RecordingBar final : public WindowBar
{
public:
    using WindowBar::WindowBar;
    QStringList titles;
    int iconChanges = 0;

protected:
    void titleChanged(const QString& title) override { titles.append(title); }
    void iconChanged(const QIcon&) override { ++iconChanges; }
};

/// A host window with a bar filled the way the main window fills it.
struct BarOnHost
{
    BarOnHost()
    {
        auto* column = new QVBoxLayout(&host);
        bar = new RecordingBar(&host);
        column->addWidget(bar);
        maxButton->setCheckable(true);
        bar->setIconButton(iconButton);
        bar->setMenuButton(menuButton);
        bar->setMinButton(minButton);
        bar->setMaxButton(maxButton);
        bar->setCloseButton(closeButton);
        bar->setTitleLabel(titleLabel);
        bar->setHostWidget(&host);
    }

    QWidget host;
    RecordingBar* bar;
    WindowButton* iconButton = new WindowButton();
    WindowButton* menuButton = new WindowButton();
    WindowButton* minButton = new WindowButton();
    WindowButton* maxButton = new WindowButton();
    WindowButton* closeButton = new WindowButton();
    QLabel* titleLabel = new QLabel("Quarnel Link");
};

} // namespace

class TestWindowBar final : public QObject
{
    Q_OBJECT

private slots:
    void slotsKeepTheirIndexes();
    void clicksBecomeRequestsUntilTheButtonIsReplaced();
    void followsHostTitleAndIconAsAsked();
    void maxButtonFollowsHostState();
    void buttonChoosesIconByState();
    void buttonReportsLeftDoubleClicksOnly();
};

void TestWindowBar::slotsKeepTheirIndexes()
{
    BarOnHost b;
    QLayout* layout = b.bar->layout();
    const QList<QWidget*> order{b.iconButton, b.titleLabel, b.menuButton, b.minButton, b.maxButton, b.closeButton};
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(layout->itemAt(i)->widget(), order.at(i));
        QCOMPARE(order.at(i)->parentWidget(), b.bar); // the bar owns them
    }

    // Emptying a middle slot leaves a spacer: the others stay where they are.
    b.bar->setMenuButton(nullptr);
    QCOMPARE(layout->count(), 6);
    QVERIFY(layout->itemAt(2)->spacerItem());
    QCOMPARE(layout->itemAt(3)->widget(), b.minButton);
}

void TestWindowBar::clicksBecomeRequestsUntilTheButtonIsReplaced()
{
    BarOnHost b;
    QSignalSpy menu(b.bar, &WindowBar::menuRequested);
    QSignalSpy minimize(b.bar, &WindowBar::minimizeRequested);
    QSignalSpy maximize(b.bar, &WindowBar::maximizeRequested);
    QSignalSpy close(b.bar, &WindowBar::closeRequested);

    for (WindowButton* button : {b.menuButton, b.minButton, b.maxButton, b.maxButton, b.closeButton, b.iconButton})
        button->click();
    QCOMPARE(menu.count(), 1);
    QCOMPARE(minimize.count(), 1);
    QCOMPARE(close.count(), 1);
    QCOMPARE(maximize.count(), 2);
    QCOMPARE(maximize.at(0).at(0).toBool(), true); // the checked state goes along
    QCOMPARE(maximize.at(1).at(0).toBool(), false);

    QPointer<WindowButton> oldMenu = b.menuButton;
    QPointer<WindowButton> oldClose = b.closeButton;
    auto* newMenu = new WindowButton();
    b.bar->setMenuButton(newMenu);
    b.bar->setCloseButton(nullptr);

    // Alive until the event loop turns, but no longer heard.
    QVERIFY(oldMenu && oldClose);
    oldMenu->click();
    oldClose->click();
    QCOMPARE(menu.count(), 1);
    QCOMPARE(close.count(), 1);
    newMenu->click();
    QCOMPARE(menu.count(), 2);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!oldMenu && !oldClose);
}

void TestWindowBar::followsHostTitleAndIconAsAsked()
{
    BarOnHost b;
    const QIcon own = solidIcon(Qt::blue);
    b.iconButton->setIcon(own);

    // By default the title follows, the icon does not.
    b.host.setWindowTitle("Camera 1");
    b.host.setWindowIcon(solidIcon(Qt::red));
    QCOMPARE(b.titleLabel->text(), QString("Camera 1"));
    QCOMPARE(b.bar->titles, QStringList{"Camera 1"});
    QVERIFY(shows(b.iconButton, own));
    QCOMPARE(b.bar->iconChanges, 0);

    b.bar->setIconFollowWindow(true);
    b.bar->setTitleFollowWindow(false);
    b.host.setWindowIcon(solidIcon(Qt::green));
    b.host.setWindowTitle("Camera 2");
    QCOMPARE(b.iconButton->icon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::green));
    QCOMPARE(b.bar->iconChanges, 1);
    QCOMPARE(b.titleLabel->text(), QString("Camera 1"));

    // Another host: the old one is no longer followed; a label set now takes the new host's title.
    QWidget other;
    other.setWindowTitle("Other");
    b.bar->setTitleFollowWindow(true);
    b.bar->setHostWidget(&other);
    b.host.setWindowTitle("Camera 3");
    QCOMPARE(b.titleLabel->text(), QString("Camera 1"));
    auto* label = new QLabel("own");
    b.bar->setTitleLabel(label);
    QCOMPARE(label->text(), QString("Other"));

    // Before any host, setting a label copies nothing.
    WindowBar hostless;
    auto* hostlessLabel = new QLabel("own");
    hostless.setTitleLabel(hostlessLabel);
    QCOMPARE(hostlessLabel->text(), QString("own"));
}

void TestWindowBar::maxButtonFollowsHostState()
{
    BarOnHost b;
    const QIcon normal = solidIcon(Qt::white);
    const QIcon checked = solidIcon(Qt::black);
    b.maxButton->setIconNormal(normal);
    b.maxButton->setIconChecked(checked);
    b.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b.host));

    // However the state changes, the button follows, and its icon with it.
    b.host.showMaximized();
    QTRY_VERIFY(b.maxButton->isChecked());
    QVERIFY(shows(b.maxButton, checked));
    b.host.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(!b.maxButton->isChecked());
    QVERIFY(shows(b.maxButton, normal));
}

void TestWindowBar::buttonChoosesIconByState()
{
    WindowButton button;
    button.setCheckable(true);
    QVERIFY(button.iconNormal().isNull() && button.iconChecked().isNull() && button.iconDisabled().isNull());

    // With no icons of its own, what the button shows stays.
    const QIcon own = solidIcon(Qt::gray);
    button.setIcon(own);
    button.setChecked(true);
    QVERIFY(shows(&button, own));
    button.setChecked(false);

    const QIcon normal = solidIcon(Qt::white);
    const QIcon checked = solidIcon(Qt::black);
    const QIcon disabled = solidIcon(Qt::darkGray);
    QVERIFY(button.setProperty("iconNormal", normal));
    QVERIFY(shows(&button, normal));
    button.setChecked(true); // no checked icon yet: the normal one stays
    QVERIFY(shows(&button, normal));
    button.setIconChecked(checked);
    QVERIFY(shows(&button, checked));

    // Enabling or disabling alone does not re-choose.
    button.setIconDisabled(disabled);
    QVERIFY(shows(&button, checked));
    button.setEnabled(false);
    QVERIFY(shows(&button, checked));
    button.setChecked(false);
    QVERIFY(shows(&button, disabled)); // disabled wins
    button.setEnabled(true);
    QVERIFY(shows(&button, disabled));
}

void TestWindowBar::buttonReportsLeftDoubleClicksOnly()
{
    WindowButton button;
    QSignalSpy doubleClicks(&button, &WindowButton::doubleClicked);
    QSignalSpy presses(&button, &WindowButton::pressed);
    for (Qt::MouseButton which : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), which, which, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &event);
    }
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(presses.count(), 0); // the base class never sees it as a press
}

QUARNEL_TEST_MAIN(TestWindowBar)
#include "tst_windowbar.moc"
