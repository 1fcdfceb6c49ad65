#include "model/document.h"

#include "display/flash.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/view.h"

#include <cstring>

namespace lt {

Document::Document()
    : m_dane(std::make_unique<sDane>()),
      m_copyWidok(std::make_unique<sWidok>()),
      m_surfaces(std::make_unique<Surfaces>()),
      m_flash(std::make_unique<sflash>()) {
    std::memset(m_dane.get(), 0, sizeof(sDane));
    std::memset(m_copyWidok.get(), 0, sizeof(sWidok));
    std::memset(m_flash.get(), 0, sizeof(sflash));
    OpenDialog = {QStringLiteral("Open project file"),
                  QStringLiteral("Project file Velmora Bus (*.vmprj)|*.vmprj"), QStringLiteral("*.vmprj"),
                  QStringLiteral("Velmora"), false};
    SaveDialog = {QStringLiteral("Save project file"), QStringLiteral("Project file (*.vmprj)|*.vmprj"),
                  QStringLiteral("*.vmprj"), QStringLiteral("Velmora"), true};
    OpenDialogPendrive = {QStringLiteral("Open files from pendrive"),
                          QStringLiteral("Pendrive file (*.bin)|*.bin"), QStringLiteral("*.bin"),
                          QStringLiteral("velmoraflash"), false};
    SaveDialogPendrive = {QStringLiteral("Save file on pendrive"),
                          QStringLiteral("Pendrive file (*.bin)|*.bin"), QStringLiteral("*.bin"),
                          QStringLiteral("velmoraflash"), true};
    OpenDialogFirmware = {QStringLiteral("Importuj oprogramowanie sprzetowe Korvo"),
                          QStringLiteral("Oprogramowanie (*.bin)|*.bin"), QStringLiteral("*.bin"), QString(),
                          false};
    SavePictureDialog = {QString(), QStringLiteral("Bitmaps (*.bmp)|*.bmp"), QStringLiteral("*.bmp"),
                         QStringLiteral("Zrzut podgladu"), true};
}

Document::~Document() = default;

void Document::setObserver(DocumentObserver* observer) {
    m_observer = observer ? observer : &m_nullObserver;
}

void Document::setFileName(const QString& path) {
    m_filePath = path;
    StringToWideChar(path, m_dane->FileName);
    m_observer->fileNameChanged();
}

void Document::newDane() {
    NewDane(*m_dane);
    m_filePath.clear();
    m_observer->languagesChanged();
    m_observer->fileNameChanged();
}

void Document::newProject() {
    newDane();
    RenderBitmapsSG();
    RenderLED();
}

void Document::Nowy1Click(Prompts& prompts) {
    if (!prompts.confirm(QStringLiteral("Are you sure to create a new project ?"))) return;
    m_observer->setViewsPanelVisible(false);
    newDane();
    RenderBitmapsSG();
    m_observer->gridsRepaint();
    m_observer->loadEditor();
    m_observer->colorsRepaint();
    m_observer->setViewsPanelVisible(true);
}

QString Document::openProject(const QString& path) {
    ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return read.error;
    putInPlace(*read.data, path);
    return QString();
}

void Document::adoptProject(const sDane& dane, const QString& path) {
    putInPlace(dane, path);
}

void Document::putInPlace(const sDane& dane, const QString& path) {
    std::memcpy(m_dane.get(), &dane, sizeof(sDane));
    setFileName(path);
    // A project written elsewhere may name an edited view outside the project;
    // such a file opens on view 1.
    if (m_dane->EditRow < 1 || m_dane->EditRow > ViewCount) m_dane->EditRow = 1;
    m_dane->SelectRow = 1;
    m_dane->SelectCol = 1;
    m_dane->SelWidok = 1;
    const sDane& d = *m_dane;
    applyLanguages(ReadText(d.Lang[0].Nazwa), ReadText(d.Lang[1].Nazwa), isTrue(d.Lang[1].Use),
                   ReadText(d.Lang[2].Nazwa), isTrue(d.Lang[2].Use));
    m_observer->loadEditor();
    RenderBitmapsSG();
    m_observer->gridsRepaint();
    m_dane->SelectRow = 1;
    m_dane->SelectCol = 1;
    m_dane->SelWidok = 1;
    RenderLED();
    m_observer->colorsRepaint();
    m_observer->activateFirstTab();
}

void Document::Otwrzprojekt1Click(Prompts& prompts) {
    if (!prompts.confirm(QStringLiteral("Are you sure to load new project from file ?"))) return;
    const QString path = prompts.openFile(OpenDialog);
    if (path.isEmpty()) return;
    m_observer->setViewsPanelVisible(false);
    const QString error = openProject(path);
    if (!error.isEmpty()) prompts.message(error);
    m_observer->setViewsPanelVisible(true);
}

QString Document::writeProject(const QString& path) const {
    return writeProjectFile(*m_dane, path);
}

void Document::Zapiszprojekt1Click(Prompts& prompts) {
    if (m_dane->FileName[0] == 0) {
        Zapiszjakoprojekt1Click(prompts);
        return;
    }
    // The full path the user chose, even when FileName holds only its start.
    const QString path = m_filePath.isEmpty() ? ReadText(m_dane->FileName) : m_filePath;
    const QString error = writeProject(path);
    if (!error.isEmpty()) {
        prompts.warning(msgWriteFailed(path, error));
        return;
    }
    prompts.message(QStringLiteral("Project saved as: ") + path);
}

void Document::Zapiszjakoprojekt1Click(Prompts& prompts) {
    const QString path = prompts.saveFile(SaveDialog);
    if (path.isEmpty()) return;
    const QString error = writeProject(path);
    if (!error.isEmpty()) {
        prompts.warning(msgWriteFailed(path, error));
        return;
    }
    setFileName(path);
}

void Document::applyLanguages(const QString& name1, const QString& name2, bool use2, const QString& name3,
                              bool use3) {
    sDane& d = *m_dane;
    StringToWideChar(name1, d.Lang[0].Nazwa);
    d.Lang[0].Use = 1;
    StringToWideChar(name2, d.Lang[1].Nazwa);
    d.Lang[1].Use = use2 ? 1 : 0;
    StringToWideChar(name3, d.Lang[2].Nazwa);
    d.Lang[2].Use = use3 ? 1 : 0;
    m_observer->languagesChanged();
}

void Document::RenderLED() {
    lt::RenderLED(*m_dane, *m_surfaces);
    m_observer->previewChanged();
}

void Document::RenderActiveBitmapSG() {
    lt::RenderActiveBitmapSG(*m_dane, *m_surfaces);
    m_observer->viewChanged(editLang(*m_dane), editRow(*m_dane));
    m_observer->gridsRepaint();
}

void Document::RenderBitmapsSG() {
    lt::RenderBitmapsSG(*m_dane, *m_surfaces);
    m_observer->projectChanged();
}

void Document::renderView(int lang, int view) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return;
    sWidok& w = widok(*m_dane, lang, view);
    storeSizes(w, lt::renderView(w, *m_surfaces));
    FastResizeBmp(m_surfaces->preview, m_surfaces->thumbnail(lang, view));
    lt::RenderLED(*m_dane, *m_surfaces);
    m_observer->viewChanged(lang, view);
}

void Document::projectReplaced() {
    const sDane& d = *m_dane;
    m_observer->setViewsPanelVisible(false);
    applyLanguages(ReadText(d.Lang[0].Nazwa), ReadText(d.Lang[1].Nazwa), isTrue(d.Lang[1].Use),
                   ReadText(d.Lang[2].Nazwa), isTrue(d.Lang[2].Use));
    m_observer->loadEditor();
    RenderBitmapsSG();
    m_observer->gridsRepaint();
    RenderLED();
    m_observer->colorsRepaint();
    m_observer->setViewsPanelVisible(true);
}

void Document::outlineRegion(Region panel) {
    if (lt::outlineRegion(*m_dane, *m_surfaces, panel)) m_observer->previewChanged();
}

void Document::btnTestClick() {
    LedTest(*m_dane, *m_surfaces);
    m_observer->previewChanged();
}

void Document::ZapiszJakoObrazekClick(Prompts& prompts) {
    const QString path = prompts.saveFile(SavePictureDialog);
    if (path.isEmpty()) return;
    const QString error = writeBmpFile(m_surfaces->preview, path);
    if (!error.isEmpty()) prompts.warning(msgWriteFailed(path, error));
}

}  // namespace lt
