#pragma once
// The windows of the run, created once at start-up and kept until the end:
// the main window looks its dialogs up here.

class QWidget;

namespace lt {

class TFormAutor;
class TFormCheck;
class TFormColor;
class TFormHardware;
class TMainForm;

struct Forms {
    TMainForm* MainForm = nullptr;
    TFormHardware* FormHardware = nullptr;
    QWidget* FormPrint = nullptr;  // TFormPrint, the print dialog
    TFormColor* FormColor = nullptr;
    QWidget* FormOption = nullptr;   // TFormOption, the display languages
    QWidget* FormLCD = nullptr;      // TFormLCD, LCD type and contrast
    QWidget* FormModules = nullptr;  // TFormModules, the LED module catalogue
    TFormAutor* FormAutor = nullptr;
    TFormCheck* FormCheck = nullptr;  // the check window, made by the main window
};

/// The windows of this run (all null until start-up creates them).
Forms& forms();

}  // namespace lt
