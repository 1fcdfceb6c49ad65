// "Copy all views over": the rule, the question before it and what the grid
// shows afterwards.
#include "app/mainform.h"
#include "model/document.h"
#include "tests/support/scripted_prompts.h"
#include "views/gridrules.h"
#include "views/viewspanel.h"

#include <QAction>
#include <QMenu>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lt::views {
namespace {

struct CopyLanguage : ::testing::Test {
    Document doc;
    test::ScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(doc, prompts);
    ViewsPanel& panel = *form->gbWidoki();
    sDane& d = doc.dane();

    void SetUp() override {
        doc.applyLanguages(QStringLiteral("Polski"), QStringLiteral("Deutsch"), true, QStringLiteral("Czech"),
                           false);
        for (int v : {1, 150, 300}) {
            sWidok& w = widok(d, 1, v);
            StringToWideChar(QStringLiteral("Dworzec %1").arg(v), w.Gorny.Text);
            w.Gorny.FontColor = 2;
            w.TypWidoku = vtTopBottom;
            w.use = 1;
            w.Time = 4;
        }
        doc.RenderBitmapsSG();
        doc.RenderLED();
    }
    static std::vector<char> bytes(const sWidok& w) {
        std::vector<char> b(sizeof(sWidok));
        std::memcpy(b.data(), &w, sizeof(sWidok));
        return b;
    }
    QAction* item(int lang) {
        return panel.pmCopyLanguage()->findChild<QAction*>(QStringLiteral("pmCopyLanguage%1").arg(lang));
    }
};

TEST_F(CopyLanguage, RuleCopiesEveryViewWholeAndRefusesNonsense) {
    widok(d, 2, 77).use = 1;
    EXPECT_TRUE(copyLanguage(d, 1, 2));
    for (int v = 1; v <= ViewCount; ++v) ASSERT_EQ(bytes(widok(d, 2, v)), bytes(widok(d, 1, v))) << v;
    const std::vector<char> three = bytes(widok(d, 3, 150));
    EXPECT_FALSE(copyLanguage(d, 1, 1));
    EXPECT_FALSE(copyLanguage(d, 0, 3));
    EXPECT_FALSE(copyLanguage(d, 1, 4));
    EXPECT_EQ(bytes(widok(d, 3, 150)), three);
}

TEST_F(CopyLanguage, AsksFirstAndNoLeavesEverything) {
    const std::vector<char> before = bytes(widok(d, 2, 150));
    prompts.answers = {false};
    panel.pmCopyLanguageClick(2);
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(
        prompts.questions[0],
        QStringLiteral("Copy all 300 views of \"Polski\" over \"Deutsch\"? Every view of \"Deutsch\" is "
                       "replaced."));
    EXPECT_EQ(bytes(widok(d, 2, 150)), before);
    // A language switched off is no target; nor is the current one.
    panel.pmCopyLanguageClick(3);
    panel.pmCopyLanguageClick(1);
    EXPECT_EQ(prompts.questions.size(), 1);
}

TEST_F(CopyLanguage, YesCopiesAndTheThumbnailsFollow) {
    const sDane& cd = d;
    const int editRow = cd.EditRow, selectRow = cd.SelectRow;
    const QImage edited = doc.surfaces().preview.image().copy();
    prompts.answers = {true};
    panel.pmCopyLanguageClick(2);
    for (int v = 1; v <= ViewCount; ++v) ASSERT_EQ(bytes(widok(d, 2, v)), bytes(widok(d, 1, v))) << v;
    for (int v : {1, 150, 300, 299})
        EXPECT_EQ(doc.surfaces().thumbnail(2, v).image(), doc.surfaces().thumbnail(1, v).image()) << v;
    EXPECT_NE(doc.surfaces().thumbnail(2, 150).image(), doc.surfaces().thumbnail(3, 150).image());
    // The selection and the preview of the edited view are as before.
    EXPECT_EQ(cd.SelWidok, 1);
    EXPECT_EQ(cd.EditRow, editRow);
    EXPECT_EQ(cd.SelectRow, selectRow);
    EXPECT_EQ(doc.surfaces().preview.image(), edited);
}

TEST_F(CopyLanguage, PopupOffersTheOtherLanguagesInUse) {
    emit panel.pmSG()->aboutToShow();
    ASSERT_NE(item(1), nullptr);
    EXPECT_FALSE(item(1)->isVisible());  // the current language
    EXPECT_TRUE(item(2)->isVisible());
    EXPECT_TRUE(item(2)->isEnabled());
    EXPECT_EQ(item(2)->text(), QStringLiteral("2: Deutsch"));
    EXPECT_FALSE(item(3)->isEnabled());  // switched off
    prompts.answers = {true};
    item(2)->trigger();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(bytes(widok(d, 2, 300)), bytes(widok(d, 1, 300)));
}

}  // namespace
}  // namespace lt::views
