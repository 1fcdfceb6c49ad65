#include "i18n/gui/languagecontroller.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

#include <deque>

namespace lt::i18n {

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

/// Whether the search for a window's components goes on into `child`: not
/// into other windows (dialogs parented to this one), but into popup menus.
bool searchInto(QObject* child) {
    auto* w = qobject_cast<QWidget*>(child);
    return !w || !w->isWindow() || qobject_cast<QMenu*>(w);
}

/// The nearest object named `name` below `root`, level by level.
QObject* findBelow(QObject* root, const QString& name) {
    std::deque<QObject*> queue{root};
    while (!queue.empty()) {
        QObject* o = queue.front();
        queue.pop_front();
        for (QObject* child : o->children()) {
            if (!searchInto(child)) continue;
            if (sameName(child->objectName(), name)) return child;
            queue.push_back(child);
        }
    }
    return nullptr;
}

/// The tab widget that shows `page` as one of its tabs, and the tab's index.
QTabWidget* tabOf(QWidget* page, int* index) {
    QWidget* stack = page->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs || !qobject_cast<QStackedWidget*>(stack)) return nullptr;
    *index = tabs->indexOf(page);
    return *index >= 0 ? tabs : nullptr;
}

/// Widgets whose text is what the operator or the project put there; the
/// system keeps their contents once anything else has changed them.
bool isEditingContent(QObject* o, const QString& property) {
    if (property.compare(QLatin1String("Text"), Qt::CaseInsensitive) != 0 &&
        property.compare(QLatin1String("Lines"), Qt::CaseInsensitive) != 0)
        return false;
    return qobject_cast<QLineEdit*>(o) || qobject_cast<QComboBox*>(o) || qobject_cast<QPlainTextEdit*>(o) ||
           qobject_cast<QTextEdit*>(o);
}

/// Translated texts carry line breaks as CR LF; widgets break lines at LF.
QString widgetBreaks(QString s) {
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QStringList comboItems(const QComboBox* cb) {
    QStringList items;
    for (int i = 0; i < cb->count(); ++i) items.append(cb->itemText(i));
    return items;
}

/// New entries for a list box, keeping its selected position (within the new
/// count) and the text typed into it, without firing its change handlers: the
/// position is project data.
void setComboItems(QComboBox* cb, const QStringList& items) {
    const QSignalBlocker block(cb);
    const int index = cb->currentIndex();
    const QString typed = cb->currentText();
    int i = 0;
    for (; i < items.size() && i < cb->count(); ++i) cb->setItemText(i, items[i]);
    while (cb->count() > items.size()) cb->removeItem(cb->count() - 1);
    for (; i < items.size(); ++i) cb->addItem(items[i]);
    cb->setCurrentIndex(index < cb->count() ? index : cb->count() - 1);
    if (cb->isEditable()) cb->setEditText(typed);  // what was typed is no entry text
}

QStringList listItems(const QListWidget* lw) {
    QStringList items;
    for (int i = 0; i < lw->count(); ++i) items.append(lw->item(i)->text());
    return items;
}

QMetaProperty stringProperty(const QObject* o, const QString& property) {
    if (sameName(property, QStringLiteral("Name")) || sameName(property, QStringLiteral("objectName")))
        return {};
    const QMetaObject* mo = o->metaObject();
    const int i = mo->indexOfProperty(property.toLatin1().constData());
    if (i < 0) return {};
    const QMetaProperty p = mo->property(i);
    const int type = p.metaType().id();
    if (!p.isWritable() || (type != QMetaType::QString && type != QMetaType::QStringList)) return {};
    return p;
}

bool readCaption(QObject* o, bool isWindow, QString* s) {
    auto* w = qobject_cast<QWidget*>(o);
    if (isWindow && w) return *s = w->windowTitle(), true;
    if (auto* m = qobject_cast<QMenu*>(o)) return *s = m->title(), true;
    if (auto* a = qobject_cast<QAction*>(o)) return *s = a->text(), true;
    if (auto* g = qobject_cast<QGroupBox*>(o)) return *s = g->title(), true;
    if (auto* l = qobject_cast<QLabel*>(o)) return *s = l->text(), true;
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return *s = b->text(), true;
    if (w) {
        int index = -1;
        if (QTabWidget* tabs = tabOf(w, &index)) return *s = tabs->tabText(index), true;
        if (w->isWindow() || qobject_cast<QDockWidget*>(w)) return *s = w->windowTitle(), true;
        // A tab page not shown as a tab at the moment keeps its caption as its title.
        if (qobject_cast<QStackedWidget*>(w->parentWidget())) return *s = w->windowTitle(), true;
    }
    return false;
}

bool writeCaption(QObject* o, bool isWindow, const QString& s) {
    auto* w = qobject_cast<QWidget*>(o);
    if (isWindow && w) return w->setWindowTitle(s), true;
    if (auto* m = qobject_cast<QMenu*>(o)) return m->setTitle(s), true;
    if (auto* a = qobject_cast<QAction*>(o)) return a->setText(s), true;
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->setTitle(s), true;
    if (auto* l = qobject_cast<QLabel*>(o)) return l->setText(s), true;
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->setText(s), true;
    if (w) {
        int index = -1;
        if (QTabWidget* tabs = tabOf(w, &index)) return tabs->setTabText(index, s), true;
        if (w->isWindow() || qobject_cast<QDockWidget*>(w)) return w->setWindowTitle(s), true;
        if (qobject_cast<QStackedWidget*>(w->parentWidget())) return w->setWindowTitle(s), true;
    }
    return false;
}

}  // namespace

