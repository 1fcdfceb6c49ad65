#include "app/menukeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace lt {

MenuKeys::MenuKeys(QMainWindow* window) : QObject(window), m_window(window) {
    setObjectName(QStringLiteral("MenuKeys"));
    qApp->installEventFilter(this);
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
    // Before a key press Qt asks the focused widget whether it takes the key
    // itself (ShortcutOverride); a field says yes to the keys it edits with.
    // For a key of an item of our menus the field is not asked, so the
    // shortcut runs.
    if (event->type() != QEvent::ShortcutOverride || !m_window) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* a : m_window->menuBar()->findChildren<QAction*>()) {
        if (!a->isEnabled() || !a->isVisible() || a->menu()) continue;
        for (const QKeySequence& key : a->shortcuts()) {
            if (key != pressed) continue;
            event->ignore();
            return true;
        }
    }
    return false;
}

}  // namespace lt
