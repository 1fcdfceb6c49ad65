// Fitting texts to the sign: hard real names made to fit as check measures
// them, the words and the regions that fit left alone, the same result every
// time, and the fit command's refusals.
#include "depot/checks.h"
#include "depot/fit.h"
#include "depot/legibility.h"
#include "depot/viewlist.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::defaultProject;
using test::runCli;
using test::TempDir;

sWidok& destination(sDane& d, int v, const QString& left, const QString& top, const QString& bottom,
                    int type = vtLeftTopBottom) {
    sWidok& w = widok(d, 1, v);
    w.use = 1;
    w.Time = 5;
    w.TypWidoku = type;
    StringToWideChar(left, w.Lewy.Text, 1024);
    StringToWideChar(top, w.Gorny.Text, 1024);
    StringToWideChar(bottom, w.Dolny.Text, 1024);
    measureViews(d, {{1, v}});
    return w;
}

const QStringList layoutCodes = {"too-wide", "too-tall", "cut-by-picture"};

QStringList layoutFindings(const sDane& d) {
    QStringList out;
    for (const Finding& f : checkProject(d)) {
        if (layoutCodes.contains(f.what)) out << f.text();
    }
    return out;
}

bool sameRegion(const sScreenImage& a, const sScreenImage& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct HardCase {
    const char* name;
    const char* left;
    const char* top;
    const char* bottom;
    int type;
};

class FitHard : public ::testing::TestWithParam<HardCase> {};

TEST_P(FitHard, ChecksCleanWithTheWordsUnchanged) {
    const HardCase& c = GetParam();
    auto d = defaultProject();
    destination(*d, 7, QString::fromUtf8(c.left), QString::fromUtf8(c.top), QString::fromUtf8(c.bottom),
                c.type);
    ASSERT_FALSE(layoutFindings(*d).isEmpty()) << "the case must start out cut";
    const sWidok before = widok(*d, 1, 7);

    const QList<FitChange> changes = fitProject(*d, FitOptions{});
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_EQ(layoutFindings(*d), QStringList());

    const sWidok& after = widok(*d, 1, 7);
    QStringList named;
    for (const FitChange& ch : changes) {
        EXPECT_EQ(ch.lang, 1);
        EXPECT_EQ(ch.view, 7);
        EXPECT_TRUE(ch.text().startsWith(QStringLiteral("1/7 %1: ").arg(ch.region)))
            << ch.text().toStdString();
        named << ch.region;
    }
    for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
        const sScreenImage& a = regionOf(before, r);
        const sScreenImage& b = regionOf(after, r);
        EXPECT_EQ(ReadText(a.Text), ReadText(b.Text));
        const QString word = r == Region::Lewy ? "left" : r == Region::Gorny ? "top" : "bottom";
        // A region not named kept its settings; only the measured size of
        // the re-rendered view may differ.
        if (!named.contains(word)) {
            sScreenImage x = a, y = b;
            x.TextWidth = y.TextWidth = x.TextHeight = y.TextHeight = 0;
            EXPECT_TRUE(sameRegion(x, y)) << word.toStdString();
        }
        // A changed text keeps capitals at its line's floor.
        if (b.FontSize != a.FontSize) {
            EXPECT_GE(capitalHeight(b), capitalFloor(r, {})) << word.toStdString();
        }
        if (b.Ruch != a.Ruch) {
            EXPECT_EQ(b.Ruch, mvInLeft);
            EXPECT_EQ(b.Speed, 25);
            EXPECT_EQ(b.Timer, 1);
        }
    }
    EXPECT_EQ(named.contains("view"), before.BarX != after.BarX || before.BarY != after.BarY ||
                                          before.Time != after.Time || before.TypWidoku != after.TypWidoku);

    // The view was rendered after fitting: rendering it again changes nothing.
    auto again = std::make_unique<sDane>(*d);
    measureViews(*again, {{1, 7}});
    EXPECT_EQ(std::memcmp(again.get(), d.get(), sizeof(sDane)), 0);

    // Fitting a fitted project changes nothing.
    for (const FitChange& change : fitProject(*d, FitOptions{}))
        ADD_FAILURE() << "fitted again: " << change.text().toStdString();
}

