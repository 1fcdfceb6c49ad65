// Playing a display image from its own bytes: the movements against the
// editor's preview tick by tick, the language turns, the 20-ms frame rule,
// the animated GIF read back, foreign images and the refusals of play.
#include "depot/gif.h"
#include "depot/player.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/projectfile.h"
#include "render/animation.h"
#include "render/preview.h"
#include "tests/depot/gif_read.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), static_cast<std::size_t>(3 * a.width())) != 0) return false;
    return true;
}

/// The face a palette picture at scale 1 shows, as a bitmap in sign colours.
Bitmap faceOfPixels(const std::vector<std::uint8_t>& pixels) {
    FaceLeds leds{};
    std::memcpy(leds.data(), pixels.data(), leds.size());
    return faceBitmap(leds);
}

// --- The movements against the preview ---------------------------------------------

struct MovementCase {
    const char* name;
    int typ;
    int ruch;
    int speed;
    const char* top;  // the top text; a short one stays inside its window
    int ticks;
};

void PrintTo(const MovementCase& c, std::ostream* os) {
    *os << c.name;
}

class PlayerMatchesPreview : public ::testing::TestWithParam<MovementCase> {};

/// View (1, 4) with every region moving by the case's code and speed, built
/// into the document's image after the editor has drawn it.
void makeMovingView(Document& doc, const MovementCase& c) {
    doc.newDane();
    sWidok& w = widok(doc.dane(), 1, 4);
    w.use = 1;
    w.TypWidoku = c.typ;
    w.BarX = 40;
    w.BarY = 20;
    StringToWideChar(QString::fromUtf8(c.top), w.Gorny.Text);
    StringToWideChar(QStringLiteral("via Plac Wilsona"), w.Dolny.Text);
    StringToWideChar(QStringLiteral("17"), w.Lewy.Text);
    for (Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
        regionOf(w, r).Ruch = c.ruch;
        regionOf(w, r).Speed = c.speed;
    }
    w.Dolny.Direction = -1;  // the image carries the direction as it was left
    doc.dane().SelWidok = 1;
    doc.dane().EditRow = 4;
    doc.RenderLED();
    EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
}

TEST_P(PlayerMatchesPreview, TickByTick) {
    const MovementCase& c = GetParam();
    Document doc;
    makeMovingView(doc, c);

    // The preview as opening the view starts it (what render --ticks does).
    Document ref;
    std::memcpy(&ref.dane(), &doc.dane(), sizeof(sDane));
    sDane& d = ref.dane();
    Surfaces& s = ref.surfaces();
    sWidok& w = ref.edited();
    syncBars(w, s);
    bool running[3];
    running[1] = restartMovement(w.Dolny);
    running[0] = restartMovement(w.Gorny);
    running[2] = restartMovement(w.Lewy);
    RenderLED(d, s);

    ScreenPlay play(doc.flash(), 1, 4);
    const int interval = timerInterval(c.speed);
    const ScreenLayout lay = screenLayout(screen(doc.flash(), 1, 4).widok);
    int changes = 0;
    Bitmap before;
    for (int t = 0; t <= c.ticks; ++t) {
        RenderActiveBitmapSG(d, s);
        play.seek(std::int64_t{t} * interval);
        const Bitmap face = faceBitmap(play.face());
        ASSERT_TRUE(samePixels(face, s.thumbnail(1, 4))) << "tick " << t;
        const struct {
            Region r;
            const ScreenLayout::Window& win;
        } shown[] = {{Region::Gorny, lay.gorny}, {Region::Dolny, lay.dolny}, {Region::Lewy, lay.lewy}};
        for (const auto& x : shown) {
            if (x.win.empty()) continue;
            const sScreenImage& r = regionOf(w, x.r);
            ASSERT_EQ(play.motion(x.r).AnimX, r.AnimX) << "tick " << t;
            ASSERT_EQ(play.motion(x.r).AnimY, r.AnimY) << "tick " << t;
            ASSERT_EQ(play.motion(x.r).Direction, r.Direction) << "tick " << t;
        }
        changes += t > 0 && !samePixels(face, before);
        before = face;
        for (Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
            const int i = static_cast<int>(r);
            if (running[i] && stepRegion(d, r).disableTimer) running[i] = false;
        }
        RenderLED(d, s);
    }
    EXPECT_GT(changes, c.ticks / 4);  // the picture really moved
}

