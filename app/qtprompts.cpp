#include "app/qtprompts.h"

#include "app/desktopsettings.h"
#include "app/formchanges.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace lt {

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (description.isEmpty() && patterns.isEmpty()) continue;
        // Qt reads the patterns from the parentheses of the description.
        QString qtPatterns = patterns;
        qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!patterns.isEmpty() && !description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
        else if (!patterns.isEmpty() && !description.contains(qtPatterns))
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
        out << description;
    }
    return out.join(QStringLiteral(";;"));
}

QString toDefaultSuffix(const QString& defaultExt) {
    QString s = defaultExt.trimmed();
    if (s.startsWith(QLatin1Char('*'))) s.remove(0, 1);
    if (s.startsWith(QLatin1Char('.'))) s.remove(0, 1);
    if (s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?'))) return QString();
    return s;
}

namespace {

/// Runs a message box of the program's title and returns the button chosen.
/// `escape` is what closing the box answers; NoButton leaves it to Qt.
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButtons buttons, const char* objectName,
                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                   QMessageBox::StandardButton escape = QMessageBox::NoButton) {
    QMessageBox box(icon, applicationTitle(), text, buttons, parent);
    box.setObjectName(QLatin1String(objectName));
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool QtPrompts::confirm(const QString& question) {
    return runBox(m_parent, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No, "ConfirmBox",
                  QMessageBox::Yes) == QMessageBox::Yes;
}

Prompts::Decision QtPrompts::decide(const QString& question) {
    switch (runBox(m_parent, QMessageBox::Question, question,
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, "DecideBox", QMessageBox::Yes,
                   QMessageBox::Cancel)) {
        case QMessageBox::Yes: return Decision::Yes;
        case QMessageBox::No: return Decision::No;
        default: return Decision::Later;
    }
}

SaveChoice QtPrompts::askSaveChanges(const QString& question) {
    switch (runBox(m_parent, QMessageBox::Warning, question,
                   QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, "SaveChangesBox",
                   QMessageBox::Save, QMessageBox::Cancel)) {
        case QMessageBox::Save: return SaveChoice::Save;
        case QMessageBox::Discard: return SaveChoice::Discard;
        default: return SaveChoice::Cancel;
    }
}

void QtPrompts::message(const QString& text) {
    runBox(m_parent, QMessageBox::Information, text, QMessageBox::Ok, "MessageBox");
}

void QtPrompts::warning(const QString& text) {
    runBox(m_parent, QMessageBox::Warning, text, QMessageBox::Ok, "WarningBox");
}

void QtPrompts::note(const QString& text) {
    // Long enough to read a path, short enough not to linger over the next one.
    constexpr int ShownMs = 8000;
    if (auto* window = qobject_cast<QMainWindow*>(m_parent.data())) {
        window->statusBar()->showMessage(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')), ShownMs);
        return;
    }
    message(text);
}

QString QtPrompts::runDialog(const FileDialogSpec& request, bool save) {
    QFileDialog dialog(m_parent, request.title, QString(), toQtFilter(request.filter));
    dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(toDefaultSuffix(request.defaultExt));
    if (save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A bare proposed name opens in the folder of the last dialog, kept
    // across runs; a full path (the current file) opens where it lies.
    const QString folder = lastFolder();
    if (!folder.isEmpty() && QFileInfo(request.fileName).isRelative()) dialog.setDirectory(folder);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return QString();
    rememberFolderOf(files.first());
    return files.first();
}

QString QtPrompts::openFile(const FileDialogSpec& request) {
    return runDialog(request, false);
}

QString QtPrompts::saveFile(const FileDialogSpec& request) {
    return runDialog(request, true);
}

bool QtPrompts::reviewChanges(const QString& summary, const QStringList& changes) {
    TFormChanges form(summary, changes, m_parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace lt
