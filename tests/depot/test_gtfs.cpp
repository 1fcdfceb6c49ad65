// Destinations from a timetable feed: a small feed written by the test, read
// from a folder and from a zip, its views in order, split, laid out and
// fitted; and every refusal, with nothing written.
#include "depot/checks.h"
#include "depot/gtfs.h"
#include "depot/zipfile.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>

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

    // A route longer than the left box takes the top line, the
    // headsign the bottom; a short but wide one stays in the widened box at
    // a legible size.
    const sWidok& top = widok(*d, 1, 5);
    EXPECT_EQ(top.TypWidoku, vtTopBottom);
    EXPECT_EQ(text(top.Gorny.Text), "AirportExpress");
    EXPECT_EQ(text(top.Dolny.Text), "Žďár nad Sázavou přes Nové Město");
    const sWidok& wide = widok(*d, 1, 8);
    EXPECT_EQ(wide.TypWidoku, vtLeftTop);
    EXPECT_EQ(text(wide.Lewy.Text), "WWWWWW");
    EXPECT_GE(wide.Lewy.FontSize, LegibleFontSize);
    EXPECT_EQ(wide.Lewy.Ruch, mvNone);

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