INSTANTIATE_TEST_SUITE_P(
    EveryMovement, PlayerMatchesPreview,
    ::testing::Values(MovementCase{"InLeftAllRegions", vtLeftTopBottom, mvInLeft, 100, "Dworzec Centralny",
                                   220},
                      MovementCase{"InRightTypeTwo", vtLeftTop, mvInRight, 7, "Dworzec Centralny", 200},
                      MovementCase{"InUpSplitWrapsAtBarY", vtTopBottom, mvInUp, 50, "Żerań FSO", 70},
                      MovementCase{"InDownAllRegions", vtLeftTopBottom, mvInDown, 0, "Żerań FSO", 70},
                      MovementCase{"BounceWideText", vtTop, mvBounce, 100,
                                   "Dworzec Centralny - Plac Wilsona - Marymont", 160},
                      MovementCase{"BounceNarrowText", vtLeftTopBottom, mvBounce, 20, "Wola", 30},
                      MovementCase{"Flashing", vtTopBottom, mvFlashing, 3, "Lotnisko", 9}),
    [](const ::testing::TestParamInfo<MovementCase>& p) { return std::string(p.param.name); });

// --- Language turns -----------------------------------------------------------------

/// An image with three languages: destination 5 in languages 1 (3 s) and 2
/// (time 0), destination 9 in language 3 only (2 s), destination 12 in
/// language 1 (1 s) and in language 3 (4 s) while language 3 is switched
/// off there, destination 20 only in a language not in use.
std::unique_ptr<sflash> turnsImage(bool thirdInUse) {
    auto f = std::make_unique<sflash>();
    std::memset(static_cast<void*>(f.get()), 0, sizeof(sflash));
    f->Lang[0].Use = 1;
    f->Lang[1].Use = 1;
    f->Lang[2].Use = thirdInUse ? 1 : 0;
    const auto use = [&](int l, int v, int seconds) {
        screen(*f, l, v).use = 1;
        screen(*f, l, v).time = static_cast<std::uint16_t>(seconds);
        screen(*f, l, v).widok.gorny.BackColor = l;  // tells the languages apart on the face
    };
    use(1, 5, 3);
    use(2, 5, 0);
    use(3, 9, 2);
    use(1, 12, 1);
    use(3, 12, 4);
    if (!thirdInUse) use(3, 20, 5);
    return f;
}

TEST(PlayerTurns, LanguagesInUseTakeTurnsForTheirTimes) {
    const auto f = turnsImage(true);
    EXPECT_EQ(destinationTurns(*f, 5), (std::vector<PlayTurn>{{1, 5, 3000}, {2, 5, 1000}}));
    EXPECT_EQ(destinationTurns(*f, 12), (std::vector<PlayTurn>{{1, 12, 1000}, {3, 12, 4000}}));
    EXPECT_TRUE(destinationTurns(*f, 6).empty());
    EXPECT_EQ(
        allDestinationTurns(*f),
        (std::vector<PlayTurn>{{1, 5, 3000}, {2, 5, 1000}, {3, 9, 2000}, {1, 12, 1000}, {3, 12, 4000}}));

    const auto off = turnsImage(false);
    EXPECT_EQ(destinationTurns(*off, 12), (std::vector<PlayTurn>{{1, 12, 1000}}));
    EXPECT_TRUE(destinationTurns(*off, 20).empty());
    EXPECT_FALSE(destinationInUse(*off, 20));
    EXPECT_EQ(allDestinationTurns(*off).size(), 3u);

    // Positions across the turns, and round again after the end.
    Player p(*f, destinationTurns(*f, 5));
    EXPECT_EQ(p.length(), 4000);
    const struct {
        std::int64_t ms;
        int turn;
        std::int64_t in;
    } at[] = {{0, 0, 0}, {2999, 0, 2999}, {3000, 1, 0}, {3999, 1, 999}, {4000, 0, 0}, {7500, 1, 500}};
    for (const auto& x : at) {
        EXPECT_EQ(p.positionAt(x.ms).turn, x.turn) << x.ms;
        EXPECT_EQ(p.positionAt(x.ms).inTurnMs, x.in) << x.ms;
    }
    EXPECT_EQ(p.faceAt(2980)[0], ciRed);
    EXPECT_EQ(p.faceAt(3000)[0], ciGreen);
    EXPECT_EQ(p.faceAt(4000)[0], ciRed);
    EXPECT_EQ(Player(*f, {}).positionAt(10).turn, -1);
}

