#include "depot/gtfs.h"

#include "depot/csv.h"
#include "depot/legibility.h"
#include "depot/viewlist.h"
#include "depot/zipfile.h"
#include "model/projectfile.h"
#include "render/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
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

/// Stands a line alone on the sign in the middle of its rows. The import
/// places the words itself, and a line laid where the top line of two goes
/// would hug the top of the sign with its lower half unlit.
void centreLoneLine(sWidok& w) {
    if (w.TypWidoku != vtTop && w.TypWidoku != vtLeftTop) return;
    sScreenImage& s = w.Gorny;
    if (movesUpDown(s)) return;
    const InkBox ink = inkAtOrigin(s);
    const RegionWindow win = regionWindow(w, Region::Gorny);
    if (ink.empty || win.height <= 0) return;
    const int y = (win.height - (ink.bottom - ink.top + 1)) / 2 - ink.top;
    s.Y = std::clamp(y, limits::Y.min, limits::Y.max);
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

// stop_times.txt is read in pieces of this size from a folder.
constexpr qint64 ChunkBytes = qint64{1} << 20;
// Its header is looked for within this many bytes.
constexpr qsizetype HeaderBytes = 64 * 1024;

/// A trip as stop_times.txt refers to it: the destination list's route, or
/// -1 for a trip of a route not chosen, and its direction.
struct TripRef {
    int route = -1;
    int direction = -1;
};

/// The fields of one record of bytes (no line end) at two columns, quotes
/// removed. False when a quote is not closed.
bool twoFields(QByteArrayView rec, char sep, int colA, int colB, QByteArray& a, QByteArray& b) {
    a.resize(0);
    b.resize(0);
    const char* p = rec.data();
    const char* const end = p + rec.size();
    if (!std::memchr(p, '"', static_cast<std::size_t>(rec.size()))) {
        // The common case: no quotes, so the fields lie between separators.
        int col = 0;
        while (true) {
            const char* next =
                static_cast<const char*>(std::memchr(p, sep, static_cast<std::size_t>(end - p)));
            const char* fieldEnd = next ? next : end;
            if (col == colA) a.append(p, fieldEnd - p);
            if (col == colB) b.append(p, fieldEnd - p);
            if (!next || (col >= colA && col >= colB)) break;
            p = next + 1;
            ++col;
        }
        return true;
    }
    int col = 0;
    QByteArray field;
    while (true) {
        field.resize(0);
        if (p < end && *p == '"') {
            ++p;
            while (true) {
                if (p >= end) return false;
                if (*p == '"') {
                    if (p + 1 < end && p[1] == '"') {
                        field.append('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field.append(*p++);
            }
            while (p < end && *p != sep) field.append(*p++);  // text after the closing quote
        } else {
            while (p < end && *p != sep) field.append(*p++);
        }
        if (col == colA) a = field;
        if (col == colB) b = field;
        if (p >= end) break;
        ++p;
        ++col;
    }
    return true;
}

/// Bytes of a field as one line of text: trimmed, control characters (line
/// breaks included) made spaces. False when they are not UTF-8.
bool fieldText(const QByteArray& bytes, QString& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError()) return false;
    bool control = false;
    for (QChar& c : text) {
        if (c.category() != QChar::Other_Control) continue;
        c = QLatin1Char(' ');
        control = true;
    }
    text = control ? text.simplified() : text.trimmed();
    return true;
}

QByteArray trimmedBytes(const QByteArray& b) {
    return b.isEmpty() || (!std::isspace(static_cast<unsigned char>(b.front())) &&
                           !std::isspace(static_cast<unsigned char>(b.back())))
               ? b
               : b.trimmed();
}

/// The header of stop_times.txt: the columns it has, told from its first
/// line. An empty error and stopHeadsign -1 when it has no stop_headsign.
struct StopTimesHeader {
    char separator = ',';
    int tripId = -1;
    int stopHeadsign = -1;
};

QString readStopTimesHeader(const GtfsTableReader& reader, StopTimesHeader& h) {
    QByteArray head;
    const QString error = reader([&](QByteArrayView piece) {
        head.append(piece.data(), std::min<qsizetype>(piece.size(), HeaderBytes - head.size()));
        return !head.contains('\n') && head.size() < HeaderBytes;
    });
    if (!error.isEmpty()) return error;
    if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);
    const qsizetype nl = head.indexOf('\n');
    if (nl >= 0) head.truncate(nl);
    if (head.endsWith('\r')) head.chop(1);
    QString text;
    if (!fieldText(head, text)) return QStringLiteral("stop_times.txt line 1: the file is not UTF-8");
    h.separator = csv::detectSeparator(text) == QLatin1Char(';') ? ';' : ',';
    const QStringList names = text.split(QLatin1Char(h.separator));
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString name = names[i].trimmed();
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        if (name == QLatin1String("trip_id") && h.tripId < 0) h.tripId = static_cast<int>(i);
        if (name == QLatin1String("stop_headsign") && h.stopHeadsign < 0)
            h.stopHeadsign = static_cast<int>(i);
    }
    if (h.stopHeadsign >= 0 && h.tripId < 0)
        return QStringLiteral("stop_times.txt line 1: the column \"trip_id\" is missing");
    return QString();
}

/// A reader over bytes held in memory.
GtfsTableReader memoryReader(const QByteArray& bytes) {
    return [bytes](const std::function<bool(QByteArrayView)>& take) {
        if (!bytes.isEmpty()) take(QByteArrayView(bytes));
        return QString();
    };
}

// The key table: which feed destination each view of each language holds,
// kept in the project's reserved block (the project file carries it
// unchanged, and nothing else reads it): a mark, one 64-bit key per view
// (0: none), then a check over the keys. A block without the mark or with a
// wrong check holds no keys.
constexpr char KeyMark[4] = {'L', 'T', 'F', 'K'};
constexpr std::size_t KeyCount = std::size_t{LanguageCount} * ViewCount;
constexpr std::size_t KeyTableOffset = offsetof(sDane, pbufX);
constexpr std::size_t KeyTableBytes = sizeof KeyMark + KeyCount * 8 + 8;
static_assert(offsetof(sDane, pbufY) == KeyTableOffset + sizeof(sDane::pbufX));
static_assert(KeyTableOffset + KeyTableBytes <= offsetof(sDane, pbufY) + sizeof(sDane::pbufY));

using KeyTable = std::array<std::uint64_t, KeyCount>;

std::uint64_t fnv1a(const unsigned char* p, std::size_t n) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 0x100000001b3ULL;
    }
    return h;
}

