// The movement tick: interval rule, wrap points per region and view type,
// bounce and flashing, the hidden-region rule, and 32-bit limits.
#include "model/defaults.h"
#include "render/animation.h"
#include "render/preview.h"
#include "render_helpers.h"

#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

TEST(Movement, IntervalIsThousandDivSpeed) {
    const std::pair<std::int32_t, int> cases[] = {{0, 1000},         {1, 1000}, {3, 333},
                                                  {7, 142},          {100, 10}, {-5, 1000},
                                                  {INT32_MIN, 1000}, {101, 10}, {INT32_MAX, 10}};
    for (const auto& [speed, ms] : cases) EXPECT_EQ(timerInterval(speed), ms) << speed;
}

class Tick : public ::testing::Test {
protected:
    std::unique_ptr<sDane> dane = std::make_unique<sDane>();
    void SetUp() override {
        NewDane(*dane);
        dane->SelWidok = 1;
        dane->EditRow = 1;
    }
    sWidok& view() { return editedView(*dane); }
    sScreenImage& region(Region r) { return regionOf(view(), r); }
    void setUp(Region r, std::int32_t ruch, std::int32_t tw, std::int32_t th = 10) {
        sScreenImage& s = region(r);
        s.Ruch = ruch;
        s.TextWidth = tw;
        s.TextHeight = th;
        restartMovement(s);
    }
    TickResult tick(Region r) { return stepRegion(*dane, r); }
};

TEST_F(Tick, InLeftWrapsToTheWindowsRightEdge) {
    view().TypWidoku = vtTop;
    setUp(Region::Gorny, mvInLeft, 40);
    for (int expect = -1; expect >= -40; --expect) {
        tick(Region::Gorny);
        ASSERT_EQ(region(Region::Gorny).AnimX, expect);
    }
    tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, 128);
    tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, 127);
}

TEST_F(Tick, InRightWrapsPastTheWindowBesideTheLeftRegion) {
    view().TypWidoku = vtLeftTop;
    view().BarX = 20;
    setUp(Region::Gorny, mvInRight, 33);
    for (int i = 0; i < 108; ++i) tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, 108);
    tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, -33);
}

TEST_F(Tick, VerticalWrapsUseTheTopRegionsHeightForBothLines) {
    view().TypWidoku = vtTopBottom;
    view().BarY = 12;
    for (Region r : {Region::Gorny, Region::Dolny}) {
        setUp(r, mvInUp, 50, 9);
        for (int i = 0; i < 9; ++i) tick(r);
        EXPECT_EQ(region(r).AnimY, -9);
        tick(r);
        EXPECT_EQ(region(r).AnimY, 12) << int(r);

        setUp(r, mvInDown, 50, 9);
        for (int i = 0; i < 12; ++i) tick(r);
        EXPECT_EQ(region(r).AnimY, 12);
        tick(r);
        EXPECT_EQ(region(r).AnimY, -9) << int(r);
    }
    // The left region always wraps at 32 rows and BarX columns.
    view().TypWidoku = vtLeftTopBottom;
    view().BarX = 30;
    EXPECT_EQ(wrapLimits(view(), Region::Lewy).Wx, 30);
    EXPECT_EQ(wrapLimits(view(), Region::Lewy).Hy, 32);
    EXPECT_EQ(wrapLimits(view(), Region::Dolny).Wx, 98);
    view().TypWidoku = vtLeftTop;
    EXPECT_EQ(wrapLimits(view(), Region::Gorny).Hy, 32);
}

TEST_F(Tick, BounceSwingsAWideTextAndRocksANarrowOne) {
    view().TypWidoku = vtTop;  // Wx = 128
    setUp(Region::Gorny, mvBounce, 200);
    std::vector<int> xs;
    for (int i = 0; i < 300; ++i) {
        tick(Region::Gorny);
        xs.push_back(region(Region::Gorny).AnimX);
    }
    // Turns left on reaching 6, turns right at Wx - TW - 6 = -78.
    EXPECT_EQ(*std::max_element(xs.begin(), xs.end()), 6);
    EXPECT_EQ(*std::min_element(xs.begin(), xs.end()), -78);

    setUp(Region::Gorny, mvBounce, 40);
    region(Region::Gorny).Direction = 1;
    for (int i = 0; i < 6; ++i) tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, 6);
    for (int i = 0; i < 10; ++i) {
        tick(Region::Gorny);
        EXPECT_EQ(region(Region::Gorny).AnimX, i % 2 == 0 ? 5 : 6);
    }

    // The left region stands still.
    setUp(Region::Lewy, mvBounce, 200);
    for (int i = 0; i < 10; ++i) tick(Region::Lewy);
    EXPECT_EQ(region(Region::Lewy).AnimX, 0);
}

