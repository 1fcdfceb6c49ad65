#include "editor/projectstep.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>

namespace lt {
namespace {

/// Unchanged bytes up to this many between two changed ones join the runs:
/// fewer, slightly longer runs cost less than many tiny ones.
constexpr std::size_t JoinGap = 8;

/// Navigation and the file's name: never part of a step.
struct Skip {
    std::size_t first, end;
};
constexpr Skip Skipped[] = {
    {offsetof(sDane, FileName), offsetof(sDane, FileName) + sizeof(sDane::FileName)},
    {offsetof(sDane, SelectRow), offsetof(sDane, EditRow) + sizeof(std::int32_t)},
};

bool skipped(std::size_t at) {
    for (const Skip& s : Skipped)
        if (at >= s.first && at < s.end) return true;
    return false;
}

qint64 wallClock() {
    return QDateTime::currentMSecsSinceEpoch();
}

void put(sDane& d, std::size_t offset, const QByteArray& bytes) {
    std::memcpy(reinterpret_cast<char*>(&d) + offset, bytes.constData(),
                static_cast<std::size_t>(bytes.size()));
}

}  // namespace

qint64 (*ProjectStep::now)() = wallClock;

std::vector<ByteRun> diffRuns(const std::byte* before, const std::byte* after, std::size_t size,
                              std::size_t base) {
    std::vector<ByteRun> runs;
    std::size_t i = 0;
    while (i < size) {
        // Whole equal blocks are passed over with memcmp, which is what makes
        // diffing the 6.8 MB record cheap; a block that differs is read byte
        // by byte.
        constexpr std::size_t Block = 256;
        if (i % Block == 0 && i + Block <= size && std::memcmp(before + i, after + i, Block) == 0) {
            i += Block;
            continue;
        }
        if (before[i] == after[i] || skipped(base + i)) {
            ++i;
            continue;
        }
        std::size_t end = i + 1, lastDiff = i;
        while (end < size && end - lastDiff <= JoinGap && !skipped(base + end)) {
            if (before[end] != after[end]) lastDiff = end;
            ++end;
        }
        const std::size_t len = lastDiff + 1 - i;
        runs.push_back({base + i, QByteArray(reinterpret_cast<const char*>(before + i), qsizetype(len)),
                        QByteArray(reinterpret_cast<const char*>(after + i), qsizetype(len))});
        i = lastDiff + 1;
    }
    return runs;
}

StepReach reachOf(const std::vector<ByteRun>& runs) {
    StepReach reach;
    constexpr std::size_t first = offsetof(sDane, Widok);
    constexpr std::size_t end = first + sizeof(sDane::Widok);
    for (const ByteRun& r : runs) {
        const std::size_t last = r.offset + static_cast<std::size_t>(r.before.size()) - 1;
        if (r.offset < first || last >= end) {
            reach.outsideViews = true;
            continue;
        }
        for (std::size_t at = (r.offset - first) / sizeof(sWidok); at <= (last - first) / sizeof(sWidok);
             ++at) {
            const std::pair<int, int> v{int(at / ViewCount) + 1, int(at % ViewCount) + 1};
            if (std::find(reach.views.begin(), reach.views.end(), v) == reach.views.end())
                reach.views.push_back(v);
        }
    }
    return reach;
}

ProjectStep::ProjectStep(sDane& dane, const QString& name, std::vector<ByteRun> runs, int mergeKey,
                         std::function<void(const ProjectStep&)> refresh)
    : QUndoCommand(name),
      m_dane(dane),
      m_runs(std::move(runs)),
      m_mergeKey(mergeKey),
      m_lastMs(now()),
      m_refresh(std::move(refresh)) {}

void ProjectStep::undo() {
    for (auto r = m_runs.rbegin(); r != m_runs.rend(); ++r) put(m_dane, r->offset, r->before);
    m_undone = true;
    if (m_refresh) m_refresh(*this);
}

void ProjectStep::redo() {
    // The change is in place when the step is pushed.
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    for (const ByteRun& r : m_runs) put(m_dane, r.offset, r.after);
    m_undone = false;
    if (m_refresh) m_refresh(*this);
}

bool ProjectStep::mergeWith(const QUndoCommand* other) {
    const auto* step = static_cast<const ProjectStep*>(other);
    if (m_sealed || step->m_mergeKey != m_mergeKey || step->m_lastMs - m_lastMs > 1000) return false;
    m_runs.insert(m_runs.end(), step->m_runs.begin(), step->m_runs.end());
    m_lastMs = step->m_lastMs;
    return true;
}

std::size_t ProjectStep::byteCount() const {
    // The step object and its name, then each run with its two byte arrays'
    // heads (about 32 bytes each on the heap).
    std::size_t n = sizeof(ProjectStep) + 64 + 2 * static_cast<std::size_t>(text().size());
    for (const ByteRun& r : m_runs)
        n += sizeof(ByteRun) + 2 * (32 + static_cast<std::size_t>(r.before.size()));
    return n;
}

}  // namespace lt
