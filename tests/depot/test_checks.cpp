// The checks before export: each finding on a project made to show it, and
// none on a clean one.
#include "depot/checks.h"
#include "depot/legibility.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::defaultProject;
using test::runCli;
using test::TempDir;

/// A view switched on as the grid does it.
sWidok& on(sDane& d, int l, int v) {
    sWidok& w = widok(d, l, v);
    w.use = 1;
    w.Time = 5;
    return w;
}

QStringList lines(const QList<Finding>& findings) {
    QStringList out;
    for (const Finding& f : findings) out << f.text();
    return out;
}

QString dump(const QList<Finding>& findings) {
    return lines(findings).join('\n');
}

/// The findings of the window and pendrive checks, without those about
/// legibility (which have their own tests).
QList<Finding> windowChecks(const sDane& d) {
    QList<Finding> out;
    for (const Finding& f : checkProject(d))
        if (!legibilityFindingCodes().contains(f.what)) out << f;
    return out;
}

TEST(Checks, DefaultViewsSwitchedOnAreClean) {
    auto d = defaultProject();
    d->Lang[1].Use = 1;
    d->Lang[2].Use = 1;
    for (int l = 1; l <= 3; ++l)
        for (int v = 1; v <= 9; ++v) on(*d, l, v);
    const QList<Finding> f = checkProject(*d);
    EXPECT_TRUE(f.isEmpty()) << dump(f).toStdString();
}

TEST(Checks, DefaultRouteNumbersFromTenOnDoNotFitTheLeftWindow) {
    // The default left text "T<view>" in Arial 24 points: "T1".."T9" fit the
    // 40 columns of the default split, "T10" and longer do not (the preview
    // cuts them too).
    auto d = defaultProject();
    for (const int v : {9, 10, 99, 100, 300}) on(*d, 1, v);
    const QList<Finding> f = checkProject(*d);
    QStringList seen;
    for (const Finding& x : f) {
        EXPECT_EQ(x.region, "left") << x.text().toStdString();
        seen << QStringLiteral("%1 %2").arg(x.view).arg(x.what);
    }
    EXPECT_EQ(seen, (QStringList{"10 too-wide", "99 too-wide", "100 too-wide", "300 too-wide"}));
}

TEST(Checks, WindowsFollowTheViewType) {
    sWidok w{};
    w.BarX = 40;
    w.BarY = 21;
    const struct {
        int type;
        RegionWindow top, bottom, left;
    } cases[] = {
        {vtTop, {128, 32}, {0, 0}, {0, 0}},
        {vtTopBottom, {128, 21}, {128, 11}, {0, 0}},
        {vtLeftTop, {88, 32}, {0, 0}, {40, 32}},
        {vtLeftTopBottom, {88, 21}, {88, 11}, {40, 32}},
        {7, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        w.TypWidoku = c.type;
        const RegionWindow t = regionWindow(w, Region::Gorny), b = regionWindow(w, Region::Dolny),
                           l = regionWindow(w, Region::Lewy);
        EXPECT_EQ(t.width, c.top.width) << c.type;
        EXPECT_EQ(t.height, c.top.height) << c.type;
        EXPECT_EQ(b.width, c.bottom.width) << c.type;
        EXPECT_EQ(b.height, c.bottom.height) << c.type;
        EXPECT_EQ(l.width, c.left.width) << c.type;
        EXPECT_EQ(l.height, c.left.height) << c.type;
    }
}

/// One planted fault: what to do to a default view switched on, and the
/// finding it must give (region and code), alone.
struct Planted {
    const char* name;
    void (*plant)(sDane&, sWidok&);
    const char* region;
    const char* what;
    const char* also = nullptr;  // a second finding the same fault gives
};

const Planted planted[] = {
    {"wide top text standing still",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         StringToWideChar(QStringLiteral("Airport Terminal 2 via Central"), w.Gorny.Text);
     },
     "top", "too-wide"},
    {"text reaching below its window",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         w.Gorny.Y = 20;
     },
     "top", "too-tall"},
    {"text moving up from below its picture",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         w.Gorny.Y = 20;
         w.Gorny.Ruch = mvInUp;
     },
     "top", "cut-by-picture"},
    {"long scrolling bottom line past its picture",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTopBottom;
         StringToWideChar(QString(240, QLatin1Char('W')), w.Dolny.Text);
         w.Dolny.Ruch = mvInLeft;
     },
     "bottom", "cut-by-picture"},
    {"Devanagari in a Latin face",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         StringToWideChar(QStringLiteral("T ") + QString::fromUtf8("\xE0\xA4\xA8"), w.Gorny.Text);
         StringToWideChar(QStringLiteral("DejaVu Sans"), w.Gorny.FontName);
     },
     "top", "missing-glyphs", "not-carried"},
    {"a character no face has",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         StringToWideChar(QStringLiteral("T") + QChar(0x0378), w.Gorny.Text);
     },
     "top", "missing-glyphs", "not-carried"},
    {"font face not installed",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTop;
         StringToWideChar(QStringLiteral("Velmora Sign Pro"), w.Gorny.FontName);
     },
     "top", "font-not-installed"},
    {"empty bottom line",
     [](sDane&, sWidok& w) {
         w.TypWidoku = vtTopBottom;
         StringToWideChar(QStringLiteral("  "), w.Dolny.Text);
     },
     "bottom", "empty-region"},
    {"red on red",
     [](sDane&, sWidok& w) {
         w.Lewy.FontColor = ciRed;
         w.Lewy.BackColor = ciRed;
     },
     "left", "same-colour"},
    {"time of 0", [](sDane&, sWidok& w) { w.Time = 0; }, "view", "zero-time"},
    {"dash the image cannot carry",
     [](sDane&, sWidok& w) {
         StringToWideChar(QString::fromUtf8("Z\xC3\xBCrich \xE2\x80\x93 \xC5\x81\xC3\xB3"
                                            "d\xC5\xBA"),
                          w.NazwaKursu);
     },
     "view", "not-carried"},
    {"destination name over 127",
     [](sDane&, sWidok& w) {
         for (char16_t& u : w.NazwaKursu) u = u'n';  // all 128 units, no terminator
     },
     "view", "too-long"},
    {"line break in the destination name",
     [](sDane&, sWidok& w) { StringToWideChar(QStringLiteral("Centrum\r\nDworzec"), w.NazwaKursu); }, "view",
     "control-character"},
    {"left text over the image's 15",
     [](sDane&, sWidok& w) {
         StringToWideChar(QString(16, QLatin1Char('.')), w.Lewy.Text);
         w.Lewy.FontSize = 4;
     },
     "left", "too-long"},
};

