// The CSV reader and writer, and the destination list built on them.
#include "depot/csv.h"
#include "depot/viewlist.h"
#include "editor/document.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "render/bitmap.h"
#include "render/preview.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

using test::bytesOf;
using test::defaultProject;
using test::readFile;
using test::runCli;
using test::TempDir;
using test::variedProject;
using test::writeFile;

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

TEST(ViewList, FormulaLookingTextsAreGuardedAndReadBack) {
    auto d = defaultProject();
    const QStringList texts = {"=A1", "+48 12", "-5", "@home", "'s-Hertogenbosch", "'=x", "''", "a=b", "'"};
    for (qsizetype i = 0; i < texts.size(); ++i)
        StringToWideChar(texts[i], widok(*d, 1, int(i) + 1).NazwaKursu);
    const QByteArray before = bytesOf(*d);
    const QByteArray list = exportViewList(*d, {});
    csv::Table t;
    csv::ParseError e;
    ASSERT_TRUE(csv::parse(list, t, e));
    const QStringList written = {"'=A1", "'+48 12", "'-5", "'@home", "''s-Hertogenbosch",
                                 "''=x", "'''",     "a=b", "''"};
    for (qsizetype i = 0; i < written.size(); ++i) EXPECT_EQ(t.records[i + 1].fields[4], written[i]);
    // Every text field is quoted, numbers are not.
    EXPECT_TRUE(
        list.contains("\r\n1,1,\"no\",0,\"'=A1\",3,\"T1\",\"Top1\",\"Bottom 1\",\"Arial\",24,\"none\","))
        << list.left(600).toStdString();
    ViewListImport r = importViewList(*d, list);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.changes.isEmpty());
    EXPECT_TRUE(bytesOf(*d) == before);
    // A hand-written apostrophe before anything else stays.
    r = importViewList(*d, "Language,View,Destination\n1,1,'s-Hertogenbosch\n1,2,'=B2\n");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(ReadText(widok(*d, 1, 1).NazwaKursu), "'s-Hertogenbosch");
    EXPECT_EQ(ReadText(widok(*d, 1, 2).NazwaKursu), "=B2");
    EXPECT_EQ(guardFormula(QString()), QString());
    EXPECT_EQ(unguardFormula(QStringLiteral("'")), "'");
}

TEST(ViewList, TextsAreRefusedWithTheirCause) {
    auto d = defaultProject();
    const QByteArray before = bytesOf(*d);
    const struct {
        QByteArray list;
        const char* problem;
    } cases[] = {
        {"Language,View,Bottom text\n1,1,\"przez\nRondo\"\n",
         "line 2: Bottom text holds a line break; one line of the sign cannot show it"},
        {"Language,View,Top text\n1,1,\"a\r\nb\"\n", "line 2: Top text holds a line break"},
        {"Language,View,Top text\n1,1,a\tb\n", "line 2: Top text holds a tab"},
        {"Language,View,Destination\n1,1,bell\a\n", "line 2: Destination holds the control character U+0007"},
        {QByteArray("Language,View,Destination\n1,1,a\0b\n", 34),
         "line 2: Destination holds the control character U+0000"},
        {"Language,View,Top text\n1,1,K\xC3\x83\xC2\xB6ln\n",
         "line 2: Top text \"K\xC3\x83\xC2\xB6ln\" looks like UTF-8 read as Windows-1252 "
         "(\"\xC3\x83\xC2\xB6\" "
         "for \"\xC3\xB6\"): the list was opened in the wrong character set"},
        {"Language,View,Top text\n1,1,\xC3\x83\xC2\xA4 x\n", "(\"\xC3\x83\xC2\xA4\" for \"\xC3\xA4\")"},
        {"\xC3\xAF\xC2\xBB\xC2\xBFLanguage,View\n1,1\n",
         "line 1: the header starts with \"\xC3\xAF\xC2\xBB\xC2\xBF\", the byte-order mark of UTF-8 read as "
         "Windows-1252: the list was opened in the wrong character set (Windows-1252) and saved again; open "
         "the "
         "file it came from choosing the character set UTF-8 (Unicode), or save the list as \"CSV UTF-8\" or "
         ".xlsx"},
        {"Language,View,Gr\xC3\x83\xC2\xB6\xC3\x9F"
         "e\n1,1,1\n",
         "line 1: column \"Gr\xC3\x83\xC2\xB6\xC3\x9F"
         "e\" looks like UTF-8"},
    };
    for (const auto& c : cases) {
        const ViewListImport r = importViewList(*d, c.list);
        ASSERT_FALSE(r.problems.isEmpty()) << c.list.toStdString();
        EXPECT_TRUE(r.problems[0].text().contains(QString::fromUtf8(c.problem)))
            << r.problems[0].text().toStdString();
        EXPECT_TRUE(bytesOf(*d) == before);
    }
    // Letters that only look odd together are no misread text.
    ASSERT_TRUE(importViewList(*d, "Language,View,Top text\n1,1,\xC3\x83 \xC2\xA9 \xC3\x93\xC3\xA4\n").ok());
    // An unknown column is refused with the names a list may have.
    const ViewListImport r = importViewList(*d, "Language,View,Colour\n1,1,red\n");
    ASSERT_EQ(r.problems.size(), 2);
    EXPECT_EQ(r.problems[0].text(), "line 1: unknown column \"Colour\"");
    EXPECT_EQ(r.problems[1].text(),
              "line 1: the columns a list may have are: " + viewListColumns().join(", "));
}

