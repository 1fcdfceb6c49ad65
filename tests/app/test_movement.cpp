// The movement handlers and the three region timers.
#include "tests/app/editor_fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

namespace lt::test {
namespace {

using Movement = EditorFixture;

TEST_F(Movement, ChoosingAMovementRestartsItFromOffsetZero) {
    W().Gorny.AnimX = 17;
    W().Gorny.AnimY = -4;
    W().Gorny.Direction = -1;
    pick(rc(Region::Gorny).cbRuch, mvInLeft);
    EXPECT_EQ(W().Gorny.Ruch, mvInLeft);
    EXPECT_EQ(W().Gorny.AnimX, 0);
    EXPECT_EQ(W().Gorny.AnimY, 0);
    EXPECT_EQ(W().Gorny.Direction, -1);  // kept
    EXPECT_TRUE(isTrue(W().Gorny.Timer));
    EXPECT_TRUE(rc(Region::Gorny).timer->isActive());

    // The same code again still restarts from 0.
    W().Gorny.AnimX = -30;
    pick(rc(Region::Gorny).cbRuch, mvInLeft);
    EXPECT_EQ(W().Gorny.AnimX, 0);

    // "none" stops the timer and puts the text back at X, Y.
    W().Gorny.AnimX = -12;
    pick(rc(Region::Gorny).cbRuch, mvNone);
    EXPECT_FALSE(rc(Region::Gorny).timer->isActive());
    EXPECT_FALSE(isTrue(W().Gorny.Timer));
    EXPECT_EQ(W().Gorny.AnimX, 0);
}

TEST_F(Movement, EachRegionDrivesItsOwnTimer) {
    pick(rc(Region::Dolny).cbRuch, mvBounce);
    EXPECT_TRUE(rc(Region::Dolny).timer->isActive());
    EXPECT_FALSE(rc(Region::Gorny).timer->isActive());
    EXPECT_FALSE(rc(Region::Lewy).timer->isActive());
    EXPECT_EQ(rc(Region::Dolny).timer->objectName(), QStringLiteral("TimerDolny"));
    // The first tick waits the default second.
    EXPECT_EQ(rc(Region::Dolny).timer->interval(), 1000);
}

TEST_F(Movement, TickStepsTheRegionAndTakesTheIntervalFromSpeed) {
    rc(Region::Gorny).seSpeed->setValue(7);
    pick(rc(Region::Gorny).cbRuch, mvInLeft);
    const QImage before = preview();
    form->TimerGornyTimer();
    EXPECT_EQ(W().Gorny.AnimX, -1);
    EXPECT_EQ(rc(Region::Gorny).timer->interval(), 142);
    EXPECT_NE(preview(), before);
    rc(Region::Gorny).seSpeed->setValue(0);
    form->TimerGornyTimer();
    EXPECT_EQ(W().Gorny.AnimX, -2);
    EXPECT_EQ(rc(Region::Gorny).timer->interval(), 1000);
    rc(Region::Gorny).seSpeed->setValue(100);
    form->TimerGornyTimer();
    EXPECT_EQ(rc(Region::Gorny).timer->interval(), 10);
}

TEST_F(Movement, HiddenRegionStopsAtItsFirstTick) {
    W().TypWidoku = vtTop;
    pick(rc(Region::Dolny).cbRuch, mvInRight);
    pick(rc(Region::Lewy).cbRuch, mvInUp);
    ASSERT_TRUE(rc(Region::Dolny).timer->isActive());
    form->TimerDolnyTimer();
    form->TimerLewyTimer();
    EXPECT_FALSE(rc(Region::Dolny).timer->isActive());
    EXPECT_FALSE(rc(Region::Lewy).timer->isActive());
    EXPECT_EQ(W().Dolny.AnimX, 1);  // the hidden region moved once
    EXPECT_EQ(W().Lewy.AnimY, -1);
    // The top region is shown by every type and keeps running.
    pick(rc(Region::Gorny).cbRuch, mvInLeft);
    form->TimerGornyTimer();
    EXPECT_TRUE(rc(Region::Gorny).timer->isActive());
}

TEST_F(Movement, TimersAnimateOnTheEventLoop) {
    rc(Region::Gorny).seSpeed->setValue(100);
    rc(Region::Dolny).seSpeed->setValue(100);
    rc(Region::Lewy).seSpeed->setValue(100);
    pick(rc(Region::Gorny).cbRuch, mvInLeft);
    pick(rc(Region::Dolny).cbRuch, mvInRight);
    pick(rc(Region::Lewy).cbRuch, mvInDown);
    int ticks[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        QObject::connect(rc(static_cast<Region>(i)).timer, &QTimer::timeout, [&ticks, i] { ++ticks[i]; });
    QElapsedTimer clock;
    clock.start();
    // The first tick comes after a second, the next ones every 10 ms.
    while (clock.elapsed() < 1500) QApplication::processEvents(QEventLoop::AllEvents, 5);
    for (int i = 0; i < 3; ++i) EXPECT_GE(ticks[i], 15) << i;
    EXPECT_NE(W().Gorny.AnimX, 0);
    EXPECT_GT(W().Dolny.AnimX, 10);
    EXPECT_NE(W().Lewy.AnimY, 0);
}

TEST_F(Movement, ViewTypeSwitchKeepsHiddenRegionsAndRestartsMovements) {
    form->show();
    form->setPanelMainVisible(true);
    rc(Region::Lewy).eText->setText(QStringLiteral("7A"));
    rc(Region::Lewy).seSize->setValue(20);
    W().Lewy.FontColor = ciRed;
    pick(rc(Region::Dolny).cbRuch, mvInLeft);
    W().Dolny.AnimX = -8;

    form->btnTypWidoku(0)->click();
    EXPECT_EQ(W().TypWidoku, vtTop);
    EXPECT_FALSE(rc(Region::Lewy).gb->isVisible());
    EXPECT_FALSE(rc(Region::Dolny).gb->isVisible());
    EXPECT_EQ(W().Dolny.AnimX, 0);  // restarted by the switch
    EXPECT_TRUE(rc(Region::Dolny).timer->isActive());

    form->btnTypWidoku(2)->click();
    EXPECT_TRUE(rc(Region::Lewy).gb->isVisible());
    EXPECT_EQ(ReadText(W().Lewy.Text), QStringLiteral("7A"));
    EXPECT_EQ(W().Lewy.FontSize, 20);
    EXPECT_EQ(W().Lewy.FontColor, ciRed);
    EXPECT_EQ(rc(Region::Lewy).eText->text(), QStringLiteral("7A"));
    EXPECT_EQ(W().Dolny.Ruch, mvInLeft);
    EXPECT_TRUE(form->btnTypWidoku(2)->isChecked());
}

TEST_F(Movement, TrackBarsClampAndStore) {
    W().TypWidoku = vtLeftTopBottom;
    form->barX()->setValue(100);
    EXPECT_EQ(form->barX()->value(), 64);
    EXPECT_EQ(W().BarX, 64);
    form->barX()->setValue(3);
    EXPECT_EQ(W().BarX, 16);
    form->barY()->setValue(5);
    EXPECT_EQ(form->barY()->value(), 12);
    EXPECT_EQ(W().BarY, 12);
    form->barY()->setValue(20);
    EXPECT_EQ(W().BarY, 20);
    EXPECT_EQ(doc.surfaces().barY, 20);
}

TEST_F(Movement, MouseOverARegionPanelOutlinesItsWindow) {
    form->show();
    form->setPanelMainVisible(true);
    W().TypWidoku = vtLeftTopBottom;
    W().BarX = 40;
    W().BarY = 21;
    form->UstawWidokZDanych();
    QHoverEvent move(QEvent::HoverMove, QPointF(10, 10), QPointF(10, 10), QPointF(9, 9));
    QApplication::sendEvent(rc(Region::Lewy).gb, &move);
    // The left window is outlined in its font colour (green).
    const QImage& img = doc.surfaces().preview.image();
    EXPECT_EQ(img.pixelColor(0, 100), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(1, 100), QColor(0, 255, 0));
    // In type 0 the top panel does nothing, not even a recomposition.
    W().TypWidoku = vtTop;
    form->UstawWidokZDanych();
    std::memset(doc.surfaces().preview.row(0), 0x55, 9);
    QApplication::sendEvent(rc(Region::Gorny).gb, &move);
    EXPECT_EQ(doc.surfaces().preview.row(0)[0], 0x55);
}

}  // namespace
}  // namespace lt::test
