#pragma once
// Autosave in the editor: while the project has unsaved changes, a copy of it
// is written to the autosave folder at every interval; at start-up the copies
// of runs that ended without closing are offered back.

#include "editor/autosave.h"

#include <QObject>

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
    TMainForm& m_main;
    Autosave m_autosave;
    QTimer* m_timer = nullptr;
};

}  // namespace lt
