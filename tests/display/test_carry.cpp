// The texts the pendrive file carries for characters beyond Latin-1 and the
// Polish letters, and how export and check report them.
#include "display/flash.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/carry.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <cstring>
#include <gtest/gtest.h>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

QByteArray carried(const QString& s) {
    return carryText(s).bytes;
}

TEST(CarryText, NearestCarriedForms) {
    // Letters lose their accents, whatever script they come from.
    EXPECT_EQ(carried(QStringLiteral("Plzeň Brno-Řečkovice")), QByteArray("Plzen Brno-Reckovice"));
    EXPECT_EQ(carried(QStringLiteral("İıŞşȚțŐőĂă")), QByteArray("IiSsTtOoAa"));
    EXPECT_EQ(carried(QStringLiteral("Đakovo Ħamrun")), QByteArray("Dakovo Hamrun"));
    // A base letter with a combining accent keeps its letter only.
    EXPECT_EQ(carried(QStringLiteral("Ce") + QChar(0x0301) + QStringLiteral("sky")), QByteArray("Cesky"));
    // Typographic dashes and quotes, ligatures and compatibility forms.
    EXPECT_EQ(carried(QStringLiteral("A–B — „x” ‘y’ …")), QByteArray("A-B - \"x\" 'y' ..."));
    EXPECT_EQ(carried(QStringLiteral("Œuvre cœur ﬁn Ａ")), QByteArray("OEuvre coeur fin A"));
    // Nothing near: a question mark, one per character, even beyond the BMP.
    EXPECT_EQ(carried(QStringLiteral("Київ ") + QString::fromUcs4(U"\U0001F68C")), QByteArray("???? ?"));

    // Latin-1 (control bytes included) and the Polish letters keep today's bytes.
    const QString kept = QStringLiteral("Łódź żółw äé\tß");
    EXPECT_FALSE(carryText(kept).changed);
    QByteArray old;
    for (const QChar c : kept) old += static_cast<char>(AnsiCharOf(c.unicode()));
    EXPECT_EQ(carried(kept), old);
    EXPECT_TRUE(carryText(QStringLiteral("Plzeň")).changed);

    // No character beyond Latin-1 ever becomes a control byte.
    for (char32_t cp = 0x100; cp < 0x3000; ++cp) {
        if (isCarried(cp)) continue;
        for (const char b : carriedBytes(cp))
            ASSERT_GE(static_cast<unsigned char>(b), 0x20u) << static_cast<unsigned>(cp);
    }

    // The field is cut on bytes: an expanded ligature never writes past it.
    char field[4];
    std::memset(field, 0x7E, sizeof field);
    StringToAnsiChar(QStringLiteral("aœœ"), field);
    EXPECT_EQ(QByteArray(field, 4), QByteArray("aoe\0", 4));
}

TEST(CarryText, ExportWarnsAndCheckSaysWhatTheStickReads) {
    TempDir dir;
    Document doc;
    doc.newDane();
    sDane& d = doc.dane();
    widok(d, 1, 12).use = 1;
    widok(d, 1, 12).TypWidoku = vtTop;
    StringToWideChar(QStringLiteral("Plzeň"), widok(d, 1, 12).Gorny.Text);
    StringToWideChar(QStringLiteral("Łódź"), widok(d, 1, 12).NazwaKursu);
    widok(d, 1, 13).use = 1;
    const QString project = dir.file(QStringLiteral("czech.vmprj"));
    ASSERT_TRUE(doc.writeProject(project).isEmpty());

    // The editor's export message names the text too.
    test::ScriptedPrompts prompts;
    prompts.paths.push_back(dir.file(QStringLiteral("editor.bin")));
    Eksportujdoplikuwywietlacza1Click(doc, prompts);
    EXPECT_EQ(prompts.warnings,
              QStringList{QStringLiteral("Data from flash memory has correctly exported.\nFile: ") +
                          dir.file(QStringLiteral("editor.bin")) +
                          QStringLiteral("\n\n1/12 top: \"Plzeň\" is carried as \"Plzen\"")});

    const QString out = dir.file(QStringLiteral("stick.bin"));
    const auto r = runCli({QStringLiteral("export"), project, QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QStringLiteral("warning: 1/12 top: \"Plzeň\" is carried as \"Plzen\"\n"));
    const QByteArray image = test::fileContent(out);
    ASSERT_EQ(image.size(), FlashSize);
    const auto* flash = reinterpret_cast<const sflash*>(image.constData());
    EXPECT_STREQ(screen(*flash, 1, 12).widok.gorny.Text, "Plzen");

    const auto check = runCli({QStringLiteral("check"), project});
    EXPECT_TRUE(
        check.out.contains(QStringLiteral("1/12 top: not-carried: the text holds characters the pendrive "
                                          "file's 8-bit text cannot carry: ň U+0148; the stick will "
                                          "read \"Plzen\"")))
        << check.out.toStdString();
}

}  // namespace
}  // namespace lt
