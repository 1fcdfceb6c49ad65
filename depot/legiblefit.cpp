#include "depot/legiblefit.h"

#include "depot/checks.h"
#include "model/sign.h"
#include "render/animation.h"
#include "render/preview.h"

#include <QFontInfo>

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>

namespace lt {
namespace {

constexpr int SignW = 128;
constexpr int SignH = 32;
constexpr int BarXMin = 16, BarXMax = 64;
constexpr int BarYMin = 12, BarYMax = 24;
constexpr int LongestTime = 99;
// The speed a text made to move gets: 25 LEDs a second, about the pace of
// reading aloud.
constexpr int ReadableSpeed = 25;

bool shows(const sWidok& w, Region r) {
    const RegionWindow win = regionWindow(w, r);
    return win.width > 0 && win.height > 0;
}

bool hasText(const sScreenImage& s) {
    return !ReadText(s.Text).trimmed().isEmpty();
}

int width(const InkBox& b) {
    return b.empty ? 0 : b.right - b.left + 1;
}
int height(const InkBox& b) {
    return b.empty ? 0 : b.bottom - b.top + 1;
}

/// Whether region r of w fits its window, as the checks judge it.
RegionLayout layoutOf(const sWidok& w, Region r) {
    const sScreenImage& s = regionOf(w, r);
    return judgeLayout(inkAt(s), s, r, regionWindow(w, r));
}

/// The region drawn with another face and size, standing.
sScreenImage restyled(sScreenImage s, const QString& face, int size) {
    StringToWideChar(face, s.FontName);
    s.FontSize = size;
    if (s.Ruch != mvNone) {
        s.Ruch = mvNone;
        restartMovement(s);
    }
    return s;
}

}  // namespace

QString narrowFace() {
    static const QString face = [] {
        for (const char* name : {"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow"})
            if (fontInstalled(QLatin1String(name))) return QString::fromLatin1(name);
        return QString();
    }();
    return face;
}

QString drawnFamily(const QString& family) {
    static std::mutex mutex;
    static QHash<QString, QString> known;
    const std::lock_guard lock(mutex);
    const auto it = known.constFind(family);
    if (it != known.constEnd()) return it.value();
    return known.insert(family, QFontInfo(QFont(family)).family()).value();
}

namespace {

/// The faces to try: the operator's first, then the narrow face, or, for an
/// operator's narrow face whose letters run together, the regular one.
QStringList faces(const sScreenImage& s) {
    QStringList out{ReadText(s.FontName)};
    const QString narrow = narrowFace();
    if (narrow.isEmpty()) return out;
    const QString drawn = drawnFamily(out.first());
    if (drawnFamily(narrow) != drawn)
        out << narrow;
    else if (fontInstalled(QStringLiteral("Arial")))
        out << QStringLiteral("Arial");
    return out;
}

/// Whether a region of w reads as it stands: it fits its window, its
/// capitals reach the floor and its letters stay apart.
bool reads(const sWidok& w, Region r, const LegibleFitRules& rules) {
    const sScreenImage& s = regionOf(w, r);
    if (!layoutOf(w, r).fits()) return false;
    if (capitalHeight(s) < capitalFloor(r, rules.legibility)) return false;
    return mergedLetters(s).isEmpty();
}

/// Whether region r of w can stay as the window fit left it: it reads, and it
/// was not made to move there (moving is the last resort, after a smaller
/// size, a narrow face and two lines).
bool keeps(const sWidok& w, const sWidok& original, Region r, const LegibleFitRules& rules) {
    const bool madeToMove = regionOf(w, r).Ruch != mvNone && regionOf(original, r).Ruch == mvNone;
    return !madeToMove && reads(w, r, rules);
}

/// A standing drawing of s with the largest size from s's own down to the
/// floor, in the operator's face and then the narrow one, whose ink fits
/// maxW x maxH with its letters apart.
std::optional<sScreenImage> largestStanding(const sScreenImage& s, Region r, int maxW, int maxH,
                                            const LegibilityRules& rules) {
    const int floor = capitalFloor(r, rules);
    auto goes = [&](const sScreenImage& c) {
        const InkBox ink = inkAtOrigin(c);
        return !ink.empty && width(ink) <= maxW && height(ink) <= maxH && mergedLetters(c).isEmpty();
    };
    for (const QString& face : faces(s)) {
        for (int size = s.FontSize; size >= 4; --size) {
            const sScreenImage c = restyled(s, face, size);
            if (capitalHeight(c) < floor) break;
            if (goes(c)) return c;
            // The ink grows with the size: sizes above the one the overshoot
            // points to, with two to spare for hinting, cannot fit either.
            const InkBox ink = inkAtOrigin(c);
            if (ink.empty) continue;
            int estimate = size;
            if (width(ink) > maxW) estimate = std::min(estimate, size * maxW / width(ink) + 2);
            if (height(ink) > maxH) estimate = std::min(estimate, size * maxH / height(ink) + 2);
            if (estimate < size - 1) size = estimate + 1;
        }
    }
    // Small letters that run together may stand apart a size or two up.
    for (const QString& face : faces(s)) {
        for (int size = s.FontSize + 1; size <= 32; ++size) {
            const sScreenImage c = restyled(s, face, size);
            if (capitalHeight(c) < floor) continue;
            const InkBox ink = inkAtOrigin(c);
            if (ink.empty || width(ink) > maxW || height(ink) > maxH) break;
            if (goes(c)) return c;
        }
    }
    return std::nullopt;
}

/// The rows the smallest drawing of s that reads needs: at its floor with
/// letters apart, in any of the faces tried.
int smallestHeight(const sScreenImage& s, Region r, const LegibilityRules& rules) {
    const int floor = capitalFloor(r, rules);
    int best = SignH;
    for (const QString& face : faces(s)) {
        for (int size = 4; size <= 32; ++size) {
            const sScreenImage c = restyled(s, face, size);
            if (capitalHeight(c) < floor || !mergedLetters(c).isEmpty()) continue;
            best = std::min(best, height(inkAtOrigin(c)));
            break;
        }
    }
    return best;
}

/// Places a standing text horizontally in a window of `room` columns from
/// column `from`: where its origin already puts it when that is inside, else
/// as near as can be.
void placeX(sScreenImage& s, int from, int room) {
    const InkBox ink = inkAtOrigin(s);
    if (ink.empty) return;
    const int lo = from - ink.left;
    const int hi = room - 1 - ink.right;
    s.X = lo > hi ? lo : std::clamp(s.X, lo, hi);
}

/// Centres a text vertically in rows [from, from + rows).
void centreY(sScreenImage& s, int from, int rows) {
    const InkBox ink = inkAtOrigin(s);
    if (ink.empty) return;
    s.Y = from + (rows - height(ink)) / 2 - ink.top;
}

/// The left box: the route's drawing, an unlit column at its right edge.
void fitLeft(sWidok& w, const sWidok& original, const LegibleFitRules& rules, const sScreenImage* route) {
    sScreenImage s = route ? *route : original.Lewy;
    if (route) {
        // The route's drawing with this view's own colours and text.
        s.FontColor = original.Lewy.FontColor;
        s.BackColor = original.Lewy.BackColor;
        s.Alias = original.Lewy.Alias;
        std::memcpy(s.Text, original.Lewy.Text, sizeof s.Text);
    }
    const auto drawn = route ? std::optional<sScreenImage>(s)
                             : largestStanding(s, Region::Lewy, BarXMax - 1, SignH, rules.legibility);
    if (!drawn) return;
    sScreenImage c = *drawn;
    const InkBox ink = inkAtOrigin(c);
    if (ink.empty || width(ink) + 1 > BarXMax) return;
    const bool sameDrawing = ReadText(c.FontName) == ReadText(w.Lewy.FontName) &&
                             c.FontSize == w.Lewy.FontSize && c.Ruch == w.Lewy.Ruch;
    if (sameDrawing && layoutOf(w, Region::Lewy).fits() && layoutOf(w, Region::Lewy).ink.right <= w.BarX - 2)
        return;
    w.BarX = std::clamp(std::max(w.BarX, width(ink) + 1), BarXMin, BarXMax);
    // Centred in the columns before the unlit one.
    c.X = (w.BarX - 1 - width(ink)) / 2 - ink.left;
    centreY(c, 0, SignH);
    w.Lewy = c;
}

/// Narrows the left box to what its route number needs, with its unlit
/// column, so that the lines beside it get the rest.
void narrowLeftBox(sWidok& w) {
    if (!shows(w, Region::Lewy) || !hasText(w.Lewy) || w.Lewy.Ruch != mvNone) return;
    const InkBox ink = inkAtOrigin(w.Lewy);
    const int bar = std::max(BarXMin, width(ink) + 1);
    if (ink.empty || bar >= w.BarX || w.BarX > BarXMax) return;
    w.BarX = bar;
    w.Lewy.X = (bar - 1 - width(ink)) / 2 - ink.left;
}

/// Breaks a text at the space that makes the longer of its two lines
/// shortest and fits both in `room` columns; false when no space does.
/// `least` is given the least width the longer line of any break can have
/// (0 when the text has no space to break at).
bool bestBreak(const sScreenImage& s, int room, QString& first, QString& second, int& least) {
    const QString text = ReadText(s.Text);
    int best = room + 1;
    least = std::numeric_limits<int>::max();
    for (qsizetype i = text.indexOf(QLatin1Char(' ')); i > 0; i = text.indexOf(QLatin1Char(' '), i + 1)) {
        const QString a = text.left(i).trimmed(), b = text.mid(i + 1).trimmed();
        if (a.isEmpty() || b.isEmpty()) continue;
        sScreenImage x = s, y = s;
        StringToWideChar(a, x.Text);
        // A first line as wide as the best break so far cannot beat it: its
        // second line need not be drawn.
        const int widthA = width(inkAtOrigin(x));
        if (widthA >= best) {
            least = std::min(least, widthA);
            continue;
        }
        StringToWideChar(b, y.Text);
        const int longer = std::max(widthA, width(inkAtOrigin(y)));
        least = std::min(least, longer);
        if (longer < best) {
            best = longer;
            first = a;
            second = b;
        }
    }
    if (least == std::numeric_limits<int>::max()) least = 0;
    return best <= room;
}

/// The top line over both lines of the sign, at one size and broken at a
/// word; false when it does not go.
bool splitTop(sWidok& w, const sWidok& original, const LegibleFitRules& rules) {
    const int room = SignW - (shows(w, Region::Lewy) ? w.BarX : 0);
    const int floor = capitalFloor(Region::Gorny, rules.legibility);
    for (const QString& face : faces(original.Gorny)) {
        // Tried first at the smallest size that reaches the floor: where no
        // break fits the room there, none fits at any size above, and where
        // one does, its width tells how far above it one still may.
        int smallest = 0;
        for (int size = 4; size <= original.Gorny.FontSize && smallest == 0; ++size)
            if (capitalHeight(restyled(original.Gorny, face, size)) >= floor) smallest = size;
        if (smallest == 0) continue;
        int largest = original.Gorny.FontSize;
        {
            QString a, b;
            int least = 0;
            if (!bestBreak(restyled(original.Gorny, face, smallest), room, a, b, least) || least == 0)
                continue;
            largest = std::min(largest, smallest * room / least + 2);
        }
        for (int size = largest; size >= smallest; --size) {
            const sScreenImage c = restyled(original.Gorny, face, size);
            if (capitalHeight(c) < floor) break;
            // The widths grow with the size: sizes above the one an overshoot
            // points to, with two to spare for hinting, cannot go either.
            const auto skipTo = [&size](int wide, int most) {
                const int estimate = size * most / wide + 2;
                if (estimate < size - 1) size = estimate + 1;
            };
            // The longer of two lines holds at least half the text less the
            // space between them (narrower than the em): a size whose whole
            // line is wider than two rooms and two ems cannot go.
            const int whole = width(inkAtOrigin(c));
            const int most = 2 * room + 4 * fontPixelSize(size);
            if (whole > most) {
                skipTo(whole, most);
                continue;
            }
            QString a, b;
            int least = 0;
            if (!bestBreak(c, room, a, b, least)) {
                if (least == 0) break;
                skipTo(least, room);
                continue;
            }
            sScreenImage top = c, bottom = c;
            StringToWideChar(a, top.Text);
            StringToWideChar(b, bottom.Text);
            const int ht = height(inkAtOrigin(top)), hb = height(inkAtOrigin(bottom));
            if (ht + 1 + hb > SignH || hb > SignH - BarYMin) continue;
            if (!mergedLetters(top).isEmpty() || !mergedLetters(bottom).isEmpty()) continue;
            w.TypWidoku = w.TypWidoku == vtLeftTop ? vtLeftTopBottom : vtTopBottom;
            placeX(top, 0, room);
            placeX(bottom, 0, room);
            w.Gorny = top;
            w.Dolny = bottom;
            return true;
        }
    }
    return false;
}

/// The text moves in from the right at the largest size that keeps its
/// height in its window, at the floor or above.
void scroll(sWidok& w, Region r, const sScreenImage& from, int maxH, const LegibleFitRules& rules) {
    const int floor = capitalFloor(r, rules.legibility);
    sScreenImage s = from;
    bool found = false;
    for (const QString& face : faces(from)) {
        for (int size = from.FontSize; size >= 4 && !found; --size) {
            const sScreenImage c = restyled(from, face, size);
            if (capitalHeight(c) < floor) break;
            if (height(inkAtOrigin(c)) > maxH || !mergedLetters(c).isEmpty()) continue;
            s = c;
            found = true;
        }
        if (found) break;
    }
    for (const QString& face : faces(from)) {
        for (int size = from.FontSize + 1; size <= 32 && !found; ++size) {
            const sScreenImage c = restyled(from, face, size);
            if (height(inkAtOrigin(c)) > maxH) break;
            if (capitalHeight(c) < floor || !mergedLetters(c).isEmpty()) continue;
            s = c;
            found = true;
        }
        if (found) break;
    }
    s.Ruch = mvInLeft;
    s.Speed = ReadableSpeed;
    restartMovement(s);
    const InkBox ink = inkAtOrigin(s);
    s.X = -ink.left;
    regionOf(w, r) = s;
}

/// Stacks the top and bottom lines with at least one unlit row between
/// their inks, moving BarY; false when they do not go in 32 rows.
bool stack(sWidok& w) {
    if (movesUpDown(w.Gorny) || movesUpDown(w.Dolny)) return false;
    const InkBox t = inkAtOrigin(w.Gorny), b = inkAtOrigin(w.Dolny);
    if (t.empty || b.empty) return false;
    const int ht = height(t), hb = height(b);
    const int free = SignH - ht - hb - 1;
    if (free < 0) return false;
    const int margin = free / 3;
    const int lo = std::max(BarYMin, ht), hi = std::min(BarYMax, SignH - hb);
    if (lo > hi) return false;
    const int bar = std::clamp(margin + ht + (free - 2 * margin + 1) / 2, lo, hi);
    int topStart = std::min(margin, bar - ht);
    int bottomStart = std::max(SignH - margin - hb, bar);
    if (bottomStart - (topStart + ht) < 1) {
        if (topStart > 0)
            --topStart;
        else if (bottomStart + hb < SignH && bottomStart + 1 >= bar)
            ++bottomStart;
        if (bottomStart - (topStart + ht) < 1) return false;
    }
    w.BarY = bar;
    w.Gorny.Y = topStart - t.top;
    w.Dolny.Y = bottomStart - bar - b.top;
    return true;
}

/// Whether the top and bottom lines keep an unlit row between their inks.
bool rowApart(const sWidok& w) {
    const RegionLayout t = layoutOf(w, Region::Gorny), b = layoutOf(w, Region::Dolny);
    if (t.ink.empty || b.ink.empty) return true;
    const int topBottom =
        movesUpDown(w.Gorny) ? t.window.height - 1 : std::min(t.ink.bottom, t.window.height - 1);
    const int bottomTop = movesUpDown(w.Dolny) ? 0 : std::max(b.ink.top, 0);
    return layoutBarY(w) + bottomTop - topBottom - 1 >= 1;
}

/// A line (top or bottom) drawn to read: kept when it does, else the largest
/// standing drawing, else moving.
void fitLine(sWidok& w, const sWidok& original, Region r, int maxH, const LegibleFitRules& rules) {
    if (keeps(w, original, r, rules)) return;
    const RegionWindow win = regionWindow(w, r);
    if (const auto c = largestStanding(regionOf(original, r), r, win.width, maxH, rules.legibility)) {
        sScreenImage s = *c;
        placeX(s, 0, win.width);
        centreY(s, 0, win.height);
        regionOf(w, r) = s;
        return;
    }
    scroll(w, r, regionOf(original, r), maxH, rules);
    centreY(regionOf(w, r), 0, win.height);
}

/// Whether the two lines of w read together: each line reads and an unlit
/// row keeps their inks apart.
bool linesRead(const sWidok& w, const LegibleFitRules& rules) {
    return reads(w, Region::Gorny, rules) && reads(w, Region::Dolny, rules) && rowApart(w);
}

/// The last resort when no two-line layout reads: both lines' words, in their
/// order, on the top line over the rows of both, standing where they fit and
/// else moving at the largest size that reads. The bottom line is no longer
/// shown and keeps its text and settings for the operator. False when the
/// joined text is longer than the top line takes, or does not read there.
bool joinLines(sWidok& w, const sWidok& original, const LegibleFitRules& rules) {
    const QString joined =
        ReadText(w.Gorny.Text).trimmed() + QLatin1Char(' ') + ReadText(w.Dolny.Text).trimmed();
    if (joined.size() > limits::TextGorny) return false;
    sWidok one = w;
    one.TypWidoku = w.TypWidoku == vtLeftTopBottom ? vtLeftTop : vtTop;
    // The hidden line and the split under it stay as the operator left them.
    one.Dolny = original.Dolny;
    one.BarY = original.BarY;
    sScreenImage from = original.Gorny;
    StringToWideChar(joined, from.Text);
    const RegionWindow win = regionWindow(one, Region::Gorny);
    if (const auto c = largestStanding(from, Region::Gorny, win.width, win.height, rules.legibility)) {
        sScreenImage s = *c;
        placeX(s, 0, win.width);
        centreY(s, 0, win.height);
        one.Gorny = s;
    } else {
        scroll(one, Region::Gorny, from, win.height, rules);
        centreY(one.Gorny, 0, win.height);
    }
    if (!reads(one, Region::Gorny, rules)) return false;
    const int need = secondsToShowWhole(one);
    if (need < 0 || need > LongestTime) return false;
    w = one;
    return true;
}

}  // namespace

QHash<QString, sScreenImage> routeDrawings(const sDane& d, int lang, const LegibleFitRules& rules) {
    // The largest drawing of each route first.
    QHash<QString, sScreenImage> largest;
    for (int v = 1; v <= ViewCount; ++v) {
        const sWidok& w = widok(d, lang, v);
        if (!isTrue(w.use)) continue;
        const QString route = routeOf(w);
        if (route.isEmpty()) continue;
        const auto it = largest.find(route);
        if (it == largest.end() || it->FontSize < w.Lewy.FontSize) largest.insert(route, w.Lewy);
    }
    QHash<QString, sScreenImage> out;
    for (auto it = largest.cbegin(); it != largest.cend(); ++it) {
        if (const auto c = largestStanding(it.value(), Region::Lewy, BarXMax - 1, SignH, rules.legibility))
            out.insert(it.key(), *c);
    }
    return out;
}

void fitLegibly(sWidok& w, const sWidok& original, const LegibleFitRules& rules, const sScreenImage* route) {
    const sWidok windowFit = w;
    if (shows(w, Region::Lewy) && hasText(w.Lewy)) fitLeft(w, original, rules, route);
    // The lines beside the left box start after the unlit column it keeps.
    const bool split = w.TypWidoku == vtTopBottom || w.TypWidoku == vtLeftTopBottom;
    // A line that does not read gets the columns the route number leaves.
    if ((hasText(w.Gorny) && !keeps(w, original, Region::Gorny, rules)) ||
        (split && hasText(w.Dolny) && !keeps(w, original, Region::Dolny, rules)))
        narrowLeftBox(w);
    if (hasText(w.Gorny)) {
        if (!split) {
            if (!keeps(w, original, Region::Gorny, rules)) {
                const RegionWindow win = regionWindow(w, Region::Gorny);
                const auto c =
                    largestStanding(original.Gorny, Region::Gorny, win.width, win.height, rules.legibility);
                if (c) {
                    sScreenImage s = *c;
                    placeX(s, 0, win.width);
                    centreY(s, 0, win.height);
                    w.Gorny = s;
                } else if (sWidok two = w; rules.split && splitTop(two, original, rules) && stack(two)) {
                    w = two;
                } else {
                    scroll(w, Region::Gorny, original.Gorny, win.height, rules);
                    centreY(w.Gorny, 0, win.height);
                }
            }
        } else {
            if (!keeps(w, original, Region::Gorny, rules) || !rowApart(w)) {
                // The rows the bottom line needs, as it stands or at its smallest that reads.
                const int bottomNeed = !hasText(w.Dolny) ? 0
                                       : keeps(w, original, Region::Dolny, rules)
                                           ? height(inkAtOrigin(w.Dolny))
                                           : smallestHeight(original.Dolny, Region::Dolny, rules.legibility);
                fitLine(w, original, Region::Gorny, std::min(BarYMax, SignH - 1 - bottomNeed), rules);
            }
        }
    }
    if ((w.TypWidoku == vtTopBottom || w.TypWidoku == vtLeftTopBottom) && hasText(w.Dolny)) {
        const int topNeed = hasText(w.Gorny) ? height(inkAtOrigin(w.Gorny)) : 0;
        if (!keeps(w, original, Region::Dolny, rules))
            fitLine(w, original, Region::Dolny, std::min(SignH - BarYMin, SignH - 1 - topNeed), rules);
        if (!rowApart(w) || !reads(w, Region::Gorny, rules) || !reads(w, Region::Dolny, rules)) stack(w);
    }
    // What reads better must still fit: where it does not, the window fit
    // stands.
    for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny})
        if (shows(w, r) && hasText(regionOf(w, r)) && !layoutOf(w, r).fits()) w = windowFit;
    // Two lines that do not read together become one moving line, where the
    // words may go from one line to the other.
    if (rules.split && (w.TypWidoku == vtTopBottom || w.TypWidoku == vtLeftTopBottom) && hasText(w.Gorny) &&
        hasText(w.Dolny) && !linesRead(w, rules))
        joinLines(w, original, rules);
    // A moving text shows its end at least once in the view's time.
    const int need = secondsToShowWhole(w);
    if (need > std::max(w.Time, 1)) w.Time = std::min(need, LongestTime);
}

