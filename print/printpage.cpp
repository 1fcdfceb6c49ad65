#include "print/printpage.h"

#include "model/sign.h"
#include "print/printimage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace lt {

int pointsToPixels(int points) {
    return (points * 96 * 2 + 72) / (72 * 2);
}

void clearPage(Bitmap& page) {
    if (page.width() != PageWidth || page.height() != PageHeight) page = Bitmap(PageWidth, PageHeight);
    page.image().fill(QColor::fromRgb(PageWhite));
}

namespace {

// Text sizes and places of the sheet, in points and page pixels.
constexpr int HeaderPoints = 60;
constexpr int NumberPoints = 80;
constexpr int LinePoints = 60;       // a one-line view
constexpr int FirstLinePoints = 48;  // first of two lines
constexpr int ViaPoints = 28;        // the "by: " line
constexpr int FirstRowY = 150;
constexpr int RowPitch = 105;
constexpr int LeftNumberX = 100;
constexpr int RightNumberX = 1100;
constexpr int LeftTextX = 280;
constexpr int RightTextX = 1280;
// Where a column's texts must end: before the bar between the columns, and
// at the end of the row bars on the right; the header ends before the page
// label.
constexpr int ColumnGap = 10;
constexpr int LeftTextEnd = 1080 - ColumnGap;
constexpr int RightTextEnd = 2020;
constexpr int HeaderEnd = 1700 - ColumnGap;

QColor grey() {
    return QColor::fromRgb(PageGrey);
}

/// Draws text with the top-left corner of its cell at (x, y), as the sheet's
/// coordinates are given, and logs it. A text wider than `width` (when
/// given) is cut with an ellipsis so that it ends within it.
class PageWriter {
public:
    PageWriter(QPainter& painter, QList<PrintedText>& log) : m_painter(painter), m_log(log) {}

    void text(int x, int y, const QString& full, int points, bool bold = false, bool opaque = false,
              int width = 0) {
        QFont f(sheetFontFamily());
        f.setPixelSize(pointsToPixels(points));
        f.setBold(bold);
        m_painter.setFont(f);
        const QFontMetrics fm(f, m_painter.device());
        const QString s = width > 0 ? fm.elidedText(full, Qt::ElideRight, width) : full;
        if (opaque) m_painter.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), Qt::white);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPoint(x, y + fm.ascent()), s);
        m_log.push_back(PrintedText{s, QPoint(x, y), points, bold, opaque});
    }

private:
    QPainter& m_painter;
    QList<PrintedText>& m_log;
};

/// The number of view n and, when it is in use, its texts by view type.
void printRow(PageWriter& w, const sWidok& v, int n, int numberX, int textX, int textEnd, int y) {
    w.text(numberX, y - 10, QString::number(n), NumberPoints);
    if (!isTrue(v.use)) return;
    if (!isViewType(v.TypWidoku)) return;  // an unknown view type prints the number only
    // The left text leads the first line; the bottom text is the second. A
    // line longer than its column is cut at the column's edge.
    const int width = textEnd - textX;
    QString first = ReadText(v.Gorny.Text);
    if (showsRegion(v.TypWidoku, Region::Lewy)) first = ReadText(v.Lewy.Text) + QStringLiteral(", ") + first;
    if (showsRegion(v.TypWidoku, Region::Dolny)) {
        w.text(textX, y - 10, first, FirstLinePoints, true, false, width);
        w.text(textX, y + 56, QStringLiteral("by: ") + ReadText(v.Dolny.Text), ViaPoints, false, false, width);
    } else {
        w.text(textX, y, first, LinePoints, true, false, width);
    }
}

}  // namespace

QList<PrintedText> drawSheetPage(QPainter& painter, const sDane& d, int lang, int p, const RowYield& yield) {
    lang = std::clamp(lang, 1, LanguageCount);
    p = std::clamp(p, 0, SheetPageCount - 1);
    const auto yieldNow = [&] {
        if (yield) yield();
    };
    QList<PrintedText> log;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    PageWriter w(painter, log);
    w.text(254, 30, QStringLiteral("Project: ") + ReadText(d.ProjName), HeaderPoints, false, true,
           HeaderEnd - 254);

    for (int i = 1; i <= RowsPerColumn; ++i) {
        const int y = FirstRowY + RowPitch * i;
        const int n = ViewsPerPage * p + i;
        printRow(w, widok(d, lang, n), n, LeftNumberX, LeftTextX, LeftTextEnd, y);
        yieldNow();
    }
    for (int i = 1; i <= RowsPerColumn; ++i) {
        const int y = FirstRowY + RowPitch * i;
        const int n = ViewsPerPage * p + RowsPerColumn + i;
        printRow(w, widok(d, lang, n), n, RightNumberX, RightTextX, RightTextEnd, y);
        painter.fillRect(QRect(80, y - 5, 1940, 4), grey());  // (80, y-5) to (2020, y-1)
        yieldNow();
    }

    w.text(1700, 100, QStringLiteral("Side %1/6").arg(p + 1), HeaderPoints, false, true);
    painter.fillRect(QRect(1080, 255, 4, 2640), grey());  // (1080, 255) to (1084, 2895)
    painter.restore();
    return log;
}

QList<PrintedText> PrintPage(const sDane& d, int lang, int p, Bitmap& page, const RowYield& yield) {
    clearPage(page);
    if (yield) yield();
    QPainter painter(&page.image());
    return drawSheetPage(painter, d, lang, p, yield);
}

QString printSheet(QPagedPaintDevice& device, QSize printable, const sDane& d, int lang) {
    const QSize size = PrintFit(QSize(PageWidth, PageHeight), printable, 100);
    if (size.isEmpty()) return QStringLiteral("The printer has no printable area.");
    return printDocument(device, SheetPageCount, [&](QPainter& painter, int page) {
        // The page bitmap's place and size on paper, in page pixels.
        painter.save();
        painter.scale(static_cast<qreal>(size.width()) / PageWidth,
                      static_cast<qreal>(size.height()) / PageHeight);
        painter.setClipRect(QRect(0, 0, PageWidth, PageHeight));
        drawSheetPage(painter, d, lang, page);
        painter.restore();
    });
}

// --- Language and page boxes --------------------------------------------------

QStringList languageEntries(const sDane& d) {
    QStringList entries{ReadText(d.Lang[0].Nazwa)};
    for (int l = 2; l <= LanguageCount; ++l)
        entries << (isTrue(d.Lang[l - 1].Use) ? ReadText(d.Lang[l - 1].Nazwa) : notUsedEntry(l));
    return entries;
}

int rememberedEntry(int selected) {
    return selected < 0 ? 0 : std::min(selected, LanguageCount - 1);
}

int languageFallback(const sDane& d, int entry) {
    if (entry == 2 && !isTrue(d.Lang[2].Use)) entry = 1;
    if (entry == 1 && !isTrue(d.Lang[1].Use)) entry = 0;
    return entry;
}

int entryLanguage(int entry) {
    return std::clamp(entry, 0, LanguageCount - 1) + 1;
}

int clampPage(int value) {
    return std::clamp(value, 1, SheetPageCount);
}

}  // namespace lt
