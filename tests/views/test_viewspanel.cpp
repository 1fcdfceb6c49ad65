// The views list inside the real main window: drawing after a paste of the
// empty clipboard, the languages dialog and its tab rules, and copying all
// views of a language over another.
#include "app/mainform.h"
#include "editor/document.h"
#include "editor/gridrules.h"
#include "tests/support/scripted_prompts.h"
#include "views/formoption.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lt::views {
namespace {

struct ViewsPanelFixture : ::testing::Test {
    Document doc;
    test::ScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(doc, prompts);
    ViewsPanel& panel = *form->gbWidoki();
    sDane& d = doc.dane();

    void click(int col, int row) { panel.grid(d.SelWidok)->selectCell(col, row); }
};

TEST_F(ViewsPanelFixture, GridsAreBuiltAndTabsFollowLanguages) {
    form->show();
    QTabWidget* tabs = panel.pcsg1();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("English"));
    EXPECT_TRUE(tabs->isTabVisible(0));
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_FALSE(tabs->isTabVisible(2));
    EXPECT_EQ(panel.grid(1)->objectName(), QStringLiteral("sg"));
    EXPECT_EQ(panel.grid(3)->sbtn()->objectName(), QStringLiteral("sbtn3"));
}

TEST_F(ViewsPanelFixture, PasteBeforeCopyRendersAndDraws) {
    form->show();
    click(1, 1);
    panel.pmPasteClick();
    const sWidok& w = widok(d, 1, 1);
    EXPECT_FALSE(isTrue(w.use));
    EXPECT_EQ(w.Time, 0);
    EXPECT_EQ(ReadText(w.NazwaKursu), QString());
    // Drawing and double-clicking the pasted empty view must both hold.
    const QImage shot = panel.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    panel.sgDblClick();
    EXPECT_TRUE(isTrue(w.use));
    EXPECT_EQ(w.Time, 1);
    EXPECT_FALSE(form->grab().toImage().isNull());
}

TEST_F(ViewsPanelFixture, UseCellOfEditedViewHidesAndShowsPanel) {
    form->show();
    widok(d, 1, 1).use = 1;
    widok(d, 1, 1).Time = 3;
    form->setPanelMainVisible(true);
    click(3, 1);
    EXPECT_FALSE(form->PanelMain()->isVisible());
    EXPECT_EQ(widok(d, 1, 1).Time, 0);
    click(3, 1);
    EXPECT_TRUE(form->PanelMain()->isVisible());
    EXPECT_EQ(widok(d, 1, 1).Time, 1);
}

TEST_F(ViewsPanelFixture, LanguagesDialogOkAndCancel) {
    TFormOption& dlg = *panel.FormOption();
    QTabWidget* tabs = panel.pcsg1();
    dlg.fillFromProject();
    EXPECT_FALSE(dlg.edLang2()->isEnabled());
    const QString longName = QStringLiteral("A second language name well past the limit");
    dlg.cbLang2()->setChecked(true);
    EXPECT_TRUE(dlg.edLang2()->isEnabled());
    dlg.edLang2()->setText(longName);
    dlg.btnOKClick();
    EXPECT_TRUE(tabs->isTabVisible(1));
    EXPECT_EQ(tabs->tabText(1), longName);
    EXPECT_EQ(ReadText(d.Lang[1].Nazwa), longName.left(31));

    // Cancel leaves the project and the captions alone.
    dlg.fillFromProject();
    dlg.edLang1()->setText(QStringLiteral("Changed"));
    dlg.btnCancelClick();
    EXPECT_EQ(ReadText(d.Lang[0].Nazwa), QStringLiteral("English"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("English"));

    // Switching off the active language brings tab 1 back, views untouched.
    tabs->setCurrentIndex(1);
    EXPECT_EQ(d.SelWidok, 2);
    StringToWideChar(QStringLiteral("Kept"), widok(d, 2, 7).NazwaKursu);
    dlg.fillFromProject();
    dlg.cbLang2()->setChecked(false);
    dlg.btnOKClick();
    tabs->setCurrentIndex(fixActiveTab(d));
    EXPECT_EQ(d.SelWidok, 1);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_EQ(ReadText(widok(d, 2, 7).NazwaKursu), QStringLiteral("Kept"));
}

TEST_F(ViewsPanelFixture, OkMakesLanguageOneUsedAfterOpen) {
    test::TempDir dir;
    d.Lang[0].Use = 0;
    const QString path = dir.file(QStringLiteral("off.ltp"));
    ASSERT_EQ(doc.writeProject(path), QString());
    ASSERT_EQ(doc.openProject(path), QString());
    EXPECT_TRUE(isTrue(d.Lang[0].Use));
    d.Lang[0].Use = 0;
    panel.FormOption()->fillFromProject();
    panel.FormOption()->btnOKClick();
    EXPECT_TRUE(isTrue(d.Lang[0].Use));
    EXPECT_TRUE(panel.pcsg1()->isTabVisible(0));
}

/// "Copy all views over": the rule, the question before it and what the
/// grid shows afterwards.
struct CopyLanguage : ViewsPanelFixture {
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
