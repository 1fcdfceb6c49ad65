#include "depot/checks.h"

#include "depot/legibility.h"
#include "display/flashbuild.h"
#include "model/carry.h"
#include "render/bitmap.h"
#include "render/preview.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QHash>
#include <QJsonObject>
#include <QPainter>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <mutex>

namespace lt {
namespace {

/// Limits of the image's 8-bit text fields, in characters: the field less
/// its terminating zero.
int imageTextLimit(Region r) {
    switch (r) {
        case Region::Gorny: return sGregiongray::TextSize - 1;
        case Region::Dolny: return sDregiongray::TextSize - 1;
        case Region::Lewy: return sLregiongray::TextSize - 1;
    }
    return 0;
}
constexpr int ImageNameLimit = sizeof(sscreengray::name) - 1;
constexpr int ImageLangLimit = sizeof(fsLang::Nazwa) - 1;
constexpr int ImageFontLimit = sizeof(sGregiongray::FontName) - 1;

QString colourWord(std::int32_t index) {
    static const char* names[] = {"black", "red", "green", "blue", "yellow", "cyan", "magenta", "white"};
    return index >= 0 && index < 8 ? QLatin1String(names[index])
                                   : QStringLiteral("black (index %1)").arg(index);
}

QString quoted(const QString& s) {
    return QStringLiteral("\"%1\"").arg(s);
}

QString describeChar(char32_t cp) {
    const QString u = QStringLiteral("U+%1").arg(static_cast<uint>(cp), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::isPrint(cp)) return QStringLiteral("%1 %2").arg(QString::fromUcs4(&cp, 1), u);
    return u;
}

/// The code points of a text, surrogate pairs joined; a lone half stays a unit.
QList<char32_t> codePoints(const QString& text) {
    QList<char32_t> out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text.at(i).unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
            ++i;
        }
        out << cp;
    }
    return out;
}

/// Characters the shaper deals with itself; no face needs to have them.
bool needsNoGlyph(char32_t cp) {
    return cp == U'\t' || cp == U'\n' || cp == U'\r' || cp == 0x2028 || cp == 0x2029 ||
           QChar::category(cp) == QChar::Other_Format;
}

QString familyKey(const QString& f) {
    // Installed families may carry their foundry: "Nimbus Sans [urw]".
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QString k = f;
    k.remove(foundry);
    return k.trimmed().toCaseFolded();
}

/// The units StringToAnsiChar turns into a byte that means something else.
QString uncarried(const QString& text) {
    QString bad;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u <= 0xFF) continue;
        if (std::find(std::begin(plchars), std::end(plchars), u) != std::end(plchars)) continue;
        if (!bad.contains(c)) bad += c;
    }
    return bad;
}

QString charList(const QList<char32_t>& cps) {
    QStringList parts;
    for (qsizetype i = 0; i < cps.size() && i < 8; ++i) parts << describeChar(cps[i]);
    if (cps.size() > 8) parts << QStringLiteral("and %1 more").arg(cps.size() - 8);
    return parts.join(QLatin1String(", "));
}

/// Which installed face the font engine draws a character with when the
/// chosen face lacks it; empty when no face has it. The answers are kept for
/// the whole process: the installed faces do not change while it runs, and
/// finding one lays the character out with the font engine's search through
/// every installed face, which each run of the checks would repeat.
class FallbackFaces {
public:
    static FallbackFaces& instance() {
        static FallbackFaces faces;
        return faces;
    }

    QString faceFor(const QFont& font, char32_t cp) {
        const QString key = QFontInfo(font).family() + QLatin1Char('|') + QString::number(cp);
        const std::lock_guard lock(m_mutex);
        auto it = m_cache.find(key);
        if (it != m_cache.end()) return it.value();
        QFont probe = font;
        probe.setPixelSize(16);
        QTextLayout layout(QString::fromUcs4(&cp, 1), probe);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QString face;
        if (line.isValid()) {
            for (const QGlyphRun& run : line.glyphRuns()) {
                const QList<quint32> glyphs = run.glyphIndexes();
                if (std::none_of(glyphs.begin(), glyphs.end(), [](quint32 g) { return g != 0; })) continue;
                const QRawFont raw = run.rawFont();
                // A box drawn by the engine itself has no font tables.
                if (!raw.isValid() || raw.fontTable("head").isEmpty()) continue;
                face = raw.familyName();
                break;
            }
        }
        m_cache.insert(key, face);
        return face;
    }

private:
    std::mutex m_mutex;
    QHash<QString, QString> m_cache;
};

class Checker {
public:
    explicit Checker(const sDane& d, const LegibilityRules& rules = {}) : m_d(d), m_legible(d, rules) {}