TEST(PlayerTurns, WholeTurnClipShowsEachLanguageForItsTime) {
    const auto f = turnsImage(true);
    Player p(*f, allDestinationTurns(*f));
    const Animation a = makeAnimation(p, p.length(), 1);
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    const test::GifRead g = test::readGif(a.gif);
    ASSERT_TRUE(g.ok);
    // Still screens: one frame per turn, each as long as its language's time.
    std::vector<int> delays;
    for (const test::GifShown& s : g.frames) delays.push_back(s.delay);
    EXPECT_EQ(delays, (std::vector<int>{300, 100, 200, 100, 400}));
    const std::uint8_t colours[] = {ciRed, ciGreen, ciBlue, ciRed, ciBlue};
    for (std::size_t i = 0; i < g.frames.size(); ++i) EXPECT_EQ(g.frames[i].pixels[0], colours[i]) << i;
}

// --- The 20-ms frame rule -------------------------------------------------------------

TEST(PlayerFrames, ChangeAtMostEveryTwentyMillisecondsWithoutDrift) {
    MovementCase c{"", vtTop, mvInLeft, 7, "Dworzec Centralny", 0};
    Document doc;
    makeMovingView(doc, c);
    for (const int speed : {7, 100, 33}) {
        SCOPED_TRACE(speed);
        screen(doc.flash(), 1, 4).widok.gorny.Speed = speed;
        screen(doc.flash(), 1, 4).time = 10;
        const int interval = timerInterval(speed);
        const std::int64_t tw = screen(doc.flash(), 1, 4).widok.gorny.TextWidth;
        Player p(doc.flash(), destinationTurns(doc.flash(), 4));
        std::vector<ClipFrame> frames;
        std::vector<FaceLeds> faces;
        ASSERT_TRUE(playClip(p, 10000, [&](const FaceLeds& f, const ClipFrame& fr) {
            frames.push_back(fr);
            faces.push_back(f);
            return true;
        }));
        std::int64_t end = 0;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].startMs, end);
            EXPECT_EQ(frames[i].startMs % PlayerFrameMs, 0);
            EXPECT_GE(frames[i].lengthMs, PlayerFrameMs);
            EXPECT_EQ(frames[i].lengthMs % PlayerFrameMs, 0);
            if (i > 0) {
                EXPECT_NE(faces[i], faces[i - 1]);
            }
            // The picture at t is the state after the ticks due by t.
            ScreenPlay fresh(doc.flash(), 1, 4);
            fresh.seek(frames[i].startMs);
            EXPECT_EQ(fresh.face(), faces[i]) << frames[i].startMs;
            const std::int64_t ticks = frames[i].startMs / interval;
            if (ticks <= tw) {
                EXPECT_EQ(fresh.motion(Region::Gorny).AnimX, -ticks) << frames[i].startMs;
            }
            end += frames[i].lengthMs;
        }
        EXPECT_EQ(end, 10000);
        if (speed == 7) {
            // Ticks at 142, 284, 426 ms show from the frames at 160, 300, 440 ms.
            ASSERT_GE(frames.size(), 4u);
            EXPECT_EQ(frames[1].startMs, 160);
            EXPECT_EQ(frames[2].startMs, 300);
            EXPECT_EQ(frames[3].startMs, 440);
        }
        if (speed == 100) {
            EXPECT_GT(frames.size(), 450u);  // two steps a frame, nearly every frame new
        }
    }
}

// --- Movement steps ------------------------------------------------------------------

TEST(PlayerSteps, ForwardVisitsEveryTickOfEveryRegionAndBackRetracesThem) {
    // The top ticks every 20 ms (speed 50), the bottom every 33 ms (30), the
    // left every 142 ms (7); the view shows 1 s, then destination 5 follows.
    MovementCase c{"", vtLeftTopBottom, mvInLeft, 50, "Dworzec Centralny", 0};
    Document doc;
    makeMovingView(doc, c);
    sRegionsGray& r = screen(doc.flash(), 1, 4).widok;
    r.dolny.Speed = 30;
    r.lewy.Speed = 7;
    screen(doc.flash(), 1, 4).time = 1;
    screen(doc.flash(), 1, 5) = screen(doc.flash(), 1, 4);
    Player p(doc.flash(), {{1, 4, 1000}, {1, 5, 1000}});

    std::vector<std::int64_t> ticks{0};
    for (std::int64_t t = 1; t < 1000; ++t)
        if (t % 20 == 0 || t % 33 == 0 || t % 142 == 0) ticks.push_back(t);
    ticks.push_back(1000);  // the next turn's start
    std::vector<std::int64_t> forward{0};
    while (forward.back() < 1000) forward.push_back(p.nextStep(forward.back()));
    EXPECT_EQ(forward, ticks);
    std::vector<std::int64_t> back{1000};
    while (back.back() > 0) back.push_back(p.previousStep(back.back()));
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(back, ticks);
    // Each step shows one more tick: the face changes.
    EXPECT_NE(p.faceAt(p.nextStep(300)), p.faceAt(300));

    // Round the ends: back from the first start to the last turn's last
    // tick, on from there to the start again; a still screen steps whole.
    EXPECT_EQ(p.previousStep(0), 1994);
    EXPECT_EQ(p.nextStep(1994), 0);
    const auto still = turnsImage(true);
    Player q(*still, destinationTurns(*still, 5));
    EXPECT_EQ(q.nextStep(10), 3000);
    EXPECT_EQ(q.previousStep(3000), 0);
    EXPECT_EQ(q.previousStep(0), 3000);
    EXPECT_EQ(Player(*still, {}).nextStep(10), 0);
}

