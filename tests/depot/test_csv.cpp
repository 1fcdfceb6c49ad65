// The CSV reader and writer, and the destination list built on them.
#include "depot/csv.h"
#include "model/defaults.h"
#include "model/document.h"
#include "model/projectfile.h"
#include "depot/viewlist.h"
#include "render/bitmap.h"
#include "render/preview.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray bytesOf(const sDane& d) {
    return QByteArray(reinterpret_cast<const char*>(&d), sizeof d);
}

std::unique_ptr<sDane> defaultProject() {
    auto d = std::make_unique<sDane>();
    std::memset(static_cast<void*>(d.get()), 0, sizeof(sDane));
    NewDane(*d);
    return d;
}

// --- The reader and the writer -------------------------------------------------

TEST(CsvReader, QuotedFieldsKeepSeparatorsQuotesAndLineBreaks) {
    const QByteArray text =
        "a,b,c\r\n"
        "\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n"
        "plain,,\"\"\r\n";
    csv::Table t;
    csv::ParseError e;
    ASSERT_TRUE(csv::parse(text, t, e)) << e.reason.toStdString();
    ASSERT_EQ(t.records.size(), 3);
    EXPECT_EQ(t.records[1].fields, (QStringList{"x, y", "say \"hi\"", "two\r\nlines"}));
    EXPECT_EQ(t.records[2].fields, (QStringList{"plain", "", ""}));
    // A record starting after a quoted line break is numbered by its first line.
    EXPECT_EQ(t.records[1].line, 2);
    EXPECT_EQ(t.records[2].line, 4);
}

TEST(CsvReader, SeparatorBomAndLineEnds) {
    struct Case {
        QByteArray text;
        QChar sep;
        bool bom;
        const char* first;
    };
    const Case cases[] = {
        {"a;b\n1;2,5\n", QLatin1Char(';'), false, "a"},
        {"\xEF\xBB\xBF"
         "a;b\r\n1;2\r\n",
         QLatin1Char(';'), true, "a"},
        {"a,b\r1,2\r", QLatin1Char(','), false, "a"},
        {"\"a;b\",c\n1,2\n", QLatin1Char(','), false, "a;b"},  // separators inside quotes do not count
        {"a,b\n1,2", QLatin1Char(','), false, "a"},            // no line end after the last record
    };
    for (const Case& c : cases) {
        csv::Table t;
        csv::ParseError e;
        ASSERT_TRUE(csv::parse(c.text, t, e)) << c.text.toStdString();
        EXPECT_EQ(t.separator, c.sep) << c.text.toStdString();
        EXPECT_EQ(t.bom, c.bom);
        ASSERT_EQ(t.records.size(), 2) << c.text.toStdString();
        EXPECT_EQ(t.records[0].fields.size(), 2);
        EXPECT_EQ(t.records[0].fields.first(), QLatin1String(c.first));
        EXPECT_EQ(t.records[1].fields.size(), 2);
    }
}

TEST(CsvReader, EmptyLinesAreSkippedButKeepTheLineCount) {
    csv::Table t;
    csv::ParseError e;
    ASSERT_TRUE(csv::parse("a,b\n\n1,2\r\n\r\n3,4\n", t, e));
    ASSERT_EQ(t.records.size(), 3);
    EXPECT_EQ(t.records[1].line, 3);
    EXPECT_EQ(t.records[2].line, 5);
}

TEST(CsvReader, RefusalsNameTheLine) {
    struct Case {
        QByteArray text;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"a,b\n1,\"open\n2,3\n", 2, "not closed"},
        {"a,b\n1,2\n3,x\"y\n", 3, "quote inside an unquoted field"},
        {"a,b\n\"q\"z,1\n", 2, "after the closing quote"},
        {"a,b\n1,2\n3,\xE9t\xE9\n", 3, "not UTF-8"},
        {"a,b\n\xED\xA0\x80,1\n", 2, "not UTF-8"},  // an encoded surrogate
        {"a,b\n\xC0\xAF,1\n", 2, "not UTF-8"},      // an overlong form
        {"\xFF\xFE"
         "a\0,\0b\0",
         1, "UTF-16"},
    };
    for (const Case& c : cases) {
        csv::Table t;
        csv::ParseError e;
        EXPECT_FALSE(csv::parse(c.text, t, e)) << c.text.toStdString();
        EXPECT_EQ(e.line, c.line) << c.text.toStdString();
        EXPECT_TRUE(e.reason.contains(QLatin1String(c.reason))) << e.reason.toStdString();
        EXPECT_TRUE(t.records.isEmpty());
    }
}

