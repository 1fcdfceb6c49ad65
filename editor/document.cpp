#include "editor/document.h"

#include "display/flash.h"
#include "editor/projectstep.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "render/animation.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/text.h"
#include "render/view.h"

#include <QFileInfo>

#include <cstring>
#include <vector>

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
    if (!mayDiscard(prompts, QStringLiteral("Are you sure to create a new project ?"),
                    QStringLiteral("creating a new project")))
        return;
    {
        const Unrecorded quiet(*this);
        m_observer->setViewsPanelVisible(false);
        newDane();
        RenderBitmapsSG();
        m_observer->gridsRepaint();
        m_observer->loadEditor();
        m_observer->colorsRepaint();
        m_observer->setViewsPanelVisible(true);
    }
    m_undo.clear();
}

QString Document::openProject(const QString& path) {
    ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return read.error;
    {
        const Unrecorded quiet(*this);
        putInPlace(*read.data, path);
    }
    // The opened file is the new starting point: nothing to undo or save.
    m_undo.clear();
    return QString();
}

void Document::adoptProject(const sDane& dane, const QString& path, const QString& stepName) {
    change(stepName, [&] { putInPlace(dane, path); });
}

void Document::putInPlace(const sDane& dane, const QString& path) {
    std::memcpy(m_dane.get(), &dane, sizeof(sDane));
    setFileName(path);
    settleOpenedProject(*m_dane);
    m_observer->languagesChanged();
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
    if (!mayDiscard(prompts, QStringLiteral("Are you sure to load new project from file ?"),
                    QStringLiteral("opening another project")))
        return;
    const QString path = prompts.openFile(OpenDialog);
    if (path.isEmpty()) return;
    m_observer->setViewsPanelVisible(false);
    const QString error = openProject(path);
    if (!error.isEmpty()) prompts.warning(error);
    m_observer->setViewsPanelVisible(true);
}

QString Document::writeProject(const QString& path) const {
    return writeProjectFile(*m_dane, path);
}

void Document::Zapiszprojekt1Click(Prompts& prompts) {
    saveProject(prompts);
}

bool Document::saveProject(Prompts& prompts) {
    if (m_dane->FileName[0] == 0) {
        const QString path = prompts.saveFile(SaveDialog);
        if (path.isEmpty()) return false;
        const QString error = writeProject(path);
        if (!error.isEmpty()) {
            prompts.warning(msgWriteFailed(path, error));
            return false;
        }
        setFileName(path);
        m_undo.setClean();
        return true;
    }
    // The full path the user chose, even when FileName holds only its start.
    const QString path = m_filePath.isEmpty() ? ReadText(m_dane->FileName) : m_filePath;
    const QString error = writeProject(path);
    if (!error.isEmpty()) {
        prompts.warning(msgWriteFailed(path, error));
        return false;
    }
    m_undo.setClean();
    prompts.note(QStringLiteral("Project saved as: ") + path);
    return true;
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
    m_undo.setClean();
}

bool Document::mayDiscard(Prompts& prompts, const QString& question, const QString& what) {
    if (!isModified()) return prompts.confirm(question);
    const QString name =
        m_filePath.isEmpty() ? QStringLiteral("the new project") : QFileInfo(m_filePath).fileName();
    switch (prompts.askSaveChanges(QStringLiteral("Save changes to %1 before %2?").arg(name, what))) {
        case SaveChoice::Save: return saveProject(prompts);
        case SaveChoice::Discard: return true;
        case SaveChoice::Cancel: break;
    }
    return false;
}

// --- Changes and their undo ----------------------------------------------------------

void Document::change(const QString& name, const std::function<void()>& apply, int mergeKey) {
    if (!recording()) {
        apply();
        return;
    }
    std::vector<std::byte> before(sizeof(sDane));
    std::memcpy(before.data(), m_dane.get(), sizeof(sDane));
    const QString path = m_filePath;
    {
        const Unrecorded inner(*this);
        apply();
    }
    record(name, before.data(), 0, sizeof(sDane), path, mergeKey);
}

void Document::changeView(const QString& name, int lang, int view, const std::function<void()>& apply,
                          int mergeKey) {
    if (!recording()) {
        apply();
        return;
    }
    const sWidok& w = widok(*m_dane, lang, view);
    sWidok before;
    std::memcpy(&before, &w, sizeof(sWidok));
    {
        const Unrecorded inner(*this);
        apply();
    }
    const std::size_t base =
        reinterpret_cast<const std::byte*>(&w) - reinterpret_cast<const std::byte*>(m_dane.get());
    record(name, reinterpret_cast<const std::byte*>(&before), base, sizeof(sWidok), m_filePath, mergeKey);
}

void Document::record(const QString& name, const std::byte* before, std::size_t base, std::size_t size,
                      const QString& pathBefore, int mergeKey) {
    const auto* now = reinterpret_cast<const std::byte*>(m_dane.get()) + base;
    std::vector<ByteRun> runs = diffRuns(before, now, size, base);
    const bool pathChanged = pathBefore != m_filePath;
    if (runs.empty() && !pathChanged) return;
    auto* step = new ProjectStep(*m_dane, name, std::move(runs), mergeKey,
                                 [this](const ProjectStep& s) { stepApplied(s); });
    if (pathChanged) {
        step->changesPath = true;
        step->pathBefore = pathBefore;
        step->pathAfter = m_filePath;
    }
    m_undo.push(step);
}

void Document::sealTyping() {
    const int index = m_undo.index();
    if (index < 1) return;
    if (auto* step = dynamic_cast<const ProjectStep*>(m_undo.command(index - 1)))
        const_cast<ProjectStep*>(step)->seal();
}

