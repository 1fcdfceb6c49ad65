// The print window: its components, the language and page boxes as the user
// works them, and printing through the print path to real PDF files.
#include "editor/document.h"
#include "print/gui/formprint.h"
#include "print/instructions.h"
#include "print/printpage.h"
#include "print_fixture.h"
#include "tests/support/scripted_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FormPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.newDane();
        StringToWideChar(QStringLiteral("Depot"), doc.dane().ProjName);
        setLanguage(doc.dane(), 2, QStringLiteral("Polski"), true);
        setView(doc.dane(), 1, 1, vtTop, {}, QStringLiteral("Harbour"), {});
        setView(doc.dane(), 2, 1, vtTop, {}, QStringLiteral("Port Łódź"), {});
        setView(doc.dane(), 2, 300, vtLeftTop, QStringLiteral("9"), QStringLiteral("Zajezdnia"), {});
    }
    /// The page bitmap as the core draws page p of language l.
    QImage corePage(int l, int p) {
        Bitmap page;
        PrintPage(doc.dane(), l, p, page);
        return page.image();
    }
    /// Makes the print dialog answer by printing to a PDF file.
    void printTo(const QString& path) {
        form.PrintDialog = [path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        };
    }

    Document doc;
    TFormPrint form{doc};
    TempDir dir;
};

TEST_F(FormPrintTest, ComponentsCarryTheirNamesAndCaptions) {
    EXPECT_EQ(form.objectName(), QStringLiteral("FormPrint"));
    EXPECT_EQ(form.size(), QSize(420, 700));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Printing all course's for bus drivers"));
    EXPECT_EQ(form.WhatPrint, 0);
    const auto caption = [&](const char* name) -> QString {
        QObject* o = form.findChild<QObject*>(QString::fromLatin1(name));
        if (!o) return QStringLiteral("<missing>");
        if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
        if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
        if (auto* b = qobject_cast<QPushButton*>(o)) return b->text();
        return QString();
    };
    EXPECT_EQ(caption("gbOption"), QStringLiteral("Option's"));
    EXPECT_EQ(caption("Label1"), QStringLiteral("Language"));
    EXPECT_EQ(caption("Label2"), QStringLiteral("Page"));
    EXPECT_EQ(caption("GroupBox1"), QStringLiteral("Printing"));
    EXPECT_EQ(caption("btnWyjscie"), QStringLiteral("Exit"));
    EXPECT_EQ(caption("btnUstawienia"), QStringLiteral("Printer settings"));
    EXPECT_EQ(caption("btnDrukuj"), QStringLiteral("Print"));
    for (const char* name : {"Image1", "ImageInstrukcja", "cbLang", "sePage"})
        EXPECT_NE(form.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(form.drukuj()->isDefault());
    EXPECT_TRUE(form.lang()->isEditable());
    EXPECT_EQ(form.page()->value(), 1);
    const QFont f = form.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->font();
    EXPECT_EQ(f.family(), QStringLiteral("Trebuchet MS"));
    EXPECT_EQ(f.pointSize(), 14);
    EXPECT_EQ(form.image1()->geometry(), QRect(0, 0, 420, 594));
    EXPECT_FALSE(form.imageInstrukcja()->isVisibleTo(&form));
}

TEST_F(FormPrintTest, OpeningTheSheetPreviewsPageOneOfTheRememberedLanguage) {
    form.loadPrintPage();
    EXPECT_EQ(form.WhatPrint, 2);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Destination's for drivers"));
    EXPECT_TRUE(form.option()->isVisibleTo(&form));
    ASSERT_EQ(form.lang()->count(), 3);
    EXPECT_EQ(form.lang()->itemText(0), QStringLiteral("English"));
    EXPECT_EQ(form.lang()->itemText(1), QStringLiteral("Polski"));
    EXPECT_EQ(form.lang()->itemText(2), QStringLiteral("Not used 3"));
    EXPECT_EQ(form.lang()->currentIndex(), 0);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 0));
    // The preview shows the page at one fifth, smoothly reduced.
    EXPECT_EQ(form.image1()->shown().size(), QSize(420, 594));
    EXPECT_EQ(form.image1()->shown(),
              corePage(1, 0).scaled(420, 594, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    // The selection is remembered; the page box keeps its value while page 1 shows.
    form.lang()->setCurrentIndex(1);
    form.page()->setValue(4);
    form.loadPrintPage();
    EXPECT_EQ(form.lang()->currentIndex(), 1);
    EXPECT_EQ(form.page()->value(), 4);
    EXPECT_EQ(form.pageBitmap().image(), corePage(2, 0));
    // A remembered language that went out of use since is still the one it
    // reopens on; the fall-back waits for the user to change the box.
    setLanguage(doc.dane(), 2, QStringLiteral("Polski"), false);
    form.loadPrintPage();
    EXPECT_EQ(form.lang()->currentIndex(), 1);
    EXPECT_EQ(form.lang()->itemText(1), QStringLiteral("Not used 2"));
    EXPECT_EQ(form.chosenLanguage(), 2);
    EXPECT_EQ(form.pageBitmap().image(), corePage(2, 0));
    form.lang()->setCurrentIndex(2);  // "Not used 3" falls back twice
    EXPECT_EQ(form.lang()->currentIndex(), 0);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 3));
}

