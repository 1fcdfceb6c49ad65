// Never losing edits: the title names the file and marks unsaved changes, and
// New, Open, Recover and Quit offer to save them first.
#include "tests/app/editor_fixture.h"

#include <QAction>
#include <QFile>

namespace lt::test {
namespace {

const QString Caption = QStringLiteral("Velmora Line Tint v1.03 2016-09-04");

struct Unsaved : EditorFixture {
    TempDir dir;
    void type(const QString& text) { rc(Region::Gorny).eText->setText(text); }
    /// The title as the window manager shows it.
    QString shownTitle() const {
        QString t = form->windowTitle();
        return t.replace(QStringLiteral("[*]"), form->isWindowModified() ? QStringLiteral("*") : QString());
    }
};

TEST_F(Unsaved, TitleNamesTheFileAndFollowsTheCleanState) {
    EXPECT_EQ(shownTitle(), Caption);
    type(QStringLiteral("Airport"));
    EXPECT_EQ(shownTitle(), QStringLiteral("*") + Caption);

    prompts.paths = {dir.file(QStringLiteral("depot.vmprj"))};
    form->Zapiszjakoprojekt1Click();
    EXPECT_EQ(shownTitle(), QStringLiteral("depot.vmprj \u2014 ") + Caption);
    doc.sealTyping();
    type(QStringLiteral("Airport 2"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("depot.vmprj[*] \u2014 ") + Caption);
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(form->action("Cofnij1")->text(), QStringLiteral("Undo Text"));
    form->action("Cofnij1")->trigger();
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_EQ(form->action("Ponow1")->text(), QStringLiteral("Redo Text"));
    EXPECT_EQ(rc(Region::Gorny).eText->text(), QStringLiteral("Airport"));
}

TEST_F(Unsaved, NoChangesKeepTheYesNoQuestions) {
    prompts.answers = {false, false, false};
    form->Nowy1Click();
    form->Otwrzprojekt1Click();
    form->Odzyskajprojekt1Click();
    EXPECT_EQ(prompts.questions.size(), 3);
    EXPECT_EQ(prompts.questions[0], QStringLiteral("Are you sure to create a new project ?"));
    EXPECT_TRUE(prompts.saveQuestions.isEmpty());
}

TEST_F(Unsaved, CancelKeepsTheEditsForEveryCommand) {
    type(QStringLiteral("Harbour"));
    form->show();
    form->Nowy1Click();
    form->Otwrzprojekt1Click();
    form->Odzyskajprojekt1Click();
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.saveQuestions,
              (QStringList{QStringLiteral("Save changes to the new project before creating a new project?"),
                           QStringLiteral("Save changes to the new project before opening another project?"),
                           QStringLiteral("Save changes to the new project before recovering a project from "
                                          "a pendrive file?"),
                           QStringLiteral("Save changes to the new project before quitting?")}));
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Harbour"));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(Unsaved, DiscardGoesOnAndSaveWritesFirst) {
    type(QStringLiteral("Harbour"));
    prompts.saveChoices = {SaveChoice::Discard};
    form->Nowy1Click();
    EXPECT_NE(ReadText(W().Gorny.Text), QStringLiteral("Harbour"));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.undoStack().count(), 0);

    // Save with no file yet runs Save As, then the project is opened.
    type(QStringLiteral("Harbour"));
    const QString saved = dir.file(QStringLiteral("harbour.vmprj"));
    prompts.saveChoices = {SaveChoice::Save};
    prompts.paths = {saved, saved};
    form->Otwrzprojekt1Click();
    ASSERT_EQ(QFile(saved).size(), qint64(sizeof(sDane)));
    EXPECT_EQ(doc.filePath(), saved);
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Harbour"));
    EXPECT_FALSE(doc.isModified());

    // Discard on Quit closes the window without writing.
    type(QStringLiteral("Harbour 2"));
    form->show();
    prompts.saveChoices = {SaveChoice::Discard};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(QFile(saved).size(), qint64(sizeof(sDane)));
}

TEST_F(Unsaved, AFailedOrCancelledSaveCancelsTheCommand) {
    const QString blocker = dir.file(QStringLiteral("plain"));
    putFile(blocker, "x");
    type(QStringLiteral("Harbour"));
    form->show();
    prompts.saveChoices = {SaveChoice::Save, SaveChoice::Save};
    prompts.paths = {blocker + QStringLiteral("/depot.vmprj")};  // cannot be written; then Save As cancelled
    EXPECT_FALSE(form->close());
    form->Odzyskajprojekt1Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.warnings.size(), 1);
    EXPECT_EQ(prompts.dialogs.size(), 2);  // two Save As dialogs, no pendrive dialog
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Harbour"));
    EXPECT_TRUE(doc.isModified());
}

}  // namespace
}  // namespace lt::test
