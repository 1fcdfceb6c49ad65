// Timetable feeds: the routes, trips and stop times tables of a feed made
// into its destinations, as gtfs-import reads them (the input: see
// fuzz/feed.h). Any tables give destinations or a reason, never both; every
// destination has a route and a headsign that fit a line of the sign; stop
// times handed over in small pieces, as a large file is streamed, give the
// same result as handed over whole. Making the
// destinations into fitted views, which draws them, is fuzz_gtfsview.

#include "fuzz/feed.h"
#include "fuzz/harness.h"

namespace lt {
namespace {

int feedTables(const std::uint8_t* data, std::size_t size) {
    QList<GtfsDestination> out;
    GtfsCounts counts;
    const QHash<QString, QByteArray> tables = fuzz::feedTables(data, size);
    const QString error = gtfsDestinations(tables, GtfsOptions{}, out, &counts);
    if (tables.contains(QStringLiteral("stop_times.txt"))) {
        const QByteArray stops = tables.value(QStringLiteral("stop_times.txt"));
        const GtfsTableReader pieces = [&stops](const std::function<bool(QByteArrayView)>& take) {
            for (qsizetype at = 0; at < stops.size(); at += 7) {
                if (!take(QByteArrayView(stops).sliced(at, std::min<qsizetype>(7, stops.size() - at)))) break;
            }
            return QString();
        };
        QList<GtfsDestination> streamed;
        GtfsCounts streamedCounts;
        LT_FUZZ_CHECK(gtfsDestinations(tables, GtfsOptions{}, streamed, &streamedCounts, pieces) == error);
        LT_FUZZ_CHECK(streamed.size() == out.size() && streamedCounts.stopTimes == counts.stopTimes);
        for (qsizetype i = 0; i < out.size() && i < streamed.size(); ++i)
            LT_FUZZ_CHECK(streamed[i].route == out[i].route && streamed[i].headsign == out[i].headsign);
    }
    if (!error.isEmpty()) {
        LT_FUZZ_CHECK(out.isEmpty());
        return 0;
    }
    LT_FUZZ_CHECK(counts.routes >= 0 && counts.trips >= 0 && counts.withoutHeadsign <= counts.trips);
    LT_FUZZ_CHECK(counts.stopTimes >= -1);
    for (const GtfsDestination& d : out) {
        LT_FUZZ_CHECK(!d.route.isEmpty() && d.route.size() <= 63);
        LT_FUZZ_CHECK(!d.headsign.isEmpty() && d.headsign.size() <= 255);
        LT_FUZZ_CHECK(d.direction >= -1);
    }
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("gtfs", lt::feedTables)
