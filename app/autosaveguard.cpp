#include "app/autosaveguard.h"

#include "widgets/editorwidgets.h"
#include "app/mainform.h"
#include "model/projectfile.h"

#include <QUndoStack>

#include <QDir>
#include <QLocale>
#include <QTimer>


namespace lt {

AutosaveGuard::AutosaveGuard(TMainForm& main, const QString& folder)
    : QObject(&main), m_main(main), m_autosave(folder) {
    setObjectName(QStringLiteral("AutosaveGuard"));
    // The document's undo stack tells of unsaved changes: it is clean when the
    // project is as New, Open or Save left it.
    QUndoStack& steps = main.document().undoStack();
    m_autosave.setModified(!steps.isClean());
    connect(&steps, &QUndoStack::cleanChanged, this, [this](bool clean) { m_autosave.setModified(!clean); });
    m_timer = new QTimer(this);
    m_timer->setInterval(autosaveInterval());
    connect(m_timer, &QTimer::timeout, this, &AutosaveGuard::tick);
    m_timer->start();
}

AutosaveGuard::~AutosaveGuard() = default;

void AutosaveGuard::tick() {
    const Document& doc = m_main.document();
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
                doc.adoptProject(*read.data, copy.projectPath, QStringLiteral("Restore autosaved copy"));
                // The restored project differs from its file until it is saved:
                // putting it in place is a step, so the stack is not clean.
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

}  // namespace lt
