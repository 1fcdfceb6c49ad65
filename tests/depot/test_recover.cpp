// Rebuilding a project from a pendrive file: the reverse of the image build
// field by field, the letters read back from the pictures, the report, the
// refusals and the round trip export -> recover -> export.
#include "depot/recover.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "editor/projectcommands.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt::test {
namespace {

/// A new project, its first view in use with texts that show their accents
/// inside the pictures (the defaults put the top text 4 rows above the
/// surface, where accents over capitals are cut off).
std::unique_ptr<sDane> baseProject() {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof(sDane));
    seedProcessRandom(17);
    NewDane(*d);
    sWidok& w = widok(*d, 1, 1);
    w.use = 1;
    w.Time = 5;
    w.Gorny.Y = 6;
    w.Dolny.FontSize = 10;
    w.Dolny.Y = 3;
    return d;
}

void setText(sScreenImage& r, const QString& text) {
    std::memset(r.Text, 0, sizeof r.Text);
    StringToWideChar(text, r.Text);
}

/// The image a fresh editor exports after opening the project.
std::unique_ptr<sflash> exportOf(const sDane& d) {
    Document doc;
    doc.adoptProject(d);
    EncodeKorvo2Flash(doc);
    auto f = std::make_unique<sflash>();
    std::memcpy(f.get(), &doc.flash(), sizeof(sflash));
    return f;
}

struct Recovered {
    std::unique_ptr<sDane> dane = std::make_unique<sDane>();
    RecoverReport report;
};

Recovered recoverOf(const sflash& f) {
    Recovered r;
    r.report = recoverProject(f, *r.dane);
    return r;
}

QString writeImage(const sflash& f, const QString& path) {
    return writeFlashFile(f, path);
}

// --- The reverse of the build's table ---------------------------------------

