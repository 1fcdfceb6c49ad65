// File > Recover project from pendrive through the main window.
#include "depot/recover.h"
#include "display/flashbuild.h"
#include "editor/pendrive.h"
#include "tests/app/editor_fixture.h"

#include <QAction>
#include <QMenu>

namespace lt::test {
namespace {

using RecoverMenu = EditorFixture;

TEST_F(RecoverMenu, RecoversTheStickIntoTheEditorWithoutAFileName) {
    TempDir dir;
    // A stick made from another project: a second view in use with capitals.
    Document other;
    other.newDane();
    sWidok& w = widok(other.dane(), 1, 2);
    w.use = 1;
    w.Time = 7;
    w.Gorny.Y = 6;
    StringToWideChar(QStringLiteral("ŹRÓDŁA"), w.Gorny.Text);
    StringToWideChar(QStringLiteral("Źródła"), w.NazwaKursu);
    EncodeKorvo2Flash(other);
    const QString stick = dir.file(QStringLiteral("velmoraflash.bin"));
    ASSERT_TRUE(writeFlashFile(other.flash(), stick).isEmpty());

    QAction* item = form->action("Odzyskajprojekt1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Recover project from pendrive…"));
    EXPECT_TRUE(item->isVisible());

    prompts.answers = {true};
    prompts.paths = {stick};
    item->trigger();
    EXPECT_EQ(prompts.questions, QStringList{msgRecoverConfirm()});
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs.first().filter, QStringLiteral("Pendrive file (*.bin)|*.bin"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().startsWith(QStringLiteral("Views in use recovered: 1.")));
    EXPECT_EQ(ReadText(widok(doc.dane(), 1, 2).Gorny.Text), QStringLiteral("ŹRÓDŁA"));
    EXPECT_TRUE(doc.filePath().isEmpty());
    EXPECT_FALSE(form->gbWidoki()->isHidden());
    // The thumbnail of the recovered view shows the recovered sign.
    Document shown;
    shown.adoptProject(doc.dane());
    EXPECT_EQ(doc.surfaces().thumbnail(1, 2).image(), shown.surfaces().thumbnail(1, 2).image());

    // Save asks where to write it.
    prompts.paths.clear();
    form->action("Zapiszprojekt1")->trigger();
    EXPECT_EQ(prompts.dialogs.last().title, QStringLiteral("Save project file"));
}

TEST_F(RecoverMenu, AnsweringNoOrCancellingKeepsTheProject) {
    // The typed text is an unsaved change: Cancel, then Discard.
    rc(Region::Gorny).eText->setText(QStringLiteral("Kept"));
    prompts.saveChoices = {SaveChoice::Cancel};
    form->action("Odzyskajprojekt1")->trigger();
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    prompts.saveChoices = {SaveChoice::Discard};
    form->action("Odzyskajprojekt1")->trigger();  // dialog cancelled
    EXPECT_EQ(prompts.dialogs.size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Kept"));
}

}  // namespace
}  // namespace lt::test
