#pragma once
// Finding destinations: the views of every language in use whose destination
// name or shown region text holds what the operator typed, so a view among
// the 300 of a language is found without scrolling.

#include "model/records.h"

#include <QList>
#include <QString>

namespace lt {

/// One view that matched.
struct FoundView {
    int lang = 0;  // 1..3
    int view = 0;  // 1..300
    QString name;  // the destination name (NazwaKursu)
    QString text;  // the region text that matched; empty when the name did
    bool inUse = false;
};

/// The text as find compares it: case folded, accents and the Polish stroke
/// letters reduced to their base letters, runs of blanks and tabs made one
/// space and the ends trimmed ("Dworzec  GŁÓWNY" and "dworzec glowny" meet).
QString findKey(const QString& text);

/// The views whose name or any region text their view type shows holds
/// `query` (as findKey compares), language 1..3 in use and view 1..300 in
/// order; views not in use are found too. An empty or blank query finds
/// nothing.
QList<FoundView> findViews(const sDane& d, const QString& query);

}  // namespace lt
