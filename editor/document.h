#pragma once
// The document: the one project of the run with every picture made from it,
// and the commands that replace, save and redraw it. Windows listen through
// DocumentObserver and draw; they never hold project data of their own.

#include "model/prompts.h"
#include "model/records.h"
#include "render/bitmap.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace lt {

class ProjectStep;
struct sflash;
enum class Region;  // render/text.h

/// What the windows do when the document asks for a screen refresh. Every
/// hook is optional: the command-line companion and most tests use none.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    /// Tab captions and visibility from Dane.Lang (the languages dialog's apply).
    virtual void languagesChanged() {}
    /// `UstawWidokZDanych`: load the edited view into the editing panel.
    virtual void loadEditor() {}
    /// `ColorsRepaint`: the six colour swatches from the edited view.
    virtual void colorsRepaint() {}
    /// Repaint the three views grids.
    virtual void gridsRepaint() {}
    /// The preview bitmap changed: repaint `Image`.
    virtual void previewChanged() {}
    /// Show or hide the views-list panel `gbWidoki`.
    virtual void setViewsPanelVisible(bool) {}
    /// Make the first grid tab the active one.
    virtual void activateFirstTab() {}
    /// One view changed (an edit, its use switched): what is kept about it
    /// is brought up to date.
    virtual void viewChanged(int /*lang*/, int /*view*/) {}
    /// Every view was drawn again (new, open, import): what is kept about
    /// the views is brought up to date.
    virtual void projectChanged() {}
    /// The project's file changed: opened, saved under a new name, or none
    /// after New (filePath() tells which).
    virtual void fileNameChanged() {}
    /// An undo or redo put back the edited view or the whole project: the
    /// editing panel, its movements and what is shown follow the record.
    virtual void editedRestored() {}
};

/// The value fields of a region that the editing panel sets.
enum class RegionField { FontSize, Styl, X, Y, Speed, Alias, FontColor, BackColor };

class Document {
public:
    Document();  // a zero-filled project, as at process start
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    sDane& dane() { return *m_dane; }
    const sDane& dane() const { return *m_dane; }
    Surfaces& surfaces() { return *m_surfaces; }
    const Surfaces& surfaces() const { return *m_surfaces; }
    /// `CopyWidok`, the clipboard of the views grid (not part of the project).
    sWidok& copyWidok() { return *m_copyWidok; }
    /// `Flash`, the display image: zero at start, rebuilt by every export and
    /// overwritten by an import; never saved with the project.
    sflash& flash() { return *m_flash; }
    const sflash& flash() const { return *m_flash; }

    void setObserver(DocumentObserver* observer);
    DocumentObserver& observer() { return *m_observer; }

    /// The edited view `Dane.Widok[SelWidok][EditRow]`.
    sWidok& edited() { return editedView(*m_dane); }

    /// The full path behind Dane.FileName (which holds at most 255 units).
    QString filePath() const { return m_filePath; }

    // --- Changes and their undo ------------------------------------------------
    /// Every change of the project is a step on this stack. Its clean state
    /// is "no unsaved changes": New and Open clear it, Save marks it clean.
    QUndoStack& undoStack() { return m_undo; }
    /// The project differs from what was last opened, saved or made new.
    bool isModified() const { return !m_undo.isClean(); }

    /// Runs `apply`, which changes the project and redraws what it shows, as
    /// one undoable step named `name`. Only the bytes that changed are kept
    /// (the selection and the edited view number are navigation and are never
    /// part of a step). A change made while another one runs, or while an
    /// undo or redo is put back, belongs to that one. `mergeKey` nonzero: the
    /// step merges with the previous one of the same key until sealTyping()
    /// or a second without a change.
    void change(const QString& name, const std::function<void()>& apply, int mergeKey = 0);
    /// As change(), for a change that touches only view `view` of language
    /// `lang`: only that view's bytes are compared.
    void changeView(const QString& name, int lang, int view, const std::function<void()>& apply,
                    int mergeKey = 0);
    /// Ends the merging of keystrokes: the next change is a step of its own
    /// (the text field lost the focus).
    void sealTyping();
    /// Changes are applied but not recorded while one lives: loading the
    /// editing panel stores back what the view already holds.
    class Unrecorded {
    public:
        explicit Unrecorded(Document& doc) : m_doc(doc) { ++m_doc.m_quiet; }
        ~Unrecorded() { --m_doc.m_quiet; }
        Unrecorded(const Unrecorded&) = delete;
        Unrecorded& operator=(const Unrecorded&) = delete;

    private:
        Document& m_doc;
    };

    // --- Edits of the editing panel (the edited view) --------------------------
    // Each stores the value into the edited view, renders it (RenderLED and
    // RenderActiveBitmapSG) and records the step.
    void setRegionText(Region r, const QString& text);
    void setRegionFont(Region r, const QString& family);
    void setRegionValue(Region r, RegionField field, int value);
    /// The movement steps: Ruch, offsets back to 0, Timer from Ruch. True
    /// when the region moves (its timer is to run).
    bool setMovement(Region r, int ruch);
    /// `NazwaKursu` of the edited view; the grids repaint.
    void setCourseName(const QString& name);
    /// `Dane.ProjName`; nothing is redrawn.
    void setProjectName(const QString& name);
    /// `TypWidoku` of the edited view.
    void setViewType(int typ);
    /// The split positions `BarX` and `BarY` of the edited view.
    void setBarX(int value);
    void setBarY(int value);

