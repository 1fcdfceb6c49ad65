// The depot tools on a large agency: a timetable feed of 100,000 trips read
// and made into 300 fitted views, a zipped feed of 1,000,000 stop times with
// stop headsigns imported, and 300 views of long names fitted.
#include "depot/fit.h"
#include "depot/gtfs.h"
#include "depot/viewlist.h"
#include "depot/zipfile.h"
#include "model/defaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

// Place names of the kind the fitting finds hard: long, accented capitals.
QString placeName(int i) {
    static const char* const first[] = {"Dworzec",      "Świętochłowice", "Žďár nad",     "Österreichischer",
                                        "Łagiewniki",   "Bielsko-Biała",  "Großenhainer", "Ústí nad",
                                        "Zielona Góra", "Praha"};
    static const char* const second[] = {"Główny",  "Centrum",      "Sázavou",   "Platz",      "Zajezdnia",
                                         "Dworzec", "Straße",       "Labem",     "Jędrzychów", "Florenc",
                                         "Północ",  "Hauptbahnhof", "Nové Město"};
    return QString::fromUtf8(first[i % 10]) + ' ' + QString::fromUtf8(second[(i / 10) % 13]) +
           (i >= 130 ? QStringLiteral(" %1").arg(i / 130) : QString());
}

/// 120 routes of 2 or 3 headsigns (300 destinations), 100,000 trips.
QHash<QString, QByteArray> largeFeed() {
    QByteArray routes = "route_id,agency_id,route_short_name,route_long_name,route_type\n";
    for (int r = 0; r < 120; ++r)
        routes += "r" + QByteArray::number(r) + ",A," + (r % 7 == 0 ? "N" : "") + QByteArray::number(r + 1) +
                  ",Linia,3\n";
    QByteArray trips = "route_id,service_id,trip_id,trip_headsign,direction_id,shape_id\n";
    trips.reserve(100000 * 64);
    for (int t = 0; t < 100000; ++t) {
        const int r = t % 120;
        const int heads = r < 60 ? 3 : 2;
        const int h = (t / 120) % heads;
        const int dest = r < 60 ? r * 3 + h : 180 + (r - 60) * 2 + h;
        QByteArray headsign = placeName(dest).toUtf8();
        if (h == 1) headsign += " przez " + placeName(dest + 7).toUtf8();
        trips += "r" + QByteArray::number(r) + ",WD,t" + QByteArray::number(t) + ",\"" + headsign + "\"," +
                 QByteArray::number(h % 2) + ",s\n";
    }
    return {{QStringLiteral("routes.txt"), routes}, {QStringLiteral("trips.txt"), trips}};
}

std::unique_ptr<lt::sDane> newProject() {
    auto d = std::make_unique<lt::sDane>();
    std::memset(static_cast<void*>(d.get()), 0, sizeof(lt::sDane));
    lt::NewDane(*d);
    return d;
}

void BM_GtfsDestinations100kTrips(benchmark::State& state) {
    const auto tables = largeFeed();
    for (auto _ : state) {
        QList<lt::GtfsDestination> out;
        const QString error = lt::gtfsDestinations(tables, lt::GtfsOptions{}, out);
        if (!error.isEmpty() || out.size() != 300) state.SkipWithError("the feed did not read");
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_GtfsDestinations100kTrips)->Unit(benchmark::kMillisecond);

void BM_GtfsImport100kTripsInto300FittedViews(benchmark::State& state) {
    const auto tables = largeFeed();
    const auto base = newProject();
    auto d = std::make_unique<lt::sDane>();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(d.get()), base.get(), sizeof(lt::sDane));
        const lt::GtfsImportResult r = lt::importGtfsTables(tables, *d, lt::GtfsOptions{});
        if (!r.ok() || r.viewsMade != 300) state.SkipWithError("the feed did not import");
        benchmark::DoNotOptimize(d->Widok[0][299].Time);
    }
}
BENCHMARK(BM_GtfsImport100kTripsInto300FittedViews)->Unit(benchmark::kMillisecond);

