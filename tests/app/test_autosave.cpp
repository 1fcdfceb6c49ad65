// Autosave and crash recovery: the copy a killed editor leaves comes back at
// the next start; copies of living runs are left alone; only edits count as
// unsaved changes; a copy that cannot be written disturbs nobody.
#include "app/autosaveguard.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "editor/autosave.h"
#include "editor/document.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>

namespace lt::test {
namespace {

/// Scripted prompts that also answer the questions that may be left open.
struct DecidingPrompts : ScriptedPrompts {
    std::deque<Decision> decisions;  // empty: Later
    Decision decide(const QString& question) override {
        questions << question;
        if (decisions.empty()) return Decision::Later;
        const Decision d = decisions.front();
        decisions.pop_front();
        return d;
    }
};

/// The user's data folder pointed at a folder of the test for its duration.
struct DataHome {
    explicit DataHome(const QString& path) : m_old(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path));
    }
    ~DataHome() {
        if (m_old.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_old);
    }
    QByteArray m_old;
};

QStringList filesIn(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden);
}

void writeCopy(const QString& folder, const QString& id, const sDane& dane, const QString& side) {
    QDir().mkpath(folder);
    ASSERT_TRUE(writeProjectFile(dane, folder + "/" + id + ".vmprj").isEmpty());
    putFile(folder + "/" + id + ".autosave", side.toUtf8());
}

TEST(Autosave, AKilledEditorsWorkIsOfferedKeptUntilDecidedAndRestored) {
    TempDir home, work;
    const DataHome dataHome(home.path());
    const QString project = work.file("depot.vmprj"), expected = work.file("expected.vmprj");
    const QString folder = Autosave::defaultFolder();
    ASSERT_TRUE(folder.startsWith(home.path()));

    // The editor in a process of its own saves, edits, and is killed once
    // its copy holds the edit.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.path());
    env.insert("LINETINT_AUTOSAVE_MS", "100");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(LINETINT_AUTOSAVE_CHILD),
                {QCoreApplication::applicationName(), project, expected});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray want, copy;
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && (want.isEmpty() || copy != want)) {
        child.waitForFinished(100);
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().toStdString();
        want = fileContent(expected);
        const QStringList copies = filesIn(folder, "*.vmprj");
        copy = copies.size() == 1 ? fileContent(folder + "/" + copies[0]) : QByteArray();
    }
    ASSERT_EQ(want.size(), ProjectFileSize);
    ASSERT_EQ(copy, want);
    child.kill();  // SIGKILL: nothing of the editor runs any more
    child.waitForFinished();
    ASSERT_EQ(fileContent(project).size(), ProjectFileSize);
    EXPECT_NE(fileContent(project), want);  // the edit was never saved
    EXPECT_EQ(filesIn(folder, "*.autosave").size(), 1);

    {
        // A question closed without an answer keeps the copy.
        DecidingPrompts prompts;
        const std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
        run->autosave->offerRestore();
        ASSERT_EQ(prompts.questions.size(), 1);
        EXPECT_TRUE(prompts.questions[0].contains(QDir::toNativeSeparators(project)));
        EXPECT_TRUE(run->doc->filePath().isEmpty());
        EXPECT_EQ(filesIn(folder, "*.vmprj").size(), 1);
    }
    {
        // Yes puts the project back as it was, under its own file name, with
        // its changes still unsaved: this run now keeps the copy.
        DecidingPrompts prompts;
        prompts.decisions = {Prompts::Decision::Yes};
        const std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
        run->autosave->offerRestore();
        ASSERT_EQ(prompts.questions.size(), 1);
        EXPECT_EQ(run->doc->filePath(), project);
        // Every byte comes back; the selection of views is set as Open sets it.
        QByteArray restored(reinterpret_cast<const char*>(&run->doc->dane()), ProjectFileSize);
        const qsizetype selFrom = offsetof(sDane, SelectRow), selTo = offsetof(sDane, Widok);
        EXPECT_TRUE(restored.mid(selFrom, selTo - selFrom) != want.mid(selFrom, selTo - selFrom));
        restored.replace(selFrom, selTo - selFrom, want.mid(selFrom, selTo - selFrom));
        EXPECT_TRUE(restored == want);
        EXPECT_TRUE(run->autosave->autosave().isModified());
        EXPECT_EQ(filesIn(folder, "*.vmprj"),
                  QStringList{QFileInfo(run->autosave->autosave().copyPath()).fileName()});
        EXPECT_TRUE(prompts.warnings.isEmpty());
        EXPECT_EQ(run->doc->undoStack().undoText(), QStringLiteral("Restore autosaved copy"));

        // Save writes it to its file and the copy goes.
        run->mainForm->action("Zapiszprojekt1")->trigger();
        EXPECT_TRUE(fileContent(project) ==
                    QByteArray(reinterpret_cast<const char*>(&run->doc->dane()), ProjectFileSize));
        EXPECT_FALSE(run->autosave->autosave().isModified());
        EXPECT_TRUE(filesIn(folder, "*.vmprj").isEmpty());
    }
    EXPECT_TRUE(filesIn(folder, "*.vmprj").isEmpty());
    EXPECT_TRUE(filesIn(folder, "*.lock").isEmpty());
}

