#include "depot/fit.h"

#include "depot/checks.h"
#include "depot/legiblefit.h"
#include "depot/viewlist.h"
#include "render/animation.h"
#include "render/text.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace lt {
namespace {

// The speed given to a text made to move: 25 steps of one LED a second, so
// a letter of 6 to 9 LEDs passes about three times a second and the 128
// columns of the sign in five seconds, about the pace of reading aloud.
constexpr int ReadableSpeed = 25;

// The smallest size the editor offers; below the floor a text is made this
// small only when nothing else fits at all.
constexpr int SmallestSize = limits::FontSize.min;

constexpr int BarXMin = limits::BarX.min, BarXMax = limits::BarX.max;
constexpr int BarYMin = limits::BarY.min, BarYMax = limits::BarY.max;
// The editor's ranges of a region's origin.
constexpr int XMin = limits::X.min, XMax = limits::X.max;
constexpr int YMin = limits::Y.min, YMax = limits::Y.max;

bool shows(const sWidok& w, Region r) {
    const RegionWindow win = regionWindow(w, r);
    return win.width > 0 && win.height > 0;
}

/// The face the font engine draws a family with.
QString drawnFace(const QString& family) {
    return drawnFamily(family);
}

/// One way of drawing a region's text, tried in turn.
struct Candidate {
    QString face;
    int size = 0;
    int movement = 0;
    bool restyled = false;  // face or size differ from the operator's: centre the text vertically
};

/// Where a text may be put along one axis: origins a with [lo + a, hi + a]
/// inside 0..limit-1 and a within the editor's range. Keeps the current
/// origin when it is allowed, else the nearest allowed one, or the middle of
/// the allowed ones when centring.
std::optional<int> place(int lo, int hi, int limit, int current, bool centre, int minOrigin, int maxOrigin) {
    const int a = std::max(-lo, minOrigin);
    const int b = std::min(limit - 1 - hi, maxOrigin);
    if (a > b) return std::nullopt;
    if (centre) return a + (b - a) / 2;
    return std::clamp(current, a, b);
}

InkBox shifted(InkBox ink, int dx, int dy) {
    ink.left += dx;
    ink.right += dx;
    ink.top += dy;
    ink.bottom += dy;
    return ink;
}

int inkWidth(const InkBox& b) {
    return b.empty ? 0 : b.right - b.left + 1;
}
int inkHeight(const InkBox& b) {
    return b.empty ? 0 : b.bottom - b.top + 1;
}

class Fitter {
public:
    /// Fits the shown regions of one view; returns what changed.
    QList<FitChange> fit(sWidok& w, int lang, int view) {
        const sWidok before = w;
        m_widenLeft = true;
        if (!fitRegions(w)) return {};
        // Widening the left box keeps the left text's size but takes columns
        // from the lines beside it; when that made one of them move, a
        // smaller left text that leaves them standing is preferred.
        if (w.BarX > before.BarX && madeToMove(before, w) > 0) {
            sWidok narrower = before;
            m_widenLeft = false;
            fitRegions(narrower);
            if (madeToMove(before, narrower) < madeToMove(before, w)) w = narrower;
        }
        return fitChanges(before, w, lang, view);
    }

private:
    /// Fits the regions that do not fit; false when all of them did.
    bool fitRegions(sWidok& w) {
        bool any = false;
        for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
            if (!shows(w, r) || fits(w, r)) continue;
            any = true;
            fitRegion(w, r, true);
        }
        if (!any) return false;
        // A moved split may have taken room from a region fitted before it.
        for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
            if (shows(w, r) && !fits(w, r)) fitRegion(w, r, false);
        }
        return true;
    }

    /// How many regions the fitting set moving that stood before.
    static int madeToMove(const sWidok& before, const sWidok& after) {
        int n = 0;
        for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny})
            n += regionOf(before, r).Ruch != regionOf(after, r).Ruch;
        return n;
    }

    /// The ink of a region where its origin puts it; the same as regionInk
    /// gives, since the ink only moves with the origin.
    InkBox inkOf(const sScreenImage& s) {
        const InkBox ink = inkAtOrigin(s);
        return ink.empty ? ink : shifted(ink, s.X, s.Y);
    }

    /// Whether region r of w fits as the checks judge it.
    bool fits(const sWidok& w, Region r) {
        const sScreenImage& s = regionOf(w, r);
        return judgeLayout(inkOf(s), s, r, regionWindow(w, r)).fits();
    }

    /// The ink of a region drawn with its origin at 0, 0, remembered for
    /// the run.
    static InkBox inkAtOrigin(const sScreenImage& s) { return lt::inkAtOrigin(s); }

    /// The ways of drawing a region in order of preference: runs of one
    /// face and movement, each from the largest size down.
    QList<QList<Candidate>> candidates(const sScreenImage& s, Region r) const {
        const QString face = ReadText(s.FontName);
        const int size = s.FontSize;
        const int floor = std::min(size, LegibleFontSize);
        const QString narrow = narrowFace();
        const bool haveNarrow = !narrow.isEmpty() && drawnFace(narrow) != drawnFace(face);
        const int moving = movesSideways(s, r) ? s.Ruch : mvInLeft;
        QList<QList<Candidate>> runs;
        auto sizes = [&](const QString& f, int from, int to, int movement) {
            QList<Candidate> run;
            for (int z = from; z >= to; --z)
                run.append({f, z, movement, f != face || z != size || movement != s.Ruch});
            if (!run.isEmpty()) runs.append(run);
        };
        sizes(face, size, floor, s.Ruch);
        if (haveNarrow) sizes(narrow, size, floor, s.Ruch);
        if (moving != s.Ruch) {
            sizes(face, size, floor, moving);
            if (haveNarrow) sizes(narrow, size, floor, moving);
        }
        sizes(face, floor - 1, SmallestSize, s.Ruch);
        if (moving != s.Ruch) sizes(face, floor - 1, SmallestSize, moving);
        return runs;
    }

    /// Tries one way of drawing region r of w, moving the split positions
    /// when allowed and when that makes room; on success the view holds it.
    bool tryCandidate(sWidok& w, Region r, const Candidate& c, bool moveBars) {
        sScreenImage s = regionOf(w, r);
        StringToWideChar(c.face, s.FontName);
        s.FontSize = c.size;
        if (s.Ruch != c.movement) {
            s.Ruch = c.movement;
            s.Speed = ReadableSpeed;
            restartMovement(s);
        }
        const InkBox rel = inkAtOrigin(s);
        if (rel.empty) return false;

        sWidok trial = w;
        if (moveBars) moveSplit(trial, r, rel, s);
        const RegionWindow win = regionWindow(trial, r);
        const RegionWindow pic = regionPicture(r);
        const int limitW = movesSideways(s, r) ? pic.width : win.width;
        const int limitH = movesUpDown(s) ? pic.height : win.height;
        const auto x = place(rel.left, rel.right, limitW, s.X, false, XMin, XMax);
        const auto y = place(rel.top, rel.bottom, limitH, s.Y, c.restyled, YMin, YMax);
        if (!x || !y) return false;
        s.X = *x;
        s.Y = *y;
        if (!judgeLayout(shifted(rel, s.X, s.Y), s, r, win).fits()) return false;
        regionOf(trial, r) = s;
        w = trial;
        return true;
    }

    /// Moves BarX or BarY so that a text of ink `rel` gets the room it
    /// needs, within the bars' ranges and without taking from the other
    /// region of the split more than its own text needs.
    void moveSplit(sWidok& w, Region r, const InkBox& rel, const sScreenImage& s) {
        const RegionWindow win = regionWindow(w, r);
        const bool barXInRange = w.BarX >= BarXMin && w.BarX <= BarXMax;
        if (!movesSideways(s, r) && inkWidth(rel) > win.width && barXInRange && shows(w, Region::Lewy)) {
            if (r == Region::Lewy) {
                if (m_widenLeft && inkWidth(rel) <= BarXMax) w.BarX = inkWidth(rel);
            } else {
                // The left box gives up columns its own text does not use.
                const int bar = SignWidth - inkWidth(rel);
                const InkBox left = inkOf(w.Lewy);
                if (bar >= BarXMin && (left.empty || left.right < bar)) w.BarX = bar;
            }
            return;
        }
        const bool split = showsRegion(w.TypWidoku, Region::Dolny);
        if (!split || movesUpDown(s) || inkHeight(rel) <= win.height || w.BarY < BarYMin || w.BarY > BarYMax)
            return;
        if (r == Region::Gorny) {
            const int bar = inkHeight(rel);
            const int other = inkHeight(inkAtOrigin(w.Dolny));
            if (bar <= BarYMax && SignHeight - bar >= other) w.BarY = bar;
        } else if (r == Region::Dolny) {
            const int bar = SignHeight - inkHeight(rel);
            const int other = inkHeight(inkAtOrigin(w.Gorny));
            if (bar >= BarYMin && bar >= other) w.BarY = bar;
        }
    }

    bool attempt(sWidok& w, Region r, const Candidate& c, bool moveBars) {
        return tryCandidate(w, r, c, false) || (moveBars && tryCandidate(w, r, c, true));
    }

    /// Draws region r the first way that fits: in the first run that has
    /// one, the largest size that fits. The ink grows with the size, so
    /// within a run the sizes are searched by halving, after skipping those
    /// that the overshoot of the largest shows cannot fit.
    void fitRegion(sWidok& w, Region r, bool moveBars) {
        for (const QList<Candidate>& run : candidates(regionOf(w, r), r)) {
            if (attempt(w, r, run.first(), moveBars)) return;
            const qsizetype from = firstWorthTrying(w, r, run, moveBars);
            if (from >= run.size()) continue;
            sWidok best = w;
            if (!attempt(best, r, run.last(), moveBars)) continue;
            qsizetype lo = from, hi = run.size() - 1;  // hi fits
            while (lo < hi) {
                const qsizetype mid = lo + (hi - lo) / 2;
                sWidok trial = w;
                if (attempt(trial, r, run[mid], moveBars)) {
                    hi = mid;
                    best = trial;
                } else {
                    lo = mid + 1;
                }
            }
            w = best;
            return;
        }
    }

    /// The first size of a run after its largest worth trying: the size
    /// times the room over the ink of the largest, in the direction it
    /// overshoots most.
    qsizetype firstWorthTrying(const sWidok& w, Region r, const QList<Candidate>& run, bool moveBars) {
        const Candidate& c = run.first();
        const sScreenImage s = withStyle(regionOf(w, r), c);
        const InkBox ink = inkAtOrigin(s);
        if (ink.empty) return run.size();
        const RegionWindow win = regionWindow(w, r);
        const bool sideways = movesSideways(s, r), upDown = movesUpDown(s);
        int roomW = sideways ? regionPicture(r).width : win.width;
        int roomH = upDown ? regionPicture(r).height : win.height;
        if (moveBars && !sideways) {
            if (r == Region::Lewy && m_widenLeft) roomW = std::max(roomW, BarXMax);
            if (r != Region::Lewy && shows(w, Region::Lewy)) roomW = std::max(roomW, SignWidth - BarXMin);
        }
        if (moveBars && !upDown && !(isViewType(w.TypWidoku) && !showsRegion(w.TypWidoku, Region::Dolny))) {
            if (r == Region::Gorny) roomH = std::max(roomH, BarYMax);
            if (r == Region::Dolny) roomH = std::max(roomH, SignHeight - BarYMin);
        }
        std::int64_t estimate = c.size;
        if (inkWidth(ink) > roomW)
            estimate = std::min(estimate, std::int64_t{c.size} * roomW / inkWidth(ink) + 1);
        if (inkHeight(ink) > roomH)
            estimate = std::min(estimate, std::int64_t{c.size} * roomH / inkHeight(ink) + 1);
        qsizetype i = 1;
        while (i < run.size() && run[i].size > estimate) ++i;
        return i;
    }

    static sScreenImage withStyle(sScreenImage s, const Candidate& c) {
        StringToWideChar(c.face, s.FontName);
        s.FontSize = c.size;
        s.Ruch = c.movement;
        return s;
    }

    bool m_widenLeft = true;
};

