#include "app/qtprompts.h"

#include "app/formchanges.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

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

bool QtPrompts::confirm(const QString& question) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setObjectName(QStringLiteral("ConfirmBox"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Decision QtPrompts::decide(const QString& question) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setObjectName(QStringLiteral("DecideBox"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes: return Decision::Yes;
        case QMessageBox::No: return Decision::No;
        default: return Decision::Later;
    }
}

SaveChoice QtPrompts::askSaveChanges(const QString& question) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setObjectName(QStringLiteral("SaveChangesBox"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save: return SaveChoice::Save;
        case QMessageBox::Discard: return SaveChoice::Discard;
        default: return SaveChoice::Cancel;
    }
}

void QtPrompts::message(const QString& text) {
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok, m_parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

void QtPrompts::warning(const QString& text) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::Ok, m_parent);
    box.setObjectName(QStringLiteral("WarningBox"));
    box.exec();
}

QString QtPrompts::runDialog(const FileDialogSpec& request, bool save) {
    QFileDialog dialog(m_parent, request.title, QString(), toQtFilter(request.filter));
    dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(toDefaultSuffix(request.defaultExt));
    if (save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
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
