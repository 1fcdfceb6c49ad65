// Switching the interface language: the manager's list, the menu, and the
// controllers on stand-in windows built with the real component names.
#include "fake_windows.h"
#include "i18n/gui/languagemenu.h"
#include "i18n/langmanager.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

namespace lt::i18n {
namespace {

using test::completeTranslation;
using test::makeDialog;
using test::makeMainForm;

void writeText(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF");
    f.write(text.toUtf8());
}

class Switching : public ::testing::Test {
protected:
    void SetUp() override { LangManager().Reset(); }
    void TearDown() override { LangManager().Reset(); }

    /// The main window with its controller and menu, scanning `dir`.
    void startMainWindow() {
        main = makeMainForm();
        controller = new TDKLanguageController(main.get(), QStringLiteral("MainForm"));
        menu = installLanguageMenu(main.get(), main->findChild<QMenu*>(QStringLiteral("smViewLanguage")),
                                   &prompts, nullptr, dir.path());
    }
    QList<QAction*> items() const {
        return main->findChild<QMenu*>(QStringLiteral("smViewLanguage"))->actions();
    }
    QAction* itemFor(int id) const {
        for (QAction* a : items())
            if (a->data().toInt() == id) return a;
        return nullptr;
    }
    QString caption(const char* path) const {
        TextValue v;
        QObject* c = findComponent(main.get(), QStringLiteral("MainForm"), QLatin1String(path));
        EXPECT_TRUE(readTextProperty(c, c == main.get(), QStringLiteral("Caption"), &v)) << path;
        return v.text;
    }

