#include "render/text.h"

#include "render/pixels.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QStringList>
#include <QTextLayout>
#include <QThread>

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

namespace lt {
namespace {

constexpr int qualityBits = QFont::PreferDefault | QFont::PreferBitmap | QFont::PreferDevice |
                            QFont::PreferOutline | QFont::ForceOutline | QFont::PreferAntialias |
                            QFont::NoAntialias | QFont::NoSubpixelAntialias;

constexpr int monoQuality = QFont::NoAntialias | QFont::NoSubpixelAntialias;
constexpr int smoothQuality = QFont::PreferAntialias | QFont::ForceOutline;

QFont withQuality(QFont f, int quality) {
    f.setStyleStrategy(static_cast<QFont::StyleStrategy>((f.styleStrategy() & ~qualityBits) | quality));
    return f;
}

void setQuality(QPainter& canvas, int quality, bool antialias) {
    canvas.setFont(withQuality(canvas.font(), quality));
    canvas.setRenderHint(QPainter::TextAntialiasing, antialias);
}

// The font engine keeps the faces it has loaded in a cache that, once it
// holds a few hundred, drops on each new load every face that no font object
// refers to. Fitting a text tries many sizes and styles of a face and the
// checks lay out every region, so the faces they come back to would be
// looked up in the system's font configuration and loaded again and again.
// The fonts drawn with last are held here, which keeps their faces loaded:
// a ring of copies, which costs a reference count, not a search.
// Only the application's thread draws; a font of another thread is not held.
void holdRecentFont(const QFont& font) {
    constexpr std::size_t held = 128;
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread()) return;
    // Never destroyed: the fonts would otherwise outlive the application.
    static auto* recent = new std::array<QFont, held>;
    static std::size_t next = 0;
    (*recent)[next] = font;
    next = (next + 1) % held;
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

// Which face draws each character. Left to itself the font engine looks each
// character the selected face lacks up in every installed face, on every
// drawing, and a character found late or in no face costs milliseconds; a
// long text in another script, or one of characters no face has (a foreign
// project file can hold any 16-bit units), would make one region take tens
// of milliseconds and its first drawing seconds. So the faces are chosen
// here, once per character, and the engine is given one face per stretch of
// text and told not to search:
// - a character of a script takes the selected face if it has it, else the
//   face of the stretch it continues, else a face this text already uses,
//   else the first installed face that has it in a fixed order of preference
//   (Noto Sans, DejaVu Sans, the Noto Sans faces of each script, other sans
//   faces, the rest);
// - spaces, digits, punctuation and marks stay in the face of their stretch
//   when it has them, so a phrase of another script stays one shaped run;
// - at most MaxExtraFaces faces join the selected one, and a text changes
//   face at most MaxStretches times; a character none of these faces has, or
//   one past the last change, is drawn as the selected face's box for a
//   missing character.
class FaceFinder {
public:
    static constexpr int MaxExtraFaces = 6;
    static constexpr int MaxStretches = 64;

    /// A stretch of the prepared text drawn in one face.
    struct Stretch {
        int start = 0;
        int length = 0;
        QString face;  // empty: the selected face
    };
    struct Prepared {
        QString text;              // the text with undrawable characters replaced
        QList<Stretch> stretches;  // empty: all of it in the selected face
    };

    static FaceFinder& instance() {
        static FaceFinder finder;
        return finder;
    }

