#include "depot/gtfs.h"

#include "depot/csv.h"
#include "depot/legibility.h"
#include "depot/viewlist.h"
#include "depot/zipfile.h"
#include "model/projectfile.h"
#include "render/text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace lt {
namespace {

// A feed's table is read whole; the largest published ones are some hundred
// megabytes, and what lies beyond this is no timetable.
constexpr qint64 MaxTableBytes = qint64{1} << 30;

// The longest texts the editor takes into each field.
constexpr int LeftTextLimit = limits::TextLewy;
constexpr int TopTextLimit = limits::TextGorny;
constexpr int BottomTextLimit = limits::TextDolny;
constexpr int NameLimit = limits::NazwaKursu;
// The display time given to a view that had none.
constexpr int DefaultTime = 5;

/// One table of the feed, its columns found by name.
class FeedTable {
public:
    QString file;  // "routes.txt"
    csv::Table table;

    /// The position of a column, or -1.
    int column(const QString& name) const {
        return table.records.isEmpty() ? -1 : columnOf(table.records.first().fields, name);
    }
    static int columnOf(const QStringList& header, const QString& name) {
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (header[i].trimmed() == name) return static_cast<int>(i);
        }
        return -1;
    }
    /// A field of a record, trimmed; empty when the record is short. A line
    /// break or other control character (a quoted field may hold any) becomes
    /// a space, since every name of a feed is one line of text on the sign.
    static QString field(const csv::Record& r, int column) {
        if (column < 0 || column >= r.fields.size()) return QString();
        QString f = r.fields[column];
        bool control = false;
        for (QChar& c : f) {
            if (c.category() != QChar::Other_Control) continue;
            c = QLatin1Char(' ');
            control = true;
        }
        return control ? f.simplified() : f.trimmed();
    }
    int headerLine() const { return table.records.isEmpty() ? 1 : table.records.first().line; }
};

QString parseTable(const QHash<QString, QByteArray>& tables, const QString& file, FeedTable& out) {
    const auto it = tables.constFind(file);
    if (it == tables.constEnd()) return QStringLiteral("the feed has no %1").arg(file);
    out.file = file;
    csv::ParseError error;
    if (!csv::parse(it.value(), out.table, error))
        return QStringLiteral("%1 line %2: %3").arg(file).arg(error.line).arg(error.reason);
    if (out.table.records.isEmpty()) return QStringLiteral("%1 line 1: the file is empty").arg(file);
    return QString();
}

QString requireColumn(const FeedTable& t, const QString& name, int& column) {
    column = t.column(name);
    if (column >= 0) return QString();
    return QStringLiteral("%1 line %2: the column \"%3\" is missing")
        .arg(t.file)
        .arg(t.headerLine())
        .arg(name);
}

