// The File menu and "Save as picture" through the main window.
#include "model/projectfile.h"
#include "tests/app/editor_fixture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace lt::test {
namespace {

using FileCommands = EditorFixture;

TEST_F(FileCommands, NewReplacesTheProjectAndReloadsThePanel) {
    // The typed text is an unsaved change: Cancel keeps it, Discard goes on.
    rc(Region::Gorny).eText->setText(QStringLiteral("Edited"));
    prompts.saveChoices = {SaveChoice::Cancel};
    form->action("Nowy1")->trigger();
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Edited"));

    prompts.saveChoices = {SaveChoice::Discard};
    form->action("Nowy1")->trigger();
    ASSERT_EQ(prompts.saveQuestions.size(), 2);
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Top1"));
    EXPECT_EQ(rc(Region::Gorny).eText->text(), QStringLiteral("Top1"));
    EXPECT_FALSE(form->gbWidoki()->isHidden());
}

TEST_F(FileCommands, OpenShowsTheStoredEditedViewAndItsColours) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("route.vmprj"));
    sDane& d = doc.dane();
    d.EditRow = 17;
    sWidok& v = widok(d, 1, 17);
    StringToWideChar(QStringLiteral("Harbour"), v.Gorny.Text);
    StringToWideChar(QStringLiteral("Line 17"), v.NazwaKursu);
    v.Gorny.FontColor = ciCyan;
    ASSERT_TRUE(doc.writeProject(path).isEmpty());
    d.EditRow = 1;
    form->UstawWidokZDanych();

    prompts.answers = {true};
    prompts.paths = {path};
    form->action("Otwrzprojekt1")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(d.EditRow, 17);
    EXPECT_EQ(rc(Region::Gorny).eText->text(), QStringLiteral("Harbour"));
    EXPECT_EQ(form->eNazwaKursu()->text(), QStringLiteral("Line 17"));
    EXPECT_EQ(rc(Region::Gorny).sColor->fill(), QColor(0, 255, 255));
}

TEST_F(FileCommands, SaveAsThenSaveWriteTheChosenFile) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("depot.vmprj"));
    prompts.paths = {path};
    form->action("Zapiszprojekt1")->trigger();  // no name yet: Save As
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.dialogs.size(), 1);
    form->action("Zapiszprojekt1")->trigger();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Project saved as: ") + path});
    EXPECT_EQ(QFileInfo(path).size(), ProjectFileSize);
}

TEST_F(FileCommands, SaveAsPictureWritesThePreviewAsShown) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Zrzut podgladu.bmp"));
    prompts.paths = {path};
    form->action("ZapiszJakoObrazek")->trigger();
    ASSERT_EQ(prompts.dialogs.size(), 1);
    const FileDialogSpec& request = prompts.dialogs.first();
    EXPECT_EQ(request.filter, QStringLiteral("Bitmaps (*.bmp)|*.bmp"));
    EXPECT_EQ(request.defaultExt, QStringLiteral("*.bmp"));
    EXPECT_EQ(request.fileName, QStringLiteral("Zrzut podgladu"));
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_TRUE(request.title.isEmpty());

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 18), 768);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 22), 192);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    const QImage saved(path);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              doc.surfaces().preview.image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(FileCommands, SaveAsPictureCancelledOrFailingChangesNothing) {
    TempDir dir;
    const QImage before = preview();
    form->ZapiszJakoObrazekClick();  // cancelled
    EXPECT_TRUE(prompts.messages.isEmpty());

    QFile blocker(dir.file(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    prompts.paths = {dir.file(QStringLiteral("file/picture.bmp"))};
    form->ZapiszJakoObrazekClick();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(preview(), before);
}

}  // namespace
}  // namespace lt::test