TEST(Recover, EveryFieldTheBuildCopiesComesBack) {
    auto d = baseProject();
    d->ModuleType = 7;
    d->ModuleNr = 3;
    d->LCDType = 2;
    const std::uint8_t ip[4] = {10, 1, 2, 3}, mac[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(d->IP, ip, 4);
    std::memcpy(d->MAC, mac, 6);
    std::memset(d->host, 0, sizeof d->host);
    std::memcpy(d->host, "DEPOT-7", 8);
    for (int i = 0; i < FirmwareSize; ++i) d->firmware[i] = static_cast<std::uint8_t>(i * 7);
    StringToWideChar(QStringLiteral("Polski"), d->Lang[0].Nazwa);
    StringToWideChar(QStringLiteral("Français"), d->Lang[1].Nazwa);
    d->Lang[1].Use = 1;
    sWidok& w = widok(*d, 2, 9);
    w.use = 1;
    w.Time = 42;
    w.TypWidoku = vtLeftTop;
    w.BarX = 33;
    w.BarY = 14;
    StringToWideChar(QStringLiteral("Gare du Nord"), w.NazwaKursu);
    w.Lewy.Ruch = mvBounce;
    w.Lewy.Direction = -1;
    w.Lewy.Speed = 77;
    w.Lewy.X = 3;
    w.Lewy.Y = -2;
    w.Lewy.Alias = 1;
    w.Lewy.FontSize = 19;
    w.Lewy.Styl = styItalicBold;
    w.Lewy.FontColor = ciMagenta;
    w.Lewy.BackColor = ciCyan;
    StringToWideChar(QStringLiteral("Liberation Serif"), w.Lewy.FontName);
    setText(w.Lewy, QStringLiteral("12"));
    widok(*d, 3, 300).Time = 99;  // a view not in use carries its settings too

    const auto f = exportOf(*d);
    const Recovered r = recoverOf(*f);
    const sDane& e = *r.dane;
    EXPECT_EQ(e.Version, ProjectVersion);
    EXPECT_EQ(e.ModuleType, 7);
    EXPECT_EQ(e.ModuleNr, 3);
    EXPECT_EQ(e.LCDType, 2);
    EXPECT_EQ(std::memcmp(e.IP, ip, 4), 0);
    EXPECT_EQ(std::memcmp(e.MAC, mac, 6), 0);
    EXPECT_EQ(std::memcmp(e.host, d->host, sizeof e.host), 0);
    EXPECT_EQ(std::memcmp(e.firmware, d->firmware, FirmwareSize), 0);
    EXPECT_EQ(ReadText(e.Lang[0].Nazwa), QStringLiteral("Polski"));
    EXPECT_EQ(ReadText(e.Lang[1].Nazwa), QStringLiteral("Français"));
    EXPECT_EQ(e.Lang[1].Use, 1);
    EXPECT_EQ(e.Lang[2].Use, 0);

    // Every view, every region, every field the image carries.
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            const sWidok& a = widok(*d, l, v);
            const sWidok& b = widok(e, l, v);
            SCOPED_TRACE(QStringLiteral("%1/%2").arg(l).arg(v).toStdString());
            ASSERT_EQ(ReadText(b.NazwaKursu), ReadText(a.NazwaKursu));
            ASSERT_EQ(b.use, a.use);
            ASSERT_EQ(b.Time, a.Time);
            ASSERT_EQ(b.TypWidoku, a.TypWidoku);
            ASSERT_EQ(b.BarX, a.BarX);
            ASSERT_EQ(b.BarY, a.BarY);
            for (Region g : {Region::Gorny, Region::Dolny, Region::Lewy}) {
                const sScreenImage& x = regionOf(a, g);
                const sScreenImage& y = regionOf(b, g);
                ASSERT_EQ(ReadText(y.Text), ReadText(x.Text));
                ASSERT_EQ(ReadText(y.FontName), ReadText(x.FontName));
                ASSERT_EQ(y.Ruch, x.Ruch);
                ASSERT_EQ(y.Direction, x.Direction);
                ASSERT_EQ(y.Speed, x.Speed);
                ASSERT_EQ(y.X, x.X);
                ASSERT_EQ(y.Y, x.Y);
                ASSERT_EQ(y.Alias, x.Alias);
                ASSERT_EQ(y.FontSize, x.FontSize);
                ASSERT_EQ(y.Styl, x.Styl);
                ASSERT_EQ(y.FontColor, x.FontColor);
                ASSERT_EQ(y.BackColor, x.BackColor);
            }
        }
    // TextWidth and TextHeight as the image holds them.
    EXPECT_EQ(widok(e, 2, 9).Lewy.TextWidth, screen(*f, 2, 9).widok.lewy.TextWidth);
    EXPECT_EQ(widok(e, 2, 9).Lewy.TextHeight, screen(*f, 2, 9).widok.lewy.TextHeight);
    EXPECT_GT(widok(e, 2, 9).Lewy.TextWidth, 0);
    EXPECT_EQ(r.report.viewsInUse, 2);
    EXPECT_EQ(r.report.regionsExact, 5);  // 1/1: top, bottom, left; 2/9: top, left
    EXPECT_TRUE(r.report.findings.isEmpty());
}

TEST(Recover, VersionKeepsItsLowByteAndStaysReadable) {
    auto f = std::make_unique<sflash>();
    std::memset(f.get(), 0, sizeof(sflash));
    f->LedX = SignWidth;
    f->LedY = SignHeight;
    for (const auto& [byte, version] : {std::pair{1, 12545}, {2, 12546}, {0, 12800}, {255, 12799}}) {
        f->version = static_cast<std::uint8_t>(byte);
        const Recovered r = recoverOf(*f);
        EXPECT_EQ(r.dane->Version, version);
        EXPECT_EQ(r.dane->Version & 0xFF, byte);
    }
}

TEST(Recover, ReadingsComeFromTheConversionTable) {
    EXPECT_EQ(readingsOf('L'), QStringLiteral("LŁ"));
    EXPECT_EQ(readingsOf('l'), QStringLiteral("l"));  // ł has a code of its own
    EXPECT_EQ(readingsOf('Z'), QStringLiteral("ZŹŻ"));
    EXPECT_EQ(readingsOf('O'), QStringLiteral("OÓ"));
    EXPECT_EQ(readingsOf(8), QStringLiteral("źż"));
    EXPECT_EQ(readingsOf(4), QStringLiteral("ł"));
    EXPECT_EQ(readingsOf('B'), QStringLiteral("B"));
    // Latin-1 passes as it is, even Ó and ó, which the build itself never
    // writes as 0xD3 and 0xF3: such a byte comes from a character the 8-bit
    // texts cannot carry.
    EXPECT_EQ(readingsOf(0xD3), QStringLiteral("Ó"));
    EXPECT_EQ(readingsOf(0xF3), QStringLiteral("ó"));
    for (int b = 1; b < 256; ++b) {
        const QString readings = readingsOf(static_cast<std::uint8_t>(b));
        ASSERT_FALSE(readings.isEmpty());
        for (qsizetype i = b == 0xD3 || b == 0xF3 ? 1 : 0; i < readings.size(); ++i)
            EXPECT_EQ(AnsiCharOf(readings[i].unicode()), b) << b;
    }
}

