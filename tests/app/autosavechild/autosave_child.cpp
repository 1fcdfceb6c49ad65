// The editor as the autosave test runs it in a process of its own: started
// with the application name the test gives, it saves its project as the file
// named on the command line, edits it through the document, writes the
// edited project beside it for comparison, then waits to be killed while its
// autosave timer runs.
#include "app/autosaveguard.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "editor/document.h"
#include "model/headless.h"
#include "model/projectfile.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace {

/// Answers Yes, and every save dialog with the project's file.
class ChildPrompts : public lt::Prompts {
public:
    explicit ChildPrompts(QString path) : m_path(std::move(path)) {}
    bool confirm(const QString&) override { return true; }
    void message(const QString&) override {}
    QString openFile(const lt::FileDialogSpec&) override { return QString(); }
    QString saveFile(const lt::FileDialogSpec&) override { return m_path; }

private:
    QString m_path;
};

}  // namespace

int main(int argc, char** argv) {
    lt::prepareHeadless();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: autosave_child APPNAME PROJECT EXPECTED\n");
        return 2;
    }
    QCoreApplication::setApplicationName(args[1]);
    // The recent projects and the last folder stay in the test's folder.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QFileInfo(args[2]).absolutePath());
    ChildPrompts prompts(args[2]);
    const std::unique_ptr<lt::EditorRun> run = lt::startEditor(app, &prompts);
    run->mainForm->show();
    run->mainForm->action("Zapiszjakoprojekt1")->trigger();
    QTimer::singleShot(0, [&] {
        lt::Document& doc = *run->doc;
        doc.setRegionText(lt::Region::Gorny, QStringLiteral("Autosaved"));
        doc.setRegionValue(lt::Region::Gorny, lt::RegionField::FontColor, lt::ciYellow);
        const QString error = lt::writeProjectFile(doc.dane(), args[3]);
        if (!error.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(error));
    });
    return app.exec();
}