    QList<Finding> run() {
        for (int l = 1; l <= LanguageCount; ++l) {
            if (!languageInUse(l)) continue;
            checkLanguage(l);
            for (int v = 1; v <= ViewCount; ++v) {
                if (isTrue(widok(m_d, l, v).use)) checkView(l, v, widok(m_d, l, v));
            }
        }
        return m_findings;
    }

    QList<Finding> runLanguage(int l) {
        if (languageInUse(l)) checkLanguage(l);
        return m_findings;
    }

    QList<Finding> runView(int l, int v) {
        if (languageInUse(l) && isTrue(widok(m_d, l, v).use)) checkView(l, v, widok(m_d, l, v));
        return m_findings;
    }

private:
    bool languageInUse(int l) const { return l == 1 || isTrue(m_d.Lang[l - 1].Use); }

    void checkLanguage(int l) {
        const QString langName = ReadText(m_d.Lang[l - 1].Nazwa);
        if (langName.size() > ImageLangLimit)
            add(l, 0, QStringLiteral("language"), QStringLiteral("too-long"),
                QStringLiteral("the language name %1 has %2 characters; the pendrive file keeps %3")
                    .arg(quoted(langName))
                    .arg(langName.size())
                    .arg(ImageLangLimit));
        notCarried(l, 0, QStringLiteral("language"), QStringLiteral("the language name"), langName);
        controlCharacters(l, 0, QStringLiteral("language"), QStringLiteral("the language name"), langName);
    }

    void add(int l, int v, const QString& region, const QString& what, const QString& why) {
        m_findings.append({l, v, region, what, why});
    }

    void notCarried(int l, int v, const QString& region, const QString& what, const QString& text) {
        const QString bad = uncarried(text);
        if (bad.isEmpty()) return;
        QList<char32_t> cps;
        for (const QChar c : bad) cps << c.unicode();
        add(l, v, region, QStringLiteral("not-carried"),
            QStringLiteral("%1 holds characters the pendrive file's 8-bit text cannot carry: %2; the stick "
                           "will read %3")
                .arg(what, charList(cps), quoted(carriedReading(carryText(text).bytes))));
    }

    void controlCharacters(int l, int v, const QString& region, const QString& what, const QString& text) {
        const QString found = controlCharacterIn(text);
        if (!found.isEmpty())
            add(l, v, region, QStringLiteral("control-character"),
                QStringLiteral("%1 holds %2, which one line of the sign cannot show").arg(what, found));
    }

    void checkView(int l, int v, const sWidok& w) {
        const QString view = QStringLiteral("view");
        if (w.Time <= 0)
            add(l, v, view, QStringLiteral("zero-time"),
                QStringLiteral("the display time is %1 s, so the sign passes over the view").arg(w.Time));
        const QString name = ReadText(w.NazwaKursu);
        if (name.size() > ImageNameLimit)
            add(l, v, view, QStringLiteral("too-long"),
                QStringLiteral("the destination name has %1 characters; the pendrive file keeps %2")
                    .arg(name.size())
                    .arg(ImageNameLimit));
        notCarried(l, v, view, QStringLiteral("the destination name"), name);
        controlCharacters(l, v, view, QStringLiteral("the destination name"), name);
        for (const Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
            const RegionWindow win = regionWindow(w, r);
            if (win.width > 0 && win.height > 0) checkRegion(l, v, w, r, win);
        }
        m_findings += m_legible.view(l, v);
    }

