// The build's rendering and packing of the views in use, checked against the
// renderer itself: the packed bits, the refreshed thumbnails and the decoded
// screens.
#include "depot/decode.h"
#include "display/colour.h"
#include "display/flash.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/projectfile.h"
#include "render/preview.h"
#include "tests/support/scripted_prompts.h"

#include <QImage>

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

/// A second document holding a copy of the project, to render views apart
/// from the build.
std::unique_ptr<Document> copyOf(Document& doc) {
    auto other = std::make_unique<Document>();
    std::memcpy(&other->dane(), &doc.dane(), sizeof(sDane));
    return other;
}

/// View (l, v) rendered on its own: its surfaces and its thumbnail.
void renderAlone(Document& ref, int l, int v) {
    ref.dane().SelWidok = l;
    ref.dane().EditRow = v;
    RenderLED(ref.dane(), ref.surfaces());
    RenderActiveBitmapSG(ref.dane(), ref.surfaces());
}

bool samePixels(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), static_cast<std::size_t>(3 * a.width())) != 0) return false;
    return true;
}

TEST(FlashRender, RedTopTextPacksExactlyItsRedPixels) {
    Document doc;
    doc.newDane();
    sWidok& w = widok(doc.dane(), 1, 3);
    w.use = 1;
    w.TypWidoku = vtTop;
    StringToWideChar(QStringLiteral("Kraków Główny 123"), w.Gorny.Text);
    w.Gorny.FontColor = ciRed;
    w.Gorny.BackColor = ciBlack;
    w.Gorny.FontSize = 18;
    w.Gorny.Alias = 1;  // smoothed edges: only the pixels above the threshold count
    w.Gorny.Y = 2;
    auto ref = copyOf(doc);
    renderAlone(*ref, 1, 3);

    EncodeKorvo2Flash(doc);
    const sGregiongray& g = screen(doc.flash(), 1, 3).widok.gorny;
    EXPECT_EQ(g.FontColor, 1);
    EXPECT_EQ(g.BackColor, 0);
    int ones = 0;
    const Bitmap& surface = ref->surfaces().iGorny;
    for (int y = 0; y < 32; ++y) {
        const std::uint8_t* row = surface.row(y);
        for (int x = 0; x < 512; ++x) {
            const bool red = EncodeColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]) == 1;
            const bool bit = (g.ekran[y * 64 + x / 8] & (0x80 >> (x % 8))) != 0;
            ASSERT_EQ(bit, red) << x << "," << y;
            ones += bit;
        }
    }
    EXPECT_GT(ones, 100);  // the text was really drawn
}

class SeveralViews : public ::testing::Test {
protected:
    void SetUp() override {
        doc.newDane();
        sDane& d = doc.dane();
        d.Lang[1].Use = 1;
        struct V {
            int l, v, typ;
            int barX, barY;
            int fc, bc;
        };
        // Two-level text standing still, every view type, several colours.
        const V views[] = {{1, 1, vtLeftTopBottom, 40, 21, ciWhite, ciBlack},
                           {1, 2, vtTop, 40, 21, ciYellow, ciBlue},
                           {1, 9, vtTopBottom, 16, 12, ciCyan, ciRed},
                           {2, 4, vtLeftTop, 64, 24, ciGreen, ciMagenta},
                           {2, 300, vtLeftTopBottom, 64, 24, ciRed, ciWhite}};
        for (const V& x : views) {
            sWidok& w = widok(d, x.l, x.v);
            w.use = 1;
            w.Time = 4;
            w.TypWidoku = x.typ;
            w.BarX = x.barX;
            w.BarY = x.barY;
            w.Gorny.FontColor = x.fc;
            w.Gorny.BackColor = x.bc;
            StringToWideChar(QStringLiteral("Żerań FSO %1").arg(x.v), w.Gorny.Text);
            StringToWideChar(QStringLiteral("via Dworzec Gdański, Plac Wilsona"), w.Dolny.Text);
            StringToWideChar(QString::number(100 + x.v), w.Lewy.Text);
            inUse.push_back({x.l, x.v});
        }
        d.SelWidok = 1;
        d.EditRow = 2;
    }
    Document doc;
    std::vector<std::pair<int, int>> inUse;
};

