#pragma once
// Autosave: while the project has unsaved changes the editor keeps a copy of
// it in the user's application data folder, so that a run that ends without
// closing (a crash, a killed process, a power cut) loses nothing. Each run
// owns one copy, named after the run, and holds a lock file beside it for as
// long as it lives; a copy whose lock no living run holds is a leftover that
// the next start offers to restore.

#include "model/records.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class QLockFile;

namespace lt {

/// How often the copy is written: every minute, or every
/// LINETINT_AUTOSAVE_MS milliseconds when that variable holds a positive
/// number (tests shorten it).
int autosaveInterval();

/// A copy left by a run that ended without removing it.
struct AutosaveCopy {
    QString id;           // the run that wrote it
    QString copyPath;     // the copy itself: a project file that Open reads
    QString projectPath;  // the file the project belonged to; empty when it had none
    QDateTime savedAt;    // when the copy was written
};

class Autosave {
public:
    /// Copies live in `folder`; by default the user's application data
    /// folder followed by "/autosave".
    explicit Autosave(const QString& folder = defaultFolder());
    /// The end of a run that closed cleanly: its copy goes, and every
    /// leftover it claimed stays for a later start.
    ~Autosave();
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;

    static QString defaultFolder();
    QString folder() const { return m_folder; }
    /// This run's copy and its side file (which names the project's file and
    /// the time).
    QString copyPath() const;
    QString sidePath() const;

    /// Whether the project holds changes its file does not. Becoming clean
    /// (saved, discarded, a new or opened project) removes this run's copy.
    void setModified(bool modified);
    bool isModified() const { return m_modified; }

    /// Writes this run's copy when there are unsaved changes; an empty string
    /// when it did (or had nothing to do), else the reason it could not.
    /// A failure leaves the previous copy as it was.
    QString writeIfModified(const sDane& dane, const QString& projectPath);
    /// Writes this run's copy, replacing the previous one in one step.
    QString write(const sDane& dane, const QString& projectPath);
    /// Removes this run's copy.
    void removeOwn();

    /// The copies of runs that are no longer alive, newest first. Each is
    /// claimed by this run (a second editor started at the same time does not
    /// see it) until it is released or discarded.
    std::vector<AutosaveCopy> claimLeftovers();
    /// Leaves a claimed copy for a later start (the operator did not decide).
    void release(const AutosaveCopy& copy);
    /// Removes a claimed copy (the operator discarded it, or it was restored).
    void discard(const AutosaveCopy& copy);

private:
    QString pathOf(const QString& id, const char* suffix) const;

    QString m_folder;
    QString m_id;
    bool m_modified = false;
    std::unique_ptr<QLockFile> m_lock;                       // held while this run has a copy
    std::map<QString, std::unique_ptr<QLockFile>> m_claims;  // leftovers being decided on
};

}  // namespace lt
