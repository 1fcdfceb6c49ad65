#pragma once
// The main window `MainForm`: the views list on the left, and on the right
// `PanelMain` with the sign preview ("Display view") above the editing
// controls of the edited view ("View option"). Every control writes straight
// into the edited view and redraws; the window holds no project data.

#include "editor/document.h"
#include "model/prompts.h"
#include "render/text.h"
#include "views/viewspanel.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;

namespace lt {

namespace i18n {
class LanguageMenu;
}

class ColorSwatch;
class FileNameLabel;
class FontSelector;
class NumberBox;
class PictureView;
class ProjectFindings;
class TFormCheck;
class TFormColor;
class TFormFind;
class TFormPlayer;

/// The controls of one region's settings panel and its timer.
struct RegionControls {
    QGroupBox* gb = nullptr;             // gbGorny / gbDolny / gbLewy
    QLineEdit* eText = nullptr;          // eTextGorny ...
    FontSelector* cNameFont = nullptr;   // cNameFontGorny ...
    NumberBox* seSize = nullptr;         // seSizeGorny ...
    QComboBox* cbFontStyle = nullptr;    // cbFontStyleGorny ...
    NumberBox* seX = nullptr;            // seGornyX ...
    NumberBox* seY = nullptr;            // seGornyY ...
    QComboBox* cbRuch = nullptr;         // cbRuchGorny ...
    NumberBox* seSpeed = nullptr;        // seSpeedGorny ...
    QCheckBox* cbWygladzanie = nullptr;  // cbWygladzanieGorny ... ("Anti Alias", never shown)
    ColorSwatch* sColor = nullptr;       // sColorGorny ...
    ColorSwatch* sBackground = nullptr;  // sBackgroundGorny ...
    QTimer* timer = nullptr;             // TimerGorny ...
    int textLimit = 0;                   // maximum length of the text box
};

class TMainForm : public QMainWindow, public DocumentObserver, public views::EditorHost {
    Q_OBJECT
    /// The question that offers a leftover autosave copy back at start-up:
    /// %1 the project's file, %2 the time of the copy.
    Q_PROPERTY(QString RestoreQuestion MEMBER m_restoreQuestion)
    /// The window's caption as the interface language gives it; the title
    /// adds the project file's name and the unsaved-changes mark to it.
    Q_PROPERTY(QString caption READ caption)
    /// File > Recent projects on a file that is gone: %1 the file.
    Q_PROPERTY(QString RecentMissing MEMBER m_recentMissing)
    /// Help > Manual when the manual is not installed.
    Q_PROPERTY(QString ManualMissing MEMBER m_manualMissing)
    /// A file given on the command line or chosen from the recent projects
    /// that has not a project's size: %1 the file, %2 its size, %3 a
    /// project's size, both in words.
    Q_PROPERTY(QString NotProjectFile MEMBER m_notProjectFile)
    /// Such a file that cannot be read: %1 the file, %2 the reason.
    Q_PROPERTY(QString CannotOpen MEMBER m_cannotOpen)
    Q_PROPERTY(QString ManualNoBrowser MEMBER m_manualNoBrowser)
public:
    /// The main window's fixed client width: 1238 pixels with the frame of
    /// a window with 8-pixel borders.
    static constexpr int ClientWidth = 1222;
    static constexpr int ClientHeight = 659;

    /// Runs `FormCreate`: builds the controls, makes the default project,
    /// its thumbnails and loads view 1 into the editing panel. Commands ask
    /// their questions through `prompts`.
    TMainForm(Document& doc, Prompts& prompts, QWidget* parent = nullptr);
    ~TMainForm() override;

    Document& document() { return m_doc; }
    Prompts& prompts() override { return m_prompts; }

    /// The palette used by the six colour swatches (made on first use when
    /// none was given).
    void setFormColor(TFormColor* form) { m_formColor = form; }
    TFormColor* formColor();
    /// The player window, once Edit > Play pendrive file… has made it.
    TFormPlayer* formPlayer() const { return m_formPlayer; }

