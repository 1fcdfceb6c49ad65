// Destinations from a timetable feed: a small feed written by the test, read
// from a folder and from a zip, its views in order, split, laid out and
// fitted; and every refusal, with nothing written.
#include "depot/checks.h"
#include "depot/gtfs.h"
#include "depot/legibility.h"
#include "depot/zipfile.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::defaultProject;
using test::runCli;
using test::TempDir;
using test::writeFile;

// Columns in an order of their own, with columns the import does not read;
// a BOM on routes.txt, none on trips.txt; quoted fields with commas and quotes.
const QByteArray routesTxt =
    "\xEF\xBB\xBF"
    "route_type,route_long_name,route_short_name,agency_id,route_id\r\n"
    "3,\"Linia 10, przez centrum\",10,A,r10\r\n"
    "3,Linia 2,2,A,r2\r\n"
    "3,S-Bahn,S42,A,s42\r\n"
    "3,S-Bahn,S40,A,s40\r\n"
    "3,Express,,A,AirportExpress\r\n"
    "3,Wide,WWWWWW,A,wide\r\n";
const QByteArray tripsTxt =
    "shape_id,trip_headsign,service_id,route_id,trip_id,direction_id,wheelchair_accessible\n"
    "s,Dworzec Główny przez Rynek,WD,r10,t1,1,1\n"
    "s,\"Dworzec Główny przez Rynek\",WD,r10,t2,1,1\n"
    "s,Łagiewniki,WD,r10,t3,0,1\n"
    "s,\"Zoo, Eingang \"\"Nord\"\"\",WD,r2,t4,0,1\n"
    "s,Hauptbahnhof über Schloßplatz,WD,s42,t5,0,\n"
    "s,Ölmühle,WD,s40,t6,1,\n"
    "s,Žďár nad Sázavou přes Nové Město,WD,AirportExpress,t7,0,\n"
    "s,Via Roma,WD,r2,t8,1,\n"
    "s,,WD,r2,t9,1,\n"
    "s,Rynek,WD,wide,t10,0,\n";

QHash<QString, QByteArray> feed() {
    return {{"routes.txt", routesTxt}, {"trips.txt", tripsTxt}};
}

QByteArray tripsToStops(int count) {
    QByteArray trips = "route_id,trip_headsign\n";
    for (int i = 0; i < count; ++i) trips += "r2,Stop " + QByteArray::number(i) + "\n";
    return trips;
}

QString text(const char16_t* field) {
    return ReadText(field, 1024);
}