std::size_t keyIndex(int lang, int view) {
    return static_cast<std::size_t>(lang - 1) * ViewCount + static_cast<std::size_t>(view - 1);
}

KeyTable readKeys(const sDane& d) {
    KeyTable keys{};
    const auto* block = reinterpret_cast<const unsigned char*>(&d) + KeyTableOffset;
    if (std::memcmp(block, KeyMark, sizeof KeyMark) != 0) return keys;
    const unsigned char* stored = block + sizeof KeyMark;
    if (fnv1a(stored, KeyCount * 8) != qFromLittleEndian<quint64>(stored + KeyCount * 8)) return keys;
    for (std::size_t i = 0; i < KeyCount; ++i) keys[i] = qFromLittleEndian<quint64>(stored + 8 * i);
    return keys;
}

void writeKeys(sDane& d, const KeyTable& keys) {
    auto* block = reinterpret_cast<unsigned char*>(&d) + KeyTableOffset;
    std::memcpy(block, KeyMark, sizeof KeyMark);
    unsigned char* stored = block + sizeof KeyMark;
    for (std::size_t i = 0; i < KeyCount; ++i) qToLittleEndian<quint64>(keys[i], stored + 8 * i);
    qToLittleEndian<quint64>(fnv1a(stored, KeyCount * 8), stored + KeyCount * 8);
}