/// Natural order: runs of digits compare by their value, the rest without
/// regard to case, so "2" comes before "10" and "S40" before "S42".
int naturalCompare(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ie = i, je = j;
            while (ie < a.size() && a[ie].isDigit()) ++ie;
            while (je < b.size() && b[je].isDigit()) ++je;
            QStringView da = QStringView(a).mid(i, ie - i);
            QStringView db = QStringView(b).mid(j, je - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0')) da = da.mid(1);
            while (db.size() > 1 && db.front() == QLatin1Char('0')) db = db.mid(1);
            if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
            if (const int c = da.compare(db); c != 0) return c < 0 ? -1 : 1;
            i = ie;
            j = je;
        } else {
            const QString ca = QString(a[i]).toCaseFolded(), cb = QString(b[j]).toCaseFolded();
            if (const int c = ca.compare(cb); c != 0) return c < 0 ? -1 : 1;
            ++i;
            ++j;
        }
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

/// Splits a headsign before its first via word that follows another word.
void splitVia(const QString& headsign, const QSet<QString>& viaWords, QString& main, QString& via) {
    main = headsign;
    via.clear();
    qsizetype i = 0;
    bool first = true;
    while (i < headsign.size()) {
        while (i < headsign.size() && headsign[i].isSpace()) ++i;
        const qsizetype start = i;
        while (i < headsign.size() && !headsign[i].isSpace()) ++i;
        if (start == i) break;
        if (!first && viaWords.contains(headsign.mid(start, i - start).toCaseFolded())) {
            main = headsign.left(start).trimmed();
            via = headsign.mid(start).trimmed();
            return;
        }
        first = false;
    }
}

void setText(char16_t* field, const QString& text) {
    StringToWideChar(text, field, 1024);
}

/// Lays one destination out on a view: the route in the left box, the
/// headsign on the top line and its via part on the bottom one; or, for a
/// route too long for the left box, the route on the top line and the whole
/// headsign on the bottom one.
void layOut(sWidok& w, const GtfsDestination& dest, bool routeOnTop) {
    QString name = dest.route + QLatin1Char(' ') + dest.headsign;
    if (name.size() > NameLimit)
        name.truncate(name.at(NameLimit - 1).isHighSurrogate() ? NameLimit - 1 : NameLimit);
    setText(w.NazwaKursu, name);
    w.use = 1;
    if (!limits::Time.contains(w.Time)) w.Time = DefaultTime;
    if (routeOnTop) {
        w.TypWidoku = vtTopBottom;
        setText(w.Gorny.Text, dest.route);
        setText(w.Dolny.Text, dest.headsign);
    } else {
        w.TypWidoku = dest.via.isEmpty() ? vtLeftTop : vtLeftTopBottom;
        setText(w.Lewy.Text, dest.route);
        setText(w.Gorny.Text, dest.main);
        if (!dest.via.isEmpty()) setText(w.Dolny.Text, dest.via);
    }
}

/// Whether fitting kept the route in the left box standing, whole and at
/// the route floor.
bool routeReadsInLeftBox(const sWidok& before, const sWidok& after) {
    const sScreenImage& l = after.Lewy;
    const bool movedNow = l.Ruch != before.Lewy.Ruch && l.Ruch != mvNone;
    return !movedNow && regionLayout(after, Region::Lewy).fits() &&
           capitalHeight(l) >= capitalFloor(Region::Lewy, LegibilityRules{});
}

/// The fit of a destination: gtfs-import places the words itself, so a long
/// headsign may always go over both lines before it moves.
FitOptions destinationFit() {
    FitOptions options;
    options.split = true;
    return options;
}

/// A name for the display language a feed fills: the language the feed is
/// written in (feed_info.txt's feed_lang, else agency.txt's agency_lang) by
/// its English name, else the agency's name; empty when the feed says neither.
QString feedLanguageName(const QHash<QString, QByteArray>& tables) {
    const auto firstValue = [&tables](const QString& file, const QString& column) {
        FeedTable t;
        if (!parseTable(tables, file, t).isEmpty() || t.table.records.size() < 2) return QString();
        return FeedTable::field(t.table.records[1], t.column(column));
    };
    for (const auto& [file, column] :
         {std::pair{QStringLiteral("feed_info.txt"), QStringLiteral("feed_lang")},
          std::pair{QStringLiteral("agency.txt"), QStringLiteral("agency_lang")}}) {
        const QString code = firstValue(file, column);
        if (code.isEmpty()) continue;
        const QLocale locale(code);
        if (locale.language() != QLocale::C && locale.language() != QLocale::AnyLanguage)
            return QLocale::languageToString(locale.language());
    }
    return firstValue(QStringLiteral("agency.txt"), QStringLiteral("agency_name"));
}

QString readFeedFile(const QString& path, QByteArray& bytes) {
    QString error;
    if (!readWholeFile(path, bytes, error)) return error;
    if (bytes.size() > MaxTableBytes) return QStringLiteral("larger than %1 bytes").arg(MaxTableBytes);
    return QString();
}

}  // namespace

QStringList gtfsDefaultViaWords() {
    return {QStringLiteral("via"),  QStringLiteral("über"), QStringLiteral("przez"),
            QStringLiteral("přes"), QStringLiteral("över"), QStringLiteral("par")};
}

