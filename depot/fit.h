#pragma once
// Fitting texts to the sign: for each region a view shows, choose how its
// text is drawn so that the whole text is visible, measured on the ink as the
// checks measure it. The words are never changed. In order of preference the
// operator's face and size are kept; then a smaller size, down to a legible
// floor; then a narrow face; then the text moves sideways at a readable
// speed. X and Y, and the split positions BarX and BarY, are moved where that
// makes room. The same project always gives the same result; a view whose
// regions all fit is left byte for byte, and a region that fits keeps its
// settings (a changed view is rendered again, which renews the measured text
// sizes of all its regions).

#include "model/records.h"

#include <QList>
#include <QString>

namespace lt {

/// The smallest size, in points, a standing text is made: 8 points are 11
/// LEDs to the em, which gives capitals 8 LEDs high and lower-case letters 6
/// in Arial and Arial Narrow as the sign draws them, a quarter of the sign's
/// 32 rows, and a line holding an accented capital and a descender 14 rows,
/// which the bottom line gets with the split moved up to 18. One point less
/// leaves capitals of 7 LEDs and lower-case letters of 5, too few to read an
/// accent from the kerb; a text that does not fit at 8 points moves instead.
inline constexpr int LegibleFontSize = 8;

/// One region the fitting changed, and what it changed.
struct FitChange {
    int lang = 0;    // 1..3
    int view = 0;    // 1..300
    QString region;  // "left", "top", "bottom", or "view" for the split positions
    QString what;    // e.g. "size 24 -> 16, face Arial -> Arial Narrow"
    /// "LANGUAGE/VIEW REGION: what"
    QString text() const;
};

struct FitOptions {
    int lang = 0;  // 1..3: that language only; 0: every language in use
    int firstView = 1;
    int lastView = ViewCount;
    int pitchMm = 0;  // the sign's LED pitch, which raises the floors of the lines (see depot/legibility.h)
    // A long top line may go over the bottom line when the view leaves it
    // free, and two lines that cannot both read may become one moving line.
    bool split = false;
};

/// Fits every shown region of one view in use and renders the view again
/// when anything changed, so its measured text sizes are current. Returns
/// what changed; an empty list leaves the project's bytes as they were.
QList<FitChange> fitView(sDane& d, int lang, int view);
QList<FitChange> fitView(sDane& d, int lang, int view, const FitOptions& options);

/// Fits a view record held apart from a project, without measuring its texts;
/// the caller measures them once it is in the project (see measureViews).
QList<FitChange> fitViewRecord(sWidok& w, int lang, int view);
/// The same with the route's drawing chosen for all views of a language
/// (nullptr: the view's own).
QList<FitChange> fitViewRecord(sWidok& w, int lang, int view, const FitOptions& options,
                               const sScreenImage* route);

/// Fits every view in use in the range, of the chosen languages.
QList<FitChange> fitProject(sDane& d, const FitOptions& options);

}  // namespace lt
