#include "depot/legibility.h"

#include "render/animation.h"
#include "render/bitmap.h"
#include "render/preview.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace lt {
namespace {

/// The longest display time a view can have, in seconds.
constexpr int LongestTime = 99;

QString styleKey(const sScreenImage& s) {
    return ReadText(s.FontName) + QLatin1Char('\x1f') + QString::number(s.FontSize) + QLatin1Char('\x1f') +
           QString::number(s.Styl) + QLatin1Char('\x1f') + QString::number(isTrue(s.Alias));
}

/// Process-wide answers that only depend on a face, size and style: the
/// installed faces do not change while the program runs.
class StyleCache {
public:
    static StyleCache& instance() {
        static StyleCache cache;
        return cache;
    }
    template <typename F>
    int capital(const QString& key, F measure) {
        {
            const std::lock_guard lock(m_mutex);
            const auto it = m_capitals.constFind(key);
            if (it != m_capitals.constEnd()) return it.value();
        }
        const int h = measure();
        const std::lock_guard lock(m_mutex);
        m_capitals.insert(key, h);
        return h;
    }
    /// The rows of a letter drawn alone: for each row from `top`, the first
    /// and last lit column relative to the whole column the letter starts in
    /// (first > last when the row is unlit).
    struct Profile {
        int top = 0;
        std::vector<std::pair<int, int>> rows;
    };
    template <typename F>
    Profile letter(const QString& key, F draw) {
        {
            const std::lock_guard lock(m_mutex);
            const auto it = m_letters.constFind(key);
            if (it != m_letters.constEnd()) return it.value();
        }
        Profile p = draw();
        const std::lock_guard lock(m_mutex);
        m_letters.insert(key, p);
        return p;
    }

private:
    std::mutex m_mutex;
    QHash<QString, int> m_capitals;
    QHash<QString, Profile> m_letters;
};

bool joinsByDesign(char32_t cp) {
    switch (QChar::script(cp)) {
        case QChar::Script_Arabic:
        case QChar::Script_Syriac:
        case QChar::Script_Nko:
        case QChar::Script_Mongolian:
        case QChar::Script_PhagsPa:
        case QChar::Script_Mandaic:
        case QChar::Script_Manichaean:
        case QChar::Script_PsalterPahlavi:
        case QChar::Script_Adlam:
        case QChar::Script_HanifiRohingya:
        case QChar::Script_Sogdian:
        case QChar::Script_Devanagari:
        case QChar::Script_Bengali:
        case QChar::Script_Gurmukhi: return true;
        default: return false;
    }
}

/// Draws a letter alone, white on black, as the sign draws it, with its cell
/// starting `quarter` quarters of a column right of column 0.
StyleCache::Profile drawLetter(const sScreenImage& s, const QString& letter, int quarter) {
    const QFont font = regionFont(s);
    const int em = fontPixelSize(s.FontSize);
    const int margin = em + 4;
    Bitmap canvas(4 * em + 2 * margin, 3 * em + 2 * margin);
    QPainter p(&canvas.image());
    p.setBackgroundMode(Qt::TransparentMode);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    if (isTrue(s.Alias))
        Font2Antialias(p);
    else
        Font2Mono(p);
    p.translate(quarter / 4.0, 0);
    drawTextLine(p, letter, margin, margin);
    p.end();
    StyleCache::Profile out;
    out.top = -margin;
    // Most rows around a letter are unlit: a row of zeros is passed at once.
    static constexpr std::uint8_t zeros[4096] = {};
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(canvas.width());
    for (int y = 0; y < canvas.height(); ++y) {
        const std::uint8_t* row = canvas.row(y);
        int first = 1, last = 0;
        if (rowBytes <= sizeof zeros && std::memcmp(row, zeros, rowBytes) == 0) {
            out.rows.emplace_back(first, last);
            continue;
        }
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint8_t* px = row + 3 * x;
            if (std::max({px[0], px[1], px[2]}) < 96) continue;
            if (first > last) first = x - margin;
            last = x - margin;
        }
        out.rows.emplace_back(first, last);
    }
    return out;
}

bool showsLeft(const sWidok& w) {
    return w.TypWidoku == vtLeftTop || w.TypWidoku == vtLeftTopBottom;
}

bool shown(const sWidok& w, Region r) {
    const RegionWindow win = regionWindow(w, r);
    return win.width > 0 && win.height > 0;
}

