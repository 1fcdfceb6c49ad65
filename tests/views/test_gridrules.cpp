// The views-grid rules on a fresh default project: clicks, the wheel, the
// Use switch and its Time, the up/down limits, tab changes and the popup.
#include "editor/document.h"
#include "editor/gridrules.h"

#include <cstring>
#include <gtest/gtest.h>

namespace lt::views {
namespace {

struct GridRules : ::testing::Test {
    Document doc;
    GridState s;
    sDane& d = doc.dane();
    void SetUp() override {
        doc.newDane();
        d.SelWidok = 1;
        d.EditRow = 1;
        d.SelectRow = 1;
    }
    PanelChange click(int col, int row) {
        sgSelectCell(s, col, row);
        return sgClick(d, s);
    }
    sWidok& view(int l, int v) { return widok(d, l, v); }
};

TEST_F(GridRules, UseSwitchOfEditedAndOtherViews) {
    view(1, 1).use = 1;
    view(1, 1).Time = 7;
    // The edited view switched off: Time 0 and the panel hides.
    EXPECT_EQ(click(3, 1), PanelChange::Hide);
    EXPECT_FALSE(isTrue(view(1, 1).use));
    EXPECT_EQ(view(1, 1).Time, 0);
    // ... and on again: Time 1 and the panel shows.
    EXPECT_EQ(click(3, 1), PanelChange::Show);
    EXPECT_EQ(view(1, 1).Time, 1);

    // Another view switched on gets Time 1 but is not loaded.
    view(1, 5).use = 0;
    view(1, 5).Time = 0;
    EXPECT_EQ(click(3, 5), PanelChange::None);
    EXPECT_TRUE(isTrue(view(1, 5).use));
    EXPECT_EQ(view(1, 5).Time, 1);
    EXPECT_EQ(d.EditRow, 1);
    // Switched off again it keeps its Time.
    view(1, 5).Time = 4;
    click(3, 5);
    EXPECT_FALSE(isTrue(view(1, 5).use));
    EXPECT_EQ(view(1, 5).Time, 4);
}

TEST_F(GridRules, WheelSelectsNoViewAndLaterCommandsDoNothing) {
    view(1, 3).use = 1;
    view(1, 3).Time = 5;
    sgMouseWheel(s);
    sgSelectCell(s, 2, 3);
    EXPECT_EQ(sgClick(d, s), PanelChange::None);
    EXPECT_EQ(d.SelectRow, 0);
    EXPECT_EQ(d.SelectCol, 0);
    const sWidok before = view(1, 3);
    sWidok clip{};
    EXPECT_FALSE(sbtnUpClick(d));
    EXPECT_FALSE(sbtnDownClick(d));
    EXPECT_FALSE(pmDefaultClick(d));
    EXPECT_FALSE(pmCopyClick(d, clip));
    EXPECT_FALSE(pmPasteClick(d, clip));
    EXPECT_FALSE(sgDblClick(d));
    EXPECT_EQ(view(1, 3).Time, before.Time);
    // The next selection is an ordinary one again.
    click(1, 3);
    EXPECT_EQ(d.SelectRow, 3);
}

TEST_F(GridRules, DoubleClickOpensOnlyFromNumberOrDestination) {
    view(1, 8).use = 0;
    view(1, 8).Time = 0;
    click(2, 8);
    EXPECT_FALSE(sgDblClick(d));
    EXPECT_EQ(d.EditRow, 1);
    click(1, 8);
    EXPECT_TRUE(sgDblClick(d));
    EXPECT_EQ(d.EditRow, 8);
    EXPECT_EQ(d.EditCol, 1);
    EXPECT_TRUE(isTrue(view(1, 8).use));
    EXPECT_EQ(view(1, 8).Time, 1);
}

TEST_F(GridRules, UpDownStayWithin1To99) {
    click(1, 2);
    view(1, 2).Time = 98;
    EXPECT_TRUE(sbtnUpClick(d));
    EXPECT_TRUE(sbtnUpClick(d));
    EXPECT_EQ(view(1, 2).Time, 99);
    view(1, 2).Time = 2;
    sbtnDownClick(d);
    sbtnDownClick(d);
    EXPECT_EQ(view(1, 2).Time, 1);
    view(1, 2).Time = 0;
    sbtnDownClick(d);
    EXPECT_EQ(view(1, 2).Time, 1);
}

TEST_F(GridRules, TabChangeFollowsUseOfEditedViewNumber) {
    d.EditRow = 4;
    d.SelectRow = 4;
    view(1, 4).use = 1;
    view(2, 4).use = 0;
    EXPECT_FALSE(pcsg1Change(d, 2));
    EXPECT_EQ(d.SelWidok, 2);
    EXPECT_TRUE(pcsg1Change(d, 1));
    view(3, 4).use = 1;
    view(3, 4).Time = 0;
    EXPECT_TRUE(pcsg1Change(d, 3));
    EXPECT_EQ(view(3, 4).Time, 1);
}

TEST_F(GridRules, DefaultKeepsNameTypeBarsTimeAndUse) {
    sWidok& w = view(2, 6);
    StringToWideChar(QStringLiteral("Harbour"), w.NazwaKursu);
    StringToWideChar(QStringLiteral("changed"), w.Gorny.Text);
    w.TypWidoku = 3;
    w.BarX = 40;
    w.BarY = 20;
    w.Time = 12;
    w.use = 1;
    d.SelWidok = 2;
    click(1, 6);
    EXPECT_TRUE(pmDefaultClick(d));
    EXPECT_EQ(d.EditRow, 6);
    EXPECT_EQ(ReadText(w.NazwaKursu), QStringLiteral("Harbour"));
    EXPECT_NE(ReadText(w.Gorny.Text), QStringLiteral("changed"));
    EXPECT_EQ(w.TypWidoku, 3);
    EXPECT_EQ(w.BarX, 40);
    EXPECT_EQ(w.BarY, 20);
    EXPECT_EQ(w.Time, 12);
    EXPECT_TRUE(isTrue(w.use));
}

TEST_F(GridRules, CopyInOneLanguagePasteInAnother) {
    sWidok& src = view(1, 2);
    StringToWideChar(QStringLiteral("Airport"), src.NazwaKursu);
    src.use = 1;
    src.Time = 9;
    click(1, 2);
    ASSERT_TRUE(pmCopyClick(d, doc.copyWidok()));
    d.SelWidok = 2;
    click(1, 10);
    ASSERT_TRUE(pmPasteClick(d, doc.copyWidok()));
    EXPECT_EQ(d.EditRow, 10);
    EXPECT_EQ(0, std::memcmp(&view(2, 10), &src, sizeof(sWidok)));
}

TEST_F(GridRules, ActiveTabFixAfterLanguagesDialog) {
    d.Lang[1].Use = 1;
    d.Lang[2].Use = 0;
    d.SelWidok = 2;
    EXPECT_EQ(fixActiveTab(d), 1);
    d.SelWidok = 3;
    EXPECT_EQ(fixActiveTab(d), 0);
    EXPECT_EQ(d.SelWidok, 1);
}

}  // namespace
}  // namespace lt::views