    // --- Controls -------------------------------------------------------------
    RegionControls& region(Region r) { return m_regions[static_cast<int>(r)]; }
    QWidget* PanelMain() const { return m_panelMain; }
    views::ViewsPanel* gbWidoki() const { return m_gbWidoki; }
    QLineEdit* eNazwaKursu() const { return m_eNazwaKursu; }
    QLineEdit* eNazwaProjektu() const;
    QSlider* barX() const { return m_barX; }
    QSlider* barY() const { return m_barY; }
    QPushButton* btnTypWidoku(int tag) const { return m_btnTypWidoku[tag]; }
    QPushButton* btnTest() const { return m_btnTest; }
    PictureView* Image() const { return m_image; }
    QAction* action(const char* name) const;
    QMenu* smViewLanguage() const { return m_smViewLanguage; }
    /// The status bar's file name: the project's full path, or "not saved yet".
    FileNameLabel* lFileName() const { return m_lFileName; }
    /// The find window, made on first use (null before).
    TFormFind* FormFind() const { return m_formFind; }
    i18n::LanguageMenu* languageMenu() const { return m_languageMenu; }

    /// The "Save as picture" dialog (the document's).
    FileDialogSpec& SavePictureDialog;
    /// The "Import destinations" dialog.
    FileDialogSpec ImportDestinationsDialog;

    /// The findings of the checks, view by view, kept current as the project
    /// changes; the views grids mark the views that have any.
    const ProjectFindings& findings() const { return *m_findings; }
    /// The check window (made on first use).
    TFormCheck* formCheck();

    // --- Start-up and state ---------------------------------------------------
    /// `UpdateState`: the application title from the caption; marks the
    /// current interface language.
    void UpdateState();
    QString caption() const;
    /// The title: "NAME.vmprj[*] — " and the caption, with the mark shown
    /// while there are unsaved changes; the caption alone for a new project
    /// with no file and no changes.
    void updateTitle();

    // --- Editing panel ----------------------------------------------------------
    void UstawWidokZDanych() override;
    void ColorsRepaint() override;
    void setPanelMainVisible(bool visible) override;

    // --- Document hooks ---------------------------------------------------------
    void languagesChanged() override;
    void loadEditor() override { UstawWidokZDanych(); }
    void colorsRepaint() override { ColorsRepaint(); }
    void gridsRepaint() override;
    void previewChanged() override;
    void setViewsPanelVisible(bool visible) override;
    void activateFirstTab() override;
    void viewChanged(int lang, int view) override;
    void projectChanged() override;

    /// Opens a view for editing as a double-click on its row in the views
    /// grid does, switching to its language's tab first.
    void openView(int lang, int view);
    /// Opens the file named on the command line: a pendrive file (8 MiB) in
    /// the player, anything else as a project. A refusal is a warning and
    /// the new project stays.
    void openFromCommandLine(const QString& path);
    /// File > Recent projects: the submenu, its items the files newest first,
    /// then "Clear".
    QMenu* mnRecent() const { return m_mnRecent; }
    /// Fits the views the check window lists and tells what changed.
    void fitListedViews();
    void fileNameChanged() override;
    void editedRestored() override;

public slots:
    // File
    void Nowy1Click();
    void Otwrzprojekt1Click();
    void Zapiszprojekt1Click();
    void Zapiszjakoprojekt1Click();
    void ImportDestinations1Click();
    void Drukujinstrukcj1Click();
    void Drukujdlakierowcy1Click();
    void Wyjd1Click();
    // Edit
    void Importujzplikuwywitlacza1Click();
    void Odzyskajprojekt1Click();
    void Eksportujdoplikuwywietlacza1Click();
    void ZapiszJakoObrazekClick();
    void Importujoprogramowaniesprztowe1Click();
    void Importujczcionki1Click();
    void CheckProject1Click();
    void FitTexts1Click();
    void Odtworzplikpendrive1Click();
    /// Edit > Find a destination: the find window, shown and raised.
    void Znajdzkurs1Click();
    // Options
    void LEDContrast1Click();
    void mnModulesClick();
    void LEDlanguages1Click();
    /// File > Recent projects > FILE: Open without the dialog; a file that
    /// is gone is named in a warning and taken off the list.
    void openRecentProject(const QString& path);
    void ClearRecent1Click();
    // Help
    /// Help > Manual (F1): the operator's manual in the desktop's browser.
    void Manual1Click();
    void oprogramie1Click();
    void Ourzdzeniu1Click();

