// Putting pages on paper: the fit to the printable area, the print loop on a
// real PDF device, the instruction picture and the command-line printing.
#include "model/projectfile.h"
#include "print/instructions.h"
#include "print/printimage.h"
#include "print/printpage.h"
#include "print_fixture.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdlib>
#include <gtest/gtest.h>

namespace lt::test {
namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Pixels whose colour differs by more than `tolerance` in a channel between
/// two pictures of the same size; -1 for different sizes. Text edges may
/// differ by a few levels when a glyph comes from the font engine's cache.
int differingPixels(const QImage& a, const QImage& b, int tolerance = 0) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++n;
        }
    return n;
}

TEST(PrintFit, MulDivRoundsToNearest) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(8, 1, 3), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, -1, 2), -3);
    EXPECT_EQ(MulDiv(2970, 9583, 2100), 13553);
    // The product needs more than 32 bits.
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(PrintFit, FitsTheLongerSideAndKeepsProportions) {
    const QSize page(2100, 2970);
    // Printable area proportionally taller than the page: the width fills it.
    EXPECT_EQ(PrintFit(page, QSize(9583, 13699), 100), QSize(9583, 13553));
    // Wider: the height fills it; 2100 * 500 / 2970 = 353.5 rounds up.
    EXPECT_EQ(PrintFit(page, QSize(1000, 500), 100), QSize(354, 500));
    // The same proportions fill the area exactly.
    EXPECT_EQ(PrintFit(page, QSize(4200, 5940), 100), QSize(4200, 5940));
    EXPECT_EQ(PrintFit(page, QSize(210, 297), 100), QSize(210, 297));
    // Zoom after the fit, rounded to nearest: 9583 / 2 = 4791.5.
    EXPECT_EQ(PrintFit(page, QSize(9583, 13699), 50), QSize(4792, 6777));
    EXPECT_EQ(PrintFit(page, QSize(9583, 13699), 200), QSize(19166, 27106));
    // Nothing to print on or from.
    EXPECT_TRUE(PrintFit(page, QSize(0, 100), 100).isEmpty());
    EXPECT_TRUE(PrintFit(QSize(), QSize(100, 100), 100).isEmpty());
}

TEST(PrintFit, PrintImageStretchesThePictureToTheTopLeftOfTheArea) {
    QImage picture(21, 30, QImage::Format_BGR888);
    picture.fill(Qt::black);
    QImage target(100, 100, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter p(&target);
    PrintImage(p, picture, QSize(100, 100), 100);
    p.end();
    // 21 x 30 fits as 70 x 100 at (0, 0).
    EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(target.pixel(69, 99) & 0xFFFFFF, 0u);
    EXPECT_EQ(target.pixel(70, 50) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(PrintLoop, PrintsEveryPageOntoOnePdfDocument) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("sheet.pdf"));
    auto d = newProject();
    Bitmap page;
    QList<int> drawn;
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Point));
        // 300 dpi A4 (2480 x 3508) less 10 pt (42 px) margins in device pixels.
        EXPECT_NEAR(printableArea(writer).width(), 2480 - 2 * 42, 2);
        EXPECT_NEAR(printableArea(writer).height(), 3508 - 2 * 42, 2);
        const QString error = printPages(writer, printableArea(writer), SheetPageCount, [&](int p) {
            drawn << p;
            PrintPage(*d, 1, p, page);
            return page.image();
        });
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    }
    EXPECT_EQ(drawn, (QList<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(pdfPageCount(fileBytes(path)), 6);
}

TEST(InstructionPicture, IsAFullA4PageWithThePictureAtTheTopLeft) {
    const QImage& picture = instructionPicture();
    EXPECT_EQ(picture.size(), QSize(2100, 2970));
    EXPECT_EQ(picture.depth(), 24);
    EXPECT_EQ(&picture, &instructionPicture());  // drawn once and kept
    Bitmap page(100, 100);
    drawInstructionsPage(page);
    EXPECT_EQ(page.image().size(), QSize(2100, 2970));
    EXPECT_EQ(differingPixels(page.image(), picture), 0);
    // The landscape text runs up the page: the heading band near the left
    // edge is dark, the right margin is blank.
    auto darkIn = [&](const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); y += 2)
            for (int x = r.left(); x <= r.right(); x += 2)
                if (qGray(picture.pixel(x, y)) < 100) ++n;
        return n;
    };
    EXPECT_GT(darkIn(QRect(200, 300, 90, 1500)), 2000);
    EXPECT_EQ(darkIn(QRect(2070, 0, 30, 2970)), 0);
}