TEST(GtfsImport, ViewsInNaturalOrderSplitAtViaAndFitted) {
    auto d = defaultProject();
    const GtfsImportResult r = importGtfsTables(feed(), *d, GtfsOptions{});
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.viewsMade, 8);
    EXPECT_EQ(r.counts.routes, 6);
    EXPECT_EQ(r.counts.trips, 10);
    EXPECT_EQ(r.counts.withoutHeadsign, 1);

    struct Want {
        const char* route;
        const char* headsign;
    };
    // 2 before 10, S40 before S42, direction 0 before 1, letters after digits.
    const Want want[] = {
        {"2", "Zoo, Eingang \"Nord\""},
        {"2", "Via Roma"},
        {"10", "Łagiewniki"},
        {"10", "Dworzec Główny przez Rynek"},
        {"AirportExpress", "Žďár nad Sázavou přes Nové Město"},
        {"S40", "Ölmühle"},
        {"S42", "Hauptbahnhof über Schloßplatz"},
        {"WWWWWW", "Rynek"},
    };
    int v = 0;
    for (const Want& w : want) {
        const sWidok& view = widok(*d, 1, ++v);
        EXPECT_TRUE(isTrue(view.use)) << v;
        EXPECT_EQ(text(view.NazwaKursu), QString::fromUtf8(w.route) + ' ' + QString::fromUtf8(w.headsign))
            << v;
    }
    EXPECT_FALSE(isTrue(widok(*d, 1, 9).use));

    // The via word splits; at the start of a headsign it does not.
    const sWidok& split = widok(*d, 1, 4);
    EXPECT_EQ(split.TypWidoku, vtLeftTopBottom);
    EXPECT_EQ(text(split.Lewy.Text), "10");
    EXPECT_EQ(text(split.Gorny.Text), "Dworzec Główny");
    EXPECT_EQ(text(split.Dolny.Text), "przez Rynek");
    const sWidok& whole = widok(*d, 1, 2);
    EXPECT_EQ(whole.TypWidoku, vtLeftTop);
    EXPECT_EQ(text(whole.Gorny.Text), "Via Roma");
    // A line alone stands in the middle of the sign's rows, not where the
    // top line of two would.
    const InkBox ink = inkAt(whole.Gorny);
    EXPECT_LE(std::abs(ink.top - (SignHeight - 1 - ink.bottom)), 1) << ink.top << ' ' << ink.bottom;

    // A route longer than the left box takes the top line, the
    // headsign the bottom; so does a short one too wide for the widest left
    // box at the route number's floor, standing. A 14-letter route over a
    // 32-letter headsign has no two lines that read on 32 rows (17 rows for
    // the route, one unlit, 15 for the headsign): the words of both move on
    // the top line, at a size that reads, with the time to show their end.
    const sWidok& top = widok(*d, 1, 5);
    EXPECT_EQ(top.TypWidoku, vtTop);
    EXPECT_EQ(text(top.Gorny.Text), "AirportExpress Žďár nad Sázavou přes Nové Město");
    EXPECT_EQ(top.Gorny.Ruch, mvInLeft);
    EXPECT_GE(capitalHeight(top.Gorny), capitalFloor(Region::Gorny, {}));
    EXPECT_EQ(text(top.Dolny.Text), "Žďár nad Sázavou přes Nové Město");
    EXPECT_GE(top.Time, secondsToShowWhole(top));
    EXPECT_GT(top.Time, 5);
    const sWidok& wide = widok(*d, 1, 8);
    EXPECT_EQ(wide.TypWidoku, vtTopBottom);
    EXPECT_EQ(text(wide.Gorny.Text), "WWWWWW");
    EXPECT_EQ(text(wide.Dolny.Text), "Rynek");
    EXPECT_GE(capitalHeight(wide.Gorny), capitalFloor(Region::Gorny, {}));
    EXPECT_EQ(wide.Gorny.Ruch, mvNone);

    // Every shown region holds its text whole and check finds no layout fault.
    for (const Finding& f : checkProject(*d)) {
        EXPECT_TRUE(f.what == "not-carried" || f.what == "zero-time") << f.text().toStdString();
    }
}

TEST(GtfsImport, ViaWordsAndRoutesChosen) {
    auto d = defaultProject();
    GtfsOptions o;
    o.viaWords = {"przez"};
    o.routes = {"s42", "10"};  // a route_id and a short name
    const GtfsImportResult r = importGtfsTables(feed(), *d, o);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.viewsMade, 3);
    EXPECT_EQ(text(widok(*d, 1, 2).Dolny.Text), "przez Rynek");
    EXPECT_EQ(text(widok(*d, 1, 3).Gorny.Text), "Hauptbahnhof über Schloßplatz");
    EXPECT_EQ(widok(*d, 1, 3).TypWidoku, vtLeftTop);
}

TEST(GtfsImport, RoutesWithoutDestinationsAndTheLanguageName) {
    // A route asked for by its id or name whose trips give no destination is
    // named; one that gives some is not.
    QByteArray trips = tripsTxt + "s,,WD,s40,t11,0,\n";
    auto d = defaultProject();
    GtfsOptions o;
    o.lang = 2;
    o.routes = {"r2", "S40", "wide", "s40"};
    QHash<QString, QByteArray> tables = {{"routes.txt", routesTxt}, {"trips.txt", trips}};
    tables["trips.txt"].replace("s,Ölmühle,WD,s40,t6,1,\n", "");
    GtfsImportResult r = importGtfsTables(tables, *d, o);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.counts.routesWithoutDestination, (QStringList{"S40", "s40"}));
    // A language a new project leaves "Not set" takes the feed's language,
    // else its agency's name; a name the operator gave stays.
    EXPECT_EQ(ReadText(d->Lang[1].Nazwa), QStringLiteral("Not set"));  // the feed names neither
    tables["agency.txt"] = "agency_id,agency_name,agency_lang\nA,Dopravní podnik,cs\n";
    d = defaultProject();
    ASSERT_TRUE(importGtfsTables(tables, *d, o).ok());
    EXPECT_EQ(ReadText(d->Lang[1].Nazwa), QStringLiteral("Czech"));
    tables["agency.txt"] = "agency_id,agency_name\nA,Dopravní podnik\n";
    d = defaultProject();
    ASSERT_TRUE(importGtfsTables(tables, *d, o).ok());
    EXPECT_EQ(ReadText(d->Lang[1].Nazwa), QStringLiteral("Dopravní podnik"));
    StringToWideChar(QStringLiteral("Čeština"), d->Lang[1].Nazwa);
    ASSERT_TRUE(importGtfsTables(tables, *d, o).ok());
    EXPECT_EQ(ReadText(d->Lang[1].Nazwa), QStringLiteral("Čeština"));
}

