#pragma once
// The print window `FormPrint`: previews a page of the loaded sheet (the
// destinations sheet for drivers or the update instructions) at one fifth of
// its size and prints the sheet through the platform's print dialog.

#include "render/bitmap.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace lt {

class Document;

/// An image component showing a picture stretched smoothly to its own size.
class PageImage : public QWidget {
public:
    explicit PageImage(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    /// The picture as the component shows it.
    const QImage& shown() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage m_picture;
    QImage m_shown;
};

class Prompts;

class TFormPrint : public QDialog {
    Q_OBJECT
public:
    /// Failures of the printer are shown through `prompts` when given.
    explicit TFormPrint(Document& doc, QWidget* owner = nullptr, Prompts* prompts = nullptr);

    /// Which sheet is loaded: 2 the destinations sheet, 1 the instructions, 0 none yet.
    int WhatPrint = 0;

    /// "Print course": loads the destinations sheet and shows the window modally.
    void CreatePrintPage();
    /// "Print instrucion": loads the instructions sheet and shows the window modally.
    void CreateAktualizacja();
    /// Both commands without the modal showing (what they do before it).
    void loadPrintPage();
    void loadAktualizacja();

    /// Draws page `page` (0..5) of the destinations sheet in the chosen language
    /// into the page bitmap and the preview.
    void PrintPage(int page);

    /// What Print does once the print dialog is confirmed: the loaded sheet on
    /// `printer`, one page for the instructions, all six pages for the
    /// destinations sheet. Returns an empty string, else what failed.
    QString printLoaded(QPrinter& printer);

    /// The printer the dialogs set up and Print prints on.
    QPrinter& printer() { return m_printer; }
    /// Shows the print dialog for `printer`; true when the user confirms.
    /// Replaceable, so that tests can answer it.
    std::function<bool(QPrinter&)> PrintDialog;
    /// Shows a failure of the printer to the user. Replaceable for tests.
    std::function<void(const QString&)> showError;

    const Bitmap& pageBitmap() const { return m_page; }
    /// The language (1..3) the destinations sheet is drawn in.
    int chosenLanguage() const;

    PageImage* image1() const { return Image1; }
    PageImage* imageInstrukcja() const { return ImageInstrukcja; }
    QGroupBox* option() const { return gbOption; }
    QComboBox* lang() const { return cbLang; }
    QSpinBox* page() const { return sePage; }
    QPushButton* drukuj() const { return btnDrukuj; }
    QPushButton* ustawienia() const { return btnUstawienia; }
    QPushButton* wyjscie() const { return btnWyjscie; }

public slots:
    void cbLangChange();
    void sePageChange();
    void btnDrukujClick();
    void btnUstawieniaClick();
    void btnWyjscieClick();

private:
    void showCentred();

    Document& m_doc;
    Bitmap m_page;  // the page bitmap, 2100 x 2970
    QPrinter m_printer{QPrinter::HighResolution};
    PageImage* Image1;
    PageImage* ImageInstrukcja;
    QGroupBox* gbOption;
    QLabel* Label1;
    QComboBox* cbLang;
    QLabel* Label2;
    QSpinBox* sePage;
    QGroupBox* GroupBox1;
    QPushButton* btnWyjscie;
    QPushButton* btnUstawienia;
    QPushButton* btnDrukuj;
};

}  // namespace lt
