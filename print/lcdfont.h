#pragma once
// The character set of the control panel's 16 x 2 character LCD: 5 x 8 dot
// patterns for the printable ASCII characters and a full block for bars.

#include <QChar>

#include <array>
#include <cstdint>

namespace lt {

/// Five columns of one character, bit 0 the top dot row, bit 6 the base
/// line and bit 7 the row below it, which only descenders use.
using LcdGlyph = std::array<std::uint8_t, 5>;

/// The full-block character (every dot lit), drawn for progress bars.
inline constexpr char16_t LcdBlock = u'\u2588';

/// The dot pattern of a character; characters the LCD lacks show as blank.
LcdGlyph lcdGlyph(QChar c);

}  // namespace lt