void Document::stepApplied(const ProjectStep& step) {
    const Unrecorded quiet(*this);
    if (step.changesPath) setFileName(step.undone() ? step.pathBefore : step.pathAfter);
    const StepReach reach = reachOf(step.runs());
    // Beyond a handful of views a full redraw is as quick and simpler.
    constexpr std::size_t FewViews = 8;
    if (reach.outsideViews || reach.views.size() > FewViews) {
        projectReplaced();
        m_observer->editedRestored();
        return;
    }
    const std::pair<int, int> edited{editLang(*m_dane), editRow(*m_dane)};
    bool editedTouched = false;
    for (const auto& [lang, view] : reach.views) {
        if (std::pair{lang, view} == edited)
            editedTouched = true;
        else
            renderView(lang, view);
    }
    if (editedTouched) {
        RenderLED();
        RenderActiveBitmapSG();
        m_observer->editedRestored();
    }
    m_observer->gridsRepaint();
}

// --- Edits of the editing panel ---------------------------------------------------------

namespace {

/// The merge key of one field of one view: keystrokes in that field merge.
int fieldKey(const sDane& d, int field) {
    return ((editLang(d) - 1) * ViewCount + editRow(d)) * 64 + field + 1;
}

constexpr int RegionFieldCount = 16;
constexpr int KeyText = 8, KeyFont = 9, KeyMovement = 10;
constexpr int KeyCourse = 60, KeyBarX = 61, KeyBarY = 62, KeyType = 63;

QString regionFieldName(RegionField f) {
    switch (f) {
        case RegionField::FontSize: return QStringLiteral("Size");
        case RegionField::Styl: return QStringLiteral("Style");
        case RegionField::X:
        case RegionField::Y: return QStringLiteral("Position");
        case RegionField::Speed: return QStringLiteral("Speed");
        case RegionField::Alias: return QStringLiteral("Anti Alias");
        case RegionField::FontColor: return QStringLiteral("Text colour");
        case RegionField::BackColor: return QStringLiteral("Background colour");
    }
    return QString();
}

}  // namespace

void Document::changeEditedRegion(const QString& name, Region r, int field,
                                  const std::function<void(sScreenImage&)>& set) {
    const int key = fieldKey(*m_dane, static_cast<int>(r) * RegionFieldCount + field);
    changeView(
        name, editLang(*m_dane), editRow(*m_dane),
        [&] {
            set(regionOf(edited(), r));
            RenderLED();
            RenderActiveBitmapSG();
        },
        key);
}

void Document::setRegionText(Region r, const QString& text) {
    changeEditedRegion(QStringLiteral("Text"), r, KeyText,
                       [&](sScreenImage& s) { StringToWideChar(text, s.Text); });
}

void Document::setRegionFont(Region r, const QString& family) {
    changeEditedRegion(QStringLiteral("Font"), r, KeyFont,
                       [&](sScreenImage& s) { StringToWideChar(family, s.FontName); });
}

void Document::setRegionValue(Region r, RegionField field, int value) {
    changeEditedRegion(regionFieldName(field), r, static_cast<int>(field), [&](sScreenImage& s) {
        switch (field) {
            case RegionField::FontSize: s.FontSize = value; break;
            case RegionField::Styl: s.Styl = value; break;
            case RegionField::X: s.X = value; break;
            case RegionField::Y: s.Y = value; break;
            case RegionField::Speed: s.Speed = value; break;
            case RegionField::Alias: s.Alias = value ? 1 : 0; break;
            case RegionField::FontColor: s.FontColor = value; break;
            case RegionField::BackColor: s.BackColor = value; break;
        }
    });
}

bool Document::setMovement(Region r, int ruch) {
    bool moves = false;
    changeEditedRegion(QStringLiteral("Movement"), r, KeyMovement, [&](sScreenImage& s) {
        s.Ruch = ruch;
        moves = restartMovement(s);
    });
    return moves;
}

void Document::setCourseName(const QString& name) {
    changeView(
        QStringLiteral("Course name"), editLang(*m_dane), editRow(*m_dane),
        [&] {
            StringToWideChar(name, edited().NazwaKursu);
            viewChanged(editLang(*m_dane), editRow(*m_dane));
            m_observer->gridsRepaint();
        },
        fieldKey(*m_dane, KeyCourse));
}

void Document::setProjectName(const QString& name) {
    // Only the name's bytes are compared: the record's head.
    if (!recording()) {
        StringToWideChar(name, m_dane->ProjName);
        return;
    }
    decltype(sDane::ProjName) before;
    std::memcpy(before, m_dane->ProjName, sizeof(before));
    StringToWideChar(name, m_dane->ProjName);
    record(QStringLiteral("Project name"), reinterpret_cast<const std::byte*>(before),
           offsetof(sDane, ProjName), sizeof(before), m_filePath, 1);
}

void Document::setViewType(int typ) {
    changeView(
        QStringLiteral("View type"), editLang(*m_dane), editRow(*m_dane), [&] { edited().TypWidoku = typ; },
        fieldKey(*m_dane, KeyType));
}

void Document::setBarX(int value) {
    changeView(
        QStringLiteral("Split"), editLang(*m_dane), editRow(*m_dane),
        [&] {
            m_surfaces->barX = value;
            edited().BarX = value;
            RenderLED();
            RenderActiveBitmapSG();
        },
        fieldKey(*m_dane, KeyBarX));
}

void Document::setBarY(int value) {
    changeView(
        QStringLiteral("Split"), editLang(*m_dane), editRow(*m_dane),
        [&] {
            m_surfaces->barY = value;
            edited().BarY = value;
            RenderLED();
            RenderActiveBitmapSG();
        },
        fieldKey(*m_dane, KeyBarY));
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
