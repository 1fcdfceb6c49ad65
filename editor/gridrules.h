#pragma once
// The state changes behind the views grid: what a click, a double-click, a
// tab change, the up/down control and the popup menu do to the project.
// The grid widgets call these and then redraw; nothing here draws.

#include "model/records.h"

namespace lt::views {

/// The interaction state handed from the selection event to the click event
/// (`sAcol`, `sARow`, `SGMouseWheel`); not saved with the project.
struct GridState {
    int sAcol = 0;
    int sARow = 0;
    bool SGMouseWheel = false;
};

/// What the editing panel `PanelMain` must do after a rule ran.
enum class PanelChange { None, Show, Hide };

/// A wheel turn over a grid: the next selection selects no view.
inline void sgMouseWheel(GridState& s) {
    s.SGMouseWheel = true;
}
/// `sgSelectCell`: always allowed; a wheel-driven move hands over cell 0,0.
void sgSelectCell(GridState& s, int col, int row);
/// `sgClick` on language `SelWidok`: records the cell, toggles Use in
/// column 3 and keeps Time and the panel in line with the use flag.
PanelChange sgClick(sDane& d, const GridState& s);
/// `sgDblClick`: true when the selected view was opened for editing (the
/// caller then loads the panel and shows it).
bool sgDblClick(sDane& d);
/// `pcsg1Change` to language `lang`: true when the edited view number is in
/// use there (load and show the panel), false when the panel must hide.
bool pcsg1Change(sDane& d, int lang);
/// `sbtnUpClick` / `sbtnDownClick`: Time of the selected view within 1..99.
/// False when no view is selected.
bool sbtnUpClick(sDane& d);
bool sbtnDownClick(sDane& d);
/// `pmDefaultClick`: the selected view back to its defaults and made the
/// edited one. False when no view is selected.
bool pmDefaultClick(sDane& d);
/// `pmCopyClick`: the whole selected view into the clipboard.
bool pmCopyClick(const sDane& d, sWidok& clipboard);
/// `pmPasteClick`: the clipboard whole over the selected view, which becomes
/// the edited one.
bool pmPasteClick(sDane& d, const sWidok& clipboard);
/// "Copy all views over": the 300 views of language `from` copied whole
/// (names, regions, splits, type, Time and use) over those of language `to`.
/// False, and nothing copied, when the two are the same or either lies
/// outside 1..3. The selection and the edited view number stay.
bool copyLanguage(sDane& d, int from, int to);
/// The active-tab fix after the languages dialog closed: the tab index
/// (0..2) to activate; SelWidok falls back to 1 when its language is off.
int fixActiveTab(sDane& d);

}  // namespace lt::views