    void checkRegion(int l, int v, const sWidok& w, Region r, RegionWindow win) {
        const sScreenImage& s = regionOf(w, r);
        const QString where = regionName(r);
        const QString text = ReadText(s.Text);
        if (text.trimmed().isEmpty()) {
            add(l, v, where, QStringLiteral("empty-region"),
                QStringLiteral("the view type shows this region but its text is empty"));
            return;
        }
        if (Int2Color(s.FontColor) == Int2Color(s.BackColor))
            add(l, v, where, QStringLiteral("same-colour"),
                QStringLiteral("font and background are both %1, so the text cannot be seen")
                    .arg(colourWord(s.FontColor)));

        // Where the text's pixels fall, against the window and the picture.
        const RegionLayout layout = regionLayout(w, r);
        const InkBox& ink = layout.ink;
        if (layout.tooWide)
            add(l, v, where, QStringLiteral("too-wide"),
                QStringLiteral("the text covers columns %1..%2 of a window %3 columns wide and does not move "
                               "sideways")
                    .arg(ink.left)
                    .arg(ink.right)
                    .arg(win.width));
        if (layout.tooTall)
            add(l, v, where, QStringLiteral("too-tall"),
                QStringLiteral("the text covers rows %1..%2 of a window %3 rows high")
                    .arg(ink.top)
                    .arg(ink.bottom)
                    .arg(win.height));
        if (!layout.cutEdges.isEmpty())
            add(l, v, where, QStringLiteral("cut-by-picture"),
                QStringLiteral("the text covers columns %1..%2 and rows %3..%4, but the region's picture is "
                               "%5 x %6, so its %7 edge is cut off on the sign")
                    .arg(ink.left)
                    .arg(ink.right)
                    .arg(ink.top)
                    .arg(ink.bottom)
                    .arg(layout.picture.width)
                    .arg(layout.picture.height)
                    .arg(layout.cutEdges.join(QLatin1String(" and "))));

        // The face: installed, and able to draw every character.
        const QString family = ReadText(s.FontName);
        QString drawnWith;
        if (family.trimmed().isEmpty()) {
            add(l, v, where, QStringLiteral("font-not-installed"),
                QStringLiteral("no font face is named; the text is drawn with %1")
                    .arg(quoted(QFontInfo(regionFont(s)).family())));
        } else if (!fontInstalled(family, &drawnWith)) {
            add(l, v, where, QStringLiteral("font-not-installed"),
                QStringLiteral("the font %1 is not installed; the text is drawn with %2 instead")
                    .arg(quoted(family), quoted(drawnWith)));
        }
        const QFont font = regionFont(s);
        const QRawFont raw = QRawFont::fromFont(font);
        QList<char32_t> fallback;
        QList<char32_t> boxes;
        QStringList fallbackFaces;
        for (const char32_t cp : codePoints(text)) {
            if (needsNoGlyph(cp) || fallback.contains(cp) || boxes.contains(cp)) continue;
            if (raw.isValid() && raw.supportsCharacter(cp)) continue;
            const QString face = FallbackFaces::instance().faceFor(font, cp);
            if (face.isEmpty()) {
                boxes << cp;
            } else {
                fallback << cp;
                if (!fallbackFaces.contains(face)) fallbackFaces << face;
            }
        }
        const QString chosen = raw.isValid() ? raw.familyName() : QFontInfo(font).family();
        if (!fallback.isEmpty())
            add(l, v, where, QStringLiteral("missing-glyphs"),
                QStringLiteral("the face %1 has no %2; they are drawn with %3")
                    .arg(quoted(chosen), charList(fallback), fallbackFaces.join(QLatin1String(", "))));
        if (!boxes.isEmpty())
            add(l, v, where, QStringLiteral("missing-glyphs"),
                QStringLiteral("no installed face has %1; the sign shows boxes or nothing for them")
                    .arg(charList(boxes)));

        // The pendrive file's text fields.
        if (text.size() > imageTextLimit(r))
            add(l, v, where, QStringLiteral("too-long"),
                QStringLiteral("the text has %1 characters; the pendrive file keeps %2")
                    .arg(text.size())
                    .arg(imageTextLimit(r)));
        if (family.size() > ImageFontLimit)
            add(l, v, where, QStringLiteral("too-long"),
                QStringLiteral("the font name %1 has %2 characters; the pendrive file keeps %3")
                    .arg(quoted(family))
                    .arg(family.size())
                    .arg(ImageFontLimit));
        notCarried(l, v, where, QStringLiteral("the text"), text);
        notCarried(l, v, where, QStringLiteral("the font name"), family);
        controlCharacters(l, v, where, QStringLiteral("the text"), text);
        controlCharacters(l, v, where, QStringLiteral("the font name"), family);
    }

    const sDane& m_d;
    QList<Finding> m_findings;
    LegibilityChecker m_legible;
};

}  // namespace

QString controlCharacterIn(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029 || u == 0x85)
            return QStringLiteral("a line break");
        if (u == u'\t') return QStringLiteral("a tab");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("the control character U+%1")
                .arg(QStringLiteral("%1").arg(uint(u), 4, 16, QLatin1Char('0')).toUpper());
    }
    return QString();
}

QString Finding::text() const {
    const QString at = view > 0 ? QStringLiteral("%1/%2 %3").arg(lang).arg(view).arg(region)
                                : QStringLiteral("language %1").arg(lang);
    return QStringLiteral("%1: %2: %3").arg(at, what, why);
}

QStringList checkFindingCodes() {
    return QStringList{QStringLiteral("too-long"),           QStringLiteral("not-carried"),
                       QStringLiteral("zero-time"),          QStringLiteral("empty-region"),
                       QStringLiteral("same-colour"),        QStringLiteral("too-wide"),
                       QStringLiteral("too-tall"),           QStringLiteral("cut-by-picture"),
                       QStringLiteral("font-not-installed"), QStringLiteral("missing-glyphs"),
                       QStringLiteral("control-character")} +
           legibilityFindingCodes();
}

QString regionName(Region r) {
    switch (r) {
        case Region::Gorny: return QStringLiteral("top");
        case Region::Dolny: return QStringLiteral("bottom");
        case Region::Lewy: return QStringLiteral("left");
    }
    return QString();
}