    lt::test::TempDir dir;
    lt::test::ScriptedPrompts prompts;
    std::unique_ptr<QMainWindow> main;
    TDKLanguageController* controller = nullptr;
    LanguageMenu* menu = nullptr;
};

TEST_F(Switching, NoFileGivesOneCheckedDefaultItem) {
    startMainWindow();
    ASSERT_EQ(items().size(), 1);
    EXPECT_EQ(items()[0]->data().toInt(), 1033);
    EXPECT_TRUE(items()[0]->isChecked());
    EXPECT_EQ(items()[0]->text(), QStringLiteral("English (United States)"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("MainForm Caption"));
    EXPECT_EQ(LangManager().GetLanguageID(), 1033);
}

TEST_F(Switching, ScanAcceptsListsAndReplaces) {
    writeText(dir.file("a_default.lng"), "LANGID=1033\n[MainForm]\n1=x\n");
    writeText(dir.file("b_section_first.lng"), "[MainForm]\nLANGID=1045\n");
    writeText(dir.file("c_polish.lng"), "LANGID=1045\n");
    writeText(dir.file("d_german.lng"), "LANGID=$407\n");
    writeText(dir.file("e_polish_again.lng"), "LangId=1045\n");
    writeText(dir.file("f_unknown.lng"), "LANGID=31999\n");
    writeText(dir.file("g_no_id.lng"), "Author=x\n");
    writeText(dir.file("h_other.txt"), "LANGID=1036\n");
    QDir(dir.path()).mkpath("sub");
    writeText(dir.file("sub/i_french.lng"), "LANGID=1036\n");
    QDir(dir.path()).mkpath("folder.lng");
    QFile::link(dir.file("nowhere"), dir.file("j_dangling.lng"));

    TDKLanguageManager& lm = LangManager();
    EXPECT_EQ(lm.ScanForLangFiles(dir.path(), "*.lng", false), 5);
    ASSERT_EQ(lm.GetLanguageCount(), 4);
    EXPECT_EQ(lm.GetLanguageIDs(0), 1033);
    EXPECT_EQ(lm.GetLanguageIDs(1), 1045);
    EXPECT_EQ(lm.GetLanguageFiles(1), dir.file("e_polish_again.lng"));  // the file found last
    EXPECT_EQ(lm.GetLanguageIDs(2), 1031);
    EXPECT_EQ(lm.GetLanguageIDs(3), 31999);
    EXPECT_EQ(lm.GetLanguageNames(1), QStringLiteral("Polish (Poland)"));
    EXPECT_EQ(lm.GetLanguageNames(2), QStringLiteral("German (Germany)"));
    EXPECT_EQ(lm.GetLanguageNames(3), QStringLiteral("31999"));
    // Outside the list: the default language, no name.
    EXPECT_EQ(lm.GetLanguageIDs(-1), 1033);
    EXPECT_EQ(lm.GetLanguageIDs(9), 1033);
    EXPECT_EQ(lm.GetLanguageNames(9), QString());

    lm.Reset();
    EXPECT_EQ(lm.ScanForLangFiles(dir.path(), "*.lng", true), 6);
    EXPECT_EQ(lm.GetLanguageCount(), 5);
}

TEST_F(Switching, MenuSwitchesAndMarksTheCurrentLanguage) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n1=Okno glowne\n00000002=Lista\\nwidokow\n");
    startMainWindow();
    ASSERT_EQ(items().size(), 2);
    EXPECT_FALSE(itemFor(1045)->isChecked());
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(LangManager().GetLanguageID(), 1045);
    EXPECT_TRUE(itemFor(1045)->isChecked());
    EXPECT_FALSE(itemFor(1033)->isChecked());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Okno glowne"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("Okno glowne"));
    EXPECT_EQ(caption("gbWidoki"), QStringLiteral("Lista\nwidokow"));
    // Entries the file lacks keep their design texts.
    EXPECT_EQ(caption("gbGorny"), QStringLiteral("gbGorny Caption"));

    menu->LanguageItemClick(itemFor(1033));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("MainForm Caption"));
    EXPECT_EQ(caption("gbWidoki"), QStringLiteral("gbWidoki Caption"));
    EXPECT_TRUE(itemFor(1033)->isChecked());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Switching, EntryTwoAppliesInEveryWrittenForm) {
    const char* forms[] = {
        "LANGID=1045\n[MainForm]\n2=Two\\nlines\n",
        "LANGID=1045\n[MainForm]\n00000002=Two\\nlines\n",
        "LANGID=1045\n[mainform]\n2=Two\\nlines\n",
        "LANGID=1045\n[MAINFORM]\n00000002 = Two\\nlines\n",
    };
    startMainWindow();
    for (const char* form : forms) {
        LangManager().Reset();
        writeText(dir.file("pl.lng"), form);
        ASSERT_TRUE(LangManager().RegisterLangFile(dir.file("pl.lng")));
        ASSERT_EQ(LangManager().SetLanguageID(1045), QString());
        EXPECT_EQ(main->findChild<QGroupBox*>("gbWidoki")->title(), QStringLiteral("Two\nlines")) << form;
        ASSERT_EQ(LangManager().SetLanguageID(1033), QString());
        EXPECT_EQ(main->findChild<QGroupBox*>("gbWidoki")->title(), QStringLiteral("gbWidoki Caption"));
    }
}

TEST_F(Switching, ChoosingTheCurrentLanguageAppliesNothing) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n112=Polski\n");
    startMainWindow();
    auto* tabs = main->findChild<QTabWidget*>("pcsg1");
    tabs->setTabText(0, QStringLiteral("Set at run time"));
    menu->LanguageItemClick(itemFor(1033));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Set at run time"));
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Polski"));
    tabs->setTabText(0, QStringLiteral("Set again"));
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Set again"));
    EXPECT_TRUE(itemFor(1045)->isChecked());
    // A language nobody listed means the default one.
    EXPECT_EQ(LangManager().SetLanguageID(2052), QString());
    EXPECT_EQ(LangManager().GetLanguageID(), 1033);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("tsView1 Caption"));
}

