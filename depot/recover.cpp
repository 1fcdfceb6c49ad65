#include "depot/recover.h"

#include "depot/checks.h"
#include "depot/decode.h"
#include "depot/pendrivefile.h"
#include "display/colour.h"
#include "display/flashbuild.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/view.h"

#include <QJsonArray>

#include <bit>
#include <cstring>
#include <memory>
#include <vector>

namespace lt {

QString readingsOf(std::uint8_t byte) {
    const char plain[2] = {static_cast<char>(byte), 0};
    QString r = byte == 0 ? QString() : AnsiCharToString(plain);
    for (int j = 0; j < 18; ++j)
        if (achars[j] == byte && !r.contains(QChar(plchars[j]))) r += QChar(plchars[j]);
    return r;
}

namespace {

/// Renders candidate texts of one region and counts the picture bits they
/// get wrong. A text is drawn over a cleared surface as wide as the picture
/// (2048 columns for the bottom line), and most of it stays background: only
/// the columns up to the last one the rendering drew on are packed, and the
/// rest of each row counts as packed background, which gives the same count
/// as packing the whole surface.
class PictureMatcher {
public:
    PictureMatcher(const sScreenImage& settings, const PackedPicture& picture, int surfaceWidth)
        : m_settings(settings),
          m_picture(picture),
          m_surface(surfaceWidth, SignHeight),
          m_packed(static_cast<std::size_t>(picture.width / 8 * picture.rows)) {
        const int bytesPerRow = picture.width / 8;
        // A background pixel packs as the font colour only where the two
        // colours are one LED colour.
        Bitmap background(8, 1);
        FastClearBitmap(background, Int2Color(settings.BackColor));
        std::uint8_t packed = 0;
        FastDimBitmapToScreen(background, &packed, 8, 1, static_cast<std::uint8_t>(settings.FontColor),
                              static_cast<std::uint8_t>(settings.BackColor));
        m_backgroundPacked = packed;
        m_backgroundRow.resize(static_cast<std::size_t>(3 * surfaceWidth));
        Bitmap row(surfaceWidth, 1);
        FastClearBitmap(row, Int2Color(settings.BackColor));
        std::memcpy(m_backgroundRow.data(), row.row(0), m_backgroundRow.size());
        // Bits of each picture row that differ from packed background, from
        // each byte to the row's end.
        m_tailWrong.assign(static_cast<std::size_t>((bytesPerRow + 1) * picture.rows), 0);
        for (int y = 0; y < picture.rows; ++y) {
            const std::uint8_t* bits = picture.bits + y * bytesPerRow;
            int* tail = m_tailWrong.data() + y * (bytesPerRow + 1);
            for (int k = bytesPerRow - 1; k >= 0; --k)
                tail[k] = tail[k + 1] + std::popcount(static_cast<unsigned>(bits[k] ^ m_backgroundPacked));
        }
    }

    /// Bits of the picture that the rendering of text does not reproduce.
    int mismatch(const QString& text) {
        ++m_renders;
        renderRegionSurface(m_settings, text, m_surface);
        const int bytesPerRow = m_picture.width / 8;
        const int rows = std::min(m_picture.rows, m_surface.height());
        int used = bytesPerRow;
        if (m_surface.width() == m_picture.width) {
            used = 0;
            for (int y = 0; y < rows; ++y) used = std::max(used, drawnBytes(y, used));
        }
        int wrong = 0;
        if (used > 0)
            FastDimBitmapToScreen(m_surface, m_packed.data(), used * 8, rows,
                                  static_cast<std::uint8_t>(m_settings.FontColor),
                                  static_cast<std::uint8_t>(m_settings.BackColor));
        for (int y = 0; y < m_picture.rows; ++y) {
            const std::uint8_t* want = m_picture.bits + y * bytesPerRow;
            if (y >= rows) {  // below the surface: packed as no light at all
                for (int k = 0; k < bytesPerRow; ++k) wrong += std::popcount(static_cast<unsigned>(want[k]));
                continue;
            }
            const std::uint8_t* got = m_packed.data() + y * used;
            for (int k = 0; k < used; ++k) wrong += std::popcount(static_cast<unsigned>(got[k] ^ want[k]));
            wrong += m_tailWrong[static_cast<std::size_t>(y * (bytesPerRow + 1) + used)];
        }
        return wrong;
    }
    int renders() const { return m_renders; }

private:
    /// The bytes of packed row y up to the last 8 columns that hold anything
    /// but background, at least from; found by halving, since every column
    /// past the last drawn one is background.
    int drawnBytes(int y, int from) const {
        const std::uint8_t* row = m_surface.row(y);
        const std::uint8_t* back = m_backgroundRow.data();
        const std::size_t rowBytes = m_backgroundRow.size();
        auto backgroundFrom = [&](int k) {
            const std::size_t at = static_cast<std::size_t>(24 * k);
            return std::memcmp(row + at, back + at, rowBytes - at) == 0;
        };
        int lo = from, hi = m_picture.width / 8;  // backgroundFrom(hi) holds
        if (backgroundFrom(lo)) return lo;
        while (hi - lo > 1) {  // backgroundFrom(lo) fails, backgroundFrom(hi) holds
            const int mid = lo + (hi - lo) / 2;
            (backgroundFrom(mid) ? hi : lo) = mid;
        }
        return hi;
    }