TEST(CsvWriter, WhatItWritesReadsBackExactly) {
    const QList<QStringList> rows = {
        {"plain", "with,comma", "with;semicolon", "\"quoted\"", "line\nbreak", "crlf\r\nbreak"},
        {" lead", "trail ", "\ttab", "", QString::fromUtf8("नमस्ते"), QString::fromUtf8("Łódź")},
    };
    for (const QChar sep : {QLatin1Char(','), QLatin1Char(';')}) {
        for (const bool bom : {false, true}) {
            const QByteArray bytes = csv::write(rows, sep, bom);
            EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), bom);
            EXPECT_TRUE(bytes.endsWith("\r\n"));
            csv::Table t;
            csv::ParseError e;
            ASSERT_TRUE(csv::parse(bytes, t, e)) << e.reason.toStdString();
            EXPECT_EQ(t.separator, sep);
            ASSERT_EQ(t.records.size(), 2);
            EXPECT_EQ(t.records[0].fields, rows[0]);
            EXPECT_EQ(t.records[1].fields, rows[1]);
        }
    }
    EXPECT_EQ(csv::quoteField(QStringLiteral("plain"), QLatin1Char(',')), QStringLiteral("plain"));
    EXPECT_EQ(csv::quoteField(QStringLiteral("a;b"), QLatin1Char(',')), QStringLiteral("\"a;b\""));
    EXPECT_EQ(csv::quoteField(QStringLiteral("a,b"), QLatin1Char(';')), QStringLiteral("\"a,b\""));
}

TEST(CsvWriter, EdgeRecordsReadBackAsWritten) {
    // One field holding the other separator: the header still tells the
    // separator in use. One empty field: not an empty line.
    const QList<QList<QStringList>> tables = {
        {{"a,b,c"}, {"d;e"}},
        {{"x"}, {""}, {"y"}},
        {{"", ""}, {"", ""}},
    };
    for (const QChar sep : {QLatin1Char(','), QLatin1Char(';')}) {
        for (const auto& rows : tables) {
            csv::Table t;
            csv::ParseError e;
            ASSERT_TRUE(csv::parse(csv::write(rows, sep, false), t, e));
            ASSERT_EQ(t.records.size(), rows.size()) << rows.first().join('|').toStdString();
            for (qsizetype i = 0; i < rows.size(); ++i) EXPECT_EQ(t.records[i].fields, rows[i]);
        }
    }
}

// --- The destination list ------------------------------------------------------

/// A project whose views differ in every column, with texts that need
/// quoting, scripts beyond Latin-1, values the editor would never store and
/// fields filled to the last unit.
std::unique_ptr<sDane> variedProject() {
    auto d = defaultProject();
    d->Lang[1].Use = 1;
    StringToWideChar(QString::fromUtf8("हिन्दी"), d->Lang[1].Nazwa);
    for (int l = 1; l <= 2; ++l) {
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(*d, l, v);
            w.use = (v % 3) != 0;
            w.Time = v % 100;
            w.TypWidoku = v % 4;
            w.BarX = 16 + v % 49;
            w.BarY = 12 + v % 13;
            StringToWideChar(QStringLiteral("Dest \"%1\", via A; B\nnext line").arg(v), w.NazwaKursu);
            sScreenImage* regions[] = {&w.Gorny, &w.Dolny, &w.Lewy};
            for (int r = 0; r < 3; ++r) {
                sScreenImage& s = *regions[r];
                s.FontSize = 4 + (v + r) % 29;
                s.Styl = (v + r) % 5;
                s.Ruch = (v + r) % 7;
                s.Speed = (v * 7 + r) % 101;
                s.X = (v * 13 + r) % 255 - 127;
                s.Y = (v + r) % 63 - 31;
                s.FontColor = (v + r) % 8;
                s.BackColor = (v + 3 + r) % 8;
                StringToWideChar(r == 0 ? QStringLiteral("Liberation Sans") : QStringLiteral("DejaVu Sans"),
                                 s.FontName);
            }
            StringToWideChar(QString::fromUtf8("%1 — नगर, \"x\"").arg(v), w.Gorny.Text);
            StringToWideChar(QStringLiteral(" spaced ; %1 ").arg(v), w.Dolny.Text);
            StringToWideChar(QString::number(v), w.Lewy.Text);
        }
    }
    // Values from a project made elsewhere: out of the editor's ranges, and a
    // text filling its whole field with no terminator.
    sWidok& odd = widok(*d, 1, 7);
    odd.Gorny.Styl = 9;
    odd.Gorny.FontSize = 0;
    odd.Dolny.FontColor = -1;
    odd.Time = 1000;
    for (char16_t& u : odd.Dolny.Text) u = u'x';
    for (char16_t& u : odd.NazwaKursu) u = u'n';
    return d;
}