TEST_F(Switching, EveryTextTranslatesAndComesBack) {
    writeText(dir.file("xx.lng"), completeTranslation(1045, QStringLiteral("PL")));
    startMainWindow();
    auto* print = makeDialog(QStringLiteral("FormPrint"), main.get(), true);
    new TDKLanguageController(print, QStringLiteral("FormPrint"));
    auto* autor = makeDialog(QStringLiteral("FormAutor"), nullptr);
    new TDKLanguageController(autor, QStringLiteral("FormAutor"));
    std::unique_ptr<QDialog> autorOwner(autor);
    struct Window {
        QWidget* w;
        QString name;
    };
    const Window windows[] = {{main.get(), "MainForm"}, {print, "FormPrint"}, {autor, "FormAutor"}};

    // Runtime texts on the tabs, as the display-language names put them there.
    auto* tabs = main->findChild<QTabWidget*>("pcsg1");
    for (int i = 0; i < 3; ++i) tabs->setTabText(i, QStringLiteral("Language %1").arg(i + 1));

    std::map<std::pair<QString, int>, TextValue> design;
    for (const Window& w : windows)
        for (const TextEntry& e : textEntriesFor(w.name)) {
            QObject* c = findComponent(w.w, w.name, QLatin1String(e.path));
            ASSERT_NE(c, nullptr) << e.path;
            TextValue v;
            if (readTextProperty(c, c == w.w, QLatin1String(e.property), &v)) design[{w.name, e.id}] = v;
        }
    // Pick-only lists have no text of their own: six entries of the main window.
    // Eleven more are texts of the real windows' own (the copy question of the
    // views list, the status bar's "not saved yet", the autosave's restore
    // question, the Undo and Redo words, the step names, and the main
    // window's messages about a recent project gone, a manual not installed
    // or without a browser to show it, and a file that does not open) that
    // stand-ins lack, and three the font
    // lists' hint on a face that is not installed.
    EXPECT_EQ(design.size(),
              mainFormTexts().size() - 6u - 11u - 3u + formPrintTexts().size() + formAutorTexts().size());

    menu->LanguageItemClick(itemFor(1045));
    for (const Window& w : windows)
        for (const TextEntry& e : textEntriesFor(w.name)) {
            if (!design.count({w.name, e.id})) continue;
            QObject* c = findComponent(w.w, w.name, QLatin1String(e.path));
            TextValue v;
            ASSERT_TRUE(readTextProperty(c, c == w.w, QLatin1String(e.property), &v));
            const QString t = QStringLiteral("PL %1 %2").arg(w.name).arg(e.id);
            if (v.isList) {
                EXPECT_EQ(v.lines, (QStringList{t, t + " b", t + " c"})) << e.path;
            } else {
                EXPECT_EQ(v.text, t) << e.path << "." << e.property;
            }
        }
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("PL MainForm 114"));

    menu->LanguageItemClick(itemFor(1033));
    for (const auto& [key, value] : design) {
        const Window& w = *std::find_if(std::begin(windows), std::end(windows),
                                        [&](const Window& x) { return x.name == key.first; });
        const TextEntry& e = *std::find_if(textEntriesFor(w.name).begin(), textEntriesFor(w.name).end(),
                                           [&](const TextEntry& x) { return x.id == key.second; });
        QObject* c = findComponent(w.w, w.name, QLatin1String(e.path));
        TextValue now;
        ASSERT_TRUE(readTextProperty(c, c == w.w, QLatin1String(e.property), &now));
        const TextValue& expected = QLatin1String(e.path).startsWith(QLatin1String("tsView"))
                                        ? TextValue{false, QStringLiteral("%1 Caption").arg(e.path), {}}
                                        : value;
        EXPECT_EQ(now, expected) << key.first.toStdString() << " " << e.path << "." << e.property;
    }
    // The three tabs show their design texts again, not the language names.
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("tsView1 Caption"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("tsView2 Caption"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("tsView3 Caption"));
}

