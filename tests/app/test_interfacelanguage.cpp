// The editor's added windows and messages in Polish: every text they show
// comes from the shipped Polish file, none is left in English.
#include "app/formchanges.h"
#include "app/formcheck.h"
#include "app/formfind.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "display/flashbuild.h"
#include "display/flashfile.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "i18n/gui/languagemenu.h"
#include "i18n/langmanager.h"
#include "tests/support/scripted_prompts.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

/// Words only an English sentence holds; a text with one of them was left in
/// English. Quoted texts (names, readings) and file paths are not looked at.
bool looksEnglish(const QString& text) {
    static const QSet<QString> words = {
        "the",     "and",       "of",         "is",          "are",       "was",      "has",
        "with",    "not",       "from",       "every",       "more",      "than",     "file",
        "view",    "views",     "project",    "region",      "regions",   "rows",     "column",
        "columns", "changed",   "refused",    "read",        "made",      "kept",     "new",
        "gone",    "refitted",  "fitted",     "sign",        "open",      "close",    "save",
        "apply",   "cancel",    "find",       "destination", "font",      "colour",   "background",
        "top",     "bottom",    "left",       "right",       "width",     "height",   "only",
        "route",   "number",    "check",      "findings",    "installed", "language", "picture",
        "sure",    "import",    "before",     "which",       "cannot",    "shows",    "drawn",
        "covers",  "holds",     "characters", "keeps",       "changes",   "line",     "lines",
        "nothing", "recovered", "size",       "face",        "movement",  "speed",    "switched",
        "off",     "back",      "use",        "too",         "wide",      "tall",     "long",
        "empty",   "same",      "missing",    "control",     "character", "touches",  "merge",
        "below",   "floor",     "unfinished", "reading",     "readings"};
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\"|„[^”“]*[”“]"));
    QString t = text;
    t.remove(quoted);
    t.remove(QStringLiteral("Velmora Line Tint"));  // the program's name
    for (const QString& token :
         t.split(QRegularExpression(QStringLiteral("[\\s,;:.()!?…—-]+")), Qt::SkipEmptyParts)) {
        if (token.contains(QLatin1Char('/'))) continue;  // a path, or LANGUAGE/VIEW
        if (words.contains(token.toLower())) return true;
    }
    return false;
}

/// Every text a window shows: its title, the texts, tooltips and list items
/// of its visible widgets and the items of its visible menus.
QStringList shownTexts(QWidget* window) {
    QStringList out{window->windowTitle()};
    auto add = [&](const QString& s) {
        if (!s.isEmpty()) out << s;
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) && !qobject_cast<QMenu*>(w)) continue;
        add(w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w)) add(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(g->title());
        if (w->objectName() == QLatin1String("mnRecent")) continue;  // file names
        if (auto* m = qobject_cast<QMenu*>(w)) {
            add(m->title());
            for (QAction* a : m->actions())
                if (a->isVisible()) add(a->text());
        }
        if (auto* lw = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < lw->count(); ++i) add(lw->item(i)->text());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
    }
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

/// Back to the default language however the test ends, so later tests start
/// in English.
struct DefaultLanguageAfter {
    ~DefaultLanguageAfter() {
        i18n::LangManager().SetLanguageID(i18n::TDKLanguageManager::DefaultLanguageID);
        i18n::LangManager().Reset();
    }
};