    Prepared prepare(const QFont& base, const QString& text) {
        const QString primary = QFontInfo(base).family();
        const QString key = primary + (base.bold() ? QStringLiteral("|b") : QString()) +
                            (base.italic() ? QStringLiteral("|i") : QString());
        std::lock_guard<std::mutex> lock(m_mutex);
        auto selected = m_selected.find(key);
        if (selected == m_selected.end()) selected = m_selected.insert(key, Selected(rawFaceOf(base)));
        const Selected& own = selected.value();

        Prepared out;
        QList<int> chosen;  // faces this text uses, indexes into m_faces
        int current = -1;   // face of the stretch being built, -1: the selected face
        bool foreign = false;
        const qsizetype n = text.size();
        out.text.reserve(n);
        for (qsizetype i = 0; i < n; ++i) {
            char32_t cp = text.at(i).unicode();
            const qsizetype from = i;
            if (QChar::isHighSurrogate(cp) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
                cp = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
                ++i;
            }
            const auto has = [&](int face) {
                return face < 0 ? own.raw.supportsCharacter(cp) : m_faces[face].supportsCharacter(cp);
            };
            int face = current;
            bool drawable = true;
            if (handledByShaper(cp)) {
                // drawn by the shaper in whatever face surrounds it
            } else if (QChar::isSurrogate(cp)) {
                drawable = false;  // a lone surrogate half is no character
            } else {
                const QChar::Script script = QChar::script(cp);
                const bool neutral = script == QChar::Script_Common || script == QChar::Script_Inherited;
                if (neutral && has(current)) {
                    face = current;
                } else if (has(-1)) {
                    face = -1;
                } else if (has(current)) {
                    face = current;
                } else if (out.stretches.size() >= MaxStretches) {
                    drawable = false;
                } else {
                    const auto used = std::find_if(chosen.begin(), chosen.end(), has);
                    if (used != chosen.end()) {
                        face = *used;
                    } else {
                        face = preferredFace(cp);
                        if (face >= 0 && chosen.size() < MaxExtraFaces)
                            chosen << face;
                        else
                            drawable = false;
                    }
                }
            }
            if (!drawable) face = -1;
            foreign = foreign || face >= 0 || !drawable;
            if (out.stretches.isEmpty() || face != current) {
                out.stretches.append(
                    {static_cast<int>(out.text.size()), 0, face < 0 ? QString() : m_faceNames[face]});
                current = face;
            }
            const qsizetype before = out.text.size();
            if (drawable)
                out.text += QStringView(text).mid(from, i - from + 1);
            else
                out.text += own.missing;
            out.stretches.last().length += static_cast<int>(out.text.size() - before);
        }
        if (!foreign) out.stretches.clear();
        return out;
    }

private:
    static QRawFont rawFaceOf(const QFont& font) {
        QFont f = font;
        f.setPixelSize(16);  // coverage does not depend on the size
        f.setUnderline(false);
        f.setStyleStrategy(QFont::NoFontMerging);
        return QRawFont::fromFont(f);
    }

    // Lower ranks are preferred.
    static int rank(const QString& name) {
        if (name == QLatin1String("Noto Sans")) return 0;
        if (name == QLatin1String("DejaVu Sans")) return 1;
        const bool mono = name.contains(QLatin1String("Mono"));
        if (name.startsWith(QLatin1String("Noto Sans ")) && !mono) return 2;
        if (name.contains(QLatin1String("Sans")) && !mono) return 3;
        return 4;
    }

    void loadFaces() {
        m_loaded = true;
        QStringList names = QFontDatabase::families();
        std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            const int ra = rank(a), rb = rank(b);
            return ra != rb ? ra < rb : a < b;
        });
        for (const QString& name : names) {
            if (QFontDatabase::isPrivateFamily(name)) continue;
            const QRawFont raw = rawFaceOf(QFont(name));
            // Only real faces: the engine's own missing-glyph box has no tables.
            if (!raw.isValid() || raw.fontTable("head").isEmpty()) continue;
            m_faces.push_back(raw);
            m_faceNames << name;
        }
    }

    // The first face in the order of preference that has the character, or -1.
    int preferredFace(char32_t cp) {
        auto it = m_preferred.find(cp);
        if (it != m_preferred.end()) return it.value();
        if (!m_loaded) loadFaces();
        int found = -1;
        for (std::size_t f = 0; f < m_faces.size(); ++f)
            if (m_faces[f].supportsCharacter(cp)) {
                found = static_cast<int>(f);
                break;
            }
        m_preferred.insert(cp, found);
        return found;
    }

    // A selected face, and what it draws for a character no face has: its
    // own box where it has one, else the replacement character or "?".
    struct Selected {
        Selected() = default;
        explicit Selected(QRawFont font) : raw(std::move(font)) {
            for (char32_t c : {U'\x25A1', U'\xFFFD'})
                if (raw.supportsCharacter(c)) {
                    missing = QChar(static_cast<char16_t>(c));
                    return;
                }
        }
        QRawFont raw;
        QChar missing = QLatin1Char('?');
    };

    std::mutex m_mutex;
    QHash<QString, Selected> m_selected;  // per selected face and style
    bool m_loaded = false;
    std::vector<QRawFont> m_faces;  // installed faces, in order of preference
    QStringList m_faceNames;
    QHash<char32_t, int> m_preferred;  // character -> index into m_faces, -1: none
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
    setQuality(canvas, monoQuality, false);
}

void Font2Antialias(QPainter& canvas) {
    setQuality(canvas, smoothQuality, true);
}

