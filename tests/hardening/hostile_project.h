#pragma once
// A project of the right size and version whose views hold values the
// editor never writes, for the tests that open it everywhere.

#include "model/defaults.h"
#include "model/records.h"

#include <QFile>
#include <QString>

#include <climits>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lt::test {

constexpr std::int32_t Big = INT32_MAX;
constexpr std::int32_t Small = INT32_MIN;

/// One hostile region: every numeric field of the region set to `v`, the
/// text and the font name filled to the last unit with no terminator.
inline void poison(sScreenImage& r, std::int32_t v, char16_t fill) {
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
inline std::unique_ptr<sDane> hostileProject() {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof *d);
    NewDane(*d);
    const std::vector<std::int32_t> values = {0, -1, 1, Big, Small, 8, 255, 101, -100, 7, 6, 5, 4, 3, 2};
    const std::vector<char16_t> fills = {u'W', u'\xFFFF', u'\xD800', u'\x0915', u' '};
    for (int l = 1; l <= LanguageCount; ++l) {
        int v = 1;
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
    // Names filled to the last unit, and use flags that are neither 0 nor 1.
    for (auto& c : d->ProjName) c = u'P';
    for (int l = 0; l < LanguageCount; ++l) {
        for (auto& c : d->Lang[l].Nazwa) c = u'L';
        d->Lang[l].Use = 0xA5;
    }
    d->SelWidok = 255;
    d->EditRow = -1;
    d->SelectRow = Big;
    d->SelectCol = Small;
    d->EditCol = Big;
    return d;
}

inline void writeBytes(const QString& path, const void* data, std::size_t size) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(static_cast<const char*>(data), static_cast<qint64>(size)), static_cast<qint64>(size));
}

/// Views 1..HostileViews of every language carry hostile values.
constexpr int HostileViews = 19;

}  // namespace lt::test