/// 100 routes, 25,000 trips of 40 stops each (1,000,000 stop times, as a
/// city feed writes them); on every tenth trip of a route the sign changes
/// at its 30th stop, which gives 100 more destinations.
QList<lt::ZipEntry> largeStopTimesFeed() {
    QByteArray routes = "route_id,agency_id,route_short_name,route_long_name,route_type\n";
    for (int r = 0; r < 100; ++r)
        routes += "r" + QByteArray::number(r) + ",A," + QByteArray::number(r + 1) + ",Linia,3\n";
    QByteArray trips = "route_id,service_id,trip_id,trip_headsign,direction_id,shape_id\n";
    QByteArray stops =
        "trip_id,arrival_time,departure_time,stop_id,stop_sequence,stop_headsign,pickup_type,drop_off_type,"
        "shape_dist_traveled\n";
    stops.reserve(1000000 * 64);
    for (int t = 0; t < 25000; ++t) {
        const int r = t % 100;
        const int h = (t / 100) % 2;
        const QByteArray trip = "t" + QByteArray::number(t);
        trips += "r" + QByteArray::number(r) + ",WD," + trip + ",\"" + placeName(r * 2 + h).toUtf8() + "\"," +
                 QByteArray::number(h) + ",s\n";
        for (int s = 0; s < 40; ++s) {
            const QByteArray time = QByteArray::number(6 + s / 30).rightJustified(2, '0') + ':' +
                                    QByteArray::number(s * 2 % 60).rightJustified(2, '0') + ":00";
            const QByteArray headsign =
                (t / 100) % 10 == 0 && s >= 30 ? placeName(200 + r).toUtf8() : QByteArray();
            stops += trip + ',' + time + ',' + time + ",S" + QByteArray::number((t * 7 + s) % 5000) + ',' +
                     QByteArray::number(s + 1) + ',' + headsign + ",0,0," + QByteArray::number(s * 0.4) +
                     '\n';
        }
    }
    return {{QStringLiteral("routes.txt"), routes},
            {QStringLiteral("trips.txt"), trips},
            {QStringLiteral("stop_times.txt"), stops}};
}

void BM_GtfsImportZip1MStopTimes(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("feed.zip"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lt::writeZip(largeStopTimesFeed())) <= 0) {
        state.SkipWithError("the feed could not be written");
        return;
    }
    file.close();
    const auto base = newProject();
    auto d = std::make_unique<lt::sDane>();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(d.get()), base.get(), sizeof(lt::sDane));
        const lt::GtfsImportResult r = lt::importGtfsFeed(path, *d, lt::GtfsOptions{});
        if (!r.ok() || r.viewsMade != 300 || r.counts.stopTimes != 1000000)
            state.SkipWithError("the feed did not import");
        benchmark::DoNotOptimize(d->Widok[0][299].Time);
    }
}
BENCHMARK(BM_GtfsImportZip1MStopTimes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Fit300Views(benchmark::State& state) {
    const auto base = newProject();
    QList<QPair<int, int>> views;
    for (int v = 1; v <= lt::ViewCount; ++v) {
        lt::sWidok& w = lt::widok(*base, 1, v);
        w.use = 1;
        w.Time = 5;
        lt::StringToWideChar(QString::number(v), w.Lewy.Text, 1024);
        lt::StringToWideChar(placeName(v), w.Gorny.Text, 1024);
        lt::StringToWideChar(QStringLiteral("przez ") + placeName(v + 7), w.Dolny.Text, 1024);
        views.append({1, v});
    }
    lt::measureViews(*base, views);
    auto d = std::make_unique<lt::sDane>();
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(d.get()), base.get(), sizeof(lt::sDane));
        const QList<lt::FitChange> changes = lt::fitProject(*d, lt::FitOptions{});
        if (changes.isEmpty()) state.SkipWithError("nothing was fitted");
        benchmark::DoNotOptimize(changes.data());
    }
}
BENCHMARK(BM_Fit300Views)->Unit(benchmark::kMillisecond);
// The first fit of a run, alone in its process (filter for it), is what a
// depot's script waits for: every face and size is drawn for the first time.
BENCHMARK(BM_Fit300Views)->Name("BM_Fit300Views/first")->Unit(benchmark::kMillisecond)->Iterations(1);

/// 300 long names on the top line alone, fitted for a rider with --split:
/// over two lines where they go, moving with the time to end where not.
void BM_Fit300LongNamesSplit(benchmark::State& state) {
    const auto base = newProject();
    QList<QPair<int, int>> views;
    for (int v = 1; v <= lt::ViewCount; ++v) {
        lt::sWidok& w = lt::widok(*base, 1, v);
        w.use = 1;
        w.Time = 5;
        w.TypWidoku = lt::vtLeftTop;
        lt::StringToWideChar(QString::number(v % 40 + 1), w.Lewy.Text, 1024);
        lt::StringToWideChar(placeName(v) + ' ' + placeName(v + 3), w.Gorny.Text, 1024);
        views.append({1, v});
    }
    lt::measureViews(*base, views);
    auto d = std::make_unique<lt::sDane>();
    lt::FitOptions options;
    options.split = true;
    for (auto _ : state) {
        std::memcpy(static_cast<void*>(d.get()), base.get(), sizeof(lt::sDane));
        const QList<lt::FitChange> changes = lt::fitProject(*d, options);
        if (changes.isEmpty()) state.SkipWithError("nothing was fitted");
        benchmark::DoNotOptimize(changes.data());
    }
}
BENCHMARK(BM_Fit300LongNamesSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fit300LongNamesSplit)
    ->Name("BM_Fit300LongNamesSplit/first")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
