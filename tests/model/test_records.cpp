#include "model/records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace lt {
namespace {

TEST(Records, ViewOffsetsFollowTheFileLayout) {
    EXPECT_EQ(widokOffset(1, 1), 1048u);
    EXPECT_EQ(widokOffset(3, 300) + sizeof(sWidok), 6632248u);
    EXPECT_EQ(widokOffset(2, 1), 1048u + 300u * 7368u);
    auto d = std::make_unique<sDane>();
    const auto* base = reinterpret_cast<const char*>(d.get());
    EXPECT_EQ(reinterpret_cast<const char*>(&widok(*d, 3, 300)) - base, static_cast<long>(widokOffset(3, 300)));
    EXPECT_EQ(reinterpret_cast<const char*>(&d->Lang[2]) - base, 6644594 + 2 * 66);
}

TEST(Records, ColorTableAndFallback) {
    EXPECT_EQ(Int2Color(ciYellow), 0x00FFFFu);
    EXPECT_EQ(Int2Color(ciBlue), 0xFF0000u);
    EXPECT_EQ(Int2Color(ciRed), 0x0000FFu);
    for (int bad : {8, -1, 255, INT32_MIN, INT32_MAX}) EXPECT_EQ(Int2Color(bad), 0u) << bad;
}

TEST(Records, FontStyleCodes) {
    EXPECT_EQ(Int2FontStyle(styItalicBold), (FontStyle{true, true, false}));
    EXPECT_EQ(Int2FontStyle(styUnderline), (FontStyle{false, false, true}));
    EXPECT_EQ(Int2FontStyle(styNone), FontStyle{});
    EXPECT_EQ(Int2FontStyle(5), FontStyle{});
    EXPECT_EQ(Int2FontStyle(-1), FontStyle{});
}

TEST(Records, TextStoreAndRead) {
    sScreenImage r;
    std::memset(&r, 0x55, sizeof r);
    // 63 characters occupy units 0..62, unit 63 is the terminator, the rest stays.
    const QString text(63, QLatin1Char('a'));
    StringToWideChar(text, r.Text);
    EXPECT_EQ(r.Text[62], u'a');
    EXPECT_EQ(r.Text[63], 0);
    EXPECT_EQ(r.Text[64], 0x5555);
    EXPECT_EQ(ReadText(r.Text), text);

    // A field with no terminator reads as all of its units.
    for (auto& u : r.FontName) u = u'x';
    EXPECT_EQ(ReadText(r.FontName).size(), 128);

    // A longer text is cut at capacity - 1 and never written past the field.
    char16_t field[8];
    std::memset(field, 0x11, sizeof field);
    StringToWideChar(QStringLiteral("0123456789"), field);
    EXPECT_EQ(ReadText(field), QStringLiteral("0123456"));

    // A cut never leaves half a surrogate pair.
    char16_t small[4];
    StringToWideChar(QStringLiteral("ab") + QString::fromUcs4(U"\U0001F68C"), small);
    EXPECT_EQ(ReadText(small), QStringLiteral("ab"));
}

TEST(Records, EditedViewStaysInsideTheProject) {
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof(sDane));
    d->SelWidok = 7;
    d->EditRow = -3;
    EXPECT_EQ(&editedView(*d), &widok(*d, 3, 1));
    d->SelWidok = 0;
    d->EditRow = 301;
    EXPECT_EQ(&editedView(*d), &widok(*d, 1, 300));
}

}  // namespace
}  // namespace lt
