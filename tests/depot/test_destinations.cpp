// The findings kept view by view for the editor, and importing destinations
// from a file as the editor's File menu does.
#include "depot/destinations.h"
#include "depot/findings.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::TempDir;
using test::writeFile;

void useView(sDane& d, int lang, int view, const QString& top) {
    sWidok& w = widok(d, lang, view);
    w.use = 1;
    w.Time = 5;
    StringToWideChar(top, w.Gorny.Text);
}

QStringList texts(const QList<Finding>& findings) {
    QStringList out;
    for (const Finding& f : findings) out << f.text();
    return out;
}

TEST(ProjectFindings, StayEqualToTheWholeCheckAsViewsAndLanguagesChange) {
    auto d = test::defaultProject();
    useView(*d, 1, 2, QStringLiteral("Dworzec Główny Zachodni"));
    useView(*d, 1, 7, QStringLiteral("Zoo"));
    useView(*d, 2, 4, QStringLiteral("Hauptbahnhof Westseite Nord"));
    ProjectFindings findings;
    findings.recheckAll(*d);
    EXPECT_EQ(texts(findings.all()), texts(checkProject(*d)));
    EXPECT_TRUE(findings.hasFindings(1, 2));
    EXPECT_FALSE(findings.hasFindings(1, 7));
    EXPECT_FALSE(findings.hasFindings(2, 4));  // language 2 is not in use
    EXPECT_EQ(findings.viewsWithFindings(), 1);

    // An edit: only that view is looked at again.
    StringToWideChar(QStringLiteral("Osiedle Bródno przez Żerań Wschodni"), widok(*d, 1, 7).Gorny.Text);
    EXPECT_TRUE(findings.recheckView(*d, 1, 7));
    EXPECT_FALSE(findings.recheckView(*d, 1, 7));
    EXPECT_EQ(texts(findings.all()), texts(checkProject(*d)));
    widok(*d, 1, 2).use = 0;
    EXPECT_TRUE(findings.recheckView(*d, 1, 2));
    EXPECT_FALSE(findings.hasFindings(1, 2));

    // A language switched on brings its views' findings, a long name its own.
    d->Lang[1].Use = 1;
    StringToWideChar(QString(40, QLatin1Char('N')), d->Lang[1].Nazwa);
    EXPECT_TRUE(findings.recheckLanguages(*d));
    EXPECT_FALSE(findings.recheckLanguages(*d));
    EXPECT_TRUE(findings.hasFindings(2, 4));
    EXPECT_EQ(texts(findings.all()), texts(checkProject(*d)));
    EXPECT_FALSE(findings.recheckView(*d, 0, 1));
    EXPECT_FALSE(findings.recheckView(*d, 1, ViewCount + 1));
    EXPECT_TRUE(findings.of(4, 1).isEmpty());
}

struct Refusal {
    const char* name;
    std::function<QString(const TempDir&)> make;  // the path the operator picks
    const char* says;                             // part of the message
};

class ImportRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(ImportRefused, LeavesTheProjectAsItWas) {
    TempDir dir;
    const QString path = GetParam().make(dir);
    auto d = test::defaultProject();
    useView(*d, 1, 3, QStringLiteral("Kept"));
    const QByteArray before = test::bytesOf(*d);
    const DestinationImport result = importDestinations(*d, path, 1);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.summary().contains(QLatin1String(GetParam().says))) << result.summary().toStdString();
    EXPECT_TRUE(result.summary().contains(QLatin1String("nothing was changed"), Qt::CaseInsensitive));
    EXPECT_EQ(test::bytesOf(*d), before);
}

