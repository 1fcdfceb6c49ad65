// The real windows of the editor switching to a shipped language and back.
#include "app/formautor.h"
#include "app/formcheck.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "depot/gui/formplayer.h"
#include "editor/document.h"
#include "fake_windows.h"
#include "i18n/gui/languagecontroller.h"
#include "i18n/gui/languagemenu.h"
#include "i18n/langmanager.h"
#include "i18n/windowtexts.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <cstring>
#include <gtest/gtest.h>
#include <map>

namespace lt::i18n {
namespace {

struct Window {
    QWidget* widget;
    QString name;
};

/// Every translatable text the windows show now, by window and entry number.
std::map<std::pair<QString, int>, TextValue> snapshot(const QList<Window>& windows) {
    std::map<std::pair<QString, int>, TextValue> texts;
    for (const Window& w : windows)
        for (const TextEntry& e : textEntriesFor(w.name)) {
            QObject* c = findComponent(w.widget, w.name, QLatin1String(e.path));
            TextValue v;
            if (c && readTextProperty(c, c == w.widget, QLatin1String(e.property), &v))
                texts[{w.name, e.id}] = v;
        }
    return texts;
}

class RealWindows : public ::testing::Test {
protected:
    void SetUp() override {
        LangManager().Reset();
        // As if the file lay beside the program: the start-up scan finds the
        // list already holding it.
        ASSERT_TRUE(
            LangManager().RegisterLangFile(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/polski.lng")));
        run = startEditor(*qApp, &prompts);
    }
    void TearDown() override {
        run.reset();
        LangManager().Reset();
    }
    TMainForm& main() { return *run->mainForm; }
    QAction* item(int id) {
        for (QAction* a : main().smViewLanguage()->actions())
            if (a->data().toInt() == id) return a;
        return nullptr;
    }
    QList<Window> windows() {
        return {{&main(), "MainForm"},
                {forms().FormHardware, "FormHardware"},
                {forms().FormAutor, "FormAutor"},
                {forms().FormPrint, "FormPrint"},
                {forms().FormCheck, "FormCheck"}};
    }

    lt::test::ScriptedPrompts prompts;
    std::unique_ptr<EditorRun> run;
};

TEST_F(RealWindows, PlayerWindowMadeLaterTurnsWithTheInterface) {
    main().languageMenu()->LanguageItemClick(item(1045));
    EXPECT_EQ(main().action("Odtworzplikpendrive1")->text(), QStringLiteral("Odtwórz plik pendrive…"));
    main().action("Odtworzplikpendrive1")->trigger();  // nothing exported: the open dialog, cancelled
    TFormPlayer* p = main().formPlayer();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(prompts.dialogs.back().title, QStringLiteral("Otwórz pliki z pendrive'a"));
    EXPECT_EQ(p->windowTitle(), QStringLiteral("Odtwarzanie pliku pendrive"));
    EXPECT_EQ(p->destination()->itemText(0), QStringLiteral("Wszystkie kierunki"));
    EXPECT_EQ(p->source()->text(), QStringLiteral("Brak pliku pendrive"));
    EXPECT_EQ(p->SaveDialogAnimation.filter, QStringLiteral("Animacja (*.gif)|*.gif"));
    EXPECT_EQ(p->findChild<QPushButton*>("btnSaveGif")->text(), QStringLiteral("Zapisz jako animację…"));
    EXPECT_EQ(p->stepBack()->text(), QStringLiteral("Krok wstecz"));
    EXPECT_EQ(p->lastExported()->toolTip(), QStringLiteral("brak jeszcze pliku pendrive"));

    main().languageMenu()->LanguageItemClick(item(1033));
    EXPECT_EQ(p->windowTitle(), QStringLiteral("Play pendrive file"));
    EXPECT_EQ(p->destination()->itemText(0), QStringLiteral("All destinations"));
    EXPECT_EQ(p->source()->text(), QStringLiteral("No pendrive file"));
    p->close();
}

TEST_F(RealWindows, PolishAndBackAgain) {
    ASSERT_NE(item(1045), nullptr);
    ASSERT_NE(item(1033), nullptr);
    EXPECT_TRUE(item(1033)->isChecked());
    // The "Options" menu and the language submenu stay hidden.
    EXPECT_FALSE(main().findChild<QMenu*>("mnOptions")->menuAction()->isVisible());
    EXPECT_FALSE(main().smViewLanguage()->menuAction()->isVisible());

    auto* ruch = main().findChild<QComboBox*>("cbRuchGorny");
    const int ruchIndex = ruch->currentIndex();
    const auto design = snapshot(windows());
    std::vector<char> dane(sizeof(sDane));
    std::memcpy(dane.data(), &run->doc->dane(), sizeof(sDane));

    main().languageMenu()->LanguageItemClick(item(1045));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
    EXPECT_TRUE(item(1045)->isChecked());
    EXPECT_FALSE(item(1033)->isChecked());
    EXPECT_EQ(main().findChild<QGroupBox*>("gbWidoki")->title(), QStringLiteral("Widoki"));
    EXPECT_EQ(main().findChild<QGroupBox*>("gbGorny")->title(), QStringLiteral("Pole górne T2"));
    EXPECT_EQ(main().findChild<QLabel*>("lSzybkoscDolny")->text(), QStringLiteral("Szybkość"));
    EXPECT_EQ(main().findChild<QMenu*>("Plik1")->title(), QStringLiteral("Plik"));
    EXPECT_EQ(main().action("Drukujinstrukcj1")->text(), QStringLiteral("Drukuj instrukcję"));
    EXPECT_EQ(main().findChild<QPushButton*>("btnSetLang")->text(), QStringLiteral("Języki"));
    EXPECT_EQ(main().findChild<QTabWidget*>("pcsg1")->tabText(0), QStringLiteral("Język 1"));
    EXPECT_EQ(ruch->itemText(1), QStringLiteral("wjazd z lewej"));
    EXPECT_EQ(ruch->currentIndex(), ruchIndex);
    EXPECT_EQ(run->doc->OpenDialog.title, QStringLiteral("Otwórz plik projektu"));
    EXPECT_EQ(run->doc->SaveDialogPendrive.filter, QStringLiteral("Plik pendrive'a (*.bin)|*.bin"));
    EXPECT_EQ(main().SavePictureDialog.fileName, QStringLiteral("Zrzut podglądu"));
    EXPECT_EQ(forms().FormAutor->btnExit()->text(), QStringLiteral("Wyjście"));
    EXPECT_EQ(forms().FormHardware->windowTitle(), QStringLiteral("Informacje o sprzęcie"));
    EXPECT_EQ(forms().FormCheck->windowTitle(), QStringLiteral("Sprawdzenie projektu"));
    EXPECT_EQ(main().action("CheckProject1")->text(), QStringLiteral("Sprawdź projekt…"));
    EXPECT_EQ(main().ImportDestinationsDialog.title, QStringLiteral("Importuj kierunki"));
    ASSERT_NE(forms().FormPrint, nullptr);
    EXPECT_EQ(forms().FormPrint->windowTitle(), QStringLiteral("Drukowanie wszystkich kursów dla kierowców"));
    EXPECT_EQ(forms().FormPrint->findChild<QPushButton*>("btnUstawienia")->text(),
              QStringLiteral("Ustawienia drukarki"));
    EXPECT_EQ(applicationTitle(), main().windowTitle());
    // Translating the interface changes nothing of the project.
    EXPECT_EQ(std::memcmp(dane.data(), &run->doc->dane(), sizeof(sDane)), 0);

    // Every text that existed was translated to something.
    const auto polish = snapshot(windows());
    int changed = 0;
    for (const auto& [key, value] : design) changed += polish.at(key) != value;
    EXPECT_GT(changed, 70);

    main().languageMenu()->LanguageItemClick(item(1033));
    const auto back = snapshot(windows());
    auto* controller = main().findChild<TDKLanguageController*>("dkLang", Qt::FindDirectChildrenOnly);
    ASSERT_NE(controller, nullptr);
    for (const auto& [key, value] : design) {
        // The tabs had the display-language names, set at run time; they
        // show the window definition's captions again.
        if (key.first == QLatin1String("MainForm") && key.second >= 112 && key.second <= 114) {
            EXPECT_EQ(back.at(key).text, controller->designText(key.second));
            EXPECT_EQ(back.at(key).text, QStringLiteral("Language %1").arg(key.second - 111));
            continue;
        }
        EXPECT_EQ(back.at(key), value) << key.first.toStdString() << " " << key.second;
    }
    EXPECT_EQ(std::memcmp(dane.data(), &run->doc->dane(), sizeof(sDane)), 0);
    EXPECT_EQ(ruch->currentIndex(), ruchIndex);
    EXPECT_TRUE(item(1033)->isChecked());
}

TEST_F(RealWindows, AWindowMadeAfterTheSwitchIsPolish) {
    main().languageMenu()->LanguageItemClick(item(1045));
    TFormHardware late(&main());
    EXPECT_EQ(late.windowTitle(), QStringLiteral("Informacje o sprzęcie"));
    EXPECT_EQ(late.findChild<QPushButton*>("btnExit")->text(), QStringLiteral("Wyjście"));
}

}  // namespace
}  // namespace lt::i18n
