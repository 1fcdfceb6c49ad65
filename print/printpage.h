#pragma once
// The destinations sheet for drivers: every destination number of one
// display language with what the sign shows for it, 50 to an A4 page on six
// pages. Each page is drawn into a page bitmap at 10 pixels per millimetre;
// the print window previews that bitmap and printing stretches it onto the
// printer page.

#include "model/records.h"
#include "render/bitmap.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace lt {

inline constexpr int PageWidth = 2100;  // A4 portrait at 10 px/mm
inline constexpr int PageHeight = 2970;
inline constexpr int SheetPageCount = 6;  // pages of the destinations sheet
inline constexpr int RowsPerColumn = 25;  // two columns of 25 views a page
inline constexpr int ViewsPerPage = 2 * RowsPerColumn;
inline constexpr std::uint32_t PageWhite = 0xFFFFFF;
inline constexpr std::uint32_t PageGrey = 0xA0A0A0;  // the row and column bars

/// The family every text of the sheet is drawn in; where it is missing the
/// font system puts the nearest narrow sans-serif face in its place.
inline QString sheetFontFamily() {
    return QStringLiteral("Arial Narrow");
}

/// Window caption while a page of the sheet is drawn.
inline QString destinationsCaption() {
    return QStringLiteral("Destination's for drivers");
}

/// Pixel height of a font size in points on a 96 pixels-per-inch canvas.
int pointsToPixels(int points);

/// One text as the page drawing put it down: its cell's top-left corner is
/// at `pos` (the baseline lies at pos.y + ascent).
struct PrintedText {
    QString text;
    QPoint pos;
    int points = 0;
    bool bold = false;
    bool opaque = false;  // drawn on a white background instead of see-through
    friend bool operator==(const PrintedText&, const PrintedText&) = default;
};

/// Called once after the page is cleared and once after every row, so a
/// window can process its events while a page is drawn.
using RowYield = std::function<void()>;

/// Makes `page` a 2100 x 2970 24-bit bitmap filled white.
void clearPage(Bitmap& page);

/// `PrintPage(p)`: draws page p (0..5) of the destinations sheet of language
/// `lang` (1..3) into `page`, redrawing it completely. Returns every text it
/// drew, in drawing order. A page or language outside its range is brought
/// into range first.
QList<PrintedText> PrintPage(const sDane& d, int lang, int p, Bitmap& page, const RowYield& yield = {});

/// Draws page p (0..5) of the destinations sheet of language `lang` (1..3)
/// with `painter`, in page pixels (2100 x 2970), over whatever the page holds:
/// the drawing of PrintPage, on any device. Returns every text it drew.
QList<PrintedText> drawSheetPage(QPainter& painter, const sDane& d, int lang, int p,
                                 const RowYield& yield = {});

/// Prints the six pages of the destinations sheet on one document of a paged
/// device (a PDF writer) as drawings with real text, each page placed and
/// sized as PrintImage places the page bitmap. Returns an empty string on
/// success, else what failed.
QString printSheet(QPagedPaintDevice& device, QSize printable, const sDane& d, int lang);

// --- The language and page boxes of the print window -------------------------

inline QString notUsedEntry(int lang) {
    return QStringLiteral("Not used %1").arg(lang);
}

/// The three entries of the language box: the name of language 1, then the
/// names of languages 2 and 3, or "Not used 2" / "Not used 3" for a language
/// that is not in use.
QStringList languageEntries(const sDane& d);

/// The entry to select when the box is rebuilt: the one selected before, the
/// first when none was.
int rememberedEntry(int selected);

/// An entry whose language is not in use cannot stay selected: the third
/// falls back to the second, then the second to the first.
int languageFallback(const sDane& d, int entry);

/// The language (1..3) an entry of the box stands for; no selection means
/// the first entry.
int entryLanguage(int entry);

/// The page box holds 1..6: a lower value becomes 1, a higher one 6.
int clampPage(int value);

}  // namespace lt
