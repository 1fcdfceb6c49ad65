// Destination lists in workbooks: written by us and read back, cells typed as
// text, the shapes other spreadsheet programs write, files a spreadsheet
// program saved, and damaged or foreign files.
#include "depot/viewlist.h"
#include "depot/xlsx.h"
#include "depot/zipfile.h"
#include "model/projectfile.h"
#include "tests/depot/listprojects.h"
#include "tests/support/scripted_prompts.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::bytesOf;
using test::defaultProject;
using test::readFile;
using test::runCli;
using test::TempDir;
using test::variedProject;
using test::writeFile;

QByteArray part(const QByteArray& xlsx, const QString& name) {
    ZipReader zip;
    EXPECT_TRUE(zip.open(xlsx)) << zip.error().toStdString();
    return zip.read(name, 1 << 26).value_or(QByteArray());
}

/// A workbook of one sheet as another program might write it: the sheet's
/// rows as given, shared strings as given, the sheet where `sheetPath` says.
QByteArray foreignWorkbook(const QByteArray& sheetData, const QByteArray& strings = {},
                           const QString& sheetPath = QStringLiteral("worksheets/sheet1.xml")) {
    const QByteArray ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QList<ZipEntry> entries;
    entries.append({QStringLiteral("[Content_Types].xml"), "<Types/>"});
    entries.append({QStringLiteral("_rels/.rels"),
                    "<Relationships><Relationship Id=\"a\" Type=\"" + ns +
                        "/officeDocument\" Target=\"/xl/workbook.xml\"/></Relationships>"});
    entries.append({QStringLiteral("xl/workbook.xml"),
                    "<workbook xmlns:r=\"" + ns +
                        "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"s1\"/>"
                        "<sheet name=\"T\" sheetId=\"2\" r:id=\"s2\"/></sheets></workbook>"});
    QByteArray rels = "<Relationships><Relationship Id=\"s1\" Type=\"" + ns + "/worksheet\" Target=\"" +
                      sheetPath.toUtf8() + "\"/><Relationship Id=\"s2\" Type=\"" + ns +
                      "/worksheet\" Target=\"worksheets/other.xml\"/>";
    if (!strings.isEmpty())
        rels += "<Relationship Id=\"t\" Type=\"" + ns + "/sharedStrings\" Target=\"strings.xml\"/>";
    rels += "</Relationships>";
    entries.append({QStringLiteral("xl/_rels/workbook.xml.rels"), rels});
    if (!strings.isEmpty()) entries.append({QStringLiteral("xl/strings.xml"), "<sst>" + strings + "</sst>"});
    entries.append({QStringLiteral("xl/") + sheetPath,
                    "<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>"});
    entries.append(
        {QStringLiteral("xl/worksheets/other.xml"),
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Nonsense</t></is></c>"
         "</row></sheetData></worksheet>"});
    QString error;
    const QByteArray bytes = writeZip(entries, &error);
    EXPECT_FALSE(bytes.isEmpty()) << error.toStdString();
    return bytes;
}

TEST(XlsxList, ExportThenImportIsLosslessByteForByte) {
    auto d = variedProject();
    const QByteArray before = bytesOf(*d);
    for (const int lang : {0, 2, 3}) {
        QString error;
        const QByteArray xlsx = exportViewListXlsx(*d, lang, error);
        ASSERT_FALSE(xlsx.isEmpty()) << error.toStdString();
        const ViewListImport r = importViewListXlsx(*d, xlsx);
        ASSERT_TRUE(r.ok()) << r.problems.first().text().toStdString();
        EXPECT_EQ(r.rows, lang == 0 ? 600 : 300);
        EXPECT_TRUE(r.changes.isEmpty()) << r.changes.first().text().toStdString();
        EXPECT_TRUE(bytesOf(*d) == before);
    }
}

