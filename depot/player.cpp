#include "depot/player.h"

#include "depot/pendrivefile.h"
#include "display/flashbuild.h"
#include "model/projectfile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <memory>

namespace lt {

QString loadPlayable(const QString& path, sflash& flash) {
    // Anything but a project is put to the pendrive file's test, which
    // refuses it with the words recover uses.
    const QFileInfo info(path);
    if (!info.exists() || info.isDir() || info.size() != ProjectFileSize)
        return readPendriveFile(path, flash);
    // The project as export builds it, in an image of its own.
    const QString error = buildProjectFileImage(path, flash);
    if (!error.isEmpty()) return QStringLiteral("%1: %2").arg(path, error);
    return QString();
}

bool playLanguageInUse(const sflash& flash, int l) {
    return flash.Lang[l - 1].Use != 0;
}

bool destinationInUse(const sflash& flash, int v) {
    for (int l = 1; l <= LanguageCount; ++l)
        if (playLanguageInUse(flash, l) && screen(flash, l, v).use != 0) return true;
    return false;
}

std::int64_t screenTimeMs(const sflash& flash, int l, int v) {
    return std::int64_t{std::max<int>(screen(flash, l, v).time, 1)} * 1000;
}

std::vector<PlayTurn> destinationTurns(const sflash& flash, int v) {
    std::vector<PlayTurn> turns;
    for (int l = 1; l <= LanguageCount; ++l)
        if (playLanguageInUse(flash, l) && screen(flash, l, v).use != 0)
            turns.push_back({l, v, screenTimeMs(flash, l, v)});
    return turns;
}

std::vector<PlayTurn> allDestinationTurns(const sflash& flash) {
    std::vector<PlayTurn> turns;
    for (int v = 1; v <= ViewCount; ++v) {
        const std::vector<PlayTurn> one = destinationTurns(flash, v);
        turns.insert(turns.end(), one.begin(), one.end());
    }
    return turns;
}

// --- ScreenPlay -----------------------------------------------------------------

namespace {

template <int T, int E>
Motion startMotion(const sRegionGray<T, E>& g) {
    // As opening a view restarts its movements: offsets back to 0, the
    // direction kept.
    return Motion{g.Ruch, g.TextWidth, g.TextHeight, 0, 0, g.Direction};
}

}  // namespace

ScreenPlay::ScreenPlay(const sflash& flash, int l, int v) : m_flash(flash), m_lang(l), m_view(v) {
    const sRegionsGray& r = screen(flash, l, v).widok;
    const ScreenLayout lay = screenLayout(r);
    const int barX = faceBarX(r.BarX), barY = faceBarY(r.BarY);
    const struct {
        Region region;
        const ScreenLayout::Window& window;
        Motion start;
        std::int32_t speed;
    } regions[] = {{Region::Gorny, lay.gorny, startMotion(r.gorny), r.gorny.Speed},
                   {Region::Dolny, lay.dolny, startMotion(r.dolny), r.dolny.Speed},
                   {Region::Lewy, lay.lewy, startMotion(r.lewy), r.lewy.Speed}};
    for (const auto& x : regions) {
        Mover& m = m_regions[index(x.region)];
        m.region = x.region;
        m.start = m.now = x.start;
        m.moves = !x.window.empty() && x.start.Ruch > mvNone && x.start.Ruch <= mvFlashing;
        m.interval = timerInterval(x.speed);
        m.limits = wrapLimits(lay.typ, barX, barY, x.region);
    }
}

void ScreenPlay::seek(std::int64_t ms) {
    for (Mover& m : m_regions) {
        if (!m.moves) continue;
        const std::int64_t due = std::max<std::int64_t>(ms, 0) / m.interval;
        if (due < m.ticks) {
            m.now = m.start;
            m.ticks = 0;
        }
        for (; m.ticks < due; ++m.ticks) stepMotion(m.now, m.region, m.limits);
    }
}

std::int64_t ScreenPlay::nextTick(std::int64_t ms) const {
    std::int64_t next = -1;
    for (const Mover& m : m_regions) {
        if (!m.moves) continue;
        const std::int64_t t = (std::max<std::int64_t>(ms, -1) / m.interval + 1) * m.interval;
        if (next < 0 || t < next) next = t;
    }
    return next;
}

std::int64_t ScreenPlay::previousTick(std::int64_t ms) const {
    std::int64_t last = 0;
    for (const Mover& m : m_regions) {
        if (!m.moves || ms <= m.interval) continue;
        last = std::max(last, (ms - 1) / m.interval * m.interval);
    }
    return last;
}

FaceLeds ScreenPlay::face() const {
    const auto shift = [this](Region r) {
        const Motion& m = motion(r);
        return PictureShift{m.AnimX, m.AnimY};
    };
    return DecodeScreenLeds(m_flash, m_lang, m_view,
                            FaceShifts{shift(Region::Gorny), shift(Region::Dolny), shift(Region::Lewy)});
}

// --- Player ---------------------------------------------------------------------

Player::Player(const sflash& flash, std::vector<PlayTurn> turns) : m_flash(flash), m_turns(std::move(turns)) {
    for (const PlayTurn& t : m_turns) {
        m_starts.push_back(m_length);
        m_length += t.lengthMs;
    }
}

Player::Position Player::positionAt(std::int64_t ms) const {
    if (m_turns.empty() || m_length <= 0) return {};
    const std::int64_t at = std::max<std::int64_t>(ms, 0) % m_length;
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
    const int turn = static_cast<int>(next - m_starts.begin()) - 1;
    return {turn, at - m_starts[static_cast<std::size_t>(turn)]};
}

FaceLeds Player::faceAt(std::int64_t ms) {
    const Position pos = positionAt(ms);
    if (pos.turn < 0) return FaceLeds{};
    if (pos.turn != m_playing || !m_screen) {
        const PlayTurn& t = m_turns[static_cast<std::size_t>(pos.turn)];
        m_screen.emplace(m_flash, t.lang, t.view);
        m_playing = pos.turn;
    }
    m_screen->seek(pos.inTurnMs);
    return m_screen->face();
}

std::int64_t Player::nextStep(std::int64_t ms) const {
    const Position pos = positionAt(ms);
    if (pos.turn < 0) return 0;
    const PlayTurn& t = m_turns[static_cast<std::size_t>(pos.turn)];
    const std::int64_t tick = ScreenPlay(m_flash, t.lang, t.view).nextTick(pos.inTurnMs);
    if (tick >= 0 && tick < t.lengthMs) return turnStart(pos.turn) + tick;
    return (turnStart(pos.turn) + t.lengthMs) % m_length;
}

std::int64_t Player::previousStep(std::int64_t ms) const {
    const Position pos = positionAt(ms);
    if (pos.turn < 0) return 0;
    int turn = pos.turn;
    std::int64_t inTurn = pos.inTurnMs;
    if (inTurn == 0) {
        // From a turn's start to the last step of the turn before it.
        turn = (turn + static_cast<int>(m_turns.size()) - 1) % static_cast<int>(m_turns.size());
        inTurn = m_turns[static_cast<std::size_t>(turn)].lengthMs;
    }
    const PlayTurn& t = m_turns[static_cast<std::size_t>(turn)];
    return turnStart(turn) + ScreenPlay(m_flash, t.lang, t.view).previousTick(inTurn);
}

bool playClip(Player& player, std::int64_t lengthMs,
              const std::function<bool(const FaceLeds&, const ClipFrame&)>& take) {
    std::optional<FaceLeds> shown;
    ClipFrame frame;
    for (std::int64_t t = 0; t < lengthMs; t += PlayerFrameMs) {
        const FaceLeds face = player.faceAt(t);
        if (shown && face == *shown) continue;
        if (shown) {
            frame.lengthMs = t - frame.startMs;
            if (!take(*shown, frame)) return false;
        }
        shown = face;
        frame.startMs = t;
    }
    if (!shown) return true;
    frame.lengthMs = lengthMs - frame.startMs;
    return take(*shown, frame);
}

}  // namespace lt