TEST(Checks, EachPlantedFaultIsFoundAlone) {
    for (const Planted& p : planted) {
        auto d = defaultProject();
        sWidok& w = on(*d, 1, 3);
        p.plant(*d, w);
        const QList<Finding> f = windowChecks(*d);
        ASSERT_EQ(f.size(), p.also ? 2 : 1) << p.name << "\n" << dump(f).toStdString();
        if (p.also) {
            EXPECT_EQ(f[1].what, QLatin1String(p.also)) << p.name;
        }
        EXPECT_EQ(f[0].lang, 1);
        EXPECT_EQ(f[0].view, 3);
        EXPECT_EQ(f[0].region, QLatin1String(p.region)) << p.name;
        EXPECT_EQ(f[0].what, QLatin1String(p.what)) << p.name << ": " << f[0].text().toStdString();
        EXPECT_FALSE(f[0].why.isEmpty());

        // The same fault in a view not in use, or in a language not in use,
        // is no finding.
        w.use = 0;
        EXPECT_TRUE(windowChecks(*d).isEmpty()) << p.name;
        auto other = defaultProject();
        p.plant(*other, on(*other, 2, 3));
        EXPECT_TRUE(windowChecks(*other).isEmpty()) << p.name;
    }
}

TEST(Checks, MovementAndViewTypeDecideWhatCounts) {
    auto d = defaultProject();
    sWidok& w = on(*d, 1, 1);
    w.TypWidoku = vtTop;
    StringToWideChar(QStringLiteral("Airport Terminal 2 via Central"), w.Gorny.Text);
    for (const int ruch : {mvInLeft, mvInRight, mvBounce}) {
        w.Gorny.Ruch = ruch;
        EXPECT_TRUE(windowChecks(*d).isEmpty()) << ruch;
    }
    for (const int ruch : {mvNone, mvInUp, mvInDown, mvFlashing}) {
        w.Gorny.Ruch = ruch;
        const QList<Finding> f = windowChecks(*d);
        ASSERT_EQ(f.size(), 1) << ruch;
        EXPECT_EQ(f[0].what, "too-wide");
    }
    // A region the view type does not show is not looked at.
    w.Gorny.Ruch = mvNone;
    StringToWideChar(QString(), w.Gorny.Text);
    StringToWideChar(QString(), w.Dolny.Text);
    w.Lewy.FontColor = w.Lewy.BackColor;
    const QList<Finding> f = checkProject(*d);
    ASSERT_EQ(f.size(), 1) << dump(f).toStdString();
    EXPECT_EQ(f[0].region, "top");
    EXPECT_EQ(f[0].what, "empty-region");
}