TEST(ViewList, ExportThenImportIsLosslessByteForByte) {
    auto d = variedProject();
    const QByteArray before = bytesOf(*d);
    for (const QChar sep : {QLatin1Char(','), QLatin1Char(';')}) {
        for (const bool bom : {false, true}) {
            ViewListExportOptions o;
            o.separator = sep;
            o.bom = bom;
            const QByteArray list = exportViewList(*d, o);
            const ViewListImport r = importViewList(*d, list);
            ASSERT_TRUE(r.ok()) << r.problems.first().text().toStdString();
            EXPECT_EQ(r.rows, 600);  // languages 1 and 2 are in use
            EXPECT_TRUE(r.changed.isEmpty());
            EXPECT_TRUE(bytesOf(*d) == before);
        }
    }
    // The list of one language alone.
    ViewListExportOptions only3;
    only3.lang = 3;
    const ViewListImport r = importViewList(*d, exportViewList(*d, only3));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.rows, 300);
    EXPECT_TRUE(bytesOf(*d) == before);
}

TEST(ViewList, ExportWritesTheCanonicalForms) {
    auto d = defaultProject();
    sWidok& w = widok(*d, 1, 2);
    w.use = 1;
    w.Time = 12;
    w.Gorny.Styl = styItalicBold;
    w.Gorny.Ruch = mvInLeft;
    w.Gorny.FontColor = ciMagenta;
    StringToWideChar(QStringLiteral("Main, \"Old\" St"), w.Gorny.Text);
    csv::Table t;
    csv::ParseError e;
    ASSERT_TRUE(csv::parse(exportViewList(*d, {}), t, e));
    ASSERT_EQ(t.records.size(), 301);
    const QStringList header = t.records[0].fields;
    EXPECT_EQ(header, viewListColumns());
    const QStringList row = t.records[2].fields;
    auto cell = [&](const char* name) { return row[header.indexOf(QLatin1String(name))]; };
    EXPECT_EQ(cell("Language"), "1");
    EXPECT_EQ(cell("View"), "2");
    EXPECT_EQ(cell("In use"), "yes");
    EXPECT_EQ(cell("Time"), "12");
    EXPECT_EQ(cell("View type"), "3");
    EXPECT_EQ(cell("Top text"), "Main, \"Old\" St");
    EXPECT_EQ(cell("Top style"), "italic/bold");
    EXPECT_EQ(cell("Top movement"), "in left");
    EXPECT_EQ(cell("Top font colour"), "magenta");
    EXPECT_EQ(cell("Bottom movement"), "none");
    EXPECT_EQ(cell("Top Y"), "-4");
    EXPECT_EQ(cell("BarX"), "40");
}

