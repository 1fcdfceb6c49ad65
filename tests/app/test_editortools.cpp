// The main window's desktop conveniences: the keys of the File and Edit
// items, the project's file in the status bar and the find window.
#include "app/formfind.h"
#include "tests/app/editor_fixture.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"
#include "widgets/editorwidgets.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest/QTest>

namespace lt::test {
namespace {

using EditorTools = EditorFixture;

struct KeyCase {
    const char* action;
    QKeySequence::StandardKey standard;  // UnknownKey: the window's own key
    QKeySequence own;
};

class MenuKeys : public EditorFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MenuKeys, ItemsCarryThePlatformKeysAndShowThem) {
    const KeyCase& c = GetParam();
    QAction* a = form->action(c.action);
    ASSERT_NE(a, nullptr);
    ASSERT_FALSE(a->shortcut().isEmpty());
    if (c.standard != QKeySequence::UnknownKey && !QKeySequence::keyBindings(c.standard).isEmpty())
        EXPECT_EQ(a->shortcuts(), QKeySequence::keyBindings(c.standard));
    else
        EXPECT_EQ(a->shortcut(), c.own);
    EXPECT_EQ(a->shortcutContext(), Qt::WindowShortcut);
}

INSTANTIATE_TEST_SUITE_P(
    FileAndEdit, MenuKeys,
    ::testing::Values(
        KeyCase{"Nowy1", QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        KeyCase{"Otwrzprojekt1", QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)},
        KeyCase{"Zapiszprojekt1", QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        KeyCase{"Zapiszjakoprojekt1", QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        KeyCase{"Wyjd1", QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        KeyCase{"Eksportujdoplikuwywietlacza1", QKeySequence::UnknownKey, QKeySequence(Qt::CTRL | Qt::Key_E)},
        KeyCase{"Znajdzkurs1", QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)}),
    [](const ::testing::TestParamInfo<KeyCase>& p) { return std::string(p.param.action); });

TEST_F(EditorTools, KeysWorkWhileTypingInARegionText) {
    widok(doc.dane(), 1, 1).use = 1;
    form->setPanelMainVisible(true);
    form->show();
    form->activateWindow();
    QApplication::processEvents();
    QLineEdit* text = rc(Region::Gorny).eText;
    text->setFocus();
    QApplication::processEvents();
    // Export to pendrive: its save dialog is asked for (and cancelled).
    QTest::keyClick(form->windowHandle(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs[0].title, doc.SaveDialogPendrive.title);
    // Save with no file yet is Save As; the key does what the item does.
    QTest::keyClick(form->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(prompts.dialogs.size(), 2);
    EXPECT_EQ(prompts.dialogs[1].title, doc.SaveDialog.title);
    QTest::keyClick(form->windowHandle(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(form->FormFind(), nullptr);
    EXPECT_TRUE(form->FormFind()->isVisible());
    form->FormFind()->close();
    EXPECT_EQ(text->text(), QStringLiteral("Top1"));  // no key went into the text
}

TEST_F(EditorTools, StatusBarNamesTheProjectFile) {
    form->show();
    FileNameLabel* label = form->lFileName();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(form->statusBar()->isVisible());
    EXPECT_EQ(label->text(), QStringLiteral("not saved yet"));
    // The status bar names the whole path, the title the file's name.
    TempDir dir;
    const QString path = dir.file(QStringLiteral("depot.vmprj"));
    prompts.paths = {path};
    form->action("Zapiszjakoprojekt1")->trigger();
    EXPECT_EQ(label->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("depot.vmprj[*] \u2014 Velmora Line Tint v1.03 2016-09-04"));
    EXPECT_FALSE(form->isWindowModified());
    // A path longer than the project's FileName field still shows whole.
    const QString deep = dir.file(QString(300, QLatin1Char('d')).insert(150, QLatin1Char('/')));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deep).path()));
    prompts.paths = {deep};
    form->action("Zapiszjakoprojekt1")->trigger();
    EXPECT_EQ(label->text(), QDir::toNativeSeparators(deep));

    prompts.answers = {true};
    form->action("Nowy1")->trigger();
    EXPECT_EQ(label->text(), QStringLiteral("not saved yet"));
    prompts.answers = {true};
    prompts.paths = {path};
    form->action("Otwrzprojekt1")->trigger();
    EXPECT_EQ(label->text(), QDir::toNativeSeparators(path));
    // A file that fails to open leaves the name of the project still shown.
    prompts.answers = {true};
    prompts.paths = {dir.path()};
    form->action("Otwrzprojekt1")->trigger();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(label->text(), QDir::toNativeSeparators(path));
    // A project recovered from a pendrive file has no file yet.
    doc.adoptProject(doc.dane());
    EXPECT_EQ(label->text(), QStringLiteral("not saved yet"));
    // The unsaved text is the label's translatable text.
    label->setProperty("Unsaved", QStringLiteral("jeszcze nie zapisano"));
    EXPECT_EQ(label->text(), QStringLiteral("jeszcze nie zapisano"));
}

struct FindWindow : EditorFixture {
    TFormFind* find = nullptr;
    views::ViewsPanel* panel = nullptr;
    void SetUp() override {
        sDane& d = doc.dane();
        doc.applyLanguages(QStringLiteral("Polski"), QStringLiteral("Deutsch"), true, QStringLiteral("Off"),
                           false);
        StringToWideChar(QStringLiteral("Dworzec Główny"), widok(d, 1, 40).NazwaKursu);
        widok(d, 1, 40).use = 1;
        widok(d, 1, 40).Time = 5;
        StringToWideChar(QStringLiteral("Hauptbahnhof"), widok(d, 2, 41).NazwaKursu);
        StringToWideChar(QStringLiteral("Dworzec"), widok(d, 2, 41).Gorny.Text);
        widok(d, 2, 41).use = 1;
        StringToWideChar(QStringLiteral("Dworzec Zachodni"), widok(d, 1, 250).NazwaKursu);  // not in use
        form->show();
        form->Znajdzkurs1Click();
        find = form->FormFind();
        panel = form->gbWidoki();
    }
    void pick(int row) {
        find->lbFound()->setCurrentRow(row);
        find->btnOpen()->click();
    }
};

TEST_F(FindWindow, ListsMatchesOfEveryLanguageInUse) {
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Find a destination"));
    EXPECT_FALSE(find->isModal());
    EXPECT_FALSE(find->btnOpen()->isEnabled());
    find->eFind()->setText(QStringLiteral("dworzec"));
    ASSERT_EQ(find->found().size(), 3);
    EXPECT_EQ(find->lbFound()->count(), 3);
    EXPECT_EQ(find->lbFound()->item(0)->text(), QStringLiteral("Polski 40: Dworzec Główny"));
    EXPECT_EQ(find->lbFound()->item(1)->text(), QStringLiteral("Polski 250: Dworzec Zachodni"));
    EXPECT_EQ(find->lbFound()->item(2)->text(), QString::fromUtf8("Deutsch 41: Hauptbahnhof \u2014 Dworzec"));
    EXPECT_TRUE(find->btnOpen()->isEnabled());
    find->eFind()->setText(QStringLiteral("zzz"));
    EXPECT_EQ(find->lbFound()->count(), 0);
    EXPECT_FALSE(find->btnOpen()->isEnabled());
}

TEST_F(FindWindow, OpensAViewInUseAsADoubleClickDoes) {
    sDane& d = doc.dane();
    find->eFind()->setText(QStringLiteral("dworzec"));
    pick(0);
    EXPECT_EQ(d.SelWidok, 1);
    EXPECT_EQ(d.SelectRow, 40);
    EXPECT_EQ(d.EditRow, 40);
    EXPECT_TRUE(form->PanelMain()->isVisible());
    EXPECT_EQ(form->eNazwaKursu()->text(), QStringLiteral("Dworzec Główny"));
    EXPECT_EQ(widok(d, 1, 40).Time, 5);
    EXPECT_EQ(panel->grid(1)->currentRow(), 40);

    // In another language: its tab comes to the front and the view opens.
    pick(2);
    EXPECT_EQ(panel->pcsg1()->currentIndex(), 1);
    EXPECT_EQ(d.SelWidok, 2);
    EXPECT_EQ(d.EditRow, 41);
    EXPECT_EQ(rc(Region::Gorny).eText->text(), QStringLiteral("Dworzec"));
    EXPECT_TRUE(find->isVisible());  // stays for the next result
}

TEST_F(FindWindow, AViewNotInUseIsSelectedNotSwitchedOn) {
    sDane& d = doc.dane();
    find->eFind()->setText(QStringLiteral("zachodni"));
    ASSERT_EQ(find->found().size(), 1);
    pick(0);
    EXPECT_EQ(d.SelectRow, 250);
    EXPECT_EQ(d.EditRow, 1);
    EXPECT_FALSE(isTrue(widok(d, 1, 250).use));
    EXPECT_EQ(widok(d, 1, 250).Time, 0);
    EXPECT_FALSE(form->PanelMain()->isVisible());
    EXPECT_EQ(panel->grid(1)->currentRow(), 250);
    // A language switched off since the search is not entered.
    find->eFind()->setText(QStringLiteral("hauptbahnhof"));
    ASSERT_EQ(find->found().size(), 1);
    d.Lang[1].Use = 0;
    pick(0);
    EXPECT_EQ(d.SelWidok, 1);
    EXPECT_EQ(d.SelectRow, 250);
}

}  // namespace
}  // namespace lt::test
