// The menu commands of the main window that run other parts of the program:
// printing, the pendrive file, firmware and fonts, the display settings.
#include "app/forms.h"
#include "app/mainform.h"
#include "depot/gui/formplayer.h"
#include "depot/recover.h"
#include "display/gui/formlcd.h"
#include "display/gui/formmodules.h"
#include "editor/pendrive.h"
#include "editor/projectcommands.h"
#include "print/gui/formprint.h"

namespace lt {

void TMainForm::Drukujinstrukcj1Click() {
    // File > Print instrucion: the update instructions sheet.
    if (auto* f = qobject_cast<TFormPrint*>(forms().FormPrint)) f->CreateAktualizacja();
}

void TMainForm::Drukujdlakierowcy1Click() {
    // File > Print course: the print dialog FormPrint.
    if (auto* f = qobject_cast<TFormPrint*>(forms().FormPrint)) f->CreatePrintPage();
}

void TMainForm::Importujzplikuwywitlacza1Click() {
    // Edit > Import from pendrive (not shown).
    lt::Importujzplikuwywitlacza1Click(m_doc, m_prompts);
    if (m_formPlayer) m_formPlayer->followFlash();
}

void TMainForm::Odzyskajprojekt1Click() {
    // File > Recover project from pendrive: the project rebuilt from a pendrive file.
    lt::RecoverProjectClick(m_doc, m_prompts);
}

void TMainForm::Eksportujdoplikuwywietlacza1Click() {
    // Edit > Export to pendrive: builds the display image and writes it.
    lt::Eksportujdoplikuwywietlacza1Click(m_doc, m_prompts);
    // A player showing the image last exported plays the new one.
    if (m_formPlayer) m_formPlayer->followFlash();
}

void TMainForm::Importujoprogramowaniesprztowe1Click() {
    // Edit > Import firmware (not shown).
    m_doc.change(QStringLiteral("Import firmware"),
                 [this] { lt::Importujoprogramowaniesprztowe1Click(m_doc, m_prompts); });
}

void TMainForm::Importujczcionki1Click() {
    // Edit > Font import (not shown).
    lt::Importujczcionki1Click(m_doc, m_prompts);
}

void TMainForm::Odtworzplikpendrive1Click() {
    // Edit > Play pendrive file…: the player window, made at its first use.
    if (!m_formPlayer) m_formPlayer = new TFormPlayer(m_doc, m_prompts, this);
    m_formPlayer->ShowPlayer();
}

void TMainForm::LEDContrast1Click() {
    // Options > LCD contrast on display: FormLCD.
    if (auto* f = qobject_cast<TFormLCD*>(forms().FormLCD))
        m_doc.change(QStringLiteral("LCD contrast"), [&] { lt::LEDContrast1Click(m_doc, *f); });
}

void TMainForm::mnModulesClick() {
    // Options > Display model: FormModules.
    if (auto* f = qobject_cast<TFormModules*>(forms().FormModules))
        m_doc.change(QStringLiteral("Display model"), [&] { lt::mnModulesClick(*f); });
}

void TMainForm::LEDlanguages1Click() {
    m_prompts.message(QStringLiteral("Give the LED language"));
}

}  // namespace lt
