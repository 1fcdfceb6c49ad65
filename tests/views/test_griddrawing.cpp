// The destination cell's box and the edit frame, drawn as the grid's cell
// rules place them: from (L + 1, T + 1) to (R - 1, B - 1) of the cell widened
// four pixels left, right and bottom edges excluded.
#include "app/mainform.h"
#include "editor/document.h"
#include "tests/support/scripted_prompts.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QAbstractScrollArea>

#include <gtest/gtest.h>
#include <memory>

namespace lt::views {
namespace {

QRgb bgrPixel(unsigned bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

TEST(GridDrawing, DestinationBoxAndEditFrameHaveAllFourEdgesInPlace) {
    Document doc;
    test::ScriptedPrompts prompts;
    auto form = std::make_unique<TMainForm>(doc, prompts);
    sDane& d = doc.dane();
    for (int v : {1, 2}) {
        widok(d, 1, v).use = 1;
        widok(d, 1, v).Time = 2;
    }
    d.EditRow = 1;
    form->show();
    ViewsGrid* grid = form->gbWidoki()->grid(1);
    const QImage shot = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = grid->viewport()->devicePixelRatioF();
    ASSERT_EQ(dpr, 1.0);

    struct Case {
        int row;
        int inset;
        unsigned colour;
    } cases[] = {
        {2, 1, 0x666666},  // the box of a view not edited
        {1, 1, 0x000077},  // the edit frame, dark to bright red inwards
        {1, 2, 0x0000AA},
        {1, 3, 0x0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " inset " << c.inset);
        QRect cell = grid->cellRect(1, c.row);
        cell.setLeft(cell.left() - 4);
        const int L = cell.left(), T = cell.top(), R = L + cell.width(), B = T + cell.height();
        const int midX = L + cell.width() / 3, midY = T + cell.height() / 2;
        const QRgb want = bgrPixel(c.colour);
        EXPECT_EQ(shot.pixel(L + c.inset, midY), want) << "left";
        EXPECT_EQ(shot.pixel(R - 1 - c.inset, midY), want) << "right";
        EXPECT_EQ(shot.pixel(midX, T + c.inset), want) << "top";
        EXPECT_EQ(shot.pixel(midX, B - 1 - c.inset), want) << "bottom";
        // One pixel further out on the right and at the bottom is not the line.
        EXPECT_NE(shot.pixel(R - c.inset, midY), want) << "past right";
        EXPECT_NE(shot.pixel(midX, B - c.inset), want) << "past bottom";
    }
}

}  // namespace
}  // namespace lt::views
