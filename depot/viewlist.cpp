#include "depot/viewlist.h"

#include "depot/csv.h"
#include "render/preview.h"

#include <QHash>
#include <QSet>

#include <cstring>
#include <functional>
#include <memory>

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
        Column time = column(QStringLiteral("Time"), Kind::Number, 0, 99);
        time.number = [](sWidok& w) { return &w.Time; };
        c.append(time);
        Column name = column(QStringLiteral("Destination"), Kind::Text);
        name.maxLength = 126;
        name.capacity = 128;
        name.text = [](sWidok& w) { return w.NazwaKursu; };
        c.append(name);
        Column type = column(QStringLiteral("View type"), Kind::Choice, 0, 3);
        type.aliases = {QStringLiteral("vtTop"), QStringLiteral("vtTopBottom"), QStringLiteral("vtLeftTop"),
                        QStringLiteral("vtLeftTopBottom")};
        type.number = [](sWidok& w) { return &w.TypWidoku; };
        c.append(type);

        struct Region {
            const char* word;
            sScreenImage sWidok::*member;
            int maxLength;
        };
        const Region regions[] = {
            {"Left", &sWidok::Lewy, 6}, {"Top", &sWidok::Gorny, 63}, {"Bottom", &sWidok::Dolny, 255}};
        for (const Region& r : regions) {
            Column t = column(QLatin1String(r.word) + QStringLiteral(" text"), Kind::Text);
            t.maxLength = r.maxLength;
            t.capacity = 1024;
            const auto m = r.member;
            t.text = [m](sWidok& w) { return (w.*m).Text; };
            c.append(t);
        }
        for (const Region& r : regions) {
            const QString word = QLatin1String(r.word);
            const auto m = r.member;
            Column font = column(word + QStringLiteral(" font"), Kind::Text);
            font.maxLength = 127;
            font.capacity = 128;
            font.text = [m](sWidok& w) { return (w.*m).FontName; };
            c.append(font);
            Column size = column(word + QStringLiteral(" size"), Kind::Number, 4, 32);
            size.number = [m](sWidok& w) { return &(w.*m).FontSize; };
            c.append(size);
            Column style = column(word + QStringLiteral(" style"), Kind::Choice, 0, 4);
            style.texts = StyleTexts();
            style.number = [m](sWidok& w) { return &(w.*m).Styl; };
            c.append(style);
            Column fc = column(word + QStringLiteral(" font colour"), Kind::Choice, 0, 7);
            fc.texts = colourNames();
            fc.number = [m](sWidok& w) { return &(w.*m).FontColor; };
            c.append(fc);
            Column bc = column(word + QStringLiteral(" background colour"), Kind::Choice, 0, 7);
            bc.texts = colourNames();
            bc.number = [m](sWidok& w) { return &(w.*m).BackColor; };
            c.append(bc);
            Column mv = column(word + QStringLiteral(" movement"), Kind::Choice, 0, 6);
            mv.texts = MovementTexts();
            mv.number = [m](sWidok& w) { return &(w.*m).Ruch; };
            mv.movementOf = m;
            c.append(mv);
            Column sp = column(word + QStringLiteral(" speed"), Kind::Number, 0, 100);
            sp.number = [m](sWidok& w) { return &(w.*m).Speed; };
            c.append(sp);
            Column x = column(word + QStringLiteral(" X"), Kind::Number, -127, 127);
            x.number = [m](sWidok& w) { return &(w.*m).X; };
            c.append(x);
            Column y = column(word + QStringLiteral(" Y"), Kind::Number, -31, 31);
            y.number = [m](sWidok& w) { return &(w.*m).Y; };
            c.append(y);
        }
        Column bx = column(QStringLiteral("BarX"), Kind::Number, 16, 64);
        bx.number = [](sWidok& w) { return &w.BarX; };
        c.append(bx);
        Column by = column(QStringLiteral("BarY"), Kind::Number, 12, 24);
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

}  // namespace

QStringList viewListColumns() {
    QStringList names;
    for (const Column& c : columns()) names << c.name;
    return names;
}

QByteArray exportViewList(const sDane& d, const ViewListExportOptions& options) {
    QList<QStringList> rows;
    rows << viewListColumns();
    for (int l = 1; l <= LanguageCount; ++l) {
        if (options.lang != 0 && options.lang != l) continue;
        if (options.lang == 0 && l != 1 && !isTrue(d.Lang[l - 1].Use)) continue;
        for (int v = 1; v <= ViewCount; ++v) {
            QStringList row;
            for (const Column& c : columns()) row << exportValue(c, widok(d, l, v), l, v);
            rows << row;
        }
    }
    return csv::write(rows, options.separator, options.bom);
}

