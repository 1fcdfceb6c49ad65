#include "depot/csv.h"

namespace lt::csv {
namespace {

/// Offset of the first byte that does not belong to well-formed UTF-8
/// (overlong forms, surrogates and values above U+10FFFF included), or -1.
qsizetype firstInvalidUtf8(const QByteArray& bytes, qsizetype from) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = from;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80) return i;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
        i += extra + 1;
    }
    return -1;
}

int lineOfOffset(const QByteArray& bytes, qsizetype offset) {
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) ++line;
    }
    return line;
}

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

}  // namespace

QChar detectSeparator(const QString& text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;  // a doubled quote toggles twice
        } else if (!quoted) {
            if (isLineEnd(c)) break;
            if (c == QLatin1Char(',')) ++commas;
            if (c == QLatin1Char(';')) ++semicolons;
        }
    }
    return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

bool parse(const QByteArray& bytes, Table& table, ParseError& error) {
    Table result;
    result.bom = bytes.startsWith("\xEF\xBB\xBF");
    const bool ok = forEachRecord(
        bytes,
        [&](const Record& r) {
            result.records.append(r);
            return QString();
        },
        error, &result.separator);
    table = ok ? std::move(result) : Table();
    return ok;
}

bool forEachRecord(const QByteArray& bytes, const std::function<QString(const Record&)>& take,
                   ParseError& error, QChar* separator) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        error = {1, QStringLiteral("the file is UTF-16; save it as CSV in UTF-8")};
        return false;
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const qsizetype start = bom ? 3 : 0;
    const qsizetype bad = firstInvalidUtf8(bytes, start);
    if (bad >= 0) {
        const QString hex = QStringLiteral("%1")
                                .arg(static_cast<unsigned char>(bytes[bad]), 2, 16, QLatin1Char('0'))
                                .toUpper();
        error = {lineOfOffset(bytes, bad),
                 QStringLiteral("the file is not UTF-8 (byte 0x%1); save it as CSV in UTF-8").arg(hex)};
        return false;
    }
    const QString text = QString::fromUtf8(bytes.constData() + start, bytes.size() - start);
    const QChar sep = detectSeparator(text);
    if (separator) *separator = sep;

    enum State { FieldStart, Unquoted, Quoted, AfterQuote };
    State state = FieldStart;
    int line = 1;
    int recordLine = 1;
    int quoteLine = 1;
    QString field;
    QStringList fields;
    bool anyQuoted = false;  // a record of one empty unquoted field is an empty line

    // Hands the record over; false when the taker stops.
    auto endRecord = [&] {
        fields << field;
        field.clear();
        QString stop;
        if (!(fields.size() == 1 && fields.first().isEmpty() && !anyQuoted))
            stop = take(Record{recordLine, fields});
        fields.clear();
        anyQuoted = false;
        state = FieldStart;
        if (!stop.isEmpty()) error = {recordLine, stop};
        return stop.isEmpty();
    };

    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const bool lineEnd = isLineEnd(c);
        // CRLF is one line end; the LF of it is skipped below.
        const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
        switch (state) {
            case FieldStart:
                if (c == QLatin1Char('"')) {
                    state = Quoted;
                    anyQuoted = true;
                    quoteLine = line;
                    break;
                }
                state = Unquoted;
                [[fallthrough]];
            case Unquoted:
                if (c == sep) {
                    fields << field;
                    field.clear();
                    state = FieldStart;
                } else if (lineEnd) {
                    if (!endRecord()) return false;
                    if (crlf) ++i;
                    ++line;
                    recordLine = line;
                } else if (c == QLatin1Char('"')) {
                    error = {line, QStringLiteral("a quote inside an unquoted field (quote the whole field "
                                                  "and double the quotes in it)")};
                    return false;
                } else {
                    field += c;
                }
                break;
            case Quoted:
                if (c == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        field += c;
                        ++i;
                    } else {
                        state = AfterQuote;
                    }
                } else {
                    // Line breaks inside quotes belong to the field as written.
                    field += c;
                    if (lineEnd) {
                        if (crlf) field += text[++i];
                        ++line;
                    }
                }
                break;
            case AfterQuote:
                if (c == sep) {
                    fields << field;
                    field.clear();
                    state = FieldStart;
                } else if (lineEnd) {
                    if (!endRecord()) return false;
                    if (crlf) ++i;
                    ++line;
                    recordLine = line;
                } else {
                    error = {line, QStringLiteral("text after the closing quote of a field")};
                    return false;
                }
                break;
        }
    }
    if (state == Quoted) {
        error = {quoteLine, QStringLiteral("a quoted field is not closed")};
        return false;
    }
    if (state != FieldStart || !fields.isEmpty()) return endRecord();
    return true;
}

QString quoteField(const QString& field, QChar separator) {
    // Both separators are quoted whichever is in use, so the header line of a
    // written file always tells its separator.
    bool quote = field.contains(separator) || field.contains(QLatin1Char(',')) ||
                 field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) ||
                 field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!field.isEmpty()) {
        const QChar first = field.front();
        const QChar last = field.back();
        quote = quote || first == QLatin1Char(' ') || first == QLatin1Char('\t') ||
                last == QLatin1Char(' ') || last == QLatin1Char('\t');
    }
    if (!quote) return field;
    QString q = field;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QByteArray write(const QList<QStringList>& records, QChar separator, bool bom,
                 const std::function<bool(qsizetype, qsizetype)>& alwaysQuote) {
    QString text;
    for (qsizetype n = 0; n < records.size(); ++n) {
        const QStringList& r = records[n];
        // A record of one empty field is written quoted, else it would read
        // back as an empty line.
        if (r.size() == 1 && r.first().isEmpty()) {
            text += QLatin1String("\"\"\r\n");
            continue;
        }
        for (qsizetype i = 0; i < r.size(); ++i) {
            if (i > 0) text += separator;
            const QString field = quoteField(r[i], separator);
            if (alwaysQuote && alwaysQuote(n, i) && !field.startsWith(QLatin1Char('"')))
                text += QLatin1Char('"') + field + QLatin1Char('"');
            else
                text += field;
        }
        text += QLatin1String("\r\n");
    }
    QByteArray out = bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    out += text.toUtf8();
    return out;
}

}  // namespace lt::csv