QList<FitChange> fitChanges(const sWidok& a, const sWidok& b, int lang, int view) {
    QList<FitChange> out;
    for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
        const sScreenImage& x = regionOf(a, r);
        const sScreenImage& y = regionOf(b, r);
        QStringList what;
        const QString fa = ReadText(x.FontName), fb = ReadText(y.FontName);
        const QString ta = ReadText(x.Text), tb = ReadText(y.Text);
        if (ta != tb) what << QStringLiteral("text \"%1\" -> \"%2\"").arg(ta, tb);
        if (x.FontSize != y.FontSize) what << QStringLiteral("size %1 -> %2").arg(x.FontSize).arg(y.FontSize);
        if (fa != fb) what << QStringLiteral("face %1 -> %2").arg(fa, fb);
        if (x.Ruch != y.Ruch) {
            const QStringList names = MovementTexts();
            auto name = [&](int m) { return m >= 0 && m < names.size() ? names[m] : QString::number(m); };
            what << QStringLiteral("movement %1 -> %2 at speed %3")
                        .arg(name(x.Ruch), name(y.Ruch))
                        .arg(y.Speed);
        }
        if (x.X != y.X) what << QStringLiteral("X %1 -> %2").arg(x.X).arg(y.X);
        if (x.Y != y.Y) what << QStringLiteral("Y %1 -> %2").arg(x.Y).arg(y.Y);
        if (x.FontColor != y.FontColor || x.BackColor != y.BackColor)
            what << QStringLiteral("colours as the top line");
        if (!what.isEmpty()) out.append({lang, view, regionName(r), what.join(QLatin1String(", "))});
    }
    QStringList bars;
    if (a.TypWidoku != b.TypWidoku) bars << QStringLiteral("type %1 -> %2").arg(a.TypWidoku).arg(b.TypWidoku);
    if (a.BarX != b.BarX) bars << QStringLiteral("BarX %1 -> %2").arg(a.BarX).arg(b.BarX);
    if (a.BarY != b.BarY) bars << QStringLiteral("BarY %1 -> %2").arg(a.BarY).arg(b.BarY);
    if (!bars.isEmpty()) out.append({lang, view, QStringLiteral("view"), bars.join(QLatin1String(", "))});
    if (a.Time != b.Time)
        out.append(
            {lang, view, QStringLiteral("view"), QStringLiteral("time %1 -> %2").arg(a.Time).arg(b.Time)});
    return out;
}

}  // namespace lt
