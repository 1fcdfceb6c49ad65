// Projects of the right size and version that hold values the editor never
// writes: every view opens, renders its thumbnail, steps its movement and
// outlines its regions without crashing or running away, and loading keeps
// the stored values as they were.

#include "model/defaults.h"
#include "model/document.h"
#include "render/animation.h"
#include "render/preview.h"
#include "render/text.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lt {
namespace {

using test::TempDir;

constexpr std::int32_t Big = INT32_MAX;
constexpr std::int32_t Small = INT32_MIN;

/// One hostile region: every numeric field of the region set to `v`, the
/// text and the font name filled to the last unit with no terminator.
void poison(sScreenImage& r, std::int32_t v, char16_t fill) {
    for (auto& c : r.Text) c = fill;
    for (auto& c : r.FontName) c = fill;
    r.TextWidth = v;
    r.TextHeight = v;
    r.Ruch = v;
    r.Direction = v;
    r.Speed = v;
    r.FontSize = v;
    r.Styl = v;
    r.Alias = static_cast<std::uint8_t>(v);
    r.X = v;
    r.Y = v;
    r.AnimX = v;
    r.AnimY = v;
    r.Timer = static_cast<std::uint8_t>(v);
    r.FontColor = v;
    r.BackColor = v;
}

/// A default project whose first views carry the hostile values one by one,
/// in every language, and whose header points outside the views.
std::unique_ptr<sDane> hostileProject() {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof *d);
    NewDane(*d);
    const std::vector<std::int32_t> values = {0, -1, 1, Big, Small, 8, 255, 101, -100, 7, 6, 5, 4, 3, 2};
    const std::vector<char16_t> fills = {u'W', u'\xFFFF', u'\xD800', u'\x0915', u' '};
    int v = 1;
    for (int l = 1; l <= LanguageCount; ++l) {
        for (std::size_t i = 0; i < values.size(); ++i, ++v) {
            sWidok& w = widok(*d, l, v);
            const std::int32_t x = values[i];
            poison(w.Gorny, x, fills[i % fills.size()]);
            poison(w.Dolny, x, fills[(i + 1) % fills.size()]);
            poison(w.Lewy, x, fills[(i + 2) % fills.size()]);
            for (auto& c : w.NazwaKursu) c = u'N';
            w.BarX = x;
            w.BarY = values[(i + 3) % values.size()];
            w.TypWidoku = i % 3 == 0 ? x : static_cast<std::int32_t>(i % 4);  // some valid, some hostile
            w.Time = x;
            w.use = 1;
        }
        // Ordinary views with single hostile fields, so each is reached in a
        // view type that shows the region.
        for (int t = 0; t < 4; ++t, ++v) {
            sWidok& w = widok(*d, l, v);
            w.TypWidoku = t;
            w.Gorny.FontSize = Big;
            w.Dolny.FontSize = -1;
            w.Lewy.FontSize = 0;
            w.Gorny.Ruch = 1 + t;
            w.Dolny.Ruch = 6;
            w.Lewy.Ruch = 5;
            w.Gorny.Direction = 0;
            w.Dolny.Direction = 0;
            w.Gorny.Speed = -5;
            w.Dolny.Speed = 1000;
            w.Gorny.AnimX = Big;
            w.Gorny.AnimY = Small;
            w.Dolny.AnimX = Small;
            w.Lewy.AnimY = Big;
            w.Gorny.X = Small;
            w.Dolny.Y = Big;
            w.BarX = t % 2 ? Big : Small;
            w.BarY = t % 2 ? Small : Big;
            const char16_t garbage[] = u"\x01\xFFFE\xD83D zz-no-such-face \x7F";
            std::memcpy(w.Gorny.FontName, garbage, sizeof garbage);
        }
    }
    d->SelWidok = 255;
    d->EditRow = -1;
    d->SelectRow = Big;
    d->SelectCol = Small;
    d->EditCol = Big;
    return d;
}

void writeBytes(const QString& path, const void* data, std::size_t size) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(static_cast<const char*>(data), static_cast<qint64>(size)), static_cast<qint64>(size));
}

TEST(HostileValues, ProjectOpensRendersAndStepsWithoutFaults) {
    TempDir dir;
    const QString path = dir.path() + QStringLiteral("/hostile.bin");
    const auto stored = hostileProject();
    writeBytes(path, stored.get(), sizeof *stored);

    Document doc;
    doc.newDane();
    ASSERT_EQ(doc.openProject(path), QString());

    // Loading keeps what the file holds.
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= 20; ++v) {
            const sWidok& a = widok(doc.dane(), l, v);
            const sWidok& b = widok(*stored, l, v);
            EXPECT_EQ(a.Gorny.FontSize, b.Gorny.FontSize);
            EXPECT_EQ(a.Dolny.Speed, b.Dolny.Speed);
            EXPECT_EQ(a.Lewy.BackColor, b.Lewy.BackColor);
            EXPECT_EQ(a.BarX, b.BarX);
            EXPECT_EQ(a.TypWidoku, b.TypWidoku);
            EXPECT_EQ(std::memcmp(a.Gorny.Text, b.Gorny.Text, sizeof a.Gorny.Text), 0);
        }
    }

    // Every thumbnail, once.
    doc.RenderBitmapsSG();

    // Each hostile view as the edited one: compose, outline, step a few ticks.
    sDane& d = doc.dane();
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= 20; ++v) {
            d.SelWidok = l;
            d.EditRow = v;
            doc.RenderLED();
            doc.outlineRegion(Region::Gorny);
            doc.outlineRegion(Region::Dolny);
            doc.outlineRegion(Region::Lewy);
            for (int tick = 0; tick < 4; ++tick) {
                for (Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
                    stepRegion(d, r);
                    (void)timerInterval(regionOf(editedView(d), r).Speed);
                    (void)wrapLimits(editedView(d), r);
                }
                doc.RenderLED();
            }
            doc.RenderActiveBitmapSG();
            doc.btnTestClick();
        }
    }
    // Every surface is still the size it was made with.
    EXPECT_EQ(doc.surfaces().preview.width(), 768);
    EXPECT_EQ(doc.surfaces().preview.height(), 192);
    EXPECT_EQ(doc.surfaces().thumbnail(3, 300).width(), 128);
}

TEST(HostileValues, HeaderOutsideItsRangesStillAddressesAView) {
    auto d = hostileProject();
    for (std::int32_t sel : {0, -1, 4, 255, Big, Small}) {
        for (std::int32_t row : {0, -1, 301, Big, Small}) {
            d->SelWidok = sel;
            d->EditRow = row;
            const sWidok& w = editedView(*d);
            const auto* first = &d->Widok[0][0];
            EXPECT_GE(&w, first);
            EXPECT_LT(&w, first + LanguageCount * ViewCount);
        }
    }
}

TEST(HostileValues, FontSizeHandedToTheRasteriserIsBounded) {
    for (std::int64_t size : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{Big}, std::int64_t{Small}}) {
        const int px = fontPixelSize(size);
        EXPECT_GE(px, 1);
        EXPECT_LE(px, MaxFontPixels);
    }
    for (std::int32_t speed : {0, -1, 101, Big, Small}) {
        const int ms = timerInterval(speed);
        EXPECT_GE(ms, 10);
        EXPECT_LE(ms, 1000);
    }
}

}  // namespace
}  // namespace lt