    const sScreenImage& m_settings;
    PackedPicture m_picture;
    Bitmap m_surface;
    std::vector<std::uint8_t> m_packed;
    std::vector<std::uint8_t> m_backgroundRow;  // one row of the cleared surface
    std::vector<int> m_tailWrong;
    std::uint8_t m_backgroundPacked = 0;
    int m_renders = 0;
};

}  // namespace

TextReading readRegionText(const char* chars, int capacity, const sScreenImage& settings,
                           const PackedPicture& picture) {
    TextReading out;
    const QString plain = AnsiCharToString(chars, capacity);
    out.text = plain;
    // The surfaces are as wide as the picture; the bottom one is taller than
    // the rows it keeps.
    PictureMatcher matcher(settings, picture, picture.width);
    QString text = plain;
    int wrong = matcher.mismatch(text);
    for (qsizetype i = 0; i < text.size() && wrong > 0; ++i) {
        const QString readings = readingsOf(static_cast<std::uint8_t>(chars[i]));
        if (readings.size() < 2) continue;
        QChar best = text[i];
        for (const QChar c : readings) {
            if (c == text[i]) continue;
            QString candidate = text;
            candidate[i] = c;
            const int w = matcher.mismatch(candidate);
            // Only a strictly better picture moves away from the plain letter,
            // so letters the picture cannot tell apart stay plain.
            if (w < wrong) {
                wrong = w;
                best = c;
            }
        }
        text[i] = best;
    }
    out.renders = matcher.renders();
    out.exact = wrong == 0;
    if (out.exact) out.text = text;
    return out;
}

QStringList otherReadings(const char* chars, int capacity, const sScreenImage& settings,
                          const PackedPicture& picture, const QString& chosen) {
    QStringList others;
    PictureMatcher matcher(settings, picture, picture.width);
    for (qsizetype i = 0; i < chosen.size() && i < capacity; ++i) {
        const QString readings = readingsOf(static_cast<std::uint8_t>(chars[i]));
        if (readings.size() < 2) continue;
        for (const QChar c : readings) {
            if (c == chosen[i]) continue;
            QString candidate = chosen;
            candidate[i] = c;
            if (matcher.mismatch(candidate) == 0) others << candidate;
        }
    }
    return others;
}

QString RecoverFinding::line() const {
    return QStringLiteral("%1/%2 %3: %4").arg(lang).arg(view).arg(region, why);
}

QString RecoverReport::summary() const {
    if (regionsAmbiguous > 0)
        return QStringLiteral(
                   "Views in use recovered: %1. Regions that reproduce their pictures: %2; regions whose "
                   "pictures fit more than one reading: %3; regions that do not: %4.")
            .arg(viewsInUse)
            .arg(regionsExact)
            .arg(regionsAmbiguous)
            .arg(regionsNotExact);
    return QStringLiteral(
               "Views in use recovered: %1. Regions that reproduce their pictures: %2; regions that "
               "do not: %3.")
        .arg(viewsInUse)
        .arg(regionsExact)
        .arg(regionsNotExact);
}

QString RecoverReport::text() const {
    QString s;
    for (const RecoverFinding& f : findings) s += f.line() + QLatin1Char('\n');
    for (const RecoverFinding& f : ambiguous) s += f.line() + QLatin1Char('\n');
    return s + summary();
}

QJsonObject RecoverReport::json() const {
    QJsonArray a;
    for (const RecoverFinding& f : findings) {
        QJsonObject o;
        o[QStringLiteral("language")] = f.lang;
        o[QStringLiteral("view")] = f.view;
        o[QStringLiteral("region")] = f.region;
        o[QStringLiteral("text")] = f.text;
        o[QStringLiteral("why")] = f.why;
        a.append(o);
    }
    QJsonObject o;
    o[QStringLiteral("viewsInUse")] = viewsInUse;
    o[QStringLiteral("regionsExact")] = regionsExact;
    o[QStringLiteral("regionsNotExact")] = regionsNotExact;
    o[QStringLiteral("regions")] = a;
    QJsonArray b;
    for (const RecoverFinding& f : ambiguous) {
        QJsonObject x;
        x[QStringLiteral("language")] = f.lang;
        x[QStringLiteral("view")] = f.view;
        x[QStringLiteral("region")] = f.region;
        x[QStringLiteral("text")] = f.text;
        x[QStringLiteral("readings")] = QJsonArray::fromStringList(f.readings);
        b.append(x);
    }
    o[QStringLiteral("regionsAmbiguous")] = regionsAmbiguous;
    o[QStringLiteral("ambiguous")] = b;
    return o;
}

namespace {

/// Whether the 8-bit text holds bytes that no character the image build
/// writes on purpose would give: the low bytes of letters beyond Latin-1.
bool holdsForeignBytes(const char* chars, int capacity) {
    for (int i = 0; i < capacity && chars[i] != 0; ++i) {
        const auto b = static_cast<std::uint8_t>(chars[i]);
        if ((b > 8 && b < 0x20) || (b >= 0x7F && b < 0xA0)) return true;
    }
    return false;
}

QString whyNotReproduced(const char* chars, int capacity, const sScreenImage& r) {
    const QString font = ReadText(r.FontName);
    if (!font.isEmpty() && !fontInstalled(font))
        return QStringLiteral("the font \"%1\" is not installed here, so the picture cannot be read back")
            .arg(font);
    if (holdsForeignBytes(chars, capacity))
        return QStringLiteral("the text holds characters the pendrive file cannot carry");
    // The export writes a character it has nothing near for as "?".
    if (QByteArray(chars, static_cast<int>(qstrnlen(chars, static_cast<size_t>(capacity)))).contains('?'))
        return QStringLiteral(
            "the text may hold characters the pendrive file cannot carry, written as \"?\"");
    return QStringLiteral("no reading of \"%1\" reproduces the picture")
        .arg(AnsiCharToString(chars, capacity));
}

template <int T, int E>
void readRegion(const sRegionGray<T, E>& g, sScreenImage& r) {
    // TextWidth and TextHeight are the values of the last rendering before
    // the build; they go back as they are so the next build writes them again.
    r.TextWidth = g.TextWidth;
    r.TextHeight = g.TextHeight;
    r.Ruch = g.Ruch;
    r.Direction = g.Direction;
    r.Speed = g.Speed;
    r.X = g.X;
    r.Y = g.Y;
    r.Alias = static_cast<bool8>(g.Alias);
    r.FontSize = g.FontSize;
    r.Styl = g.Styl;
    r.FontColor = g.FontColor;
    r.BackColor = g.BackColor;
    StringToWideChar(AnsiCharToString(g.Text), r.Text);
    StringToWideChar(AnsiCharToString(g.FontName), r.FontName);
}

/// Reads the text of a region the sign shows against its picture; true when
/// the reading reproduces it.
template <int T, int E>
bool readShownRegion(const sRegionGray<T, E>& g, sScreenImage& r, int width, int rows, int l, int v,
                     const char* name, RecoverReport& report) {
    const PackedPicture picture{g.ekran, width, rows};
    const TextReading reading = readRegionText(g.Text, T, r, picture);
    StringToWideChar(reading.text, r.Text);
    if (reading.exact) {
        const QStringList others = otherReadings(g.Text, T, r, picture, reading.text);
        if (others.isEmpty()) {
            ++report.regionsExact;
            return true;
        }
        ++report.regionsAmbiguous;
        constexpr qsizetype listed = 3;
        QStringList quoted;
        for (qsizetype k = 0; k < others.size() && k < listed; ++k)
            quoted << QStringLiteral("\"%1\"").arg(others[k]);
        QString why =
            QStringLiteral("\"%1\" could also read %2").arg(reading.text, quoted.join(QLatin1String(" or ")));
        if (others.size() > listed)
            why += QStringLiteral(", and %1 more readings").arg(others.size() - listed);
        report.ambiguous.append({l, v, QLatin1String(name), reading.text, why, others});
        return true;
    }
    ++report.regionsNotExact;
    report.findings.append({l, v, QLatin1String(name), reading.text, whyNotReproduced(g.Text, T, r), {}});
    return false;
}

/// The destination name has no picture of its own, but its words are often
/// the words a shown region spells out. A word of the name whose letters
/// match a word of a region text read exactly, letter by letter regardless of
/// case and within the readings of its 8-bit characters, takes that word's
/// letters in the name's own case.
QString nameFromRegionWords(const char* chars, int capacity, const QStringList& exactTexts) {
    QString name = AnsiCharToString(chars, capacity);
    QStringList words;
    for (const QString& t : exactTexts) words += t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qsizetype start = 0;
    while (start < name.size()) {
        qsizetype end = name.indexOf(QLatin1Char(' '), start);
        if (end < 0) end = name.size();
        for (const QString& word : words) {
            if (word.size() != end - start) continue;
            QString chosen;
            for (qsizetype i = 0; i < word.size(); ++i) {
                const QString readings = readingsOf(static_cast<std::uint8_t>(chars[start + i]));
                const QChar want = word[i].toLower();
                QChar found;
                for (const QChar c : readings)
                    if (c.toLower() == want) found = c;
                if (found.isNull()) break;
                chosen += found;
            }
            if (chosen.size() == word.size()) {
                name.replace(start, chosen.size(), chosen);
                break;
            }
        }
        start = end + 1;
    }
    return name;
}

/// The pictures of the regions that the first screen in use does not show
/// are packed from the surfaces as the editor left them: after opening a
/// project, the edited view's regions over what the thumbnails left. The
/// edited view is not in the image, so it is chosen among the views of the
/// first language as the one that leaves those pictures, the new project's
/// view 1 first; when none does, view 1 stays.
void chooseEditRow(const sflash& f, sDane& d) {
    int fl = 0, fv = 0;
    for (int l = 1; l <= LanguageCount && fl == 0; ++l)
        for (int v = 1; v <= ViewCount && fl == 0; ++v)
            if (screen(f, l, v).use != 0) fl = l, fv = v;
    if (fl == 0) return;
    const sRegionsGray& first = screen(f, fl, fv).widok;
    const int type = first.TypWidoku;
    if (!isViewType(type)) return;
    const bool hideDolny = !showsRegion(type, Region::Dolny);
    const bool hideLewy = !showsRegion(type, Region::Lewy);
    if (!hideDolny && !hideLewy) return;

    // The surfaces as the editor leaves them after Open, which draws every
    // view in turn; only the surfaces matter, so no thumbnail is made.
    auto scratch = std::make_unique<sDane>(d);
    scratch->Lang[0].Use = 1;
    auto s = std::make_unique<Surfaces>();
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) renderView(widok(*scratch, l, v), *s, ViewTarget::Surfaces);
    std::vector<std::uint8_t> packed(sizeof first.dolny.ekran);
    auto same = [&](const auto& g, const Bitmap& surface, int width, int rows) {
        FastDimBitmapToScreen(surface, packed.data(), width, rows, static_cast<std::uint8_t>(g.FontColor),
                              static_cast<std::uint8_t>(g.BackColor));
        return std::memcmp(packed.data(), g.ekran, sizeof g.ekran) == 0;
    };
    for (int k = 1; k <= ViewCount; ++k) {
        renderView(widok(*scratch, 1, k), *s, ViewTarget::Surfaces);
        if ((!hideDolny || same(first.dolny, s->iDolny, s->iDolny.width(), DolnyPackedRows)) &&
            (!hideLewy || same(first.lewy, s->iLewy, s->iLewy.width(), s->iLewy.height()))) {
            d.EditRow = k;
            return;
        }
    }
}

}  // namespace