/// The ink of a shown region on the sign's face, clipped to its window; a
/// text moving through its window counts as reaching across all of it in
/// that direction.
InkBox inkOnFace(const sWidok& w, Region r) {
    const sScreenImage& s = regionOf(w, r);
    const RegionWindow win = regionWindow(w, r);
    InkBox ink = inkAt(s);
    if (ink.empty || win.width <= 0 || win.height <= 0) return InkBox{};
    if (movesSideways(s, r)) {
        ink.left = 0;
        ink.right = win.width - 1;
    }
    if (movesUpDown(s)) {
        ink.top = 0;
        ink.bottom = win.height - 1;
    }
    ink.left = std::max(ink.left, 0);
    ink.top = std::max(ink.top, 0);
    ink.right = std::min(ink.right, win.width - 1);
    ink.bottom = std::min(ink.bottom, win.height - 1);
    if (ink.left > ink.right || ink.top > ink.bottom) return InkBox{};
    const int x0 = r != Region::Lewy && showsLeft(w) ? layoutBarX(w) : 0;
    const int y0 = r == Region::Dolny ? layoutBarY(w) : 0;
    ink.left += x0;
    ink.right += x0;
    ink.top += y0;
    ink.bottom += y0;
    return ink;
}

QString seconds(std::int64_t ms) {
    return QString::number(std::ceil(double(ms) / 100.0) / 10.0, 'f', 1);
}

QString lineWord(Region r) {
    switch (r) {
        case Region::Lewy: return QStringLiteral("a route number");
        case Region::Gorny: return QStringLiteral("the top line");
        case Region::Dolny: return QStringLiteral("a line below the top one");
    }
    return QString();
}

QString floorSource(Region r, const LegibilityRules& rules) {
    const int mm = r == Region::Lewy ? RouteFloorMm : DestinationFloorMm;
    if (r != Region::Dolny && rules.pitchMm > 0 && capitalFloor(r, {}) < capitalFloor(r, rules))
        return QStringLiteral("%1 mm at a pitch of %2 mm, UK accessibility guidance for bus displays")
            .arg(mm)
            .arg(rules.pitchMm);
    switch (r) {
        case Region::Lewy: return QStringLiteral("depot practice of a double-height route number");
        case Region::Gorny: return QStringLiteral("practice of LED panel makers for the destination");
        case Region::Dolny: return QStringLiteral("practice of LED panel makers");
    }
    return QString();
}

}  // namespace

InkBox inkAtOrigin(const sScreenImage& s) {
    static std::mutex mutex;
    static QHash<QString, InkBox> known;
    const QString key = styleKey(s) + QLatin1Char('\x1e') + ReadText(s.Text);
    {
        const std::lock_guard lock(mutex);
        const auto it = known.constFind(key);
        if (it != known.constEnd()) return it.value();
    }
    sScreenImage at = s;
    at.X = 0;
    at.Y = 0;
    const InkBox ink = regionInk(at);
    const std::lock_guard lock(mutex);
    if (known.size() > 200000) known.clear();
    known.insert(key, ink);
    return ink;
}