QString gtfsDestinations(const QHash<QString, QByteArray>& tables, const GtfsOptions& options,
                         QList<GtfsDestination>& out, GtfsCounts* counts) {
    out.clear();
    FeedTable routes;
    if (QString e = parseTable(tables, QStringLiteral("routes.txt"), routes); !e.isEmpty()) return e;
    const auto tripsBytes = tables.constFind(QStringLiteral("trips.txt"));
    if (tripsBytes == tables.constEnd()) return QStringLiteral("the feed has no trips.txt");
    int routeId = -1;
    if (QString e = requireColumn(routes, QStringLiteral("route_id"), routeId); !e.isEmpty()) return e;
    const int shortName = routes.column(QStringLiteral("route_short_name"));

    // The routes, by id: the name shown and the line that defines it.
    struct Route {
        QString name;
        int line = 0;
    };
    QHash<QString, Route> byId;
    QSet<QString> wanted;
    for (const QString& r : options.routes) {
        if (!r.trimmed().isEmpty()) wanted.insert(r.trimmed());
    }
    QSet<QString> matched;
    QHash<QString, QString> wantedName;  // a route asked for -> the name its destinations carry
    GtfsCounts c;
    for (qsizetype i = 1; i < routes.table.records.size(); ++i) {
        const csv::Record& rec = routes.table.records[i];
        const QString id = FeedTable::field(rec, routeId);
        if (id.isEmpty()) return QStringLiteral("routes.txt line %1: the route_id is empty").arg(rec.line);
        if (byId.contains(id))
            return QStringLiteral("routes.txt line %1: the route_id \"%2\" is already on line %3")
                .arg(rec.line)
                .arg(id)
                .arg(byId[id].line);
        QString name = FeedTable::field(rec, shortName);
        if (name.isEmpty()) name = id;
        if (name.size() > TopTextLimit)
            return QStringLiteral(
                       "routes.txt line %1: the route name \"%2\" has %3 characters; a line of the "
                       "sign holds %4")
                .arg(rec.line)
                .arg(name)
                .arg(name.size())
                .arg(TopTextLimit);
        byId.insert(id, {name, rec.line});
        ++c.routes;
        if (wanted.contains(name)) {
            matched.insert(name);
            wantedName.insert(name, name);
        }
        if (wanted.contains(id)) {
            matched.insert(id);
            wantedName.insert(id, name);
        }
    }
    for (const QString& r : options.routes) {
        if (!r.trimmed().isEmpty() && !matched.contains(r.trimmed()))
            return QStringLiteral(
                       "--routes: routes.txt has no route \"%1\" (neither a route_short_name nor a "
                       "route_id)")
                .arg(r.trimmed());
    }

    QSet<QString> viaWords;
    for (const QString& v : options.viaWords.isEmpty() ? gtfsDefaultViaWords() : options.viaWords) {
        if (!v.trimmed().isEmpty()) viaWords.insert(v.trimmed().toCaseFolded());
    }

    // One destination per route and headsign, with the lowest direction
    // seen. The trips are the large table, read a record at a time.
    QHash<QPair<QString, QString>, qsizetype> seen;
    int tripRoute = -1, headsignCol = -1, directionCol = -1;
    bool header = true;
    const auto takeTrip = [&](const csv::Record& rec) -> QString {
        if (header) {
            header = false;
            tripRoute = FeedTable::columnOf(rec.fields, QStringLiteral("route_id"));
            headsignCol = FeedTable::columnOf(rec.fields, QStringLiteral("trip_headsign"));
            directionCol = FeedTable::columnOf(rec.fields, QStringLiteral("direction_id"));
            if (tripRoute < 0) return QStringLiteral("the column \"route_id\" is missing");
            if (headsignCol < 0) return QStringLiteral("the column \"trip_headsign\" is missing");
            return QString();
        }
        ++c.trips;
        const QString id = FeedTable::field(rec, tripRoute);
        const auto route = byId.constFind(id);
        if (route == byId.constEnd())
            return QStringLiteral("the route_id \"%1\" is not in routes.txt").arg(id);
        if (!wanted.isEmpty() && !wanted.contains(route->name) && !wanted.contains(id)) return QString();
        const QString headsign = FeedTable::field(rec, headsignCol);
        if (headsign.isEmpty()) {
            ++c.withoutHeadsign;
            return QString();
        }
        if (headsign.size() > BottomTextLimit)
            return QStringLiteral("the headsign has %1 characters; a line of the sign holds %2")
                .arg(headsign.size())
                .arg(BottomTextLimit);
        int direction = -1;
        const QString dirText = FeedTable::field(rec, directionCol);
        if (!dirText.isEmpty()) {
            bool ok = false;
            direction = dirText.toInt(&ok);
            if (!ok || direction < 0)
                return QStringLiteral("the direction_id \"%1\" is not 0 or 1").arg(dirText);
        }
        const QPair<QString, QString> key(route->name, headsign);
        const auto at = seen.constFind(key);
        if (at != seen.constEnd()) {
            GtfsDestination& d = out[at.value()];
            if (direction >= 0 && (d.direction < 0 || direction < d.direction)) d.direction = direction;
            return QString();
        }
        GtfsDestination d;
        d.route = route->name;
        d.direction = direction;
        d.headsign = headsign;
        splitVia(headsign, viaWords, d.main, d.via);
        seen.insert(key, out.size());
        out.append(d);
        return QString();
    };
    csv::ParseError error;
    if (!csv::forEachRecord(tripsBytes.value(), takeTrip, error)) {
        out.clear();
        return QStringLiteral("trips.txt line %1: %2").arg(error.line).arg(error.reason);
    }
    if (header) return QStringLiteral("trips.txt line 1: the file is empty");
    std::sort(out.begin(), out.end(), [](const GtfsDestination& a, const GtfsDestination& b) {
        if (const int r = naturalCompare(a.route, b.route); r != 0) return r < 0;
        if (a.direction != b.direction) return a.direction < b.direction;
        return naturalCompare(a.headsign, b.headsign) < 0;
    });
    QSet<QString> served;
    for (const GtfsDestination& d : out) served.insert(d.route);
    for (const QString& r : options.routes)
        if (!r.trimmed().isEmpty() && !served.contains(wantedName.value(r.trimmed())) &&
            !c.routesWithoutDestination.contains(r.trimmed()))
            c.routesWithoutDestination << r.trimmed();
    if (counts) *counts = c;
    return QString();
}