TEST_F(Switching, ProjectDataInTheEditorStays) {
    writeText(dir.file("xx.lng"), completeTranslation(1045, QStringLiteral("PL")));
    startMainWindow();
    auto* top = main->findChild<QLineEdit*>("eTextGorny");
    auto* course = main->findChild<QLineEdit*>("eNazwaKursu");
    auto* ruch = main->findChild<QComboBox*>("cbRuchGorny");
    top->setText(QStringLiteral("Dworzec"));  // the edited view's text
    ruch->setCurrentIndex(2);
    int handlerCalls = 0;  // the change handlers that would store into the project
    QObject::connect(top, &QLineEdit::textChanged, [&] { ++handlerCalls; });
    QObject::connect(course, &QLineEdit::textChanged, [&] { ++handlerCalls; });
    QObject::connect(ruch, &QComboBox::currentIndexChanged, [&] { ++handlerCalls; });

    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(top->text(), QStringLiteral("Dworzec"));
    EXPECT_EQ(course->text(), QStringLiteral("PL MainForm 60"));  // still its design text: translated
    EXPECT_EQ(ruch->currentIndex(), 2);
    EXPECT_EQ(ruch->currentText(), QStringLiteral("PL MainForm 37 c"));
    menu->LanguageItemClick(itemFor(1033));
    EXPECT_EQ(top->text(), QStringLiteral("Dworzec"));
    EXPECT_EQ(course->text(), QStringLiteral("eNazwaKursu Text"));
    EXPECT_EQ(ruch->currentIndex(), 2);
    EXPECT_EQ(ruch->currentText(), QStringLiteral("cbRuchGorny three"));
    EXPECT_EQ(handlerCalls, 0);

    // A list given fewer entries keeps a position that still exists.
    writeText(dir.file("xx.lng"), "LANGID=1045\n[MainForm]\n37=a\\nb\n");
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(ruch->count(), 2);
    EXPECT_EQ(ruch->currentIndex(), 1);
}

TEST_F(Switching, DialogTextsReachTheDocumentsSpecs) {
    FileDialogSpec open{QStringLiteral("Open project file"), QStringLiteral("Project file (*.vmprj)|*.vmprj"),
                        QStringLiteral("*.vmprj"), QStringLiteral("Velmora"), false};
    auto w = std::make_unique<QMainWindow>();
    w->setObjectName("MainForm");
    auto* texts = new DialogTexts(QStringLiteral("OpenDialog"), &open, w.get());
    new DialogTexts(QStringLiteral("OpenPictureDialog"), nullptr, w.get());
    new TDKLanguageController(w.get(), QStringLiteral("MainForm"));
    writeText(dir.file("pl.lng"),
              "LANGID=1045\n[MainForm]\n83=*.vmprj\n84=Projekt\n85=Plik projektu (*.vmprj)|*.vmprj\n"
              "86=Otwórz plik projektu\n87=Podgląd\n");
    LangManager().RegisterLangFile(dir.file("pl.lng"));
    ASSERT_EQ(LangManager().SetLanguageID(1045), QString());
    EXPECT_EQ(open.title, QStringLiteral("Otwórz plik projektu"));
    EXPECT_EQ(open.filter, QStringLiteral("Plik projektu (*.vmprj)|*.vmprj"));
    EXPECT_EQ(open.fileName, QStringLiteral("Projekt"));
    EXPECT_EQ(texts->objectName(), QStringLiteral("OpenDialog"));  // the name is never translated
    auto* preview = findComponent(w.get(), "MainForm", "OpenPictureDialog.PreviewButton");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->property("Hint").toString(), QStringLiteral("Podgląd"));
    ASSERT_EQ(LangManager().SetLanguageID(1033), QString());
    EXPECT_EQ(open.title, QStringLiteral("Open project file"));
    EXPECT_EQ(preview->property("Hint").toString(), QStringLiteral("Preview"));
}

TEST_F(Switching, WindowsOfTheirOwnAreSearchedApart) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n117=Main label\n[FormPrint]\n9=Jezyk\n");
    startMainWindow();
    auto* print = makeDialog(QStringLiteral("FormPrint"), main.get());
    new TDKLanguageController(print, QStringLiteral("FormPrint"));
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(main->findChild<QLabel*>("Label1", Qt::FindDirectChildrenOnly), nullptr);
    EXPECT_EQ(caption("Label1"), QStringLiteral("Main label"));
    EXPECT_EQ(print->findChild<QLabel*>("Label1")->text(), QStringLiteral("Jezyk"));
}