InkBox inkAt(const sScreenImage& s) {
    InkBox ink = inkAtOrigin(s);
    if (ink.empty) return ink;
    // Kept within the range regionInk keeps its answers in.
    const auto moved = [](int v, int by) {
        return static_cast<int>(std::clamp<std::int64_t>(
            std::int64_t{v} + by, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
    };
    ink.left = moved(ink.left, s.X);
    ink.right = moved(ink.right, s.X);
    ink.top = moved(ink.top, s.Y);
    ink.bottom = moved(ink.bottom, s.Y);
    return ink;
}

int capitalFloor(Region r, const LegibilityRules& rules) {
    const int leds = r == Region::Lewy ? RouteFloorLeds : (r == Region::Gorny ? TopFloorLeds : LineFloorLeds);
    if (rules.pitchMm <= 0 || r == Region::Dolny) return leds;
    const int mm = r == Region::Lewy ? RouteFloorMm : DestinationFloorMm;
    return std::max(leds, (mm + rules.pitchMm - 1) / rules.pitchMm);
}

int capitalHeight(const sScreenImage& s) {
    return StyleCache::instance().capital(styleKey(s), [&] {
        sScreenImage h = s;
        h.X = 0;
        h.Y = 0;
        StringToWideChar(QStringLiteral("H"), h.Text);
        const InkBox ink = inkAtOrigin(h);
        return ink.empty ? 0 : ink.bottom - ink.top + 1;
    });
}

namespace {
QString mergedLettersOf(const sScreenImage& s, const QString& text);
}  // namespace

QString mergedLetters(const sScreenImage& s) {
    const QString text = ReadText(s.Text);
    if (text.size() < 2) return QString();
    // The answer only depends on the face, size, style and text; the editor
    // and the checks ask again for the same ones.
    static std::mutex mutex;
    static QHash<QString, QString> known;
    const QString key = styleKey(s) + QLatin1Char('\x1e') + text;
    {
        const std::lock_guard lock(mutex);
        const auto it = known.constFind(key);
        if (it != known.constEnd()) return it.value();
    }
    const QString found = mergedLettersOf(s, text);
    const std::lock_guard lock(mutex);
    if (known.size() > 100000) known.clear();
    known.insert(key, found);
    return found;
}

namespace {

QString mergedLettersOf(const sScreenImage& s, const QString& text) {
    Bitmap device(1, 1);
    QFont font = regionFont(s);
    QTextLayout layout(text, font, &device.image());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return QString();

    const QString style = styleKey(s);
    struct Letter {
        QString text;
        int column = 0;
        StyleCache::Profile profile;
    };
    std::optional<Letter> before;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end > 0; start = end, end = graphemes.toNextBoundary()) {
        const QString g = text.mid(start, end - start);
        const char32_t cp = g.toUcs4().value(0);
        if (!QChar::isLetterOrNumber(cp) || joinsByDesign(cp)) {
            before.reset();
            continue;
        }
        const double x = line.cursorToX(int(start));
        const int column = int(std::floor(x));
        const int quarter = std::clamp(int(std::lround((x - column) * 4)), 0, 3);
        Letter now{g, column,
                   StyleCache::instance().letter(
                       style + QLatin1Char('\x1f') + g + QLatin1Char('\x1f') + QString::number(quarter),
                       [&] { return drawLetter(s, g, quarter); })};
        // The crossbars of f and t join in type by design ("ff", "tt", "ft").
        const auto crossbar = [](const QString& letter) {
            return letter == QLatin1String("f") || letter == QLatin1String("t");
        };
        // Letters are judged beside letters and digits beside digits; where a
        // word meets its number the rider reads the change of kind.
        const auto digit = [](const QString& letter) { return QChar::isDigit(letter.toUcs4().value(0)); };
        if (before && !(crossbar(before->text) && crossbar(g)) && digit(before->text) == digit(g)) {
            const auto& a = before->profile.rows;
            const auto& b = now.profile.rows;
            for (std::size_t y = 0; y < std::min(a.size(), b.size()); ++y) {
                if (a[y].first > a[y].second || b[y].first > b[y].second) continue;
                const int aRight = a[y].second + before->column;
                const int bLeft = b[y].first + now.column;
                const int bRight = b[y].second + now.column;
                if (bLeft - aRight <= 1 && bRight > aRight) return before->text + g;
            }
        }
        before = std::move(now);
    }
    return QString();
}

}  // namespace

std::int64_t msToShowWhole(const sWidok& w, Region r) {
    const sScreenImage& s = regionOf(w, r);
    const bool sideways = movesSideways(s, r);
    const bool upDown = movesUpDown(s);
    if (!sideways && !upDown) return 0;
    const RegionWindow win = regionWindow(w, r);
    if (win.width <= 0 || win.height <= 0) return 0;
    const InkBox ink = inkAt(s);
    if (ink.empty) return 0;
    const RegionWindow pic = regionPicture(r);
    const int lo = std::max(sideways ? ink.left : ink.top, 0);
    const int hi = std::min(sideways ? ink.right : ink.bottom, (sideways ? pic.width : pic.height) - 1);
    const int span = sideways ? win.width : win.height;
    if (hi < lo) return 0;

    // The text size the player moves the region by, as rendering measures it.
    const TextSize size = shapedRegionText(s).size();
    Motion m{s.Ruch, size.width, size.height, 0, 0, s.Direction};
    const WrapLimits limits = wrapLimits(w, r);
    const std::int64_t interval = timerInterval(s.Speed);
    const std::int64_t lastTick = std::int64_t{LongestTime} * 1000 / interval;
    // The stretches of ink seen so far, apart and in order.
    std::vector<std::pair<int, int>> seen;
    for (std::int64_t tick = 0; tick <= lastTick; ++tick) {
        if (tick > 0) stepMotion(m, r, limits);
        const int offset = sideways ? m.AnimX : m.AnimY;
        const int a = std::max<std::int64_t>(lo, -std::int64_t{offset});
        const int b = std::min<std::int64_t>(hi, std::int64_t{span} - 1 - offset);
        if (a > b) continue;
        std::pair<int, int> add{a, b};
        std::vector<std::pair<int, int>> merged;
        for (const auto& iv : seen) {
            if (iv.second + 1 < add.first || add.second + 1 < iv.first) {
                merged.push_back(iv);
            } else {
                add = {std::min(add.first, iv.first), std::max(add.second, iv.second)};
            }
        }
        merged.push_back(add);
        std::sort(merged.begin(), merged.end());
        seen = std::move(merged);
        if (seen.size() == 1 && seen.front().first <= lo && seen.front().second >= hi) return tick * interval;
    }
    return -1;
}

int secondsToShowWhole(const sWidok& w) {
    int most = 0;
    for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
        if (!shown(w, r)) continue;
        const std::int64_t ms = msToShowWhole(w, r);
        if (ms < 0) return -1;
        most = std::max<int>(most, int((ms + 999) / 1000));
    }
    return most;
}

