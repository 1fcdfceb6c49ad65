// Legibility for a rider: each finding on a view made to show it, and fit
// clearing it without changing a word.
#include "depot/checks.h"
#include "depot/findings.h"
#include "depot/fit.h"
#include "depot/legibility.h"
#include "depot/viewlist.h"
#include "tests/depot/listprojects.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::defaultProject;

sWidok& view(sDane& d, int v, const QString& left, const QString& top, const QString& bottom, int type) {
    sWidok& w = widok(d, 1, v);
    w.use = 1;
    w.Time = 5;
    w.TypWidoku = type;
    StringToWideChar(left, w.Lewy.Text);
    StringToWideChar(top, w.Gorny.Text);
    StringToWideChar(bottom, w.Dolny.Text);
    measureViews(d, {{1, v}});
    return w;
}

void style(sScreenImage& s, const char* face, int size) {
    StringToWideChar(QString::fromLatin1(face), s.FontName);
    s.FontSize = size;
}

QStringList codesOf(const QList<Finding>& findings, int v, const QString& what) {
    QStringList out;
    for (const Finding& f : findings)
        if (f.view == v && f.what == what) out << f.text();
    return out;
}

QStringList legibilityFindings(const sDane& d) {
    QStringList out;
    for (const Finding& f : checkProject(d))
        if (legibilityFindingCodes().contains(f.what)) out << f.text();
    return out;
}

QString words(const sWidok& w) {
    QString all = ReadText(w.Lewy.Text) + QLatin1Char(' ') + ReadText(w.Gorny.Text);
    if (w.TypWidoku == vtTopBottom || w.TypWidoku == vtLeftTopBottom)
        all += QLatin1Char(' ') + ReadText(w.Dolny.Text);
    return all.simplified();
}

TEST(Legibility, ScrollMeasuredWithThePlayersStepsAndGivenItsTime) {
    auto d = defaultProject();
    // Speed 10: one column each 100 ms; the top window is the whole face.
    sWidok& w = view(*d, 1, QString(), QStringLiteral("ARLINGTON SOUTH AV ARLINGTON PL VIA FULTON ST"),
                     QString(), vtTop);
    w.Gorny.Ruch = mvInLeft;
    w.Gorny.Speed = 10;
    w.Gorny.X = 0;
    const InkBox ink = regionInk(w.Gorny);
    ASSERT_GT(ink.right, 127 + 50);
    EXPECT_EQ(msToShowWhole(w, Region::Gorny), std::int64_t{ink.right - 127} * 100);

    QStringList found = codesOf(checkProject(*d), 1, QStringLiteral("scroll-unfinished"));
    ASSERT_EQ(found.size(), 1);
    const QString need = QString::number((ink.right - 127) / 10.0, 'f', 1);
    EXPECT_TRUE(found[0].contains(QStringLiteral("after %1 s").arg(need))) << found[0].toStdString();

    // A time of 0 counts as 1 s; a standing text needs none.
    w.Time = 0;
    EXPECT_EQ(codesOf(checkProject(*d), 1, QStringLiteral("scroll-unfinished")).size(), 1);
    w.Gorny.Ruch = mvNone;
    EXPECT_EQ(msToShowWhole(w, Region::Gorny), 0);
    w.Gorny.Ruch = mvInLeft;
    w.Time = 5;

    // Fit keeps the movement it cannot avoid and raises the time.
    const QList<FitChange> changes = fitProject(*d, FitOptions{});
    const int seconds = secondsToShowWhole(widok(*d, 1, 1));
    EXPECT_GT(seconds, 5);
    QStringList lines;
    for (const FitChange& c : changes) lines << c.text();
    EXPECT_TRUE(lines.contains(QStringLiteral("1/1 view: time 5 -> %1").arg(seconds)))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
}

TEST(Legibility, RouteNumberTouchingItsLineAndFitLeavingAnUnlitColumn) {
    auto d = defaultProject();
    sWidok& w = view(*d, 1, QStringLiteral("B82"), QStringLiteral("25 AV"), QString(), vtLeftTop);
    const InkBox left = regionInk(w.Lewy);
    w.BarX = left.right + 1;
    w.Gorny.X -= regionInk(w.Gorny).left;  // the top line's ink starts at the box's edge
    measureViews(*d, {{1, 1}});
    ASSERT_EQ(codesOf(checkProject(*d), 1, QStringLiteral("touches-neighbour")).size(), 1);

    fitProject(*d, FitOptions{});
    const sWidok& after = widok(*d, 1, 1);
    EXPECT_LE(regionInk(after.Lewy).right, after.BarX - 2);
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
    EXPECT_EQ(words(after), QStringLiteral("B82 25 AV"));

    // The top and bottom lines with no unlit row between them.
    sWidok& two = view(*d, 2, QString(), QStringLiteral("Hbf"), QStringLiteral("Hbf"), vtTopBottom);
    style(two.Gorny, "Arial", 12);
    style(two.Dolny, "Arial", 12);
    two.BarY = 16;
    two.Gorny.Y = 16 - 1 - regionInk(two.Gorny).bottom + two.Gorny.Y;  // ink down to row 15
    two.Dolny.Y -= regionInk(two.Dolny).top;                           // ink from row 16
    measureViews(*d, {{1, 2}});
    EXPECT_EQ(codesOf(checkProject(*d), 2, QStringLiteral("touches-neighbour")).size(), 1);
}

