// The player window with scripted answers: opening from the menu, the image
// last exported, destinations, the language and time shown, play and pause,
// seeking and stepping, following a new export, saving the animated picture
// in the background, and bad files.
#include "depot/gui/formplayer.h"
#include "display/flashbuild.h"
#include "editor/pendrive.h"
#include "model/sign.h"
#include "tests/app/editor_fixture.h"
#include "tests/depot/gif_read.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

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
    /// Saves what plays as `path` and waits until the background work ends.
    void saveGif(TFormPlayer* p, const QString& path) {
        QSignalSpy done(p, &TFormPlayer::gifSaveFinished);
        prompts.paths.push_back(path);
        QMetaObject::invokeMethod(p, "btnSaveGifClick");
        ASSERT_TRUE(p->savingGif());
        EXPECT_FALSE(p->findChild<QPushButton*>("btnSaveGif")->isEnabled());
        ASSERT_TRUE(done.wait(60000));
        EXPECT_FALSE(p->savingGif());
    }
    /// The picture the window shows equals the face painted at its scale.
    static bool shows(TFormPlayer* p, const FaceLeds& face) {
        std::vector<std::uint8_t> px;
        SignPainter(TFormPlayer::Scale).paint(face, px);
        for (int y = 0; y < 192; ++y)
            if (std::memcmp(p->picture().constScanLine(y), px.data() + y * 768, 768) != 0) return false;
        return true;
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
    const QLocale locale;
    QLocale::setDefault(QLocale::c());
    p->showTime(1500);
    EXPECT_EQ(p->languageNow()->text(), QStringLiteral("1  Polski"));
    EXPECT_EQ(p->timeNow()->text(), QStringLiteral("1.5 s / 2 s"));
    // Seconds are written as the desktop writes numbers.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    p->showTime(1500);
    EXPECT_EQ(p->timeNow()->text(), QStringLiteral("1,5 s / 2 s"));
    QLocale::setDefault(QLocale::c());
    p->showTime(2400);  // the second language's time 0 plays 1 s
    EXPECT_EQ(p->languageNow()->text(), QStringLiteral("2  Deutsch"));
    EXPECT_EQ(p->timeNow()->text(), QStringLiteral("0.4 s / 1 s"));
    QLocale::setDefault(locale);

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
    saveGif(p, gif);
    EXPECT_EQ(prompts.dialogs.back().filter, QStringLiteral("Animated picture (*.gif)|*.gif"));
    QFile f(gif);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const test::GifRead g = test::readGif(bytes);
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.width, 128 * SignDefaultScale);
    EXPECT_EQ(g.totalDelay(), 300);  // one whole turn: 2 s and 1 s
    EXPECT_EQ(g.loopCount, 0);

    // The same bytes as the picture made in the foreground.
    Player clip(doc.flash(), destinationTurns(doc.flash(), 4));
    EXPECT_EQ(bytes, makeAnimation(clip, clip.length(), SignDefaultScale).gif);

    // A folder as the target: a message, nothing else.
    const int before = static_cast<int>(prompts.messages.size());
    saveGif(p, dir.path());
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
    EXPECT_FALSE(p->lastExported()->isEnabled());
    EXPECT_EQ(p->lastExported()->toolTip(), QStringLiteral("no pendrive file yet"));

    QFile bad(dir.file(QStringLiteral("bad.bin")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(1000, '\xFF'));
    bad.close();
    prompts.paths.push_back(bad.fileName());
    QMetaObject::invokeMethod(p, "btnOpenClick");
    ASSERT_EQ(prompts.warnings.size(), 1);
    EXPECT_EQ(prompts.warnings.back(),
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

TEST_F(PlayerWindow, SeeksToTheFrameTheClipShowsAndStepsOneMovementStep) {
    makeProject();
    exportImage();
    TFormPlayer* p = openFromMenu();
    p->destination()->setCurrentIndex(1);
    std::vector<std::pair<ClipFrame, FaceLeds>> clip;
    Player ref(doc.flash(), destinationTurns(doc.flash(), 4));
    playClip(ref, ref.length(), [&](const FaceLeds& face, const ClipFrame& frame) {
        clip.emplace_back(frame, face);
        return true;
    });
    ASSERT_GT(clip.size(), 10u);
    EXPECT_EQ(p->position()->maximum(), 3000 / PlayerFrameMs - 1);
    // The slider moved by hand or by keys: the frame of the clip at that time.
    for (const int frame : {0, 7, 33, 61, 99, 120, 149}) {
        p->position()->setValue(frame);
        const std::int64_t ms = std::int64_t{frame} * PlayerFrameMs;
        EXPECT_EQ(p->time(), ms);
        const auto shown = std::find_if(clip.begin(), clip.end(), [&](const auto& c) {
            return c.first.startMs <= ms && ms < c.first.startMs + c.first.lengthMs;
        });
        ASSERT_NE(shown, clip.end());
        EXPECT_TRUE(shows(p, shown->second)) << frame;
    }
    p->position()->setValue(99);
    QTest::keyClick(p->position(), Qt::Key_PageUp);  // one second on
    EXPECT_EQ(p->time(), 149 * PlayerFrameMs);
    QTest::keyClick(p->position(), Qt::Key_Home);
    EXPECT_EQ(p->time(), 0);

    // Steps pause and move by one tick of the top line (speed 50: 20 ms).
    ASSERT_TRUE(p->playing());
    p->position()->setValue(50);
    p->stepForward()->click();
    EXPECT_FALSE(p->playing());
    EXPECT_EQ(p->time(), 1020);
    EXPECT_TRUE(shows(p, ref.faceAt(1020)));
    p->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p));
    QTest::keyClick(p->position(), Qt::Key_Right, Qt::ControlModifier);  // the key steps, not the slider
    EXPECT_EQ(p->time(), 1040);
    p->stepBack()->click();
    p->stepBack()->click();
    EXPECT_EQ(p->time(), 1000);
    EXPECT_EQ(p->position()->value(), 50);
}

