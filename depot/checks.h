#pragma once
// Checks before export: what would look wrong on the sign, found in the
// project before the stick goes to the bus. Every view in use of every
// language in use is looked at, region by region as its view type shows them.

#include "model/records.h"
#include "render/layout.h"
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

/// The word for a region in findings and reports: "top", "bottom", "left".
QString regionName(Region r);

/// The picture a region's surface gives the pendrive file, in LEDs: the
/// width and the rows kept.
RegionWindow regionPicture(Region r);

/// Whether a region's text moves sideways, or up and down, through its
/// window; such a text is judged by the edges of its picture in that
/// direction instead of by its window.
bool movesSideways(const sScreenImage& s, Region r);
bool movesUpDown(const sScreenImage& s);

/// Where a shown region's text falls: its ink against its window and its
/// picture, as the layout checks judge it.
struct RegionLayout {
    InkBox ink;
    RegionWindow window;
    RegionWindow picture;
    bool tooWide = false;  // a standing text reaches past the window's sides
    bool tooTall = false;  // a text not moving up and down reaches past the window's top or bottom
    QStringList cutEdges;  // edges of the picture that cut a moving text: "left", "right", "top", "bottom"
    bool fits() const { return !tooWide && !tooTall && cutEdges.isEmpty(); }
};
/// The layout of region r of a view, drawn with `region`'s settings (by
/// default the view's own) in the view's window for r.
RegionLayout regionLayout(const sWidok& w, Region r);
RegionLayout regionLayout(const sWidok& w, Region r, const sScreenImage& region);
/// The same judgement for ink already measured.
RegionLayout judgeLayout(const InkBox& ink, const sScreenImage& region, Region r, RegionWindow window);

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

/// What the legibility checks depend on beyond the project (depot/legibility.h).
struct LegibilityRules;

/// Runs every check on the project.
QList<Finding> checkProject(const sDane& d, const LegibilityRules& rules);
QList<Finding> checkProject(const sDane& d);
/// The findings about one language itself, as checkProject lists them (none
/// when the language is not in use).
QList<Finding> checkLanguage(const sDane& d, int lang);
/// The findings of one view, as checkProject lists them (none when the view
/// or its language is not in use).
QList<Finding> checkView(const sDane& d, int lang, int view, const LegibilityRules& rules);
QList<Finding> checkView(const sDane& d, int lang, int view);

/// The findings as a JSON array of {language, view, region, what, why}.
QJsonArray findingsJson(const QList<Finding>& findings);

}  // namespace lt