QStringList legibilityWhyTexts() {
    return {
        QStringLiteral("the text moves but never shows its end within %1 s"),
        QStringLiteral("the text moves and shows its end after %1 s, but the view shows for %2 s"),
        QStringLiteral(
            "the route number's ink reaches column %1 and the %2 line's starts at column %3, with no "
            "unlit column between them"),
        QStringLiteral(
            "the top line's ink reaches row %1 and the bottom line's starts at row %2, with no unlit "
            "row between them"),
        QStringLiteral("the letters \"%1\" touch with no unlit column between them in %2"),
        QStringLiteral("capitals are %1 LEDs high in %2; %3 needs at least %4 (%5)"),
        QStringLiteral("the route \"%1\" is drawn in %2 here but in %3"),
    };
}

QString translatedWhy(const QString& why, const QStringList& translated) {
    static const QStringList english = legibilityWhyTexts();
    static const QList<QRegularExpression> patterns = [] {
        QList<QRegularExpression> out;
        for (const QString& t : english) {
            QString p = QRegularExpression::escape(t);
            p.replace(QRegularExpression(QStringLiteral("\\\\%(\\d)|%(\\d)")), QStringLiteral("(.*)"));
            out << QRegularExpression(QLatin1Char('^') + p + QLatin1Char('$'));
        }
        return out;
    }();
    for (qsizetype i = 0; i < english.size() && i < translated.size(); ++i) {
        const QRegularExpressionMatch m = patterns[i].match(why);
        if (!m.hasMatch() || translated[i].isEmpty()) continue;
        // The words and numbers in the order of their placeholders.
        QStringList args(m.lastCapturedIndex());
        static const QRegularExpression place(QStringLiteral("%(\\d)"));
        auto it = place.globalMatch(english[i]);
        for (int k = 1; it.hasNext() && k <= m.lastCapturedIndex(); ++k) {
            const int number = it.next().captured(1).toInt();
            if (number >= 1 && number <= args.size()) args[number - 1] = m.captured(k);
        }
        QString out = translated[i];
        for (const QString& a : args) out = out.arg(a);
        return out;
    }
    return why;
}

QStringList legibilityFindingCodes() {
    return {QStringLiteral("scroll-unfinished"), QStringLiteral("touches-neighbour"),
            QStringLiteral("letters-merge"), QStringLiteral("below-floor"),
            QStringLiteral("route-drawn-differently")};
}

QString drawingWords(const sScreenImage& s) {
    static const char* styles[] = {"", " italic", " bold", " bold italic", " underlined"};
    const QString style =
        s.Styl >= 0 && s.Styl < 5 ? QLatin1String(styles[s.Styl]) : QStringLiteral(" style %1").arg(s.Styl);
    return QStringLiteral("%1 %2%3").arg(ReadText(s.FontName)).arg(s.FontSize).arg(style);
}

QString routeOf(const sWidok& w) {
    return showsLeft(w) ? ReadText(w.Lewy.Text).trimmed() : QString();
}

