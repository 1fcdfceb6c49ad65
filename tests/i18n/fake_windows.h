#pragma once
// Small stand-ins for the translatable windows, with the component names and
// kinds of the real ones, so the controller machinery can be tested on its own.

#include "i18n/gui/dialogtexts.h"
#include "i18n/gui/languagecontroller.h"
#include "i18n/langfile.h"
#include "i18n/windowtexts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lt::i18n {
inline void PrintTo(const TextValue& v, std::ostream* os) {
    *os << '"' << (v.isList ? v.lines.join(QStringLiteral("|")) : v.text).toStdString() << '"';
}
}  // namespace lt::i18n

namespace lt::i18n::test {

inline QString designOf(const TextEntry& e) {
    return QStringLiteral("%1 %2").arg(QLatin1String(e.path), QLatin1String(e.property));
}
inline QStringList designItemsOf(const TextEntry& e) {
    return {QStringLiteral("%1 one").arg(QLatin1String(e.path)),
            QStringLiteral("%1 two").arg(QLatin1String(e.path)),
            QStringLiteral("%1 three").arg(QLatin1String(e.path))};
}

/// Builds every component of `entries` below `window` with a design text of
/// its own ("gbWidoki Caption"), as the window definition would.
inline void buildComponents(QWidget* window, const QString& windowName, std::span<const TextEntry> entries,
                            bool editableLists = false) {
    static const QSet<QString> menus = {"Plik1", "Edycja1", "mnOptions", "Autor1", "smViewLanguage"};
    auto* body = new QWidget(window);
    body->setObjectName(QStringLiteral("body"));
    auto* layout = new QVBoxLayout(body);
    if (auto* mw = qobject_cast<QMainWindow*>(window)) mw->setCentralWidget(body);
    QTabWidget* tabs = nullptr;
    QMenu* popup = nullptr;
    QMenu* options = nullptr;
    for (const TextEntry& e : entries) {
        const QString path = QLatin1String(e.path);
        const QString prop = QLatin1String(e.property);
        if (path == windowName) {
            // The window's caption; its other texts are properties of its own.
            if (prop == QLatin1String("Caption")) window->setWindowTitle(designOf(e));
            continue;
        }
        if (findComponent(window, windowName, path)) {
            // A second property of a component made already.
            if (auto* cb = window->findChild<QComboBox*>(path); cb && prop == QLatin1String("Items"))
                cb->addItems(designItemsOf(e));
            continue;
        }
        QObject* made = nullptr;
        if (path.contains(QLatin1String("Dialog"))) {
            auto* d = new DialogTexts(path.section(QLatin1Char('.'), 0, 0), nullptr, window);
            d->request().title = designOf({e.path, "Title", 0});
            d->request().filter = QStringLiteral("Things (*.thing)|*.thing");
            d->request().defaultExt = QStringLiteral("*.thing");
            d->request().fileName = QStringLiteral("Velmora");
            continue;
        } else if (menus.contains(path)) {
            auto* m = new QMenu(designOf(e), window);
            if (path == QLatin1String("smViewLanguage") && options)
                options->addMenu(m);
            else if (auto* mw = qobject_cast<QMainWindow*>(window))
                mw->menuBar()->addMenu(m);
            if (path == QLatin1String("mnOptions")) options = m;
            made = m;
        } else if (path.startsWith(QLatin1String("tsView"))) {
            if (!tabs) {
                tabs = new QTabWidget(body);
                tabs->setObjectName(QStringLiteral("pcsg1"));
                layout->addWidget(tabs);
            }
            auto* page = new QWidget;
            page->setObjectName(path);
            tabs->addTab(page, designOf(e));
            continue;
        } else if (path.startsWith(QLatin1String("pm")) || path == QLatin1String("Unactivate")) {
            if (!popup) {
                popup = new QMenu(window);
                popup->setObjectName(QStringLiteral("pmSg"));
            }
            made = popup->addAction(designOf(e));
        } else if (prop == QLatin1String("Caption") && path.endsWith(QLatin1Char('1')) &&
                   !path.startsWith(QLatin1String("Label")) && !path.startsWith(QLatin1String("Button")) &&
                   !path.startsWith(QLatin1String("GroupBox")) && !path.startsWith(QLatin1String("ts"))) {
            made = new QAction(designOf(e), window);  // menu items end in 1 ("Nowy1")
        } else if (path == QLatin1String("ZapiszJakoObrazek") || path == QLatin1String("mnModules")) {
            made = new QAction(designOf(e), window);
        } else if (path.startsWith(QLatin1String("cbWygladzanie"))) {
            made = new QCheckBox(designOf(e), body);
        } else if (path.startsWith(QLatin1String("cb"))) {
            auto* cb = new QComboBox(body);
            cb->setEditable(editableLists);
            if (prop == QLatin1String("Items")) cb->addItems(designItemsOf(e));
            made = cb;
        } else if (path.startsWith(QLatin1String("gb")) || path.startsWith(QLatin1String("GroupBox"))) {
            made = new QGroupBox(designOf(e), body);
        } else if (path.startsWith(QLatin1String("btn")) || path.startsWith(QLatin1String("Button"))) {
            made = new QPushButton(designOf(e), body);
        } else if (path.startsWith(QLatin1String("e"))) {
            made = new QLineEdit(designOf(e), body);
        } else if (path == QLatin1String("MemoRaport")) {
            made = new QPlainTextEdit(QStringLiteral("first line\nsecond line"), body);
        } else {
            made = new QLabel(designOf(e), body);
        }
        made->setObjectName(path);
        if (auto* w = qobject_cast<QWidget*>(made); w && w->parentWidget() == body) layout->addWidget(w);
    }
}

inline std::unique_ptr<QMainWindow> makeMainForm() {
    auto w = std::make_unique<QMainWindow>();
    w->setObjectName(QStringLiteral("MainForm"));
    buildComponents(w.get(), QStringLiteral("MainForm"), mainFormTexts());
    return w;
}

/// A dialog window; `parent` makes it a child of the main window, as dialogs are.
inline QDialog* makeDialog(const QString& name, QWidget* parent, bool editableLists = false) {
    auto* d = new QDialog(parent);
    d->setObjectName(name);
    buildComponents(d, name, textEntriesFor(name), editableLists);
    return d;
}

/// A language file translating every entry of the four windows with
/// "<prefix> <window> <number>" (string lists: three items).
inline QString completeTranslation(int langId, const QString& prefix) {
    QString out = QStringLiteral("; made by a test\nLANGID=%1\n").arg(langId);
    for (const QString& w : translatableWindows()) {
        out += QStringLiteral("\n[%1]\n").arg(w);
        for (const TextEntry& e : textEntriesFor(w)) {
            QString t = QStringLiteral("%1 %2 %3").arg(prefix, w).arg(e.id);
            if (isStringListProperty(QLatin1String(e.property))) t = t + "\r\n" + t + " b\r\n" + t + " c";
            out += QStringLiteral("%1=%2\n").arg(e.id, 8, 10, QLatin1Char('0')).arg(encodeLangValue(t));
        }
    }
    return out;
}

}  // namespace lt::i18n::test