    /// Before a command that replaces the project (New, Open, Recover) or
    /// ends the run (Quit). With unsaved changes it asks "Save changes to
    /// NAME before WHAT?" with Save, Discard and Cancel, and Save runs Save
    /// (Save As when there is no file yet); without, it asks `question` with
    /// Yes and No as ever. True when the command may go on.
    bool mayDiscard(Prompts& prompts, const QString& question, const QString& what);
    /// Save or Save As as the menu runs them; true when the project was written.
    bool saveProject(Prompts& prompts);

    // --- Project commands of the File menu -----------------------------------
    FileDialogSpec OpenDialog;          // "Open project file"
    FileDialogSpec SaveDialog;          // "Save project file"
    FileDialogSpec OpenDialogPendrive;  // "Open files from pendrive"
    FileDialogSpec SaveDialogPendrive;  // "Save file on pendrive"
    FileDialogSpec OpenDialogFirmware;  // "Importuj oprogramowanie sprzetowe Korvo"

    void Nowy1Click(Prompts& prompts);
    void Otwrzprojekt1Click(Prompts& prompts);
    void Zapiszprojekt1Click(Prompts& prompts);
    void Zapiszjakoprojekt1Click(Prompts& prompts);

    /// `NewDane` followed by the tab captions (what both start-up and New do).
    void newDane();
    /// The project of File > New without its question and windows: newDane,
    /// then all thumbnails rendered, which measures TextWidth and TextHeight
    /// of every view, and the edited view's preview.
    void newProject();
    /// Reads a project file and puts it in place as Open does from step 3 on.
    /// Returns an empty string on success, else the message to show; on any
    /// failure the project is exactly as it was.
    QString openProject(const QString& path);
    /// Puts a project made in memory in place as Open puts a file's, with the
    /// file name given; with none, Save asks where to write it. The step is
    /// undone under the name given.
    void adoptProject(const sDane& dane, const QString& path = QString(),
                      const QString& stepName = QStringLiteral("Recover project"));
    /// Writes the project to a file; an empty string on success, else the
    /// system's error text. Does not change Dane.FileName.
    QString writeProject(const QString& path) const;

    /// After the project's views were replaced in place (an import): the
    /// tabs, the editing panel, every thumbnail and the preview again.
    void projectReplaced();
    /// Tells the windows that one view changed.
    void viewChanged(int lang, int view) { m_observer->viewChanged(lang, view); }

    /// `btnOKClick` of the languages dialog: stores the names and use flags
    /// (language 1 always in use) and brings the tabs in line.
    void applyLanguages(const QString& name1, const QString& name2, bool use2, const QString& name3,
                        bool use3);

    // --- The redraw path -----------------------------------------------------
    /// `RenderLED`: render the edited view's regions and compose the preview.
    void RenderLED();
    /// `RenderActiveBitmapSG`: the preview into the edited view's thumbnail,
    /// then the view is reported changed and the grids repaint.
    void RenderActiveBitmapSG();
    /// One view's preview and thumbnail drawn again (the edited view and the
    /// preview stay as they were), then the view is reported changed.
    void renderView(int lang, int view);
    /// `RenderBitmapsSG`: all 900 thumbnails, then the project is reported
    /// changed.
    void RenderBitmapsSG();
    /// The mouse-move handlers of the settings panels (`gbGornyMouseMove`, ...):
    /// recompose and outline the panel's region where its view type shows one.
    void outlineRegion(Region panel);
    /// `btnTestClick`: the LED test on the preview.
    void btnTestClick();

    /// "Save as picture": the preview as it is shown, as a 24-bit BMP file.
    FileDialogSpec SavePictureDialog;
    void ZapiszJakoObrazekClick(Prompts& prompts);

private:
    friend class Unrecorded;
    void setFileName(const QString& path);
    bool recording() const { return m_quiet == 0; }
    /// Records the step of a change whose bytes from `base` on (`size` bytes)
    /// were `before`.
    void record(const QString& name, const std::byte* before, std::size_t base, std::size_t size,
                const QString& pathBefore, int mergeKey);
    /// After an undo or redo: what the step touched is drawn again.
    void stepApplied(const ProjectStep& step);
    void changeEditedRegion(const QString& name, Region r, int field,
                            const std::function<void(sScreenImage&)>& set);
    /// Open from step 3 on: the project, its file name, tabs, editor, thumbnails.
    void putInPlace(const sDane& dane, const QString& path);

    std::unique_ptr<sDane> m_dane;
    std::unique_ptr<sWidok> m_copyWidok;
    std::unique_ptr<Surfaces> m_surfaces;
    std::unique_ptr<sflash> m_flash;
    DocumentObserver m_nullObserver;
    DocumentObserver* m_observer = &m_nullObserver;
    QString m_filePath;
    QUndoStack m_undo;
    int m_quiet = 0;
};

}  // namespace lt