TEST(ViewList, SpreadsheetStyleListSetsOnlyWhatItNames) {
    auto d = defaultProject();
    widok(*d, 1, 9).Gorny.AnimX = 33;
    const QByteArray before = bytesOf(*d);
    const QByteArray list =
        "\xEF\xBB\xBF"
        "language ; VIEW;In use;Time;Destination;Top text;Bottom text;Top movement;Top font color;Left "
        "style\r\n"
        "1;9;yes; 15 ;\"Centre; Main St, \"\"Old\"\" Town\";\"Hbf, Gl. 3\";\"Line 1 via \"\"Park\"\"\";"
        "In Left;RED;3\r\n"
        ";;;;;;;;;\r\n"
        "English;10;1;2;Ten;10;;none;7;none\r\n";
    const ViewListImport r = importViewList(*d, list);
    ASSERT_TRUE(r.ok()) << r.problems.first().text().toStdString();
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(r.changed, (QList<QPair<int, int>>{{1, 9}, {1, 10}}));
    const sWidok& w = widok(*d, 1, 9);
    EXPECT_TRUE(isTrue(w.use));
    EXPECT_EQ(w.Time, 15);
    EXPECT_EQ(ReadText(w.NazwaKursu), "Centre; Main St, \"Old\" Town");
    EXPECT_EQ(ReadText(w.Gorny.Text), "Hbf, Gl. 3");
    EXPECT_EQ(ReadText(w.Dolny.Text), "Line 1 via \"Park\"");
    EXPECT_EQ(w.Gorny.Ruch, mvInLeft);
    EXPECT_EQ(w.Gorny.FontColor, ciRed);
    EXPECT_EQ(w.Lewy.Styl, styItalicBold);
    // The changed movement restarts as the movement selector restarts it.
    EXPECT_EQ(w.Gorny.AnimX, 0);
    EXPECT_TRUE(isTrue(w.Gorny.Timer));
    // Columns the list does not have keep their values.
    EXPECT_EQ(w.Gorny.FontSize, 16);
    EXPECT_EQ(ReadText(w.Lewy.Text), "T9");
    const sWidok& ten = widok(*d, 1, 10);
    EXPECT_EQ(ReadText(ten.Dolny.Text), "");
    EXPECT_EQ(ten.Gorny.FontColor, ciWhite);
    // Every view without a row is byte for byte as it was.
    auto untouched = defaultProject();
    std::memcpy(static_cast<void*>(untouched.get()), before.constData(), sizeof(sDane));
    widok(*untouched, 1, 9) = widok(*d, 1, 9);
    widok(*untouched, 1, 10) = widok(*d, 1, 10);
    EXPECT_TRUE(bytesOf(*untouched) == bytesOf(*d));
}