    // Preview
    void TypWidokuClick(int tag);
    void barXChange();
    void barYChange();
    void gbGornyMouseMove() { regionMouseMove(Region::Gorny); }
    void gbDolnyMouseMove() { regionMouseMove(Region::Dolny); }
    void gbLewyMouseMove() { regionMouseMove(Region::Lewy); }
    void btnTestClick();

    // Region handlers; R is the region of the sending control.
    void eTextChange(Region r);
    void cNameFontChange(Region r);
    void seSizeChange(Region r);
    void cbFontStyleChange(Region r);
    void seXChange(Region r);
    void seYChange(Region r);
    void seSpeedChange(Region r);
    void cbWygladzanieClick(Region r);
    void cbRuchChange(Region r);
    void sColorMouseDown(Region r);
    void sBackgroundMouseDown(Region r);
    void TimerTick(Region r);

    void eTextGornyChange() { eTextChange(Region::Gorny); }
    void eTextDolnyChange() { eTextChange(Region::Dolny); }
    void eTextLewyChange() { eTextChange(Region::Lewy); }
    void cNameFontGornyChange() { cNameFontChange(Region::Gorny); }
    void cNameFontDolnyChange() { cNameFontChange(Region::Dolny); }
    void cNameFontLewyChange() { cNameFontChange(Region::Lewy); }
    void seSizeGornyChange() { seSizeChange(Region::Gorny); }
    void seSizeDolnyChange() { seSizeChange(Region::Dolny); }
    void seSizeLewyChange() { seSizeChange(Region::Lewy); }
    void cbFontStyleGornyChange() { cbFontStyleChange(Region::Gorny); }
    void cbFontStyleDolnyChange() { cbFontStyleChange(Region::Dolny); }
    void cbFontStyleLewyChange() { cbFontStyleChange(Region::Lewy); }
    void seGornyXChange() { seXChange(Region::Gorny); }
    void seGornyYChange() { seYChange(Region::Gorny); }
    void seDolnyXChange() { seXChange(Region::Dolny); }
    void seDolnyYChange() { seYChange(Region::Dolny); }
    void seLewyXChange() { seXChange(Region::Lewy); }
    void seLewyYChange() { seYChange(Region::Lewy); }
    void seSpeedGornyChange() { seSpeedChange(Region::Gorny); }
    void seSpeedDolnyChange() { seSpeedChange(Region::Dolny); }
    void seSpeedLewyChange() { seSpeedChange(Region::Lewy); }
    void cbWygladzanieGornyClick() { cbWygladzanieClick(Region::Gorny); }
    void cbWygladzanieDolnyClick() { cbWygladzanieClick(Region::Dolny); }
    void cbWygladzanieLewyClick() { cbWygladzanieClick(Region::Lewy); }
    void cbRuchGornyChange() override { cbRuchChange(Region::Gorny); }
    void cbRuchDolnyChange() override { cbRuchChange(Region::Dolny); }
    void cbRuchLewyChange() override { cbRuchChange(Region::Lewy); }
    void sColorGornyMouseDown() { sColorMouseDown(Region::Gorny); }
    void sBackgroundGornyMouseDown() { sBackgroundMouseDown(Region::Gorny); }
    void sColorDolnyMouseDown() { sColorMouseDown(Region::Dolny); }
    void sBackgroundDolnyMouseDown() { sBackgroundMouseDown(Region::Dolny); }
    void sColorLewyMouseDown() { sColorMouseDown(Region::Lewy); }
    void sBackgroundLewyMouseDown() { sBackgroundMouseDown(Region::Lewy); }
    void TimerGornyTimer() { TimerTick(Region::Gorny); }
    void TimerDolnyTimer() { TimerTick(Region::Dolny); }
    void TimerLewyTimer() { TimerTick(Region::Lewy); }

