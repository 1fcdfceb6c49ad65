// Region text rendering: faces, character height, the two qualities, the
// measured sizes, scripts shaped as one run, and values only a foreign
// project file can hold.
#include "model/defaults.h"
#include "render/preview.h"
#include "render/text.h"
#include "render_helpers.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

using test::key;
using test::pixelSet;

struct Project {
    std::unique_ptr<sDane> dane = std::make_unique<sDane>();
    std::unique_ptr<Surfaces> s = std::make_unique<Surfaces>();
    Project() {
        NewDane(*dane);
        dane->SelWidok = 1;
        dane->EditRow = 1;
    }
    sWidok& view() { return editedView(*dane); }
    sScreenImage& top() { return view().Gorny; }
    void setTop(const QString& text, const char* face = "Arial", int size = 16, bool alias = false) {
        StringToWideChar(text, top().Text);
        StringToWideChar(QString::fromLatin1(face), top().FontName);
        top().FontSize = size;
        top().Alias = alias ? 1 : 0;
        top().X = 0;
        top().Y = 0;
        top().Styl = styNone;
    }
    void render() { RenderGorny(*dane, *s); }
};

// Width of a text in the region's font, as the font engine measures it.
int advanceOf(const sScreenImage& r, const QString& text) {
    return QFontMetrics(regionFont(r)).horizontalAdvance(text);
}

