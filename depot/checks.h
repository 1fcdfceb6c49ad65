#pragma once
// Checks before export: what would look wrong on the sign, found in the
// project before the stick goes to the bus. Every view in use of every
// language in use is looked at, region by region as its view type shows them.

#include "model/records.h"
#include "render/text.h"

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lt {

/// One thing that would look wrong.
struct Finding {
    int lang = 0;    // 1..3
    int view = 0;    // 1..300; 0 for a finding about the language itself
    QString region;  // "top", "bottom", "left", "view" or "language"
    QString what;    // a short code, see checkFindingCodes()
    QString why;     // the reason in words, with the numbers that show it
    QString text() const;
};

/// The codes of `Finding::what`, in the order the checks run.
QStringList checkFindingCodes();

/// The window of a region on the 128 x 32 face for a view's type, in LEDs;
/// width 0 when the type does not show the region.
struct RegionWindow {
    int width = 0;
    int height = 0;
};
RegionWindow regionWindow(const sWidok& w, Region r);

/// The smallest box around the pixels a region's text paints, relative to
/// the top-left of its surface (so it may lie partly outside it); empty when
/// nothing is painted.
struct InkBox {
    bool empty = true;
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive
};
InkBox regionInk(const sScreenImage& region);

/// Whether a font family is installed: named by an installed family, or one
/// of the well-known names that the system substitutes with a face standing
/// in for it (Arial, Arial Narrow, Times New Roman, Courier New to their
/// metric-compatible faces; Verdana, Tahoma, Trebuchet MS, Arial Unicode MS to
/// whatever face the system chooses). `drawnWith` receives the face the font
/// engine actually uses.
bool fontInstalled(const QString& family, QString* drawnWith = nullptr);

/// The first line break or other control character of a text in words ("a
/// line break", "a tab", "the control character U+0007"); empty when the
/// text has none. One line of the sign shows neither.
QString controlCharacterIn(const QString& text);

/// Runs every check on the project.
QList<Finding> checkProject(const sDane& d);

/// The findings as a JSON array of {language, view, region, what, why}.
QJsonArray findingsJson(const QList<Finding>& findings);

}  // namespace lt
