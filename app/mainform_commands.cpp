// The menu commands of the main window that run other parts of the program:
// printing, the pendrive file, firmware and fonts, the display settings.
#include "app/forms.h"
#include "app/mainform.h"

namespace lt {

void TMainForm::Drukujinstrukcj1Click() {
    // File > Print instrucion: the update instructions sheet.
}

void TMainForm::Drukujdlakierowcy1Click() {
    // File > Print course: the print dialog FormPrint.
}

void TMainForm::Importujzplikuwywitlacza1Click() {
    // Edit > Import from pendrive (not shown).
}

void TMainForm::Eksportujdoplikuwywietlacza1Click() {
    // Edit > Export to pendrive: builds the display image and writes it.
}

void TMainForm::Importujoprogramowaniesprztowe1Click() {
    // Edit > Import firmware (not shown).
}

void TMainForm::Importujczcionki1Click() {
    // Edit > Font import (not shown).
}

void TMainForm::LEDContrast1Click() {
    // Options > LCD contrast on display: FormLCD.
}

void TMainForm::mnModulesClick() {
    // Options > Display model: FormModules.
}

void TMainForm::LEDlanguages1Click() {
    m_prompts.message(QStringLiteral("Give the LED language"));
}

}  // namespace lt