/// A view as a new project has it holds no destination, whatever its key
/// says: a new project keeps the block of the one open before.
bool asNewProjectHasIt(const sWidok& w, int view) {
    return ReadText(w.NazwaKursu, 128) == QStringLiteral("Destination #") + QString::number(view);
}

QString folded(const QString& text) {
    return text.simplified().toCaseFolded();
}

/// The destination name a view of the feed gets: route and headsign.
QString destinationName(const GtfsDestination& dest) {
    QString name = dest.route + QLatin1Char(' ') + dest.headsign;
    if (name.size() > NameLimit)
        name.truncate(name.at(NameLimit - 1).isHighSurrogate() ? NameLimit - 1 : NameLimit);
    return name;
}

/// Gives a field the feed's text when it holds that text but for case and
/// spaces; a text the operator changed stays. True when the field changed.
bool refreshText(char16_t* field, int capacity, const QString& feedText) {
    const QString now = ReadText(field, capacity);
    if (now == feedText || folded(now) != folded(feedText)) return false;
    StringToWideChar(feedText, field, capacity);
    return true;
}

/// A view that holds a destination of the feed, given the feed's texts
/// again in the lines its type shows them in, keeping every line the
/// operator changed, and switched on.
void refreshView(sWidok& w, const GtfsDestination& dest) {
    refreshText(w.NazwaKursu, 128, destinationName(dest));
    switch (w.TypWidoku) {
        case vtLeftTop:
        case vtLeftTopBottom:
            refreshText(w.Lewy.Text, 1024, dest.route);
            refreshText(w.Gorny.Text, 1024, dest.main);
            refreshText(w.Dolny.Text, 1024, dest.via);
            break;
        case vtTopBottom:
            refreshText(w.Gorny.Text, 1024, dest.route);
            refreshText(w.Dolny.Text, 1024, dest.headsign);
            break;
        default: break;
    }
    w.use = 1;
    if (w.Time <= 0 || w.Time > 99) w.Time = DefaultTime;
}

}  // namespace

QStringList gtfsDefaultViaWords() {
    return {QStringLiteral("via"),  QStringLiteral("über"), QStringLiteral("przez"),
            QStringLiteral("přes"), QStringLiteral("över"), QStringLiteral("par")};
}

