#pragma once
// Destinations from an agency's timetable feed: the routes and headsigns of
// a GTFS feed (a .zip of CSV tables, or a folder holding them) made into
// views of one language, one view per distinct route and headsign, each
// fitted to the sign.

#include "depot/fit.h"
#include "model/records.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace lt {

struct GtfsOptions {
    int lang = 1;          // the language whose views become the feed's destinations
    QStringList routes;    // only these routes (short name or id); empty: every route
    QStringList viaWords;  // words a headsign is split at; empty: gtfsDefaultViaWords()
};

/// The words a headsign is split at unless told otherwise.
QStringList gtfsDefaultViaWords();

/// One destination of the feed: a route and a headsign, split at a via word.
struct GtfsDestination {
    QString route;       // route_short_name, else route_id
    int direction = -1;  // direction_id, -1 when the feed has none
    QString headsign;    // the whole trip_headsign
    QString main;        // the part before the via word (the whole headsign when it has none)
    QString via;         // "via ..." from the via word on, or empty
};

/// What a feed held.
struct GtfsCounts {
    int routes = 0;           // rows of routes.txt
    int trips = 0;            // rows of trips.txt
    int withoutHeadsign = 0;  // trips of the chosen routes without a headsign, left out
    QStringList routesWithoutDestination;  // routes asked for whose trips give no destination
};

/// The destinations of a feed's tables (file name -> bytes), in natural route
/// order, then direction, then headsign. Returns an empty error on success,
/// else the reason naming the file and line.
QString gtfsDestinations(const QHash<QString, QByteArray>& tables, const GtfsOptions& options,
                         QList<GtfsDestination>& out, GtfsCounts* counts = nullptr);

/// Reads routes.txt and trips.txt of a feed (a zip archive or a folder), and
/// agency.txt and feed_info.txt when it has them. Returns an empty error on
/// success.
QString readGtfsFeed(const QString& feedPath, QHash<QString, QByteArray>& tables);

struct GtfsImportResult {
    QString error;  // empty on success; names the file and line where there is one
    int viewsMade = 0;
    QList<FitChange> fitted;
    GtfsCounts counts;
    bool ok() const { return error.isEmpty(); }
};

/// Makes one destination view lang/view of the record w, keeping its time and
/// its regions' settings: the route in the left box, the headsign on the top
/// line and its via part on the bottom one, or, for a route too long for the
/// left box or one the fitting cannot keep standing and legible there, the
/// route on the top line and the whole headsign on the bottom one; then fits
/// it (not rendered). Returns what the fitting changed.
QList<FitChange> makeDestinationView(sWidok& w, const GtfsDestination& dest, int lang, int view);

/// Reads a feed (a .zip or a folder) and makes its destinations the views of
/// language options.lang, switching that language on and the rest of its
/// views off; the other languages stay as they were. On any error the
/// project is left untouched.
GtfsImportResult importGtfsFeed(const QString& feedPath, sDane& d, const GtfsOptions& options);

/// As importGtfsFeed, from tables already read.
GtfsImportResult importGtfsTables(const QHash<QString, QByteArray>& tables, sDane& d,
                                  const GtfsOptions& options);

}  // namespace lt
