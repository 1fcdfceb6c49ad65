#pragma once
// Destinations from an agency's timetable feed: the routes and headsigns of
// a GTFS feed (a .zip of CSV tables, or a folder holding them) made into
// views of one language, one view per distinct route and headsign, each
// fitted to the sign. A headsign is a trip's trip_headsign or a
// stop_headsign of its stop times. A project remembers which view holds
// which destination, so a new version of the feed keeps every destination
// at its view number.

#include "depot/fit.h"
#include "model/records.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace lt {

struct GtfsOptions {
    int lang = 1;          // the language whose views become the feed's destinations
    QStringList routes;    // only these routes (short name or id); empty: every route
    QStringList viaWords;  // words a headsign is split at; empty: gtfsDefaultViaWords()
    bool renumber = false;  // the natural order of a fresh import, forgetting the views held
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
    qint64 stopTimes = -1;    // rows of stop_times.txt read; -1 when it has no stop_headsign
};

/// Hands a large table over in pieces, in order, to `take`, which returns
/// false to stop early. Returns an empty text, or why the table could not be
/// read. It may be called more than once, each time from the start.
using GtfsTableReader = std::function<QString(const std::function<bool(QByteArrayView)>& take)>;

/// The destinations of a feed's tables (file name -> bytes), in natural route
/// order, then direction, then headsign. stop_times.txt is read from
/// `stopTimes` when given, else from the tables when they hold it, and only
/// when its header has a stop_headsign column. Returns an empty error on
/// success, else the reason naming the file and line.
QString gtfsDestinations(const QHash<QString, QByteArray>& tables, const GtfsOptions& options,
                         QList<GtfsDestination>& out, GtfsCounts* counts = nullptr,
                         const GtfsTableReader& stopTimes = {});

/// Reads routes.txt and trips.txt of a feed (a zip archive or a folder), and
/// agency.txt and feed_info.txt when it has them. When the feed has a stop_times.txt and `stopTimes` is given, it receives
/// a reader that streams that table from the feed (never read whole).
/// Returns an empty error on success.
QString readGtfsFeed(const QString& feedPath, QHash<QString, QByteArray>& tables,
                     GtfsTableReader* stopTimes = nullptr);

/// The key by which a view is known as a destination of a feed: its route
/// and headsign, compared without regard to case and runs of spaces. Never 0.
std::uint64_t gtfsDestinationKey(const QString& route, const QString& headsign);

/// The key of the feed destination view lang/view holds, or 0 when it holds
/// none (the project's key table is missing or damaged, or the view is as a
/// new project has it).
std::uint64_t viewDestinationKey(const sDane& d, int lang, int view);

/// What an import did to one view, for the change list.
struct GtfsChange {
    enum Kind { Kept, New, Gone, Refitted };
    Kind kind = Kept;
    int lang = 0;
    int view = 0;
    QString destination;  // route and headsign; for a gone one, the view's name
    bool back = false;    // a kept destination the feed had dropped before: switched on again
    /// "kept 1/12: 2 Zoo", "gone 1/7: S40 Ölmühle (switched off)"
    QString text() const;
};

struct GtfsImportResult {
    QString error;  // empty on success; names the file and line where there is one
    int viewsMade = 0;
    QList<FitChange> fitted;
    GtfsCounts counts;
    bool renumbered = false;    // the views were laid out afresh from view 1
    QList<GtfsChange> changes;  // every view the import made, kept, refitted or switched off
    bool ok() const { return error.isEmpty(); }
    /// The number of changes of a kind.
    int count(GtfsChange::Kind kind) const;
};

/// Makes one destination view lang/view of the record w, keeping its time and
/// its regions' settings: the route in the left box, the headsign on the top
/// line and its via part on the bottom one, or, for a route too long for the
/// left box or one the fitting cannot keep standing and legible there, the
/// route on the top line and the whole headsign on the bottom one; then fits
/// it (not rendered). Returns what the fitting changed.
QList<FitChange> makeDestinationView(sWidok& w, const GtfsDestination& dest, int lang, int view);

/// Reads a feed (a .zip or a folder) and makes its destinations the views of
/// language options.lang, switching that language on; the other languages
/// stay as they were. A language that holds no destination of a feed yet,
/// or options.renumber, gets them from view 1 in natural order and the rest
/// of its views switched off. Otherwise every destination the language holds
/// stays at its view with its settings (refitted only where the feed's text
/// no longer fits), one the feed no longer has is switched off and keeps its
/// view, and a new one takes the lowest view that never held one. On any
/// error the project is left untouched.
GtfsImportResult importGtfsFeed(const QString& feedPath, sDane& d, const GtfsOptions& options);

/// As importGtfsFeed, from tables already read.
GtfsImportResult importGtfsTables(const QHash<QString, QByteArray>& tables, sDane& d,
                                  const GtfsOptions& options);

}  // namespace lt