    void eNazwaKursuChange();
    void eNazwaProjektuChange();

protected:
    /// `FormCloseQuery` (asks "Are you sure to quit ?") and `FormClose`.
    void closeEvent(QCloseEvent* event) override;
    /// `FormResize`: the width snaps back, the height is free.
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void buildMenu();
    void buildPanel();
    void buildStatusBar();
    QWidget* buildPreviewGroup(QWidget* parent);
    QWidget* buildOptionGroup(QWidget* parent);
    void buildRegion(Region r, QWidget* parent);
    void placeGroups();
    void showGroupsFor(int typ);
    void render();  // RenderLED, then RenderActiveBitmapSG
    /// Loads the edited view again after it changed outside the panel: the
    /// panel, its movements, the preview, the thumbnail and the swatches.
    void reloadEdited();
    void regionMouseMove(Region r);
    /// `ScanLanguageFiles`: the "Program language" submenu from the *.lng
    /// files of the program's folder.
    void scanLanguageFiles();
    /// The recent projects submenu, made again from the kept list.
    void fillRecentMenu();
    /// Why `path` did not open as a project, in the words of the two texts
    /// above.
    QString refusal(const QString& path, const QString& error) const;

    Document& m_doc;
    Prompts& m_prompts;
    std::unique_ptr<ProjectFindings> m_findings;
    TFormColor* m_formColor = nullptr;
    TFormCheck* m_formCheck = nullptr;
    bool m_fitting = false;               // fitting the listed views: the check window waits
    TFormPlayer* m_formPlayer = nullptr;  // FormPlayer, made at its first use
    bool m_loading = false;
    QString m_restoreQuestion = QStringLiteral(
        "Restore the unsaved changes to %1 from %2?\nNo discards them; Cancel asks again at the next start.");
    QString m_recentMissing =
        QStringLiteral("%1 is no longer there. It has been taken off the list of recent projects.");
    QString m_manualMissing = QStringLiteral("The manual is not installed with this copy of the program.");
    QString m_notProjectFile =
        QStringLiteral("%1 is not a project file: it holds %2; a project file holds exactly %3.");
    QString m_cannotOpen = QStringLiteral("%1 cannot be opened: %2");
    QString m_manualNoBrowser =
        QStringLiteral("No web browser could be started to show the manual. It is at %1");
    QMenu* m_mnRecent = nullptr;
    QString m_caption;
    bool m_composingTitle = false;
    bool m_titleReady = false;  // the title follows the document once built
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QObject* m_undoTexts = nullptr;

    views::ViewsPanel* m_gbWidoki = nullptr;
    QWidget* m_panelMain = nullptr;
    QGroupBox* m_gbOpcjeWidoku = nullptr;
    QGroupBox* m_gbNazwaKursu = nullptr;
    QLineEdit* m_eNazwaKursu = nullptr;
    QSlider* m_barX = nullptr;
    QSlider* m_barY = nullptr;
    PictureView* m_image = nullptr;
    QPushButton* m_btnTypWidoku[4] = {};
    QButtonGroup* m_typeButtons = nullptr;
    QPushButton* m_btnTest = nullptr;
    QMenu* m_smViewLanguage = nullptr;
    i18n::LanguageMenu* m_languageMenu = nullptr;  // "Program language" and the hidden cbLanguage
    FileNameLabel* m_lFileName = nullptr;
    TFormFind* m_formFind = nullptr;
    RegionControls m_regions[3];
};

}  // namespace lt