ShapedLine::ShapedLine(const QFont& font, QPaintDevice* device, const QString& text)
    : m_pixelSize(font.pixelSize() > 0 ? font.pixelSize() : 16) {
    const QFontMetrics metrics(font, device);
    m_ascent = metrics.ascent();
    m_size.height = metrics.ascent() + metrics.descent();
    if (text.isEmpty()) return;

    // One line: the only character the layout would break at becomes a space.
    // A tab is drawn as a space too: it advances by the width of a space
    // wherever it stands, not to the layout's next tab stop, so the line is
    // the sum of its glyphs' advances, tabs included.
    QString line = text;
    line.replace(QChar::LineSeparator, QLatin1Char(' '));
    line.replace(QChar::Tabulation, QLatin1Char(' '));
    // The engine draws every stretch in its one face and searches no other.
    QFont single = font;
    single.setStyleStrategy(static_cast<QFont::StyleStrategy>(font.styleStrategy() | QFont::NoFontMerging));
    const FaceFinder::Prepared prepared = FaceFinder::instance().prepare(font, line);
    m_layout = std::make_unique<QTextLayout>(prepared.text, single, device);
    if (!prepared.stretches.isEmpty()) {
        QList<QTextLayout::FormatRange> formats;
        for (const FaceFinder::Stretch& st : prepared.stretches) {
            if (st.face.isEmpty()) continue;
            QFont face = single;
            face.setFamilies({st.face});
            QTextLayout::FormatRange range;
            range.start = st.start;
            range.length = st.length;
            range.format.setFont(face);
            formats << range;
        }
        m_layout->setFormats(formats);
    }
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    m_layout->beginLayout();
    QTextLine tl = m_layout->createLine();
    if (tl.isValid()) tl.setPosition(QPointF(0, 0));
    m_layout->endLayout();
    holdRecentFont(font);
    holdRecentFont(single);
    for (const QTextLayout::FormatRange& range : m_layout->formats()) holdRecentFont(range.format.font());
    if (!tl.isValid()) {
        m_layout.reset();
        return;
    }
    m_size.width =
        static_cast<std::int32_t>(std::clamp<qint64>(qRound64(tl.horizontalAdvance()), 0, INT32_MAX));
}

ShapedLine::~ShapedLine() = default;
ShapedLine::ShapedLine(ShapedLine&&) noexcept = default;
ShapedLine& ShapedLine::operator=(ShapedLine&&) noexcept = default;

void ShapedLine::draw(QPainter& canvas, std::int64_t x, std::int64_t y) const {
    if (!m_layout) return;
    const QTextLine tl = m_layout->lineAt(0);

    // Glyph ink may reach past the text cell by about one em.
    const QPaintDevice* device = canvas.device();
    const std::int64_t w = device->width(), h = device->height();
    const std::int64_t margin = 2 * std::int64_t{m_pixelSize};
    if (x >= w + margin || x + m_size.width + margin <= 0 || y >= h + margin ||
        y + m_size.height + margin <= 0)
        return;

    const QPointF origin(static_cast<qreal>(x), static_cast<qreal>(y + m_ascent) - tl.ascent());
    const bool whole = x >= 0 && x + m_size.width <= w;
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
}

TextSize drawTextLine(QPainter& canvas, const QString& text, std::int64_t x, std::int64_t y) {
    const ShapedLine line(canvas.font(), canvas.device(), text);
    line.draw(canvas, x, y);
    return line.size();
}

QFont drawnRegionFont(const sScreenImage& region) {
    return withQuality(regionFont(region), isTrue(region.Alias) ? smoothQuality : monoQuality);
}

ShapedLine shapedRegionText(const sScreenImage& region) {
    // Shaping only asks the device for its resolution, which every surface
    // shares.
    thread_local QImage device(1, 1, QImage::Format_BGR888);
    return ShapedLine(drawnRegionFont(region), &device, ReadText(region.Text));
}

TextSize renderRegionSurface(const sScreenImage& region, const QString& text, Bitmap& surface) {
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
    const TextSize size = drawTextLine(canvas, text, region.X, region.Y);
    canvas.end();
    return size;
}

void RenderRegion(sDane& dane, Surfaces& s, Region which) {
    sWidok& view = editedView(dane);
    const sScreenImage region = regionOf(view, which);
    const TextSize size = renderRegionSurface(region, ReadText(region.Text), surfaceOf(s, which));
    sScreenImage& stored = regionOf(view, which);
    stored.TextWidth = size.width;
    stored.TextHeight = size.height;
}

}  // namespace lt
