#include "print/gui/formprint.h"

#include "editor/document.h"
#include "i18n/gui/languagecontroller.h"
#include "model/projectfile.h"
#include "model/prompts.h"
#include "print/instructions.h"
#include "print/printimage.h"
#include "print/printpage.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTemporaryDir>

namespace lt {

// --- PageImage -------------------------------------------------------------------

PageImage::PageImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageImage::setPicture(const QImage& picture) {
    m_picture = picture;
    m_shown =
        picture.isNull() ? QImage() : picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void PageImage::resizeEvent(QResizeEvent*) {
    setPicture(m_picture);
}

void PageImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_shown.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(rect(), m_shown);
}

// --- TFormPrint ------------------------------------------------------------------

namespace {
constexpr int ClientWidth = 420;
constexpr int ClientHeight = 700;
constexpr int PagePreviewHeight = 594;  // one fifth of the 2100 x 2970 page
constexpr int SheetWhat = 2;         // WhatPrint of the destinations sheet
constexpr int InstructionsWhat = 1;  // WhatPrint of the instructions sheet
}  // namespace

TFormPrint::TFormPrint(Document& doc, QWidget* owner, Prompts* prompts)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_doc(doc) {
    setObjectName(QStringLiteral("FormPrint"));
    setWindowTitle(tr("Printing all course's for bus drivers"));
    setFixedSize(ClientWidth, ClientHeight);
    setModal(true);

    Image1 = new PageImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, ClientWidth, PagePreviewHeight);

    ImageInstrukcja = new PageImage(this);
    ImageInstrukcja->setObjectName(QStringLiteral("ImageInstrukcja"));
    ImageInstrukcja->setGeometry(0, 0, ClientWidth, PagePreviewHeight);
    ImageInstrukcja->hide();

    const int stripTop = PagePreviewHeight + 2;
    const int stripHeight = ClientHeight - stripTop - 4;
    gbOption = new QGroupBox(tr("Option's"), this);
    gbOption->setObjectName(QStringLiteral("gbOption"));
    gbOption->setGeometry(4, stripTop, 170, stripHeight);
    Label1 = new QLabel(tr("Language"), gbOption);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 22, 60, 24);
    cbLang = new QComboBox(gbOption);
    cbLang->setObjectName(QStringLiteral("cbLang"));
    cbLang->setEditable(true);
    cbLang->setInsertPolicy(QComboBox::NoInsert);
    cbLang->setGeometry(70, 22, 92, 24);
    Label2 = new QLabel(tr("Page"), gbOption);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 58, 60, 24);
    sePage = new QSpinBox(gbOption);
    sePage->setObjectName(QStringLiteral("sePage"));
    // The box takes any typed number; its handler brings it into 1..6.
    sePage->setRange(0, 99);
    sePage->setValue(1);
    sePage->setGeometry(70, 58, 60, 24);

    GroupBox1 = new QGroupBox(tr("Printing"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    QFont buttons(QStringLiteral("Trebuchet MS"));
    buttons.setPointSize(14);
    GroupBox1->setFont(buttons);
    GroupBox1->setGeometry(178, stripTop, ClientWidth - 182, stripHeight);
    const int bw = GroupBox1->width() - 16;
    btnUstawienia = new QPushButton(tr("Printer settings"), GroupBox1);
    btnUstawienia->setObjectName(QStringLiteral("btnUstawienia"));
    btnUstawienia->setGeometry(8, 28, bw, 30);
    btnWyjscie = new QPushButton(tr("Exit"), GroupBox1);
    btnWyjscie->setObjectName(QStringLiteral("btnWyjscie"));
    btnWyjscie->setGeometry(8, 62, (bw - 6) / 2, 30);
    btnDrukuj = new QPushButton(tr("Print"), GroupBox1);
    btnDrukuj->setObjectName(QStringLiteral("btnDrukuj"));
    btnDrukuj->setGeometry(8 + (bw - 6) / 2 + 6, 62, bw - (bw - 6) / 2 - 6, 30);
    btnDrukuj->setDefault(true);
    btnDrukuj->setAutoDefault(true);

    connect(cbLang, &QComboBox::currentIndexChanged, this, &TFormPrint::cbLangChange);
    connect(sePage, &QSpinBox::valueChanged, this, &TFormPrint::sePageChange);
    connect(btnDrukuj, &QPushButton::clicked, this, &TFormPrint::btnDrukujClick);
    connect(btnUstawienia, &QPushButton::clicked, this, &TFormPrint::btnUstawieniaClick);
    connect(btnWyjscie, &QPushButton::clicked, this, &TFormPrint::btnWyjscieClick);

    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setPageOrientation(QPageLayout::Portrait);

    PrintDialog = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        return dialog.exec() == QDialog::Accepted;
    };
    showError = [prompts](const QString& text) {
        if (prompts)
            prompts->warning(text);
        else
            qWarning("%s", qPrintable(text));
    };
    // Last, so the controller takes the design texts as built above.
    new i18n::TDKLanguageController(this, QStringLiteral("FormPrint"));
}

