#include "model/carry.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <utility>

namespace lt {
namespace {

/// The Polish letters with a code of their own, and that code.
constexpr std::array<std::pair<char16_t, char>, 18> polishCodes{{
    {u'Ą', 'A'},
    {u'Ć', 'C'},
    {u'Ę', 'E'},
    {u'Ł', 'L'},
    {u'Ń', 'N'},
    {u'Ó', 'O'},
    {u'Ś', 'S'},
    {u'Ź', 'Z'},
    {u'Ż', 'Z'},
    {u'ą', '\x01'},
    {u'ć', '\x02'},
    {u'ę', '\x03'},
    {u'ł', '\x04'},
    {u'ń', '\x05'},
    {u'ó', '\x06'},
    {u'ś', '\x07'},
    {u'ź', '\x08'},
    {u'ż', '\x08'},
}};

int polishIndex(char32_t cp) {
    for (std::size_t j = 0; j < polishCodes.size(); ++j)
        if (polishCodes[j].first == cp) return static_cast<int>(j);
    return -1;
}

/// Characters that have no decomposition to their plain form: dashes, quotes,
/// letters written with a stroke or without a dot, and ligatures.
struct Plain {
    char32_t cp;
    const char* bytes;
};
constexpr Plain plainForms[] = {
    // dashes and minus
    {0x2010, "-"},
    {0x2011, "-"},
    {0x2012, "-"},
    {0x2013, "-"},
    {0x2014, "-"},
    {0x2015, "-"},
    {0x2212, "-"},
    {0x2043, "-"},
    {0xFE58, "-"},
    // single quotes, apostrophes and primes
    {0x2018, "'"},
    {0x2019, "'"},
    {0x201A, "'"},
    {0x201B, "'"},
    {0x2032, "'"},
    {0x2035, "'"},
    {0x02B9, "'"},
    {0x02BB, "'"},
    {0x02BC, "'"},
    {0x02BD, "'"},
    // double quotes
    {0x201C, "\""},
    {0x201D, "\""},
    {0x201E, "\""},
    {0x201F, "\""},
    {0x2033, "\""},
    {0x02BA, "\""},
    // single guillemets, ellipsis, fraction slash
    {0x2039, "<"},
    {0x203A, ">"},
    {0x2026, "..."},
    {0x2044, "/"},
    // letters without a decomposition
    {0x0110, "D"},
    {0x0111, "d"},
    {0x0126, "H"},
    {0x0127, "h"},
    {0x0131, "i"},
    {0x0166, "T"},
    {0x0167, "t"},
    {0x0180, "b"},
    {0x0192, "f"},
    {0x0197, "I"},
    {0x01B5, "Z"},
    {0x01B6, "z"},
    {0x0268, "i"},
    {0x1E9E, "SS"},
    // ligatures
    {0x0152, "OE"},
    {0x0153, "oe"},
};

const char* plainForm(char32_t cp) {
    for (const Plain& p : plainForms)
        if (p.cp == cp) return p.bytes;
    return nullptr;
}

bool isMark(char32_t cp) {
    const QChar::Category c = QChar::category(cp);
    return c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining || c == QChar::Mark_Enclosing;
}

/// The byte of a carried character.
char carriedByte(char32_t cp) {
    const int j = polishIndex(cp);
    return j >= 0 ? polishCodes[static_cast<std::size_t>(j)].second : static_cast<char>(cp);
}

/// A decomposed character's parts as carried bytes, its accents dropped;
/// false when a part is neither carried (and printable) nor has a plain form.
bool carryParts(const QString& parts, QByteArray& out) {
    for (const char32_t cp : parts.toUcs4()) {
        if (isMark(cp)) continue;
        if (isCarried(cp) && cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp < 0xA0)) {
            out += carriedByte(cp);
        } else if (const char* plain = plainForm(cp)) {
            out += plain;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isCarried(char32_t cp) {
    return cp <= 0xFF || polishIndex(cp) >= 0;
}

QByteArray carriedBytes(char32_t cp) {
    if (isCarried(cp)) return QByteArray(1, carriedByte(cp));
    if (isMark(cp) || QChar::category(cp) == QChar::Other_Format) return QByteArray();
    if (const char* plain = plainForm(cp)) return QByteArray(plain);
    const QString one = QString::fromUcs4(&cp, 1);
    QByteArray out;
    // The compatibility forms first: a ligature or a styled letter as the
    // plain letters, a composed form that Latin-1 has (the angstrom sign as
    // Å); then the letters without their accents.
    if (carryParts(one.normalized(QString::NormalizationForm_KC), out) && !out.isEmpty()) return out;
    out.clear();
    if (carryParts(one.normalized(QString::NormalizationForm_KD), out) && !out.isEmpty()) return out;
    return QByteArray(1, '?');
}

CarriedText carryText(QStringView text) {
    CarriedText r;
    r.bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (isCarried(u)) {
            r.bytes += carriedByte(u);
            continue;
        }
        r.changed = true;
        char32_t cp = u;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            cp = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(u)) {
            r.bytes += '?';
            continue;
        }
        r.bytes += carriedBytes(cp);
    }
    return r;
}

QString carriedReading(const QByteArray& bytes) {
    static constexpr char16_t smallLetters[8] = {u'ą', u'ć', u'ę', u'ł', u'ń', u'ó', u'ś', u'ź'};
    QString s;
    s.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        s += (b >= 1 && b <= 8) ? QChar(smallLetters[b - 1]) : QChar(b);
    }
    return s;
}

QStringList carryWarnings(const sDane& dane) {
    QStringList lines;
    const auto warn = [&lines](const QString& at, const QString& text) {
        const CarriedText c = carryText(text);
        if (!c.changed) return;
        lines << QStringLiteral("%1: \"%2\" is carried as \"%3\"").arg(at, text, carriedReading(c.bytes));
    };
    for (int l = 1; l <= LanguageCount; ++l) {
        if (!isTrue(dane.Lang[l - 1].Use)) continue;
        warn(QStringLiteral("language %1").arg(l), ReadText(dane.Lang[l - 1].Nazwa));
    }
    for (int l = 1; l <= LanguageCount; ++l) {
        if (!isTrue(dane.Lang[l - 1].Use)) continue;
        for (int v = 1; v <= ViewCount; ++v) {
            const sWidok& w = widok(dane, l, v);
            if (!isTrue(w.use)) continue;
            const QString at = QStringLiteral("%1/%2 ").arg(l).arg(v);
            warn(at + QStringLiteral("name"), ReadText(w.NazwaKursu));
            const std::pair<const char*, const sScreenImage*> regions[] = {
                {"top", &w.Gorny}, {"bottom", &w.Dolny}, {"left", &w.Lewy}};
            for (const auto& [name, region] : regions) {
                warn(at + QLatin1String(name), ReadText(region->Text));
                warn(at + QLatin1String(name) + QStringLiteral(" font"), ReadText(region->FontName));
            }
        }
    }
    return lines;
}

}  // namespace lt
