// The main window's start-up state, its width rule and the quit question.
#include "app/mainform.h"
#include "editor/document.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QLineEdit>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

struct MainFormFixture : ::testing::Test {
    Document doc;
    test::ScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(doc, prompts);
};

TEST_F(MainFormFixture, StartsWithDefaultProjectAndPanelHidden) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    EXPECT_EQ(applicationTitle(), form->windowTitle());
    form->show();
    EXPECT_FALSE(form->PanelMain()->isVisible());
    EXPECT_TRUE(form->gbWidoki()->isVisible());
    EXPECT_EQ(doc.dane().EditRow, 1);
    EXPECT_EQ(doc.dane().SelectRow, 1);
    EXPECT_EQ(form->eNazwaProjektu()->text(), QStringLiteral("Display project"));
    EXPECT_EQ(form->eNazwaKursu()->text(), QStringLiteral("Destination #1"));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(MainFormFixture, WidthSnapsBackHeightIsFree) {
    form->show();
    form->resize(1500, 800);
    QApplication::processEvents();
    EXPECT_EQ(form->width(), TMainForm::ClientWidth);
    EXPECT_EQ(form->height(), 800);
    form->resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(form->width(), TMainForm::ClientWidth);
    EXPECT_EQ(form->height(), 500);
}

TEST_F(MainFormFixture, QuitAsksAndKeepsRunningOnNo) {
    form->show();
    std::memcpy(doc.dane().ProjName, u"Kept", 10);
    prompts.answers = {false};
    form->Wyjd1Click();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Are you sure to quit ?")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ReadText(doc.dane().ProjName), QStringLiteral("Kept"));

    prompts.answers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.dialogs.isEmpty());  // nothing saved
}

}  // namespace
}  // namespace lt
