// gtfs-import: the destinations of an agency's timetable feed as views.
#include "cli/command.h"
#include "depot/gtfs.h"
#include "model/defaults.h"
#include "model/projectfile.h"

#include <QRegularExpression>

#include <memory>

namespace lt::cli {
namespace {

QStringList listValue(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

int runGtfsImport(const QStringList& argv, Io& io) {
    Args args(
        argv,
        {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--routes"), QStringLiteral("--via")},
        {QStringLiteral("--renumber"), QStringLiteral("--dry-run")});
    GtfsOptions options;
    options.lang = args.intValue(QStringLiteral("--lang"), 1, 1, LanguageCount);
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    const bool dryRun = args.has(QStringLiteral("--dry-run"));
    options.renumber = args.has(QStringLiteral("--renumber"));
    const QStringList pos = args.positional();
    if ((out.isEmpty() && !dryRun) || pos.isEmpty() || pos.size() > 2)
        return fail(
            io, QStringLiteral("usage: linetint-cli gtfs-import FEED [PROJECT.vmprj] -o OUT.vmprj [--lang L] "
                               "[--routes R1,R2,...] [--via WORDS] [--renumber] [--dry-run]"));
    options.routes = listValue(args.value(QStringLiteral("--routes")));
    if (args.has(QStringLiteral("--routes")) && options.routes.isEmpty())
        return fail(io, QStringLiteral("--routes takes one or more routes (route_short_name or route_id)"));
    if (args.has(QStringLiteral("--via"))) {
        options.viaWords = listValue(args.value(QStringLiteral("--via")));
        if (options.viaWords.isEmpty()) return fail(io, QStringLiteral("--via takes one or more words"));
    }

    std::unique_ptr<sDane> d;
    if (pos.size() == 2) {
        ProjectRead read = readProjectFile(pos[1]);
        if (read.status != ProjectRead::Ok) return fail(io, projectError(pos[1], read.error));
        d = std::move(read.data);
    } else {
        d = std::make_unique<sDane>();
        NewDane(*d);
    }
    const GtfsImportResult result = importGtfsFeed(pos[0], *d, options);
    if (!result.ok()) return fail(io, QStringLiteral("%1; nothing written").arg(result.error));
    if (!dryRun) {
        const QString error = writeProjectFile(*d, out);
        if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    }
    for (const QString& r : result.counts.routesWithoutDestination)
        io.err << "linetint-cli: warning: --routes: no trip of route \"" << r
               << "\" has a headsign in trips.txt, so it makes no destination\n";
    io.err.flush();
    for (const FitChange& c : result.fitted) io.out << c.text() << '\n';
    io.out << result.counts.routes << " routes, " << result.counts.trips << " trips";
    if (result.counts.withoutHeadsign > 0)
        io.out << " (" << result.counts.withoutHeadsign << " without a headsign, left out)";
    if (result.counts.stopTimes >= 0) io.out << ", " << result.counts.stopTimes << " stop times";
    if (result.renumbered) {
        io.out << "; " << result.viewsMade << " views made in language " << options.lang;
    } else {
        io.out << "; in language " << options.lang << " " << result.count(GtfsChange::Kept) << " kept, "
               << result.count(GtfsChange::Refitted) << " refitted, " << result.count(GtfsChange::New)
               << " new, " << result.count(GtfsChange::Gone) << " gone";
    }
    io.out << ", " << result.fitted.size()
           << (result.fitted.size() == 1 ? " region fitted" : " regions fitted");
    if (dryRun)
        io.out << "; dry run, nothing written" << '\n';
    else
        io.out << "; project written to " << out << '\n';
    for (const GtfsChange& c : result.changes) io.out << c.text() << '\n';
    io.out.flush();
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("gtfs-import"), QStringLiteral("make views of the destinations of a timetable feed"),
    QStringLiteral("Usage: linetint-cli gtfs-import FEED [PROJECT.vmprj] -o OUT.vmprj [--lang L]\n"
                   "                                [--routes R1,R2,...] [--via WORDS] [--renumber]\n"
                   "                                [--dry-run]\n\n"
                   "FEED is a GTFS timetable feed: a .zip or a folder holding at least routes.txt\n"
                   "and trips.txt (UTF-8 with or without a byte-order mark, columns in any order,\n"
                   "unknown columns ignored). Makes one view per distinct route and headsign, in\n"
                   "natural route order (2 before 10, S40 before S42), then direction_id, then\n"
                   "headsign. The route (route_short_name, else route_id) goes to the left box and\n"
                   "the headsign to the top line; a headsign holding a via word is split there and\n"
                   "the part from the via word on goes to the bottom line. A route too long for the\n"
                   "left box goes to the top line and the whole headsign to the bottom line. Every\n"
                   "view is then fitted to the sign as `fit` does; the words stay as in the feed.\n"
                   "A stop_headsign of stop_times.txt (read when the feed has one) gives the\n"
                   "destination of the trip's route and that headsign too.\n\n"
                   "Into a language that holds no destination of a feed yet, the destinations go\n"
                   "from view 1 on and the rest of that language's views are switched off. Into\n"
                   "one that does (a new version of the feed), every destination it holds stays at\n"
                   "its view number with its settings and the texts the operator changed, and is\n"
                   "fitted again only where the feed's text no longer fits; one the feed no longer\n"
                   "has is switched off and keeps its view, so it comes back there; a new one takes\n"
                   "the lowest view that never held a destination. Language L is switched on and\n"
                   "the other languages are left as they are. Without PROJECT a new project is\n"
                   "made. After the summary each view is listed: kept, new, gone or refitted.\n"
                   "  --lang L             the language to fill (1..3, default 1)\n"
                   "  --routes R1,R2,...   only these routes (route_short_name or route_id); a named\n"
                   "                       route that makes no destination gets a warning\n"
                   "  --via WORDS          the words a headsign is split at, separated by commas;\n"
                   "                       default via,über,przez,přes,över,par\n"
                   "  --renumber           lay the destinations out afresh from view 1, in natural\n"
                   "                       order, forgetting the views they held\n"
                   "  --dry-run            list what would change and write nothing (-o not needed)\n\n"
                   "More destinations than the 300 views of a language, a missing table or column,\n"
                   "or a trip of a route routes.txt does not have: a message naming the file and\n"
                   "line, nothing written and exit status 1.\n"),
    runGtfsImport);

}  // namespace lt::cli
