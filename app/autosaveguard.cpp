#include "app/autosaveguard.h"

#include "widgets/editorwidgets.h"
#include "app/mainform.h"
#include "model/projectfile.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QTimer>

#include <cstring>

namespace lt {

AutosaveGuard::AutosaveGuard(TMainForm& main, const QString& folder)
    : QObject(&main), m_main(main), m_autosave(folder) {
    setObjectName(QStringLiteral("AutosaveGuard"));
    takeReference();  // the project the window starts with has no changes
    connect(&main, &TMainForm::projectFileChanged, this, &AutosaveGuard::fileChanged);
    // These run after the window's own handlers of the same items.
    for (const char* name : {"Zapiszprojekt1", "Zapiszjakoprojekt1"})
        if (QAction* a = main.action(name)) connect(a, &QAction::triggered, this, &AutosaveGuard::afterSave);
    for (const char* name : {"Nowy1", "Otwrzprojekt1"})
        if (QAction* a = main.action(name))
            connect(a, &QAction::triggered, this, &AutosaveGuard::afterReplace);
    if (QAction* a = main.action("Odzyskajprojekt1"))
        connect(a, &QAction::triggered, this, &AutosaveGuard::afterRecover);
    m_timer = new QTimer(this);
    m_timer->setInterval(autosaveInterval());
    connect(m_timer, &QTimer::timeout, this, &AutosaveGuard::tick);
    m_timer->start();
}

AutosaveGuard::~AutosaveGuard() = default;

void AutosaveGuard::tick() {
    const Document& doc = m_main.document();
    m_autosave.setModified(projectModified());
    // A copy that cannot be written (a full disk, a folder that cannot be
    // made) is tried again at the next tick; the operator is not disturbed.
    m_autosave.writeIfModified(doc.dane(), doc.filePath());
}

void AutosaveGuard::offerRestore() {
    Document& doc = m_main.document();
    Prompts& prompts = m_main.prompts();
    bool restored = false;
    for (const AutosaveCopy& copy : m_autosave.claimLeftovers()) {
        if (restored) {
            m_autosave.release(copy);  // one project at a time: the rest at a later start
            continue;
        }
        const QString file = copy.projectPath.isEmpty()
                                 ? QStringLiteral("(%1)").arg(m_main.lFileName()->unsavedText())
                                 : QDir::toNativeSeparators(copy.projectPath);
        const QString when = QLocale().toString(copy.savedAt.toLocalTime(), QLocale::ShortFormat);
        const QString question = m_main.property("RestoreQuestion").toString().arg(file, when);
        switch (prompts.decide(question)) {
            case Prompts::Decision::Later: m_autosave.release(copy); break;
            case Prompts::Decision::No: m_autosave.discard(copy); break;
            case Prompts::Decision::Yes: {
                ProjectRead read = readProjectFile(copy.copyPath);
                if (read.status != ProjectRead::Ok) {
                    prompts.warning(msgWriteFailed(copy.copyPath, read.error));
                    m_autosave.release(copy);
                    break;
                }
                doc.adoptProject(*read.data, copy.projectPath);
                // The restored project differs from its file until it is saved.
                m_referencePending = false;
                m_reference.reset();
                m_autosave.setModified(true);
                // The old copy goes only once this run holds one of its own.
                if (m_autosave.write(doc.dane(), doc.filePath()).isEmpty())
                    m_autosave.discard(copy);
                else
                    m_autosave.release(copy);
                restored = true;
                break;
            }
        }
    }
}

// --- Unsaved changes, until the document keeps them itself ---------------------

namespace {

/// The project without what changes while the operator only looks: the
/// selection of views and the movements playing in the preview.
void forgetViewing(sDane& d) {
    d.SelectRow = d.SelectCol = d.SelWidok = d.EditCol = d.EditRow = 0;
    for (auto& views : d.Widok)
        for (sWidok& w : views)
            for (sScreenImage* s : {&w.Gorny, &w.Dolny, &w.Lewy}) {
                s->Direction = 0;
                s->AnimX = 0;
                s->AnimY = 0;
                s->Timer = 0;
            }
}

}  // namespace

bool AutosaveGuard::projectModified() {
    if (!m_reference) return true;
    if (!m_scratch) m_scratch = std::make_unique<sDane>();
    std::memcpy(m_scratch.get(), &m_main.document().dane(), sizeof(sDane));
    forgetViewing(*m_scratch);
    return std::memcmp(m_scratch.get(), m_reference.get(), sizeof(sDane)) != 0;
}

void AutosaveGuard::fileChanged() {
    // New and Open name the file before they finish drawing the project: the
    // project as it stands is taken once the command is over (at the end of
    // its menu item, or else when the event loop runs again).
    m_referencePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_referencePending) takeReference();
    });
}

void AutosaveGuard::afterReplace() {
    // New or Open put a project in place when they named its file.
    if (m_referencePending) takeReference();
}

void AutosaveGuard::afterSave() {
    // Saved when the file holds exactly the project, but for the file name
    // inside, which Save As changes only once the file is written.
    const QString path = m_main.document().filePath();
    if (path.isEmpty()) return;
    const ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return;
    std::memcpy(read.data->FileName, m_main.document().dane().FileName, sizeof(sDane::FileName));
    if (std::memcmp(read.data.get(), &m_main.document().dane(), sizeof(sDane)) == 0) takeReference();
}

void AutosaveGuard::afterRecover() {
    // A project rebuilt from a pendrive file has no file of its own yet.
    if (!m_referencePending) return;
    m_referencePending = false;
    m_reference.reset();
    m_autosave.setModified(true);
}

void AutosaveGuard::takeReference() {
    m_referencePending = false;
    if (!m_reference) m_reference = std::make_unique<sDane>();
    std::memcpy(m_reference.get(), &m_main.document().dane(), sizeof(sDane));
    forgetViewing(*m_reference);
    m_autosave.setModified(false);
}

}  // namespace lt
