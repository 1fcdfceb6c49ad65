// The main window on the operator's desktop: a file given on the command
// line, the recent projects, the manual.
#include "app/desktopsettings.h"
#include "app/mainform.h"
#include "app/manual.h"
#include "depot/gui/formplayer.h"
#include "display/flash.h"
#include "model/projectfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QUrl>

namespace lt {

namespace {

/// A file size as a planner reads it: "812 bytes", "1.0 MiB".
QString sizeInWords(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 bytes").arg(bytes);
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

}  // namespace

QString TMainForm::refusal(const QString& path, const QString& error) const {
    // A file of another size than a project's is "not a project file", with
    // both sizes in words; any other failure keeps the system's reason.
    const QFileInfo file(path);
    const QString name = QDir::toNativeSeparators(path);
    if (file.isFile() && file.size() != ProjectFileSize)
        return m_notProjectFile.arg(name, sizeInWords(file.size()), sizeInWords(ProjectFileSize));
    return m_cannotOpen.arg(name, error);
}

void TMainForm::openFromCommandLine(const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo file(path);
    if (file.isFile() && file.size() == FlashSize) {
        if (!m_formPlayer) m_formPlayer = new TFormPlayer(m_doc, m_prompts, this);
        if (!m_formPlayer->openFile(file.absoluteFilePath())) return;
        m_formPlayer->show();
        m_formPlayer->raise();
        return;
    }
    m_doc.observer().setViewsPanelVisible(false);
    const QString error = m_doc.openProject(file.absoluteFilePath());
    m_doc.observer().setViewsPanelVisible(true);
    if (!error.isEmpty()) m_prompts.warning(refusal(path, error));
}

void TMainForm::fillRecentMenu() {
    if (!m_mnRecent) return;
    // The items are made again, so the "Clear" item's caption is kept.
    QString clearCaption = tr("Clear");
    for (QAction* a : m_mnRecent->actions())
        if (a->objectName() == QLatin1String("ClearRecent1")) clearCaption = a->text();
    qDeleteAll(m_mnRecent->actions());
    const QStringList files = recentProjects();
    int n = 0;
    for (const QString& path : files) {
        ++n;
        // "1 depot.vmprj", the number as the accelerator; the path as the hint.
        QAction* a = m_mnRecent->addAction(QStringLiteral("&%1 %2").arg(n % 10).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setObjectName(QStringLiteral("RecentProject%1").arg(n));
        a->setData(path);
        a->setStatusTip(QDir::toNativeSeparators(path));
        a->setToolTip(QDir::toNativeSeparators(path));
        connect(a, &QAction::triggered, this, [this, path] { openRecentProject(path); });
    }
    m_mnRecent->addSeparator();
    QAction* clear = m_mnRecent->addAction(clearCaption);
    clear->setObjectName(QStringLiteral("ClearRecent1"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, &TMainForm::ClearRecent1Click);
}

void TMainForm::openRecentProject(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        removeRecentProject(path);
        fillRecentMenu();
        m_prompts.warning(m_recentMissing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    // As File > Open, without the dialog.
    if (!m_doc.mayDiscard(m_prompts, QStringLiteral("Are you sure to load new project from file ?"),
                          QStringLiteral("opening another project")))
        return;
    m_doc.observer().setViewsPanelVisible(false);
    const QString error = m_doc.openProject(path);
    m_doc.observer().setViewsPanelVisible(true);
    if (!error.isEmpty()) m_prompts.warning(refusal(path, error));
}

void TMainForm::ClearRecent1Click() {
    clearRecentProjects();
    fillRecentMenu();
}

void TMainForm::Manual1Click() {
    const QString page = findManual(QCoreApplication::applicationDirPath());
    if (page.isEmpty()) {
        m_prompts.warning(m_manualMissing);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        m_prompts.warning(m_manualNoBrowser.arg(QDir::toNativeSeparators(page)));
}

}  // namespace lt