TEST_F(FormPrintTest, ChoosingALanguageNotInUseFallsBackAndRedraws) {
    form.loadPrintPage();
    form.page()->setValue(6);
    form.lang()->setCurrentIndex(2);  // "Not used 3"
    EXPECT_EQ(form.lang()->currentIndex(), 1);
    EXPECT_EQ(form.chosenLanguage(), 2);
    EXPECT_EQ(form.pageBitmap().image(), corePage(2, 5));
    form.lang()->setCurrentIndex(0);
    EXPECT_EQ(form.lang()->currentIndex(), 0);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 5));

    setLanguage(doc.dane(), 2, QStringLiteral("Polski"), false);
    form.loadPrintPage();
    for (int entry : {1, 2}) {
        form.lang()->setCurrentIndex(entry);
        EXPECT_EQ(form.lang()->currentIndex(), 0) << entry;
    }
}

TEST_F(FormPrintTest, PageBoxIsKeptWithinOneToSix) {
    form.loadPrintPage();
    form.page()->setValue(9);
    EXPECT_EQ(form.page()->value(), 6);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 5));
    form.page()->setValue(0);
    EXPECT_EQ(form.page()->value(), 1);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 0));
    form.page()->setValue(3);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 2));
}

TEST_F(FormPrintTest, PrintSendsAllSixPagesAndLeavesPageSixInThePreview) {
    form.loadPrintPage();
    form.lang()->setCurrentIndex(1);
    form.page()->setValue(2);
    const QString pdf = dir.file(QStringLiteral("sheet.pdf"));
    printTo(pdf);
    form.drukuj()->click();
    EXPECT_EQ(pdfPageCount(fileBytes(pdf)), 6);
    EXPECT_EQ(form.pageBitmap().image(), corePage(2, 5));

    // Cancelling the dialog prints nothing.
    const QString none = dir.file(QStringLiteral("none.pdf"));
    form.PrintDialog = [&](QPrinter& printer) {
        printer.setOutputFileName(none);
        return false;
    };
    form.drukuj()->click();
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(FormPrintTest, InstructionsSheetHidesTheBoxesAndPrintsOnePage) {
    form.loadPrintPage();
    form.page()->setValue(5);
    form.loadAktualizacja();
    EXPECT_EQ(form.WhatPrint, 1);
    EXPECT_FALSE(form.option()->isVisibleTo(&form));
    EXPECT_EQ(form.windowTitle(),
              QStringLiteral("Information about actualization firmware and destinations"));
    EXPECT_EQ(form.pageBitmap().image().convertToFormat(QImage::Format_RGB32),
              instructionPicture().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(form.image1()->shown().size(), QSize(420, 594));
    const QString pdf = dir.file(QStringLiteral("instructions.pdf"));
    printTo(pdf);
    form.drukuj()->click();
    EXPECT_EQ(pdfPageCount(fileBytes(pdf)), 1);

    // Opening the sheet again shows the boxes and redraws the page.
    form.loadPrintPage();
    EXPECT_TRUE(form.option()->isVisibleTo(&form));
    EXPECT_EQ(form.WhatPrint, 2);
    EXPECT_EQ(form.pageBitmap().image(), corePage(1, 0));
}

TEST_F(FormPrintTest, PlatformPrintDialogPrintsToAPdfFile) {
    form.loadPrintPage();
    const QString pdf = dir.file(QStringLiteral("dialog.pdf"));
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(pdf);
    bool seen = false;
    QTimer::singleShot(200, [&] {
        if (auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            d->accept();
        }
    });
    form.btnDrukujClick();
    EXPECT_TRUE(seen);
    EXPECT_EQ(pdfPageCount(fileBytes(pdf)), 6);

    seen = false;
    QTimer::singleShot(200, [&] {
        if (auto* d = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            d->reject();
        }
    });
    form.ustawienia()->click();
    EXPECT_TRUE(seen);
}

TEST_F(FormPrintTest, FailureOfThePrinterIsReported) {
    form.loadPrintPage();
    QFile plain(dir.file(QStringLiteral("plain.txt")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    printTo(plain.fileName() + QStringLiteral("/sheet.pdf"));
    QStringList shown;
    form.showError = [&](const QString& text) { shown << text; };
    form.drukuj()->click();
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(FormPrintTest, PdfThatCannotBeWrittenLeavesTheOldFileAndSaysWhy) {
    form.loadPrintPage();
    QStringList shown;
    form.showError = [&](const QString& text) { shown << text; };

    // A sheet printed over an earlier one replaces it whole.
    const QString pdf = dir.file(QStringLiteral("sheet.pdf"));
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old sheet");
    }
    printTo(pdf);
    form.drukuj()->click();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(pdfPageCount(fileBytes(pdf)), 6);
    EXPECT_EQ(form.printer().outputFileName(), pdf);

    // A folder in the way, and a full device: the system's reason is shown,
    // and the folder and the earlier sheet are as they were.
    const QString folder = dir.file(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QByteArray before = fileBytes(pdf);
    for (const QString& target : {folder, QStringLiteral("/dev/full")}) {
        shown.clear();
        printTo(target);
        form.drukuj()->click();
        ASSERT_EQ(shown.size(), 1) << target.toStdString();
        EXPECT_FALSE(shown[0].isEmpty());
        EXPECT_EQ(form.printer().outputFileName(), target);
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(fileBytes(pdf), before);
    // Nothing is left behind beside the chosen file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}

}  // namespace
}  // namespace lt::test
