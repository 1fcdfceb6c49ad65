#include "i18n/langfile.h"

#include <QFile>

#include <algorithm>

namespace lt::i18n {

namespace {

// Windows-1252 differs from Latin-1 in 0x80..0x9F only; the five codes the
// page leaves undefined map to the control character of the same number.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeUtf16(const char* p, qsizetype n, bool bigEndian) {
    QString out;
    out.reserve(n / 2 + 1);
    qsizetype i = 0;
    for (; i + 1 < n; i += 2) {
        const auto b0 = static_cast<unsigned char>(p[i]);
        const auto b1 = static_cast<unsigned char>(p[i + 1]);
        out.append(QChar(static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0))));
    }
    if (i < n) out.append(QChar::ReplacementCharacter);  // a truncated last unit
    return out;
}

QString decodeCp1252(const char* p, qsizetype n) {
    QString out(n, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        d[i] = QChar(c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : static_cast<char16_t>(c));
    }
    return out;
}

bool isIdentifier(QStringView s) {
    if (s.isEmpty()) return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        const bool alpha = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!(alpha || (i > 0 && digit))) return false;
    }
    return true;
}

bool isDecimalDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

QString foldName(QStringView s) {
    return s.toString().toCaseFolded();
}

/// Calls `line(index, text)` for every line of `text` until it returns false.
template <typename F>
void forEachLine(QStringView text, F&& line) {
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (int index = 0;; ++index) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n') ++end;
        if (!line(index, text.mid(start, end - start))) return;
        if (end >= n) return;
        start = end + ((text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ? 2 : 1);
        if (start >= n) return;  // a final line break opens no further line
    }
}

enum class Scope { Parameters, Window, Constants };

/// The parser shared by the full load and the parameter scan.
bool parse(QStringView text, bool parametersOnly, TranslationSet& out, QString* error) {
    Scope scope = Scope::Parameters;
    WindowTexts* section = nullptr;
    QHash<QString, bool> constantNames;
    bool ok = true;
    forEachLine(text, [&](int index, QStringView raw) {
        const QStringView s = trimLangLine(raw);
        if (s.isEmpty() || s.startsWith(u';')) return true;
        if (s.startsWith(u'[')) {
            if (parametersOnly) return false;
            if (s.size() < 3 || !s.endsWith(u']')) return true;
            const QStringView name = trimLangLine(s.mid(1, s.size() - 2));
            if (name.compare(u"$CONSTANTS", Qt::CaseInsensitive) == 0) {
                scope = Scope::Constants;
                section = nullptr;
            } else {
                scope = Scope::Window;
                section = &out.windows[foldName(name)];
            }
            return true;
        }
        const qsizetype eq = s.indexOf(u'=');
        if (eq < 0) return true;
        const QStringView name = trimLangLine(s.left(eq));
        const QStringView value = trimLangLine(s.mid(eq + 1));
        if (name.isEmpty()) return true;
        switch (scope) {
            case Scope::Parameters: out.params.append({name.toString(), value.toString()}); return true;
            case Scope::Window: {
                int id = 0;
                if (!langStrToInt(name, &id) || id <= 0) return true;
                if (!section->emplace(id, decodeLangValue(value)).second) {
                    if (error)
                        *error = loadingError(
                            index, QStringLiteral("Duplicate property value translation ID (%1)").arg(id));
                    ok = false;
                    return false;
                }
                return true;
            }
            case Scope::Constants: {
                if (!isIdentifier(name)) {
                    if (error)
                        *error =
                            loadingError(index, QStringLiteral("Invalid constant name (\"%1\")").arg(name));
                    ok = false;
                    return false;
                }
                const QString key = foldName(name);
                if (constantNames.contains(key)) {
                    if (error)
                        *error =
                            loadingError(index, QStringLiteral("Duplicate constant name (\"%1\")").arg(name));
                    ok = false;
                    return false;
                }
                constantNames.insert(key, true);
                out.constants.append({name.toString(), decodeLangValue(value)});
                return true;
            }
        }
        return true;
    });
    return ok;
}

/// Reads at most MaxLangFileSize bytes of a file.
bool readBounded(const QString& path, QByteArray& bytes, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot open \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    // What the file holds and one byte more, so a file that grew since is
    // seen; a read of the largest size allowed would set aside 4 MiB for
    // every file, however small.
    const qint64 want = f.isSequential() ? MaxLangFileSize + 1 : std::min(f.size(), MaxLangFileSize) + 1;
    bytes = f.read(want);
    if (bytes.size() == want && want <= MaxLangFileSize && f.error() == QFileDevice::NoError)
        bytes += f.read(MaxLangFileSize + 1 - want);
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    if (bytes.size() > MaxLangFileSize) {
        if (error)
            *error = QStringLiteral("The language file \"%1\" is larger than %2 MiB.")
                         .arg(path)
                         .arg(MaxLangFileSize / (1024 * 1024));
        return false;
    }
    return true;
}

}  // namespace