TEST(Legibility, NarrowLettersMergeAtEightPointsAndFitKeepsThemApart) {
    auto d = defaultProject();
    sWidok& w = view(*d, 1, QString(), QStringLiteral("Hódmezővásárhely"), QString(), vtTop);
    style(w.Gorny, "Arial Narrow", 8);
    measureViews(*d, {{1, 1}});
    EXPECT_FALSE(mergedLetters(w.Gorny).isEmpty());
    EXPECT_EQ(codesOf(checkProject(*d), 1, QStringLiteral("letters-merge")).size(), 1);
    EXPECT_EQ(codesOf(checkProject(*d), 1, QStringLiteral("below-floor")).size(), 1);

    // Letters of a script that joins by design are not judged.
    sScreenImage arabic = w.Gorny;
    StringToWideChar(QStringLiteral("بيت المقدس"), arabic.Text);
    EXPECT_TRUE(mergedLetters(arabic).isEmpty());

    fitProject(*d, FitOptions{});
    const sWidok& after = widok(*d, 1, 1);
    EXPECT_TRUE(mergedLetters(after.Gorny).isEmpty());
    EXPECT_GE(capitalHeight(after.Gorny), TopFloorLeds);
    EXPECT_EQ(ReadText(after.Gorny.Text), QStringLiteral("Hódmezővásárhely"));
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
}

TEST(Legibility, FloorsInLedsRaisedByThePitch) {
    EXPECT_EQ(capitalFloor(Region::Lewy, {}), 14);
    EXPECT_EQ(capitalFloor(Region::Gorny, {}), 9);
    EXPECT_EQ(capitalFloor(Region::Dolny, {}), 7);
    EXPECT_EQ(capitalFloor(Region::Lewy, {10}), 20);
    EXPECT_EQ(capitalFloor(Region::Gorny, {10}), 13);
    EXPECT_EQ(capitalFloor(Region::Dolny, {10}), 7);
    EXPECT_EQ(capitalFloor(Region::Lewy, {16}), 14);  // 13 LEDs make 200 mm: the LED floor stays

    auto d = defaultProject();
    sWidok& w = view(*d, 1, QStringLiteral("7"), QStringLiteral("Zoo"), QString(), vtLeftTop);
    style(w.Lewy, "Arial", 24);
    style(w.Gorny, "Arial", 12);
    measureViews(*d, {{1, 1}});
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
    const QStringList raised =
        codesOf(checkProject(*d, LegibilityRules{10}), 1, QStringLiteral("below-floor"));
    EXPECT_EQ(raised.size(), 1);  // the top line; the 24-point number has its 20 LEDs
}

TEST(Legibility, WhyInTheInterfaceLanguageKeepsItsWordsAndNumbers) {
    QStringList other = legibilityWhyTexts();
    other[1] = QStringLiteral("Ansicht %2 s, Ende nach %1 s");
    EXPECT_EQ(translatedWhy(
                  QStringLiteral("the text moves and shows its end after 10.8 s, but the view shows for 5 s"),
                  other),
              QStringLiteral("Ansicht 5 s, Ende nach 10.8 s"));
    EXPECT_EQ(translatedWhy(QStringLiteral("font and background are both red"), other),
              QStringLiteral("font and background are both red"));
}