// --- Ambiguous letters --------------------------------------------------------

struct LetterCase {
    const char* name;
    Region region;
    const char16_t* text;
};

class RecoverLetters : public ::testing::TestWithParam<LetterCase> {};

TEST_P(RecoverLetters, ThePictureTellsTheLetterApart) {
    auto d = baseProject();
    const QString text = QString::fromUtf16(GetParam().text);
    setText(regionOf(widok(*d, 1, 1), GetParam().region), text);
    const Recovered r = recoverOf(*exportOf(*d));
    EXPECT_EQ(ReadText(regionOf(widok(*r.dane, 1, 1), GetParam().region).Text), text);
    EXPECT_TRUE(r.report.findings.isEmpty()) << r.report.text().toStdString();
    EXPECT_EQ(r.report.regionsExact, 3);
}

INSTANTIATE_TEST_SUITE_P(Texts, RecoverLetters,
                         ::testing::Values(LetterCase{"LStroke", Region::Gorny, u"ŁAŃCUT LUBLIN"},
                                           LetterCase{"ZDotAcute", Region::Gorny, u"ŻŹZ ŹRÓDŁA ŻAGAŃ"},
                                           LetterCase{"OAcute", Region::Gorny, u"ÓSMA OSTOJA"},
                                           LetterCase{"AllCapitals", Region::Gorny, u"ĄĆĘŁŃÓŚŹŻ ACELNOSZ"},
                                           LetterCase{"SmallZ", Region::Dolny, u"żaba źle żre w Łodzi"},
                                           LetterCase{"Mixed", Region::Dolny, u"Zażółć gęślą jaźń ŻÓŁW Łódź"},
                                           LetterCase{"Left", Region::Lewy, u"ŁÓ"}),
                         [](const ::testing::TestParamInfo<LetterCase>& p) {
                             return std::string(p.param.name);
                         });

TEST(Recover, LongCapitalTextIsReadWithoutTryingEveryCombination) {
    auto d = baseProject();
    sWidok& w = widok(*d, 1, 1);
    w.Gorny.FontSize = 8;
    w.Gorny.Y = 8;
    const QString text = QStringLiteral("ŻÓŁĆ ŹRÓDŁA ŚLĄSKA ŁĘCZNA ŃZOEAL ZŻŹ ÓSEMKA ŁÓDŹ SZCZECIN ĄĘŻŹZ");
    ASSERT_EQ(text.size(), 63);
    setText(w.Gorny, text);
    const auto f = exportOf(*d);
    const auto& g = screen(*f, 1, 1).widok.gorny;
    const TextReading reading = readRegionText(g.Text, 64, w.Gorny, PackedPicture{g.ekran, 512, 32});
    EXPECT_TRUE(reading.exact);
    EXPECT_EQ(reading.text, text);
    // One rendering per other reading of each ambiguous character, at most.
    EXPECT_LT(reading.renders, 1 + 2 * 63);
}

TEST(Recover, RegionsWithoutAPictureKeepThePlainReading) {
    auto d = baseProject();
    sWidok& shown = widok(*d, 1, 1);
    shown.TypWidoku = vtTop;  // bottom and left are not shown
    setText(shown.Gorny, QStringLiteral("ŁAD"));
    setText(shown.Lewy, QStringLiteral("ŁÓ"));
    setText(shown.Dolny, QStringLiteral("żaba"));
    sWidok& idle = widok(*d, 2, 4);  // not in use
    setText(idle.Gorny, QStringLiteral("ŻÓŁW"));
    StringToWideChar(QStringLiteral("Łódź"), idle.NazwaKursu);
    const Recovered r = recoverOf(*exportOf(*d));
    const sWidok& a = widok(*r.dane, 1, 1);
    const sWidok& b = widok(*r.dane, 2, 4);
    EXPECT_EQ(ReadText(a.Gorny.Text), QStringLiteral("ŁAD"));
    EXPECT_EQ(ReadText(a.Lewy.Text), QStringLiteral("LO"));
    EXPECT_EQ(ReadText(a.Dolny.Text), QStringLiteral("źaba"));
    EXPECT_EQ(ReadText(b.Gorny.Text), QStringLiteral("ZOLW"));
    EXPECT_EQ(ReadText(b.NazwaKursu), QStringLiteral("Lódź"));
    EXPECT_TRUE(r.report.findings.isEmpty());
    EXPECT_EQ(r.report.regionsExact, 1);
    EXPECT_EQ(r.report.regionsNotExact, 0);
    EXPECT_EQ(r.report.viewsInUse, 1);
}