namespace {

/// Streams stop_times.txt: every record with a stop_headsign of a chosen
/// trip gives the destination of the trip's route and that headsign. Only
/// the trip_id and stop_headsign columns are looked at, and a record's fields
/// are unpacked only when the headsign is not empty. `rows` receives the
/// number of records read.
template <typename Add>
QString readStopHeadsigns(const GtfsTableReader& reader, const StopTimesHeader& h,
                          const QHash<QByteArray, TripRef>& trips, const QList<QString>& routeNames,
                          const Add& add, qint64& rows) {
    rows = 0;
    QString failure;
    qint64 line = 1;  // the line the next record starts on
    bool header = true;
    bool start = true;
    QByteArray carry;  // the start of a record whose end is in the next piece
    QByteArray tripId, headsignBytes;
    // The last record's trip and headsign: a trip's stops mostly repeat both.
    QByteArray lastTrip, lastHeadsign;
    TripRef lastRef;
    bool lastKnown = false;

    const auto takeRecord = [&](QByteArrayView rec, int lineBreaks) -> bool {
        const qint64 at = line;
        line += lineBreaks;
        if (rec.endsWith('\r')) rec.chop(1);
        if (header) {
            header = false;
            return true;
        }
        if (rec.isEmpty()) return true;
        ++rows;
        if (!twoFields(rec, h.separator, h.tripId, h.stopHeadsign, tripId, headsignBytes)) {
            failure = QStringLiteral("stop_times.txt line %1: a quoted field is not closed").arg(at);
            return false;
        }
        headsignBytes = trimmedBytes(headsignBytes);
        if (headsignBytes.isEmpty()) return true;
        tripId = trimmedBytes(tripId);
        if (!lastKnown || tripId != lastTrip) {
            const auto it = trips.constFind(tripId);
            if (it == trips.constEnd()) {
                failure = QStringLiteral("stop_times.txt line %1: the trip_id \"%2\" is not in trips.txt")
                              .arg(at)
                              .arg(QString::fromUtf8(tripId));
                return false;
            }
            lastTrip = tripId;
            lastRef = it.value();
            lastKnown = true;
            lastHeadsign.clear();
        } else if (headsignBytes == lastHeadsign) {
            return true;
        }
        lastHeadsign = headsignBytes;
        if (lastRef.route < 0) return true;
        QString headsign;
        if (!fieldText(headsignBytes, headsign)) {
            failure = QStringLiteral("stop_times.txt line %1: the file is not UTF-8").arg(at);
            return false;
        }
        if (headsign.isEmpty()) return true;
        if (headsign.size() > BottomTextLimit) {
            failure = QStringLiteral(
                          "stop_times.txt line %1: the stop_headsign has %2 characters; a line of the sign "
                          "holds %3")
                          .arg(at)
                          .arg(headsign.size())
                          .arg(BottomTextLimit);
            return false;
        }
        add(routeNames[lastRef.route], headsign, lastRef.direction);
        return true;
    };

    // Splits the bytes into records at line ends outside quotes; returns
    // where the unfinished last record starts.
    const auto takeRecords = [&](const char* p, const char* end) -> const char* {
        while (p < end) {
            const char* recordStart = p;
            int breaks = 0;
            bool quoted = false;
            const char* q = p;
            while (true) {
                const char* nl =
                    static_cast<const char*>(std::memchr(q, '\n', static_cast<std::size_t>(end - q)));
                if (!nl) return recordStart;
                for (const char* c =
                         static_cast<const char*>(std::memchr(q, '"', static_cast<std::size_t>(nl - q)));
                     c; c = static_cast<const char*>(
                            std::memchr(c + 1, '"', static_cast<std::size_t>(nl - c - 1))))
                    quoted = !quoted;
                ++breaks;
                q = nl + 1;
                if (!quoted) {
                    if (!takeRecord(QByteArrayView(recordStart, nl - recordStart), breaks)) return nullptr;
                    p = q;
                    break;
                }
            }
        }
        return p;
    };

    const QString error = reader([&](QByteArrayView piece) {
        const char* p = piece.data();
        const char* const end = p + piece.size();
        if (start) {
            start = false;
            if (piece.startsWith("\xEF\xBB\xBF")) p += 3;
        }
        if (!carry.isEmpty()) {
            // Finish the record begun in the last piece first.
            const char* nl =
                static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            while (nl) {
                carry.append(p, nl + 1 - p);
                p = nl + 1;
                if (carry.count('"') % 2 == 0) break;
                nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            }
            if (!nl) {
                carry.append(p, end - p);
                if (carry.size() > MaxTableBytes) {
                    failure =
                        QStringLiteral("stop_times.txt line %1: a quoted field is not closed").arg(line);
                    return false;
                }
                return true;
            }
            const QByteArray whole = std::exchange(carry, QByteArray());
            if (!takeRecord(QByteArrayView(whole).chopped(1), static_cast<int>(whole.count('\n'))))
                return false;
        }
        const char* rest = takeRecords(p, end);
        if (!rest) return false;
        carry = QByteArray(rest, end - rest);
        return true;
    });
    if (!error.isEmpty()) return error;
    if (!failure.isEmpty()) return failure;
    if (!carry.isEmpty()) {
        // The last record, without a line end.
        if (carry.count('"') % 2 != 0)
            return QStringLiteral("stop_times.txt line %1: a quoted field is not closed").arg(line);
        if (!takeRecord(QByteArrayView(carry), static_cast<int>(carry.count('\n')))) return failure;
    }
    return QString();
}

}  // namespace