TEST(GtfsImport, LineBreaksAndControlCharactersInNamesBecomeSpaces) {
    const QHash<QString, QByteArray> tables = {
        {"routes.txt", QByteArray("route_id,route_short_name\nr1,\"1\0\"\n", 34)},
        {"trips.txt", "route_id,trip_headsign\nr1,\"Dworzec\r\nG\xC5\x82\xC3\xB3wny\t\"\n"}};
    QList<GtfsDestination> out;
    ASSERT_EQ(gtfsDestinations(tables, GtfsOptions{}, out), QString());
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].route, "1");
    EXPECT_EQ(out[0].headsign, "Dworzec Główny");
    auto d = defaultProject();
    ASSERT_TRUE(importGtfsTables(tables, *d, GtfsOptions{}).ok());
    EXPECT_EQ(text(widok(*d, 1, 1).Lewy.Text), "1");
}

TEST(GtfsImport, OtherLanguagesUntouchedAndFailureLeavesTheProject) {
    auto d = defaultProject();
    GtfsOptions o;
    o.lang = 2;
    const auto before = std::make_unique<sDane>(*d);
    ASSERT_TRUE(importGtfsTables(feed(), *d, o).ok());
    EXPECT_TRUE(isTrue(d->Lang[1].Use));
    for (const int other : {1, 3}) {
        for (int v = 1; v <= ViewCount; ++v)
            ASSERT_EQ(std::memcmp(&widok(*d, other, v), &widok(*before, other, v), sizeof(sWidok)), 0);
    }
    const auto imported = std::make_unique<sDane>(*d);
    auto broken = feed();
    broken["trips.txt"] += "s,Nowhere,WD,r999,t11,0,\n";
    const GtfsImportResult r = importGtfsTables(broken, *d, o);
    EXPECT_EQ(r.error.toStdString(), "trips.txt line 12: the route_id \"r999\" is not in routes.txt");
    EXPECT_EQ(std::memcmp(d.get(), imported.get(), sizeof(sDane)), 0);
}

TEST(GtfsImport, SameFeedGivesSameViews) {
    auto a = defaultProject();
    auto b = std::make_unique<sDane>(*a);
    ASSERT_TRUE(importGtfsTables(feed(), *a, GtfsOptions{}).ok());
    ASSERT_TRUE(importGtfsTables(feed(), *b, GtfsOptions{}).ok());
    EXPECT_EQ(std::memcmp(a.get(), b.get(), sizeof(sDane)), 0);
}

TEST(GtfsImport, TooManyDestinationsNamesTheCountAndTheWayOut) {
    auto d = defaultProject();
    const GtfsImportResult r =
        importGtfsTables({{"routes.txt", routesTxt}, {"trips.txt", tripsToStops(301)}}, *d, GtfsOptions{});
    EXPECT_TRUE(r.error.contains("301 destinations")) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("--routes")) << r.error.toStdString();
}

struct Refusal {
    const char* name;
    QByteArray routes;  // empty: no routes.txt
    QByteArray trips;   // empty: no trips.txt
    QStringList extra;  // more arguments
    const char* message;
};

class GtfsRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(GtfsRefusal, MessageNamesFileAndLineAndNothingIsWritten) {
    const Refusal& c = GetParam();
    TempDir dir;
    QDir().mkpath(dir.file("feed"));
    if (!c.routes.isEmpty()) writeFile(dir.file("feed/routes.txt"), c.routes);
    if (!c.trips.isEmpty()) writeFile(dir.file("feed/trips.txt"), c.trips);
    const auto r =
        runCli(QStringList{"gtfs-import", dir.file("feed"), "-o", dir.file("out.vmprj")} + c.extra);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("nothing written")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file("out.vmprj")));
}

const Refusal refusals[] = {
    {"MoreDestinationsThanViews", routesTxt, tripsToStops(301), {}, "301 destinations"},
    {"NoRoutes", "", tripsTxt, {}, "the folder has no routes.txt"},
    {"NoTrips", routesTxt, "", {}, "the folder has no trips.txt"},
    {"NoHeadsignColumn",
     routesTxt,
     "route_id,trip_id\nr2,t1\n",
     {},
     "trips.txt line 1: the column \"trip_headsign\" is missing"},
    {"NoRouteIdColumn",
     "route_short_name\n2\n",
     tripsTxt,
     {},
     "routes.txt line 1: the column \"route_id\" is missing"},
    {"UnknownRoute",
     routesTxt,
     "route_id,trip_headsign\nr2,Zoo\n\"r3\",Rynek\n",
     {},
     "trips.txt line 3: the route_id \"r3\" is not in routes.txt"},
    {"BrokenQuote",
     routesTxt,
     "route_id,trip_headsign\nr2,\"Zoo\n",
     {},
     "trips.txt line 2: a quoted field is not closed"},
    {"NotUtf8",
     routesTxt,
     "route_id,trip_headsign\nr2,Z\xF6o\n",
     {},
     "trips.txt line 2: the file is not UTF-8"},
    {"TwiceTheSameRoute",
     "route_id\nr2\nr2\n",
     tripsTxt,
     {},
     "routes.txt line 3: the route_id \"r2\" is already on line 2"},
    {"UnknownChosenRoute", routesTxt, tripsTxt, {"--routes", "2,99"}, "routes.txt has no route \"99\""},
    {"BadDirection",
     routesTxt,
     "route_id,trip_headsign,direction_id\nr2,Zoo,up\n",
     {},
     "trips.txt line 2: the direction_id \"up\""},
};
INSTANTIATE_TEST_SUITE_P(Gtfs, GtfsRefusal, ::testing::ValuesIn(refusals),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(GtfsCli, ZipFeedIntoAnExistingProject) {
    TempDir dir;
    QString error;
    const QByteArray zip = writeZip({{"routes.txt", routesTxt}, {"trips.txt", tripsTxt}}, &error);
    ASSERT_FALSE(zip.isEmpty()) << error.toStdString();
    writeFile(dir.file("feed.zip"), zip);
    auto d = defaultProject();
    StringToWideChar(QStringLiteral("Depot Nord"), d->ProjName, 128);
    ASSERT_TRUE(writeProjectFile(*d, dir.file("in.vmprj")).isEmpty());
    const auto r = runCli({"gtfs-import", dir.file("feed.zip"), dir.file("in.vmprj"), "-o",
                           dir.file("out.vmprj"), "--lang", "3", "--via", "przez,über"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("8 views made in language 3")) << r.out.toStdString();
    ProjectRead read = readProjectFile(dir.file("out.vmprj"));
    ASSERT_EQ(read.status, ProjectRead::Ok);
    EXPECT_EQ(ReadText(read.data->ProjName), "Depot Nord");
    EXPECT_TRUE(isTrue(read.data->Lang[2].Use));
    EXPECT_EQ(ReadText(widok(*read.data, 3, 4).Dolny.Text, 1024), "przez Rynek");
}

TEST(GtfsCli, DamagedZipAndUnwritableTargetWriteNothing) {
    TempDir dir;
    writeFile(dir.file("feed.zip"), "PK\x03\x04 this is no archive");
    auto r = runCli({"gtfs-import", dir.file("feed.zip"), "-o", dir.file("out.vmprj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("feed.zip")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file("out.vmprj")));

    QDir().mkpath(dir.file("feed"));
    writeFile(dir.file("feed/routes.txt"), routesTxt);
    writeFile(dir.file("feed/trips.txt"), tripsTxt);
    writeFile(dir.file("plain"), "x");
    r = runCli({"gtfs-import", dir.file("feed"), "-o", dir.file("plain/out.vmprj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("plain/out.vmprj")) << r.err.toStdString();
    r = runCli({"gtfs-import", dir.file("feed"), dir.file("missing.vmprj"), "-o", dir.file("out.vmprj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.file("out.vmprj")));
}

}  // namespace
}  // namespace lt

namespace lt {
namespace {

// A feed and its next version: route 2 dropped, route 0 added, a case
// change on one headsign, and the sign of trip t1 changing at its third
// stop. Columns of stop_times.txt in an order of their own, a BOM, CRLF
// line ends and a quoted field holding a comma.
const QByteArray routesV1 = "route_id,route_short_name\nr1,1\nr2,2\nr3,3\n";
const QByteArray tripsV1 =
    "route_id,trip_id,trip_headsign,direction_id\n"
    "r1,t1,Alpha,0\nr1,t2,Beta,1\nr2,t3,Gamma,0\nr3,t4,Delta przez Rynek,0\n";
const QByteArray routesV2 = "route_id,route_short_name\nr0,0\nr1,1\nr3,3\n";
const QByteArray tripsV2 =
    "route_id,trip_id,trip_headsign,direction_id\n"
    "r1,t1,Alpha,0\nr1,t2,BETA,1\nr3,t4,Delta przez Rynek,0\nr0,t5,Zulu,0\n";
const QByteArray stopTimesV2 =
    "\xEF\xBB\xBFstop_sequence,stop_headsign,trip_id,stop_id\r\n"
    "1,,t1,A\r\n2,,t1,B\r\n3,\"Omega, Dworzec\",t1,C\r\n4,\"Omega, Dworzec\",t1,D\r\n1,,t4,A\r\n";

QHash<QString, QByteArray> version1() {
    return {{"routes.txt", routesV1}, {"trips.txt", tripsV1}};
}
QHash<QString, QByteArray> version2() {
    return {{"routes.txt", routesV2}, {"trips.txt", tripsV2}, {"stop_times.txt", stopTimesV2}};
}

QStringList changeList(const GtfsImportResult& r) {
    QStringList out;
    for (const GtfsChange& c : r.changes) out << c.text();
    return out;
}

TEST(GtfsUpdate, NewVersionKeepsEveryCodeAndItsSettings) {
    auto d = defaultProject();
    ASSERT_TRUE(importGtfsTables(version1(), *d, GtfsOptions{}).ok());
    // 1 Alpha, 1 Beta, 2 Gamma, 3 Delta at views 1 to 4; the operator's own
    // settings and texts, and a view made by hand.
    widok(*d, 1, 1).Gorny.FontColor = ciRed;
    widok(*d, 1, 1).Time = 9;
    widok(*d, 1, 1).BarX = 30;
    StringToWideChar(QStringLiteral("EXPRESS"), widok(*d, 1, 4).Dolny.Text, 1024);
    sWidok& handMade = widok(*d, 1, 5);
    handMade.use = 1;
    StringToWideChar(QStringLiteral("NOT IN SERVICE"), handMade.NazwaKursu);
    const sWidok handMadeBefore = handMade;
    const sWidok gammaBefore = widok(*d, 1, 3);

    const GtfsImportResult r = importGtfsTables(version2(), *d, GtfsOptions{});
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_FALSE(r.renumbered);
    EXPECT_EQ(r.counts.stopTimes, 5);
    // The operator's "EXPRESS" does not read where the via line stood, so
    // its view is fitted again, its words kept.
    EXPECT_EQ(
        changeList(r),
        (QStringList{"kept 1/1: 1 Alpha", "kept 1/2: 1 BETA", "gone 1/3: 2 Gamma (switched off)",
                     "refitted 1/4: 3 Delta przez Rynek", "new 1/6: 0 Zulu", "new 1/7: 1 Omega, Dworzec"}));
    const sWidok& alpha = widok(*d, 1, 1);
    EXPECT_EQ(alpha.Gorny.FontColor, ciRed);
    EXPECT_EQ(alpha.Time, 9);
    EXPECT_EQ(alpha.BarX, 30);
    EXPECT_EQ(text(widok(*d, 1, 2).Gorny.Text), "BETA");  // the feed's new spelling
    EXPECT_EQ(text(widok(*d, 1, 4).Dolny.Text), "EXPRESS");
    EXPECT_EQ(std::memcmp(&handMade, &handMadeBefore, sizeof handMade), 0);
    sWidok gamma = widok(*d, 1, 3);
    EXPECT_FALSE(isTrue(gamma.use));
    gamma.use = 1;
    EXPECT_EQ(std::memcmp(&gamma, &gammaBefore, sizeof gamma), 0);
    EXPECT_EQ(text(widok(*d, 1, 7).Gorny.Text), "Omega, Dworzec");
    EXPECT_EQ(viewDestinationKey(*d, 1, 7), gtfsDestinationKey("1", "omega,  dworzec"));

    // The seasonal route comes back under its old code, the views of this
    // version's new ones are switched off and not taken again.
    auto back = version1();
    back["trips.txt"] += "r1,t9,Sigma,0\n";
    const GtfsImportResult again = importGtfsTables(back, *d, GtfsOptions{});
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(changeList(again),
              (QStringList{"kept 1/1: 1 Alpha", "kept 1/2: 1 Beta", "kept 1/3: 2 Gamma (back in use)",
                           "kept 1/4: 3 Delta przez Rynek", "gone 1/6: 0 Zulu (switched off)",
                           "gone 1/7: 1 Omega, Dworzec (switched off)", "new 1/8: 1 Sigma"}));
    EXPECT_EQ(text(widok(*d, 1, 2).Gorny.Text), "Beta");

    // --renumber lays the feed out afresh and forgets the rest.
    GtfsOptions renumber;
    renumber.renumber = true;
    const GtfsImportResult fresh = importGtfsTables(version2(), *d, renumber);
    ASSERT_TRUE(fresh.ok());
    EXPECT_TRUE(fresh.renumbered);
    EXPECT_EQ(changeList(fresh),
              (QStringList{"new 1/1: 0 Zulu", "new 1/2: 1 Alpha", "new 1/3: 1 Omega, Dworzec",
                           "new 1/4: 1 BETA", "new 1/5: 3 Delta przez Rynek"}));
    for (int v = 6; v <= 8; ++v) {
        EXPECT_FALSE(isTrue(widok(*d, 1, v).use)) << v;
        EXPECT_EQ(viewDestinationKey(*d, 1, v), 0u) << v;
    }
}

TEST(GtfsUpdate, ProjectsWithoutKeysAreMatchedByNameAndFullViewsAreRefused) {
    // A project imported before views kept keys: its block holds none.
    auto d = defaultProject();
    ASSERT_TRUE(importGtfsTables(version1(), *d, GtfsOptions{}).ok());
    std::memset(d->pbufX, 0, sizeof d->pbufX);
    ASSERT_EQ(viewDestinationKey(*d, 1, 1), 0u);
    const GtfsImportResult r = importGtfsTables(version2(), *d, GtfsOptions{});
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.count(GtfsChange::Kept), 3);
    EXPECT_EQ(r.count(GtfsChange::New), 2);
    EXPECT_NE(viewDestinationKey(*d, 1, 4), 0u);

    // No view left that never held a destination: refused, nothing changed.
    for (int v = 7; v <= ViewCount; ++v) widok(*d, 1, v).use = 1;
    const auto before = std::make_unique<sDane>(*d);
    auto more = version2();
    more["trips.txt"] += "r0,t6,Yankee,0\n";
    const GtfsImportResult full = importGtfsTables(more, *d, GtfsOptions{});
    EXPECT_TRUE(full.error.contains("--renumber")) << full.error.toStdString();
    EXPECT_EQ(std::memcmp(d.get(), before.get(), sizeof(sDane)), 0);
}

TEST(GtfsStopTimes, StreamedInPiecesAndRefusedWithTheLine) {
    QList<GtfsDestination> whole, pieces;
    GtfsCounts counts;
    ASSERT_EQ(gtfsDestinations(version2(), GtfsOptions{}, whole, &counts), QString());
    const GtfsTableReader bytes = [](const std::function<bool(QByteArrayView)>& take) {
        for (qsizetype at = 0; at < stopTimesV2.size(); at += 3)
            take(QByteArrayView(stopTimesV2).sliced(at, std::min<qsizetype>(3, stopTimesV2.size() - at)));
        return QString();
    };
    ASSERT_EQ(gtfsDestinations(version2(), GtfsOptions{}, pieces, nullptr, bytes), QString());
    ASSERT_EQ(whole.size(), 5);
    ASSERT_EQ(pieces.size(), 5);
    for (qsizetype i = 0; i < whole.size(); ++i) EXPECT_EQ(pieces[i].headsign, whole[i].headsign);
    EXPECT_EQ(whole[2].headsign, "Omega, Dworzec");
    EXPECT_EQ(whole[2].direction, 0);

    // Without a stop_headsign column the table is not read at all.
    auto plain = version2();
    plain["stop_times.txt"] = "trip_id,stop_id\nnowhere,A\n";
    ASSERT_EQ(gtfsDestinations(plain, GtfsOptions{}, whole, &counts), QString());
    EXPECT_EQ(counts.stopTimes, -1);
    // Trips of routes not chosen are passed over.
    GtfsOptions only3;
    only3.routes = {"3"};
    ASSERT_EQ(gtfsDestinations(version2(), only3, whole), QString());
    EXPECT_EQ(whole.size(), 1);

    auto broken = version2();
    broken["stop_times.txt"] = "trip_id,stop_headsign\nt1,\nt1,Omega\nt99,Nowhere\n";
    EXPECT_EQ(gtfsDestinations(broken, GtfsOptions{}, whole),
              "stop_times.txt line 4: the trip_id \"t99\" is not in trips.txt");
    broken["stop_times.txt"] = "trip_id,stop_headsign\nt1,\"Omega\n";
    EXPECT_EQ(gtfsDestinations(broken, GtfsOptions{}, whole),
              "stop_times.txt line 2: a quoted field is not closed");
    broken["stop_times.txt"] = "trip_id,stop_headsign\nt1,Om\xF6ga\n";
    EXPECT_EQ(gtfsDestinations(broken, GtfsOptions{}, whole), "stop_times.txt line 2: the file is not UTF-8");
}

TEST(GtfsCli, DryRunListsTheChangesAndWritesNothing) {
    TempDir dir;
    for (const auto& [folder, tables] : {std::pair{"v1", version1()}, std::pair{"v2", version2()}}) {
        QDir().mkpath(dir.file(folder));
        for (auto it = tables.begin(); it != tables.end(); ++it)
            writeFile(dir.file(QString::fromLatin1(folder) + '/' + it.key()), it.value());
    }
    QString error;
    const QByteArray zip =
        writeZip({{"routes.txt", routesV2}, {"trips.txt", tripsV2}, {"stop_times.txt", stopTimesV2}}, &error);
    writeFile(dir.file("v2.zip"), zip);
    auto r = runCli({"gtfs-import", dir.file("v1"), "-o", dir.file("p1.vmprj")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray p1 = test::readFile(dir.file("p1.vmprj"));

    r = runCli({"gtfs-import", dir.file("v2.zip"), dir.file("p1.vmprj"), "--dry-run"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(
        r.out.contains("3 routes, 4 trips, 5 stop times; in language 1 3 kept, 0 refitted, 2 new, 1 gone, "))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("; dry run, nothing written\nkept 1/1: 1 Alpha\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("gone 1/3: 2 Gamma (switched off)\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("new 1/6: 1 Omega, Dworzec\n")) << r.out.toStdString();
    EXPECT_EQ(test::readFile(dir.file("p1.vmprj")), p1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    r = runCli({"gtfs-import", dir.file("v2"), dir.file("p1.vmprj"), "-o", dir.file("p2.vmprj")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ProjectRead read = readProjectFile(dir.file("p2.vmprj"));
    ASSERT_EQ(read.status, ProjectRead::Ok);
    EXPECT_FALSE(isTrue(widok(*read.data, 1, 3).use));
    EXPECT_EQ(text(widok(*read.data, 1, 6).Gorny.Text), "Omega, Dworzec");
}

}  // namespace
}  // namespace lt