TEST(RegionText, FacesResolveToTheInstalledMetricCompatibleFaces) {
    const std::pair<const char*, const char*> faces[] = {{"Arial", "Liberation Sans"},
                                                         {"Arial Narrow", "Liberation Sans Narrow"},
                                                         {"Times New Roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [asked, got] : faces) {
        QFont f{QString::fromLatin1(asked)};
        f.setPixelSize(21);
        EXPECT_EQ(QFontInfo(f).family(), QString::fromLatin1(got)) << asked;
    }
}

TEST(RegionText, CharacterHeightIsPointsAtNinetySixPixelsPerInch) {
    const std::pair<std::int64_t, int> sizes[] = {{16, 21},       {4, 5},   {8, 11},
                                                  {20, 27},       {24, 32}, {32, 43},
                                                  {0, 1},         {-7, 1},  {INT32_MAX, MaxFontPixels},
                                                  {INT32_MIN, 1}, {1, 1}};
    for (const auto& [points, pixels] : sizes) EXPECT_EQ(fontPixelSize(points), pixels) << points;

    // 16 points is an em of 21 pixels, not a cell of 21: a capital H is
    // about 0.72 em high.
    Project p;
    p.setTop(QStringLiteral("H"), "Arial", 16);
    p.render();
    EXPECT_EQ(QFontInfo(regionFont(p.top())).pixelSize(), 21);
    const QRect ink = test::inkBox(p.s->iGorny, 0x000000);
    EXPECT_GE(ink.height(), 14);
    EXPECT_LE(ink.height(), 16);
    EXPECT_EQ(p.top().TextHeight,
              QFontMetrics(regionFont(p.top())).ascent() + QFontMetrics(regionFont(p.top())).descent());
    EXPECT_GT(p.top().TextHeight, 21);
}

TEST(RegionText, MonochromeIsStrictlyTwoValuedAndSmoothingBlends) {
    const QString texts[] = {QStringLiteral("Bottom 1 gQ@&%"), QStringLiteral("नमस्ते दुनिया"),
                             QStringLiteral("સુપ્રભાત"), QStringLiteral("Zürich – Ωμέγα")};
    for (const QString& text : texts)
        for (std::int32_t styl : {styNone, styItalic, styBold, styItalicBold, styUnderline}) {
            Project p;
            p.setTop(text, "Arial", 14, false);
            p.top().Styl = styl;
            p.top().FontColor = ciYellow;
            p.top().BackColor = ciBlue;
            p.render();
            EXPECT_EQ(pixelSet(p.s->iGorny),
                      (std::set<std::uint32_t>{key(Int2Color(ciYellow)), key(Int2Color(ciBlue))}))
                << text.toStdString() << " style " << styl;
            p.top().Alias = 1;
            p.render();
            EXPECT_GT(pixelSet(p.s->iGorny).size(), 2u) << text.toStdString() << " style " << styl;
        }
}

TEST(RegionText, MeasuredSizesOnEmptyClippedAndLongTexts) {
    Project p;
    // Empty: background only, width 0, the height still that of the font.
    p.setTop(QString(), "Arial", 16);
    p.top().BackColor = ciRed;
    p.render();
    EXPECT_EQ(pixelSet(p.s->iGorny), std::set<std::uint32_t>{key(Int2Color(ciRed))});
    EXPECT_EQ(p.top().TextWidth, 0);
    EXPECT_GT(p.top().TextHeight, 0);

    // Black on black: nothing to see, but measured.
    p.setTop(QStringLiteral("Top1"), "Arial Narrow", 16);
    p.top().FontColor = ciBlack;
    p.top().BackColor = ciBlack;
    p.render();
    EXPECT_EQ(pixelSet(p.s->iGorny), std::set<std::uint32_t>{0});
    EXPECT_EQ(p.top().TextWidth, advanceOf(p.top(), QStringLiteral("Top1")));
    EXPECT_GT(p.top().TextWidth, 20);

    // Partly outside the surface: the visible part is drawn, the width is full.
    p.top().FontColor = ciWhite;
    p.setTop(QStringLiteral("Destination"), "Arial", 16);
    p.render();
    const int full = p.top().TextWidth;
    const QRect whole = test::inkBox(p.s->iGorny, 0);
    p.top().X = -30;
    p.top().Y = -10;
    p.render();
    EXPECT_EQ(p.top().TextWidth, full);
    const QRect clipped = test::inkBox(p.s->iGorny, 0);
    EXPECT_EQ(clipped.left(), 0);
    EXPECT_EQ(clipped.top(), 0);
    EXPECT_EQ(clipped.right(), whole.right() - 30);

    // Wider than the surface: cut at the edge, measured whole.
    const QString longText = QString(60, QLatin1Char('W'));
    p.setTop(longText, "Arial", 16);
    p.render();
    EXPECT_GT(p.top().TextWidth, 512);
    EXPECT_EQ(p.top().TextWidth, advanceOf(p.top(), longText));
    EXPECT_EQ(test::inkBox(p.s->iGorny, 0).right(), 511);

    // Trailing spaces count in the sum of advances.
    p.setTop(QStringLiteral("ab   "), "Arial", 16);
    p.render();
    EXPECT_EQ(p.top().TextWidth, advanceOf(p.top(), QStringLiteral("ab   ")));
    EXPECT_GT(p.top().TextWidth, advanceOf(p.top(), QStringLiteral("ab")));
}

TEST(RegionText, TextCellTopLeftIsAtXY) {
    Project p;
    p.setTop(QStringLiteral("H"), "Arial", 16);
    p.top().X = 10;
    p.top().Y = 3;
    p.render();
    const QFontMetrics fm(regionFont(p.top()));
    const QRect ink = test::inkBox(p.s->iGorny, 0);
    // The bottom of H sits on the baseline, ascent below the cell top.
    EXPECT_EQ(ink.bottom(), 3 + fm.ascent() - 1);
    EXPECT_NEAR(ink.left(), 10 + fm.leftBearing(QLatin1Char('H')), 1);
}

TEST(RegionText, IndicScriptsRenderShapedAsOneRun) {
    struct Case {
        QString conjunct;  // one cluster of several characters
        const char* script;
    } cases[] = {{QStringLiteral("क्ष"), "Devanagari"}, {QStringLiteral("ક્ષ"), "Gujarati"}};
    for (const Case& c : cases) {
        Project p;
        p.setTop(c.conjunct, "Arial", 16, true);
        p.render();
        EXPECT_GT(test::countOther(p.s->iGorny, QRect(0, 0, 512, 32), 0x000000), 20) << c.script;
        const int shaped = p.top().TextWidth;
        // Shaped as one run the cluster is one conjunct glyph, narrower than
        // its letters and the virama drawn one by one.
        int separately = 0;
        for (QChar ch : c.conjunct) {
            p.setTop(QString(ch), "Arial", 16, true);
            p.render();
            separately += p.top().TextWidth;
        }
        EXPECT_LT(shaped, separately) << c.script;
    }
}

TEST(RegionText, LatinAfterAnotherScriptKeepsTheSelectedFace) {
    Project p;
    p.setTop(QStringLiteral("Top"), "Arial", 16);
    p.render();
    const QRect alone = test::inkBox(p.s->iGorny, 0);
    const int width = p.top().TextWidth;
    for (const QString& lead : {QStringLiteral("ક્ષ "), QStringLiteral("क्ष "), QStringLiteral("Ωμ ")}) {
        p.setTop(lead + QStringLiteral("Top"), "Arial", 16);
        p.render();
        const int dx = p.top().TextWidth - width;
        // "Top" at the end: its descender and its cap height as drawn alone,
        // not missing-glyph boxes of another face.
        QRect tail;
        for (int y = 0; y < 32; ++y)
            for (int x = std::max(0, dx + 1); x < 512; ++x)
                if (test::key(GetPixel(p.s->iGorny, x, y)) != 0) tail |= QRect(x, y, 1, 1);
        EXPECT_EQ(tail.top(), alone.top()) << lead.toStdString();
        EXPECT_EQ(tail.bottom(), alone.bottom()) << lead.toStdString();
        EXPECT_NEAR(tail.width(), alone.width(), 2) << lead.toStdString();
    }
}

TEST(RegionText, CharactersNoFaceHasAreDrawnAsBoxes) {
    Project p;
    // An unassigned character, a lone surrogate half and private use.
    p.setTop(QStringLiteral("AB"), "Arial", 16);
    p.render();
    const int plain = p.top().TextWidth;
    const QRect line = test::inkBox(p.s->iGorny, 0);
    for (const QString& odd : {QString(QChar(0x0378)), QString(QChar(0xD800)), QString(QChar(0xDC00))}) {
        p.setTop(QStringLiteral("A") + odd + QStringLiteral("B"), "Arial", 16);
        p.render();
        EXPECT_GT(p.top().TextWidth, plain);  // something stands for it
        const QRect ink = test::inkBox(p.s->iGorny, 0);
        EXPECT_LE(ink.bottom(), line.bottom() + 1);
        EXPECT_GE(ink.top(), line.top() - 2);
    }
}

TEST(RegionText, ControlCharactersNeverBreakTheLine) {
    Project p;
    p.setTop(QStringLiteral("AB"), "Arial", 16);
    p.render();
    const QRect oneLine = test::inkBox(p.s->iGorny, 0);
    for (char16_t control : {u'\n', u'\r', u'\v', u'\f', u'\x85', u'\x2028', u'\x2029', u'\x01'}) {
        p.setTop(QStringLiteral("A") + QChar(control) + QStringLiteral("B"), "Arial", 16);
        p.render();
        const QRect ink = test::inkBox(p.s->iGorny, 0);
        EXPECT_EQ(ink.top(), oneLine.top()) << int(control);
        EXPECT_EQ(ink.bottom(), oneLine.bottom()) << int(control);
        EXPECT_GE(ink.right(), oneLine.right()) << int(control);
    }
}

TEST(RegionText, ATabAdvancesByItsOwnWidthNotToATabStop) {
    Project p;
    for (const QString& before : {QString(), QStringLiteral("W"), QStringLiteral("WWWWWWW")}) {
        SCOPED_TRACE(before.toStdString());
        p.setTop(before + QStringLiteral(" B"));
        p.render();
        const QImage spaced = p.s->iGorny.image().copy();
        const std::int32_t spacedWidth = p.top().TextWidth;
        p.setTop(before + QStringLiteral("\tB"));
        p.render();
        EXPECT_EQ(p.s->iGorny.image(), spaced);
        EXPECT_EQ(p.top().TextWidth, spacedWidth);
        EXPECT_EQ(p.top().TextWidth, advanceOf(p.top(), before + QStringLiteral(" B")));
    }
    // Two tabs are two advances, far short of the layout's tab stops.
    p.setTop(QStringLiteral("\t\t"));
    p.render();
    EXPECT_EQ(p.top().TextWidth, 2 * advanceOf(p.top(), QStringLiteral(" ")));
    EXPECT_LT(p.top().TextWidth, 80);
}

TEST(RegionText, HostileValuesStayBoundedAndStoreSaneSizes) {
    std::mt19937 gen(11);
    Project p;
    sWidok& w = p.view();
    const std::int32_t ints[] = {0,       -1,      INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1,
                                 1000000, -1000000};
    for (int round = 0; round < 8; ++round) {
        for (sScreenImage* r : {&w.Gorny, &w.Dolny, &w.Lewy}) {
            // A text of 1024 units with no terminator, and a face name with none;
            // twice the text is any 16-bit units at all.
            for (char16_t& u : r->Text) u = round % 4 == 1 ? static_cast<char16_t>(gen()) : u'W';
            for (char16_t& u : r->FontName) u = round % 2 ? u'A' : static_cast<char16_t>(gen());
            r->FontSize = ints[round % 8];
            r->Styl = ints[(round + 1) % 8];
            r->X = ints[(round + 2) % 8];
            r->Y = ints[(round + 3) % 8];
            r->AnimX = ints[(round + 4) % 8];
            r->AnimY = ints[(round + 5) % 8];
            r->FontColor = ints[(round + 6) % 8];
            r->BackColor = ints[(round + 7) % 8];
            r->Alias = static_cast<bool8>(gen());
        }
        w.TypWidoku = vtLeftTopBottom;
        w.BarX = ints[round % 8];
        w.BarY = ints[(round + 3) % 8];
        RenderLED(*p.dane, *p.s);
        for (const sScreenImage* r : {&w.Gorny, &w.Dolny, &w.Lewy}) {
            EXPECT_GE(r->TextWidth, 0);
            EXPECT_GT(r->TextHeight, 0);
            EXPECT_LE(r->TextHeight, 4 * MaxFontPixels);
        }
    }
    // Sizes below 1 point draw at one pixel, not with the engine's default.
    p.setTop(QStringLiteral("Top1"), "Arial", 0);
    p.render();
    EXPECT_LE(p.top().TextHeight, 3);
}

TEST(RegionText, FontQualityKeepsTheFace) {
    QImage image(8, 8, QImage::Format_BGR888);
    QPainter canvas(&image);
    QFont f(QStringLiteral("Arial Narrow"));
    f.setPixelSize(21);
    f.setBold(true);
    canvas.setFont(f);
    Font2Mono(canvas);
    EXPECT_EQ(canvas.font().family(), QStringLiteral("Arial Narrow"));
    EXPECT_TRUE(canvas.font().bold());
    EXPECT_EQ(canvas.font().pixelSize(), 21);
    EXPECT_TRUE(canvas.font().styleStrategy() & QFont::NoAntialias);
    Font2Antialias(canvas);
    EXPECT_FALSE(canvas.font().styleStrategy() & QFont::NoAntialias);
    EXPECT_TRUE(canvas.font().styleStrategy() & QFont::PreferAntialias);
    EXPECT_TRUE(canvas.font().styleStrategy() & QFont::ForceOutline);
}

}  // namespace
}  // namespace lt
