#pragma once
// Fitting for a rider: after the texts fit their windows, each region is
// drawn so that it reads from the kerb. A route number keeps an unlit column
// before the lines beside it and is drawn one way in all its views; the top
// and bottom lines keep an unlit row between them; no line goes below its
// floor; a narrow face is used only where its letters stay apart; a long
// destination goes over the two lines of the sign before it is made to move,
// and two lines that cannot both read are joined into one moving line; and a
// moving text gets the display time it needs to show its end.

#include "depot/fit.h"
#include "depot/legibility.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace lt {

struct LegibleFitRules {
    LegibilityRules legibility;
    // Words may go from one line to the other: a long top line may go over the
    // bottom line when the view has it free, and two lines that cannot both
    // read become one moving top line.
    bool split = false;
};

/// The one drawing of each route of a language, by route: the largest of the
/// drawings its views in use have that keeps it standing and legible in the
/// left box. Routes no drawing keeps legible are left out.
QHash<QString, sScreenImage> routeDrawings(const sDane& d, int lang, const LegibleFitRules& rules);

/// Makes view w legible, starting from the regions of `original` where a
/// region of w is not; `route`, when given, is how its left box is drawn.
void fitLegibly(sWidok& w, const sWidok& original, const LegibleFitRules& rules, const sScreenImage* route);

/// The narrow face offered when the operator's face is too wide: the
/// well-known name where the system stands a face in for it, else an
/// installed narrow face; empty when there is none.
QString narrowFace();

/// The face the font engine draws a family with, looked up once per family:
/// the installed faces do not change while the program runs.
QString drawnFamily(const QString& family);

/// What fitting changed between two records of view lang/view, region by
/// region, then the split positions and view type, then the display time.
QList<FitChange> fitChanges(const sWidok& before, const sWidok& after, int lang, int view);

}  // namespace lt
