#pragma once
// The language controller of one window (`dkLang`): the window's numbered
// texts with their design texts, and how each one is put on its widget.

#include "i18n/langmanager.h"
#include "i18n/windowtexts.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <span>
#include <vector>

namespace lt::i18n {

/// One translatable text as a widget holds it: a string, or a list of strings.
struct TextValue {
    bool isList = false;
    QString text;       // when !isList
    QStringList lines;  // when isList
    bool operator==(const TextValue&) const = default;
};

/// The component at `path` ("gbWidoki", "OpenPictureDialog.PreviewButton")
/// inside `window`; the window itself when the path is its name. Other
/// windows parented to this one (dialogs) are not searched. Null when absent.
QObject* findComponent(QWidget* window, const QString& windowName, const QString& path);

/// Reads and writes a translatable property of a component: "Caption"
/// (window title, group-box and menu title, label, button and action text,
/// tab caption), "Text" (text boxes, editable lists), "Items" (list entries),
/// "Lines" (memo lines) and any string property of that name ("Title",
/// "Filter", "Hint", ...). "Name" is never touched. False when the component
/// has no such text.
bool readTextProperty(QObject* component, bool isWindow, const QString& property, TextValue* value);
bool writeTextProperty(QObject* component, bool isWindow, const QString& property, const TextValue& value);

class TDKLanguageController : public QObject, public LanguageTarget {
    Q_OBJECT
public:
    /// Takes the design texts of `window` now, so make it right after the
    /// window's widgets exist and before any other code changes them; then
    /// registers with the manager, which translates the window at once when a
    /// language other than the default one is current. The controller is a
    /// child of the window and ends with it.
    TDKLanguageController(QWidget* window, const QString& windowName, std::span<const TextEntry> entries);
    /// The same with the window's own list of translatable texts.
    TDKLanguageController(QWidget* window, const QString& windowName);
    ~TDKLanguageController() override;

    QString languageWindowName() const override { return m_windowName; }
    void applyTranslations(const WindowTexts* texts) override;

    /// The design text of entry `id` (a list joined by line feeds); empty when
    /// the entry is unknown or its component has not been seen.
    QString designText(int id) const;
    /// The error of translating the window when it loaded, if any.
    QString loadError() const { return m_loadError; }

private:
    struct Slot {
        TextEntry entry;
        bool captured = false;  // design text known
        TextValue design;
        TextValue shown;  // what this controller last put there (or the design text)
    };

    void capture(Slot& slot, QObject* component, bool isWindow);

    QPointer<QWidget> m_window;
    QString m_windowName;
    std::vector<Slot> m_slots;
    QString m_loadError;
};

}  // namespace lt::i18n