int TFormPrint::chosenLanguage() const {
    return entryLanguage(cbLang->currentIndex());
}

void TFormPrint::loadPrintPage() {
    const sDane& d = m_doc.dane();
    // The entry selected last time, even when its language went out of use
    // since: the fall-back belongs to changing the box.
    const int entry = rememberedEntry(cbLang->currentIndex());
    {
        const QSignalBlocker block(cbLang);
        cbLang->clear();
        cbLang->addItems(languageEntries(d));
        cbLang->setCurrentIndex(entry);
    }
    gbOption->show();
    PrintPage(0);
    WhatPrint = SheetWhat;
}

void TFormPrint::CreatePrintPage() {
    loadPrintPage();
    showCentred();
}

void TFormPrint::loadAktualizacja() {
    gbOption->hide();
    clearPage(m_page);
    setWindowTitle(tr("Information about actualization firmware and destinations"));
    ImageInstrukcja->setPicture(instructionPicture());
    {
        QPainter p(&m_page.image());
        p.drawImage(QPoint(0, 0), ImageInstrukcja->picture());
    }
    Image1->setPicture(m_page.image());
    WhatPrint = InstructionsWhat;
}

void TFormPrint::CreateAktualizacja() {
    loadAktualizacja();
    showCentred();
}

void TFormPrint::showCentred() {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
}

void TFormPrint::PrintPage(int page) {
    setWindowTitle(tr("Destination's for drivers"));
    // Repaints go on while the page is drawn; input waits, so nothing can
    // start a second drawing of the same page bitmap.
    lt::PrintPage(m_doc.dane(), chosenLanguage(), page, m_page,
                  [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    Image1->setPicture(m_page.image());
}

void TFormPrint::cbLangChange() {
    const int entry = languageFallback(m_doc.dane(), cbLang->currentIndex());
    if (entry != cbLang->currentIndex()) {
        const QSignalBlocker block(cbLang);
        cbLang->setCurrentIndex(entry);
    }
    PrintPage(clampPage(sePage->value()) - 1);
}

void TFormPrint::sePageChange() {
    const int value = clampPage(sePage->value());
    if (value != sePage->value()) {
        const QSignalBlocker block(sePage);
        sePage->setValue(value);
    }
    PrintPage(value - 1);
}

QString TFormPrint::printLoaded(QPrinter& printer) {
    // A sheet printed to a PDF file is made in a scratch folder first and
    // then written over the chosen file as a whole, so a print that fails
    // leaves the file that was there intact.
    const QString target =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QTemporaryDir scratch;
    if (!target.isEmpty()) {
        if (!scratch.isValid()) return scratch.errorString();
        printer.setOutputFileName(scratch.filePath(QStringLiteral("sheet.pdf")));
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QSize area = printer.pageRect(QPrinter::DevicePixel).toRect().size();
    QString error;
    if (WhatPrint == InstructionsWhat) {
        error = printPages(printer, area, 1, [this](int) { return m_page.image(); });
    } else {
        error = printPages(printer, area, SheetPageCount, [this](int p) {
            PrintPage(p);
            return m_page.image();
        });
    }
    QGuiApplication::restoreOverrideCursor();
    if (!target.isEmpty()) {
        const QString made = printer.outputFileName();
        printer.setOutputFileName(target);
        if (error.isEmpty()) {
            QByteArray pdf;
            if (readWholeFile(made, pdf, error))
                error = writeFileAtomically(target, pdf.constData(), pdf.size());
            if (!error.isEmpty()) error = msgWriteFailed(target, error);
        }
    }
    return error;
}

void TFormPrint::btnDrukujClick() {
    m_printer.setCopyCount(1);
    if (!PrintDialog || !PrintDialog(m_printer)) return;
    const QString error = printLoaded(m_printer);
    if (!error.isEmpty() && showError) showError(error);
}

void TFormPrint::btnUstawieniaClick() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void TFormPrint::btnWyjscieClick() {
    close();
}

}  // namespace lt