QString readGtfsFeed(const QString& feedPath, QHash<QString, QByteArray>& tables) {
    tables.clear();
    // agency.txt and feed_info.txt only name the language the feed fills.
    const QStringList names = {QStringLiteral("routes.txt"), QStringLiteral("trips.txt"),
                               QStringLiteral("agency.txt"), QStringLiteral("feed_info.txt")};
    const auto optional = [](const QString& name) { return name.startsWith(u'a') || name.startsWith(u'f'); };
    const QFileInfo info(feedPath);
    if (!info.exists()) return QStringLiteral("%1: no such file or folder").arg(feedPath);
    if (info.isDir()) {
        const QDir dir(feedPath);
        for (const QString& name : names) {
            const QString path = dir.filePath(name);
            if (!QFileInfo::exists(path)) {
                if (optional(name)) continue;
                return QStringLiteral("%1: the folder has no %2").arg(feedPath, name);
            }
            QByteArray bytes;
            if (QString e = readFeedFile(path, bytes); !e.isEmpty())
                return QStringLiteral("%1: %2").arg(path, e);
            tables.insert(name, bytes);
        }
        return QString();
    }
    ZipReader zip;
    if (!zip.open(feedPath)) return QStringLiteral("%1: %2").arg(feedPath, zip.error());
    for (const QString& name : names) {
        // The tables lie at the top of the archive; some feeds are packed
        // with the folder they were made in, so a single folder is looked in.
        int index = zip.indexOf(name, false);
        if (index < 0) {
            for (qsizetype i = 0; i < zip.names().size(); ++i) {
                const QString& n = zip.names()[i];
                if (n.count(QLatin1Char('/')) == 1 &&
                    n.endsWith(QLatin1Char('/') + name, Qt::CaseInsensitive)) {
                    if (index >= 0)
                        return QStringLiteral("%1: more than one %2 in the archive").arg(feedPath, name);
                    index = static_cast<int>(i);
                }
            }
        }
        if (index < 0 && optional(name)) continue;
        if (index < 0) return QStringLiteral("%1: the archive has no %2").arg(feedPath, name);
        const std::optional<QByteArray> bytes = zip.read(index, MaxTableBytes);
        if (!bytes) return QStringLiteral("%1: %2: %3").arg(feedPath, name, zip.error());
        tables.insert(name, *bytes);
    }
    return QString();
}

