#pragma once
// The translatable texts of the windows that carry a language controller:
// for each entry the component path inside its window, the property and the
// number a language file addresses it by. The numbers bind the language files
// and never change.

#include <QString>
#include <QStringList>

#include <span>

namespace lt::i18n {

struct TextEntry {
    const char* path;      // component name, or a dotted path ("OpenPictureDialog.PreviewButton")
    const char* property;  // "Caption", "Text", "Items", "Lines", "Title", "Filter", "Hint", ...
    int id;                // entry number, unique within the window
};

std::span<const TextEntry> mainFormTexts();      // "MainForm", 162 entries
std::span<const TextEntry> formPrintTexts();     // "FormPrint", 10 entries
std::span<const TextEntry> formAutorTexts();     // "FormAutor", 3 entries
std::span<const TextEntry> formHardwareTexts();  // "FormHardware", 2 entries
std::span<const TextEntry> formPlayerTexts();    // "FormPlayer", 21 entries
std::span<const TextEntry> formCheckTexts();     // "FormCheck", 8 entries and the finding texts
std::span<const TextEntry> messageTexts();       // "Messages": the added commands' messages
std::span<const TextEntry> formFindTexts();      // "FormFind", 4 entries
std::span<const TextEntry> formChangesTexts();   // "FormChanges", 4 entries

/// The list of a window by its name (any case); empty for other windows.
std::span<const TextEntry> textEntriesFor(const QString& windowName);
/// The names of the translatable windows, in the order they load (the
/// player and the find window on first use, after the others), and last the
/// section of the messages, which belongs to no window.
QStringList translatableWindows();

/// Whether a property holds a list of strings, one per line of its text.
bool isStringListProperty(const QString& property);

}  // namespace lt::i18n
