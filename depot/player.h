#pragma once
// Playing a display image as the bus shows it, from the image's own bytes:
// each region's packed picture moved inside its window by the movement code,
// speed, direction and text width the image carries, with the preview's
// movement step and timing, and the languages of a destination taking turns
// for their display times. The project is not needed, so an image made
// elsewhere plays the same way.

#include "depot/decode.h"
#include "display/flash.h"
#include "render/animation.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lt {

/// Frames of a played picture change at most this often: every 20 ms.
inline constexpr int PlayerFrameMs = 20;

/// One turn of what plays: screen (lang, view) for lengthMs from its start.
struct PlayTurn {
    int lang = 1;
    int view = 1;
    std::int64_t lengthMs = 1000;
    friend bool operator==(const PlayTurn&, const PlayTurn&) = default;
};

/// Reads what can be played into `flash`: a pendrive file as it is, or a
/// project file built into an image in memory as export builds it (chosen by
/// the file's size). Any other file is refused as recover refuses it
/// (readPendriveFile). An empty string on success, else the message to show,
/// which names the file; on failure `flash` is as it was.
QString loadPlayable(const QString& path, sflash& flash);

/// Whether display language l (1..3) of the image is in use.
bool playLanguageInUse(const sflash& flash, int l);
/// Whether destination v (1..300) shows on the bus: some language in use has
/// view v in use.
bool destinationInUse(const sflash& flash, int v);
/// The display time of screen (l, v) in ms: its time in seconds, 0 as 1 s.
std::int64_t screenTimeMs(const sflash& flash, int l, int v);

/// Destination v once the driver picks it: the languages in use in which view
/// v is in use, in order 1, 2, 3, each for its display time. Empty when the
/// destination is not in use.
std::vector<PlayTurn> destinationTurns(const sflash& flash, int v);
/// Every destination in use in view order, one full turn of languages each.
std::vector<PlayTurn> allDestinationTurns(const sflash& flash);

/// One screen playing from its start: the three regions' movements restart
/// at offset 0 with the direction the image carries, and region r has made
/// t div interval(r) steps at t ms (interval = 1000 div speed, speed 0 as 1).
/// A region the view type does not show stands still.
class ScreenPlay {
public:
    ScreenPlay(const sflash& flash, int l, int v);

    /// The state after the ticks due by `ms` since the screen started. Later
    /// times step on from the current state; an earlier one starts again.
    void seek(std::int64_t ms);
    /// The face as it stands now.
    FaceLeds face() const;
    /// The movement state of a region now.
    const Motion& motion(Region r) const { return m_regions[index(r)].now; }
    /// The first moment after `ms` at which a region makes a movement step;
    /// -1 when nothing moves.
    std::int64_t nextTick(std::int64_t ms) const;
    /// The last moment before `ms` at which a region makes a movement step;
    /// 0 (the screen's start) when there is none.
    std::int64_t previousTick(std::int64_t ms) const;
    int lang() const { return m_lang; }
    int view() const { return m_view; }

private:
    struct Mover {
        Region region = Region::Gorny;
        bool moves = false;         // shown and with a movement code that steps
        std::int64_t interval = 0;  // ms between ticks
        std::int64_t ticks = 0;     // ticks made so far
        WrapLimits limits;
        Motion start, now;
    };
    static int index(Region r) { return static_cast<int>(r); }

    const sflash& m_flash;
    int m_lang, m_view;
    Mover m_regions[3];
};

/// Turns played one after another from time 0.
class Player {
public:
    Player(const sflash& flash, std::vector<PlayTurn> turns);

    const std::vector<PlayTurn>& turns() const { return m_turns; }
    /// The length of one pass through all turns, in ms.
    std::int64_t length() const { return m_length; }

    /// Which turn plays at `ms` and how far into it. The turns repeat, as the
    /// sign goes round them, so a time past the end counts from the start
    /// again. turn is -1 when there are no turns.
    struct Position {
        int turn = -1;
        std::int64_t inTurnMs = 0;
    };
    Position positionAt(std::int64_t ms) const;

    /// The face at `ms`: the playing screen's state after the ticks due by
    /// then, counted from the start of its turn. All black without turns.
    FaceLeds faceAt(std::int64_t ms);

    /// Where the turn `turn` starts, in ms from time 0.
    std::int64_t turnStart(int turn) const { return m_starts[static_cast<std::size_t>(turn)]; }
    /// One movement step on from `ms` (taken within one pass): the next
    /// moment a region of the playing screen steps, or the start of the next
    /// turn when none does before its turn ends (round to the first turn
    /// after the last). 0 without turns.
    std::int64_t nextStep(std::int64_t ms) const;
    /// One movement step back from `ms`: the last moment before it at which a
    /// region stepped or the turn started; from a turn's start, the last step
    /// of the turn before (round to the last turn before the first).
    std::int64_t previousStep(std::int64_t ms) const;

private:
    const sflash& m_flash;
    std::vector<PlayTurn> m_turns;
    std::vector<std::int64_t> m_starts;  // start of each turn
    std::int64_t m_length = 0;
    int m_playing = -1;                  // the turn m_screen belongs to
    std::optional<ScreenPlay> m_screen;  // the screen of turn m_playing
};

/// One picture of a clip: the face and how long it shows.
struct ClipFrame {
    std::int64_t startMs = 0;
    std::int64_t lengthMs = 0;
};

/// Plays [0, lengthMs) at one frame every 20 ms, the frame at t showing the
/// state after the ticks due by t; frames equal to the one before are merged
/// into it. `take` gets each resulting picture once it is complete, in order;
/// every start and length is a multiple of 20 ms when lengthMs is. Returns
/// false when `take` does.
bool playClip(Player& player, std::int64_t lengthMs,
              const std::function<bool(const FaceLeds&, const ClipFrame&)>& take);

}  // namespace lt
