// The editing panel: every handler stores its control's value into the
// edited view and redraws; loading a view brings what the controls cannot
// hold into range.
#include "tests/app/editor_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cstring>

namespace lt::test {
namespace {

using Panel = EditorFixture;

TEST_F(Panel, TextBoxesStoreIntoTheirRegionAndRedraw) {
    const QImage before = preview();
    rc(Region::Gorny).eText->setText(QStringLiteral("Central"));
    EXPECT_EQ(ReadText(W().Gorny.Text), QStringLiteral("Central"));
    EXPECT_NE(preview(), before);
    rc(Region::Dolny).eText->setText(QStringLiteral("via Market"));
    rc(Region::Lewy).eText->setText(QStringLiteral("42"));
    EXPECT_EQ(ReadText(W().Dolny.Text), QStringLiteral("via Market"));
    EXPECT_EQ(ReadText(W().Lewy.Text), QStringLiteral("42"));
    // The thumbnail of the edited view follows the preview.
    EXPECT_EQ(doc.surfaces().thumbnail(1, 1).image().pixelColor(0, 0),
              doc.surfaces().preview.image().pixelColor(3, 3));
}

TEST_F(Panel, TextBoxLimitsAreThoseOfTheirRegion) {
    EXPECT_EQ(rc(Region::Gorny).eText->maxLength(), 63);
    EXPECT_EQ(rc(Region::Dolny).eText->maxLength(), 255);
    EXPECT_EQ(rc(Region::Lewy).eText->maxLength(), 6);
    EXPECT_EQ(form->eNazwaKursu()->maxLength(), 126);
    EXPECT_EQ(form->eNazwaProjektu()->maxLength(), 126);
}

TEST_F(Panel, NumberListAndCheckHandlersStoreTheirValues) {
    rc(Region::Gorny).seSize->setValue(20);
    rc(Region::Dolny).seX->setValue(-5);
    rc(Region::Lewy).seY->setValue(7);
    rc(Region::Gorny).seSpeed->setValue(55);
    pick(rc(Region::Dolny).cbFontStyle, styItalicBold);
    rc(Region::Lewy).cbWygladzanie->click();
    EXPECT_EQ(W().Gorny.FontSize, 20);
    EXPECT_EQ(W().Dolny.X, -5);
    EXPECT_EQ(W().Lewy.Y, 7);
    EXPECT_EQ(W().Gorny.Speed, 55);
    EXPECT_EQ(W().Dolny.Styl, styItalicBold);
    EXPECT_TRUE(isTrue(W().Lewy.Alias));
    // Other regions are untouched.
    EXPECT_EQ(W().Dolny.FontSize, 8);
    EXPECT_EQ(W().Gorny.X, 0);
    EXPECT_FALSE(isTrue(W().Gorny.Alias));
}

TEST_F(Panel, FontSelectorStoresThePickedFamilyAndAppliesOnKeys) {
    FontSelector* font = rc(Region::Gorny).cNameFont;
    const QString family = QStringLiteral("DejaVu Sans");
    ASSERT_TRUE(QFontDatabase::hasFamily(family));
    font->setCurrentIndex(font->findText(family));
    EXPECT_EQ(ReadText(W().Gorny.FontName), family);

    // A key that steps the list applies the new family at once.
    const int next = font->currentIndex() + 1 < font->count() ? font->currentIndex() + 1 : 0;
    {
        const QSignalBlocker quiet(font);
        font->setCurrentIndex(next);
    }
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(font, &up);
    EXPECT_EQ(ReadText(W().Gorny.FontName), font->itemText(next));
}

TEST_F(Panel, FontSelectorShowsAFamilyThatIsNotInstalled) {
    // The default top region asks for "Arial Narrow", which this machine
    // provides only through a substitute.
    FontSelector* font = rc(Region::Gorny).cNameFont;
    EXPECT_EQ(font->fontName(), QStringLiteral("Arial Narrow"));
    EXPECT_EQ(ReadText(W().Gorny.FontName), QStringLiteral("Arial Narrow"));
    font->setFontName(QStringLiteral("No Such Face 9"));
    EXPECT_EQ(font->fontName(), QStringLiteral("No Such Face 9"));
    EXPECT_TRUE(font->showsMissingFamily());
    // Only one extra item exists at a time.
    const int n = font->count();
    font->setFontName(QStringLiteral("Another Missing Face"));
    EXPECT_EQ(font->count(), n);
    font->setFontName(QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font->count(), n - 1);
    EXPECT_FALSE(font->showsMissingFamily());
    // Setting the family never fires the handler.
    EXPECT_EQ(ReadText(W().Gorny.FontName), QStringLiteral("Arial Narrow"));
}

TEST_F(Panel, NumberBoxReadsItsMinimumAndClampsOnFocusLoss) {
    NumberBox* x = rc(Region::Gorny).seX;
    editOf(x)->setText(QString());
    EXPECT_EQ(W().Gorny.X, -127);  // an emptied X box reads its minimum
    editOf(x)->setText(QStringLiteral("500"));
    EXPECT_EQ(W().Gorny.X, 500);  // taken as typed while the box has the focus
    loseFocus(x);
    EXPECT_EQ(x->text(), QStringLiteral("127"));
    EXPECT_EQ(W().Gorny.X, 127);

    NumberBox* speed = rc(Region::Dolny).seSpeed;
    editOf(speed)->setText(QString());
    EXPECT_EQ(W().Dolny.Speed, 0);
    loseFocus(speed);
    EXPECT_EQ(W().Dolny.Speed, 0);
    // Letters are refused.
    int pos = 0;
    QString letters = QStringLiteral("1a");
    EXPECT_EQ(editOf(speed)->validator()->validate(letters, pos), QValidator::Invalid);
}

TEST_F(Panel, ProjectNameStoresOnlyCourseNameStoresAndRepaints) {
    const QImage before = preview();
    std::memcpy(W().Gorny.Text, u"Changed", 16);  // a change not yet drawn
    form->eNazwaProjektu()->setText(QStringLiteral("Depot North"));
    EXPECT_EQ(ReadText(doc.dane().ProjName), QStringLiteral("Depot North"));
    EXPECT_EQ(preview(), before);  // the preview is not recomposed
    form->eNazwaKursu()->setText(QStringLiteral("Airport"));
    EXPECT_EQ(ReadText(W().NazwaKursu), QStringLiteral("Airport"));
    EXPECT_EQ(preview(), before);
}

TEST_F(Panel, HandlersWriteIntoWhateverViewIsEditedNow) {
    doc.dane().EditRow = 7;
    rc(Region::Gorny).seSize->setValue(30);
    EXPECT_EQ(widok(doc.dane(), 1, 7).Gorny.FontSize, 30);
    EXPECT_EQ(widok(doc.dane(), 1, 1).Gorny.FontSize, 16);
}

TEST_F(Panel, LoadingBringsOutOfRangeValuesIntoRange) {
    sWidok& w = W();
    w.Gorny.FontSize = 0;
    w.Dolny.FontSize = 99;
    w.Lewy.X = 300;
    w.Gorny.Y = -50;
    w.Dolny.Speed = 250;
    w.BarX = 100;
    w.BarY = 5;
    form->UstawWidokZDanych();
    EXPECT_EQ(w.Gorny.FontSize, 4);
    EXPECT_EQ(w.Dolny.FontSize, 32);
    EXPECT_EQ(w.Lewy.X, 127);
    EXPECT_EQ(w.Gorny.Y, -31);
    EXPECT_EQ(w.Dolny.Speed, 100);
    EXPECT_EQ(w.BarX, 64);
    EXPECT_EQ(w.BarY, 12);
    EXPECT_EQ(form->barX()->value(), 64);
    EXPECT_EQ(form->barY()->value(), 12);
    EXPECT_EQ(doc.surfaces().barX, 64);
    EXPECT_EQ(doc.surfaces().barY, 12);
}

TEST_F(Panel, LoadingLeavesInRangeViewsAsTheyAreAndKeepsAnimation) {
    sWidok& w = W();
    w.Gorny.Ruch = mvInLeft;
    w.Gorny.AnimX = -9;
    w.Gorny.AnimY = 3;
    w.Gorny.Timer = 1;
    w.Dolny.Styl = styUnderline;
    std::vector<char> before(sizeof(sWidok));
    form->UstawWidokZDanych();  // measures TextWidth/TextHeight again
    std::memcpy(before.data(), &w, sizeof w);
    form->UstawWidokZDanych();
    EXPECT_EQ(std::memcmp(before.data(), &w, sizeof w), 0);
    EXPECT_EQ(w.Gorny.Ruch, mvInLeft);
    EXPECT_EQ(w.Gorny.AnimX, -9);
    EXPECT_EQ(w.Gorny.AnimY, 3);
    EXPECT_TRUE(isTrue(w.Gorny.Timer));
    EXPECT_FALSE(rc(Region::Gorny).timer->isActive());  // lists do not fire
    EXPECT_EQ(rc(Region::Gorny).cbRuch->currentIndex(), mvInLeft);
    EXPECT_EQ(rc(Region::Dolny).cbFontStyle->currentIndex(), styUnderline);
}

TEST_F(Panel, LoadingKeepsATextLongerThanTheBoxOffers) {
    const QString longText(100, QLatin1Char('x'));
    StringToWideChar(longText, W().Gorny.Text);
    form->UstawWidokZDanych();
    EXPECT_EQ(rc(Region::Gorny).eText->text(), longText);
    EXPECT_EQ(ReadText(W().Gorny.Text), longText);
}

TEST_F(Panel, GroupsFollowTheViewTypeAtTheirFixedTops) {
    form->show();
    form->setPanelMainVisible(true);
    struct Case {
        int typ;
        bool dolny, lewy;
    };
    for (const Case c :
         {Case{0, false, false}, Case{1, true, false}, Case{2, false, true}, Case{3, true, true}}) {
        W().TypWidoku = c.typ;
        form->UstawWidokZDanych();
        EXPECT_TRUE(rc(Region::Gorny).gb->isVisible()) << c.typ;
        EXPECT_EQ(rc(Region::Dolny).gb->isVisible(), c.dolny) << c.typ;
        EXPECT_EQ(rc(Region::Lewy).gb->isVisible(), c.lewy) << c.typ;
    }
    EXPECT_EQ(form->findChild<QGroupBox*>(QStringLiteral("gbNazwaKursu"))->y(), 55);
    EXPECT_EQ(rc(Region::Gorny).gb->y(), 90);
    EXPECT_EQ(rc(Region::Lewy).gb->y(), 180);
    EXPECT_EQ(rc(Region::Dolny).gb->y(), 290);
    // Another type code leaves the groups as they were.
    W().TypWidoku = 9;
    form->UstawWidokZDanych();
    EXPECT_TRUE(rc(Region::Dolny).gb->isVisible());
    // The smoothing boxes are never shown.
    for (Region r : {Region::Gorny, Region::Dolny, Region::Lewy})
        EXPECT_FALSE(rc(r).cbWygladzanie->isVisible());
}

TEST_F(Panel, ControlRangesAndItems) {
    for (Region r : {Region::Gorny, Region::Dolny, Region::Lewy}) {
        EXPECT_EQ(rc(r).seSize->minimum(), 4);
        EXPECT_EQ(rc(r).seSize->maximum(), 32);
        EXPECT_EQ(rc(r).seX->minimum(), -127);
        EXPECT_EQ(rc(r).seX->maximum(), 127);
        EXPECT_EQ(rc(r).seY->minimum(), -31);
        EXPECT_EQ(rc(r).seY->maximum(), 31);
        EXPECT_EQ(rc(r).seSpeed->minimum(), 0);
        EXPECT_EQ(rc(r).seSpeed->maximum(), 100);
        QStringList moves, styles;
        for (int i = 0; i < rc(r).cbRuch->count(); ++i) moves << rc(r).cbRuch->itemText(i);
        for (int i = 0; i < rc(r).cbFontStyle->count(); ++i) styles << rc(r).cbFontStyle->itemText(i);
        EXPECT_EQ(moves, MovementTexts());
        EXPECT_EQ(styles, StyleTexts());
    }
    EXPECT_EQ(form->barX()->minimum(), 0);
    EXPECT_EQ(form->barX()->maximum(), 127);
    EXPECT_EQ(form->barY()->minimum(), 0);
    EXPECT_EQ(form->barY()->maximum(), 31);
    for (const char* name : {"eTextGorny",
                             "cNameFontDolny",
                             "seSizeLewy",
                             "cbFontStyleGorny",
                             "seDolnyX",
                             "seLewyY",
                             "cbRuchDolny",
                             "seSpeedLewy",
                             "cbWygladzanieGorny",
                             "sColorDolny",
                             "sBackgroundLewy",
                             "gbGorny",
                             "gbDolny",
                             "gbLewy",
                             "eNazwaKursu",
                             "eNazwaProjektu",
                             "barX",
                             "barY",
                             "Image",
                             "btnTypWidoku0",
                             "btnTypWidoku3",
                             "btnTest",
                             "PanelMain",
                             "gbWidoki",
                             "gbWidokWyswietlacza",
                             "gbOpcjeWidoku"})
        EXPECT_NE(form->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

}  // namespace
}  // namespace lt::test

namespace lt::test {
namespace {

TEST_F(Panel, NumberBoxStepsWithinItsRange) {
    NumberBox* size = rc(Region::Gorny).seSize;
    size->setValue(31);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(size, &up);
    EXPECT_EQ(W().Gorny.FontSize, 32);
    QApplication::sendEvent(size, &up);
    EXPECT_EQ(W().Gorny.FontSize, 32);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(size, &down);
    EXPECT_EQ(W().Gorny.FontSize, 31);
}

TEST_F(Panel, HiddenLedTestDrawsIntoThePreview) {
    EXPECT_TRUE(form->btnTest()->isHidden());
    form->btnTestClick();
    const QImage& img = doc.surfaces().preview.image();
    bool red = false;
    for (int y = 0; y < img.height() && !red; y += 3)
        for (int x = 0; x < img.width() && !red; x += 3) red = img.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);
}

}  // namespace
}  // namespace lt::test
