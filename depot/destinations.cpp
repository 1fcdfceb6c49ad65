#include "depot/destinations.h"

#include "depot/gtfs.h"
#include "model/plural.h"
#include "model/projectfile.h"

#include <QFileInfo>

#include <cstring>
#include <memory>

namespace lt {
namespace {

/// Refused rows listed in the summary; the rest are counted.
constexpr int ShownRows = 12;

enum class Kind { Feed, List, Workbook, Unknown };

Kind kindOf(const QFileInfo& info) {
    if (info.isDir()) return Kind::Feed;
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("zip") || suffix == QLatin1String("txt")) return Kind::Feed;
    if (suffix == QLatin1String("csv")) return Kind::List;
    if (suffix == QLatin1String("xlsx")) return Kind::Workbook;
    return Kind::Unknown;
}

}  // namespace

QString DestinationImport::summary() const {
    if (!error.isEmpty()) return error + QStringLiteral("\nNothing was changed.");
    QStringList lines;
    if (!refused.isEmpty()) {
        // A problem with no line is about the file as a whole.
        if (rows > 0 && refused.first().line > 0)
            lines << QStringLiteral("%1 of %2 rows refused; nothing was changed:")
                         .arg(refused.size())
                         .arg(rows);
        else
            lines << QStringLiteral("The list was refused; nothing was changed:");
        for (qsizetype i = 0; i < refused.size() && i < ShownRows; ++i) lines << refused[i].text();
        if (refused.size() > ShownRows)
            lines << QStringLiteral("and %1 more").arg(refused.size() - ShownRows);
        return lines.join(QLatin1Char('\n'));
    }
    if (!feed) {
        lines << countOf(rows, "row", "rows") + QStringLiteral(" read, ") +
                     countOf(viewsMade, "view", "views") + QStringLiteral(" changed.");
        for (qsizetype i = 0; i < warnings.size() && i < ShownRows; ++i) lines << warnings[i];
        if (warnings.size() > ShownRows)
            lines << QStringLiteral("and %1 more").arg(warnings.size() - ShownRows);
        return lines.join(QLatin1Char('\n'));
    }
    lines << countOf(viewsMade, "view", "views") + QStringLiteral(" made from the timetable feed.");
    if (!renumbered)
        lines << QStringLiteral("%1 kept at their numbers, %2 of them refitted; %3 new; %4 switched off.")
                     .arg(kept + refitted)
                     .arg(refitted)
                     .arg(added)
                     .arg(gone);
    lines << countOf(fitted.size(), "region", "regions") + QStringLiteral(" fitted to the sign.");
    return lines.join(QLatin1Char('\n'));
}

DestinationImport importDestinations(sDane& d, const QString& path, int lang,
                                     const std::function<bool(const DestinationImport&)>& review) {
    DestinationImport result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = QStringLiteral("%1: No such file or directory").arg(path);
        return result;
    }
    // The import works on a copy, which replaces the project only when
    // everything was accepted.
    auto copy = std::make_unique<sDane>();
    std::memcpy(copy.get(), &d, sizeof(sDane));
    switch (kindOf(info)) {
        case Kind::Feed: {
            result.feed = true;
            // A file picked inside a feed's folder stands for the folder.
            const QString feed = info.isFile() && info.suffix().toLower() == QLatin1String("txt")
                                     ? info.absolutePath()
                                     : info.absoluteFilePath();
            GtfsOptions options;
            options.lang = lang;
            GtfsImportResult read = importGtfsFeed(feed, *copy, options);
            if (!read.ok()) {
                result.error = read.error;
                return result;
            }
            result.viewsMade = read.viewsMade;
            result.fitted = read.fitted;
            for (const GtfsChange& c : read.changes) result.changes << c.text();
            result.renumbered = read.renumbered;
            result.kept = read.count(GtfsChange::Kept);
            result.added = read.count(GtfsChange::New);
            result.gone = read.count(GtfsChange::Gone);
            result.refitted = read.count(GtfsChange::Refitted);
            if (review && !review(result)) {
                result.cancelled = true;
                return result;
            }
            break;
        }
        case Kind::List:
        case Kind::Workbook: {
            QByteArray bytes;
            QString error;
            if (!readWholeFile(path, bytes, error)) {
                result.error = QStringLiteral("%1: %2").arg(path, error);
                return result;
            }
            ViewListImport read = kindOf(info) == Kind::Workbook ? importViewListXlsx(*copy, bytes)
                                                                 : importViewList(*copy, bytes);
            result.rows = read.rows;
            if (!read.ok()) {
                result.refused = read.problems;
                return result;
            }
            result.viewsMade = read.changed.size();
            result.warnings = read.warnings;
            break;
        }
        case Kind::Unknown:
            result.error = QStringLiteral(
                               "%1: not a timetable feed (a .zip, or a folder with routes.txt) nor a "
                               "destination list (.csv or .xlsx)")
                               .arg(path);
            return result;
    }
    std::memcpy(&d, copy.get(), sizeof(sDane));
    return result;
}

FileDialogSpec importDestinationsDialog() {
    return {QStringLiteral("Import destinations"),
            QStringLiteral(
                "Timetable feed or destination list (*.zip;*.txt;*.csv;*.xlsx)|*.zip;*.txt;*.csv;*.xlsx"),
            QString(), QString(), false};
}

}  // namespace lt