TEST(Recover, AScreenOfAnyUseButZeroIsAViewInUse) {
    auto d = baseProject();
    auto f = exportOf(*d);
    screen(*f, 1, 1).use = 0x100;  // a use value whose low byte is zero
    const Recovered r = recoverOf(*f);
    EXPECT_TRUE(isTrue(widok(*r.dane, 1, 1).use));
    EXPECT_EQ(r.report.viewsInUse, 1);
}

TEST(Recover, DestinationNamesTakeTheLettersOfTheWordsTheSignShows) {
    auto d = baseProject();
    sWidok& w = widok(*d, 1, 1);
    StringToWideChar(QStringLiteral("Łódź Żabieniec - Źródła"), w.NazwaKursu);
    setText(w.Gorny, QStringLiteral("ŁÓDŹ"));
    setText(w.Dolny, QStringLiteral("przez Żabieniec"));
    setText(w.Lewy, QStringLiteral("Ź"));  // a word of another length does not count
    const Recovered r = recoverOf(*exportOf(*d));
    EXPECT_EQ(ReadText(widok(*r.dane, 1, 1).NazwaKursu), QStringLiteral("Łódź Żabieniec - Zródła"));
}

TEST(Recover, TheEditedViewIsTheOneThatLeftTheHiddenPictures) {
    // The first view in use shows only its top: its left and bottom pictures
    // are what opening the project left in the surfaces, the edited view's.
    auto d = baseProject();
    widok(*d, 1, 1).TypWidoku = vtTop;
    d->EditRow = 5;
    setText(widok(*d, 1, 5).Lewy, QStringLiteral("E5"));
    setText(widok(*d, 1, 5).Dolny, QStringLiteral("Edited five"));
    const auto first = exportOf(*d);
    const Recovered r = recoverOf(*first);
    EXPECT_EQ(r.dane->EditRow, 5);
    const auto second = exportOf(*r.dane);
    EXPECT_EQ(std::memcmp(first.get(), second.get(), sizeof(sflash)), 0);

    d->EditRow = 1;
    EXPECT_EQ(recoverOf(*exportOf(*d)).dane->EditRow, 1);
}

TEST(Recover, PicturesThatFitMoreThanOneReadingAreNamedApart) {
    // The default top position cuts the accents over capitals off: the dot of
    // Ż is not in the picture, the ogonek of Ą is.
    auto d = baseProject();
    sWidok& w = widok(*d, 1, 1);
    w.Gorny.Y = -4;
    setText(w.Gorny, QStringLiteral("PRZEZ ŻABIĄ"));
    const Recovered r = recoverOf(*exportOf(*d));
    EXPECT_EQ(ReadText(widok(*r.dane, 1, 1).Gorny.Text), QStringLiteral("PRZEZ ZABIĄ"));
    EXPECT_EQ(r.report.regionsExact, 2);  // bottom and left
    EXPECT_EQ(r.report.regionsAmbiguous, 1);
    EXPECT_TRUE(r.report.findings.isEmpty());
    ASSERT_EQ(r.report.ambiguous.size(), 1);
    const RecoverFinding& a = r.report.ambiguous[0];
    EXPECT_TRUE(a.readings.contains(QStringLiteral("PRZEZ ŻABIĄ"))) << a.readings.join('|').toStdString();
    EXPECT_TRUE(a.readings.contains(QStringLiteral("PRZEZ ŹABIĄ")));
    EXPECT_FALSE(a.readings.contains(QStringLiteral("PRZEZ ZABIA")));  // the ogonek shows
    EXPECT_TRUE(a.line().startsWith(QStringLiteral("1/1 top: \"PRZEZ ZABIĄ\" could also read \"")))
        << a.line().toStdString();
    EXPECT_TRUE(r.report.text().endsWith(
        QStringLiteral("Regions that reproduce their pictures: 2; regions whose pictures fit more than one "
                       "reading: 1; regions that do not: 0.")));
    EXPECT_EQ(r.report.json()[QStringLiteral("regionsAmbiguous")].toInt(), 1);
}

