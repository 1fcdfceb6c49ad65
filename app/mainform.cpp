#include "app/mainform.h"

#include "app/desktopsettings.h"
#include "app/formautor.h"
#include "app/formcheck.h"
#include "app/formcolor.h"
#include "app/formfind.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/menukeys.h"
#include "app/pictures.h"
#include "depot/destinations.h"
#include "depot/findings.h"
#include "i18n/gui/dialogtexts.h"
#include "i18n/gui/languagecontroller.h"
#include "i18n/gui/languagemenu.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "model/sign.h"
#include "render/animation.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "widgets/apptitle.h"
#include "widgets/editorwidgets.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace lt {

namespace {

const char* const RegionWord[3] = {"Gorny", "Dolny", "Lewy"};

QString named(const char* prefix, Region r, const char* suffix = "") {
    return QString::fromLatin1(prefix) + QString::fromLatin1(RegionWord[static_cast<int>(r)]) +
           QString::fromLatin1(suffix);
}

// Vertical places of the groups inside "View option".
constexpr int TopNazwaKursu = 55;
constexpr int TopGorny = 90;
constexpr int TopLewy = 180;
constexpr int TopDolny = 290;
constexpr int RegionGroupHeight = 86;

/// The platform's keys for a standard command, or `fallback` where the
/// platform binds none (plain X11 has no key for Save As).
QList<QKeySequence> standardKeys(QKeySequence::StandardKey command, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty()) keys.append(fallback);
    return keys;
}

}  // namespace

