#include "editor/gridrules.h"

#include "model/defaults.h"
#include "model/sign.h"

#include <algorithm>

namespace lt::views {
namespace {

bool validRow(const sDane& d) {
    return d.SelectRow >= 1 && d.SelectRow <= ViewCount;
}

sWidok& selected(sDane& d) {
    return widok(d, editLang(d), d.SelectRow);
}

}  // namespace

void sgSelectCell(GridState& s, int col, int row) {
    if (s.SGMouseWheel) {
        s.SGMouseWheel = false;
        s.sAcol = 0;
        s.sARow = 0;
    } else {
        s.sAcol = col;
        s.sARow = row;
    }
}

PanelChange sgClick(sDane& d, const GridState& s) {
    d.SelectCol = s.sAcol;
    d.SelectRow = s.sARow;
    if (!validRow(d)) return PanelChange::None;
    sWidok& w = selected(d);
    if (d.SelectCol == 3) w.use = isTrue(w.use) ? 0 : 1;
    if (isTrue(w.use) && w.Time == 0) w.Time = 1;
    if (d.SelectRow != d.EditRow) return PanelChange::None;
    if (isTrue(w.use)) return PanelChange::Show;
    w.Time = 0;
    return PanelChange::Hide;
}

bool sgDblClick(sDane& d) {
    if (d.SelectCol > 1 || !validRow(d)) return false;
    sWidok& w = selected(d);
    if (!isTrue(w.use)) w.use = 1;
    if (w.Time == 0) w.Time = 1;
    d.EditRow = d.SelectRow;
    d.EditCol = d.SelectCol;
    return true;
}

bool pcsg1Change(sDane& d, int lang) {
    d.SelWidok = std::clamp(lang, 1, LanguageCount);
    if (!isTrue(editedView(d).use)) return false;
    if (validRow(d)) {
        sWidok& w = selected(d);
        if (w.Time == 0) w.Time = 1;
    }
    return true;
}

bool sbtnUpClick(sDane& d) {
    if (!validRow(d)) return false;
    sWidok& w = selected(d);
    w.Time = std::min(w.Time + 1, limits::Time.max);
    return true;
}

bool sbtnDownClick(sDane& d) {
    if (!validRow(d)) return false;
    sWidok& w = selected(d);
    w.Time = std::max(w.Time - 1, limits::Time.min);
    return true;
}

bool pmDefaultClick(sDane& d) {
    if (!validRow(d)) return false;
    NewRecord(d, editLang(d), d.SelectRow);
    d.EditRow = d.SelectRow;
    return true;
}

bool pmCopyClick(const sDane& d, sWidok& clipboard) {
    if (!validRow(d)) return false;
    clipboard = widok(d, editLang(d), d.SelectRow);
    return true;
}

bool pmPasteClick(sDane& d, const sWidok& clipboard) {
    if (!validRow(d)) return false;
    selected(d) = clipboard;
    d.EditRow = d.SelectRow;
    return true;
}

bool copyLanguage(sDane& d, int from, int to) {
    const auto valid = [](int l) { return l >= 1 && l <= LanguageCount; };
    if (from == to || !valid(from) || !valid(to)) return false;
    for (int v = 1; v <= ViewCount; ++v) widok(d, to, v) = widok(d, from, v);
    return true;
}

int fixActiveTab(sDane& d) {
    if (d.SelWidok == 3 && isTrue(d.Lang[2].Use)) return 2;
    if (d.SelWidok == 2 && isTrue(d.Lang[1].Use)) return 1;
    d.SelWidok = 1;
    return 0;
}

}  // namespace lt::views