TEST(ViewList, EveryRefusalNamesItsLineAndNothingChanges) {
    auto d = defaultProject();
    // Languages 2 and 3 are both "Not set": that name is ambiguous.
    const QByteArray before = bytesOf(*d);
    struct Case {
        const char* row;
        const char* reason;
    };
    const QByteArray header =
        "Language,View,In use,Time,Destination,View type,Left text,Top text,Bottom text,Top font,Top size,"
        "Top style,Top font colour,Top background colour,Top movement,Top speed,Top X,Top Y,BarX,BarY\n";
    const QByteArray good = "1,1,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21";
    const Case cases[] = {
        {"4,1,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "unknown language \"4\""},
        {"Deutsch,1,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "unknown language"},
        {"Not set,1,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "more than one language"},
        {"1,0,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "unknown view \"0\""},
        {"1,301,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "unknown view \"301\""},
        {"1,2,maybe,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "In use \"maybe\""},
        {"1,2,yes,100,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "Time 100 is outside 0..99"},
        {"1,2,yes,-1,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "Time -1 is outside 0..99"},
        {"1,2,yes,5,N,4,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "View type 4 is outside 0..3"},
        {"1,2,yes,5,N,3,L,T,B,Arial,3,none,white,black,none,0,0,0,40,21", "Top size 3 is outside 4..32"},
        {"1,2,yes,5,N,3,L,T,B,Arial,33,none,white,black,none,0,0,0,40,21", "Top size 33 is outside 4..32"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,5,white,black,none,0,0,0,40,21", "Top style 5 is outside 0..4"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,bolder,white,black,none,0,0,0,40,21",
         "Top style \"bolder\" is none of"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,8,black,none,0,0,0,40,21", "Top font colour 8 is outside 0..7"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,pink,none,0,0,0,40,21", "Top background colour \"pink\""},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,7,0,0,0,40,21", "Top movement 7 is outside 0..6"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,101,0,0,40,21",
         "Top speed 101 is outside 0..100"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,128,0,40,21",
         "Top X 128 is outside -127..127"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,-128,0,40,21", "Top X -128 is outside"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,32,40,21", "Top Y 32 is outside -31..31"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,-32,40,21", "Top Y -32 is outside"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,15,21", "BarX 15 is outside 16..64"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,65,21", "BarX 65 is outside 16..64"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,11", "BarY 11 is outside 12..24"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,25", "BarY 25 is outside 12..24"},
        {"1,2,yes,5,N,3,L,T,B,Arial,,none,white,black,none,0,0,0,40,21", "Top size is empty"},
        {"1,2,yes,5,N,3,L,T,B,Arial,1.5,none,white,black,none,0,0,0,40,21",
         "Top size \"1.5\" is not a whole number"},
        {"1,2,yes,5,N,3,LLLLLLL,T,B,Arial,16,none,white,black,none,0,0,0,40,21",
         "Left text is 7 characters long, at most 6"},
        {"1,2,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40", "19 fields, the header has 20"},
        {"1,1,yes,5,N,3,L,T,B,Arial,16,none,white,black,none,0,0,0,40,21", "already set on line 2"},
    };
    for (const Case& c : cases) {
        const QByteArray list = header + good + "\n" + c.row + "\n";
        const ViewListImport r = importViewList(*d, list);
        ASSERT_EQ(r.problems.size(), 1) << c.row;
        EXPECT_EQ(r.problems[0].line, 3) << c.row;
        EXPECT_TRUE(r.problems[0].reason.contains(QLatin1String(c.reason)))
            << r.problems[0].reason.toStdString();
        EXPECT_TRUE(r.changed.isEmpty());
        EXPECT_TRUE(bytesOf(*d) == before) << c.row;
    }
    // The limits of the long texts, one character over each.
    const struct {
        const char* column;
        int limit;
    } texts[] = {
        {"Top text", 63}, {"Bottom text", 255}, {"Left text", 6}, {"Destination", 126}, {"Top font", 127}};
    for (const auto& t : texts) {
        const QByteArray h = QByteArray("Language,View,") + t.column + "\n";
        const QByteArray fits = "1,3," + QByteArray(t.limit, 'w') + "\n";
        const QByteArray over = "1,4," + QByteArray(t.limit + 1, 'w') + "\n";
        const ViewListImport r = importViewList(*d, h + fits + over);
        ASSERT_EQ(r.problems.size(), 1) << t.column;
        EXPECT_EQ(r.problems[0].line, 3);
        EXPECT_TRUE(r.problems[0].reason.contains(QStringLiteral("%1 is %2 characters long, at most %3 fit")
                                                      .arg(QLatin1String(t.column))
                                                      .arg(t.limit + 1)
                                                      .arg(t.limit)))
            << r.problems[0].reason.toStdString();
        EXPECT_TRUE(bytesOf(*d) == before);
    }
    // Header faults are refused on line 1.
    for (const QByteArray& h : {QByteArray("Language,View,Colour\n1,1,red\n"), QByteArray("View,Time\n1,2\n"),
                                QByteArray("Language,View,Time,time\n1,1,2,3\n"), QByteArray("")}) {
        const ViewListImport r = importViewList(*d, h);
        ASSERT_FALSE(r.ok()) << h.toStdString();
        EXPECT_EQ(r.problems[0].line, 1) << h.toStdString();
    }
}

TEST(ViewList, ColumnsWithoutANameAreLeftOutWhileEmpty) {
    auto d = defaultProject();
    ViewListImport r = importViewList(*d, "Language;View;Time;;\r\n1;4;7;;\r\n");
    ASSERT_TRUE(r.ok()) << r.problems.first().text().toStdString();
    EXPECT_EQ(widok(*d, 1, 4).Time, 7);
    r = importViewList(*d, "Language;View;Time;\r\n1;4;8;note\r\n");
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].text(), "line 2: field 4 holds \"note\" but its column has no name");
    EXPECT_EQ(widok(*d, 1, 4).Time, 7);
}

TEST(ViewList, AllRefusalsOfAListAreReportedTogether) {
    auto d = defaultProject();
    const ViewListImport r =
        importViewList(*d, "Language,View,Top size,Left text\n1,1,40,abcdefgh\n1,2,16,ok\n9,1,16,a\n");
    ASSERT_EQ(r.problems.size(), 3);
    EXPECT_EQ(r.problems[0].line, 2);
    EXPECT_EQ(r.problems[1].line, 2);
    EXPECT_EQ(r.problems[2].line, 4);
    EXPECT_EQ(r.problems[2].text().left(8), "line 4: ");
}

TEST(ViewListCli, ImportWritesNothingOnRefusalAndTheResultOpens) {
    TempDir dir;
    const QString project = dir.file("depot.vmprj");
    ASSERT_EQ(runCli({"new", "-o", project}).exitCode, 0);
    // A refused list leaves an existing output file exactly as it was.
    const QString out = dir.file("out.vmprj");
    writeFile(out, "keep me");
    writeFile(dir.file("bad.csv"), "Language;View;Top size\r\n1;1;16\r\n1;2;99\r\n");
    const auto refused = runCli({"csv-import", project, dir.file("bad.csv"), "-o", out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("bad.csv: line 3: Top size 99 is outside 4..32"))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("nothing written"));
    EXPECT_EQ(readFile(out), "keep me");
    EXPECT_FALSE(QFileInfo::exists(dir.file("never.vmprj")));

    // A list in a spreadsheet's style imports, and the result reads as a project.
    writeFile(dir.file("list.csv"),
              "\xEF\xBB\xBF"
              "Language;View;In use;Time;Destination;Top text\r\n"
              "1;1;yes;8;\"Airport, \"\"T2\"\"\";\"Airport; T2\"\r\n");
    const auto ok = runCli({"csv-import", project, dir.file("list.csv"), "-o", out});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    ProjectRead read = readProjectFile(out);
    ASSERT_EQ(read.status, ProjectRead::Ok);
    EXPECT_EQ(ReadText(widok(*read.data, 1, 1).NazwaKursu), "Airport, \"T2\"");
    EXPECT_EQ(ReadText(widok(*read.data, 1, 1).Gorny.Text), "Airport; T2");
    {
        Document editor;
        EXPECT_EQ(editor.openProject(out), QString());
        EXPECT_EQ(ReadText(widok(editor.dane(), 1, 1).NazwaKursu), "Airport, \"T2\"");
    }
    // The changed view was rendered again, so its measured width is that of
    // the new text, as the editor leaves it after typing.
    {
        auto again = std::make_unique<sDane>(*read.data);
        auto surfaces = std::make_unique<Surfaces>();
        again->SelWidok = 1;
        again->EditRow = 1;
        RenderLED(*again, *surfaces);
        EXPECT_GT(widok(*read.data, 1, 1).Gorny.TextWidth, 60);
        EXPECT_EQ(widok(*read.data, 1, 1).Gorny.TextWidth, widok(*again, 1, 1).Gorny.TextWidth);
    }

    // The command line round trip leaves the project byte for byte.
    ASSERT_EQ(runCli({"csv-export", out, "--separator", ";", "--bom", "-o", dir.file("again.csv")}).exitCode,
              0);
    EXPECT_TRUE(readFile(dir.file("again.csv"))
                    .startsWith("\xEF\xBB\xBF"
                                "Language;View;"));
    ASSERT_EQ(runCli({"csv-import", out, dir.file("again.csv"), "-o", dir.file("again.vmprj")}).exitCode, 0);
    EXPECT_TRUE(readFile(dir.file("again.vmprj")) == readFile(out));

    // A target that cannot be written is reported.
    const auto blocked = runCli({"csv-export", project, "-o", dir.file("depot.vmprj/list.csv")});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_FALSE(blocked.err.isEmpty());
}

}  // namespace
}  // namespace lt
