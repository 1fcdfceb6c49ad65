#include "render/text.h"

#include "render/pixels.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>
#include <mutex>

namespace lt {
namespace {

constexpr int qualityBits = QFont::PreferDefault | QFont::PreferBitmap | QFont::PreferDevice |
                            QFont::PreferOutline | QFont::ForceOutline | QFont::PreferAntialias |
                            QFont::NoAntialias | QFont::NoSubpixelAntialias;

void setQuality(QPainter& canvas, int quality, bool antialias) {
    QFont f = canvas.font();
    f.setStyleStrategy(static_cast<QFont::StyleStrategy>((f.styleStrategy() & ~qualityBits) | quality));
    canvas.setFont(f);
    canvas.setRenderHint(QPainter::TextAntialiasing, antialias);
}

// Characters the shaper treats itself and never looks up in other faces.
bool handledByShaper(char32_t cp) {
    switch (cp) {
        case U'\t':
        case U'\n':
        case U'\r':
        case 0x2028:
        case 0x2029:
        case 0xFFFC: return true;
        default: return QChar::category(cp) == QChar::Other_Format;
    }
}

// Which face carries each character. The font engine looks a character that
// the selected face lacks up in every installed face, and does so again on
// every drawing; with hundreds of faces installed that costs tens of
// microseconds per character, so a long text in another script, or a text of
// characters no face has, would make one region take tens of milliseconds.
// Each character is looked up here once per selected face and style; the
// faces found are then named to the engine first, and when some character
// has no face at all the engine is told not to search beyond the named ones.
class FaceFinder {
public:
    static FaceFinder& instance() {
        static FaceFinder finder;
        return finder;
    }

    /// The font to shape text with: base with the faces its characters need.
    QFont fontFor(const QFont& base, const QString& text) {
        const QString primary = QFontInfo(base).family();
        const QString key = primary + (base.bold() ? QStringLiteral("|b") : QString()) +
                            (base.italic() ? QStringLiteral("|i") : QString());
        std::lock_guard<std::mutex> lock(m_mutex);
        Table& table = m_tables[key];
        QStringList faces;
        bool missing = false;
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            char32_t cp = text.at(i).unicode();
            if (QChar::isHighSurrogate(cp) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                cp = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
                ++i;
            }
            if (handledByShaper(cp)) continue;
            quint16 where = None;  // a lone surrogate half is no character
            if (!QChar::isSurrogate(cp)) {
                auto it = table.find(cp);
                if (it == table.end()) it = table.insert(cp, lookUp(base, primary, cp));
                where = it.value();
            }
            if (where == None) {
                missing = true;
            } else if (where >= FirstFace) {
                const QString& face = m_faceNames.at(where - FirstFace);
                if (!faces.contains(face)) faces << face;
            }
        }
        if (faces.isEmpty() && !missing) return base;
        QFont font = base;
        if (!faces.isEmpty()) {
            // The face the engine resolved the requested name to: a name that
            // only a substitution rule knows ("Arial") would lose against
            // the installed faces named after it.
            faces.prepend(primary);
            font.setFamilies(faces);
        }
        if (missing)
            font.setStyleStrategy(
                static_cast<QFont::StyleStrategy>(font.styleStrategy() | QFont::NoFontMerging));
        return font;
    }

private:
    enum : quint16 { Primary = 1, None = 2, FirstFace = 3 };
    using Table = QHash<char32_t, quint16>;

    quint16 lookUp(const QFont& base, const QString& primary, char32_t cp) {
        QFont probe = base;
        probe.setPixelSize(16);  // the face chosen does not depend on the size
        probe.setUnderline(false);
        probe.setStyleStrategy(QFont::PreferDefault);
        QTextLayout layout(QString::fromUcs4(&cp, 1), probe);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        if (!line.isValid()) return None;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QList<quint32> glyphs = run.glyphIndexes();
            if (std::none_of(glyphs.begin(), glyphs.end(), [](quint32 g) { return g != 0; })) continue;
            // When no face has the character the engine may draw it with a
            // box of its own, which is no face: it has no font tables and no
            // style, and asking it for a family name is not safe.
            const QRawFont raw = run.rawFont();
            if (!raw.isValid() || (raw.fontTable("head").isEmpty() && raw.styleName().isEmpty())) return None;
            const QString face = raw.familyName();
            if (face == primary) return Primary;
            qsizetype index = m_faceNames.indexOf(face);
            if (index < 0) {
                if (m_faceNames.size() >= 0xFFF0) return Primary;
                m_faceNames << face;
                index = m_faceNames.size() - 1;
            }
            return static_cast<quint16>(FirstFace + index);
        }
        return None;
    }