LegibleFitRules legibleRules(const FitOptions& options) {
    LegibleFitRules rules;
    rules.legibility.pitchMm = options.pitchMm;
    rules.split = options.split;
    return rules;
}

/// The window fit, then the fit for a rider.
QList<FitChange> fitRecord(Fitter& fitter, sWidok& w, int l, int v, const FitOptions& options,
                           const sScreenImage* route) {
    const sWidok original = w;
    fitter.fit(w, l, v);
    fitLegibly(w, original, legibleRules(options), route);
    // Where a better drawing did not fit and the window fit stood, fitting
    // the result again may still find one; fitted until nothing changes, so
    // that fitting a fitted view changes nothing.
    for (int pass = 0; pass < 4; ++pass) {
        sWidok again = w;
        fitter.fit(again, l, v);
        fitLegibly(again, w, legibleRules(options), route);
        if (fitChanges(w, again, l, v).isEmpty()) break;
        w = again;
    }
    return fitChanges(original, w, l, v);
}

QList<FitChange> fitViews(sDane& d, const QList<QPair<int, int>>& views, const FitOptions& options) {
    Fitter fitter;
    QList<FitChange> out;
    QList<QPair<int, int>> changed;
    QHash<int, QHash<QString, sScreenImage>> routes;  // by language
    for (const auto& [l, v] : views) {
        if (!routes.contains(l)) routes.insert(l, routeDrawings(d, l, legibleRules(options)));
        sWidok& w = widok(d, l, v);
        const auto route = routes[l].constFind(routeOf(w));
        // Work on a copy so that a view whose regions all fit keeps its bytes.
        sWidok copy = w;
        const QList<FitChange> c =
            fitRecord(fitter, copy, l, v, options, route == routes[l].constEnd() ? nullptr : &route.value());
        if (c.isEmpty()) continue;
        w = copy;
        out += c;
        changed.append({l, v});
    }
    measureViews(d, changed);
    return out;
}

}  // namespace