TEST(Autosave, OnlyCopiesOfEndedRunsAreOfferedAndNoDiscardsThem) {
    TempDir dir;
    const QString folder = dir.file("autosave");
    auto dane = std::make_unique<sDane>();
    std::memset(dane.get(), 0, sizeof(sDane));
    dane->Version = 12545;

    // A run that is alive keeps its copy to itself.
    Autosave living(folder);
    living.setModified(true);
    ASSERT_TRUE(living.writeIfModified(*dane, "/depot/a.vmprj").isEmpty());
    // Two runs that ended without a lock left behind; the side file of one is
    // missing (the copy's own time stands in).
    writeCopy(folder, "ended-1", *dane, "saved=2026-03-01T10:00:00.000Z\nfile=/depot/b\nc.vmprj");
    writeCopy(folder, "ended-2", *dane, "");

    {
        Autosave first(folder), second(folder);
        const std::vector<AutosaveCopy> found = first.claimLeftovers();
        ASSERT_EQ(found.size(), 2u);
        // A second editor started at the same time does not see them.
        EXPECT_TRUE(second.claimLeftovers().empty());
        const auto one = std::find_if(found.begin(), found.end(), [](auto& c) { return c.id == "ended-1"; });
        ASSERT_NE(one, found.end());
        EXPECT_EQ(one->projectPath, QStringLiteral("/depot/b\nc.vmprj"));
        EXPECT_EQ(one->savedAt, QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC));
        EXPECT_EQ(found.front().id, QStringLiteral("ended-2"));  // the newer first
        EXPECT_TRUE(found.front().projectPath.isEmpty());
        first.discard(*one);
        // ended-2 is left undecided when `first` ends.
    }
    Autosave later(folder);
    const std::vector<AutosaveCopy> found = later.claimLeftovers();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].id, QStringLiteral("ended-2"));
    EXPECT_EQ(filesIn(folder, "*.vmprj").size(), 2);  // the living run's and ended-2

    // Becoming clean removes the living run's copy.
    living.setModified(false);
    EXPECT_FALSE(QFile::exists(living.copyPath()));
    EXPECT_FALSE(QFile::exists(living.sidePath()));
}

TEST(Autosave, OnlyEditsAreUnsavedAndACopyThatCannotBeWrittenDisturbsNobody) {
    TempDir dir;
    putFile(dir.file("plain"), "not a folder");
    Document doc;
    DecidingPrompts prompts;
    TMainForm form(doc, prompts);
    AutosaveGuard guard(form, dir.file("autosave")), blocked(form, dir.file("plain/autosave"));
    const QString copy = guard.autosave().copyPath();

    // Looking at other views and playing movements change nothing.
    doc.dane().SelectRow = doc.dane().EditRow = 7;
    doc.edited().Gorny.AnimX = -40;
    doc.edited().Dolny.Direction = -1;
    guard.tick();
    EXPECT_FALSE(guard.autosave().isModified());
    EXPECT_FALSE(QFile::exists(copy));

    doc.setProjectName(QStringLiteral("Depot Nord"));
    const QByteArray edited(reinterpret_cast<const char*>(&doc.dane()), ProjectFileSize);
    guard.tick();
    blocked.tick();
    EXPECT_EQ(fileContent(copy), edited);
    EXPECT_TRUE(blocked.autosave().isModified());
    EXPECT_FALSE(blocked.autosave().write(doc.dane(), QString()).isEmpty());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&doc.dane()), ProjectFileSize), edited);
    EXPECT_TRUE(prompts.messages.isEmpty());
    blocked.offerRestore();  // nothing to offer from a folder that cannot exist
    EXPECT_TRUE(prompts.questions.isEmpty());

    // Save As counts as saved, though it names the file inside only after
    // writing it; the copy goes.
    prompts.paths = {dir.file("depot.vmprj")};
    form.action("Zapiszjakoprojekt1")->trigger();
    EXPECT_FALSE(guard.autosave().isModified());
    EXPECT_FALSE(QFile::exists(copy));
}

}  // namespace
}  // namespace lt::test