TEST(InstructionPicture, LcdDrawingHasItsSizeAndShowsTheText) {
    EXPECT_EQ(lcdSize(5), QSizeF(530, 140));
    QImage blank(600, 200, QImage::Format_RGB32), text(600, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    text.fill(Qt::white);
    {
        QPainter a(&blank), b(&text);
        drawLcd(a, QPointF(10, 10), 5, QString(), QString());
        drawLcd(b, QPointF(10, 10), 5, QStringLiteral("Verify"), QStringLiteral("A very long line cut"));
    }
    EXPECT_EQ(blank.pixel(5, 5), text.pixel(5, 5));
    EXPECT_NE(blank, text);
}

// --- linetint-cli print ----------------------------------------------------------

class CliPrint : public ::testing::Test {
protected:
    void SetUp() override {
        auto d = newProject(QStringLiteral("Łódź depot"));
        setLanguage(*d, 2, QStringLiteral("हिन्दी"), true);
        setView(*d, 1, 1, vtTopBottom, {}, QStringLiteral("Airport"), QStringLiteral("Harbour"));
        setView(*d, 2, 1, vtLeftTop, QStringLiteral("12"), QStringLiteral("हवाई अड्डा"), {});
        project = dir.file(QStringLiteral("demo.vmprj"));
        ASSERT_TRUE(writeProjectFile(*d, project).isEmpty());
    }
    TempDir dir;
    QString project;
};

TEST_F(CliPrint, DestinationsSheetHasSixPagesAndInstructionsOne) {
    const QString sheet = dir.file(QStringLiteral("sheet.pdf"));
    CliResult r = runCli({QStringLiteral("print"), project, QStringLiteral("--lang"), QStringLiteral("2"),
                          QStringLiteral("-o"), sheet});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPageCount(fileBytes(sheet)), 6);

    const QString info = dir.file(QStringLiteral("info.pdf"));
    r = runCli({QStringLiteral("print"), QStringLiteral("--instructions"), QStringLiteral("-o"), info});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPageCount(fileBytes(info)), 1);
}

TEST_F(CliPrint, PngFolderGetsEveryPagePicture) {
    const QString out = dir.file(QStringLiteral("pages/new"));
    CliResult r = runCli({QStringLiteral("print"), project, QStringLiteral("--png"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (int p = 1; p <= 6; ++p) {
        QImageReader reader(out + QStringLiteral("/page-%1.png").arg(p));
        EXPECT_EQ(reader.size(), QSize(2100, 2970)) << p;
    }
    // The picture is the page the core draws.
    auto d = readProjectFile(project);
    Bitmap page;
    PrintPage(*d.data, 1, 0, page);
    EXPECT_EQ(differingPixels(QImage(out + QStringLiteral("/page-1.png")), page.image(), 8), 0);

    r = runCli({QStringLiteral("print"), QStringLiteral("--instructions"), QStringLiteral("--png"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImageReader(out + QStringLiteral("/instructions.png")).size(), QSize(2100, 2970));
}

TEST_F(CliPrint, BadInputIsRefusedWithoutWritingAnything) {
    const QString sheet = dir.file(QStringLiteral("sheet.pdf"));
    QFile plain(dir.file(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("not a project");
    plain.close();

    struct Case {
        QStringList args;
        QString message;
    };
    const QList<Case> cases = {
        {{dir.file(QStringLiteral("missing.vmprj")), QStringLiteral("-o"), sheet},
         QStringLiteral("missing.vmprj")},
        {{plain.fileName(), QStringLiteral("-o"), sheet},
         QStringLiteral("plain.txt is not a project file: it has 13 bytes; a project file has 6841400")},
        {{project, QStringLiteral("--lang"), QStringLiteral("3"), QStringLiteral("-o"), sheet},
         QStringLiteral("display language 3 is not in use")},
        {{project, QStringLiteral("--lang"), QStringLiteral("4"), QStringLiteral("-o"), sheet},
         QStringLiteral("--lang takes a whole number from 1 to 3")},
        {{project}, QStringLiteral("usage")},
        {{QStringLiteral("--instructions"), project, QStringLiteral("-o"), sheet}, QStringLiteral("usage")},
        {{project, QStringLiteral("--png"), plain.fileName()}, QStringLiteral("not a folder")},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(QStringList{QStringLiteral("print")} + c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(sheet));
    }
    // An unwritable target: a path below a regular file, and a full device.
    for (const QString& target :
         {plain.fileName() + QStringLiteral("/sheet.pdf"), QStringLiteral("/dev/full")}) {
        const CliResult r = runCli({QStringLiteral("print"), project, QStringLiteral("-o"), target});
        EXPECT_EQ(r.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("linetint-cli: ") + target)) << r.err.toStdString();
    }
    EXPECT_EQ(fileBytes(plain.fileName()), QByteArray("not a project"));
}

}  // namespace
}  // namespace lt::test
