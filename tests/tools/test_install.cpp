// The installed layout: `cmake --install` of this build into a folder of its own.
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <filesystem>
#include <gtest/gtest.h>

namespace lt {
namespace {

using test::TempDir;

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Install, LayoutOfTheInstalledProduct) {
    TempDir prefix;
    QProcess install;
    install.start(QStringLiteral(LINETINT_CMAKE_COMMAND),
                  {"--install", QStringLiteral(LINETINT_BINARY_DIR), "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QString root = prefix.path();

    // The command-line program on the PATH, the editor in its own folder with
    // a link to it on the PATH.
    const QFileInfo cli(root + "/bin/linetint-cli");
    EXPECT_TRUE(cli.isFile() && cli.isExecutable());
    const QFileInfo editor(root + "/lib/velmora-linetint/linetint");
    EXPECT_TRUE(editor.isFile() && editor.isExecutable());
    const QFileInfo link(root + "/bin/linetint");
    ASSERT_TRUE(link.isSymLink());
    EXPECT_EQ(link.symLinkTarget(), editor.canonicalFilePath());
    // Relative, so the tree works wherever it is unpacked.
    EXPECT_EQ(std::filesystem::read_symlink(link.filePath().toStdString()).string(),
              "../lib/velmora-linetint/linetint");

    // Every language file of the sources beside the real editor.
    const QStringList langs =
        QDir(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang")).entryList({"*.lng"}, QDir::Files);
    for (const QString& lng : langs) {
        EXPECT_EQ(readFile(root + "/lib/velmora-linetint/" + lng),
                  readFile(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/") + lng))
            << lng.toStdString();
    }

    // The desktop entry starts the editor by its link with the file chosen,
    // for the project files' type, which the shared MIME entry declares.
    const QByteArray desktop = readFile(root + "/share/applications/velmora-linetint.desktop");
    EXPECT_TRUE(desktop.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(desktop.contains("\nExec=linetint %f\n"));
    EXPECT_TRUE(desktop.contains("\nMimeType=application/x-velmora-linetint-project;\n"));
    const QByteArray mime = readFile(root + "/share/mime/packages/velmora-linetint.xml");
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-velmora-linetint-project\">"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.vmprj\"/>"));
    // The manual, where the installed editor looks for it.
    EXPECT_TRUE(QFileInfo(root + "/share/doc/velmora-linetint/manual/index.html").isFile());
    EXPECT_TRUE(QFileInfo(root + "/share/doc/velmora-linetint/manual/shortcuts.html").isFile());
    EXPECT_TRUE(desktop.contains("\nIcon=velmora-linetint\n"));
    EXPECT_TRUE(desktop.contains("\nType=Application\n"));

    // The icon at every hicolor size, each a PNG of that size.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/velmora-linetint.png").arg(root).arg(size);
        QImage icon;
        ASSERT_TRUE(icon.load(path, "PNG")) << path.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);                  // a transparent corner
        EXPECT_EQ(icon.pixelColor(size / 2, size / 2).alpha(), 255);  // an opaque face
    }

    // The man page, compressed.
    const QByteArray man = readFile(root + "/share/man/man1/linetint-cli.1.gz");
    EXPECT_TRUE(man.startsWith("\x1F\x8B")) << "not gzip";

    // Nothing else: no build tools, tests or generators in the product.
    QStringList files;
    for (const QString& sub : {QStringLiteral("bin"), QStringLiteral("lib/velmora-linetint")})
        for (const QString& f : QDir(root + "/" + sub).entryList(QDir::Files | QDir::System))
            files << sub + "/" + f;
    files.sort();
    QStringList expected = {"bin/linetint", "bin/linetint-cli", "lib/velmora-linetint/linetint"};
    for (const QString& lng : langs) expected << "lib/velmora-linetint/" + lng;
    expected.sort();
    EXPECT_EQ(files, expected);

    // The installed programs start.
    QProcess run;
    run.start(cli.filePath(), {"--help"});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_TRUE(run.readAllStandardOutput().contains("csv-import"));

    QProcess gui;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    gui.setProcessEnvironment(env);
    gui.start(link.filePath(), {});
    ASSERT_TRUE(gui.waitForStarted(10000));
    // Still running after a few seconds: it came up and waits for the user.
    EXPECT_FALSE(gui.waitForFinished(3000)) << gui.readAllStandardError().toStdString();
    gui.kill();
    gui.waitForFinished();
}

}  // namespace
}  // namespace lt

namespace lt {
namespace {

TEST(Install, ManPageDescribesEveryCommand) {
    const QString page =
        QString::fromUtf8(readFile(QStringLiteral(LINETINT_SOURCE_DIR "/packaging/linetint-cli.1")));
    ASSERT_FALSE(page.isEmpty());
    const test::CliResult usage = test::runCli({});
    // The command list of the usage text: two spaces, the name, then its line.
    QStringList commands;
    bool inList = false;
    for (const QString& line : (usage.out + usage.err).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Commands:"))) {
            inList = true;
            continue;
        }
        if (inList && line.startsWith(QLatin1String("  ")))
            commands << line.trimmed().section(QLatin1Char(' '), 0, 0);
        else if (inList)
            break;
    }
    ASSERT_GE(commands.size(), 10);
    for (QString c : commands) {
        c.replace(QLatin1Char('-'), QLatin1String("\\-"));
        EXPECT_TRUE(page.contains(QStringLiteral(".BI \"") + c)) << c.toStdString() << " has no entry";
    }
}

}  // namespace
}  // namespace lt
