// Timetable feeds made into views: the first destination of a feed (the
// input: see fuzz/feed.h) made into a fitted view, as gtfs-import does. Its
// view is in use, shows the route whole (alone, or ahead of the headsign on
// one joined line), and fitting it again changes nothing. Fitting draws the
// texts at many sizes, so this harness is the slow half of fuzz_gtfs.

#include "fuzz/feed.h"
#include "fuzz/fixtures.h"

namespace lt {
namespace {

int feedView(const std::uint8_t* data, std::size_t size) {
    QList<GtfsDestination> out;
    if (!gtfsDestinations(fuzz::feedTables(data, size), GtfsOptions{}, out, nullptr).isEmpty() ||
        out.isEmpty())
        return 0;
    static sWidok w;
    w = widok(fuzz::defaultProject(), 1, 1);
    (void)makeDestinationView(w, out.first(), 1, 1);
    LT_FUZZ_CHECK(isTrue(w.use));
    // The route stands in the left box or on the top line, alone or ahead of
    // the headsign where the two lines were joined into one.
    const QString route = out.first().route;
    const QString top = ReadText(w.Gorny.Text);
    LT_FUZZ_CHECK(ReadText(w.Lewy.Text) == route || top == route ||
                  (w.TypWidoku == vtTop && top.startsWith(route.trimmed() + QLatin1Char(' '))));
    LT_FUZZ_CHECK(fitViewRecord(w, 1, 1).isEmpty());
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("gtfsview", lt::feedView)