const QList<LegibilityChecker::Drawing>& LegibilityChecker::routeDrawings(int lang, const QString& route,
                                                                          const char16_t* raw) {
    QHash<QString, QList<Drawing>>& routes = m_routes[lang - 1];
    // Asked about one view, only the views with the same left text are
    // looked at; asked again, every route of the language is listed once.
    if (!m_indexed[lang - 1] && m_asked[lang - 1]++ == 0) {
        const auto length = [](const char16_t* t) {
            return std::u16string_view(t, std::find(t, t + 1024, u'\0') - t);
        };
        const std::u16string_view mine = length(raw);
        QList<Drawing>& one = m_one;
        one.clear();
        for (int v = 1; v <= ViewCount; ++v) {
            const sWidok& w = widok(m_d, lang, v);
            if (!isTrue(w.use) || length(w.Lewy.Text) != mine || routeOf(w) != route) continue;
            const QString words = drawingWords(w.Lewy);
            if (std::none_of(one.begin(), one.end(), [&](const Drawing& x) { return x.words == words; }))
                one.append({words, words, v});
        }
        return one;
    }
    if (!m_indexed[lang - 1]) {
        m_indexed[lang - 1] = true;
        for (int v = 1; v <= ViewCount; ++v) {
            const sWidok& w = widok(m_d, lang, v);
            if (!isTrue(w.use)) continue;
            const QString name = routeOf(w);
            if (name.isEmpty()) continue;
            QList<Drawing>& list = routes[name];
            const QString key = ReadText(w.Lewy.FontName) + QLatin1Char('\x1f') +
                                QString::number(w.Lewy.FontSize) + QLatin1Char('\x1f') +
                                QString::number(w.Lewy.Styl);
            if (std::none_of(list.begin(), list.end(), [&](const Drawing& x) { return x.key == key; }))
                list.append({key, drawingWords(w.Lewy), v});
        }
    }
    static const QList<Drawing> none;
    const auto it = routes.constFind(route);
    return it == routes.constEnd() ? none : it.value();
}

QList<Finding> LegibilityChecker::view(int lang, int view) {
    QList<Finding> out;
    const sWidok& w = widok(m_d, lang, view);
    static const QStringList whys = legibilityWhyTexts();
    auto add = [&](Region r, const char* what, int whyId, const QStringList& args) {
        QString why = whys[whyId - 1];
        for (const QString& a : args) why = why.arg(a);
        out.append({lang, view, regionName(r), QLatin1String(what), why});
    };
    const auto n = [](std::int64_t v) { return QString::number(v); };
    const std::int64_t timeMs = std::int64_t{std::max(w.Time, 1)} * 1000;
    // The ink of each shown region on the face, measured once.
    InkBox face[3];
    bool measured[3] = {};
    const auto onFace = [&](Region r) -> const InkBox& {
        const int i = static_cast<int>(r);
        if (!measured[i]) {
            face[i] = inkOnFace(w, r);
            measured[i] = true;
        }
        return face[i];
    };
    for (const Region r : {Region::Lewy, Region::Gorny, Region::Dolny}) {
        if (!shown(w, r)) continue;
        const sScreenImage& s = regionOf(w, r);
        if (ReadText(s.Text).trimmed().isEmpty()) continue;

        const std::int64_t ms = msToShowWhole(w, r);
        if (ms < 0)
            add(r, "scroll-unfinished", 1, {n(LongestTime)});
        else if (ms > timeMs)
            add(r, "scroll-unfinished", 2, {seconds(ms), n(timeMs / 1000)});

        if (r == Region::Lewy || r == Region::Gorny) {
            const InkBox mine = onFace(r);
            const QList<Region> others = r == Region::Lewy ? QList<Region>{Region::Gorny, Region::Dolny}
                                                           : QList<Region>{Region::Dolny};
            for (const Region o : others) {
                if (mine.empty || !shown(w, o)) continue;
                const InkBox other = onFace(o);
                if (other.empty) continue;
                if (r == Region::Lewy && other.top <= mine.bottom && mine.top <= other.bottom &&
                    other.left - mine.right - 1 < 1)
                    add(r, "touches-neighbour", 3, {n(mine.right), regionName(o), n(other.left)});
                if (r == Region::Gorny && other.left <= mine.right && mine.left <= other.right &&
                    other.top - mine.bottom - 1 < 1)
                    add(r, "touches-neighbour", 4, {n(mine.bottom), n(other.top)});
            }
        }

        const QString pair = mergedLetters(s);
        if (!pair.isEmpty()) add(r, "letters-merge", 5, {pair, drawingWords(s)});

        const int floor = capitalFloor(r, m_rules);
        const int cap = capitalHeight(s);
        if (cap < floor)
            add(r, "below-floor", 6,
                {n(cap), drawingWords(s), lineWord(r), n(floor), floorSource(r, m_rules)});
    }

    const QString route = routeOf(w);
    if (!route.isEmpty()) {
        const QString mine = drawingWords(w.Lewy);
        QStringList elsewhere;
        for (const Drawing& x : routeDrawings(lang, route, w.Lewy.Text))
            if (x.words != mine) elsewhere << QStringLiteral("%1 in view %2").arg(x.words).arg(x.firstView);
        if (!elsewhere.isEmpty())
            add(Region::Lewy, "route-drawn-differently", 7,
                {route, mine, elsewhere.join(QLatin1String(", "))});
    }
    return out;
}

}  // namespace lt
