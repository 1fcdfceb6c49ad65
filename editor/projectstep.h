#pragma once
// One undoable change of the project: the runs of bytes of `Dane` that the
// change altered, each with the bytes before and after it. A step holds only
// what differs, so a keystroke costs a few bytes and a whole-project command
// (fit, an import, recover) the runs it really changed.

#include "model/records.h"

#include <QByteArray>
#include <QString>
#include <QUndoCommand>

#include <cstddef>
#include <functional>
#include <vector>

namespace lt {

/// A run of changed bytes at `offset` of the project record.
struct ByteRun {
    std::size_t offset = 0;
    QByteArray before;
    QByteArray after;
};

/// The runs in which `after` differs from `before` (both `size` bytes, taken
/// at `base` of the record), leaving out the navigation fields (the grid's
/// selection and the edited view number) and the file name, which are not
/// edits. Runs closer than a few bytes are joined.
std::vector<ByteRun> diffRuns(const std::byte* before, const std::byte* after, std::size_t size,
                              std::size_t base);

/// The views (language, view) that `runs` touch, and whether anything outside
/// the views changed too.
struct StepReach {
    std::vector<std::pair<int, int>> views;
    bool outsideViews = false;
};
StepReach reachOf(const std::vector<ByteRun>& runs);

/// The undo step of one change. Its runs are applied in order on redo and
/// undone in reverse order on undo; `refresh` then redraws what they touched.
class ProjectStep : public QUndoCommand {
public:
    /// `mergeKey`: steps with the same nonzero key that follow each other
    /// within one second become one (the keystrokes of one text field).
    ProjectStep(sDane& dane, const QString& name, std::vector<ByteRun> runs, int mergeKey,
                std::function<void(const ProjectStep&)> refresh);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeKey == 0 ? -1 : m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override;

    /// No later step merges into this one (the text field lost the focus).
    void seal() { m_sealed = true; }
    const std::vector<ByteRun>& runs() const { return m_runs; }
    /// Bytes held by the step's runs.
    std::size_t byteCount() const;
    /// The file path before and after, for the steps that changed it (a
    /// recovered project has none).
    QString pathBefore, pathAfter;
    bool changesPath = false;
    bool undone() const { return m_undone; }

    /// The clock that decides whether keystrokes are a second apart, in
    /// milliseconds; tests replace it.
    static qint64 (*now)();

private:
    sDane& m_dane;
    std::vector<ByteRun> m_runs;
    int m_mergeKey;
    qint64 m_lastMs;
    bool m_sealed = false;
    bool m_firstRedo = true;
    bool m_undone = false;
    std::function<void(const ProjectStep&)> m_refresh;
};

}  // namespace lt
