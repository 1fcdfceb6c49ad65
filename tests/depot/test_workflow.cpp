// A depot's round with the command line: a destination list from a
// spreadsheet into the project, the checks, two pendrive exports and what
// the diff says changed between them.
#include "editor/document.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

TEST(Workflow, SpreadsheetListToStickAndWhatANewStickChanges) {
    TempDir dir;
    const QString base = dir.file("depot.vmprj");
    ASSERT_EQ(runCli({"new", "-o", base}).exitCode, 0);

    // A list as a spreadsheet saves it: semicolons, a byte-order mark,
    // quoted fields holding separators and quotes, a row of empty cells.
    writeFile(dir.file("list.csv"),
              "\xEF\xBB\xBF"
              "Language;View;In use;Time;Destination;Top text;Bottom text;Top font colour\r\n"
              "1;1;yes;8;\"Airport, \"\"T2\"\"\";Airport;\"via Main St; Park\";yellow\r\n"
              "1;2;yes;6;Harbour;Harbour;\"Quay 3, West\";white\r\n"
              "1;3;yes;6;Depot;Depot;Garage;white\r\n"
              ";;;;;;;\r\n"
              "1;4;yes;5;\"Old Town\";\"Old Town\";\"Market, \"\"Square\"\"\";green\r\n");
    const QString first = dir.file("first.vmprj");
    const auto imported = runCli({"csv-import", base, dir.file("list.csv"), "-o", first});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();

    // The editor opens it.
    {
        Document editor;
        ASSERT_EQ(editor.openProject(first), QString());
        EXPECT_EQ(ReadText(widok(editor.dane(), 1, 4).Dolny.Text), "Market, \"Square\"");
    }

    // The default bottom line is small enough for some letters to merge;
    // once fitted, nothing to complain about.
    const QString fitted = dir.file("fitted.vmprj");
    const auto fit = runCli({"fit", first, "-o", fitted});
    ASSERT_EQ(fit.exitCode, 0) << fit.err.toStdString();
    const auto checked = runCli({"check", fitted});
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString();

    // The first stick, and the same again: identical.
    ASSERT_EQ(runCli({"export", first, "-o", dir.file("first.bin")}).exitCode, 0);
    ASSERT_EQ(QFileInfo(dir.file("first.bin")).size(), 8388608);
    ASSERT_EQ(runCli({"export", first, "-o", dir.file("again.bin")}).exitCode, 0);
    const auto same = runCli({"diff", dir.file("first.bin"), dir.file("again.bin")});
    EXPECT_EQ(same.exitCode, 0) << same.out.toStdString();

    // A new list changes view 3's top line and view 4's time.
    writeFile(dir.file("change.csv"),
              "Language,View,Time,Top text\r\n"
              "1,3,6,Depot North\r\n"
              "1,4,9,Old Town\r\n");
    const QString second = dir.file("second.vmprj");
    ASSERT_EQ(runCli({"csv-import", first, dir.file("change.csv"), "-o", second}).exitCode, 0);
    ASSERT_EQ(runCli({"export", second, "-o", dir.file("second.bin")}).exitCode, 0);

    const auto diff = runCli({"diff", "--json", dir.file("first.bin"), dir.file("second.bin")});
    EXPECT_EQ(diff.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(diff.out.toUtf8()).object();
    EXPECT_TRUE(o["header"].toArray().isEmpty());
    const QJsonArray screens = o["screens"].toArray();
    ASSERT_EQ(screens.size(), 2) << diff.out.toStdString();
    const QJsonObject s3 = screens[0].toObject();
    const QJsonObject s4 = screens[1].toObject();
    EXPECT_EQ(s3["view"].toInt(), 3);
    EXPECT_EQ(s4["view"].toInt(), 4);
    // View 3: the top text, its measured width and its picture.
    QStringList fields;
    for (const auto& f : s3["texts"].toArray()) fields << f.toObject()["field"].toString();
    EXPECT_EQ(fields, QStringList{"top text"});
    fields.clear();
    for (const auto& f : s3["settings"].toArray()) fields << f.toObject()["field"].toString();
    EXPECT_EQ(fields, QStringList{"top TextWidth"});
    ASSERT_EQ(s3["pictures"].toArray().size(), 1);
    EXPECT_EQ(s3["pictures"].toArray()[0].toObject()["region"].toString(), "top");
    // View 4: its time alone.
    ASSERT_EQ(s4["settings"].toArray().size(), 1);
    EXPECT_EQ(s4["settings"].toArray()[0].toObject()["field"].toString(), "time");
    EXPECT_EQ(s4["settings"].toArray()[0].toObject()["after"].toString(), "9");
    EXPECT_TRUE(s4["texts"].toArray().isEmpty());
    EXPECT_TRUE(s4["pictures"].toArray().isEmpty());
}

}  // namespace
}  // namespace lt
