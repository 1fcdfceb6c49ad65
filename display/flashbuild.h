#pragma once
// Building the display image from the project: the header, the languages, the
// settings of all 900 views and the packed pictures of the views in use.

#include "display/flash.h"
#include "model/records.h"
#include "render/bitmap.h"

#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace lt {

class Document;

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

/// The settings and texts of one screen from its view, as the build writes
/// them; the pictures are ConvertBitmapsToScreens' work.
void fillScreen(sscreengray& sc, const sWidok& w, const sflash& flash);

/// `EncodeKorvo2Flash`: fills the header, the language entries and the
/// settings of all 900 screens from the project, then renders and packs the
/// pictures of the views in use (ConvertBitmapsToScreens). Bytes the build
/// never writes (filler, EEPROM, sign, padding, pictures of views not in use)
/// keep their content.
void EncodeKorvo2Flash(sDane& dane, Surfaces& s, sflash& flash);

/// `ConvertBitmapsToScreens`: for every screen in use, makes its view the
/// edited view, renders it, refreshes its thumbnail, packs the three region
/// surfaces into the screen's pictures and unpacks them back into the
/// surfaces. Restores SelWidok and EditRow and renders the edited view again.
void ConvertBitmapsToScreens(sDane& dane, Surfaces& s, sflash& flash);

/// The build on the document's project and image; the windows are told that
/// the preview and the thumbnails changed.
void EncodeKorvo2Flash(Document& doc);

}  // namespace lt