QString TranslationSet::param(const QString& name) const {
    for (const auto& [n, v] : params)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return v;
    return QString();
}

const WindowTexts* TranslationSet::window(const QString& name) const {
    const auto it = windows.constFind(foldName(name));
    return it == windows.cend() ? nullptr : &it.value();
}

QString decodeLangBytes(const QByteArray& bytes) {
    const char* p = bytes.constData();
    const qsizetype n = bytes.size();
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(p[i]); };
    if (n >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return QString::fromUtf8(p + 3, n - 3);
    if (n >= 2 && at(0) == 0xFF && at(1) == 0xFE) return decodeUtf16(p + 2, n - 2, false);
    if (n >= 2 && at(0) == 0xFE && at(1) == 0xFF) return decodeUtf16(p + 2, n - 2, true);
    return decodeCp1252(p, n);
}

QStringView trimLangLine(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= 32) ++b;
    while (e > b && s[e - 1].unicode() <= 32) --e;
    return s.mid(b, e - b);
}

bool langStrToInt(QStringView s, int* value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    int base = 10;
    if (i < s.size() && s[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return false;
    // Decimal numbers must fit a signed 32-bit integer; hexadecimal ones fill
    // its 32 bits ("$FFFFFFFF" is -1).
    const qint64 limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    qint64 v = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > limit) return false;
    }
    if (base == 16) v = static_cast<qint32>(static_cast<quint32>(v));
    if (negative) v = -v;
    if (value) *value = static_cast<int>(v);
    return true;
}

QString decodeLangValue(QStringView s) {
    QString out;
    out.reserve(s.size());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        if (c != u'\\' || i + 1 >= n) {
            out.append(c);
            continue;
        }
        const QChar next = s[i + 1];
        if (next == u'\\') {
            out.append(u'\\');
            ++i;
        } else if (next == u'n') {
            out.append(QStringLiteral("\r\n"));
            ++i;
        } else if (next == u't') {
            out.append(u'\t');
            ++i;
        } else if (i + 2 < n && isDecimalDigit(next) && isDecimalDigit(s[i + 2])) {
            out.append(
                QChar(static_cast<char16_t>((next.unicode() - '0') * 10 + (s[i + 2].unicode() - '0'))));
            i += 2;
        } else {
            out.append(c);  // any other backslash stays
        }
    }
    return out;
}

QString encodeLangValue(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\\') {
            out.append(QStringLiteral("\\\\"));
        } else if (c == '\r' && i + 1 < n && text[i + 1] == u'\n') {
            out.append(QStringLiteral("\\n"));
            ++i;
        } else if (c == '\t') {
            out.append(QStringLiteral("\\t"));
        } else if (c < 32 || (c == ' ' && (i == 0 || i == n - 1))) {
            // Controls, and blanks the line trimming would take away.
            out.append(QStringLiteral("\\%1").arg(static_cast<int>(c), 2, 10, QLatin1Char('0')));
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

QStringList splitLangLines(const QString& text) {
    QStringList items;
    if (text.isEmpty()) return items;
    forEachLine(text, [&](int, QStringView line) {
        items.append(line.toString());
        return true;
    });
    return items;
}

QString loadingError(int line, const QString& cause) {
    return QStringLiteral("Loading translations failed.\nLine %1: %2").arg(line).arg(cause);
}

bool parseTranslations(const QString& text, TranslationSet& out, QString* error) {
    TranslationSet set;
    if (!parse(text, false, set, error)) return false;
    out = std::move(set);
    return true;
}

bool loadTranslationFile(const QString& path, TranslationSet& out, QString* error) {
    QByteArray bytes;
    QString why;
    if (!readBounded(path, bytes, &why)) {
        if (error) *error = QStringLiteral("Loading translations failed.\n%1").arg(why);
        return false;
    }
    return parseTranslations(decodeLangBytes(bytes), out, error);
}

int readLangFileId(const QString& path) {
    QByteArray bytes;
    if (!readBounded(path, bytes, nullptr)) return 0;
    TranslationSet set;
    parse(decodeLangBytes(bytes), true, set, nullptr);
    int id = 0;
    const QString v = set.param(QStringLiteral("LANGID"));
    return langStrToInt(trimLangLine(v), &id) ? id : 0;
}

}  // namespace lt::i18n