ViewListImport importViewList(sDane& d, const QByteArray& bytes) {
    ViewListImport result;
    csv::Table table;
    csv::ParseError parseError;
    if (!csv::parse(bytes, table, parseError)) {
        result.problems.append({parseError.line, parseError.reason});
        return result;
    }
    if (table.records.isEmpty()) {
        result.problems.append({1, QStringLiteral("the file is empty; the first line names the columns")});
        return result;
    }

    // The header: every name must be a known column, each at most once. A
    // column without a name (spreadsheets write them after the last one)
    // is left out, as long as it holds nothing.
    constexpr int Unnamed = -2;
    const csv::Record& header = table.records.first();
    QHash<QString, int> known;
    for (qsizetype i = 0; i < columns().size(); ++i)
        known.insert(normalisedHeader(columns()[i].name), int(i));
    QList<int> colOf;  // field position -> column index
    QSet<int> seen;
    for (const QString& h : header.fields) {
        if (h.trimmed().isEmpty()) {
            colOf << Unnamed;
            continue;
        }
        const int idx = known.value(normalisedHeader(h), -1);
        if (idx < 0) {
            result.problems.append({header.line, QStringLiteral("unknown column \"%1\"").arg(h)});
        } else if (seen.contains(idx)) {
            result.problems.append({header.line, QStringLiteral("column \"%1\" appears twice").arg(h)});
        }
        seen.insert(idx);
        colOf << idx;
    }
    for (const int key : {0, 1}) {
        if (!seen.contains(key))
            result.problems.append(
                {header.line, QStringLiteral("the column \"%1\" is missing").arg(columns()[key].name)});
    }
    if (!result.problems.isEmpty()) return result;

    auto work = std::make_unique<sDane>(d);
    QHash<int, int> rowOfView;  // (language * 1000 + view) -> line
    for (qsizetype r = 1; r < table.records.size(); ++r) {
        const csv::Record& rec = table.records[r];
        bool blank = true;
        for (const QString& f : rec.fields) blank = blank && f.trimmed().isEmpty();
        if (blank) continue;  // spreadsheets write rows of empty cells
        ++result.rows;
        auto refuse = [&](const QString& reason) { result.problems.append({rec.line, reason}); };
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
            refuse(QStringLiteral("view %1 of language %2 is already set on line %3")
                       .arg(view)
                       .arg(lang)
                       .arg(rowOfView[key]));
            continue;
        }
        rowOfView.insert(key, rec.line);

        sWidok& w = widok(*work, lang, view);
        bool changed = false;
        for (qsizetype f = 0; f < rec.fields.size(); ++f) {
            if (colOf[f] == Unnamed) continue;
            const Column& col = columns()[colOf[f]];
            const QString& cell = rec.fields[f];
            switch (col.kind) {
                case Kind::Language:
                case Kind::View: break;
                case Kind::Use: {
                    bool on = false;
                    if (!readBool(cell, on)) {
                        refuse(QStringLiteral("%1 \"%2\" is neither yes nor no").arg(col.name, cell));
                        break;
                    }
                    if (on != isTrue(w.use)) {
                        w.use = on ? 1 : 0;
                        changed = true;
                    }
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
                        changed = true;
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
                    char16_t* field = col.text(w);
                    if (ReadText(field, col.capacity) == cell) break;
                    if (cell.contains(QChar(0))) {
                        refuse(QStringLiteral("%1 holds a zero character").arg(col.name));
                        break;
                    }
                    if (cell.size() > col.maxLength) {
                        refuse(QStringLiteral("%1 is %2 characters long, at most %3 fit")
                                   .arg(col.name)
                                   .arg(cell.size())
                                   .arg(col.maxLength));
                        break;
                    }
                    StringToWideChar(cell, field, col.capacity);
                    changed = true;
                    break;
                }
            }
        }
        if (changed) result.changed.append({lang, view});
    }
    if (result.problems.isEmpty())
        std::memcpy(static_cast<void*>(&d), work.get(), sizeof d);
    else
        result.changed.clear();
    return result;
}

void renderViews(sDane& d, const QList<QPair<int, int>>& views) {
    if (views.isEmpty()) return;
    auto surfaces = std::make_unique<Surfaces>();
    const int lang = d.SelWidok;
    const int row = d.EditRow;
    for (const auto& [l, v] : views) {
        d.SelWidok = l;
        d.EditRow = v;
        RenderLED(d, *surfaces);
    }
    d.SelWidok = lang;
    d.EditRow = row;
}

}  // namespace lt