// --- The animated picture -------------------------------------------------------------

TEST(PlayerGif, SizePaletteLoopAndFramesReadBack) {
    MovementCase c{"", vtLeftTopBottom, mvInLeft, 100, "Dworzec Centralny", 0};
    Document doc;
    makeMovingView(doc, c);
    for (const int scale : {1, SignDefaultScale, 9}) {
        SCOPED_TRACE(scale);
        Player p(doc.flash(), destinationTurns(doc.flash(), 4));
        const Animation a = makeAnimation(p, 3000, scale);
        ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
        const test::GifRead g = test::readGif(a.gif);
        ASSERT_TRUE(g.ok);
        EXPECT_EQ(g.width, 128 * scale);
        EXPECT_EQ(g.height, 32 * scale);
        EXPECT_EQ(g.loopCount, 0);  // for ever
        EXPECT_EQ(g.totalDelay(), 300);
        EXPECT_EQ(static_cast<int>(g.frames.size()), a.frames);
        for (const test::GifShown& s : g.frames) EXPECT_GE(s.delay, 2);
        const SignPainter painter(scale);
        if (scale == 1) {
            // The eight sign colours exactly, entry i the colour of index i.
            ASSERT_EQ(g.palette.size(), 8u);
            for (std::uint8_t i = 0; i < 8; ++i) {
                const std::uint32_t c32 = Int2Color(i);
                EXPECT_EQ(g.palette[i], ((c32 & 0xFF) << 16) | (c32 & 0xFF00) | ((c32 >> 16) & 0xFF))
                    << int(i);
            }
        } else {
            ASSERT_EQ(g.palette.size(), 32u);
            for (std::size_t i = 0; i < painter.palette().size(); ++i)
                EXPECT_EQ(g.palette[i], painter.palette()[i]);
        }
        // Every picture shown is the player's face at that time.
        Player again(doc.flash(), destinationTurns(doc.flash(), 4));
        std::vector<std::uint8_t> expected;
        for (std::int64_t cs = 0; cs < 300; cs += 2) {
            painter.paint(again.faceAt(cs * 10), expected);
            const test::GifShown* shown = g.at(cs);
            ASSERT_NE(shown, nullptr);
            ASSERT_EQ(shown->pixels, expected) << cs;
        }
    }
}

TEST(PlayerGif, EnlargedLedsAreRoundDotsOnADarkFace) {
    const SignPainter painter(6);
    FaceLeds face{};
    face.fill(ciRed);
    std::vector<std::uint8_t> px;
    painter.paint(face, px);
    const std::uint8_t faceEntry = px[5];  // the gap column of the first LED
    EXPECT_GT(painter.palette()[faceEntry], 0u);
    EXPECT_LT(painter.palette()[faceEntry], 0x202020u);
    EXPECT_EQ(px[0], faceEntry);                                          // corner of the cell: dark
    EXPECT_EQ(px[2 * 768 + 2], ciRed);                                    // middle of the dot
    EXPECT_EQ(px[2 * 768 + 0], ciRed);                                    // the dot's left edge
    EXPECT_EQ(px[5 * 768 + 2], faceEntry);                                // the gap row
    EXPECT_NE(painter.palette()[ciBlack], painter.palette()[faceEntry]);  // unlit LEDs still show
    // At scale 4 the 3-pixel dot keeps its corners half lit, so it still looks round.
    const SignPainter small(4);
    small.paint(face, px);
    EXPECT_EQ(px[1], ciRed);
    EXPECT_EQ(px[512 + 1], ciRed);
    EXPECT_EQ(px[3], faceEntry);
    EXPECT_EQ(small.palette()[px[0]], 0x850606u);  // half way from red to the face
}

