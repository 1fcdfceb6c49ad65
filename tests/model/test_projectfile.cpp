#include "editor/document.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lt {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

QByteArray bytesOf(const sDane& d) { return QByteArray(reinterpret_cast<const char*>(&d), sizeof d); }

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

/// Records the screen refreshes a command asked for.
struct RecordingObserver : DocumentObserver {
    QStringList calls;
    void languagesChanged() override { calls << QStringLiteral("languages"); }
    void loadEditor() override { calls << QStringLiteral("loadEditor"); }
    void colorsRepaint() override { calls << QStringLiteral("colors"); }
    void gridsRepaint() override { calls << QStringLiteral("grids"); }
    void setViewsPanelVisible(bool v) override { calls << (v ? QStringLiteral("show") : QStringLiteral("hide")); }
    void activateFirstTab() override { calls << QStringLiteral("firstTab"); }
};

/// A project that differs from the defaults almost everywhere.
void makeDistinctive(sDane& d) {
    NewDane(d);
    StringToWideChar(QStringLiteral("Depot North"), d.ProjName);
    d.EditRow = 17;
    d.SelWidok = 2;
    d.SelectRow = 99;
    d.SelectCol = 2;
    d.LCDLevel = 7;
    d.LCDType = 3;
    d.ModuleNr = 4;
    d.ModuleType = 1;
    d.pbufY[0][3].g = 0x77;
    d.lastY = 5;
    d.Lang[0].Use = 0;  // a file written elsewhere may hold it off
    StringToWideChar(QStringLiteral("Polski"), d.Lang[1].Nazwa);
    d.Lang[1].Use = 1;
    for (int v = 1; v <= 300; v += 7) {
        sWidok& w = widok(d, 1 + v % 3, v);
        w.use = 1;
        w.Time = v % 99 + 1;
        StringToWideChar(QStringLiteral("Łódź Fabryczna %1").arg(v), w.NazwaKursu);
    }
    d.firmware[1000] = 0x5A;
    widok(d, 3, 300).pad[1] = 0x33;  // padding bytes travel unchanged
}

TEST(ProjectFile, SaveAndOpenReproduceTheProject) {
    TempDir dir;
    Document doc;
    makeDistinctive(doc.dane());
    const QString path = dir.file(QStringLiteral("north.vmprj"));
    ScriptedPrompts p;
    p.paths = {path};
    doc.Zapiszjakoprojekt1Click(p);
    EXPECT_TRUE(p.messages.isEmpty());  // Save As shows nothing
    ASSERT_EQ(QFileInfo(path).size(), 6841400);
    EXPECT_EQ(ReadText(doc.dane().FileName), path);
    const QByteArray saved = readFile(path);
    // The file holds the path the project had when it was written: none yet.
    EXPECT_EQ(reinterpret_cast<const sDane*>(saved.constData())->FileName[0], 0);

    Document other;
    RecordingObserver obs;
    other.setObserver(&obs);
    other.newDane();
    ScriptedPrompts q;
    q.answers = {true};
    q.paths = {path};
    other.Otwrzprojekt1Click(q);
    EXPECT_EQ(q.questions, QStringList{QStringLiteral("Are you sure to load new project from file ?")});
    EXPECT_TRUE(q.messages.isEmpty());
    ASSERT_EQ(q.dialogs.size(), 1);
    EXPECT_EQ(q.dialogs[0].title, QStringLiteral("Open project file"));
    EXPECT_EQ(q.dialogs[0].filter, QStringLiteral("Project file Velmora Bus (*.vmprj)|*.vmprj"));
    EXPECT_EQ(q.dialogs[0].defaultExt, QStringLiteral("*.vmprj"));
    EXPECT_EQ(q.dialogs[0].fileName, QStringLiteral("Velmora"));

    const sDane& got = other.dane();
    EXPECT_EQ(ReadText(got.FileName), path);
    EXPECT_EQ(got.SelectRow, 1);
    EXPECT_EQ(got.SelectCol, 1);
    EXPECT_EQ(got.SelWidok, 1);
    EXPECT_EQ(got.EditRow, 17);  // the panel shows view 17 of language 1
    EXPECT_TRUE(isTrue(got.Lang[0].Use));

    // Every other byte is as saved, except the text sizes that rendering
    // measures again.
    auto expectedPtr = std::make_unique<sDane>();
    sDane& expected = *expectedPtr;
    std::memcpy(&expected, saved.constData(), sizeof expected);
    std::memcpy(expected.FileName, got.FileName, sizeof expected.FileName);
    expected.SelectRow = expected.SelectCol = expected.SelWidok = 1;
    expected.Lang[0].Use = 1;
    auto actualPtr = std::make_unique<sDane>();
    sDane& actual = *actualPtr;
    std::memcpy(&actual, &got, sizeof actual);
    for (int l = 1; l <= 3; ++l)
        for (int v = 1; v <= 300; ++v)
            for (auto member : {&sWidok::Gorny, &sWidok::Dolny, &sWidok::Lewy}) {
                sScreenImage& a = widok(actual, l, v).*member;
                const sScreenImage& e = widok(expected, l, v).*member;
                a.TextWidth = e.TextWidth;
                a.TextHeight = e.TextHeight;
            }
    EXPECT_TRUE(bytesOf(actual) == bytesOf(expected));

    // The screen is refreshed in the stated order.
    const QStringList order = {QStringLiteral("hide"),   QStringLiteral("languages"), QStringLiteral("loadEditor"),
                               QStringLiteral("grids"),  QStringLiteral("colors"),    QStringLiteral("firstTab"),
                               QStringLiteral("show")};
    EXPECT_EQ(obs.calls.mid(obs.calls.indexOf(QStringLiteral("hide"))), order);
}