// --- What cannot be read back ---------------------------------------------------

TEST(Recover, RegionsThatNoReadingReproducesAreReported) {
    auto d = baseProject();
    StringToWideChar(QStringLiteral("Deutsch"), d->Lang[0].Nazwa);
    for (int v = 2; v <= 4; ++v) widok(*d, 1, v).use = 1;
    setText(widok(*d, 1, 2).Gorny, QStringLiteral("Привет ŁAD"));  // beyond the 8-bit texts
    setText(widok(*d, 1, 4).Gorny, QStringLiteral("ŁÓDŹ"));
    auto f = exportOf(*d);
    // A font that is not installed here: the image names it, the picture was
    // drawn with another face.
    StringToAnsiChar(u"No Such Face Here", screen(*f, 1, 3).widok.lewy.FontName);
    // A picture made elsewhere: the top picture of 1/4 drawn over.
    for (int i = 0; i < 64 * 4; ++i) screen(*f, 1, 4).widok.gorny.ekran[i] ^= 0x5A;
    const Recovered r = recoverOf(*f);

    ASSERT_EQ(r.report.findings.size(), 3) << r.report.text().toStdString();
    const RecoverFinding& a = r.report.findings[0];
    EXPECT_EQ(a.line().left(9), QStringLiteral("1/2 top: "));
    EXPECT_TRUE(a.why.contains(QStringLiteral("cannot carry"))) << a.why.toStdString();
    EXPECT_EQ(r.report.findings[1].line().left(10), QStringLiteral("1/3 left: "));
    EXPECT_TRUE(r.report.findings[1].why.contains(QStringLiteral("\"No Such Face Here\" is not installed")));
    EXPECT_EQ(r.report.findings[2].line(),
              QStringLiteral("1/4 top: no reading of \"LODZ\" reproduces the picture"));
    // The plain reading is kept, and nothing else of the project suffers.
    EXPECT_EQ(ReadText(widok(*r.dane, 1, 4).Gorny.Text), QStringLiteral("LODZ"));
    EXPECT_EQ(r.report.findings[2].text, QStringLiteral("LODZ"));
    EXPECT_EQ(ReadText(r.dane->Lang[0].Nazwa), QStringLiteral("Deutsch"));
    EXPECT_EQ(r.report.viewsInUse, 4);
    EXPECT_EQ(r.report.regionsNotExact, 3);
    EXPECT_EQ(r.report.regionsExact, 12 - 3);
    EXPECT_TRUE(r.report.text().endsWith(r.report.summary()));
    const QJsonObject j = r.report.json();
    EXPECT_EQ(j[QStringLiteral("regionsNotExact")].toInt(), 3);
    EXPECT_EQ(j[QStringLiteral("regions")].toArray().size(), 3);
}

// --- Refusals -------------------------------------------------------------------

TEST(Recover, OnlyPendriveFilesAreRead) {
    TempDir dir;
    auto f = std::make_unique<sflash>();
    const auto d = baseProject();
    const QString project = dir.file(QStringLiteral("p.vmprj"));
    ASSERT_TRUE(writeProjectFile(*d, project).isEmpty());
    EXPECT_TRUE(
        readImageForRecovery(project, *f).contains(QStringLiteral("project file, not a pendrive file")));

    const QString small = dir.file(QStringLiteral("small.bin"));
    QFile s(small);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write(QByteArray(1024, 'x'));
    s.close();
    EXPECT_EQ(
        readImageForRecovery(small, *f),
        small + QStringLiteral(" is not a pendrive file: it has 1024 bytes; a pendrive file has 8388608"));

    const QString noise = dir.file(QStringLiteral("noise.bin"));
    QFile n(noise);
    ASSERT_TRUE(n.open(QIODevice::WriteOnly));
    n.write(QByteArray(FlashSize, '\x11'));
    n.close();
    EXPECT_TRUE(readImageForRecovery(noise, *f).contains(QStringLiteral("128 x 32")));
    EXPECT_EQ(readImageForRecovery(dir.file(QStringLiteral("none.bin")), *f),
              QStringLiteral("cannot open %1: No such file or directory")
                  .arg(dir.file(QStringLiteral("none.bin"))));
}