TEST(PlayerGif, LongStillFramesAreSpreadOverSeveralDelays) {
    GifWriter w(2, 1, std::vector<std::uint32_t>{0x000000, 0xFF0000});
    ASSERT_TRUE(w.addFrame(std::vector<std::uint8_t>{0, 1}, 70000));
    ASSERT_TRUE(w.addFrame(std::vector<std::uint8_t>{1, 1}, 2));
    const test::GifRead g = test::readGif(w.finish());
    ASSERT_TRUE(g.ok);
    ASSERT_EQ(g.frames.size(), 3u);
    EXPECT_EQ(g.frames[0].delay + g.frames[1].delay, 70000);
    EXPECT_EQ(g.frames[1].delay % 2, 0);  // still whole 20-ms steps
    EXPECT_EQ(g.frames[1].pixels, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(g.frames[2].pixels, (std::vector<std::uint8_t>{1, 1}));
}

// --- Foreign images -------------------------------------------------------------------

TEST(PlayerForeign, EveryByteSetAndNoisePlayWithoutHarm) {
    auto f = std::make_unique<sflash>();
    auto* raw = reinterpret_cast<std::uint8_t*>(f.get());
    std::memset(raw, 0xFF, sizeof(sflash));
    {
        const std::vector<PlayTurn> turns = allDestinationTurns(*f);
        ASSERT_EQ(turns.size(), 900u);
        EXPECT_EQ(turns.front().lengthMs, 65535000);
        Player p(*f, turns);
        const Animation a = makeAnimation(p, 2000, SignDefaultScale);
        EXPECT_TRUE(a.error.isEmpty());
        EXPECT_TRUE(test::readGif(a.gif).ok);
    }
    std::mt19937 gen(4242);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < FlashSize; ++i) raw[i] = static_cast<std::uint8_t>(gen());
        // Movements that step on a few screens, with extreme sizes and speeds.
        for (int v = 1; v <= 12; ++v) {
            sscreengray& s = screen(*f, 1 + v % 3, v);
            s.widok.gorny.Ruch = 1 + v % 6;
            s.widok.dolny.Ruch = 1 + (v + 2) % 6;
            s.widok.lewy.Ruch = 1 + (v + 4) % 6;
            s.widok.gorny.TextWidth = v % 2 ? std::numeric_limits<std::int32_t>::min() : 0x7FFFFFFF;
            s.widok.gorny.Speed = v % 3 ? 100 : -7;
        }
        Player p(*f, allDestinationTurns(*f));
        const Animation a = makeAnimation(p, 1000, 1);
        EXPECT_TRUE(a.error.isEmpty());
        for (int v = 1; v <= 12; ++v) {
            ScreenPlay play(*f, 1 + v % 3, v);
            play.seek(5000);
            EXPECT_EQ(play.face().size(), 4096u);
        }
    }
}

// --- The play command -----------------------------------------------------------------

class CliPlay : public ::testing::Test {
protected:
    test::TempDir dir;
    QString project = dir.file(QStringLiteral("moving.vmprj"));
    QString image = dir.file(QStringLiteral("moving.bin"));
    void SetUp() override {
        Document doc;
        makeMovingView(doc, MovementCase{"", vtLeftTopBottom, mvInLeft, 50, "Dworzec Centralny", 0});
        widok(doc.dane(), 1, 4).Time = 2;
        widok(doc.dane(), 1, 4).Gorny.Speed = 50;  // one step a frame
        widok(doc.dane(), 1, 4).Dolny.Ruch = mvBounce;
        widok(doc.dane(), 1, 4).Lewy.Ruch = mvInUp;
        ASSERT_TRUE(doc.writeProject(project).isEmpty());
        const auto ex = test::runCli({QStringLiteral("export"), project, QStringLiteral("-o"), image});
        ASSERT_EQ(ex.exitCode, 0) << ex.err.toStdString();
    }
    static QByteArray readAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(CliPlay, FramesAtScaleOneAreTheThumbnailsOfRenderTicks) {
    const QString gif = dir.file(QStringLiteral("v4.gif"));
    const auto r = test::runCli({QStringLiteral("play"), image, QStringLiteral("--view"), QStringLiteral("4"),
                                 QStringLiteral("--scale"), QStringLiteral("1"), QStringLiteral("-o"), gif});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const test::GifRead g = test::readGif(readAll(gif));
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.totalDelay(), 200);  // one turn: language 1 alone, 2 s
    for (const int ticks : {0, 1, 9, 61, 99}) {
        const QString thumb = dir.file(QStringLiteral("t%1.png").arg(ticks));
        const auto rr = test::runCli({QStringLiteral("render"), project, QStringLiteral("--view"),
                                      QStringLiteral("4"), QStringLiteral("--ticks"), QString::number(ticks),
                                      QStringLiteral("--thumbnail"), QStringLiteral("-o"), thumb});
        ASSERT_EQ(rr.exitCode, 0) << rr.err.toStdString();
        const test::GifShown* shown = g.at(ticks * 2);  // speed 50: one tick each 20 ms
        ASSERT_NE(shown, nullptr);
        const QImage expected = QImage(thumb).convertToFormat(QImage::Format_RGB32);
        const QImage got = faceOfPixels(shown->pixels).image().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(got, expected) << ticks;
    }
}