TEST(ViewList, RowsForASwitchedOffLanguageAreNamed) {
    auto d = defaultProject();
    StringToWideChar(QStringLiteral("Deutsch"), d->Lang[1].Nazwa);
    const QByteArray before = bytesOf(*d);
    // Rows that would change it are refused unless asked to switch it on.
    const QByteArray changing = "Language,View,Top text\n2,1,Hauptbahnhof\n2,2,Top2\n";
    ViewListImport r = importViewList(*d, changing);
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(
        r.problems[0].text(),
        "line 2: language 2 \"Deutsch\" is switched off, so the sign never shows this row; switch it on in "
        "the editor (Options, Languages) or import with --switch-on");
    EXPECT_TRUE(bytesOf(*d) == before);
    ViewListImportOptions on;
    on.switchOn = true;
    r = importViewList(*d, changing, on);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(isTrue(d->Lang[1].Use));
    EXPECT_EQ(r.warnings, QStringList{"language 2 \"Deutsch\" was switched off and is now switched on"});
    ASSERT_EQ(r.changes.size(), 2);
    EXPECT_EQ(r.changes[0].text(), "language 2: In use: no -> yes");
    EXPECT_EQ(r.changes[1].text(), "2/1 Top text: \"Top1\" -> \"Hauptbahnhof\"");
    // Rows that change nothing apply, with a word that the sign does not show them.
    auto other = defaultProject();
    r = importViewList(*other, "Language,View,Top text\n3,1,Top1\n3,2,Top2\n1,1,Top1\n");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.warnings,
              QStringList{"language 3 \"Not set\" is switched off: the 2 rows for it change nothing, "
                          "and the sign does not show its views"});
    r = importViewList(*other, "Language,View\n3,1\n");
    EXPECT_EQ(r.warnings,
              QStringList{"language 3 \"Not set\" is switched off: the row for it changes nothing, "
                          "and the sign does not show its views"});
}

TEST(ViewList, TheChangeListNamesEveryField) {
    auto d = defaultProject();
    const ViewListImport r = importViewList(*d,
                                            "Language,View,In use,Time,Left text,Top movement,Top "
                                            "X\n1,1,yes,5,7,in left,0\n1,2,no,0,T2,none,0\n");
    ASSERT_TRUE(r.ok());
    QStringList lines;
    for (const ViewListChange& c : r.changes) lines << c.text();
    EXPECT_EQ(lines, (QStringList{"1/1 In use: no -> yes", "1/1 Time: 0 -> 5",
                                  "1/1 Left text: \"T1\" -> \"7\"", "1/1 Top movement: none -> in left"}));
    EXPECT_EQ(r.changed, (QList<QPair<int, int>>{{1, 1}}));
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
    const auto dry = runCli({"csv-import", project, dir.file("list.csv"), "--dry-run"});
    ASSERT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out,
              "Dry run: 1 row read, 1 view would change; nothing written\n"
              "1/1 In use: no -> yes\n1/1 Time: 0 -> 8\n"
              "1/1 Destination: \"Destination #1\" -> \"Airport, \"T2\"\"\n"
              "1/1 Top text: \"Top1\" -> \"Airport; T2\"\n");
    EXPECT_EQ(readFile(out), "keep me");
    const auto ok = runCli({"csv-import", project, dir.file("list.csv"), "-o", out});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.out.startsWith(
        QStringLiteral("1 row read, 1 view changed; project written to %1\n1/1 In use: no -> yes\n")
            .arg(out)))
        << ok.out.toStdString();
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