QObject* findComponent(QWidget* window, const QString& windowName, const QString& path) {
    if (!window) return nullptr;
    const QStringList parts = path.split(QLatin1Char('.'));
    QObject* o = window;
    for (int i = 0; i < parts.size() && o; ++i) {
        if (i == 0 && (sameName(parts[0], windowName) || sameName(parts[0], window->objectName()))) continue;
        o = findBelow(o, parts[i]);
    }
    return o;
}

bool readTextProperty(QObject* o, bool isWindow, const QString& property, TextValue* v) {
    if (!o) return false;
    *v = TextValue{};
    if (sameName(property, QStringLiteral("Caption")) && readCaption(o, isWindow, &v->text)) return true;
    if (sameName(property, QStringLiteral("Text"))) {
        if (auto* e = qobject_cast<QLineEdit*>(o)) return v->text = e->text(), true;
        // The text of a pick-only list is its selected entry, which is project
        // data; only a list that can be typed into has a text of its own.
        if (auto* cb = qobject_cast<QComboBox*>(o))
            return cb->isEditable() ? (v->text = cb->currentText(), true) : false;
        if (auto* p = qobject_cast<QPlainTextEdit*>(o)) return v->text = p->toPlainText(), true;
        if (auto* t = qobject_cast<QTextEdit*>(o)) return v->text = t->toPlainText(), true;
    }
    if (isStringListProperty(property)) {
        v->isList = true;
        if (auto* cb = qobject_cast<QComboBox*>(o)) return v->lines = comboItems(cb), true;
        if (auto* lw = qobject_cast<QListWidget*>(o)) return v->lines = listItems(lw), true;
        if (auto* p = qobject_cast<QPlainTextEdit*>(o))
            return v->lines = splitLangLines(p->toPlainText()), true;
        if (auto* t = qobject_cast<QTextEdit*>(o)) return v->lines = splitLangLines(t->toPlainText()), true;
    }
    const QMetaProperty p = stringProperty(o, property);
    if (!p.isValid()) {
        // A widget's hint is its tooltip.
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || !sameName(property, QStringLiteral("Hint"))) return false;
        return v->text = w->toolTip(), true;
    }
    const QVariant value = p.read(o);
    v->isList = p.metaType().id() == QMetaType::QStringList;
    if (v->isList)
        v->lines = value.toStringList();
    else
        v->text = value.toString();
    return true;
}