QString FitChange::text() const {
    return QStringLiteral("%1/%2 %3: %4").arg(lang).arg(view).arg(region, what);
}

QList<FitChange> fitViewRecord(sWidok& w, int lang, int view) {
    return fitViewRecord(w, lang, view, FitOptions{}, nullptr);
}

QList<FitChange> fitViewRecord(sWidok& w, int lang, int view, const FitOptions& options,
                               const sScreenImage* route) {
    Fitter fitter;
    return fitRecord(fitter, w, lang, view, options, route);
}

QList<FitChange> fitView(sDane& d, int lang, int view) {
    return fitView(d, lang, view, FitOptions{});
}

QList<FitChange> fitView(sDane& d, int lang, int view, const FitOptions& options) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return {};
    if (!isTrue(widok(d, lang, view).use)) return {};
    return fitViews(d, {{lang, view}}, options);
}

QList<FitChange> fitProject(sDane& d, const FitOptions& options) {
    QList<QPair<int, int>> views;
    for (int l = 1; l <= LanguageCount; ++l) {
        if (options.lang != 0 && options.lang != l) continue;
        if (options.lang == 0 && l != 1 && !isTrue(d.Lang[l - 1].Use)) continue;
        for (int v = std::max(1, options.firstView); v <= std::min(ViewCount, options.lastView); ++v) {
            if (isTrue(widok(d, l, v).use)) views.append({l, v});
        }
    }
    return fitViews(d, views, options);
}

}  // namespace lt