TMainForm::TMainForm(Document& doc, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      SavePictureDialog(doc.SavePictureDialog),
      m_doc(doc),
      m_prompts(prompts),
      m_findings(std::make_unique<ProjectFindings>()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    ImportDestinationsDialog = importDestinationsDialog();
    buildMenu();
    buildPanel();
    buildStatusBar();
    // The file dialogs' texts as translatable components, then the language
    // controller, which takes the design texts before any other code runs.
    const std::pair<const char*, FileDialogSpec*> dialogs[] = {
        {"OpenDialog", &m_doc.OpenDialog},
        {"SaveDialog", &m_doc.SaveDialog},
        {"OpenPictureDialog", nullptr},
        {"SavePictureDialog", &SavePictureDialog},
        {"OpenDialogPendrive", &m_doc.OpenDialogPendrive},
        {"SaveDialogPendrive", &m_doc.SaveDialogPendrive},
        {"OpenDialogFirmware", &m_doc.OpenDialogFirmware},
        {"OpenDialogFont", nullptr},
        {"OpenDialogDestinations", &ImportDestinationsDialog},
    };
    for (const auto& [name, request] : dialogs)
        new i18n::DialogTexts(QString::fromLatin1(name), request, this);
    if (auto* font = findChild<i18n::DialogTexts*>(QStringLiteral("OpenDialogFont"))) {
        font->setTitle(QStringLiteral("Importuj czcionkę do programu"));
        font->setDefaultExt(QStringLiteral("*.faf"));
    }
    new i18n::TDKLanguageController(this, QStringLiteral("MainForm"));
    setFixedWidth(ClientWidth);
    setMinimumHeight(200);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    m_doc.setObserver(this);
    FormCreate();
    // The default project is where undo starts; the title follows the file
    // and the unsaved changes from now on.
    m_doc.undoStack().clear();
    m_titleReady = true;
    connect(&m_doc.undoStack(), &QUndoStack::cleanChanged, this, &TMainForm::updateTitle);
    updateTitle();
    // The menus' keys work from the text and number fields too.
    new MenuKeys(this);
    // Keystrokes of one field are one step until the focus moves on.
    connect(qApp, &QApplication::focusChanged, this, [this] { m_doc.sealTyping(); });
}

TMainForm::~TMainForm() {
    // The base classes' destructors still move the focus and may touch the
    // document: nothing of this window may answer them any more.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(&m_doc.undoStack(), nullptr, this, nullptr);
    delete m_formCheck;  // it reads the findings, which end with this window
    for (RegionControls& rc : m_regions)
        if (rc.timer) rc.timer->stop();
    m_doc.setObserver(nullptr);
}

// --- Menu ----------------------------------------------------------------------

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };

    QMenu* file = bar->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("Plik1"));
    item(file, "Nowy1", tr("New"), &TMainForm::Nowy1Click)
        ->setShortcuts(standardKeys(QKeySequence::New, Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    item(file, "Otwrzprojekt1", tr("Open"), &TMainForm::Otwrzprojekt1Click)
        ->setShortcuts(standardKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    item(file, "Zapiszprojekt1", tr("Save"), &TMainForm::Zapiszprojekt1Click)
        ->setShortcuts(standardKeys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
    item(file, "Zapiszjakoprojekt1", tr("Save As"), &TMainForm::Zapiszjakoprojekt1Click)
        ->setShortcuts(standardKeys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_mnRecent = file->addMenu(tr("Recent projects"));
    m_mnRecent->setObjectName(QStringLiteral("mnRecent"));
    m_mnRecent->menuAction()->setObjectName(QStringLiteral("mnRecent"));
    fillRecentMenu();
    item(file, "Odzyskajprojekt1", tr("Recover project from pendrive…"), &TMainForm::Odzyskajprojekt1Click);
    item(file, "ImportDestinations1", tr("Import destinations…"), &TMainForm::ImportDestinations1Click);
    file->addSeparator();
    item(file, "Drukujinstrukcj1", tr("Print instrucion"), &TMainForm::Drukujinstrukcj1Click);
    item(file, "Drukujdlakierowcy1", tr("Print course"), &TMainForm::Drukujdlakierowcy1Click);
    file->addSeparator();
    item(file, "Wyjd1", tr("Exit"), &TMainForm::Wyjd1Click)
        ->setShortcuts(standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    QMenu* edit = bar->addMenu(tr("Edit"));
    edit->setObjectName(QStringLiteral("Edycja1"));
    m_undoAction = item(edit, "Cofnij1", tr("Undo"), nullptr);
    m_undoAction->setShortcuts(QKeySequence::Undo);
    m_redoAction = item(edit, "Ponow1", tr("Redo"), nullptr);
    m_redoAction->setShortcuts(QKeySequence::Redo);
    m_undoTexts = new StepTexts(m_doc.undoStack(), m_undoAction, m_redoAction, this);
    m_undoTexts->setObjectName(QStringLiteral("StepTexts"));
    edit->addSeparator();
    item(edit, "Importujzplikuwywitlacza1", tr("Import from pendrive"),
         &TMainForm::Importujzplikuwywitlacza1Click)
        ->setVisible(false);
    QAction* exportItem = item(edit, "Eksportujdoplikuwywietlacza1", tr("Export to pendrive"),
                               &TMainForm::Eksportujdoplikuwywietlacza1Click);
    exportItem->setShortcut(Qt::CTRL | Qt::Key_E);
    edit->setDefaultAction(exportItem);
    // The program's main output, where a desktop program keeps its exports
    // too: the same item in File, before the printed sheets.
    file->insertAction(action("Drukujinstrukcj1"), exportItem);
    file->insertSeparator(action("Drukujinstrukcj1"));
    edit->addSeparator()->setVisible(false);
    item(edit, "Importobrazka1", tr("Import picture"), nullptr)->setVisible(false);
    item(edit, "ZapiszJakoObrazek", tr("Save as picture"), &TMainForm::ZapiszJakoObrazekClick);
    item(edit, "Odtworzplikpendrive1", tr("Play pendrive file…"), &TMainForm::Odtworzplikpendrive1Click);
    edit->addSeparator();
    item(edit, "Importujoprogramowaniesprztowe1", tr("Import firmware"),
         &TMainForm::Importujoprogramowaniesprztowe1Click)
        ->setVisible(false);
    item(edit, "Importujczcionki1", tr("Font import"), &TMainForm::Importujczcionki1Click)->setVisible(false);
    edit->addSeparator();
    item(edit, "CheckProject1", tr("Check project…"), &TMainForm::CheckProject1Click);
    item(edit, "FitTexts1", tr("Fit texts to the sign"), &TMainForm::FitTexts1Click);
    item(edit, "Znajdzkurs1", tr("Find a destination…"), &TMainForm::Znajdzkurs1Click)
        ->setShortcuts(standardKeys(QKeySequence::Find, Qt::CTRL | Qt::Key_F));

    QMenu* options = bar->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("mnOptions"));
    options->menuAction()->setObjectName(QStringLiteral("mnOptions"));
    options->menuAction()->setVisible(false);
    item(options, "LEDContrast1", tr("LCD contrast on display"), &TMainForm::LEDContrast1Click);
    item(options, "mnModules", tr("Display model"), &TMainForm::mnModulesClick)->setVisible(false);
    item(options, "LEDlanguages1", tr("LED languages"), &TMainForm::LEDlanguages1Click)->setVisible(false);
    m_smViewLanguage = options->addMenu(tr("Program language"));
    m_smViewLanguage->setObjectName(QStringLiteral("smViewLanguage"));
    m_smViewLanguage->menuAction()->setObjectName(QStringLiteral("smViewLanguage"));
    m_smViewLanguage->menuAction()->setVisible(false);

    QMenu* help = bar->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Autor1"));
    item(help, "Manual1", tr("Manual"), &TMainForm::Manual1Click)
        ->setShortcuts(standardKeys(QKeySequence::HelpContents, Qt::Key_F1));
    help->addSeparator();
    item(help, "oprogramie1", tr("Information"), &TMainForm::oprogramie1Click);
    item(help, "Ourzdzeniu1", tr("Hardware"), &TMainForm::Ourzdzeniu1Click)->setVisible(false);
}

QAction* TMainForm::action(const char* name) const {
    const QString n = QString::fromLatin1(name);
    for (QAction* a : menuBar()->findChildren<QAction*>())
        if (a->objectName() == n) return a;
    return nullptr;
}

// --- Panel -----------------------------------------------------------------------

void TMainForm::buildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(6);

    m_gbWidoki = new views::ViewsPanel(m_doc, *this, central);
    m_gbWidoki->setFindings(m_findings.get());
    m_gbWidoki->setWhyText([this](const QString& why) { return formCheck()->whyText(why); });
    layout->addWidget(m_gbWidoki);
    connect(m_gbWidoki->eNazwaProjektu(), &QLineEdit::textChanged, this, &TMainForm::eNazwaProjektuChange);

    m_panelMain = new QWidget(central);
    m_panelMain->setObjectName(QStringLiteral("PanelMain"));
    auto* right = new QVBoxLayout(m_panelMain);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(4);
    right->addWidget(buildPreviewGroup(m_panelMain));
    right->addWidget(buildOptionGroup(m_panelMain), 1);
    layout->addWidget(m_panelMain, 1);
    // Keeps the views list at the left when the panel is hidden.
    layout->addStretch(0);
}

void TMainForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    m_lFileName = new FileNameLabel(bar);
    m_lFileName->setObjectName(QStringLiteral("lFileName"));
    // Permanent, so the menu items' hints and the notes of routine
    // confirmations never cover the file's name; at the right, leaving them
    // the rest of the bar.
    bar->addPermanentWidget(m_lFileName, 0);
}

QWidget* TMainForm::buildPreviewGroup(QWidget* parent) {
    auto* gb = new QGroupBox(tr("Display view"), parent);
    gb->setObjectName(QStringLiteral("gbWidokWyswietlacza"));
    auto* grid = new QGridLayout(gb);
    grid->setContentsMargins(10, 14, 8, 8);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    m_barX = new QSlider(Qt::Horizontal, gb);
    m_barX->setObjectName(QStringLiteral("barX"));
    m_barX->setRange(limits::BarXTrack.min, limits::BarXTrack.max);
    m_barX->setPageStep(1);
    m_barX->setToolTip(tr("Width of the left region"));
    connect(m_barX, &QSlider::valueChanged, this, &TMainForm::barXChange);

    auto* panel1 = new QFrame(gb);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto* panelLayout = new QVBoxLayout(panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    m_image = new PictureView(&m_doc.surfaces().preview.image(), panel1);
    m_image->setObjectName(QStringLiteral("Image"));
    panelLayout->addWidget(m_image);

    m_barY = new QSlider(Qt::Vertical, gb);
    m_barY->setObjectName(QStringLiteral("barY"));
    m_barY->setRange(limits::BarYTrack.min, limits::BarYTrack.max);
    m_barY->setPageStep(1);
    m_barY->setInvertedAppearance(true);  // position 0 at the top, like the rows
    m_barY->setInvertedControls(true);
    m_barY->setTickPosition(QSlider::TicksLeft);
    m_barY->setTickInterval(1);
    m_barY->setToolTip(tr("Height of the top region"));
    connect(m_barY, &QSlider::valueChanged, this, &TMainForm::barYChange);

    grid->addWidget(m_barX, 0, 0);
    grid->addWidget(panel1, 1, 0);
    grid->addWidget(m_barY, 1, 1);
    grid->setColumnStretch(2, 1);
    return gb;
}

QWidget* TMainForm::buildOptionGroup(QWidget* parent) {
    m_gbOpcjeWidoku = new QGroupBox(tr("View option"), parent);
    m_gbOpcjeWidoku->setObjectName(QStringLiteral("gbOpcjeWidoku"));

    m_typeButtons = new QButtonGroup(this);
    m_typeButtons->setExclusive(true);
    const QString tips[4] = {tr("Top line only"), tr("Top and bottom lines"), tr("Route number and top line"),
                             tr("Route number, top and bottom lines")};
    for (int tag = 0; tag < 4; ++tag) {
        auto* b = new QPushButton(m_gbOpcjeWidoku);
        b->setObjectName(QStringLiteral("btnTypWidoku%1").arg(tag));
        b->setIcon(QPixmap::fromImage(viewTypePicture(tag)));
        b->setIconSize(QSize(SignWidth, SignHeight));
        b->setCheckable(true);
        b->setToolTip(tips[tag]);
        b->setGeometry(10 + tag * 142, 17, 136, 36);
        m_typeButtons->addButton(b, tag);
        m_btnTypWidoku[tag] = b;
    }
    connect(m_typeButtons, &QButtonGroup::idClicked, this, &TMainForm::TypWidokuClick);

    m_btnTest = new QPushButton(tr("Test"), m_gbOpcjeWidoku);
    m_btnTest->setObjectName(QStringLiteral("btnTest"));
    m_btnTest->setGeometry(10 + 4 * 142, 21, 80, 28);
    m_btnTest->setVisible(false);
    connect(m_btnTest, &QPushButton::clicked, this, &TMainForm::btnTestClick);

    m_gbNazwaKursu = new QGroupBox(tr("Course name"), m_gbOpcjeWidoku);
    m_gbNazwaKursu->setObjectName(QStringLiteral("gbNazwaKursu"));
    // A one-line group: the caption sits inside the frame, left of the box.
    m_gbNazwaKursu->setStyleSheet(
        QStringLiteral("QGroupBox#gbNazwaKursu { margin-top: 0px; padding-top: 0px; }"
                       "QGroupBox#gbNazwaKursu::title { subcontrol-origin: padding; subcontrol-position: "
                       "left center; left: 8px; }"));
    m_eNazwaKursu = new QLineEdit(m_gbNazwaKursu);
    m_eNazwaKursu->setObjectName(QStringLiteral("eNazwaKursu"));
    m_eNazwaKursu->setMaxLength(limits::NazwaKursu);
    m_eNazwaKursu->setFixedHeight(24);
    connect(m_eNazwaKursu, &QLineEdit::textChanged, this, &TMainForm::eNazwaKursuChange);

    buildRegion(Region::Gorny, m_gbOpcjeWidoku);
    buildRegion(Region::Lewy, m_gbOpcjeWidoku);
    buildRegion(Region::Dolny, m_gbOpcjeWidoku);
    placeGroups();
    return m_gbOpcjeWidoku;
}

void TMainForm::buildRegion(Region r, QWidget* parent) {
    RegionControls& rc = region(r);
    const QString captions[3] = {tr("Top view T2"), tr("Bottom view T3"), tr("Left view T1")};
    const int i = static_cast<int>(r);
    rc.textLimit = limits::text(r);

    rc.gb = new QGroupBox(captions[i], parent);
    rc.gb->setObjectName(named("gb", r));
    rc.gb->setAttribute(Qt::WA_Hover);
    rc.gb->installEventFilter(this);

    auto label = [&rc](const QString& text, QWidget* buddy, const QString& name = QString()) {
        auto* l = new QLabel(text, rc.gb);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };

    rc.eText = new QLineEdit(rc.gb);
    rc.eText->setObjectName(named("eText", r));
    rc.eText->setMaxLength(rc.textLimit);
    rc.cNameFont = new FontSelector(rc.gb);
    rc.cNameFont->setObjectName(named("cNameFont", r));
    rc.seSize = new NumberBox(limits::FontSize.min, limits::FontSize.max, rc.gb);
    rc.seSize->setObjectName(named("seSize", r));
    rc.cbFontStyle = new QComboBox(rc.gb);
    rc.cbFontStyle->setObjectName(named("cbFontStyle", r));
    rc.cbFontStyle->addItems(StyleTexts());
    rc.seX = new NumberBox(limits::X.min, limits::X.max, rc.gb);
    rc.seX->setObjectName(named("se", r, "X"));
    rc.seY = new NumberBox(limits::Y.min, limits::Y.max, rc.gb);
    rc.seY->setObjectName(named("se", r, "Y"));
    rc.cbRuch = new QComboBox(rc.gb);
    rc.cbRuch->setObjectName(named("cbRuch", r));
    rc.cbRuch->addItems(MovementTexts());
    rc.seSpeed = new NumberBox(limits::Speed.min, limits::Speed.max, rc.gb);
    rc.seSpeed->setObjectName(named("seSpeed", r));
    rc.cbWygladzanie = new QCheckBox(tr("Anti Alias"), rc.gb);
    rc.cbWygladzanie->setObjectName(named("cbWygladzanie", r));
    rc.cbWygladzanie->setVisible(false);
    rc.sColor = new ColorSwatch(rc.gb);
    rc.sColor->setObjectName(named("sColor", r));
    rc.sColor->setToolTip(tr("Font colour"));
    rc.sBackground = new ColorSwatch(rc.gb);
    rc.sBackground->setObjectName(named("sBackground", r));
    rc.sBackground->setToolTip(tr("Background colour"));

    auto* grid = new QGridLayout(rc.gb);
    grid->setContentsMargins(10, 14, 10, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->addWidget(label(tr("Text"), rc.eText, named("lText", r)), 0, 0);
    grid->addWidget(rc.eText, 0, 1, 1, 3);
    grid->addWidget(label(tr("Font"), rc.cNameFont, named("lNameFont", r)), 0, 4);
    grid->addWidget(rc.cNameFont, 0, 5);
    grid->addWidget(label(tr("Size"), rc.seSize, named("lSizeFont", r)), 0, 6);
    grid->addWidget(rc.seSize, 0, 7);
    grid->addWidget(label(tr("Style"), rc.cbFontStyle, named("lFontStyle", r)), 0, 8);
    grid->addWidget(rc.cbFontStyle, 0, 9);

    grid->addWidget(label(tr("X"), rc.seX, named("l", r, "X")), 1, 0);
    grid->addWidget(rc.seX, 1, 1);
    grid->addWidget(label(tr("Y"), rc.seY, named("l", r, "Y")), 1, 2, Qt::AlignRight);
    grid->addWidget(rc.seY, 1, 3, Qt::AlignLeft);
    grid->addWidget(label(tr("Movement"), rc.cbRuch, named("lRuch", r)), 1, 4);
    grid->addWidget(rc.cbRuch, 1, 5);
    grid->addWidget(label(tr("Speed"), rc.seSpeed, named("lSzybkosc", r)), 1, 6);
    grid->addWidget(rc.seSpeed, 1, 7);
    grid->addWidget(rc.cbWygladzanie, 1, 9);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    auto* colours = new QGridLayout;
    colours->setSpacing(2);
    colours->setHorizontalSpacing(10);
    auto small = [&rc](const QString& text, const QString& name) {
        auto* l = new QLabel(text, rc.gb);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet(QStringLiteral("color: #5d6b79; font-size: 8pt;"));
        return l;
    };
    colours->addWidget(small(tr("Text"), named("lSColor", r)), 0, 0);
    colours->addWidget(small(tr("Back"), named("lSBackground", r)), 0, 1);
    colours->addWidget(rc.sColor, 1, 0, Qt::AlignCenter);
    colours->addWidget(rc.sBackground, 1, 1, Qt::AlignCenter);
    grid->addLayout(colours, 0, 10, 2, 1, Qt::AlignVCenter);

    connect(rc.eText, &QLineEdit::textChanged, this, [this, r] { eTextChange(r); });
    connect(rc.cNameFont, &FontSelector::changed, this, [this, r] { cNameFontChange(r); });
    for (auto signal : {&FontSelector::keyDown, &FontSelector::keyPress, &FontSelector::keyUp})
        connect(rc.cNameFont, signal, this, [this, r] { cNameFontChange(r); });
    connect(rc.seSize, &NumberBox::changed, this, [this, r] { seSizeChange(r); });
    connect(rc.cbFontStyle, &QComboBox::activated, this, [this, r] { cbFontStyleChange(r); });
    connect(rc.seX, &NumberBox::changed, this, [this, r] { seXChange(r); });
    connect(rc.seY, &NumberBox::changed, this, [this, r] { seYChange(r); });
    connect(rc.cbRuch, &QComboBox::activated, this, [this, r] { cbRuchChange(r); });
    connect(rc.seSpeed, &NumberBox::changed, this, [this, r] { seSpeedChange(r); });
    connect(rc.cbWygladzanie, &QCheckBox::clicked, this, [this, r] { cbWygladzanieClick(r); });
    connect(rc.sColor, &ColorSwatch::mouseDown, this, [this, r] { sColorMouseDown(r); });
    connect(rc.sBackground, &ColorSwatch::mouseDown, this, [this, r] { sBackgroundMouseDown(r); });

    rc.timer = new QTimer(this);
    rc.timer->setObjectName(named("Timer", r));
    rc.timer->setTimerType(Qt::PreciseTimer);
    rc.timer->setInterval(1000);
    connect(rc.timer, &QTimer::timeout, this, [this, r] { TimerTick(r); });
}

void TMainForm::placeGroups() {
    const int w = 811 - 16;
    const int nameHeight = TopGorny - TopNazwaKursu - 3;
    m_gbNazwaKursu->setGeometry(8, TopNazwaKursu, w, nameHeight);
    m_eNazwaKursu->setGeometry(118, (nameHeight - 24) / 2, w - 118 - 8, 24);
    region(Region::Gorny).gb->setGeometry(8, TopGorny, w, RegionGroupHeight);
    region(Region::Lewy).gb->setGeometry(8, TopLewy, w, RegionGroupHeight);
    region(Region::Dolny).gb->setGeometry(8, TopDolny, w, RegionGroupHeight);
}

void TMainForm::showGroupsFor(int typ) {
    if (!isViewType(typ)) return;
    for (const Region r : AllRegions) region(r).gb->setVisible(showsRegion(typ, r));
}

QLineEdit* TMainForm::eNazwaProjektu() const {
    return m_gbWidoki->eNazwaProjektu();
}

TFormColor* TMainForm::formColor() {
    if (!m_formColor) m_formColor = forms().FormColor;
    if (!m_formColor) m_formColor = new TFormColor(this);
    return m_formColor;
}

// --- Start-up ----------------------------------------------------------------------

void TMainForm::FormCreate() {
    m_panelMain->setVisible(false);
    scanLanguageFiles();
    UpdateState();
    // The region surfaces, the preview, ImageLED and the 900 thumbnails are
    // made black with the document.
    m_btnTypWidoku[0]->setDefault(true);
    m_doc.newDane();
    m_doc.RenderBitmapsSG();
    UstawWidokZDanych();
    sDane& d = m_doc.dane();
    d.SelectRow = 1;
    d.EditRow = 1;
    setVersionAndBanner(d);
    ColorsRepaint();
    const sDane& cd = d;
    const int lang = std::clamp(cd.SelWidok, 1, LanguageCount);
    const int row = std::clamp(cd.SelectRow, 1, ViewCount);
    m_panelMain->setVisible(isTrue(widok(cd, lang, row).use));
}

void TMainForm::UpdateState() {
    if (m_languageMenu)
        m_languageMenu->UpdateState();
    else
        setApplicationTitle(caption());
}

void TMainForm::scanLanguageFiles() {
    // The hidden language box: no items in the window's definition.
    auto* cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    cbLanguage->setVisible(false);
    m_languageMenu = i18n::installLanguageMenu(this, m_smViewLanguage, &m_prompts, cbLanguage);
}

// --- Closing and resizing ------------------------------------------------------------

void TMainForm::Wyjd1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!m_doc.mayDiscard(m_prompts, QStringLiteral("Are you sure to quit ?"), QStringLiteral("quitting"))) {
        event->ignore();
        return;
    }
    // FormClose: the animations stop; the project is not saved.
    for (RegionControls& rc : m_regions) rc.timer->stop();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (width() != ClientWidth) resize(ClientWidth, height());
}

// --- Editing panel -------------------------------------------------------------------

void TMainForm::render() {
    m_doc.RenderLED();
    m_doc.RenderActiveBitmapSG();
}

void TMainForm::UstawWidokZDanych() {
    // Loading stores back what the view holds: no step of its own.
    const Document::Unrecorded quiet(m_doc);
    sWidok& w = m_doc.edited();
    const Region dgl[3] = {Region::Dolny, Region::Gorny, Region::Lewy};

    // The lists are set without their handlers, so loading a view neither
    // starts nor stops an animation.
    for (Region r : dgl) {
        const QSignalBlocker block(region(r).cbFontStyle);
        region(r).cbFontStyle->setCurrentIndex(regionOf(w, r).Styl);
    }
    for (Region r : dgl) {
        const QSignalBlocker block(region(r).cbRuch);
        region(r).cbRuch->setCurrentIndex(regionOf(w, r).Ruch);
    }
    for (Region r : dgl) {
        {
            const QSignalBlocker block(region(r).cbWygladzanie);
            region(r).cbWygladzanie->setChecked(isTrue(regionOf(m_doc.edited(), r).Alias));
        }
        cbWygladzanieClick(r);
    }
    for (Region r : dgl) region(r).cNameFont->setFontName(ReadText(regionOf(m_doc.edited(), r).FontName));
    for (Region r : {Region::Lewy, Region::Dolny, Region::Gorny}) {
        RegionControls& rc = region(r);
        const QString text = ReadText(regionOf(m_doc.edited(), r).Text);
        {
            const QSignalBlocker block(rc.eText);
            // A longer text than the box offers (from a file) is shown whole,
            // so loading never cuts what the view holds.
            rc.eText->setMaxLength(std::max<int>(rc.textLimit, text.size()));
            rc.eText->setText(text);
        }
        eTextChange(r);
    }
    for (Region r : dgl) region(r).seSize->setValue(regionOf(m_doc.edited(), r).FontSize);
    for (Region r : dgl) region(r).seSpeed->setValue(regionOf(m_doc.edited(), r).Speed);

    {
        const QSignalBlocker block(m_barX);
        m_barX->setValue(m_doc.edited().BarX);
    }
    barXChange();
    {
        const QSignalBlocker block(m_barY);
        m_barY->setValue(m_doc.edited().BarY);
    }
    barYChange();

    region(Region::Gorny).seX->setValue(m_doc.edited().Gorny.X);
    region(Region::Gorny).seY->setValue(m_doc.edited().Gorny.Y);
    region(Region::Lewy).seX->setValue(m_doc.edited().Lewy.X);
    region(Region::Lewy).seY->setValue(m_doc.edited().Lewy.Y);
    region(Region::Dolny).seX->setValue(m_doc.edited().Dolny.X);
    region(Region::Dolny).seY->setValue(m_doc.edited().Dolny.Y);

    const int typ = m_doc.edited().TypWidoku;
    showGroupsFor(typ);
    if (isViewType(typ)) m_btnTypWidoku[typ]->setChecked(true);

    {
        const QString name = ReadText(m_doc.edited().NazwaKursu);
        const QSignalBlocker block(m_eNazwaKursu);
        m_eNazwaKursu->setMaxLength(std::max<int>(limits::NazwaKursu, name.size()));
        m_eNazwaKursu->setText(name);
    }
    eNazwaKursuChange();
    {
        const QString name = ReadText(m_doc.dane().ProjName);
        QLineEdit* box = eNazwaProjektu();
        const QSignalBlocker block(box);
        box->setMaxLength(std::max<int>(limits::ProjName, name.size()));
        box->setText(name);
    }
    eNazwaProjektuChange();

    // W.BarY already holds the position barY holds: barYChange stored it.
    m_doc.RenderLED();
    m_doc.RenderActiveBitmapSG();
    FastDrawLines(m_doc.dane(), m_doc.surfaces());
    previewChanged();
}

void TMainForm::eTextChange(Region r) {
    m_doc.setRegionText(r, region(r).eText->text());
}

void TMainForm::cNameFontChange(Region r) {
    m_doc.setRegionFont(r, region(r).cNameFont->fontName());
}

void TMainForm::seSizeChange(Region r) {
    m_doc.setRegionValue(r, RegionField::FontSize, region(r).seSize->value());
}

void TMainForm::cbFontStyleChange(Region r) {
    m_doc.setRegionValue(r, RegionField::Styl, region(r).cbFontStyle->currentIndex());
}

void TMainForm::seXChange(Region r) {
    m_doc.setRegionValue(r, RegionField::X, region(r).seX->value());
}

void TMainForm::seYChange(Region r) {
    m_doc.setRegionValue(r, RegionField::Y, region(r).seY->value());
}

void TMainForm::seSpeedChange(Region r) {
    m_doc.setRegionValue(r, RegionField::Speed, region(r).seSpeed->value());
}

void TMainForm::cbWygladzanieClick(Region r) {
    m_doc.setRegionValue(r, RegionField::Alias, region(r).cbWygladzanie->isChecked() ? 1 : 0);
}

void TMainForm::cbRuchChange(Region r) {
    QTimer* t = region(r).timer;
    if (m_doc.setMovement(r, region(r).cbRuch->currentIndex())) {
        if (!t->isActive()) t->start();
    } else {
        t->stop();
    }
}

void TMainForm::eNazwaKursuChange() {
    m_doc.setCourseName(m_eNazwaKursu->text());
}

void TMainForm::eNazwaProjektuChange() {
    m_doc.setProjectName(eNazwaProjektu()->text());
}

// --- Animation -----------------------------------------------------------------------

void TMainForm::TimerTick(Region r) {
    QTimer* t = region(r).timer;
    t->setInterval(timerInterval(regionOf(m_doc.edited(), r).Speed));
    if (stepRegion(m_doc.dane(), r).disableTimer) t->stop();
    m_doc.RenderLED();
}

// --- Preview controls ------------------------------------------------------------------

void TMainForm::TypWidokuClick(int tag) {
    const sDane& d = m_doc.dane();
    m_doc.changeView(QStringLiteral("View type"), editLang(d), editRow(d), [&] {
        m_doc.setViewType(tag);
        showGroupsFor(tag);
        placeGroups();
        UstawWidokZDanych();
        cbRuchDolnyChange();
        cbRuchGornyChange();
        cbRuchLewyChange();
        render();
    });
}

void TMainForm::barXChange() {
    if (clampBarX(m_barX->value()) != m_barX->value()) {
        const QSignalBlocker block(m_barX);
        m_barX->setValue(clampBarX(m_barX->value()));
    }
    m_doc.setBarX(m_barX->value());
}

void TMainForm::barYChange() {
    if (clampBarY(m_barY->value()) != m_barY->value()) {
        const QSignalBlocker block(m_barY);
        m_barY->setValue(clampBarY(m_barY->value()));
    }
    m_doc.setBarY(m_barY->value());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::HoverMove || event->type() == QEvent::HoverEnter) {
        for (int i = 0; i < 3; ++i)
            if (watched == m_regions[i].gb) regionMouseMove(static_cast<Region>(i));
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::regionMouseMove(Region r) {
    if (outlineRegion(m_doc.dane(), m_doc.surfaces(), r)) previewChanged();
}

void TMainForm::ZapiszJakoObrazekClick() {
    m_doc.ZapiszJakoObrazekClick(m_prompts);
}

void TMainForm::btnTestClick() {
    m_doc.btnTestClick();
}

// --- Colours ---------------------------------------------------------------------------

void TMainForm::sColorMouseDown(Region r) {
    const int current = regionOf(m_doc.edited(), r).FontColor;
    const QPoint pos = QCursor::pos();
    const int index = formColor()->GetColor(pos.x(), pos.y(), current);
    region(r).sColor->setFill(colorFromValue(Int2Color(index)));
    m_doc.setRegionValue(r, RegionField::FontColor, index);
}

void TMainForm::sBackgroundMouseDown(Region r) {
    const int current = regionOf(m_doc.edited(), r).BackColor;
    const QPoint pos = QCursor::pos();
    const int index = formColor()->GetColor(pos.x(), pos.y(), current);
    region(r).sBackground->setFill(colorFromValue(Int2Color(index)));
    m_doc.setRegionValue(r, RegionField::BackColor, index);
}

void TMainForm::ColorsRepaint() {
    const sWidok& w = m_doc.edited();
    auto fill = [](ColorSwatch* s, std::int32_t index) { s->setFill(colorFromValue(Int2Color(index))); };
    fill(region(Region::Gorny).sBackground, w.Gorny.BackColor);
    fill(region(Region::Lewy).sBackground, w.Lewy.BackColor);
    fill(region(Region::Dolny).sBackground, w.Dolny.BackColor);
    fill(region(Region::Gorny).sColor, w.Gorny.FontColor);
    fill(region(Region::Lewy).sColor, w.Lewy.FontColor);
    fill(region(Region::Dolny).sColor, w.Dolny.FontColor);
}

// --- Document hooks and File commands -------------------------------------------------

void TMainForm::setPanelMainVisible(bool visible) {
    m_panelMain->setVisible(visible);
}

void TMainForm::languagesChanged() {
    m_gbWidoki->languagesChanged();
    if (m_findings->recheckLanguages(m_doc.dane()) && m_formCheck) m_formCheck->refresh();
}

void TMainForm::gridsRepaint() {
    m_gbWidoki->gridsRepaint();
}

void TMainForm::previewChanged() {
    m_image->invalidate();
}

void TMainForm::setViewsPanelVisible(bool visible) {
    m_gbWidoki->setVisible(visible);
}

void TMainForm::activateFirstTab() {
    m_gbWidoki->activateFirstTab();
}

void TMainForm::fileNameChanged() {
    m_lFileName->setPath(m_doc.filePath());
    // A project opened or saved under a name heads the recent projects.
    if (!m_doc.filePath().isEmpty()) {
        addRecentProject(m_doc.filePath());
        fillRecentMenu();
    }
    updateTitle();
}

void TMainForm::editedRestored() {
    reloadEdited();
    setPanelMainVisible(isTrue(m_doc.edited().use));
}

void TMainForm::updateTitle() {
    // A new project with no file and no changes shows the caption alone.
    const QString path = m_doc.filePath();
    QString title = m_caption;
    if (!path.isEmpty())
        title = QFileInfo(path).fileName() + QStringLiteral("[*] \u2014 ") + m_caption;
    else if (m_doc.isModified())
        title = QStringLiteral("[*]") + m_caption;
    m_composingTitle = true;
    setWindowTitle(title);
    setWindowModified(m_doc.isModified());
    m_composingTitle = false;
}

void TMainForm::changeEvent(QEvent* event) {
    // A title set from outside (the interface language) is the new caption.
    if (event->type() == QEvent::WindowTitleChange && !m_composingTitle) {
        m_caption = windowTitle();
        if (m_titleReady) updateTitle();
    }
    QMainWindow::changeEvent(event);
}

QString TMainForm::caption() const {
    return m_caption;
}

void TMainForm::Znajdzkurs1Click() {
    if (!m_formFind) m_formFind = new TFormFind(m_doc, *m_gbWidoki, this);
    m_formFind->ShowFind();
}

void TMainForm::Nowy1Click() {
    m_doc.Nowy1Click(m_prompts);
}

void TMainForm::Otwrzprojekt1Click() {
    m_doc.Otwrzprojekt1Click(m_prompts);
}

void TMainForm::Zapiszprojekt1Click() {
    m_doc.Zapiszprojekt1Click(m_prompts);
}

void TMainForm::Zapiszjakoprojekt1Click() {
    // Save As proposes the current file (its folder and name); a project
    // without a file gets the dialog's own proposal.
    const QString proposal = m_doc.SaveDialog.fileName;
    if (!m_doc.filePath().isEmpty()) m_doc.SaveDialog.fileName = m_doc.filePath();
    m_doc.Zapiszjakoprojekt1Click(m_prompts);
    m_doc.SaveDialog.fileName = proposal;
}

void TMainForm::oprogramie1Click() {
    if (TFormAutor* about = forms().FormAutor) about->ShowModals(caption());
}

void TMainForm::Ourzdzeniu1Click() {
    if (TFormHardware* hardware = forms().FormHardware) hardware->exec();
}

}  // namespace lt
