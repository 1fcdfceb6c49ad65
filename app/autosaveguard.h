#pragma once
// Autosave in the editor: while the project has unsaved changes, a copy of it
// is written to the autosave folder at every interval; at start-up the copies
// of runs that ended without closing are offered back.

#include "editor/autosave.h"

#include <QObject>

#include <memory>

class QTimer;

namespace lt {

class TMainForm;

class AutosaveGuard : public QObject {
    Q_OBJECT
public:
    /// Starts the timer of the main window's project (autosaveInterval()).
    explicit AutosaveGuard(TMainForm& main, const QString& folder = Autosave::defaultFolder());
    /// A clean end of the run: this run's copy goes.
    ~AutosaveGuard() override;

    Autosave& autosave() { return m_autosave; }

    /// The timer's work: writes the copy while there are unsaved changes and
    /// removes it once there are none. A copy that cannot be written is left
    /// quietly: the operator's project is never touched by it.
    void tick();

    /// Offers the copies of runs that ended without closing, newest first,
    /// until one is restored. Yes puts the project back as it was, with its
    /// file name and marked as having unsaved changes; No removes the copy;
    /// Cancel keeps it for the next start.
    void offerRestore();

private:
    // --- Unsaved changes, until the document keeps them itself ---------------
    // Today nothing in the document tells of an edit, so the project is
    // compared with the one its file holds: a copy of the project is taken
    // whenever it matches its file (after New, Open, Save, Save As), and the
    // project is "modified" while it differs from that copy, the selection of
    // views and the movements playing aside. Once the document has an undo stack this adapter goes:
    // its clean state drives Autosave::setModified.
    bool projectModified();
    void fileChanged();
    void afterReplace();
    void afterSave();
    void afterRecover();
    void takeReference();
    std::unique_ptr<sDane> m_reference;  // the project as its file holds it; null: no such moment yet
    std::unique_ptr<sDane> m_scratch;    // the project now, compared with it
    bool m_referencePending = false;

    TMainForm& m_main;
    Autosave m_autosave;
    QTimer* m_timer = nullptr;
};

}  // namespace lt
