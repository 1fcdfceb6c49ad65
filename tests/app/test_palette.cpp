// The colour palette and the six colour swatches of the panel.
#include "app/formcolor.h"
#include "tests/app/editor_fixture.h"

#include <QMouseEvent>
#include <QTimer>

#include <functional>

namespace lt::test {
namespace {

void pressAndRelease(QWidget* target, QWidget* releaseOn) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), releaseOn->mapToGlobal(QPointF(5, 5)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

/// Runs `inside` as soon as the palette's modal loop is running.
void whileOpen(TFormColor& palette, std::function<void()> inside) {
    QTimer::singleShot(0, &palette, [&palette, inside] {
        EXPECT_TRUE(palette.isVisible());
        inside();
    });
}

QList<int> marks(const TFormColor& palette) {
    QList<int> out;
    for (int i = 0; i < 8; ++i)
        if (palette.cell(i)->outlined()) out << i;
    return out;
}

TEST(Palette, OpensAtThePointerWithTheCurrentColourMarked) {
    TFormColor palette;
    EXPECT_EQ(palette.size(), QSize(233, 37));
    QList<int> seen;
    whileOpen(palette, [&] {
        seen = marks(palette);
        EXPECT_EQ(palette.pos(), QPoint(300, 200));
        pressAndRelease(palette.cell(6), palette.cell(6));
    });
    EXPECT_EQ(palette.GetColor(300, 200, 3), 6);
    EXPECT_EQ(seen, QList<int>{3});
    EXPECT_EQ(marks(palette), QList<int>{6});
    EXPECT_FALSE(palette.isVisible());
}

TEST(Palette, ClosingWithoutAChoiceKeepsTheColourAndOutOfRangeMarksNothing) {
    TFormColor palette;
    QList<int> seen{-1};
    whileOpen(palette, [&] {
        seen = marks(palette);
        palette.reject();  // the platform's close
    });
    EXPECT_EQ(palette.GetColor(10, 10, 12), 12);
    EXPECT_TRUE(seen.isEmpty());

    // Pressing one colour and releasing anywhere chooses the pressed one.
    whileOpen(palette, [&] { pressAndRelease(palette.cell(2), palette.cell(5)); });
    EXPECT_EQ(palette.GetColor(10, 10, 0), 2);
}

using Swatches = EditorFixture;

TEST_F(Swatches, ChoosingAColourStoresItPaintsTheSwatchAndRedraws) {
    TFormColor palette;
    form->setFormColor(&palette);
    W().Gorny.BackColor = ciBlue;
    form->ColorsRepaint();
    EXPECT_EQ(rc(Region::Gorny).sBackground->fill(), QColor(0, 0, 255));
    const QImage before = preview();
    QList<int> seen;
    whileOpen(palette, [&] {
        seen = marks(palette);
        pressAndRelease(palette.cell(ciMagenta), palette.cell(ciMagenta));
    });
    form->sBackgroundGornyMouseDown();
    EXPECT_EQ(seen, QList<int>{ciBlue});
    EXPECT_EQ(W().Gorny.BackColor, ciMagenta);
    EXPECT_EQ(rc(Region::Gorny).sBackground->fill(), QColor(255, 0, 255));
    EXPECT_NE(preview(), before);

    // The same colour again is stored and still redraws.
    std::memset(doc.surfaces().preview.row(0), 0x11, 3);
    whileOpen(palette, [&] { pressAndRelease(palette.cell(ciMagenta), palette.cell(ciMagenta)); });
    form->sBackgroundGornyMouseDown();
    EXPECT_NE(doc.surfaces().preview.row(0)[0], 0x11);

    whileOpen(palette, [&] { pressAndRelease(palette.cell(ciRed), palette.cell(ciRed)); });
    form->sColorLewyMouseDown();
    EXPECT_EQ(W().Lewy.FontColor, ciRed);
    EXPECT_EQ(rc(Region::Lewy).sColor->fill(), QColor(255, 0, 0));
}

TEST_F(Swatches, ColorsRepaintFollowsTheEditedViewAndShowsBlackForForeignValues) {
    EXPECT_EQ(rc(Region::Gorny).sColor->fill(), QColor(255, 255, 255));
    EXPECT_EQ(rc(Region::Dolny).sColor->fill(), QColor(255, 255, 0));
    EXPECT_EQ(rc(Region::Dolny).sBackground->fill(), QColor(0, 0, 255));
    EXPECT_EQ(rc(Region::Lewy).sColor->fill(), QColor(0, 255, 0));
    W().Dolny.FontColor = 42;
    form->ColorsRepaint();
    EXPECT_EQ(rc(Region::Dolny).sColor->fill(), QColor(0, 0, 0));
}

}  // namespace
}  // namespace lt::test
