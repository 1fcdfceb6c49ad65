#pragma once
// Prompts that answer from a script and record what was asked, so a test can
// run any command and check every question and message it produced.

#include "model/prompts.h"

#include <QStringList>

#include <deque>

namespace lt::test {

class ScriptedPrompts : public Prompts {
public:
    std::deque<bool> answers;       // confirm() answers, in order; empty: No
    std::deque<QString> paths;      // openFile()/saveFile() answers; empty: cancel
    QStringList questions;          // every confirm() text
    QStringList messages;           // every message() and warning() text
    QStringList warnings;           // the texts shown with a warning icon
    QStringList notes;              // the routine confirmations (also in messages)
    QList<FileDialogSpec> dialogs;  // every dialog shown
    std::deque<bool> reviews;       // reviewChanges() answers; empty: Apply
    QList<QStringList> reviewed;    // every list of changes shown, its summary first
    std::deque<SaveChoice> saveChoices;  // askSaveChanges() answers; empty: Cancel
    QStringList saveQuestions;           // every askSaveChanges() text

    bool confirm(const QString& question) override;
    void message(const QString& text) override;
    void warning(const QString& text) override;
    void note(const QString& text) override;
    SaveChoice askSaveChanges(const QString& question) override;
    QString openFile(const FileDialogSpec& request) override;
    QString saveFile(const FileDialogSpec& request) override;
    bool reviewChanges(const QString& summary, const QStringList& changes) override;
};

/// A fresh, empty folder for one test, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    QString path() const { return m_path; }
    QString file(const QString& name) const { return m_path + QLatin1Char('/') + name; }

private:
    QString m_path;
};

/// Runs linetint-cli with the arguments; returns its exit code and output.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};
CliResult runCli(const QStringList& args, int timeoutMs = 120000);

/// The whole content of a file; empty when it cannot be read.
QByteArray fileContent(const QString& path);
/// Makes a file holding exactly `bytes` (a test failure when it cannot).
void putFile(const QString& path, const QByteArray& bytes = QByteArray());

}  // namespace lt::test