const Refusal kRefusals[] = {
    {"Missing", [](const TempDir& t) { return t.file("gone.csv"); }, "No such file"},
    {"UnknownKind",
     [](const TempDir& t) {
         writeFile(t.file("notes.pdf"), "%PDF-1.4");
         return t.file("notes.pdf");
     },
     "not a timetable feed"},
    {"RefusedRows",
     [](const TempDir& t) {
         writeFile(t.file("list.csv"),
                   "Language,View,In use,Top text\r\n1,1,yes,Dworzec\r\n1,301,yes,Zoo\r\n9,2,yes,Rynek\r\n");
         return t.file("list.csv");
     },
     "line 3:"},
    {"FeedWithoutTables",
     [](const TempDir& t) {
         QDir(t.path()).mkdir(QStringLiteral("feed"));
         writeFile(t.file("feed/agency.txt"), "agency_id,agency_name\n1,Velmora\n");
         return t.file("feed/agency.txt");
     },
     "routes.txt"},
    {"DamagedWorkbook",
     [](const TempDir& t) {
         writeFile(t.file("list.xlsx"), "Language,View\r\n1,1\r\n");
         return t.file("list.xlsx");
     },
     "The list was refused"},
    {"DamagedZip",
     [](const TempDir& t) {
         writeFile(t.file("feed.zip"), "PK\x03\x04 this is no archive");
         return t.file("feed.zip");
     },
     ""},
};

INSTANTIATE_TEST_SUITE_P(Destinations, ImportRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ImportDestinations, ListRowsApplyAndTellWhatChanged) {
    TempDir dir;
    writeFile(
        dir.file("list.csv"),
        "\xEF\xBB\xBFLanguage;View;In use;Time;Top text\r\n1;4;yes;7;Plac Grunwaldzki\r\n1;5;yes;3;Zoo\r\n");
    auto d = test::defaultProject();
    const DestinationImport result = importDestinations(*d, dir.file("list.csv"), 2);
    ASSERT_TRUE(result.ok()) << result.summary().toStdString();
    EXPECT_FALSE(result.feed);
    EXPECT_EQ(result.summary(), QStringLiteral("2 rows read, 2 views changed."));
    EXPECT_EQ(ReadText(widok(*d, 1, 4).Gorny.Text), QStringLiteral("Plac Grunwaldzki"));
    EXPECT_EQ(widok(*d, 1, 5).Time, 3);
    EXPECT_TRUE(isTrue(widok(*d, 1, 5).use));
}

TEST(ImportDestinations, ANewFeedVersionIsListedBeforeItIsApplied) {
    TempDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("feed"));
    writeFile(dir.file("feed/routes.txt"), "route_id,route_short_name\nr1,1\nr2,2\n");
    writeFile(dir.file("feed/trips.txt"), "route_id,trip_headsign\nr1,Alpha\nr2,Gamma\n");
    auto d = test::defaultProject();
    ASSERT_TRUE(importDestinations(*d, dir.file("feed"), 1).ok());
    writeFile(dir.file("feed/trips.txt"), "route_id,trip_headsign\nr1,Alpha\nr1,Beta\n");
    const QByteArray before = test::bytesOf(*d);

    test::ScriptedPrompts prompts;
    prompts.reviews = {false, true};
    const auto review = [&prompts](const DestinationImport& r) {
        return prompts.reviewChanges(r.summary(), r.changes);
    };
    const DestinationImport cancelled = importDestinations(*d, dir.file("feed"), 1, review);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(test::bytesOf(*d), before);
    ASSERT_EQ(prompts.reviewed.size(), 1);
    EXPECT_EQ(prompts.reviewed[0],
              (QStringList{"2 views made from the timetable feed.\n"
                           "1 kept at their numbers, 0 of them refitted; 1 new; 1 switched off.\n"
                           "0 regions fitted to the sign.",
                           "kept 1/1: 1 Alpha", "gone 1/2: 2 Gamma (switched off)", "new 1/3: 1 Beta"}));

    const DestinationImport applied = importDestinations(*d, dir.file("feed"), 1, review);
    EXPECT_TRUE(applied.ok());
    EXPECT_FALSE(isTrue(widok(*d, 1, 2).use));
    EXPECT_EQ(ReadText(widok(*d, 1, 3).Gorny.Text), QStringLiteral("Beta"));
}

}  // namespace
}  // namespace lt
