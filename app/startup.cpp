#include "app/startup.h"

#include "app/autosaveguard.h"
#include "app/formautor.h"
#include "app/formcolor.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/qtprompts.h"
#include "app/style.h"
#include "display/gui/formlcd.h"
#include "display/gui/formmodules.h"
#include "editor/document.h"
#include "i18n/gui/languagemenu.h"
#include "i18n/translatedprompts.h"
#include "model/defaults.h"
#include "print/gui/formprint.h"
#include "views/formoption.h"
#include "views/viewspanel.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace lt {

Forms& forms() {
    static Forms f;
    return f;
}

namespace {

/// The dialog windows, in the order they are made after the main window.
void createDialogWindows(TMainForm& main) {
    Forms& f = forms();
    f.FormHardware = new TFormHardware(&main);
    f.FormPrint = new TFormPrint(main.document(), &main, &main.prompts());
    f.FormColor = new TFormColor(&main);
    main.setFormColor(f.FormColor);
    // The display-languages dialog belongs to the views list, which made it
    // with the main window.
    f.FormOption = main.gbWidoki()->FormOption();
    f.FormLCD = new TFormLCD(&main);
    f.FormModules = new TFormModules(main.document(), &main);
    f.FormCheck = main.formCheck();
}

}  // namespace

QString fileFromArguments(const QStringList& arguments) {
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (options && a == QLatin1String("--")) {
            options = false;
            continue;
        }
        // Qt has taken its own options; others are not ours to read.
        if (options && a.startsWith(QLatin1Char('-'))) continue;
        return a;
    }
    return QString();
}

EditorRun::~EditorRun() {
    mainForm.reset();
    forms() = Forms{};
}

std::unique_ptr<EditorRun> startEditor(QApplication& app, Prompts* prompts) {
    processRandom();  // seeded from the clock now, once for the run

    // The about window without its button serves as the splash.
    auto splash = std::make_unique<TFormAutor>(nullptr, false);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    setApplicationTitle(QStringLiteral("Velmora Line Tint"));
    if (!applyAquaLightSlate(app))
        QMessageBox::critical(
            nullptr, applicationTitle(),
            QStringLiteral("The visual style \"%1\" cannot be applied.").arg(aquaLightSlateName()));

    auto run = std::make_unique<EditorRun>();
    run->doc = std::make_unique<Document>();
    QtPrompts* qtPrompts = nullptr;
    if (!prompts) {
        auto own = std::make_unique<QtPrompts>();
        qtPrompts = own.get();
        prompts = own.get();
        run->ownPrompts = std::move(own);
    }
    run->translated = std::make_unique<i18n::TranslatedPrompts>(*prompts);
    run->mainForm = std::make_unique<TMainForm>(*run->doc, *run->translated);
    if (qtPrompts) qtPrompts->setParent(run->mainForm.get());
    forms().MainForm = run->mainForm.get();
    createDialogWindows(*run->mainForm);
    run->autosave = new AutosaveGuard(*run->mainForm);

    splash->hide();
    splash.reset();
    forms().FormAutor = new TFormAutor(run->mainForm.get(), true);
    return run;
}

int runEditor(QApplication& app) {
    const std::unique_ptr<EditorRun> run = startEditor(app);
    // The interface speaks the desktop's language when a file for it lies
    // beside the program.
    if (i18n::LanguageMenu* languages = run->mainForm->languageMenu()) {
        languages->chooseLanguageFor(QLocale::system());
        // The switch put the window's own captions on the language tabs; the
        // project's language names go back there.
        run->mainForm->languagesChanged();
    }
    run->mainForm->show();
    // `linetint FILE`: the desktop's "Open with" and the file manager pass
    // the file; it opens before an autosave copy is offered back.
    const QString file = fileFromArguments(app.arguments());
    if (!file.isEmpty()) run->mainForm->openFromCommandLine(file);
    QTimer::singleShot(0, run->autosave, &AutosaveGuard::offerRestore);
    return app.exec();
}

}  // namespace lt
