// linetint-cli render: the preview or thumbnail of one view as a picture.
#include "editor/document.h"
#include "render/animation.h"
#include "render/preview.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

QRgb rgbOf(std::int32_t index) {
    const std::uint32_t c = Int2Color(index);
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

class CliRender : public ::testing::Test {
protected:
    TempDir dir;
    QString project = dir.file(QStringLiteral("p.vmprj"));
    void SetUp() override {
        Document doc;
        doc.newDane();
        sWidok& w = widok(doc.dane(), 2, 7);
        w.Gorny.Ruch = mvInLeft;
        ASSERT_TRUE(doc.writeProject(project).isEmpty());
    }
};

TEST_F(CliRender, DefaultViewPreviewShowsItsRegionsInTheirColours) {
    const QString out = dir.file(QStringLiteral("v1.png"));
    const auto r = runCli({QStringLiteral("render"), project, QStringLiteral("--view"), QStringLiteral("1"),
                           QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage img(out);
    ASSERT_EQ(img.size(), QSize(768, 192));
    QSet<QRgb> left, top, bottom;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 768; ++x) {
            const QRgb p = img.pixel(x, y) & 0xFFFFFF;
            if (x < 240)
                left << p;
            else if (x >= 242 && y < 126)
                top << p;
            else if (x >= 242 && y >= 128)
                bottom << p;
        }
    const auto rgb = [](std::int32_t i) { return rgbOf(i) & 0xFFFFFF; };
    EXPECT_EQ(left, (QSet<QRgb>{rgb(ciGreen), rgb(ciBlack)}));
    EXPECT_EQ(top, (QSet<QRgb>{rgb(ciWhite), rgb(ciBlack)}));
    EXPECT_EQ(bottom, (QSet<QRgb>{rgb(ciYellow), rgb(ciBlue)}));
    EXPECT_EQ(img.pixel(240, 10) & 0xFFFFFF, 0x9B9B9Bu);
    EXPECT_EQ(img.pixel(500, 126) & 0xFFFFFF, 0x9B9B9Bu);

    // The same picture as a BMP, byte for byte what the preview holds.
    const QString bmp = dir.file(QStringLiteral("v1.bmp"));
    ASSERT_EQ(runCli({QStringLiteral("render"), project, QStringLiteral("-o"), bmp}).exitCode, 0);
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), img.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QFile(bmp).size(), 54 + 768 * 192 * 3);
}

TEST_F(CliRender, ThumbnailAndTicks) {
    const QString thumb = dir.file(QStringLiteral("t.png"));
    ASSERT_EQ(runCli({QStringLiteral("render"), project, QStringLiteral("--lang"), QStringLiteral("2"),
                      QStringLiteral("--view"), QStringLiteral("7"), QStringLiteral("--thumbnail"),
                      QStringLiteral("-o"), thumb})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(thumb).size(), QSize(128, 32));

    // Ticks move the moving top text of view 7 of language 2 to the left; the
    // rest of the sign stays.
    const QString still = dir.file(QStringLiteral("still.png")),
                  moved = dir.file(QStringLiteral("moved.png"));
    const QStringList base = {QStringLiteral("render"), project,
                              QStringLiteral("--lang"), QStringLiteral("2"),
                              QStringLiteral("--view"), QStringLiteral("7")};
    ASSERT_EQ(runCli(base + QStringList{QStringLiteral("-o"), still}).exitCode, 0);
    ASSERT_EQ(runCli(base +
                     QStringList{QStringLiteral("--ticks"), QStringLiteral("5"), QStringLiteral("-o"), moved})
                  .exitCode,
              0);
    const QImage a(still), b(moved);
    EXPECT_EQ(a.copy(0, 0, 240, 192), b.copy(0, 0, 240, 192));
    EXPECT_EQ(a.copy(242, 128, 526, 64), b.copy(242, 128, 526, 64));
    EXPECT_EQ(a.copy(242 + 30, 0, 400, 120), b.copy(242, 0, 400, 120));  // 5 LEDs = 30 pixels
}

TEST_F(CliRender, BadArgumentsAndFilesFailWithAMessage) {
    const QString out = dir.file(QStringLiteral("o.png"));
    QFile damaged(dir.file(QStringLiteral("damaged.vmprj")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a project");
    damaged.close();
    const QList<QStringList> bad = {
        {QStringLiteral("render"), project, QStringLiteral("--view"), QStringLiteral("0"),
         QStringLiteral("-o"), out},
        {QStringLiteral("render"), project, QStringLiteral("--view"), QStringLiteral("301"),
         QStringLiteral("-o"), out},
        {QStringLiteral("render"), project, QStringLiteral("--lang"), QStringLiteral("4"),
         QStringLiteral("-o"), out},
        {QStringLiteral("render"), project, QStringLiteral("--view"), QStringLiteral("x"),
         QStringLiteral("-o"), out},
        {QStringLiteral("render"), project, QStringLiteral("--ticks"), QStringLiteral("-1"),
         QStringLiteral("-o"), out},
        {QStringLiteral("render"), damaged.fileName(), QStringLiteral("-o"), out},
        {QStringLiteral("render"), dir.file(QStringLiteral("missing.vmprj")), QStringLiteral("-o"), out},
        {QStringLiteral("render"), project, QStringLiteral("-o"), dir.file(QStringLiteral("o.gif"))},
        {QStringLiteral("render"), project, QStringLiteral("-o"), project + QStringLiteral("/inner.png")},
        {QStringLiteral("render"), project},
    };
    for (const QStringList& args : bad) {
        const auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("linetint-cli:"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(QFile(project).size(), qint64(sizeof(sDane)));
}

}  // namespace
}  // namespace lt