TEST_F(PlayerWindow, FollowsANewExportKeepingTheDestinationLanguageAndMoment) {
    makeProject();
    exportImage();
    TFormPlayer* p = openFromMenu();
    p->destination()->setCurrentIndex(1);
    p->pause()->click();
    p->showTime(2400);  // language 2, 0.4 s into its turn

    // A second destination and a changed text, exported from the menu.
    sWidok& w = widok(doc.dane(), 1, 9);
    w.use = 1;
    StringToWideChar(QStringLiteral("Zajezdnia"), w.NazwaKursu);
    StringToWideChar(QStringLiteral("Rondo"), widok(doc.dane(), 2, 4).Gorny.Text);
    prompts.paths.push_back(dir.file(QStringLiteral("stick2.bin")));
    form->action("Eksportujdoplikuwywietlacza1")->trigger();
    ASSERT_EQ(p->destination()->count(), 3);
    EXPECT_EQ(p->destination()->currentData().toInt(), 4);
    EXPECT_EQ(p->languageNow()->text(), QStringLiteral("2  Deutsch"));
    EXPECT_EQ(p->time(), 2400);
    EXPECT_FALSE(p->playing());
    EXPECT_TRUE(shows(p, Player(doc.flash(), destinationTurns(doc.flash(), 4)).faceAt(2400)));

    // A file that plays is read again when it is written anew; a destination
    // gone leaves all of them.
    ASSERT_TRUE(p->openFile(dir.file(QStringLiteral("stick2.bin"))));
    p->destination()->setCurrentIndex(p->destination()->findData(9));
    widok(doc.dane(), 1, 9).use = 0;
    prompts.paths.push_back(dir.file(QStringLiteral("stick2.bin")));
    form->action("Eksportujdoplikuwywietlacza1")->trigger();
    EXPECT_EQ(p->source()->text(), QStringLiteral("stick2.bin"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p->destination()->count() == 2; }, 10000));
    EXPECT_EQ(p->destination()->currentIndex(), 0);
}

TEST_F(PlayerWindow, CancelLeavesNoFileAndTheWindowAnswersMeanwhile) {
    // Ten destinations of 99 s with texts running fast: minutes of pictures.
    for (int v = 1; v <= 10; ++v) {
        sWidok& w = widok(doc.dane(), 1, v);
        w.use = 1;
        w.Time = 99;
        w.TypWidoku = vtTopBottom;
        StringToWideChar(QStringLiteral("Dworzec Centralny %1").arg(v), w.Gorny.Text);
        StringToWideChar(QStringLiteral("via Plac Wilsona, Marymont, Tarchomin"), w.Dolny.Text);
        w.Gorny.Ruch = w.Dolny.Ruch = mvBounce;
        w.Gorny.Speed = w.Dolny.Speed = 100;
    }
    exportImage();
    TFormPlayer* p = openFromMenu();
    const QString gif = dir.file(QStringLiteral("all.gif"));
    QSignalSpy done(p, &TFormPlayer::gifSaveFinished);
    prompts.paths.push_back(gif);
    QMetaObject::invokeMethod(p, "btnSaveGifClick");
    ASSERT_TRUE(p->savingGif());
    EXPECT_TRUE(p->saveProgress()->isVisibleTo(p));
    // Playing goes on while the picture is made.
    p->position()->setValue(100);
    EXPECT_EQ(p->time(), 2000);
    p->cancelSave()->click();
    ASSERT_TRUE(done.wait(60000));
    EXPECT_FALSE(p->saveProgress()->isVisibleTo(p));
    EXPECT_FALSE(QFile::exists(gif));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("stick.bin")});
    EXPECT_TRUE(prompts.warnings.isEmpty());
}

}  // namespace
}  // namespace lt