const HardCase hardCases[] = {
    {"TooWide", "12", "Dworzec Główny", "przez Rynek", vtLeftTopBottom},
    {"TooTallAccentedCapitals", "7", "ŻÓŁW ŚĆ", "ŹRÓDŁA", vtLeftTopBottom},
    {"WideAndTall", "N41", "Świętochłowice Centrum", "przez Chorzów Batory", vtLeftTopBottom},
    {"CzechLongBottom", "9", "Žďár nad Sázavou", "přes Nové Město na Moravě a Bystřici", vtLeftTopBottom},
    {"GermanNoStaticSize", "S40", "Österreichischer Platz über Hauptbahnhof",
     "über Hauptbahnhof und Schloßplatz", vtLeftTopBottom},
    {"RouteWiderThanLeftBox", "X123", "Zoo", "Rynek", vtLeftTopBottom},
    {"TopOnlyAccentedCapitals", "", "ÖSTERREICHISCHER PLATZ ÜBER HAUPTBAHNHOF", "", vtTop},
    {"TopAndBottomCapitals", "", "ŚWIĘTOCHŁOWICE", "ŻĄDŁO ŹDŹBŁO ÓŚMY", vtTopBottom},
};
INSTANTIATE_TEST_SUITE_P(Fit, FitHard, ::testing::ValuesIn(hardCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Fit, ProjectThatFitsKeepsEveryByte) {
    auto d = defaultProject();
    for (int v = 1; v <= 9; ++v) destination(*d, v, QString::number(v), "Zoo", "Rynek");
    // Its narrow letters merge as typed; once fitted it reads and stays.
    destination(*d, 20, "1", "Dworzec", "przez Rynek");
    ASSERT_FALSE(fitView(*d, 1, 20).isEmpty());
    const auto before = std::make_unique<sDane>(*d);
    for (const Finding& f : checkProject(*d)) ADD_FAILURE() << "finding: " << f.text().toStdString();
    for (const FitChange& c : fitProject(*d, FitOptions{}))
        ADD_FAILURE() << "fitted: " << c.text().toStdString();
    EXPECT_TRUE(fitView(*d, 1, 20).isEmpty());
    EXPECT_EQ(std::memcmp(before.get(), d.get(), sizeof(sDane)), 0);
}

TEST(Fit, SameProjectGivesSameBytes) {
    auto a = defaultProject();
    destination(*a, 1, "S40", "Österreichischer Platz", "über Hauptbahnhof");
    destination(*a, 2, "7", "Świętochłowice Centrum", "przez Chorzów Batory");
    destination(*a, 3, "N41", "Žďár nad Sázavou", "přes Nové Město");
    auto b = std::make_unique<sDane>(*a);
    const QList<FitChange> ca = fitProject(*a, FitOptions{});
    const QList<FitChange> cb = fitProject(*b, FitOptions{});
    ASSERT_EQ(ca.size(), cb.size());
    for (qsizetype i = 0; i < ca.size(); ++i) EXPECT_EQ(ca[i].text(), cb[i].text());
    EXPECT_EQ(std::memcmp(a.get(), b.get(), sizeof(sDane)), 0);
}

TEST(Fit, PrefersASmallerSizeOfTheSameFaceThenMovement) {
    auto d = defaultProject();
    // Fits standing at a smaller size, in a face whose letters stay apart.
    destination(*d, 1, "1", "Dworzec Główny", "Rynek");
    // Fits at no legible size: moves, and the view shows long enough for
    // its end.
    destination(*d, 2, "1", "Österreichischer Platz über Hauptbahnhof und Schloßplatz", "Rynek");
    fitProject(*d, FitOptions{});
    const sScreenImage& one = widok(*d, 1, 1).Gorny;
    EXPECT_LT(one.FontSize, 16);
    EXPECT_GE(capitalHeight(one), capitalFloor(Region::Gorny, {}));
    EXPECT_EQ(mergedLetters(one), QString());
    EXPECT_EQ(one.Ruch, mvNone);
    const sWidok& two = widok(*d, 1, 2);
    EXPECT_EQ(two.Gorny.Ruch, mvInLeft);
    EXPECT_GE(capitalHeight(two.Gorny), capitalFloor(Region::Gorny, {}));
    EXPECT_GT(two.Time, 5);
    EXPECT_LE(secondsToShowWhole(two), two.Time);
    EXPECT_EQ(layoutFindings(*d), QStringList());
}

TEST(Fit, NarrowFaceOnlyWhereItsLettersStayApart) {
    // Too wide in Arial at the top line's floor; Arial Narrow merges its
    // letters at the sizes that would fit, so the text moves in a face whose
    // letters stay apart rather than standing in merged narrow letters.
    auto d = defaultProject();
    sWidok& w = destination(*d, 1, "1", "Sosnowiec Urząd Miasta", "Rynek");
    StringToWideChar(QStringLiteral("Arial"), w.Gorny.FontName, 128);
    w.Gorny.FontSize = 12;
    const QList<FitChange> changes = fitProject(*d, FitOptions{});
    const sWidok& fitted = widok(*d, 1, 1);
    ASSERT_EQ(layoutFindings(*d), QStringList());
    EXPECT_EQ(mergedLetters(fitted.Gorny), QString());
    EXPECT_GE(capitalHeight(fitted.Gorny), capitalFloor(Region::Gorny, {}));
    EXPECT_EQ(fitted.Gorny.Ruch, mvInLeft);
    EXPECT_LE(secondsToShowWhole(fitted), fitted.Time);
    EXPECT_EQ(ReadText(fitted.Gorny.Text), "Sosnowiec Urząd Miasta");
    ASSERT_FALSE(changes.isEmpty());
}

TEST(Fit, OnlyTheChosenLanguageAndViews) {
    auto d = defaultProject();
    d->Lang[1].Use = 1;
    destination(*d, 5, "1", "Świętochłowice Centrum", "Rynek");
    destination(*d, 6, "1", "Świętochłowice Centrum", "Rynek");
    widok(*d, 2, 5) = widok(*d, 1, 5);
    const auto before = std::make_unique<sDane>(*d);
    FitOptions o;
    o.lang = 1;
    o.firstView = 6;
    o.lastView = 10;
    const QList<FitChange> changes = fitProject(*d, o);
    ASSERT_FALSE(changes.isEmpty());
    for (const FitChange& c : changes) EXPECT_EQ(c.view, 6);
    EXPECT_EQ(std::memcmp(&widok(*d, 1, 5), &widok(*before, 1, 5), sizeof(sWidok)), 0);
    EXPECT_EQ(std::memcmp(&widok(*d, 2, 5), &widok(*before, 2, 5), sizeof(sWidok)), 0);
    // A view not in use is not looked at.
    widok(*d, 2, 5).use = 0;
    EXPECT_TRUE(fitView(*d, 2, 5).isEmpty());
}

class FitCli : public ::testing::Test {
protected:
    void SetUp() override {
        auto d = defaultProject();
        destination(*d, 3, "7", "Świętochłowice Centrum", "przez Chorzów Batory");
        destination(*d, 4, "1", "Zoo", "Rynek");
        ASSERT_TRUE(writeProjectFile(*d, dir.file("in.vmprj")).isEmpty());
    }
    TempDir dir;
};

TEST_F(FitCli, WritesTheFittedCopyAndOneLinePerRegion) {
    const auto r = runCli({"fit", dir.file("in.vmprj"), "-o", dir.file("out.vmprj"), "--views", "1-3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("1/3 top: ")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("1/4 ")) << r.out.toStdString();
    const auto check = runCli({"check", dir.file("out.vmprj")});
    for (const QString& code : layoutCodes) EXPECT_FALSE(check.out.contains(code)) << check.out.toStdString();
}

TEST_F(FitCli, RefusalsWriteNothing) {
    QFile plain(dir.file("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QList<QStringList> cases = {
        {"fit", dir.file("missing.vmprj"), "-o", dir.file("out.vmprj")},
        {"fit", dir.file("plain"), "-o", dir.file("out.vmprj")},
        {"fit", dir.file("in.vmprj"), "-o", dir.file("out.vmprj"), "--views", "5-2"},
        {"fit", dir.file("in.vmprj"), "-o", dir.file("out.vmprj"), "--views", "0-301"},
        {"fit", dir.file("in.vmprj"), "-o", dir.file("out.vmprj"), "--lang", "4"},
        {"fit", dir.file("in.vmprj")},
    };
    for (const QStringList& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFile::exists(dir.file("out.vmprj"))) << args.join(' ').toStdString();
    }
    const auto r = runCli({"fit", dir.file("in.vmprj"), "-o", dir.file("plain/out.vmprj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("plain/out.vmprj")) << r.err.toStdString();
}

TEST_F(FitCli, FortyRowListChecksCleanWithEveryTextUnchanged) {
    // A depot list typed in a spreadsheet: route, destination, via.
    const char* const rows[][3] = {
        {"1", "Dworzec Główny", "przez Rynek"},
        {"2", "Świętochłowice Centrum", "przez Chorzów Batory"},
        {"3", "Katowice Zawodzie", ""},
        {"4", "Gliwice Plac Piastów", "przez Zabrze"},
        {"6", "Siemianowice Śląskie", ""},
        {"7", "Žďár nad Sázavou", "přes Nové Město na Moravě"},
        {"9", "Brno Hlavní nádraží", ""},
        {"10", "Praha Florenc", "přes Karlín"},
        {"12", "Ústí nad Labem Střekov", ""},
        {"14", "Österreichischer Platz", "über Hauptbahnhof"},
        {"17", "Alexanderplatz", "über Friedrichstraße"},
        {"18", "Köln-Mülheim", "über Leverkusen"},
        {"20", "Großenhainer Straße", ""},
        {"22", "Poruba Vřesinská", ""},
        {"23", "Borek Fałęcki", "przez Rondo Grunwaldzkie"},
        {"25", "Wrocław Główny", ""},
        {"33", "Poznań Rataje", "przez Most Św. Rocha"},
        {"38", "Gdańsk Oliwa", ""},
        {"42", "Łódź Kaliska", ""},
        {"47", "Plzeň Bory", ""},
        {"52", "München Ostbahnhof", "über Laim"},
        {"61", "Würzburg Hbf", ""},
        {"77", "Žižkov Vozovna", ""},
        {"100", "Lotnisko Chopina", ""},
        {"105", "Zürich Flughafen", "über Oerlikon"},
        {"112", "Hradec Králové terminál", ""},
        {"128", "Bielsko-Biała Dworzec", ""},
        {"150", "Zielona Góra Jędrzychów", ""},
        {"175", "Dworzec Centralny", "przez Plac Zawiszy"},
        {"200", "Česká Třebová", ""},
        {"N1", "Osiedle Górali", ""},
        {"N41", "Bystrc", "přes Komín"},
        {"S40", "Ölmühle", "über Ückendorf"},
        {"S42", "Südkreuz", "über Tempelhof"},
        {"S5", "Strausberg Nord", ""},
        {"U6", "Alt-Mariendorf", ""},
        {"X45", "Łódź Fabryczna", "przez Dąbrowę Górniczą"},
        {"E", "Žilina", ""},
        {"N12", "ŻÓŁTY MŁYN", "PRZEZ ŚRÓDMIEŚCIE"},
        {"99", "Österreich Übergang", "ÜBER ÄUSSERE Straße"},
    };
    QByteArray list = "Language,View,In use,Time,View type,Left text,Top text,Bottom text\r\n";
    int v = 0;
    for (const auto& r : rows) {
        list += QStringLiteral("1,%1,yes,5,%2,%3,%4,%5\r\n")
                    .arg(++v)
                    .arg(*r[2] ? 3 : 2)
                    .arg(QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]))
                    .toUtf8();
    }
    QFile f(dir.file("list.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(list);
    f.close();
    ASSERT_EQ(runCli({"new", "-o", dir.file("new.vmprj")}).exitCode, 0);
    auto r =
        runCli({"csv-import", dir.file("new.vmprj"), dir.file("list.csv"), "-o", dir.file("typed.vmprj")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runCli({"check", dir.file("typed.vmprj")});
    ASSERT_TRUE(r.out.contains("too-wide")) << "the list must start out cut";
    r = runCli({"fit", dir.file("typed.vmprj"), "-o", dir.file("fitted.vmprj")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runCli({"check", dir.file("fitted.vmprj")});
    for (const QString& code : layoutCodes) EXPECT_FALSE(r.out.contains(code)) << r.out.toStdString();

    ProjectRead typed = readProjectFile(dir.file("typed.vmprj"));
    ProjectRead fitted = readProjectFile(dir.file("fitted.vmprj"));
    ASSERT_EQ(typed.status, ProjectRead::Ok);
    ASSERT_EQ(fitted.status, ProjectRead::Ok);
    for (int view = 1; view <= v; ++view) {
        const sWidok& a = widok(*typed.data, 1, view);
        const sWidok& b = widok(*fitted.data, 1, view);
        for (const Region reg : {Region::Lewy, Region::Gorny, Region::Dolny})
            EXPECT_EQ(ReadText(regionOf(a, reg).Text), ReadText(regionOf(b, reg).Text)) << view;
        EXPECT_EQ(ReadText(a.NazwaKursu), ReadText(b.NazwaKursu));
    }
}

}  // namespace
}  // namespace lt
