// Writes of the editor that fail say which file and why, with a warning icon;
// and the command line's new project is the editor's File > New.
#include "app/qtprompts.h"
#include "model/projectfile.h"
#include "tests/app/editor_fixture.h"
#include "widgets/apptitle.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <cstddef>
#include <cstring>

namespace lt::test {
namespace {

using WriteFailures = EditorFixture;

struct FailingCommand {
    const char* what;
    const char* action;
    QString (*target)(const TempDir& dir);
    const char* reason;
};

class FailingWrite : public EditorFixture, public ::testing::WithParamInterface<FailingCommand> {};

TEST_P(FailingWrite, WarnsWithTheFileAndTheSystemsReason) {
    TempDir dir;
    putFile(dir.file(QStringLiteral("file")));  // a regular file to write under
    const QString path = GetParam().target(dir);
    prompts.paths = {path};
    form->action(GetParam().action)->trigger();
    ASSERT_EQ(prompts.warnings.size(), 1) << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(prompts.warnings.first(), path + QStringLiteral(": ") + QString::fromLatin1(GetParam().reason));
    EXPECT_EQ(prompts.messages, prompts.warnings);  // no success message besides
    EXPECT_EQ(doc.dane().FileName[0], 0);           // Save As keeps the file name it had
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FailingWrite,
    ::testing::Values(FailingCommand{"ExportToAFullStick", "Eksportujdoplikuwywietlacza1",
                                     [](const TempDir&) { return QStringLiteral("/dev/full"); },
                                     "No space left on device"},
                      FailingCommand{"SaveAsUnderAFile", "Zapiszjakoprojekt1",
                                     [](const TempDir& d) { return d.file(QStringLiteral("file/p.vmprj")); },
                                     "Not a directory"},
                      FailingCommand{"SaveAsOverAFolder", "Zapiszjakoprojekt1",
                                     [](const TempDir& d) { return d.path(); }, "Is a directory"},
                      FailingCommand{"PictureToAFullDevice", "ZapiszJakoObrazek",
                                     [](const TempDir&) { return QStringLiteral("/dev/full"); },
                                     "No space left on device"}),
    [](const ::testing::TestParamInfo<FailingCommand>& p) { return std::string(p.param.what); });

TEST(QtWarning, ShowsAWarningIconAndTheApplicationTitle) {
    QtPrompts prompts;
    setApplicationTitle(QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    prompts.warning(QStringLiteral("/media/stick/Velmora.bin: No space left on device"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    EXPECT_EQ(text, QStringLiteral("/media/stick/Velmora.bin: No space left on device"));
}

TEST_F(WriteFailures, CommandLineNewIsTheEditorsNewByteForByteButTheMac) {
    TempDir dir;
    const QString editorFile = dir.file(QStringLiteral("editor.vmprj"));
    const QString cliFile = dir.file(QStringLiteral("cli.vmprj"));
    prompts.answers = {true};
    form->action("Nowy1")->trigger();
    prompts.paths = {editorFile};
    form->action("Zapiszjakoprojekt1")->trigger();
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();
    const CliResult made = runCli({QStringLiteral("new"), QStringLiteral("-o"), cliFile});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    QFile a(editorFile), b(cliFile);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    QByteArray editor = a.readAll(), cli = b.readAll();
    ASSERT_EQ(editor.size(), ProjectFileSize);
    ASSERT_EQ(cli.size(), ProjectFileSize);
    // The MAC address is drawn at random for every new project.
    const auto mac = static_cast<qsizetype>(offsetof(sDane, MAC));
    editor.replace(mac, 6, QByteArray(6, '\0'));
    cli.replace(mac, 6, QByteArray(6, '\0'));
    // The measured sizes are there (view 1's top line is "Top1").
    sWidok v{};
    const auto first = static_cast<qsizetype>(offsetof(sDane, Widok));
    std::memcpy(&v, cli.constData() + first, sizeof v);
    EXPECT_GT(v.Gorny.TextWidth, 0);
    EXPECT_GT(v.Gorny.TextHeight, 0);
    qsizetype firstDifference = -1;
    for (qsizetype i = 0; i < editor.size() && firstDifference < 0; ++i)
        if (editor[i] != cli[i]) firstDifference = i;
    EXPECT_EQ(firstDifference, -1);
}

}  // namespace
}  // namespace lt::test