TEST_F(CliPlay, ProjectPlaysAsItsExportedImage) {
    const QString a = dir.file(QStringLiteral("a.gif")), b = dir.file(QStringLiteral("b.gif"));
    ASSERT_EQ(test::runCli({QStringLiteral("play"), image, QStringLiteral("-o"), a}).exitCode, 0);
    const auto r = test::runCli({QStringLiteral("play"), project, QStringLiteral("-o"), b});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("512 x 128"))) << r.out.toStdString();
    EXPECT_EQ(readAll(a), readAll(b));
}

TEST_F(CliPlay, RefusalsWriteNothing) {
    const QString gif = dir.file(QStringLiteral("out.gif"));
    QFile small(dir.file(QStringLiteral("small.bin")));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write(QByteArray(1024, 'x'));
    small.close();
    const QString noise = dir.file(QStringLiteral("noise.bin"));
    test::putFile(noise, QByteArray(FlashSize, '\x11'));
    QByteArray old = readAll(project);
    old[0] = 0;  // a project of the right size and a version too old
    old[1] = 0;
    QFile oldFile(dir.file(QStringLiteral("old.vmprj")));
    ASSERT_TRUE(oldFile.open(QIODevice::WriteOnly));
    oldFile.write(old);
    oldFile.close();
    const struct {
        QStringList args;
        const char* says;
    } refused[] = {
        {{small.fileName()}, "small.bin is not a pendrive file: it has 1024 bytes"},
        {{noise}, "noise.bin is not a pendrive file: its header does not describe a sign of 128 x 32 LEDs"},
        {{dir.file(QStringLiteral("missing.bin"))}, "No such file"},
        {{oldFile.fileName()}, ""},
        {{image, QStringLiteral("--view"), QStringLiteral("5")}, "not in use"},
        {{image, QStringLiteral("--view"), QStringLiteral("301")}, "--view"},
        {{image, QStringLiteral("--scale"), QStringLiteral("2")}, "--scale"},
        {{image, QStringLiteral("--seconds"), QStringLiteral("0")}, "--seconds"},
    };
    for (const auto& x : refused) {
        const auto r = test::runCli(QStringList{QStringLiteral("play")} + x.args + QStringList{"-o", gif});
        EXPECT_EQ(r.exitCode, 1) << x.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(x.says))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(gif)) << x.args.join(' ').toStdString();
    }
    // A file that is no pendrive file: the player and recover refuse it alike.
    const auto played = test::runCli({QStringLiteral("play"), noise, QStringLiteral("-o"), gif});
    const auto recovered = test::runCli(
        {QStringLiteral("recover"), noise, QStringLiteral("-o"), dir.file(QStringLiteral("r.vmprj"))});
    EXPECT_EQ(played.err, recovered.err);
    const QString png = dir.file(QStringLiteral("out.png"));
    const auto named = test::runCli({QStringLiteral("play"), image, QStringLiteral("-o"), png});
    EXPECT_EQ(named.exitCode, 1);
    EXPECT_TRUE(named.err.contains(QStringLiteral("must be a .gif file"))) << named.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(png));
    // An output that cannot be written: a folder, or a path under a file.
    for (const QString& out : {dir.path(), small.fileName() + QStringLiteral("/x.gif")}) {
        const auto r = test::runCli({QStringLiteral("play"), image, QStringLiteral("-o"), out});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(readAll(small.fileName()).size(), 1024);
}

}  // namespace
}  // namespace lt