TEST(Checks, LanguageNameLongerThanItsField) {
    auto d = defaultProject();
    StringToWideChar(QString(31, QLatin1Char('x')), d->Lang[0].Nazwa);
    const QList<Finding> f = checkProject(*d);
    ASSERT_EQ(f.size(), 1) << dump(f).toStdString();
    EXPECT_EQ(f[0].view, 0);
    EXPECT_EQ(f[0].region, "language");
    EXPECT_EQ(f[0].what, "too-long");
    EXPECT_TRUE(f[0].text().startsWith("language 1: too-long: "));
}

TEST(Checks, ControlCharactersAreNamed) {
    EXPECT_EQ(controlCharacterIn(QStringLiteral("plain text, ąę")), QString());
    EXPECT_EQ(controlCharacterIn(QStringLiteral("two\nlines")), "a line break");
    EXPECT_EQ(controlCharacterIn(QStringLiteral("cr\r")), "a line break");
    EXPECT_EQ(controlCharacterIn(QString(QChar(0x2028))), "a line break");
    EXPECT_EQ(controlCharacterIn(QStringLiteral("a\tb")), "a tab");
    EXPECT_EQ(controlCharacterIn(QStringLiteral("bell\a")), "the control character U+0007");
    EXPECT_EQ(controlCharacterIn(QString(QChar(0x9B))), "the control character U+009B");

    auto d = defaultProject();
    StringToWideChar(QStringLiteral("Pol\tski"), d->Lang[0].Nazwa);
    const QList<Finding> f = checkProject(*d);
    ASSERT_EQ(f.size(), 1) << dump(f).toStdString();
    EXPECT_EQ(f[0].text(),
              "language 1: control-character: the language name holds a tab, which one line of the "
              "sign cannot show");
}

TEST(Checks, WellKnownFacesCountAsInstalled) {
    for (const char* name : {"Arial", "Arial Narrow", "Verdana", "Tahoma", "Trebuchet MS", "Arial Unicode MS",
                             "Liberation Sans", "liberation sans", "DejaVu Sans"}) {
        QString used;
        EXPECT_TRUE(fontInstalled(QLatin1String(name), &used)) << name;
        EXPECT_FALSE(used.isEmpty());
    }
    QString used;
    EXPECT_FALSE(fontInstalled(QStringLiteral("Velmora Sign Pro"), &used));
    EXPECT_FALSE(used.isEmpty());
}

TEST(Checks, InkBoxIsWhereTheTextPaints) {
    sScreenImage r{};
    StringToWideChar(QStringLiteral("I"), r.Text);
    StringToWideChar(QStringLiteral("Liberation Sans"), r.FontName);
    r.FontSize = 24;
    r.X = -10;
    r.Y = 3;
    const InkBox a = regionInk(r);
    ASSERT_FALSE(a.empty);
    r.X = 20;
    r.Y = -7;
    const InkBox b = regionInk(r);
    // Moving the origin moves the box by as much and nothing else.
    EXPECT_EQ(b.left - a.left, 30);
    EXPECT_EQ(b.right - a.right, 30);
    EXPECT_EQ(b.top - a.top, -10);
    EXPECT_EQ(b.bottom - a.bottom, -10);
    EXPECT_LT(a.right - a.left, 8);
    EXPECT_GT(a.bottom - a.top, 15);
    StringToWideChar(QStringLiteral("   "), r.Text);
    EXPECT_TRUE(regionInk(r).empty);
}

TEST(ChecksCli, ExitStatusLinesAndJson) {
    TempDir dir;
    auto d = defaultProject();
    on(*d, 1, 1);
    ASSERT_TRUE(writeProjectFile(*d, dir.file("clean.vmprj")).isEmpty());
    const auto clean = runCli({"check", dir.file("clean.vmprj")});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();

    on(*d, 1, 2).Time = 0;
    widok(*d, 1, 2).Gorny.BackColor = widok(*d, 1, 2).Gorny.FontColor;
    ASSERT_TRUE(writeProjectFile(*d, dir.file("faulty.vmprj")).isEmpty());
    const auto faulty = runCli({"check", dir.file("faulty.vmprj")});
    EXPECT_EQ(faulty.exitCode, 1);
    EXPECT_TRUE(faulty.out.contains("1/2 view: zero-time: ")) << faulty.out.toStdString();
    EXPECT_TRUE(faulty.out.contains("1/2 top: same-colour: font and background are both white"));
    EXPECT_TRUE(faulty.out.contains("2 findings."));

    const auto json = runCli({"check", "--json", dir.file("faulty.vmprj")});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_FALSE(o["clean"].toBool());
    const QJsonArray a = o["findings"].toArray();
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a[0].toObject()["language"].toInt(), 1);
    EXPECT_EQ(a[0].toObject()["view"].toInt(), 2);
    EXPECT_EQ(a[0].toObject()["what"].toString(), "zero-time");

    const auto bad = runCli({"check", dir.file("missing.vmprj")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_FALSE(bad.err.isEmpty());
}

}  // namespace
}  // namespace lt
