#pragma once
// Whether a rider can read the sign from the kerb: the measures that go past
// "the ink stays inside its window". A moving text must show its end within
// the view's display time; a route number and the lines beside it, and the
// top and bottom lines, keep an unlit column or row between their inks;
// neighbouring letters keep an unlit column between them; capitals are at
// least as high as the floor of their line; and one route is drawn one way in
// all the views of a language.

#include "depot/checks.h"
#include "model/records.h"
#include "render/text.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace lt {

/// The capital heights, in LEDs, below which a line is too small to read:
/// the route number in the left box, the top line (the destination) and any
/// other line. The route and destination figures follow UK accessibility
/// guidance for bus displays and the practice of LED panel makers; the line
/// below follows depot practice.
inline constexpr int RouteFloorLeds = 14;
inline constexpr int TopFloorLeds = 9;
inline constexpr int LineFloorLeds = 7;
/// The same guidance in millimetres on the bus: a route number 200 mm high,
/// the destination 125 mm.
inline constexpr int RouteFloorMm = 200;
inline constexpr int DestinationFloorMm = 125;

/// What the legibility measures depend on beyond the project.
struct LegibilityRules {
    int pitchMm = 0;  // the sign's LED pitch; 0 when not known
};

/// The floor of region r in LEDs of capital height: the figures above,
/// raised to the millimetre figures at the given pitch where those are higher.
int capitalFloor(Region r, const LegibilityRules& rules);

/// The ink of a region drawn with its origin at 0, 0 (the ink only moves
/// with the origin). Remembered per face, size, style, smoothing and text
/// while the program runs, since fitting and checking ask for the same ones
/// many times.
InkBox inkAtOrigin(const sScreenImage& s);

/// The ink of a region where its origin puts it, as regionInk gives it, from
/// the remembered ink at the origin.
InkBox inkAt(const sScreenImage& s);

/// The height in LEDs of a capital H drawn with the region's face, size,
/// style and smoothing.
int capitalHeight(const sScreenImage& s);

/// The first two neighbouring letters of the region's text whose inks have no
/// unlit column between them on some row, as "rh"; empty when every pair
/// stays apart. Letters of scripts that join by design are not judged.
QString mergedLetters(const sScreenImage& s);

/// How long, in ms, region r of w moves before every column (or, moving up
/// and down, every row) of its ink has been inside its window at least once,
/// with the movement steps the player uses; 0 for a text standing or shown
/// whole from the start, -1 when it never shows whole within 99 s.
std::int64_t msToShowWhole(const sWidok& w, Region r);

/// The longest time any region of w needs to show whole, in whole seconds
/// rounded up (0 when none moves; -1 when one never does).
int secondsToShowWhole(const sWidok& w);

/// The whys of the legibility findings, with %1.. where their words and
/// numbers go.
QStringList legibilityWhyTexts();

/// A legibility finding's why in another language: `translated` holds the
/// whys of legibilityWhyTexts() in that language, in the same order; a why
/// that is none of them, or has no translation, comes back as it is.
QString translatedWhy(const QString& why, const QStringList& translated);

/// The codes of the legibility findings, in the order they are looked for.
QStringList legibilityFindingCodes();

/// Looks at the views of one project for legibility; keeps what it learns
/// about the routes of each language between views.
class LegibilityChecker {
public:
    LegibilityChecker(const sDane& d, const LegibilityRules& rules) : m_d(d), m_rules(rules) {}
    /// The legibility findings of one view in use.
    QList<Finding> view(int lang, int view);

private:
    struct Drawing {
        QString key;  // face, size, style
        QString words;
        int firstView = 0;
    };
    const QList<Drawing>& routeDrawings(int lang, const QString& route, const char16_t* raw);

    const sDane& m_d;
    LegibilityRules m_rules;
    QHash<QString, QList<Drawing>> m_routes[LanguageCount];
    bool m_indexed[LanguageCount] = {};
    int m_asked[LanguageCount] = {};
    QList<Drawing> m_one;  // the drawings of the one route asked about first
};

/// The words of a region's drawing as findings and fit reports show it:
/// "Arial Narrow 13" with " bold" and the like for a style.
QString drawingWords(const sScreenImage& s);

/// The route a view shows in its left box (trimmed), empty when its type does
/// not show the box.
QString routeOf(const sWidok& w);

}  // namespace lt