RegionWindow regionPicture(Region r) {
    const SurfaceSize size = regionSurfaceSize(r);
    return {size.width, r == Region::Dolny ? DolnyPackedRows : size.height};
}

bool movesSideways(const sScreenImage& s, Region r) {
    return s.Ruch == mvInLeft || s.Ruch == mvInRight || (s.Ruch == mvBounce && r != Region::Lewy);
}

bool movesUpDown(const sScreenImage& s) {
    return s.Ruch == mvInUp || s.Ruch == mvInDown;
}

RegionLayout judgeLayout(const InkBox& ink, const sScreenImage& region, Region r, RegionWindow window) {
    RegionLayout out;
    out.ink = ink;
    out.window = window;
    out.picture = regionPicture(r);
    if (ink.empty) return out;
    const bool sideways = movesSideways(region, r);
    const bool upDown = movesUpDown(region);
    out.tooWide = !sideways && (ink.left < 0 || ink.right >= window.width);
    out.tooTall = !upDown && (ink.top < 0 || ink.bottom >= window.height);
    // A standing text is judged by its window, which lies inside the
    // picture; a moving one passes through the window, so the edges of the
    // picture are what cut it.
    if (sideways && ink.left < 0) out.cutEdges << QStringLiteral("left");
    if (sideways && ink.right >= out.picture.width) out.cutEdges << QStringLiteral("right");
    if (upDown && ink.top < 0) out.cutEdges << QStringLiteral("top");
    if (upDown && ink.bottom >= out.picture.height) out.cutEdges << QStringLiteral("bottom");
    return out;
}

RegionLayout regionLayout(const sWidok& w, Region r, const sScreenImage& region) {
    return judgeLayout(inkAt(region), region, r, regionWindow(w, r));
}

RegionLayout regionLayout(const sWidok& w, Region r) {
    return regionLayout(w, r, regionOf(w, r));
}

bool fontInstalled(const QString& family, QString* drawnWith) {
    static QHash<QString, bool> installed;
    static QHash<QString, QString> resolved;
    const QString key = familyKey(family);
    if (!resolved.contains(key)) {
        QFont f(family);
        const QString used = QFontInfo(f).family();
        resolved.insert(key, used);
        bool ok = false;
        for (const QString& fam : QFontDatabase::families()) ok = ok || familyKey(fam) == key;
        if (!ok) {
            // The well-known faces the system stands in for.
            struct StandIn {
                const char* name;
                QStringList faces;  // empty: whatever installed face the system chooses
            };
            const StandIn standIns[] = {
                {"arial", {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
                {"arial narrow", {QStringLiteral("Liberation Sans Narrow")}},
                {"times new roman", {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}},
                {"courier new", {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")}},
                {"verdana", {}},
                {"tahoma", {}},
                {"trebuchet ms", {}},
                {"arial unicode ms", {}},
            };
            for (const StandIn& s : standIns) {
                if (key != QLatin1String(s.name)) continue;
                bool usedInstalled = false;
                for (const QString& fam : QFontDatabase::families())
                    usedInstalled = usedInstalled || familyKey(fam) == familyKey(used);
                ok = usedInstalled && (s.faces.isEmpty() ||
                                       std::any_of(s.faces.begin(), s.faces.end(), [&](const QString& face) {
                                           return familyKey(face) == familyKey(used);
                                       }));
            }
        }
        installed.insert(key, ok);
    }
    if (drawnWith) *drawnWith = resolved.value(key);
    return installed.value(key);
}

QList<Finding> checkProject(const sDane& d, const LegibilityRules& rules) {
    return Checker(d, rules).run();
}

QList<Finding> checkLanguage(const sDane& d, int lang) {
    if (lang < 1 || lang > LanguageCount) return {};
    return Checker(d).runLanguage(lang);
}

QList<Finding> checkView(const sDane& d, int lang, int view, const LegibilityRules& rules) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return {};
    return Checker(d, rules).runView(lang, view);
}

QList<Finding> checkProject(const sDane& d) {
    return checkProject(d, LegibilityRules{});
}

QList<Finding> checkView(const sDane& d, int lang, int view) {
    return checkView(d, lang, view, LegibilityRules{});
}

QJsonArray findingsJson(const QList<Finding>& findings) {
    QJsonArray a;
    for (const Finding& f : findings) {
        QJsonObject o;
        o[QStringLiteral("language")] = f.lang;
        o[QStringLiteral("view")] = f.view;
        o[QStringLiteral("region")] = f.region;
        o[QStringLiteral("what")] = f.what;
        o[QStringLiteral("why")] = f.why;
        a.append(o);
    }
    return a;
}

}  // namespace lt
