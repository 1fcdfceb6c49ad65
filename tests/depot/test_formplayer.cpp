// The player window with scripted answers: opening from the menu, the image
// last exported, destinations, the language and time shown, play and pause,
// saving the animated picture, and bad files.
#include "depot/gui/formplayer.h"
#include "display/flashbuild.h"
#include "editor/pendrive.h"
#include "model/sign.h"
#include "tests/app/editor_fixture.h"
#include "tests/depot/gif_read.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <cstddef>
#include <gtest/gtest.h>

namespace lt {
namespace {

struct PlayerWindow : test::EditorFixture {
    /// Destination 4 in language 1 (2 s) and language 2 "Deutsch" (time 0),
    /// the top text running in from the right.
    void makeProject() {
        sDane& d = doc.dane();
        applyLanguage2();
        for (int l : {1, 2}) {
            sWidok& w = widok(d, l, 4);
            w.use = 1;
            w.Time = l == 1 ? 2 : 0;
            w.TypWidoku = vtTop;
            StringToWideChar(l == 1 ? QStringLiteral("Dworzec Centralny") : QStringLiteral("Hauptbahnhof"),
                             w.Gorny.Text);
            StringToWideChar(QStringLiteral("Centrum"), w.NazwaKursu);
            w.Gorny.Ruch = mvInRight;
            w.Gorny.Speed = 50;
        }
    }
    void applyLanguage2() {
        doc.applyLanguages(QStringLiteral("Polski"), QStringLiteral("Deutsch"), true, QString(), false);
    }
    void exportImage() {
        const QString path = dir.file(QStringLiteral("stick.bin"));
        prompts.paths.push_back(path);
        Eksportujdoplikuwywietlacza1Click(doc, prompts);
        ASSERT_TRUE(QFile::exists(path));
    }
    TFormPlayer* openFromMenu() {
        form->action("Odtworzplikpendrive1")->trigger();
        return form->formPlayer();
    }
    test::TempDir dir;
};

TEST_F(PlayerWindow, PlaysTheImageLastExportedWithItsLanguagesAndTimes) {
    makeProject();
    exportImage();
    TFormPlayer* p = openFromMenu();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_TRUE(p->playing());
    EXPECT_EQ(p->source()->text(), p->flashImage());
    ASSERT_EQ(p->destination()->count(), 2);
    EXPECT_EQ(p->destination()->itemText(0), QStringLiteral("All destinations"));
    EXPECT_EQ(p->destination()->itemText(1), QStringLiteral("4  Centrum"));

    p->pause()->click();
    EXPECT_FALSE(p->playing());
    EXPECT_TRUE(p->play()->isVisibleTo(p));
    p->showTime(1500);
    EXPECT_EQ(p->languageNow()->text(), QStringLiteral("1  Polski"));
    EXPECT_EQ(p->timeNow()->text(), QStringLiteral("1.5 s / 2 s"));
    p->showTime(2400);  // the second language's time 0 plays 1 s
    EXPECT_EQ(p->languageNow()->text(), QStringLiteral("2  Deutsch"));
    EXPECT_EQ(p->timeNow()->text(), QStringLiteral("0.4 s / 1 s"));

    // The picture is the player's face at that moment, enlarged.
    Player ref(doc.flash(), destinationTurns(doc.flash(), 4));
    std::vector<std::uint8_t> px;
    const SignPainter painter(TFormPlayer::Scale);
    painter.paint(ref.faceAt(2400), px);
    ASSERT_EQ(p->picture().size(), QSize(768, 192));
    for (int y = 0; y < 192; ++y)
        ASSERT_EQ(std::memcmp(p->picture().constScanLine(y), px.data() + y * 768, 768), 0) << y;

    p->destination()->setCurrentIndex(1);
    EXPECT_EQ(p->player()->turns(), destinationTurns(doc.flash(), 4));
    EXPECT_EQ(p->time(), 0);
    p->play()->click();
    EXPECT_TRUE(p->playing());
    p->close();
    EXPECT_FALSE(p->playing());
}

TEST_F(PlayerWindow, SavesTheAnimatedPictureAndReportsWhatFails) {
    makeProject();
    exportImage();
    TFormPlayer* p = openFromMenu();
    const QString gif = dir.file(QStringLiteral("sign-off.gif"));
    prompts.paths.push_back(gif);
    QMetaObject::invokeMethod(p, "btnSaveGifClick");
    EXPECT_EQ(prompts.dialogs.back().filter, QStringLiteral("Animated picture (*.gif)|*.gif"));
    QFile f(gif);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const test::GifRead g = test::readGif(f.readAll());
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.width, 128 * SignDefaultScale);
    EXPECT_EQ(g.totalDelay(), 300);  // one whole turn: 2 s and 1 s
    EXPECT_EQ(g.loopCount, 0);

    // A folder as the target: a message, nothing else.
    const int before = static_cast<int>(prompts.messages.size());
    prompts.paths.push_back(dir.path());
    QMetaObject::invokeMethod(p, "btnSaveGifClick");
    EXPECT_EQ(static_cast<int>(prompts.messages.size()), before + 1);
    EXPECT_EQ(prompts.warnings, QStringList{dir.path() + QStringLiteral(": Is a directory")});
    // Cancelled: nothing at all.
    QMetaObject::invokeMethod(p, "btnSaveGifClick");
    EXPECT_EQ(static_cast<int>(prompts.messages.size()), before + 1);
}

TEST_F(PlayerWindow, WithoutAnImageAsksForAFileAndRefusesBadOnes) {
    TFormPlayer* p = openFromMenu();  // nothing exported: the open dialog comes first, cancelled
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs.back().title, QStringLiteral("Open files from pendrive"));
    EXPECT_FALSE(p->loaded());
    EXPECT_FALSE(p->play()->isEnabled());
    EXPECT_EQ(p->source()->text(), QStringLiteral("No pendrive file"));

    QFile bad(dir.file(QStringLiteral("bad.bin")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(1000, '\xFF'));
    bad.close();
    prompts.paths.push_back(bad.fileName());
    QMetaObject::invokeMethod(p, "btnOpenClick");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.back(),
              bad.fileName() +
                  QStringLiteral(" is not a pendrive file: it has 1000 bytes; a pendrive file has 8388608"));
    EXPECT_FALSE(p->loaded());

    // A foreign image with every byte set but the sign's size plays.
    QFile ff(dir.file(QStringLiteral("ff.bin")));
    ASSERT_TRUE(ff.open(QIODevice::WriteOnly));
    QByteArray foreign(FlashSize, '\xFF');
    foreign[offsetof(sflash, LedX)] = static_cast<char>(SignWidth);
    foreign[offsetof(sflash, LedY)] = static_cast<char>(SignHeight);
    ff.write(foreign);
    ff.close();
    EXPECT_TRUE(p->openFile(ff.fileName()));
    EXPECT_EQ(p->source()->text(), QStringLiteral("ff.bin"));
    EXPECT_EQ(p->destination()->count(), 301);
    p->showTime(123456);
    EXPECT_FALSE(p->languageNow()->text().isEmpty());
}

}  // namespace
}  // namespace lt