TEST(ProjectFile, WrongSizeOrVersionLeavesTheProjectUntouched) {
    TempDir dir;
    Document good;
    NewDane(good.dane());
    const QByteArray image = bytesOf(good.dane());

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    QByteArray v12544 = image, v12545 = image, v20000 = image;
    const std::int32_t a = 12544, b = 12545, c = 20000;
    std::memcpy(v12544.data(), &a, 4);
    std::memcpy(v12545.data(), &b, 4);
    std::memcpy(v20000.data(), &c, 4);
    const std::vector<Case> cases = {
        {"short", image.left(6841399), "Mismatch file project size !"},
        {"long", image + QByteArray(1, '\0'), "Mismatch file project size !"},
        {"empty", QByteArray(), "Mismatch file project size !"},
        {"v12544", v12544, "Mismatch project version!"},
        {"v12545", v12545, nullptr},
        {"v20000", v20000, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const QString path = dir.file(QLatin1String(k.name) + QStringLiteral(".vmprj"));
        writeFile(path, k.bytes);
        // The checks give the same verdict on the bytes in memory.
        QString memoryError;
        const ProjectRead::Status inMemory =
            checkProjectBytes(k.bytes.constData(), k.bytes.size(), memoryError);
        EXPECT_EQ(inMemory == ProjectRead::Ok, k.message == nullptr);
        EXPECT_EQ(memoryError, k.message ? QLatin1String(k.message) : QLatin1String());
        Document doc;
        makeDistinctive(doc.dane());
        StringToWideChar(QStringLiteral("before"), doc.dane().FileName);
        const QByteArray before = bytesOf(doc.dane());
        RecordingObserver obs;
        doc.setObserver(&obs);
        ScriptedPrompts p;
        p.answers = {true};
        p.paths = {path};
        doc.Otwrzprojekt1Click(p);
        if (k.message) {
            EXPECT_EQ(p.messages, QStringList{QLatin1String(k.message)});
            EXPECT_TRUE(bytesOf(doc.dane()) == before);
            EXPECT_EQ(obs.calls, (QStringList{QStringLiteral("hide"), QStringLiteral("show")}));
        } else {
            EXPECT_TRUE(p.messages.isEmpty());
            EXPECT_EQ(ReadText(doc.dane().FileName), path);
        }
    }
}

TEST(ProjectFile, AnyBytesOfTheRightSizeOpenSafely) {
    TempDir dir;
    QByteArray junk(6841400, '\xA7');
    const std::int32_t v = 0x7FFFFFFF;
    std::memcpy(junk.data(), &v, 4);
    const QString path = dir.file(QStringLiteral("junk.vmprj"));
    writeFile(path, junk);
    Document doc;
    EXPECT_TRUE(doc.openProject(path).isEmpty());
    // An edited view outside the project opens on view 1; names without a
    // terminator read to the end of their arrays.
    EXPECT_EQ(doc.dane().EditRow, 1);
    EXPECT_EQ(ReadText(doc.dane().ProjName).size(), 128);
    EXPECT_EQ(ReadText(doc.dane().Lang[1].Nazwa).size(), 31);  // applied as the dialog's OK stores it
}

TEST(ProjectFile, NoAnswersAndCancelsChangeNothing) {
    TempDir dir;
    Document doc;
    makeDistinctive(doc.dane());
    const QByteArray before = bytesOf(doc.dane());
    const QString path = dir.file(QStringLiteral("x.vmprj"));

    ScriptedPrompts no;  // answers No to every question, cancels every dialog
    doc.Nowy1Click(no);
    doc.Otwrzprojekt1Click(no);
    EXPECT_EQ(no.questions, (QStringList{QStringLiteral("Are you sure to create a new project ?"),
                                         QStringLiteral("Are you sure to load new project from file ?")}));
    EXPECT_TRUE(no.dialogs.isEmpty());

    ScriptedPrompts cancel;
    cancel.answers = {true};
    doc.Otwrzprojekt1Click(cancel);  // Yes, then the dialog is cancelled
    doc.Zapiszjakoprojekt1Click(cancel);
    doc.Zapiszprojekt1Click(cancel);  // no file name yet: Save As, cancelled
    EXPECT_EQ(cancel.dialogs.size(), 3);
    EXPECT_TRUE(cancel.messages.isEmpty());
    EXPECT_TRUE(bytesOf(doc.dane()) == before);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(ProjectFile, SaveVersusSaveAs) {
    TempDir dir;
    Document doc;
    RecordingObserver obs;
    doc.setObserver(&obs);
    ScriptedPrompts p;
    p.answers = {true};
    doc.Nowy1Click(p);
    EXPECT_EQ(obs.calls, (QStringList{QStringLiteral("hide"), QStringLiteral("languages"), QStringLiteral("grids"),
                                      QStringLiteral("loadEditor"), QStringLiteral("colors"),
                                      QStringLiteral("show")}));
    EXPECT_EQ(doc.dane().FileName[0], 0);

    // Save of a project that was never saved is Save As: a dialog, no message.
    const QString first = dir.file(QStringLiteral("first.vmprj"));
    p.paths = {first};
    doc.Zapiszprojekt1Click(p);
    EXPECT_TRUE(p.messages.isEmpty());
    ASSERT_EQ(p.dialogs.size(), 1);
    EXPECT_EQ(p.dialogs[0].title, QStringLiteral("Save project file"));
    EXPECT_EQ(p.dialogs[0].filter, QStringLiteral("Project file (*.vmprj)|*.vmprj"));
    EXPECT_TRUE(p.dialogs[0].confirmOverwrite);
    EXPECT_EQ(QFileInfo(first).size(), 6841400);

    // Save writes to the path of the last Save As and says so.
    const QString second = dir.file(QStringLiteral("second.vmprj"));
    p.paths = {second};
    doc.Zapiszjakoprojekt1Click(p);
    StringToWideChar(QStringLiteral("renamed"), doc.dane().ProjName);
    doc.Zapiszprojekt1Click(p);
    EXPECT_EQ(p.messages, QStringList{QStringLiteral("Project saved as: ") + second});
    EXPECT_EQ(p.dialogs.size(), 2);
    const QByteArray onDisk = readFile(second);
    EXPECT_EQ(ReadText(reinterpret_cast<const sDane*>(onDisk.constData())->ProjName), QStringLiteral("renamed"));
    EXPECT_EQ(ReadText(reinterpret_cast<const sDane*>(onDisk.constData())->FileName), second);
}

TEST(ProjectFile, FailedWritesKeepTheOldFileAndTheFileName) {
    TempDir dir;
    Document doc;
    NewDane(doc.dane());
    const QString good = dir.file(QStringLiteral("good.vmprj"));
    ScriptedPrompts p;
    p.paths = {good};
    doc.Zapiszjakoprojekt1Click(p);
    const QByteArray oldBytes = readFile(good);
    ASSERT_EQ(oldBytes.size(), 6841400);

    // A folder where the file should be, a folder under a regular file, and
    // a full device: each reports the system's error and loses nothing.
    QDir(dir.path()).mkdir(QStringLiteral("folder.vmprj"));
    const QStringList targets = {dir.file(QStringLiteral("folder.vmprj")), good + QStringLiteral("/inside.vmprj"),
                                 QStringLiteral("/dev/full")};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        StringToWideChar(QStringLiteral("changed"), doc.dane().ProjName);
        ScriptedPrompts q;
        q.paths = {target};
        doc.Zapiszjakoprojekt1Click(q);
        ASSERT_EQ(q.messages.size(), 1);
        EXPECT_FALSE(q.messages[0].isEmpty());
        EXPECT_EQ(ReadText(doc.dane().FileName), good);  // Save As keeps the old name
        EXPECT_TRUE(readFile(good) == oldBytes);
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists() && !QFileInfo(QStringLiteral("/dev/full")).isFile());

    // Save to a project file that became unwritable: message, no success text.
    QFile::remove(good);
    QDir(dir.path()).mkdir(QStringLiteral("good.vmprj"));
    ScriptedPrompts s;
    doc.Zapiszprojekt1Click(s);
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_FALSE(s.messages[0].startsWith(QStringLiteral("Project saved as: ")));
}

TEST(ProjectFile, LongPathsAreSavedWhereTheUserChose) {
    TempDir dir;
    QString folder = dir.path();
    while (folder.size() < 300) folder += QStringLiteral("/a-rather-long-folder-name-for-the-depot");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/project.vmprj");
    Document doc;
    NewDane(doc.dane());
    ScriptedPrompts p;
    p.paths = {path};
    doc.Zapiszjakoprojekt1Click(p);
    EXPECT_EQ(ReadText(doc.dane().FileName), path.left(255));
    QFile::remove(path);
    doc.Zapiszprojekt1Click(p);
    EXPECT_EQ(p.messages, QStringList{QStringLiteral("Project saved as: ") + path});
    EXPECT_EQ(QFileInfo(path).size(), 6841400);
}

}  // namespace
}  // namespace lt