QString gtfsDestinations(const QHash<QString, QByteArray>& tables, const GtfsOptions& options,
                         QList<GtfsDestination>& out, GtfsCounts* counts, const GtfsTableReader& stopTimes) {
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

    // stop_times.txt is read only when its header has a stop_headsign; the
    // trips are then remembered by id, with their route and direction.
    GtfsTableReader stopReader = stopTimes;
    if (!stopReader) {
        const auto it = tables.constFind(QStringLiteral("stop_times.txt"));
        if (it != tables.constEnd()) stopReader = memoryReader(it.value());
    }
    StopTimesHeader stopHeader;
    if (stopReader) {
        if (QString e = readStopTimesHeader(stopReader, stopHeader); !e.isEmpty()) return e;
    }
    const bool stopHeadsigns = stopHeader.stopHeadsign >= 0;
    QList<QString> routeNames;  // the routes of chosen trips, by the index TripRef holds
    QHash<QString, int> routeIndex;
    QHash<QByteArray, TripRef> tripsById;
    int tripIdCol = -1;

    // One destination per route and headsign, with the lowest direction
    // seen. The trips are the large table, read a record at a time.
    QHash<QPair<QString, QString>, qsizetype> seen;
    const auto addDestination = [&](const QString& routeName, const QString& headsign, int direction) {
        const QPair<QString, QString> key(routeName, headsign);
        const auto at = seen.constFind(key);
        if (at != seen.constEnd()) {
            GtfsDestination& d = out[at.value()];
            if (direction >= 0 && (d.direction < 0 || direction < d.direction)) d.direction = direction;
            return;
        }
        GtfsDestination d;
        d.route = routeName;
        d.direction = direction;
        d.headsign = headsign;
        splitVia(headsign, viaWords, d.main, d.via);
        seen.insert(key, out.size());
        out.append(d);
    };
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
            if (stopHeadsigns) {
                tripIdCol = FeedTable::columnOf(rec.fields, QStringLiteral("trip_id"));
                if (tripIdCol < 0)
                    return QStringLiteral(
                        "the column \"trip_id\" is missing, which the stop_headsign of stop_times.txt "
                        "needs");
            }
            return QString();
        }
        ++c.trips;
        const QString id = FeedTable::field(rec, tripRoute);
        const auto route = byId.constFind(id);
        if (route == byId.constEnd())
            return QStringLiteral("the route_id \"%1\" is not in routes.txt").arg(id);
        const bool chosen = wanted.isEmpty() || wanted.contains(route->name) || wanted.contains(id);
        int direction = -1;
        const QString dirText = FeedTable::field(rec, directionCol);
        if (chosen && !dirText.isEmpty()) {
            bool ok = false;
            direction = dirText.toInt(&ok);
            if (!ok || direction < 0)
                return QStringLiteral("the direction_id \"%1\" is not 0 or 1").arg(dirText);
        }
        if (stopHeadsigns) {
            TripRef ref;
            if (chosen) {
                auto at = routeIndex.constFind(route->name);
                if (at == routeIndex.constEnd()) {
                    at = routeIndex.insert(route->name, static_cast<int>(routeNames.size()));
                    routeNames.append(route->name);
                }
                ref = {at.value(), direction};
            }
            tripsById.insert(FeedTable::field(rec, tripIdCol).toUtf8(), ref);
        }
        if (!chosen) return QString();
        const QString headsign = FeedTable::field(rec, headsignCol);
        if (headsign.isEmpty()) {
            ++c.withoutHeadsign;
            return QString();
        }
        if (headsign.size() > BottomTextLimit)
            return QStringLiteral("the headsign has %1 characters; a line of the sign holds %2")
                .arg(headsign.size())
                .arg(BottomTextLimit);
        addDestination(route->name, headsign, direction);
        return QString();
    };
    csv::ParseError error;
    if (!csv::forEachRecord(tripsBytes.value(), takeTrip, error)) {
        out.clear();
        return QStringLiteral("trips.txt line %1: %2").arg(error.line).arg(error.reason);
    }
    if (header) return QStringLiteral("trips.txt line 1: the file is empty");
    if (stopHeadsigns) {
        if (QString e =
                readStopHeadsigns(stopReader, stopHeader, tripsById, routeNames, addDestination, c.stopTimes);
            !e.isEmpty()) {
            out.clear();
            return e;
        }
    }
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