QList<FitChange> makeDestinationView(sWidok& w, const GtfsDestination& dest, int lang, int view) {
    const sWidok base = w;
    const bool routeOnTop = dest.route.size() > LeftTextLimit || dest.main.size() > TopTextLimit;
    layOut(w, dest, routeOnTop);
    const sWidok laidOut = w;
    QList<FitChange> changes = fitViewRecord(w, lang, view, destinationFit(), nullptr);
    // Where the route does not read whole in the left box, it goes on the top
    // line instead.
    if (!routeOnTop && !routeReadsInLeftBox(laidOut, w)) {
        w = base;
        layOut(w, dest, true);
        changes = fitViewRecord(w, lang, view, destinationFit(), nullptr);
    }
    return changes;
}

GtfsImportResult importGtfsTables(const QHash<QString, QByteArray>& tables, sDane& d,
                                  const GtfsOptions& options) {
    GtfsImportResult result;
    if (options.lang < 1 || options.lang > LanguageCount) {
        result.error = QStringLiteral("language %1 is not one of 1..%2").arg(options.lang).arg(LanguageCount);
        return result;
    }
    QList<GtfsDestination> dests;
    result.error = gtfsDestinations(tables, options, dests, &result.counts);
    if (!result.ok()) return result;
    if (dests.isEmpty()) {
        result.error =
            options.routes.isEmpty()
                ? QStringLiteral("trips.txt: no trip has a trip_headsign, so there is no destination")
                : QStringLiteral("trips.txt: no trip of the chosen routes has a trip_headsign");
        return result;
    }
    if (dests.size() > ViewCount) {
        QSet<QString> routeNames;
        for (const GtfsDestination& dest : dests) routeNames.insert(dest.route);
        result.error = QStringLiteral(
                           "the feed has %1 destinations (pairs of route and headsign) on %2 routes, "
                           "but a language holds %3 views; choose routes with --routes R1,R2,...")
                           .arg(dests.size())
                           .arg(routeNames.size())
                           .arg(ViewCount);
        return result;
    }

    // Everything is made on a copy, so a failure leaves the project as it was.
    auto work = std::make_unique<sDane>(d);
    const int lang = options.lang;
    work->Lang[lang - 1].Use = 1;
    // A language still named as a new project leaves it takes the feed's.
    const QString langName = ReadText(work->Lang[lang - 1].Nazwa);
    if (langName.trimmed().isEmpty() || langName == QLatin1String("Not set")) {
        const QString fromFeed = feedLanguageName(tables);
        if (!fromFeed.isEmpty()) StringToWideChar(fromFeed, work->Lang[lang - 1].Nazwa);
    }
    for (int v = 1; v <= ViewCount; ++v) widok(*work, lang, v).use = 0;
    const int count = static_cast<int>(dests.size());
    QList<QPair<int, int>> made;
    for (int i = 0; i < count; ++i) {
        const int view = i + 1;
        result.fitted += makeDestinationView(widok(*work, lang, view), dests[i], lang, view);
        made.append({lang, view});
    }
    renderViews(*work, made);
    result.viewsMade = count;
    std::memcpy(static_cast<void*>(&d), work.get(), sizeof d);
    return result;
}

GtfsImportResult importGtfsFeed(const QString& feedPath, sDane& d, const GtfsOptions& options) {
    QHash<QString, QByteArray> tables;
    GtfsImportResult result;
    result.error = readGtfsFeed(feedPath, tables);
    if (!result.ok()) return result;
    return importGtfsTables(tables, d, options);
}

}  // namespace lt
