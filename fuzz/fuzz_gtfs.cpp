// Timetable feeds: the routes and trips tables of a feed made into its
// destinations, as gtfs-import reads them (the input: see fuzz/feed.h).
// Any tables give destinations or a reason, never both; every destination
// has a route and a headsign that fit a line of the sign. Making the
// destinations into fitted views, which draws them, is fuzz_gtfsview.

#include "fuzz/feed.h"
#include "fuzz/harness.h"

namespace lt {
namespace {

int feedTables(const std::uint8_t* data, std::size_t size) {
    QList<GtfsDestination> out;
    GtfsCounts counts;
    const QString error = gtfsDestinations(fuzz::feedTables(data, size), GtfsOptions{}, out, &counts);
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
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("gtfs", lt::feedTables)