TEST(Recover, CommandLineExitStatusAndReport) {
    TempDir dir;
    auto d = baseProject();
    setText(widok(*d, 1, 1).Gorny, QStringLiteral("ŻÓŁW"));
    auto f = exportOf(*d);
    const QString good = dir.file(QStringLiteral("good.bin"));
    ASSERT_TRUE(writeImage(*f, good).isEmpty());
    for (int i = 0; i < 256; ++i) screen(*f, 1, 1).widok.lewy.ekran[i] ^= 0x81;
    const QString odd = dir.file(QStringLiteral("odd.bin"));
    ASSERT_TRUE(writeImage(*f, odd).isEmpty());
    const QString project = dir.file(QStringLiteral("p.vmprj"));
    ASSERT_TRUE(writeProjectFile(*d, project).isEmpty());

    const QString out = dir.file(QStringLiteral("out.vmprj"));
    CliResult r = runCli({QStringLiteral("recover"), good, QStringLiteral("-o"), out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral(
        "Views in use recovered: 1. Regions that reproduce their pictures: 3; regions that do not: 0.")));
    ProjectRead read = readProjectFile(out);
    ASSERT_EQ(read.status, ProjectRead::Ok);
    EXPECT_EQ(ReadText(widok(*read.data, 1, 1).Gorny.Text), QStringLiteral("ŻÓŁW"));
    EXPECT_EQ(read.data->FileName[0], 0);

    r = runCli({QStringLiteral("recover"), odd, QStringLiteral("-o"), out, QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0);
    const QJsonObject j = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(j[QStringLiteral("regionsNotExact")].toInt(), 1);
    EXPECT_EQ(j[QStringLiteral("regions")].toArray().at(0).toObject()[QStringLiteral("region")].toString(),
              QStringLiteral("left"));

    r = runCli({QStringLiteral("recover"), odd, QStringLiteral("-o"), out});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("1/1 left: "))) << r.out.toStdString();

    // Nothing written: a project file given, a target that cannot be written.
    const QString none = dir.file(QStringLiteral("none.vmprj"));
    r = runCli({QStringLiteral("recover"), project, QStringLiteral("-o"), none});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("project file, not a pendrive file")));
    EXPECT_FALSE(QFile::exists(none));
    r = runCli({QStringLiteral("recover"), good, QStringLiteral("-o"), good + QStringLiteral("/x.vmprj")});
    EXPECT_EQ(r.exitCode, 1);
    r = runCli({QStringLiteral("recover"), good});
    EXPECT_EQ(r.exitCode, 1);
}

// --- The round trip -------------------------------------------------------------

/// Fills views of every language with every movement, style, colour and view
/// type, Polish capitals, ź and ż in their texts.
void varyViews(sDane& d, int seed) {
    static const char16_t* tops[] = {u"ŻÓŁW", u"ŹRÓDŁO", u"ŁÓDŹ KALISKA", u"ŚLĄSK", u"ĘĄ ŃĆ", u"Żółć"};
    static const char16_t* bottoms[] = {u"żaba źle żre", u"Zażółć gęślą jaźń", u"Łódź Żabieniec",
                                        u"ÓSEMKA ŻOŁNIERZY"};
    static const char16_t* lefts[] = {u"Ł", u"Ż1", u"Ź2", u"ÓŚ"};
    static const char* fonts[] = {"Arial", "Liberation Serif", "DejaVu Sans"};
    for (int l = 1; l <= LanguageCount; ++l) {
        d.Lang[l - 1].Use = 1;
        for (int v = 1; v <= 12; ++v) {
            const int k = v + seed + 5 * l;
            sWidok& w = widok(d, l, v);
            w.use = 1;
            w.Time = k % 99 + 1;
            w.TypWidoku = k % 4;
            w.BarX = 16 + k % 48;
            w.BarY = 12 + k % 12;
            StringToWideChar(QString::fromUtf16(tops[k % 6]), w.NazwaKursu);
            setText(w.Gorny, QString::fromUtf16(tops[k % 6]));
            setText(w.Dolny, QString::fromUtf16(bottoms[k % 4]));
            setText(w.Lewy, QString::fromUtf16(lefts[k % 4]));
            int i = 0;
            for (Region g : {Region::Gorny, Region::Dolny, Region::Lewy}) {
                sScreenImage& r = regionOf(w, g);
                ++i;
                r.Ruch = (k + i) % 7;
                r.Styl = (k + 2 * i) % 5;
                r.FontColor = (k + i) % 8;
                r.BackColor = (k + i + 3) % 8;
                r.Speed = (k * 13) % 101;
                r.Direction = k % 2 ? 1 : -1;
                r.Alias = static_cast<bool8>(k % 3 == 0);
                r.Y = g == Region::Gorny ? 5 : 2;
                r.FontSize = g == Region::Lewy ? 14 : 11;
                std::memset(r.FontName, 0, sizeof r.FontName);
                StringToWideChar(QString::fromLatin1(fonts[(k + i) % 3]), r.FontName);
            }
        }
    }
}

class RecoverRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RecoverRoundTrip, ExportOfTheRecoveredProjectIsTheSameStick) {
    auto d = baseProject();
    varyViews(*d, GetParam());
    const auto first = exportOf(*d);
    const Recovered r = recoverOf(*first);
    EXPECT_EQ(r.report.viewsInUse, 36);
    EXPECT_TRUE(r.report.findings.isEmpty()) << r.report.text().toStdString();
    const auto second = exportOf(*r.dane);
    EXPECT_EQ(std::memcmp(first.get(), second.get(), sizeof(sflash)), 0);
    // The texts the sign shows come back as they were written.
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= 12; ++v) {
            const sWidok& a = widok(*d, l, v);
            const sWidok& b = widok(*r.dane, l, v);
            EXPECT_EQ(ReadText(b.Gorny.Text), ReadText(a.Gorny.Text)) << l << "/" << v;
            EXPECT_EQ(ReadText(b.NazwaKursu), ReadText(a.NazwaKursu)) << l << "/" << v;
            if (a.TypWidoku == vtTopBottom || a.TypWidoku == vtLeftTopBottom) {
                EXPECT_EQ(ReadText(b.Dolny.Text), ReadText(a.Dolny.Text)) << l << "/" << v;
            }
            if (a.TypWidoku == vtLeftTop || a.TypWidoku == vtLeftTopBottom) {
                EXPECT_EQ(ReadText(b.Lewy.Text), ReadText(a.Lewy.Text)) << l << "/" << v;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Projects, RecoverRoundTrip, ::testing::Values(0, 1, 2, 3));

// --- The editor's command -------------------------------------------------------

TEST(Recover, FileMenuCommandLoadsTheProjectWithoutAFileName) {
    TempDir dir;
    auto d = baseProject();
    setText(widok(*d, 1, 1).Gorny, QStringLiteral("ŹRÓDŁA"));
    const QString image = dir.file(QStringLiteral("stick.bin"));
    ASSERT_TRUE(writeImage(*exportOf(*d), image).isEmpty());
    const QString project = dir.file(QStringLiteral("old.vmprj"));

    Document doc;
    doc.newDane();
    ASSERT_TRUE(doc.writeProject(project).isEmpty());
    ASSERT_TRUE(doc.openProject(project).isEmpty());
    ScriptedPrompts prompts;
    prompts.answers = {false};
    RecoverProjectClick(doc, prompts);
    EXPECT_EQ(prompts.questions, QStringList{msgRecoverConfirm()});
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    EXPECT_EQ(doc.filePath(), project);

    prompts.answers = {true};
    prompts.paths = {project};  // a project where a pendrive file belongs
    RecoverProjectClick(doc, prompts);
    EXPECT_TRUE(prompts.messages.last().contains(QStringLiteral("project file, not a pendrive file")));
    EXPECT_EQ(doc.filePath(), project);

    prompts.answers = {true};
    prompts.paths = {image};
    RecoverProjectClick(doc, prompts);
    EXPECT_EQ(prompts.dialogs.last().title, QStringLiteral("Open files from pendrive"));
    EXPECT_EQ(ReadText(widok(doc.dane(), 1, 1).Gorny.Text), QStringLiteral("ŹRÓDŁA"));
    EXPECT_TRUE(doc.filePath().isEmpty());
    EXPECT_EQ(doc.dane().FileName[0], 0);
    EXPECT_EQ(
        prompts.messages.last(),
        QStringLiteral(
            "Views in use recovered: 1. Regions that reproduce their pictures: 3; regions that do not: 0."));

    // Save asks where.
    prompts.paths.clear();
    doc.Zapiszprojekt1Click(prompts);
    EXPECT_EQ(prompts.dialogs.last().title, QStringLiteral("Save project file"));
}

}  // namespace
}  // namespace lt::test
