// The destinations sheet: what each page lists, where it is drawn, the texts
// of each view type, and the language and page boxes.
#include "print/printpage.h"
#include "print_fixture.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace lt::test {

namespace {

constexpr int NumberPoints = 80;

int rowY(int i) {
    return 150 + 105 * i;
}

QList<PrintedText> numbers(const QList<PrintedText>& texts) {
    QList<PrintedText> out;
    for (const PrintedText& t : texts)
        if (t.points == NumberPoints) out << t;
    return out;
}

QRgb pixel(const Bitmap& page, int x, int y) {
    return page.image().pixel(x, y) & 0xFFFFFF;
}

/// Smallest rectangle holding every non-white pixel of `area`.
QRect ink(const Bitmap& page, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixel(page, x, y) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(DestinationsSheet, ThirdPageListsViews101To150InTwoColumns) {
    auto d = newProject();
    Bitmap page;
    const QList<PrintedText> texts = PrintPage(*d, 1, 2, page);
    const QList<PrintedText> nums = numbers(texts);
    ASSERT_EQ(nums.size(), 50);
    for (int i = 1; i <= 25; ++i) {
        EXPECT_EQ(nums[i - 1].text, QString::number(100 + i));
        EXPECT_EQ(nums[i - 1].pos, QPoint(100, rowY(i) - 10));
        EXPECT_EQ(nums[25 + i - 1].text, QString::number(125 + i));
        EXPECT_EQ(nums[25 + i - 1].pos, QPoint(1100, rowY(i) - 10));
    }
    EXPECT_EQ(texts.front(),
              (PrintedText{QStringLiteral("Project: Depot North"), {254, 30}, 60, false, true}));
    EXPECT_EQ(texts.back(), (PrintedText{QStringLiteral("Side 3/6"), {1700, 100}, 60, false, true}));
    EXPECT_EQ(page.width(), 2100);
    EXPECT_EQ(page.height(), 2970);
    EXPECT_EQ(page.image().depth(), 24);
}

TEST(DestinationsSheet, BarsAndTextsLieWhereTheSheetPutsThem) {
    auto d = newProject();
    setView(*d, 1, 1, vtTop, {}, QStringLiteral("Harbour"), {});
    Bitmap page;
    PrintPage(*d, 1, 0, page);
    // Row bar of row 1: (80, 250) to (2020, 254), the end points excluded.
    EXPECT_EQ(pixel(page, 80, 250), 0xA0A0A0u);
    EXPECT_EQ(pixel(page, 2019, 253), 0xA0A0A0u);
    EXPECT_EQ(pixel(page, 2020, 252), 0xFFFFFFu);
    EXPECT_EQ(pixel(page, 85, 254), 0xFFFFFFu);
    EXPECT_EQ(pixel(page, 79, 252), 0xFFFFFFu);
    EXPECT_EQ(pixel(page, 85, 249), 0xFFFFFFu);
    // Last row bar at y = 2775 - 5; column bar (1080, 255) to (1084, 2895).
    EXPECT_EQ(pixel(page, 500, 2773), 0xA0A0A0u);
    EXPECT_EQ(pixel(page, 1080, 255), 0xA0A0A0u);
    EXPECT_EQ(pixel(page, 1083, 2894), 0xA0A0A0u);
    EXPECT_EQ(pixel(page, 1084, 1500), 0xFFFFFFu);
    EXPECT_EQ(pixel(page, 1081, 2895), 0xFFFFFFu);
    EXPECT_EQ(pixel(page, 1081, 254), 0xFFFFFFu);

    // The text cell's top-left is at the given point: the ink of "Harbour"
    // (bold 60 pt = 80 px) starts where the font's glyphs start below (280, 255).
    QFont f(sheetFontFamily());
    f.setPixelSize(80);
    f.setBold(true);
    const QFontMetrics fm(f, &page.image());
    const QRect glyphs = fm.tightBoundingRect(QStringLiteral("Harbour")).translated(280, 255 + fm.ascent());
    const QRect drawn = ink(page, QRect(270, 256, 700, 92));
    EXPECT_NEAR(drawn.left(), glyphs.left(), 2);
    EXPECT_NEAR(drawn.top(), glyphs.top(), 2);
    EXPECT_NEAR(drawn.bottom(), glyphs.bottom(), 2);
    // The number 1 at 80 pt regular (107 px) in the same row.
    EXPECT_FALSE(ink(page, QRect(100, 256, 170, 90)).isEmpty());
    // Row 2 has no view in use: nothing but its number.
    EXPECT_TRUE(ink(page, QRect(280, rowY(2) + 1, 790, 95)).isEmpty());
}

TEST(DestinationsSheet, SheetFaceIsANarrowSansSerif) {
    const QFontInfo info{QFont(sheetFontFamily())};
    EXPECT_TRUE(info.family().contains(QStringLiteral("Narrow"))) << info.family().toStdString();
}

struct TypeCase {
    int type;
    QList<PrintedText> expected;  // texts after the number, for a view in row 1 of the left column
};

class TextsByViewType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TextsByViewType, PrintsTheRegionsTheTypeShows) {
    auto d = newProject();
    setView(*d, 1, 1, GetParam().type, QStringLiteral("12"), QStringLiteral("Old Town"),
            QStringLiteral("Market"));
    setView(*d, 1, 26, GetParam().type, QStringLiteral("7"), QStringLiteral("Ząbki"),
            QStringLiteral("Gęsia"));
    Bitmap page;
    const QList<PrintedText> texts = PrintPage(*d, 1, 0, page);
    QList<PrintedText> left, right;
    for (const PrintedText& t : texts) {
        if (t.points == 80 || t.opaque) continue;
        (t.pos.x() < 1080 ? left : right) << t;
    }
    EXPECT_EQ(left, GetParam().expected);
    // The same texts of view 26 at x = 1280.
    ASSERT_EQ(right.size(), GetParam().expected.size());
    for (qsizetype k = 0; k < right.size(); ++k) {
        EXPECT_EQ(right[k].pos, GetParam().expected[k].pos + QPoint(1000, 0));
        EXPECT_EQ(right[k].points, GetParam().expected[k].points);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, TextsByViewType,
    ::testing::Values(TypeCase{vtTop, {{QStringLiteral("Old Town"), {280, 255}, 60, true, false}}},
                      TypeCase{vtTopBottom,
                               {{QStringLiteral("Old Town"), {280, 245}, 48, true, false},
                                {QStringLiteral("by: Market"), {280, 311}, 28, false, false}}},
                      TypeCase{vtLeftTop, {{QStringLiteral("12, Old Town"), {280, 255}, 60, true, false}}},
                      TypeCase{vtLeftTopBottom,
                               {{QStringLiteral("12, Old Town"), {280, 245}, 48, true, false},
                                {QStringLiteral("by: Market"), {280, 311}, 28, false, false}}},
                      TypeCase{4, {}}, TypeCase{-1, {}}));

TEST(DestinationsSheet, OnlyViewsInUseOfTheChosenLanguagePrintTexts) {
    auto d = newProject();
    setLanguage(*d, 2, QStringLiteral("Polski"), true);
    setView(*d, 1, 3, vtTop, {}, QStringLiteral("English text"), {});
    setView(*d, 2, 3, vtTop, {}, QStringLiteral("Dworzec Łódź"), {});
    setView(*d, 2, 4, vtTop, {}, QStringLiteral("Switched off"), {}, false);
    Bitmap page;
    auto textsOf = [&](int lang) {
        QStringList out;
        for (const PrintedText& t : PrintPage(*d, lang, 0, page))
            if (t.points != 80 && !t.opaque) out << t.text;
        return out;
    };
    EXPECT_EQ(textsOf(1), QStringList{QStringLiteral("English text")});
    EXPECT_EQ(textsOf(2), QStringList{QStringLiteral("Dworzec Łódź")});
}

TEST(DestinationsSheet, ProjectWithoutViewsPrintsNumbersHeaderAndLabelsOnSixPages) {
    auto d = newProject(QStringLiteral("Empty"));
    Bitmap page;
    int calls = 0;
    for (int p = 0; p < 6; ++p) {
        calls = 0;
        const QList<PrintedText> texts = PrintPage(*d, 1, p, page, [&] { ++calls; });
        ASSERT_EQ(texts.size(), 52);
        EXPECT_EQ(texts[1].text, QString::number(50 * p + 1));
        EXPECT_EQ(texts[50].text, QString::number(50 * p + 50));
        EXPECT_EQ(texts.back().text, QStringLiteral("Side %1/6").arg(p + 1));
        EXPECT_EQ(calls, 51);  // once after clearing, once per row
    }
    // A page out of range is drawn as the nearest page.
    EXPECT_EQ(PrintPage(*d, 1, 9, page).back().text, QStringLiteral("Side 6/6"));
    EXPECT_EQ(PrintPage(*d, 7, -1, page).back().text, QStringLiteral("Side 1/6"));
}

TEST(DestinationsSheet, LongLinesAreCutAtTheirColumnsEdgeAndFittingOnesStay) {
    // Every view of the default project switched on: its texts fit and are
    // printed whole.
    auto d = newProject();
    for (int v = 1; v <= 50; ++v) widok(*d, 1, v).use = 1;
    Bitmap page;
    for (const PrintedText& t : PrintPage(*d, 1, 0, page))
        EXPECT_FALSE(t.text.endsWith(u'…')) << t.text.toStdString();

    const QString longTop =
        QStringLiteral("S40, ARLINGTON SOUTH AV ARLINGTON PL VIA FULTON ST AND THE WATERFRONT");
    const QString longVia =
        QStringLiteral("FLATBUSH AV, CHURCH AV, NOSTRAND AV, EMPIRE BLVD, UTICA AV AND KINGS HWY");
    setView(*d, 1, 1, vtLeftTopBottom, QStringLiteral("B41"), longTop, longVia);
    setView(*d, 1, 26, vtLeftTop, QStringLiteral("B41"), longTop, {});
    const QList<PrintedText> texts = PrintPage(*d, 1, 0, page);
    QStringList cut;
    for (const PrintedText& t : texts)
        if (t.text.endsWith(u'…')) cut << t.text;
    ASSERT_EQ(cut.size(), 3);
    EXPECT_TRUE(cut[0].startsWith(QStringLiteral("B41, S40, ARLINGTON")));
    EXPECT_TRUE(cut[1].startsWith(QStringLiteral("by: FLATBUSH AV")));
    // Nothing reaches the bar between the columns, or past the row bars' end.
    EXPECT_TRUE(ink(page, QRect(1070, rowY(1) + 1, 10, 98)).isEmpty());
    EXPECT_TRUE(ink(page, QRect(2021, rowY(1) - 20, 79, 118)).isEmpty());
    EXPECT_FALSE(ink(page, QRect(900, rowY(1) + 1, 160, 98)).isEmpty());
    EXPECT_FALSE(ink(page, QRect(1900, rowY(1) + 1, 120, 98)).isEmpty());
}

TEST(LanguageBox, EntriesNameTheLanguagesInUse) {
    auto d = newProject();
    EXPECT_EQ(languageEntries(*d), (QStringList{QStringLiteral("English"), QStringLiteral("Not used 2"),
                                                QStringLiteral("Not used 3")}));
    setLanguage(*d, 2, QStringLiteral("Polski"), true);
    setLanguage(*d, 3, QStringLiteral("हिन्दी"), true);
    EXPECT_EQ(languageEntries(*d),
              (QStringList{QStringLiteral("English"), QStringLiteral("Polski"), QStringLiteral("हिन्दी")}));
    setLanguage(*d, 2, QStringLiteral("Polski"), false);
    EXPECT_EQ(languageEntries(*d)[1], QStringLiteral("Not used 2"));
}

TEST(LanguageBox, EntryOfALanguageNotInUseFallsBack) {
    auto d = newProject();
    // Only language 1 in use: every entry falls back to the first.
    EXPECT_EQ(languageFallback(*d, 0), 0);
    EXPECT_EQ(languageFallback(*d, 1), 0);
    EXPECT_EQ(languageFallback(*d, 2), 0);
    // Languages 1 and 2 in use.
    setLanguage(*d, 2, QStringLiteral("Polski"), true);
    EXPECT_EQ(languageFallback(*d, 2), 1);
    EXPECT_EQ(languageFallback(*d, 1), 1);
    EXPECT_EQ(languageFallback(*d, 0), 0);
    // Language 3 in use without language 2: the third stays, the second falls back.
    setLanguage(*d, 2, QStringLiteral("Polski"), false);
    setLanguage(*d, 3, QStringLiteral("हिन्दी"), true);
    EXPECT_EQ(languageFallback(*d, 2), 2);
    EXPECT_EQ(languageFallback(*d, 1), 0);
    // No selection stands for the first entry and remembers as the first.
    EXPECT_EQ(languageFallback(*d, -1), -1);
    EXPECT_EQ(entryLanguage(-1), 1);
    EXPECT_EQ(entryLanguage(2), 3);
    EXPECT_EQ(rememberedEntry(-1), 0);
    EXPECT_EQ(rememberedEntry(2), 2);
}

TEST(PageBox, ClampsToOneToSix) {
    EXPECT_EQ(clampPage(0), 1);
    EXPECT_EQ(clampPage(-5), 1);
    EXPECT_EQ(clampPage(1), 1);
    EXPECT_EQ(clampPage(4), 4);
    EXPECT_EQ(clampPage(6), 6);
    EXPECT_EQ(clampPage(9), 6);
}

TEST(PageFonts, PointsAreConvertedAt96PixelsPerInch) {
    EXPECT_EQ(pointsToPixels(60), 80);
    EXPECT_EQ(pointsToPixels(80), 107);
    EXPECT_EQ(pointsToPixels(48), 64);
    EXPECT_EQ(pointsToPixels(28), 37);
    EXPECT_EQ(pointsToPixels(14), 19);
}

}  // namespace
}  // namespace lt::test
