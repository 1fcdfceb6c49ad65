// Timetable feeds: the routes and trips tables of a feed made into its
// destinations, and the first of them made into a fitted view, as
// gtfs-import does. The input is routes.txt, then a form feed, then
// trips.txt (no form feed: routes.txt only, so the feed lacks its trips).
// Any tables give destinations or a reason, never both; every destination
// has a route and a headsign that fit a line of the sign; its view shows the
// route whole, and fitting it again changes nothing.

#include "depot/gtfs.h"
#include "fuzz/fixtures.h"

namespace lt {
namespace {

int feedTables(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QHash<QString, QByteArray> tables;
    const qsizetype split = bytes.indexOf('\f');
    tables.insert(QStringLiteral("routes.txt"), split < 0 ? bytes : bytes.left(split));
    if (split >= 0) tables.insert(QStringLiteral("trips.txt"), bytes.mid(split + 1));
    QList<GtfsDestination> out;
    GtfsCounts counts;
    const QString error = gtfsDestinations(tables, GtfsOptions{}, out, &counts);
    if (!error.isEmpty()) {
        LT_FUZZ_CHECK(out.isEmpty());
        return 0;
    }
    LT_FUZZ_CHECK(counts.routes >= 0 && counts.trips >= 0 && counts.withoutHeadsign <= counts.trips);
    for (const GtfsDestination& d : out) {
        LT_FUZZ_CHECK(!d.route.isEmpty() && d.route.size() <= 63);
        LT_FUZZ_CHECK(!d.headsign.isEmpty() && d.headsign.size() <= 255);
        LT_FUZZ_CHECK(d.direction >= -1);
    }
    if (out.isEmpty()) return 0;
    static sWidok w;
    w = widok(fuzz::defaultProject(), 1, 1);
    (void)makeDestinationView(w, out.first(), 1, 1);
    LT_FUZZ_CHECK(isTrue(w.use));
    LT_FUZZ_CHECK(ReadText(w.Lewy.Text) == out.first().route || ReadText(w.Gorny.Text) == out.first().route);
    LT_FUZZ_CHECK(fitViewRecord(w, 1, 1).isEmpty());
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("gtfs", lt::feedTables)