TEST_F(SeveralViews, BuildRefreshesThumbnailsAndRestoresTheEditedView) {
    for (auto [l, v] : inUse) doc.surfaces().thumbnail(l, v).image().fill(Qt::magenta);
    auto ref = copyOf(doc);
    EncodeKorvo2Flash(doc);
    EXPECT_EQ(doc.dane().SelWidok, 1);
    EXPECT_EQ(doc.dane().EditRow, 2);
    for (auto [l, v] : inUse) {
        renderAlone(*ref, l, v);
        EXPECT_TRUE(samePixels(doc.surfaces().thumbnail(l, v), ref->surfaces().thumbnail(l, v)))
            << l << "/" << v;
    }
    // The preview shows the edited view again.
    renderAlone(*ref, 1, 2);
    EXPECT_TRUE(samePixels(doc.surfaces().preview, ref->surfaces().preview));
}

TEST_F(SeveralViews, DecodedScreensEqualTheThumbnails) {
    auto ref = copyOf(doc);
    EncodeKorvo2Flash(doc);
    for (auto [l, v] : inUse) {
        renderAlone(*ref, l, v);
        const Bitmap face = DecodeScreen(doc.flash(), l, v);
        EXPECT_TRUE(samePixels(face, ref->surfaces().thumbnail(l, v))) << l << "/" << v;
    }
}

TEST_F(SeveralViews, CliDecodeEqualsCliRenderThumbnail) {
    test::TempDir dir;
    const QString project = dir.file(QStringLiteral("several.vmprj"));
    ASSERT_TRUE(doc.writeProject(project).isEmpty());
    const QString image = dir.file(QStringLiteral("several.bin"));
    const auto ex = test::runCli({QStringLiteral("export"), project, QStringLiteral("-o"), image});
    ASSERT_EQ(ex.exitCode, 0) << ex.err.toStdString();
    for (auto [l, v] : inUse) {
        const QString a = dir.file(QStringLiteral("decode-%1-%2.png").arg(l).arg(v));
        const QString b = dir.file(QStringLiteral("thumb-%1-%2.png").arg(l).arg(v));
        const QStringList where = {QStringLiteral("--lang"), QString::number(l), QStringLiteral("--view"),
                                   QString::number(v)};
        const auto dr =
            test::runCli(QStringList{QStringLiteral("decode"), image, QStringLiteral("-o"), a} + where);
        ASSERT_EQ(dr.exitCode, 0) << dr.err.toStdString();
        const auto rr = test::runCli(QStringList{QStringLiteral("render"), project,
                                                 QStringLiteral("--thumbnail"), QStringLiteral("-o"), b} +
                                     where);
        ASSERT_EQ(rr.exitCode, 0) << rr.err.toStdString();
        const QImage da = QImage(a).convertToFormat(QImage::Format_RGB32);
        const QImage db = QImage(b).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(da.size(), QSize(128, 32));
        EXPECT_EQ(da, db) << l << "/" << v;
    }
}

TEST_F(SeveralViews, EditorExportAndCliExportWriteTheSameBytes) {
    test::TempDir dir;
    const QString project = dir.file(QStringLiteral("several.vmprj"));
    ASSERT_TRUE(doc.writeProject(project).isEmpty());
    const QString cliImage = dir.file(QStringLiteral("cli.bin"));
    ASSERT_EQ(test::runCli({QStringLiteral("export"), project, QStringLiteral("-o"), cliImage}).exitCode, 0);

    // The editor: open the project, then Edit > Export to pendrive.
    Document editor;
    editor.newDane();
    test::ScriptedPrompts prompts;
    ASSERT_TRUE(editor.openProject(project).isEmpty());
    const QString guiImage = dir.file(QStringLiteral("gui.bin"));
    prompts.paths.push_back(guiImage);
    Eksportujdoplikuwywietlacza1Click(editor, prompts);
    QByteArray a, b;
    QString error;
    ASSERT_TRUE(readWholeFile(cliImage, a, error));
    ASSERT_TRUE(readWholeFile(guiImage, b, error));
    ASSERT_EQ(a.size(), FlashSize);
    EXPECT_TRUE(a == b);
}

}  // namespace
}  // namespace lt
