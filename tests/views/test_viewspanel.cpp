// The views list inside the real main window: drawing after a paste of the
// empty clipboard, the languages dialog and its tab rules.
#include "app/mainform.h"
#include "model/document.h"
#include "tests/support/scripted_prompts.h"
#include "views/formoption.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>
#include <memory>

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

}  // namespace
}  // namespace lt::views
