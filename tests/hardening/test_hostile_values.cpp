// Projects of the right size and version that hold values the editor never
// writes: every view opens, renders its thumbnail, steps its movement and
// outlines its regions without crashing or running away, and loading keeps
// the stored values as they were.

#include "editor/document.h"
#include "model/defaults.h"
#include "render/animation.h"
#include "render/preview.h"
#include "render/text.h"
#include "tests/hardening/hostile_project.h"
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

using test::Big;
using test::hostileProject;
using test::Small;
using test::writeBytes;

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
        for (int v = 1; v <= test::HostileViews; ++v) {
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
        for (int v = 1; v <= test::HostileViews; ++v) {
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
