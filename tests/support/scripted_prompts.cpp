#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUuid>

#include <gtest/gtest.h>

namespace lt::test {

bool ScriptedPrompts::confirm(const QString& question) {
    questions << question;
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

SaveChoice ScriptedPrompts::askSaveChanges(const QString& question) {
    saveQuestions << question;
    if (saveChoices.empty()) return SaveChoice::Cancel;
    const SaveChoice a = saveChoices.front();
    saveChoices.pop_front();
    return a;
}

void ScriptedPrompts::message(const QString& text) {
    messages << text;
}
void ScriptedPrompts::warning(const QString& text) {
    messages << text;
    warnings << text;
}
void ScriptedPrompts::note(const QString& text) {
    messages << text;
    notes << text;
}

QString ScriptedPrompts::openFile(const FileDialogSpec& request) {
    dialogs << request;
    if (paths.empty()) return QString();
    const QString p = paths.front();
    paths.pop_front();
    return p;
}

QString ScriptedPrompts::saveFile(const FileDialogSpec& request) {
    return openFile(request);
}

bool ScriptedPrompts::reviewChanges(const QString& summary, const QStringList& changes) {
    reviewed.append(QStringList{summary} + changes);
    if (reviews.empty()) return true;
    const bool apply = reviews.front();
    reviews.pop_front();
    return apply;
}

TempDir::TempDir() {
    m_path =
        QDir::tempPath() + QStringLiteral("/linetint-test-") + QUuid::createUuid().toString(QUuid::Id128);
    QDir().mkpath(m_path);
}

TempDir::~TempDir() {
    QDir(m_path).removeRecursively();
}

CliResult runCli(const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start(QStringLiteral(LINETINT_CLI_PATH), args);
    CliResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace lt::test
