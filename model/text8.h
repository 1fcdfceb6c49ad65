#pragma once
// The 8-bit texts of the display image: a project text (UTF-16) becomes one
// byte a character, and an image's bytes read back as text. Both directions
// live here and nowhere else.

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace lt {

/// The 18 Polish letters the image's 8-bit texts replace (`plchars`) and the
/// byte each becomes (`achars`), position for position: capitals become plain
/// letters, small letters the control codes 1..8 (ź and ż share 8).
extern const char16_t plchars[18];
extern const std::uint8_t achars[18];

/// The 8-bit character of one UTF-16 unit: `achars` for a Polish letter, else
/// the unit's low byte.
std::uint8_t AnsiCharOf(char16_t unit);

/// `StringToAnsiChar`: stores the converted characters of str into a text
/// field of the image, then one zero byte. Latin-1 and the Polish letters are
/// converted as AnsiCharOf does; any other character as carryText writes it
/// (its base letter, a plain dash or quote, "?"). A text longer than the field
/// is cut at capacity - 1 bytes; bytes after the zero keep their content.
void StringToAnsiChar(QStringView str, char* chars, int capacity);
template <std::size_t N>
void StringToAnsiChar(QStringView str, char (&chars)[N]) {
    StringToAnsiChar(str, chars, static_cast<int>(N));
}

/// The text of an 8-bit image field up to its zero byte (or the field's end):
/// the control codes 1..8 become the small Polish letters they stand for
/// (8 reads as ź, which it shares with ż), every other byte is Latin-1.
QString AnsiCharToString(const char* chars, int capacity);
template <std::size_t N>
QString AnsiCharToString(const char (&chars)[N]) {
    return AnsiCharToString(chars, static_cast<int>(N));
}

}  // namespace lt