TEST(InterfaceLanguage, AddedWindowsAndMessagesSpeakPolish) {
    const DefaultLanguageAfter guard;
    i18n::LangManager().Reset();
    ASSERT_TRUE(i18n::LangManager().RegisterLangFile(
        QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/polski.lng")));
    TempDir dir;
    ScriptedPrompts prompts;
    QStringList english;  // the texts left in English, with where they were
    const auto look = [&](const QString& where, const QStringList& texts) {
        for (const QString& t : texts)
            if (looksEnglish(t)) english << where + QStringLiteral(": ") + t;
    };
    {
        std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
        TMainForm& main = *run->mainForm;
        main.languageMenu()->chooseLanguageFor(QLocale(QStringLiteral("pl_PL")));
        ASSERT_EQ(i18n::LangManager().GetLanguageID(), 1045);
        Document& doc = main.document();
        sDane& d = doc.dane();

        // Views that give findings of most kinds, their words and numbers.
        const auto use = [&](int view, const QString& top) -> sWidok& {
            sWidok& w = widok(d, 1, view);
            w.use = 1;
            w.Time = 5;
            StringToWideChar(top, w.Gorny.Text);
            return w;
        };
        use(2, QStringLiteral("Dworzec Główny Zachodni przez Śródmieście"));
        sWidok& colour = use(3, QStringLiteral("Zoo"));
        colour.Gorny.FontColor = colour.Gorny.BackColor;
        sWidok& odd = use(4, QStringLiteral("Żerań Ω"));
        odd.Time = 0;
        StringToWideChar(QStringLiteral("Rynek\tPółnoc"), odd.NazwaKursu);
        StringToWideChar(QStringLiteral("Brak Takiej Czcionki"), odd.Gorny.FontName);
        sWidok& route = use(5, QStringLiteral("Bródno"));
        route.TypWidoku = 3;  // the route number and both lines, the route number empty
        doc.RenderBitmapsSG();

        main.action("CheckProject1")->trigger();
        TFormCheck& check = *main.formCheck();
        ASSERT_GE(check.lvFindings()->count(), 6);
        look(QStringLiteral("check window"), shownTexts(&check));
        look(QStringLiteral("grid mark"), {main.gbWidoki()->grid(1)->findingsTip(2)});
        check.btnFit()->click();  // the fitted regions, then nothing left to fit
        check.btnFit()->setEnabled(true);
        check.btnFit()->click();

        // A finding opens its view: the editing panel shows.
        emit check.lvFindings()->itemDoubleClicked(check.lvFindings()->item(0));
        ASSERT_FALSE(main.PanelMain()->isHidden());
        main.Znajdzkurs1Click();
        look(QStringLiteral("find window"), shownTexts(main.FormFind()));
        look(QStringLiteral("main window"), shownTexts(&main));

        // An export: its fixed message stays, the texts carried with other
        // characters listed below it are Polish.
        prompts.paths = {dir.file(QStringLiteral("export.bin"))};
        main.action("Eksportujdoplikuwywietlacza1")->trigger();
        ASSERT_EQ(prompts.messages.size(), 3);
        ASSERT_TRUE(prompts.messages.last().startsWith(msgFlashExported() + QLatin1Char('\n')));
        look(QStringLiteral("export"),
             prompts.messages.takeLast().mid(msgFlashExported().size()).split('\n'));

        // A destination list: its question, its changes and its summary;
        // then a list refused row by row.
        const QString list = dir.file(QStringLiteral("depot.csv"));
        writeFile(list, "Language,View,In use,Time,Destination,Top text\r\n1,7,yes,6,Rynek,Rynek\r\n");
        const QString refused = dir.file(QStringLiteral("refused.csv"));
        writeFile(refused, "Language,View,Top text\r\n1,0,Zoo\r\n1,2,Rynek\r\n");
        const QString feed = dir.file(QStringLiteral("feed"));
        ASSERT_TRUE(QDir().mkpath(feed));
        writeFile(feed + QStringLiteral("/routes.txt"), "route_id,route_short_name,route_type\n10,10,3\n");
        writeFile(feed + QStringLiteral("/trips.txt"),
                  "trip_id,route_id,trip_headsign,direction_id\na,10,Dworzec Główny przez Rynek,0\n");
        prompts.answers = {true, true, true};
        prompts.paths = {list, refused, feed + QStringLiteral("/routes.txt")};
        for (int i = 0; i < 3; ++i) main.ImportDestinations1Click();

        // Recovering a project from a stick, with unsaved changes.
        EncodeKorvo2Flash(doc);
        const QString stick = dir.file(QStringLiteral("velmoraflash.bin"));
        ASSERT_TRUE(writeFlashFile(doc.flash(), stick).isEmpty());
        prompts.saveChoices = {SaveChoice::Discard};
        prompts.paths = {stick};
        main.action("Odzyskajprojekt1")->trigger();

        ASSERT_GE(prompts.messages.size(), 6) << prompts.messages.join('\n').toStdString();
        look(QStringLiteral("question"), prompts.questions + prompts.saveQuestions);
        look(QStringLiteral("message"), prompts.messages);
        ASSERT_FALSE(prompts.reviewed.isEmpty());
        for (const QStringList& changes : prompts.reviewed) look(QStringLiteral("changes"), changes);
        TFormChanges changes(prompts.reviewed.first().first(), prompts.reviewed.first().mid(1), &main);
        look(QStringLiteral("changes window"), shownTexts(&changes));
        main.languageMenu()->chooseLanguageFor(QLocale(QStringLiteral("en_US")));
    }
    i18n::LangManager().Reset();
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace lt::test