TEST_F(Tick, FlashingAlternatesTextAndBackground) {
    view().TypWidoku = vtTop;
    setUp(Region::Gorny, mvFlashing, 40);
    region(Region::Gorny).Direction = 1;
    tick(Region::Gorny);  // the first tick switches off
    EXPECT_EQ(region(Region::Gorny).AnimX, 128);
    EXPECT_EQ(region(Region::Gorny).AnimY, 96);
    EXPECT_EQ(region(Region::Gorny).Direction, -1);
    auto s = std::make_unique<Surfaces>();
    RenderLED(*dane, *s);
    EXPECT_EQ(test::pixelSet(s->preview),
              std::set<std::uint32_t>{test::key(Int2Color(region(Region::Gorny).BackColor))});
    tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).AnimX, 0);
    EXPECT_EQ(region(Region::Gorny).AnimY, 0);
    RenderLED(*dane, *s);
    EXPECT_GT(test::pixelSet(s->preview).size(), 1u);
    // Any direction value from a file flips to a valid phase.
    region(Region::Gorny).Direction = 0;
    tick(Region::Gorny);
    EXPECT_EQ(region(Region::Gorny).Direction, 1);
}

TEST_F(Tick, HiddenRegionsStopTheirTimerAfterOneStep) {
    struct Case {
        Region region;
        std::int32_t type;
        bool disable;
    } cases[] = {{Region::Dolny, 0, true},  {Region::Dolny, 1, false}, {Region::Dolny, 2, true},
                 {Region::Dolny, 3, false}, {Region::Lewy, 0, true},   {Region::Lewy, 1, true},
                 {Region::Lewy, 2, false},  {Region::Lewy, 3, false},  {Region::Gorny, 0, false},
                 {Region::Gorny, 1, false}, {Region::Gorny, 2, false}, {Region::Gorny, 3, false}};
    for (const Case& c : cases) {
        view().TypWidoku = c.type;
        setUp(c.region, mvInLeft, 20);
        EXPECT_EQ(tick(c.region).disableTimer, c.disable) << int(c.region) << " type " << c.type;
        EXPECT_EQ(region(c.region).AnimX, -1);  // the rest of the tick still runs
    }
}

TEST_F(Tick, NoneAndUnknownCodesChangeNothing) {
    for (std::int32_t ruch : {0, 7, -1, INT32_MAX}) {
        setUp(Region::Gorny, ruch, 20);
        region(Region::Gorny).AnimX = 3;
        region(Region::Gorny).Direction = 1;
        tick(Region::Gorny);
        EXPECT_EQ(region(Region::Gorny).AnimX, 3);
        EXPECT_EQ(region(Region::Gorny).AnimY, 0);
        EXPECT_EQ(region(Region::Gorny).Direction, 1);
    }
}

TEST_F(Tick, ThirtyTwoBitLimitsNeitherOverflowNorHang) {
    view().TypWidoku = vtTop;
    sScreenImage& r = region(Region::Gorny);
    setUp(Region::Gorny, mvInLeft, 40);
    r.AnimX = INT32_MIN;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimX, 128);

    setUp(Region::Gorny, mvInRight, INT32_MIN);  // -TW does not fit: saturates
    r.AnimX = INT32_MAX;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimX, INT32_MAX);

    setUp(Region::Gorny, mvInUp, 0, INT32_MAX);
    r.AnimY = INT32_MIN;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimY, 32);

    setUp(Region::Gorny, mvInDown, 0, INT32_MIN);
    r.AnimY = INT32_MAX;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimY, INT32_MAX);

    // Bounce moves one pixel whatever the stored direction; 0 counts as leftwards.
    setUp(Region::Gorny, mvBounce, INT32_MAX);
    r.Direction = INT32_MAX;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimX, 1);
    r.Direction = 0;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimX, 0);
    r.AnimX = INT32_MIN;
    r.Direction = -1;
    tick(Region::Gorny);
    EXPECT_EQ(r.AnimX, INT32_MIN);

    // Bars from a file beyond the sign keep the limits on it.
    view().TypWidoku = vtLeftTopBottom;
    view().BarX = INT32_MIN;
    view().BarY = INT32_MAX;
    EXPECT_EQ(wrapLimits(view(), Region::Gorny).Wx, 128);
    EXPECT_EQ(wrapLimits(view(), Region::Gorny).Hy, 32);
    EXPECT_EQ(wrapLimits(view(), Region::Lewy).Wx, 0);
}

TEST(Movement, RestartResetsOffsetsAndSetsTimer) {
    sScreenImage r{};
    r.AnimX = 5;
    r.AnimY = -3;
    r.Direction = -1;
    r.Ruch = mvBounce;
    EXPECT_TRUE(restartMovement(r));
    EXPECT_EQ(r.AnimX, 0);
    EXPECT_EQ(r.AnimY, 0);
    EXPECT_EQ(r.Timer, 1);
    EXPECT_EQ(r.Direction, -1);
    r.Ruch = mvNone;
    EXPECT_FALSE(restartMovement(r));
    EXPECT_EQ(r.Timer, 0);
}

}  // namespace
}  // namespace lt
