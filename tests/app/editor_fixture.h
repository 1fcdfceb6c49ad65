#pragma once
// A main window on a fresh default project, with scripted prompts.

#include "app/mainform.h"
#include "editor/document.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/editorwidgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include <gtest/gtest.h>
#include <memory>

namespace lt::test {

struct EditorFixture : ::testing::Test {
    Document doc;
    ScriptedPrompts prompts;
    std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(doc, prompts);

    sWidok& W() { return doc.edited(); }
    RegionControls& rc(Region r) { return form->region(r); }

    /// The text field inside a number box, as the user types into it.
    static QLineEdit* editOf(NumberBox* box) { return box->findChild<QLineEdit*>(); }
    static void loseFocus(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    /// The user picks an item of a list.
    static void pick(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    QImage preview() const { return doc.surfaces().preview.image().copy(); }
};

}  // namespace lt::test
