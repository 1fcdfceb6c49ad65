#include "depot/viewlist.h"

#include "depot/checks.h"
#include "depot/csv.h"
#include "depot/xlsx.h"
#include "render/preview.h"
#include "render/view.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <type_traits>

namespace lt {
namespace {

enum class Kind { Language, View, Use, Number, Choice, Text };

/// One column of the list and the field of a view it stands for.
struct Column {
    QString name;
    Kind kind = Kind::Number;
    int lo = 0;
    int hi = 0;
    QStringList texts;                             // Choice: the list texts in code order, the exported form
    int maxLength = 0;                             // Text: the editor's limit in characters
    int capacity = 0;                              // Text: units of the field
    QStringList aliases;                           // Choice: other names read in code order, never written
    std::function<std::int32_t*(sWidok&)> number;  // Number, Choice
    std::function<char16_t*(sWidok&)> text;        // Text
    sScreenImage sWidok::*movementOf = nullptr;    // a movement column: its region restarts on a change
};

QStringList colourNames() {
    return {QStringLiteral("black"),   QStringLiteral("red"),    QStringLiteral("green"),
            QStringLiteral("blue"),    QStringLiteral("yellow"), QStringLiteral("cyan"),
            QStringLiteral("magenta"), QStringLiteral("white")};
}

QString normalisedHeader(const QString& h) {
    QString n = h.trimmed().toLower().simplified();
    n.replace(QLatin1String("color"), QLatin1String("colour"));
    return n;
}

Column column(const QString& name, Kind kind, int lo = 0, int hi = 0) {
    Column c;
    c.name = name;
    c.kind = kind;
    c.lo = lo;
    c.hi = hi;
    return c;
}

const QList<Column>& columns() {
    static const QList<Column> list = [] {
        QList<Column> c;
        c.append(column(QStringLiteral("Language"), Kind::Language));
        c.append(column(QStringLiteral("View"), Kind::View));
        c.append(column(QStringLiteral("In use"), Kind::Use));
        Column time =
            column(QStringLiteral("Time"), Kind::Number, limits::TimeColumn.min, limits::TimeColumn.max);
        time.number = [](sWidok& w) { return &w.Time; };
        c.append(time);
        Column name = column(QStringLiteral("Destination"), Kind::Text);
        name.maxLength = limits::NazwaKursu;
        name.capacity = std::extent_v<decltype(sWidok::NazwaKursu)>;
        name.text = [](sWidok& w) { return w.NazwaKursu; };
        c.append(name);
        Column type =
            column(QStringLiteral("View type"), Kind::Choice, limits::TypWidoku.min, limits::TypWidoku.max);
        type.aliases = {QStringLiteral("vtTop"), QStringLiteral("vtTopBottom"), QStringLiteral("vtLeftTop"),
                        QStringLiteral("vtLeftTopBottom")};
        type.number = [](sWidok& w) { return &w.TypWidoku; };
        c.append(type);

        struct ListRegion {
            const char* word;
            sScreenImage sWidok::*member;
            int maxLength;
        };
        const ListRegion regions[] = {{"Left", &sWidok::Lewy, limits::TextLewy},
                                      {"Top", &sWidok::Gorny, limits::TextGorny},
                                      {"Bottom", &sWidok::Dolny, limits::TextDolny}};
        for (const ListRegion& r : regions) {
            Column t = column(QLatin1String(r.word) + QStringLiteral(" text"), Kind::Text);
            t.maxLength = r.maxLength;
            t.capacity = std::extent_v<decltype(sScreenImage::Text)>;
            const auto m = r.member;
            t.text = [m](sWidok& w) { return (w.*m).Text; };
            c.append(t);
        }
        for (const ListRegion& r : regions) {
            const QString word = QLatin1String(r.word);
            const auto m = r.member;
            Column font = column(word + QStringLiteral(" font"), Kind::Text);
            font.maxLength = limits::FontName;
            font.capacity = std::extent_v<decltype(sScreenImage::FontName)>;
            font.text = [m](sWidok& w) { return (w.*m).FontName; };
            c.append(font);
            Column size = column(word + QStringLiteral(" size"), Kind::Number, limits::FontSize.min,
                                 limits::FontSize.max);
            size.number = [m](sWidok& w) { return &(w.*m).FontSize; };
            c.append(size);
            Column style =
                column(word + QStringLiteral(" style"), Kind::Choice, limits::Styl.min, limits::Styl.max);
            style.texts = StyleTexts();
            style.number = [m](sWidok& w) { return &(w.*m).Styl; };
            c.append(style);
            Column fc = column(word + QStringLiteral(" font colour"), Kind::Choice, limits::Color.min,
                               limits::Color.max);
            fc.texts = colourNames();
            fc.number = [m](sWidok& w) { return &(w.*m).FontColor; };
            c.append(fc);
            Column bc = column(word + QStringLiteral(" background colour"), Kind::Choice, limits::Color.min,
                               limits::Color.max);
            bc.texts = colourNames();
            bc.number = [m](sWidok& w) { return &(w.*m).BackColor; };
            c.append(bc);
            Column mv =
                column(word + QStringLiteral(" movement"), Kind::Choice, limits::Ruch.min, limits::Ruch.max);
            mv.texts = MovementTexts();
            mv.number = [m](sWidok& w) { return &(w.*m).Ruch; };
            mv.movementOf = m;
            c.append(mv);
            Column sp =
                column(word + QStringLiteral(" speed"), Kind::Number, limits::Speed.min, limits::Speed.max);
            sp.number = [m](sWidok& w) { return &(w.*m).Speed; };
            c.append(sp);
            Column x = column(word + QStringLiteral(" X"), Kind::Number, limits::X.min, limits::X.max);
            x.number = [m](sWidok& w) { return &(w.*m).X; };
            c.append(x);
            Column y = column(word + QStringLiteral(" Y"), Kind::Number, limits::Y.min, limits::Y.max);
            y.number = [m](sWidok& w) { return &(w.*m).Y; };
            c.append(y);
        }
        Column bx = column(QStringLiteral("BarX"), Kind::Number, limits::BarX.min, limits::BarX.max);
        bx.number = [](sWidok& w) { return &w.BarX; };
        c.append(bx);
        Column by = column(QStringLiteral("BarY"), Kind::Number, limits::BarY.min, limits::BarY.max);
        by.number = [](sWidok& w) { return &w.BarY; };
        c.append(by);
        return c;
    }();
    return list;
}

QString exportValue(const Column& col, const sWidok& w, int lang, int view) {
    // The accessors hand out fields of a view; exporting only reads them.
    sWidok& v = const_cast<sWidok&>(w);
    switch (col.kind) {
        case Kind::Language: return QString::number(lang);
        case Kind::View: return QString::number(view);
        case Kind::Use: return isTrue(w.use) ? QStringLiteral("yes") : QStringLiteral("no");
        case Kind::Number: return QString::number(*col.number(v));
        case Kind::Choice: {
            const std::int32_t code = *col.number(v);
            if (code >= 0 && code < col.texts.size()) return col.texts[code];
            return QString::number(code);
        }
        case Kind::Text: return ReadText(col.text(v), col.capacity);
    }
    return QString();
}

bool parseInt(const QString& s, int& value) {
    bool ok = false;
    const QString t = s.trimmed();
    value = t.toInt(&ok, 10);
    return ok;
}

QString choiceList(const Column& col) {
    QStringList quoted;
    for (const QString& t : col.texts.isEmpty() ? col.aliases : col.texts)
        quoted << QLatin1Char('"') + t + QLatin1Char('"');
    return quoted.join(QLatin1String(", "));
}

/// Reads a value for a Number or Choice column; empty reason on success.
QString readCode(const Column& col, const QString& cell, std::int32_t stored, std::int32_t& code) {
    const QString t = cell.trimmed();
    if (t.isEmpty()) return QStringLiteral("%1 is empty").arg(col.name);
    for (qsizetype i = 0; i < col.texts.size(); ++i) {
        if (t.compare(col.texts[i], Qt::CaseInsensitive) == 0) {
            code = static_cast<std::int32_t>(i);
            return QString();
        }
    }
    for (qsizetype i = 0; i < col.aliases.size(); ++i) {
        if (t.compare(col.aliases[i], Qt::CaseInsensitive) == 0) {
            code = static_cast<std::int32_t>(i);
            return QString();
        }
    }
    int v = 0;
    if (!parseInt(t, v)) {
        if (col.kind == Kind::Choice)
            return QStringLiteral("%1 \"%2\" is none of %3 nor a number %4..%5")
                .arg(col.name, cell, choiceList(col))
                .arg(col.lo)
                .arg(col.hi);
        return QStringLiteral("%1 \"%2\" is not a whole number").arg(col.name, cell);
    }
    // The stored value passes even outside the range, so a list exported
    // from a project made elsewhere reads back as it was.
    if (v != stored && (v < col.lo || v > col.hi))
        return QStringLiteral("%1 %2 is outside %3..%4").arg(col.name).arg(v).arg(col.lo).arg(col.hi);
    code = v;
    return QString();
}

bool readBool(const QString& cell, bool& value) {
    const QString t = cell.trimmed().toLower();
    if (t == QLatin1String("yes") || t == QLatin1String("1") || t == QLatin1String("true")) {
        value = true;
        return true;
    }
    if (t == QLatin1String("no") || t == QLatin1String("0") || t == QLatin1String("false")) {
        value = false;
        return true;
    }
    return false;
}

/// Whether a column's cells are numbers in the exported list.
bool numericColumn(const Column& col) {
    return col.kind == Kind::Language || col.kind == Kind::View || col.kind == Kind::Number ||
           (col.kind == Kind::Choice && col.texts.isEmpty());
}

/// The byte Windows-1252 gives a character, or -1 when it gives none. The
/// five bytes it leaves undefined read as the C1 characters of their value.
int windows1252Byte(QChar c) {
    static const char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    const char16_t u = c.unicode();
    for (int i = 0; i < 32; ++i) {
        if (high[i] == u) return 0x80 + i;
    }
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    return -1;
}

/// The first run of characters that are the bytes of a UTF-8 sequence read
/// as Windows-1252 ("Ã¤" for "ä"), with the character it stood for; empty
/// when the text holds none.
QPair<QString, QString> misreadUtf8(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int lead = windows1252Byte(text[i]);
        int extra = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            extra = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            extra = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            extra = 3;
        if (extra == 0 || i + extra >= text.size()) continue;
        QByteArray bytes(1, char(lead));
        for (int k = 1; k <= extra; ++k) {
            const int b = windows1252Byte(text[i + k]);
            if (b < 0x80 || b > 0xBF) break;
            bytes += char(b);
        }
        if (bytes.size() != extra + 1) continue;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8.decode(bytes);
        if (utf8.hasError() || decoded.isEmpty()) continue;
        return {text.mid(i, extra + 1), decoded};
    }
    return {};
}

QString misreadAdvice() {
    return QStringLiteral(
        "the list was opened in the wrong character set (Windows-1252) and saved again; open the "
        "file it came from choosing the character set UTF-8 (Unicode), or save the list as \"CSV UTF-8\" "
        "or .xlsx");
}

QString quotedText(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

/// A cell as the change list shows it: texts quoted, the rest as exported.
QString shownValue(const Column& col, const sWidok& w) {
    const QString v = exportValue(col, w, 0, 0);
    return col.kind == Kind::Text ? quotedText(v) : v;
}

bool startsFormula(QChar c) {
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

/// Applies the records of a list (the header first) to the project. A sheet
/// numbers its rows and has no apostrophe rule; CSV numbers lines.
ViewListImport applyRows(sDane& d, const QList<csv::Record>& records, bool sheet,
                         const ViewListImportOptions& options) {
    ViewListImport result;
    auto problem = [&](int line, const QString& reason) { result.problems.append({line, reason, sheet}); };
    if (records.isEmpty()) {
        problem(1, QStringLiteral("the list is empty; the first row names the columns"));
        return result;
    }

    // The header: every name must be a known column, each at most once. A
    // column without a name (spreadsheets write them after the last one)
    // is left out, as long as it holds nothing.
    constexpr int Unnamed = -2;
    const csv::Record& header = records.first();
    if (!header.fields.isEmpty() && header.fields.first().startsWith(QString::fromUtf8("ï»¿"))) {
        problem(header.line,
                QStringLiteral("the header starts with \"%1\", the byte-order mark of UTF-8 read as "
                               "Windows-1252: %2")
                    .arg(QString::fromUtf8("ï»¿"), misreadAdvice()));
        return result;
    }
    QHash<QString, int> known;
    for (qsizetype i = 0; i < columns().size(); ++i)
        known.insert(normalisedHeader(columns()[i].name), int(i));
    QList<int> colOf;  // field position -> column index
    QSet<int> seen;
    bool unknown = false;
    for (const QString& h : header.fields) {
        if (h.trimmed().isEmpty()) {
            colOf << Unnamed;
            continue;
        }
        const int idx = known.value(normalisedHeader(h), -1);
        if (idx < 0) {
            const auto misread = misreadUtf8(h);
            if (!misread.first.isEmpty())
                problem(header.line, QStringLiteral("column \"%1\" looks like UTF-8 read as Windows-1252 "
                                                    "(\"%2\" for \"%3\"): %4")
                                         .arg(h, misread.first, misread.second, misreadAdvice()));
            else
                problem(header.line, QStringLiteral("unknown column \"%1\"").arg(h));
            unknown = true;
        } else if (seen.contains(idx)) {
            problem(header.line, QStringLiteral("column \"%1\" appears twice").arg(h));
        }
        seen.insert(idx);
        colOf << idx;
    }
    if (unknown)
        problem(header.line, QStringLiteral("the columns a list may have are: %1")
                                 .arg(viewListColumns().join(QLatin1String(", "))));
    for (const int key : {0, 1}) {
        if (!seen.contains(key))
            problem(header.line, QStringLiteral("the column \"%1\" is missing").arg(columns()[key].name));
    }
    if (!result.problems.isEmpty()) return result;

    auto work = std::make_unique<sDane>(d);
    QHash<int, int> rowOfView;         // (language * 1000 + view) -> line
    int idleRows[LanguageCount] = {};  // rows for a switched-off language that change nothing
    for (qsizetype r = 1; r < records.size(); ++r) {
        const csv::Record& rec = records[r];
        bool blank = true;
        for (const QString& f : rec.fields) blank = blank && f.trimmed().isEmpty();
        if (blank) continue;  // spreadsheets write rows of empty cells
        ++result.rows;
        auto refuse = [&](const QString& reason) { problem(rec.line, reason); };
        if (rec.fields.size() != header.fields.size()) {
            refuse(QStringLiteral("%1 fields, the header has %2")
                       .arg(rec.fields.size())
                       .arg(header.fields.size()));
            continue;
        }
        // Which view the row is for.
        int lang = 0;
        int view = 0;
        for (qsizetype f = 0; f < rec.fields.size(); ++f) {
            if (colOf[f] == Unnamed) {
                if (!rec.fields[f].trimmed().isEmpty())
                    refuse(QStringLiteral("field %1 holds \"%2\" but its column has no name")
                               .arg(f + 1)
                               .arg(rec.fields[f]));
                continue;
            }
            const Column& col = columns()[colOf[f]];
            const QString cell = rec.fields[f].trimmed();
            if (col.kind == Kind::Language) {
                int n = 0;
                if (parseInt(cell, n)) {
                    if (n >= 1 && n <= LanguageCount) lang = n;
                } else {
                    int matches = 0;
                    for (int l = 1; l <= LanguageCount; ++l) {
                        if (ReadText(work->Lang[l - 1].Nazwa).trimmed().compare(cell, Qt::CaseInsensitive) ==
                            0) {
                            lang = l;
                            ++matches;
                        }
                    }
                    if (matches > 1) lang = -1;
                }
                if (lang == 0)
                    refuse(QStringLiteral("unknown language \"%1\" (1..3 or a language's name)")
                               .arg(rec.fields[f]));
                if (lang == -1)
                    refuse(QStringLiteral("language \"%1\" names more than one language; write its number")
                               .arg(rec.fields[f]));
            } else if (col.kind == Kind::View) {
                int n = 0;
                if (parseInt(cell, n) && n >= 1 && n <= ViewCount)
                    view = n;
                else
                    refuse(QStringLiteral("unknown view \"%1\" (views are 1..300)").arg(rec.fields[f]));
            }
        }
        if (lang <= 0 || view == 0) continue;
        const int key = lang * 1000 + view;
        if (rowOfView.contains(key)) {
            refuse(QStringLiteral("view %1 of language %2 is already set on %3 %4")
                       .arg(view)
                       .arg(lang)
                       .arg(sheet ? QStringLiteral("row") : QStringLiteral("line"))
                       .arg(rowOfView[key]));
            continue;
        }
        rowOfView.insert(key, rec.line);

        sWidok& w = widok(*work, lang, view);
        const qsizetype changesBefore = result.changes.size();
        for (qsizetype f = 0; f < rec.fields.size(); ++f) {
            if (colOf[f] == Unnamed) continue;
            const Column& col = columns()[colOf[f]];
            const QString& cell = rec.fields[f];
            const QString before = shownValue(col, w);
            switch (col.kind) {
                case Kind::Language:
                case Kind::View: break;
                case Kind::Use: {
                    bool on = false;
                    if (!readBool(cell, on)) {
                        refuse(QStringLiteral("%1 \"%2\" is neither yes nor no").arg(col.name, cell));
                        break;
                    }
                    if (on != isTrue(w.use)) w.use = on ? 1 : 0;
                    break;
                }
                case Kind::Number:
                case Kind::Choice: {
                    std::int32_t* field = col.number(w);
                    std::int32_t code = 0;
                    const QString reason = readCode(col, cell, *field, code);
                    if (!reason.isEmpty()) {
                        refuse(reason);
                        break;
                    }
                    if (code != *field) {
                        *field = code;
                        if (col.movementOf) {
                            // As the movement selector: restart from offset 0.
                            sScreenImage& region = w.*col.movementOf;
                            region.AnimX = 0;
                            region.AnimY = 0;
                            region.Timer = code != mvNone ? 1 : 0;
                        }
                    }
                    break;
                }
                case Kind::Text: {
                    const QString text = sheet ? cell : unguardFormula(cell);
                    char16_t* field = col.text(w);
                    if (ReadText(field, col.capacity) == text) break;
                    const auto misread = misreadUtf8(text);
                    if (!misread.first.isEmpty()) {
                        refuse(QStringLiteral(
                                   "%1 \"%2\" looks like UTF-8 read as Windows-1252 (\"%3\" for \"%4\"): %5")
                                   .arg(col.name, text, misread.first, misread.second, misreadAdvice()));
                        break;
                    }
                    const QString control = controlCharacterIn(text);
                    if (!control.isEmpty()) {
                        refuse(QStringLiteral("%1 holds %2; one line of the sign cannot show it")
                                   .arg(col.name, control));
                        break;
                    }
                    if (text.size() > col.maxLength) {
                        refuse(QStringLiteral("%1 is %2 characters long, at most %3 fit")
                                   .arg(col.name)
                                   .arg(text.size())
                                   .arg(col.maxLength));
                        break;
                    }
                    StringToWideChar(text, field, col.capacity);
                    break;
                }
            }
            const QString after = shownValue(col, w);
            if (after != before) result.changes.append({lang, view, col.name, before, after});
        }
        if (result.changes.size() == changesBefore) {
            if (lang != 1 && !isTrue(work->Lang[lang - 1].Use)) ++idleRows[lang - 1];
            continue;
        }
        result.changed.append({lang, view});
        // A changed view of a language that is switched off would never be
        // shown: switch the language on when asked to, else refuse the row.
        sLang& language = work->Lang[lang - 1];
        if (lang != 1 && !isTrue(language.Use)) {
            const QString name = QStringLiteral("language %1 \"%2\"").arg(lang).arg(ReadText(language.Nazwa));
            if (options.switchOn) {
                language.Use = 1;
                result.changes.insert(changesBefore, {lang, 0, QStringLiteral("In use"), QStringLiteral("no"),
                                                      QStringLiteral("yes")});
                result.warnings << QStringLiteral("%1 was switched off and is now switched on").arg(name);
            } else {
                refuse(QStringLiteral("%1 is switched off, so the sign never shows this row; switch it on in "
                                      "the editor (Options, Languages) or import with --switch-on")
                           .arg(name));
            }
        }
    }
    for (int l = 2; l <= LanguageCount; ++l) {
        if (idleRows[l - 1] == 0 || isTrue(work->Lang[l - 1].Use)) continue;
        result.warnings << QStringLiteral(
                               "language %1 \"%2\" is switched off: %3 for it %4 nothing, and the "
                               "sign does not show its views")
                               .arg(l)
                               .arg(ReadText(work->Lang[l - 1].Nazwa))
                               .arg(idleRows[l - 1] == 1 ? QStringLiteral("the row")
                                                         : QStringLiteral("the %1 rows").arg(idleRows[l - 1]))
                               .arg(idleRows[l - 1] == 1 ? QStringLiteral("changes")
                                                         : QStringLiteral("change"));
    }
    if (result.problems.isEmpty()) {
        std::memcpy(static_cast<void*>(&d), work.get(), sizeof d);
    } else {
        result.changed.clear();
        result.changes.clear();
        result.warnings.clear();
    }
    return result;
}

}  // namespace

QString guardFormula(const QString& text) {
    if (text.isEmpty()) return text;
    if (startsFormula(text.front()) || text.front() == QLatin1Char('\'')) return QLatin1Char('\'') + text;
    return text;
}

QString unguardFormula(const QString& text) {
    if (text.size() >= 2 && text.front() == QLatin1Char('\'') &&
        (startsFormula(text[1]) || text[1] == QLatin1Char('\'')))
        return text.mid(1);
    return text;
}

QString ViewListProblem::text() const {
    if (line <= 0) return reason;  // about the file as a whole
    return QStringLiteral("%1 %2: %3")
        .arg(sheetRow ? QStringLiteral("row") : QStringLiteral("line"))
        .arg(line)
        .arg(reason);
}

QString ViewListChange::text() const {
    if (view == 0) return QStringLiteral("language %1: %2: %3 -> %4").arg(lang).arg(column, before, after);
    return QStringLiteral("%1/%2 %3: %4 -> %5").arg(lang).arg(view).arg(column, before, after);
}

QStringList viewListColumns() {
    QStringList names;
    for (const Column& c : columns()) names << c.name;
    return names;
}

QList<QList<ViewListCell>> viewListTable(const sDane& d, int lang) {
    QList<QList<ViewListCell>> rows;
    QList<ViewListCell> header;
    for (const Column& c : columns()) header.append({c.name, false});
    rows << header;
    for (int l = 1; l <= LanguageCount; ++l) {
        if (lang != 0 && lang != l) continue;
        if (lang == 0 && l != 1 && !isTrue(d.Lang[l - 1].Use)) continue;
        for (int v = 1; v <= ViewCount; ++v) {
            QList<ViewListCell> row;
            for (const Column& c : columns())
                row.append({exportValue(c, widok(d, l, v), l, v), numericColumn(c)});
            rows << row;
        }
    }
    return rows;
}

QByteArray exportViewList(const sDane& d, const ViewListExportOptions& options) {
    QList<QStringList> rows;
    const auto table = viewListTable(d, options.lang);
    for (qsizetype r = 0; r < table.size(); ++r) {
        QStringList row;
        for (qsizetype c = 0; c < table[r].size(); ++c) {
            const bool text = r > 0 && columns()[c].kind == Kind::Text;
            row << (text ? guardFormula(table[r][c].text) : table[r][c].text);
        }
        rows << row;
    }
    // Every text field of the rows is quoted; the header's names need no quotes.
    return csv::write(rows, options.separator, options.bom, [&](qsizetype record, qsizetype field) {
        return record > 0 && !table[record][field].number;
    });
}

QByteArray exportViewListXlsx(const sDane& d, int lang, QString& error) {
    xlsx::Sheet sheet;
    sheet.name = QStringLiteral("Destinations");
    sheet.frozenRows = 1;
    const auto table = viewListTable(d, lang);
    for (const auto& row : table) {
        QList<xlsx::Cell> cells;
        for (const ViewListCell& c : row) cells.append({c.text, c.number});
        sheet.rows << cells;
    }
    for (qsizetype c = 0; c < columns().size(); ++c) {
        // Wide enough for the name and the longest value, within reason.
        qsizetype widest = columns()[c].name.size();
        for (const auto& row : table) widest = std::max(widest, row[c].text.size());
        sheet.widths << double(std::clamp<qsizetype>(widest, 6, 40) + 2);
        sheet.textColumns << !table.value(1, table[0])[c].number;
    }
    return xlsx::write(sheet, error);
}

ViewListImport importViewList(sDane& d, const QByteArray& bytes, const ViewListImportOptions& options) {
    csv::Table table;
    csv::ParseError parseError;
    if (!csv::parse(bytes, table, parseError)) {
        ViewListImport result;
        result.problems.append({parseError.line, parseError.reason});
        return result;
    }
    return applyRows(d, table.records, false, options);
}

ViewListImport importViewListXlsx(sDane& d, const QByteArray& bytes, const ViewListImportOptions& options) {
    QList<xlsx::Row> rows;
    QString error;
    if (!xlsx::read(bytes, rows, error)) {
        ViewListImport result;
        result.problems.append({0, error, true});
        return result;
    }
    // A sheet leaves out empty cells at the end of a row: every row gets the
    // width of the widest.
    qsizetype width = 0;
    for (const xlsx::Row& r : rows) width = std::max(width, r.cells.size());
    QList<csv::Record> records;
    for (const xlsx::Row& r : rows) {
        QStringList fields = r.cells;
        while (fields.size() < width) fields << QString();
        records.append({r.number, fields});
    }
    return applyRows(d, records, true, options);
}

void measureViews(sDane& d, const QList<QPair<int, int>>& views) {
    for (const auto& [l, v] : views) {
        sWidok& w = widok(d, std::clamp(l, 1, LanguageCount), std::clamp(v, 1, ViewCount));
        storeSizes(w, measureView(w));
    }
}

}  // namespace lt