void recoverView(const sflash& f, int l, int v, sWidok& w, RecoverReport& report) {
    const sscreengray& sc = screen(f, l, v);
    StringToWideChar(AnsiCharToString(sc.name), w.NazwaKursu);
    w.use = sc.use != 0 ? 1 : 0;  // a screen of any use value but 0 is one in use
    w.Time = sc.time;
    w.TypWidoku = sc.widok.TypWidoku;
    w.BarX = sc.widok.BarX;
    w.BarY = sc.widok.BarY;
    readRegion(sc.widok.gorny, w.Gorny);
    readRegion(sc.widok.lewy, w.Lewy);
    readRegion(sc.widok.dolny, w.Dolny);
    if (sc.use == 0) return;
    ++report.viewsInUse;
    // Only the regions the view type shows were rendered for this screen;
    // the others carry another screen's picture.
    const int type = sc.widok.TypWidoku;
    if (!isViewType(type)) return;
    constexpr SurfaceSize top = regionSurfaceSize(Region::Gorny);
    constexpr SurfaceSize bottom = regionSurfaceSize(Region::Dolny);
    constexpr SurfaceSize left = regionSurfaceSize(Region::Lewy);
    QStringList exactTexts;
    if (readShownRegion(sc.widok.gorny, w.Gorny, top.width, top.height, l, v, "top", report))
        exactTexts << ReadText(w.Gorny.Text);
    if (showsRegion(type, Region::Dolny) &&
        readShownRegion(sc.widok.dolny, w.Dolny, bottom.width, DolnyPackedRows, l, v, "bottom", report))
        exactTexts << ReadText(w.Dolny.Text);
    if (showsRegion(type, Region::Lewy) &&
        readShownRegion(sc.widok.lewy, w.Lewy, left.width, left.height, l, v, "left", report))
        exactTexts << ReadText(w.Lewy.Text);
    StringToWideChar(nameFromRegionWords(sc.name, sizeof sc.name, exactTexts), w.NazwaKursu);
}