bool writeTextProperty(QObject* o, bool isWindow, const QString& property, const TextValue& v) {
    if (!o) return false;
    const QString text = widgetBreaks(v.isList ? v.lines.join(QLatin1Char('\n')) : v.text);
    if (sameName(property, QStringLiteral("Caption")) && writeCaption(o, isWindow, text)) return true;
    if (sameName(property, QStringLiteral("Text"))) {
        // Signals stay blocked: a handler would store the text into the project.
        if (auto* e = qobject_cast<QLineEdit*>(o)) {
            const QSignalBlocker block(e);
            return e->setText(text), true;
        }
        if (auto* cb = qobject_cast<QComboBox*>(o)) {
            if (!cb->isEditable()) return false;
            const QSignalBlocker block(cb);
            return cb->setEditText(text), true;
        }
        if (auto* p = qobject_cast<QPlainTextEdit*>(o)) {
            const QSignalBlocker block(p);
            return p->setPlainText(text), true;
        }
        if (auto* t = qobject_cast<QTextEdit*>(o)) {
            const QSignalBlocker block(t);
            return t->setPlainText(text), true;
        }
    }
    if (isStringListProperty(property)) {
        const QStringList lines = v.isList ? v.lines : splitLangLines(v.text);
        if (auto* cb = qobject_cast<QComboBox*>(o)) return setComboItems(cb, lines), true;
        if (auto* lw = qobject_cast<QListWidget*>(o)) {
            const QSignalBlocker block(lw);
            const int row = lw->currentRow();
            lw->clear();
            lw->addItems(lines);
            if (row < lw->count()) lw->setCurrentRow(row);
            return true;
        }
        if (auto* p = qobject_cast<QPlainTextEdit*>(o)) {
            const QSignalBlocker block(p);
            return p->setPlainText(lines.join(QLatin1Char('\n'))), true;
        }
        if (auto* t = qobject_cast<QTextEdit*>(o)) {
            const QSignalBlocker block(t);
            return t->setPlainText(lines.join(QLatin1Char('\n'))), true;
        }
    }
    const QMetaProperty p = stringProperty(o, property);
    if (!p.isValid()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || !sameName(property, QStringLiteral("Hint"))) return false;
        return w->setToolTip(text), true;
    }
    if (p.metaType().id() == QMetaType::QStringList)
        return p.write(o, v.isList ? v.lines : splitLangLines(v.text));
    return p.write(o, v.isList ? v.lines.join(QStringLiteral("\r\n")) : v.text);
}

TDKLanguageController::TDKLanguageController(QWidget* window, const QString& windowName,
                                             std::span<const TextEntry> entries)
    : QObject(window), m_window(window), m_windowName(windowName) {
    setObjectName(QStringLiteral("dkLang"));
    m_slots.reserve(entries.size());
    for (const TextEntry& e : entries) {
        Slot slot{e, false, {}, {}};
        QObject* c = findComponent(window, windowName, QString::fromLatin1(e.path));
        if (c) capture(slot, c, c == window);
        m_slots.push_back(std::move(slot));
    }
    m_loadError = LangManager().AddLanguageController(this);
}

TDKLanguageController::TDKLanguageController(QWidget* window, const QString& windowName)
    : TDKLanguageController(window, windowName, textEntriesFor(windowName)) {}

TDKLanguageController::~TDKLanguageController() {
    LangManager().RemoveLanguageController(this);
}

void TDKLanguageController::capture(Slot& slot, QObject* component, bool isWindow) {
    slot.captured =
        readTextProperty(component, isWindow, QString::fromLatin1(slot.entry.property), &slot.design);
    slot.shown = slot.design;
}

void TDKLanguageController::applyTranslations(const WindowTexts* texts) {
    QWidget* window = m_window.data();
    if (!window) return;
    for (Slot& slot : m_slots) {
        const QString property = QString::fromLatin1(slot.entry.property);
        QObject* c = findComponent(window, m_windowName, QString::fromLatin1(slot.entry.path));
        if (!c) continue;  // not (yet) part of this window
        const bool isWindow = c == window;
        // A component made after the window loaded shows its design text
        // until the first translation reaches it.
        if (!slot.captured) capture(slot, c, isWindow);
        if (!slot.captured) continue;
        TextValue value = slot.design;
        if (texts) {
            const auto it = texts->find(slot.entry.id);
            if (it != texts->end()) {
                value.isList = slot.design.isList;
                if (value.isList)
                    value.lines = splitLangLines(it->second);
                else
                    value.text = widgetBreaks(it->second);
            }
        }
        if (isEditingContent(c, property)) {
            TextValue now;
            if (!readTextProperty(c, isWindow, property, &now) || now != slot.shown) continue;
        }
        if (writeTextProperty(c, isWindow, property, value))
            readTextProperty(c, isWindow, property, &slot.shown);
    }
}

QString TDKLanguageController::designText(int id) const {
    for (const Slot& slot : m_slots) {
        if (slot.entry.id != id || !slot.captured) continue;
        return slot.design.isList ? slot.design.lines.join(QLatin1Char('\n')) : slot.design.text;
    }
    return QString();
}

}  // namespace lt::i18n