QString readGtfsFeed(const QString& feedPath, QHash<QString, QByteArray>& tables,
                     GtfsTableReader* stopTimes) {
    tables.clear();
    if (stopTimes) *stopTimes = {};
    // agency.txt and feed_info.txt only name the language the feed fills.
    const QStringList names = {QStringLiteral("routes.txt"), QStringLiteral("trips.txt"),
                               QStringLiteral("agency.txt"), QStringLiteral("feed_info.txt")};
    const auto optional = [](const QString& name) { return name.startsWith(u'a') || name.startsWith(u'f'); };
    const QString stopTimesName = QStringLiteral("stop_times.txt");
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
        const QString path = dir.filePath(stopTimesName);
        if (stopTimes && QFileInfo(path).isFile()) {
            *stopTimes = [path](const std::function<bool(QByteArrayView)>& take) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly))
                    return QStringLiteral("%1: %2").arg(path, file.errorString());
                QByteArray piece(ChunkBytes, Qt::Uninitialized);
                while (true) {
                    const qint64 n = file.read(piece.data(), ChunkBytes);
                    if (n < 0) return QStringLiteral("%1: %2").arg(path, file.errorString());
                    if (n == 0 || !take(QByteArrayView(piece.constData(), n))) return QString();
                }
            };
        }
        return QString();
    }
    auto zip = std::make_shared<ZipReader>();
    if (!zip->open(feedPath)) return QStringLiteral("%1: %2").arg(feedPath, zip->error());
    // The tables lie at the top of the archive; some feeds are packed with
    // the folder they were made in, so a single folder is looked in.
    const auto find = [&](const QString& name, int& index) -> QString {
        index = zip->indexOf(name, false);
        if (index >= 0) return QString();
        for (qsizetype i = 0; i < zip->names().size(); ++i) {
            const QString& n = zip->names()[i];
            if (n.count(QLatin1Char('/')) == 1 && n.endsWith(QLatin1Char('/') + name, Qt::CaseInsensitive)) {
                if (index >= 0)
                    return QStringLiteral("%1: more than one %2 in the archive").arg(feedPath, name);
                index = static_cast<int>(i);
            }
        }
        return QString();
    };
    for (const QString& name : names) {
        int index = -1;
        if (QString e = find(name, index); !e.isEmpty()) return e;
        if (index < 0 && optional(name)) continue;
        if (index < 0) return QStringLiteral("%1: the archive has no %2").arg(feedPath, name);
        const std::optional<QByteArray> bytes = zip->read(index, MaxTableBytes);
        if (!bytes) return QStringLiteral("%1: %2: %3").arg(feedPath, name, zip->error());
        tables.insert(name, *bytes);
    }
    if (stopTimes) {
        int index = -1;
        if (QString e = find(stopTimesName, index); !e.isEmpty()) return e;
        if (index >= 0) {
            *stopTimes = [zip, index, feedPath,
                          stopTimesName](const std::function<bool(QByteArrayView)>& take) {
                if (zip->readPieces(index, take)) return QString();
                return QStringLiteral("%1: %2: %3").arg(feedPath, stopTimesName, zip->error());
            };
        }
    }
    return QString();
}

QList<FitChange> makeDestinationView(sWidok& w, const GtfsDestination& dest, int lang, int view) {
    const sWidok base = w;
    const bool routeOnTop = dest.route.size() > LeftTextLimit || dest.main.size() > TopTextLimit;
    layOut(w, dest, routeOnTop);
    // A line the operator placed on a sign of one line stays where it is.
    if (!isTrue(base.use) || base.TypWidoku != w.TypWidoku) centreLoneLine(w);
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

std::uint64_t gtfsDestinationKey(const QString& route, const QString& headsign) {
    const QByteArray text = (folded(route) + QChar(0x1F) + folded(headsign)).toUtf8();
    const std::uint64_t key = fnv1a(reinterpret_cast<const unsigned char*>(text.constData()),
                                    static_cast<std::size_t>(text.size()));
    return key == 0 ? 1 : key;
}

std::uint64_t viewDestinationKey(const sDane& d, int lang, int view) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return 0;
    if (asNewProjectHasIt(widok(d, lang, view), view)) return 0;
    return readKeys(d)[keyIndex(lang, view)];
}