TEST_F(Switching, WindowsMadeLaterFollowTheCurrentLanguage) {
    writeText(dir.file("pl.lng"),
              "LANGID=1045\n[FormAutor]\n1=Informacja\n2=Wyjście\n[FormHardware]\n2=Wyjdź\n");
    startMainWindow();
    menu->LanguageItemClick(itemFor(1045));
    std::unique_ptr<QDialog> autor(makeDialog(QStringLiteral("FormAutor"), nullptr));
    auto* c = new TDKLanguageController(autor.get(), QStringLiteral("FormAutor"));
    EXPECT_EQ(autor->windowTitle(), QStringLiteral("Informacja"));
    EXPECT_EQ(autor->findChild<QPushButton*>("btnExit")->text(), QStringLiteral("Wyjście"));
    EXPECT_EQ(c->designText(2), QStringLiteral("btnExit Caption"));  // taken before the translation
    EXPECT_EQ(c->loadError(), QString());

    // A window with only some of its components, and one destroyed: skipped.
    std::unique_ptr<QDialog> hw(new QDialog);
    hw->setObjectName("FormHardware");
    auto* exit = new QPushButton(QStringLiteral("Exit"), hw.get());
    exit->setObjectName("btnExit");
    new TDKLanguageController(hw.get(), QStringLiteral("FormHardware"));
    EXPECT_EQ(exit->text(), QStringLiteral("Wyjdź"));
    autor.reset();
    menu->LanguageItemClick(itemFor(1033));
    EXPECT_EQ(exit->text(), QStringLiteral("Exit"));
    // A component made after its window loaded takes its design text when first reached.
    auto* late = new QLabel(QStringLiteral("Late"), hw.get());
    late->setObjectName("lVersion");
    writeText(dir.file("pl.lng"), "LANGID=1045\n[FormHardware]\n1=Sprzęt\n");
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(hw->windowTitle(), QStringLiteral("Sprzęt"));
    menu->LanguageItemClick(itemFor(1033));
    EXPECT_EQ(hw->windowTitle(), QString());
}

TEST_F(Switching, AFileThatFailsLeavesTheLanguageAsItWas) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n1=Polski\n");
    writeText(dir.file("de.lng"), "LANGID=1031\n[MainForm]\n1=Deutsch\n");
    startMainWindow();
    menu->LanguageItemClick(itemFor(1045));
    writeText(dir.file("de.lng"), "LANGID=1031\n[MainForm]\n1=Deutsch\n\n1=Nochmal\n");
    menu->LanguageItemClick(itemFor(1031));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(
        prompts.messages[0],
        QStringLiteral("Loading translations failed.\nLine 4: Duplicate property value translation ID (1)"));
    EXPECT_EQ(LangManager().GetLanguageID(), 1045);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Polski"));
    EXPECT_TRUE(itemFor(1045)->isChecked());
    EXPECT_FALSE(itemFor(1031)->isChecked());

    QFile::remove(dir.file("de.lng"));
    menu->LanguageItemClick(itemFor(1031));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].startsWith("Loading translations failed.\n"));
    EXPECT_EQ(LangManager().GetLanguageID(), 1045);
}

TEST_F(Switching, HiddenLanguageBoxPicksByPosition) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n1=Polski\n");
    startMainWindow();
    QComboBox box;
    menu->connectLanguageBox(&box);
    menu->cbLanguageChange(&box);  // no entry selected: the first language
    EXPECT_EQ(LangManager().GetLanguageID(), 1033);
    box.addItems({"first", "second"});
    box.setCurrentIndex(1);
    EXPECT_EQ(LangManager().GetLanguageID(), 1045);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Polski"));
    EXPECT_TRUE(itemFor(1033)->isChecked());  // the marks are not refreshed
    box.setCurrentIndex(0);
    EXPECT_EQ(LangManager().GetLanguageID(), 1033);
}

TEST_F(Switching, AWindowAskingDuringASwitchIsAnswered) {
    writeText(dir.file("pl.lng"), "LANGID=1045\n[MainForm]\n1=Polski\n");
    startMainWindow();
    int seen = 0;
    QObject::connect(main.get(), &QWidget::windowTitleChanged, main.get(), [&] {
        seen = LangManager().GetLanguageID() + LangManager().GetLanguageCount();
        LangManager().SetLanguageID(1033);  // a switch inside a switch is ignored
        auto* late = makeDialog(QStringLiteral("FormHardware"), main.get());
        new TDKLanguageController(late, QStringLiteral("FormHardware"));
    });
    menu->LanguageItemClick(itemFor(1045));
    EXPECT_EQ(seen, 1045 + 2);
    EXPECT_EQ(LangManager().GetLanguageID(), 1045);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Polski"));
}

}  // namespace
}  // namespace lt::i18n
