// The hostile project in the editor's own windows and the two outputs a
// depot takes from it: every hostile view opened in the editing panel with
// its movements running, the views grid drawn at every scroll position, the
// pendrive image built and read back, and every page of the drivers' sheet.

#include "app/mainform.h"
#include "app/startup.h"
#include "depot/decode.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "print/instructions.h"
#include "print/printpage.h"
#include "tests/hardening/hostile_project.h"
#include "tests/support/scripted_prompts.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>
#include <QThread>

namespace lt {
namespace {

using test::hostileProject;
using test::HostileViews;
using test::ScriptedPrompts;
using test::TempDir;
using test::writeBytes;

void pumpFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(2);
    }
}

class HostileEditor : public ::testing::Test {
protected:
    void SetUp() override {
        stored = hostileProject();
        path = dir.file(QStringLiteral("hostile.vmprj"));
        writeBytes(path, stored.get(), sizeof *stored);
        run = startEditor(*qApp, &prompts);
        prompts.answers.push_back(true);
        prompts.paths.push_back(path);
        run->mainForm->Otwrzprojekt1Click();
        ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
        ASSERT_EQ(prompts.dialogs.size(), 1);
    }
    void TearDown() override { run.reset(); }

    Document& doc() { return *run->doc; }
    TMainForm& main() { return *run->mainForm; }

    TempDir dir;
    QString path;
    std::unique_ptr<sDane> stored;
    ScriptedPrompts prompts;
    std::unique_ptr<EditorRun> run;
};

TEST_F(HostileEditor, EveryHostileViewOpensInThePanelAndMoves) {
    views::ViewsPanel* panel = main().gbWidoki();
    main().show();
    for (int l = 1; l <= LanguageCount; ++l) {
        // Any non-zero use byte shows the tab.
        ASSERT_TRUE(panel->pcsg1()->isTabVisible(l - 1)) << l;
        panel->pcsg1()->setCurrentIndex(l - 1);
        for (int v = 1; v <= HostileViews; ++v) {
            panel->grid(l)->selectCell(1, v);
            panel->sgDblClick();
            EXPECT_EQ(doc().dane().EditRow, v);
            pumpFor(15);  // the movement timers tick and the preview repaints
            (void)main().grab();
        }
    }
    // The grid, scrolled through all 300 rows of every language.
    for (int l = 1; l <= LanguageCount; ++l) {
        views::ViewsGrid* g = panel->grid(l);
        panel->pcsg1()->setCurrentIndex(l - 1);
        for (int pos = g->verticalScrollBar()->minimum(); pos <= g->verticalScrollBar()->maximum();
             pos += std::max(1, g->verticalScrollBar()->pageStep())) {
            g->verticalScrollBar()->setValue(pos);
            (void)g->grab();
        }
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
}

TEST_F(HostileEditor, ImageAndSheetsAreBuiltWithoutChangingTheProject) {
    std::vector<char> before(sizeof(sDane));
    std::memcpy(before.data(), &doc().dane(), sizeof(sDane));

    EncodeKorvo2Flash(doc());
    // Each screen of the image reads back at the sign's size.
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int v = 1; v <= HostileViews + 1; ++v) {
            const Bitmap screen = DecodeScreen(doc().flash(), l, v);
            EXPECT_EQ(screen.width(), 128);
            EXPECT_EQ(screen.height(), 32);
        }
    }

    Bitmap page;
    for (int l = 1; l <= LanguageCount; ++l) {
        for (int p = 0; p < 6; ++p) {
            const auto texts = PrintPage(doc().dane(), l, p, page);
            EXPECT_FALSE(texts.isEmpty());
            EXPECT_EQ(page.width(), 2100);
            EXPECT_EQ(page.height(), 2970);
        }
    }
    drawInstructionsPage(page);
    EXPECT_EQ(std::memcmp(before.data(), &doc().dane(), sizeof(sDane)), 0);
}

}  // namespace
}  // namespace lt