QString GtfsChange::text() const {
    static const char* const kinds[] = {"kept", "new", "gone", "refitted"};
    QString line =
        QStringLiteral("%1 %2/%3: %4").arg(QLatin1String(kinds[kind])).arg(lang).arg(view).arg(destination);
    if (kind == Gone) line += QStringLiteral(" (switched off)");
    if (back) line += QStringLiteral(" (back in use)");
    return line;
}

int GtfsImportResult::count(GtfsChange::Kind kind) const {
    return static_cast<int>(std::count_if(changes.begin(), changes.end(),
                                          [kind](const GtfsChange& c) { return c.kind == kind; }));
}

namespace {

GtfsImportResult importDestinations(const QHash<QString, QByteArray>& tables,
                                    const GtfsTableReader& stopTimes, sDane& d, const GtfsOptions& options) {
    GtfsImportResult result;
    if (options.lang < 1 || options.lang > LanguageCount) {
        result.error = QStringLiteral("language %1 is not one of 1..%2").arg(options.lang).arg(LanguageCount);
        return result;
    }
    QList<GtfsDestination> dests;
    result.error = gtfsDestinations(tables, options, dests, &result.counts, stopTimes);
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
    // A language still named as a new project leaves it takes the feed's.
    const QString langName = ReadText(work->Lang[lang - 1].Nazwa);
    if (langName.trimmed().isEmpty() || langName == QLatin1String("Not set")) {
        const QString fromFeed = feedLanguageName(tables);
        if (!fromFeed.isEmpty()) StringToWideChar(fromFeed, work->Lang[lang - 1].Nazwa);
    }
    const int count = static_cast<int>(dests.size());
    work->Lang[lang - 1].Use = 1;
    KeyTable keys = readKeys(*work);

    // Which view holds which destination: by the key the view carries, else,
    // for a view in use without one (a project imported before views kept
    // keys), by its destination name.
    QList<std::uint64_t> destKey(count);
    QHash<std::uint64_t, int> destByKey;
    for (int i = 0; i < count; ++i) {
        destKey[i] = gtfsDestinationKey(dests[i].route, dests[i].headsign);
        // Two destinations that differ only in case or spaces are told
        // apart by their exact texts.
        if (destByKey.contains(destKey[i])) {
            const QByteArray exact = (dests[i].route + QChar(0x1E) + dests[i].headsign).toUtf8();
            destKey[i] = fnv1a(reinterpret_cast<const unsigned char*>(exact.constData()),
                               static_cast<std::size_t>(exact.size())) |
                         1;
        }
        destByKey.insert(destKey[i], i);
    }
    std::array<std::uint64_t, ViewCount + 1> held{};
    std::array<int, ViewCount + 1> holds;  // the destination a view holds, or -1
    holds.fill(-1);
    QList<int> viewOf(count, 0);
    for (int v = 1; v <= ViewCount; ++v) {
        held[v] = viewDestinationKey(*work, lang, v);
        const auto at = held[v] ? destByKey.constFind(held[v]) : destByKey.constEnd();
        if (at != destByKey.constEnd() && viewOf[at.value()] == 0) {
            viewOf[at.value()] = v;
            holds[v] = at.value();
        }
    }
    QHash<QString, int> destByName;
    for (int i = 0; i < count; ++i) {
        if (viewOf[i] == 0) destByName.insert(folded(destinationName(dests[i])), i);
    }
    for (int v = 1; v <= ViewCount; ++v) {
        const sWidok& w = widok(*work, lang, v);
        if (held[v] || !isTrue(w.use) || asNewProjectHasIt(w, v)) continue;
        const auto at = destByName.constFind(folded(ReadText(w.NazwaKursu, 128)));
        if (at == destByName.constEnd() || viewOf[at.value()] != 0) continue;
        viewOf[at.value()] = v;
        holds[v] = at.value();
        held[v] = destKey[at.value()];
    }
    const bool anyHeld = std::any_of(held.begin() + 1, held.end(), [](std::uint64_t k) { return k != 0; });

    QList<QPair<int, int>> changed;
    const auto made = [&](int i, int view) {
        result.fitted += makeDestinationView(widok(*work, lang, view), dests[i], lang, view);
        keys[keyIndex(lang, view)] = destKey[i];
        changed.append({lang, view});
        result.changes.append({GtfsChange::New, lang, view, destinationName(dests[i]), false});
    };
    if (options.renumber || !anyHeld) {
        // A fresh import: the destinations from view 1 in natural order.
        result.renumbered = true;
        for (int v = 1; v <= ViewCount; ++v) {
            widok(*work, lang, v).use = 0;
            keys[keyIndex(lang, v)] = 0;
        }
        for (int i = 0; i < count; ++i) made(i, i + 1);
    } else {
        // New destinations take the views that never held one, lowest first;
        // a view switched off by an earlier import keeps its destination.
        QList<int> freeViews;
        for (int v = 1; v <= ViewCount; ++v) {
            if (!held[v] && !isTrue(widok(*work, lang, v).use)) freeViews.append(v);
        }
        const qsizetype newCount = std::count(viewOf.begin(), viewOf.end(), 0);
        if (newCount > freeViews.size()) {
            result.error = QStringLiteral(
                               "the feed has %1 new destinations, but only %2 views of language %3 never "
                               "held one; --renumber lays the feed out afresh from view 1")
                               .arg(newCount)
                               .arg(freeViews.size())
                               .arg(lang);
            return result;
        }
        for (int v = 1; v <= ViewCount; ++v) {
            sWidok& w = widok(*work, lang, v);
            const int i = holds[v];
            if (i >= 0) {
                const sWidok before = w;
                refreshView(w, dests[i]);
                const QList<FitChange> fitted = fitViewRecord(w, lang, v);
                result.fitted += fitted;
                keys[keyIndex(lang, v)] = destKey[i];
                if (std::memcmp(&before, &w, sizeof w) != 0) changed.append({lang, v});
                result.changes.append({fitted.isEmpty() ? GtfsChange::Kept : GtfsChange::Refitted, lang, v,
                                       destinationName(dests[i]), !isTrue(before.use)});
            } else if (held[v] && isTrue(w.use)) {
                w.use = 0;
                result.changes.append({GtfsChange::Gone, lang, v, ReadText(w.NazwaKursu, 128), false});
            }
        }
        qsizetype next = 0;
        for (int i = 0; i < count; ++i) {
            if (viewOf[i] == 0) made(i, freeViews[next++]);
        }
        std::sort(result.changes.begin(), result.changes.end(),
                  [](const GtfsChange& a, const GtfsChange& b) { return a.view < b.view; });
    }
    measureViews(*work, changed);
    writeKeys(*work, keys);
    result.viewsMade = count;
    std::memcpy(static_cast<void*>(&d), work.get(), sizeof d);
    return result;
}

}  // namespace

GtfsImportResult importGtfsTables(const QHash<QString, QByteArray>& tables, sDane& d,
                                  const GtfsOptions& options) {
    return importDestinations(tables, {}, d, options);
}

GtfsImportResult importGtfsFeed(const QString& feedPath, sDane& d, const GtfsOptions& options) {
    QHash<QString, QByteArray> tables;
    GtfsTableReader stopTimes;
    GtfsImportResult result;
    result.error = readGtfsFeed(feedPath, tables, &stopTimes);
    if (!result.ok()) return result;
    return importDestinations(tables, stopTimes, d, options);
}

}  // namespace lt