TEST(Legibility, OneRouteOneDrawingAndTheEditorRechecksItsViews) {
    auto d = defaultProject();
    sWidok& a =
        view(*d, 1, QStringLiteral("SIM33C"), QStringLiteral("ST GEORGE FERRY"), QString(), vtLeftTop);
    sWidok& b = view(*d, 2, QStringLiteral("SIM33C"), QStringLiteral("ELTINGVILLE"), QString(), vtLeftTop);
    style(a.Lewy, "Arial Narrow", 13);
    style(b.Lewy, "Arial Narrow", 8);
    measureViews(*d, {{1, 1}, {1, 2}});
    const QList<Finding> before = checkProject(*d);
    EXPECT_EQ(codesOf(before, 1, QStringLiteral("route-drawn-differently")).size(), 1);
    EXPECT_EQ(codesOf(before, 2, QStringLiteral("route-drawn-differently")).size(), 1);

    // Editing one view of the route rechecks the other.
    ProjectFindings kept;
    kept.recheckAll(*d);
    b.Lewy.FontSize = 13;
    measureViews(*d, {{1, 2}});
    EXPECT_TRUE(kept.recheckView(*d, 1, 2));
    EXPECT_TRUE(codesOf(kept.of(1, 1), 1, QStringLiteral("route-drawn-differently")).isEmpty());
    b.Lewy.FontSize = 8;
    measureViews(*d, {{1, 2}});

    FitOptions options;
    options.split = true;
    fitProject(*d, options);
    const sWidok& x = widok(*d, 1, 1);
    const sWidok& y = widok(*d, 1, 2);
    EXPECT_EQ(drawingWords(x.Lewy), drawingWords(y.Lewy));
    EXPECT_GE(capitalHeight(x.Lewy), RouteFloorLeds);
    EXPECT_EQ(words(x), QStringLiteral("SIM33C ST GEORGE FERRY"));
    EXPECT_EQ(words(y), QStringLiteral("SIM33C ELTINGVILLE"));
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
}

TEST(Legibility, LongNameGoesOverTwoLinesWithSplitAndMovesWithout) {
    auto d = defaultProject();
    view(*d, 1, QStringLiteral("7"), QStringLiteral("Bielsko-Biała Dworzec Główny"), QString(), vtLeftTop);
    auto plain = std::make_unique<sDane>(*d);

    FitOptions options;
    options.split = true;
    fitProject(*d, options);
    const sWidok& w = widok(*d, 1, 1);
    EXPECT_EQ(w.TypWidoku, vtLeftTopBottom);
    EXPECT_EQ(w.Gorny.Ruch, mvNone);
    EXPECT_EQ(w.Dolny.Ruch, mvNone);
    EXPECT_EQ(w.Gorny.FontSize, w.Dolny.FontSize);
    EXPECT_EQ(ReadText(w.Gorny.Text) + QLatin1Char(' ') + ReadText(w.Dolny.Text),
              QStringLiteral("Bielsko-Biała Dworzec Główny"));
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();

    // Without --split the bottom line is the operator's: the text moves, at
    // its floor or above, with the time to show its end.
    fitProject(*plain, FitOptions{});
    const sWidok& m = widok(*plain, 1, 1);
    EXPECT_EQ(m.TypWidoku, vtLeftTop);
    EXPECT_EQ(m.Gorny.Ruch, mvInLeft);
    EXPECT_GE(capitalHeight(m.Gorny), TopFloorLeds);
    EXPECT_EQ(ReadText(m.Gorny.Text), QStringLiteral("Bielsko-Biała Dworzec Główny"));
    EXPECT_TRUE(legibilityFindings(*plain).isEmpty()) << legibilityFindings(*plain).join('\n').toStdString();
}

TEST(Legibility, TwoLinesThatCannotBothReadBecomeOneMovingLineWithSplit) {
    // The smallest route that reads takes 17 rows and the smallest headsign
    // 15: with the unlit row between them, 33 rows for a sign of 32.
    auto d = defaultProject();
    view(*d, 1, QString(), QStringLiteral("AirportExpress"),
         QStringLiteral("Žďár nad Sázavou přes Nové Město"), vtTopBottom);
    auto plain = std::make_unique<sDane>(*d);

    FitOptions options;
    options.split = true;
    const QList<FitChange> changes = fitProject(*d, options);
    const sWidok& w = widok(*d, 1, 1);
    EXPECT_EQ(w.TypWidoku, vtTop);
    EXPECT_EQ(w.Gorny.Ruch, mvInLeft);
    EXPECT_EQ(words(w), QStringLiteral("AirportExpress Žďár nad Sázavou přes Nové Město"));
    EXPECT_EQ(ReadText(w.Dolny.Text), QStringLiteral("Žďár nad Sázavou přes Nové Město"));
    const int need = secondsToShowWhole(w);
    EXPECT_GT(need, 5);
    EXPECT_EQ(w.Time, need);
    QStringList reported;
    for (const FitChange& c : changes) reported << c.text();
    EXPECT_TRUE(reported.contains(QStringLiteral("1/1 view: time 5 -> %1").arg(need)))
        << reported.join('\n').toStdString();
    EXPECT_TRUE(legibilityFindings(*d).isEmpty()) << legibilityFindings(*d).join('\n').toStdString();
    EXPECT_TRUE(fitProject(*d, options).isEmpty());

    // Without --split each line keeps its words.
    fitProject(*plain, FitOptions{});
    const sWidok& m = widok(*plain, 1, 1);
    EXPECT_EQ(m.TypWidoku, vtTopBottom);
    EXPECT_EQ(ReadText(m.Gorny.Text), QStringLiteral("AirportExpress"));
}

}  // namespace
}  // namespace lt