RecoverReport recoverProject(const sflash& f, sDane& d) {
    RecoverReport report;
    // What a new project holds, as the editor has it after start-up.
    std::memset(&d, 0, sizeof d);
    NewDane(d);

    // Only the low byte of Version reaches the image; the rest is a new
    // project's, kept at or above the version every reader accepts.
    d.Version = (ProjectVersion & ~0xFF) | f.version;
    if (d.Version < ProjectVersion) d.Version += 0x100;
    d.ModuleType = f.ModuleType;
    d.ModuleNr = f.ModuleNr;
    d.LCDType = f.LCDType;
    std::memcpy(d.IP, f.IP, sizeof d.IP);
    std::memcpy(d.MAC, f.MAC, sizeof d.MAC);
    std::memcpy(d.host, f.host, sizeof d.host);
    std::memcpy(d.firmware, f.firmware, sizeof d.firmware);
    for (int l = 0; l < LanguageCount; ++l) {
        StringToWideChar(AnsiCharToString(f.Lang[l].Nazwa), d.Lang[l].Nazwa);
        d.Lang[l].Use = f.Lang[l].Use;
    }

    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) recoverView(f, l, v, widok(d, l, v), report);
    chooseEditRow(f, d);
    return report;
}

QString readImageForRecovery(const QString& path, sflash& flash) {
    const QString error = readPendriveFile(path, flash);
    if (error == msgProjectNotPendrive(path)) return error + QStringLiteral(": open it with File > Open.");
    return error;
}

}  // namespace lt