TEST(XlsxList, TextsAreStringsNumbersAreNumbersHeaderFrozen) {
    auto d = defaultProject();
    sWidok& w = widok(*d, 1, 1);
    StringToWideChar(QStringLiteral("007"), w.Lewy.Text);
    StringToWideChar(QStringLiteral("=A1"), w.NazwaKursu);
    StringToWideChar(QStringLiteral("1/2"), w.Gorny.Text);
    StringToWideChar(QStringLiteral("10:30"), w.Dolny.Text);
    QString error;
    const QByteArray xlsx = exportViewListXlsx(*d, 1, error);
    const QString sheet = QString::fromUtf8(part(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    const QString strings = QString::fromUtf8(part(xlsx, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_FALSE(sheet.contains(QLatin1String("<f>"))) << "no cell is a formula";
    EXPECT_TRUE(
        sheet.contains(QLatin1String("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
                                     "state=\"frozen\"/>")));
    EXPECT_TRUE(sheet.contains(QLatin1String("customWidth=\"1\"")));
    // Row 2: language and view numbers, the destination and texts strings.
    auto cell = [&](const QString& ref) {
        static const QRegularExpression any(QStringLiteral("<c r=\"([A-Z]+\\d+)\"[^>]*>.*?</c>"));
        for (auto it = any.globalMatch(sheet); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(1) == ref) return m.captured(0);
        }
        return QString();
    };
    EXPECT_EQ(cell(QStringLiteral("A2")), "<c r=\"A2\"><v>1</v></c>");
    EXPECT_EQ(cell(QStringLiteral("D2")), "<c r=\"D2\"><v>0</v></c>");  // Time
    for (const char* ref : {"C2", "E2", "G2", "H2", "I2"})
        EXPECT_TRUE(cell(QLatin1String(ref)).contains(QLatin1String("s=\"1\" t=\"s\""))) << ref;
    for (const char* text : {"<t>007</t>", "<t>=A1</t>", "<t>1/2</t>", "<t>10:30</t>"})
        EXPECT_TRUE(strings.contains(QLatin1String(text))) << text;
    // The text columns are formatted as text, so what is typed in stays text.
    EXPECT_TRUE(QString::fromUtf8(part(xlsx, QStringLiteral("xl/styles.xml"))).contains("numFmtId=\"49\""));
    EXPECT_TRUE(sheet.contains(
        QLatin1String("<col min=\"7\" max=\"7\" width=\"11.00\" customWidth=\"1\" style=\"1\"/>")));
}

TEST(XlsxList, EscapesKeepWhatXmlCannotHold) {
    const QString odd = QStringLiteral(
        "a\x01"
        "b\rc _x0041_ _x005F_ \xD800 end");
    const QString escaped = xlsx::escapeText(odd);
    EXPECT_EQ(escaped, "a_x0001_b_x000D_c _x005F_x0041_ _x005F_x005F_ _xD800_ end");
    EXPECT_EQ(xlsx::unescapeText(escaped), odd);
    EXPECT_EQ(xlsx::unescapeText(QStringLiteral("Line_x000A_two _x41_")), "Line\ntwo _x41_");
}

TEST(XlsxList, ForeignShapesRead) {
    // Shared strings with rich-text runs and a phonetic hint; inline strings;
    // numbers written as 7.0 and 1.6E1; a boolean; a formula's stored
    // result; cells without references, in any order, left out; a row
    // without a number; the sheet in a folder of its own.
    const QByteArray strings =
        "<si><t>Language</t></si><si><t>View</t></si><si><r><t>Top </t></r><r><rPr/><t>text</t></r></si>"
        "<si><t>Ab</t><rPh><t>ignored</t></rPh></si><si><t xml:space=\"preserve\"> 007 </t></si>";
    const QByteArray rows =
        "<row r=\"1\"><c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
        "t=\"s\"><v>1</v></c>"
        "<c r=\"D1\" t=\"inlineStr\"><is><t>Time</t></is></c><c t=\"inlineStr\"><is><t>In use</t></is></c>"
        "<c r=\"F1\" t=\"inlineStr\"><is><t>Top size</t></is></c><c r=\"G1\" t=\"str\"><f>\"Left\"&amp;\" "
        "text\"</f>"
        "<v>Left text</v></c></row>"
        "<row r=\"3\"><c r=\"A3\"><v>1.0</v></c><c r=\"B3\" t=\"n\"><v>4</v></c><c r=\"C3\" "
        "t=\"s\"><v>4</v></c>"
        "<c r=\"D3\"><v>7.0</v></c><c r=\"E3\" t=\"b\"><v>1</v></c><c r=\"F3\"><v>1.6E1</v></c></row>"
        "<row><c r=\"B4\"><v>5</v></c><c r=\"A4\"><v>1</v></c><c r=\"D4\"><v>3</v></c><c r=\"E4\" "
        "t=\"b\"><v>0</v></c><c r=\"F4\"><v>8.0</v></c><c r=\"C4\" "
        "t=\"inlineStr\"><is><r><t>x</t></r><r>"
        "<t>y</t></r></is></c><c r=\"G4\" t=\"inlineStr\"><is><t>L_x0031_</t></is></c></row>"
        "<row r=\"6\"><c r=\"A6\" s=\"3\"/><c r=\"C6\" t=\"s\"/></row>";
    auto d = defaultProject();
    const ViewListImport r =
        importViewListXlsx(*d, foreignWorkbook(rows, strings, QStringLiteral("sheets/a.xml")));
    ASSERT_TRUE(r.ok()) << r.problems.first().text().toStdString();
    EXPECT_EQ(r.rows, 2);
    const sWidok& four = widok(*d, 1, 4);
    EXPECT_EQ(ReadText(four.Gorny.Text), " 007 ");
    EXPECT_EQ(four.Time, 7);
    EXPECT_TRUE(isTrue(four.use));
    EXPECT_EQ(four.Gorny.FontSize, 16);
    EXPECT_EQ(ReadText(four.Lewy.Text), "");  // a text cell left out is empty
    const sWidok& five = widok(*d, 1, 5);
    EXPECT_EQ(ReadText(five.Gorny.Text), "xy");
    EXPECT_EQ(ReadText(five.Lewy.Text), "L1");
    EXPECT_EQ(five.Time, 3);
    EXPECT_FALSE(isTrue(five.use));
    EXPECT_EQ(five.Gorny.FontSize, 8);
}

TEST(XlsxList, DamagedOrForeignFilesAreRefusedWithTheirCause) {
    const QByteArray header =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Language</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>View</t></is></c></row>";
    QByteArray manyRows = header;
    for (int r = 2; r <= xlsx::MaxRows + 2; ++r)
        manyRows += "<row r=\"" + QByteArray::number(r) + "\"><c><v>1</v></c></row>";
    QByteArray manyCells = header;
    const QByteArray fullRow = QByteArray("<c><v>1</v></c>").repeated(xlsx::MaxColumns);
    for (int r = 2; r <= xlsx::MaxCells / xlsx::MaxColumns + 2; ++r)
        manyCells += "<row r=\"" + QByteArray::number(r) + "\">" + fullRow + "</row>";
    const QByteArray manyStrings = QByteArray("<si><t>x</t></si>").repeated(xlsx::MaxStrings + 1);
    QList<ZipEntry> ods = {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                           {QStringLiteral("content.xml"), "<x/>"}};
    QList<ZipEntry> noBook = {{QStringLiteral("word/document.xml"), "<x/>"}};
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"plain text", "Language,View\n1,1\n", "not a workbook (.xlsx)"},
        {"cut short", foreignWorkbook(header).left(300), "not a workbook (.xlsx)"},
        {"OpenDocument", writeZip(ods), "OpenDocument spreadsheet (.ods)"},
        {"another zip", writeZip(noBook), "has no workbook part"},
        {"broken XML", foreignWorkbook(header + "<row r=\"2\"><c>"), "not well-formed XML"},
        {"string out of range",
         foreignWorkbook(header + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>9</v></c></row>"),
         "cell A2 names text 9"},
        {"error cell", foreignWorkbook(header + "<row r=\"2\"><c r=\"B2\" t=\"e\"><v>#REF!</v></c></row>"),
         "cell B2 holds the error #REF!"},
        {"formula without result", foreignWorkbook(header + "<row r=\"2\"><c r=\"B2\"><f>A2+1</f></c></row>"),
         "cell B2 holds a formula without its result"},
        {"number that is none", foreignWorkbook(header + "<row r=\"2\"><c r=\"B2\"><v>x1</v></c></row>"),
         "cell B2 holds \"x1\" as a number"},
        {"cell twice",
         foreignWorkbook(header + "<row r=\"2\"><c r=\"B2\"><v>1</v></c><c r=\"B2\"><v>2</v></c></row>"),
         "cell B2 appears twice"},
        {"cell in another row", foreignWorkbook(header + "<row r=\"2\"><c r=\"B3\"><v>1</v></c></row>"),
         "cell \"B3\" in row 2"},
        {"far column", foreignWorkbook(header + "<row r=\"2\"><c r=\"IW2\"><v>1</v></c></row>"),
         "cell IW2 lies beyond column IV"},
        {"too many rows", foreignWorkbook(manyRows), "more than 4000 rows"},
        {"too large", foreignWorkbook(QByteArray(33 << 20, ' ')), "is too large"},
        {"too many cells", foreignWorkbook(manyCells), "more than 200000 cells"},
        {"too many texts", foreignWorkbook(header, manyStrings), "more than 100000 different texts"},
    };
    for (const auto& c : cases) {
        auto d = defaultProject();
        const QByteArray before = bytesOf(*d);
        const ViewListImport r = importViewListXlsx(*d, c.bytes);
        ASSERT_FALSE(r.ok()) << c.name;
        EXPECT_TRUE(r.problems.first().text().contains(QLatin1String(c.reason)))
            << c.name << ": " << r.problems.first().text().toStdString();
        EXPECT_TRUE(bytesOf(*d) == before) << c.name;
    }
}

TEST(XlsxList, RowsAreNamedByTheirNumberInTheSheet) {
    const QByteArray rows =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Language</t></is></c><c r=\"B1\" "
        "t=\"inlineStr\"><is>"
        "<t>View</t></is></c><c r=\"C1\" t=\"inlineStr\"><is><t>Left text</t></is></c></row>"
        "<row r=\"7\"><c r=\"A7\"><v>1</v></c><c r=\"B7\"><v>2</v></c><c r=\"C7\" "
        "t=\"inlineStr\"><is><t>a_x000A_b"
        "</t></is></c></row>";
    auto d = defaultProject();
    const ViewListImport r = importViewListXlsx(*d, foreignWorkbook(rows));
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_EQ(r.problems[0].text(),
              "row 7: Left text holds a line break; one line of the sign cannot show it");
}

// Files saved by a spreadsheet program from a list our export wrote (the
// project below; rows after view 4 taken out so the files stay small): saved
// again as .xlsx, and saved as .ods, opened and saved as .xlsx.
TEST(XlsxList, ListsASpreadsheetProgramSavedImportBackExactly) {
    auto d = defaultProject();
    const ViewListImport set =
        importViewList(*d,
                       "Language,View,In use,Destination,Left text,Top text,Bottom text\r\n"
                       "1,1,yes,\"=A1\",\"007\",\"1/2\",\"10:30\"\r\n"
                       "1,2,yes,\"Jan 5\",\"06\",\"1E5\",\"12.50\"\r\n"
                       "1,3,yes,\"''s-Hertogenbosch\",\"-5\",\"+48 Kraków\",\"@home ŁÓDŹ\"\r\n"
                       "1,4,yes,\"'=SUM(1;2)\",\"1\",\"  spaced  \",\"Zażółć gęślą jaźń\"\r\n");
    ASSERT_TRUE(set.ok());
    const QByteArray before = bytesOf(*d);
    for (const char* file : {"calc-resaved.xlsx", "calc-via-ods.xlsx"}) {
        const QByteArray xlsx =
            readFile(QStringLiteral(LINETINT_SOURCE_DIR "/tests/data/lists/") + QLatin1String(file));
        ASSERT_FALSE(xlsx.isEmpty()) << file;
        const ViewListImport r = importViewListXlsx(*d, xlsx);
        ASSERT_TRUE(r.ok()) << file << ": " << r.problems.first().text().toStdString();
        EXPECT_EQ(r.rows, 4) << file;
        EXPECT_TRUE(r.changes.isEmpty()) << file << ": " << r.changes.first().text().toStdString();
        EXPECT_TRUE(bytesOf(*d) == before) << file;
    }
    EXPECT_EQ(ReadText(widok(*d, 1, 3).NazwaKursu), "'s-Hertogenbosch");
    EXPECT_EQ(ReadText(widok(*d, 1, 4).NazwaKursu), "=SUM(1;2)");
}

TEST(XlsxListCli, ExportImportDryRunAndRefusal) {
    TempDir dir;
    const QString project = dir.file("depot.vmprj");
    ASSERT_EQ(runCli({"new", "-o", project}).exitCode, 0);
    const QString list = dir.file("list.xlsx");
    ASSERT_EQ(runCli({"list-export", project, "-o", list}).exitCode, 0);
    const QString out = dir.file("out.vmprj");
    const auto same = runCli({"list-import", project, list, "-o", out});
    ASSERT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_TRUE(same.out.startsWith("300 rows read, 0 views changed; project written to"));
    EXPECT_TRUE(readFile(out) == readFile(project));

    // A list the planner changed: the dry run lists it and writes nothing.
    auto d = defaultProject();
    StringToWideChar(QStringLiteral("7"), widok(*d, 1, 1).Lewy.Text);
    QString error;
    writeFile(dir.file("changed.xlsx"), exportViewListXlsx(*d, 1, error));
    const auto dry =
        runCli({"list-import", project, dir.file("changed.xlsx"), "--dry-run", "-o", dir.file("no.vmprj")});
    ASSERT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_EQ(
        dry.out,
        "Dry run: 300 rows read, 1 view would change; nothing written\n1/1 Left text: \"T1\" -> \"7\"\n");
    EXPECT_FALSE(QFileInfo::exists(dir.file("no.vmprj")));
    const auto quiet = runCli({"list-import", project, dir.file("changed.xlsx"), "--quiet", "-o", out});
    EXPECT_EQ(quiet.out, QStringLiteral("300 rows read, 1 view changed; project written to %1\n").arg(out));

    // Rows for a language that is switched off are named on stderr.
    ASSERT_EQ(runCli({"list-export", project, "--lang", "3", "-o", dir.file("three.xlsx")}).exitCode, 0);
    const auto off = runCli({"list-import", project, dir.file("three.xlsx"), "-o", out});
    EXPECT_EQ(off.exitCode, 0);
    EXPECT_TRUE(
        off.err.contains("three.xlsx: warning: language 3 \"Not set\" is switched off: the 300 rows for it "
                         "change nothing"))
        << off.err.toStdString();

    // Options and files that do not fit.
    EXPECT_EQ(runCli({"list-export", project, "--bom", "-o", list}).exitCode, 1);
    EXPECT_TRUE(
        runCli({"list-export", project, "-o", dir.file("list.ods")}).err.contains(".csv or an .xlsx"));
    const auto blocked = runCli({"list-export", project, "-o", dir.file("depot.vmprj/list.xlsx")});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(blocked.err.contains("depot.vmprj/list.xlsx: ")) << blocked.err.toStdString();
    writeFile(dir.file("fake.xlsx"), "Language,View\n1,1\n");
    writeFile(out, "keep me");
    const auto refused = runCli({"list-import", project, dir.file("fake.xlsx"), "-o", out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("not a workbook (.xlsx)")) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("nothing written"));
    EXPECT_EQ(readFile(out), "keep me");
    // A CSV list goes the same way as csv-import.
    ASSERT_EQ(runCli({"list-export", project, "-o", dir.file("list.csv")}).exitCode, 0);
    ASSERT_EQ(runCli({"csv-export", project, "-o", dir.file("plain.csv")}).exitCode, 0);
    EXPECT_TRUE(readFile(dir.file("list.csv")) == readFile(dir.file("plain.csv")));
    EXPECT_EQ(runCli({"list-import", project, dir.file("list.csv"), "-o", out}).exitCode, 0);
    EXPECT_TRUE(readFile(out) == readFile(project));
}

}  // namespace
}  // namespace lt