    std::mutex m_mutex;
    QHash<QString, Table> m_tables;
    QStringList m_faceNames;
};

}  // namespace

int fontPixelSize(std::int64_t fontSize) {
    const std::int64_t v = fontSize * 96;
    const std::int64_t rounded = v >= 0 ? (v + 36) / 72 : -((-v + 36) / 72);
    return static_cast<int>(std::clamp<std::int64_t>(rounded, 1, MaxFontPixels));
}

QFont regionFont(const sScreenImage& region) {
    const QString face = ReadText(region.FontName);
    QFont f = face.isEmpty() ? QFont() : QFont(face);
    f.setPixelSize(fontPixelSize(region.FontSize));
    const FontStyle style = Int2FontStyle(region.Styl);
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setUnderline(style.underline);
    return f;
}

void Font2Mono(QPainter& canvas) {
    setQuality(canvas, QFont::NoAntialias | QFont::NoSubpixelAntialias, false);
}

void Font2Antialias(QPainter& canvas) {
    setQuality(canvas, QFont::PreferAntialias | QFont::ForceOutline, true);
}

TextSize drawTextLine(QPainter& canvas, const QString& text, std::int64_t x, std::int64_t y) {
    const QFont font = canvas.font();
    QPaintDevice* device = canvas.device();
    const QFontMetrics metrics(font, device);
    TextSize size;
    size.height = metrics.ascent() + metrics.descent();
    if (text.isEmpty()) return size;

    // One line: the only character the layout would break at becomes a space.
    QString line = text;
    line.replace(QChar::LineSeparator, QLatin1Char(' '));
    QTextLayout layout(line, FaceFinder::instance().fontFor(font, line), device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine tl = layout.createLine();
    if (tl.isValid()) tl.setPosition(QPointF(0, 0));
    layout.endLayout();
    if (!tl.isValid()) return size;
    const qreal advance = tl.horizontalAdvance();
    size.width = static_cast<std::int32_t>(std::clamp<qint64>(qRound64(advance), 0, INT32_MAX));

    // Glyph ink may reach past the text cell by about one em.
    const std::int64_t w = device->width(), h = device->height();
    const std::int64_t margin = 2 * std::int64_t{font.pixelSize() > 0 ? font.pixelSize() : 16};
    if (x >= w + margin || x + size.width + margin <= 0 || y >= h + margin || y + size.height + margin <= 0)
        return size;

    const QPointF origin(static_cast<qreal>(x), static_cast<qreal>(y + metrics.ascent()) - tl.ascent());
    const bool whole = x >= 0 && x + size.width <= w;
    const qreal from = static_cast<qreal>(-x - margin), to = static_cast<qreal>(w - x + margin);
    for (QGlyphRun run : tl.glyphRuns()) {
        if (!whole) {
            // Hand over only the glyphs that can reach the surface.
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(glyphs);
            QList<quint32> keptGlyphs;
            QList<QPointF> keptPositions;
            for (qsizetype i = 0; i < glyphs.size(); ++i) {
                const qreal gx = positions[i].x();
                const qreal gw = i < advances.size() ? std::max<qreal>(advances[i].x(), 0) : 0;
                if (gx + gw > from && gx < to) {
                    keptGlyphs << glyphs[i];
                    keptPositions << positions[i];
                }
            }
            if (keptGlyphs.isEmpty()) continue;
            run.setGlyphIndexes(keptGlyphs);
            run.setPositions(keptPositions);
        }
        canvas.drawGlyphRun(origin, run);
    }
    return size;
}

void RenderRegion(sDane& dane, Surfaces& s, Region which) {
    sWidok& view = editedView(dane);
    const sScreenImage region = regionOf(view, which);
    Bitmap& surface = surfaceOf(s, which);
    FastClearBitmap(surface, Int2Color(region.BackColor));

    QPainter canvas(&surface.image());
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setFont(regionFont(region));
    const TRGB pen = pixelOf(Int2Color(region.FontColor));
    canvas.setPen(QColor(pen.r, pen.g, pen.b));
    if (isTrue(region.Alias))
        Font2Antialias(canvas);
    else
        Font2Mono(canvas);
    const TextSize size = drawTextLine(canvas, ReadText(region.Text), region.X, region.Y);
    canvas.end();

    sScreenImage& stored = regionOf(view, which);
    stored.TextWidth = size.width;
    stored.TextHeight = size.height;
}

}  // namespace lt
