// The "Display model" and "LCD Contrast" windows on the offscreen platform.
#include "display/gui/formlcd.h"
#include "display/gui/formmodules.h"
#include "display/gui/modulepictures.h"
#include "editor/document.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace lt {
namespace {

/// Runs `step` once the next modal window is up.
void whenShown(QDialog& dialog, std::function<void()> step) {
    QTimer::singleShot(0, &dialog, [&dialog, step] {
        EXPECT_TRUE(dialog.isVisible());
        step();
    });
}

class Forms : public ::testing::Test {
protected:
    void SetUp() override { doc.newDane(); }
    Document doc;
};

TEST_F(Forms, ModuleListHoldsTheCatalogueLinesOnlyWhateverIsTyped) {
    TFormModules form(doc);
    form.prepareShow();
    QLineEdit* typed = form.cbModules->lineEdit();
    ASSERT_NE(typed, nullptr);
    for (const QString& text : {QStringLiteral("My own module"), QStringLiteral("PH3")}) {
        typed->setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(typed, &press);
        QApplication::sendEvent(typed, &release);
        EXPECT_EQ(form.cbModules->count(), 5) << text.toStdString();
    }
    // OK with typed text keeps the stored module.
    doc.dane().ModuleNr = 3;
    form.prepareShow();
    typed->setText(QStringLiteral("Typed"));
    form.Button1Click();
    EXPECT_EQ(doc.dane().ModuleNr, 3);
}

TEST_F(Forms, ModuleWindowSelectsAndStores) {
    TFormModules form(doc);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Display model"));
    for (const char* name : {"cbModules", "Memo", "Button1", "Button2", "Image1"})
        EXPECT_NE(form.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    ASSERT_EQ(form.cbModules->count(), 5);
    EXPECT_EQ(form.cbModules->itemText(0), QStringLiteral("PH3 64x32[pix] HUB75 Q3E6V4.1"));
    EXPECT_EQ(form.cbModules->itemText(4), QString::fromLatin1(buildModuleCatalogue().module(5).CBox));

    // A new project selects entry 1; OK stores 1 and type 0.
    doc.dane().ModuleNr = 0;
    doc.dane().ModuleType = 9;
    whenShown(form, [&] {
        EXPECT_EQ(form.cbModules->currentIndex(), 0);
        EXPECT_TRUE(form.Memo->toPlainText().startsWith(
            QStringLiteral("Resolution   :64x32 [pix]\nDimension    :192x96")));
        EXPECT_FALSE(form.closed);
        form.Button1->click();
    });
    mnModulesClick(form);
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(doc.dane().ModuleNr, 1);
    EXPECT_EQ(doc.dane().ModuleType, 0);

    // Entry 5, OK: 5 and type 2; the memo and the picture follow the choice.
    whenShown(form, [&] {
        const QImage before = form.Image1->pixmap().toImage();
        form.cbModules->setCurrentIndex(4);
        EXPECT_TRUE(form.Memo->toPlainText().contains(QStringLiteral("Dimension    :244x122 [mm]")));
        EXPECT_NE(form.Image1->pixmap().toImage(), before);
        form.Button1->click();
    });
    mnModulesClick(form);
    EXPECT_EQ(doc.dane().ModuleNr, 5);
    EXPECT_EQ(doc.dane().ModuleType, 2);

    // Cancel after choosing entry 4 keeps the project.
    whenShown(form, [&] {
        EXPECT_EQ(form.cbModules->currentIndex(), 4);
        form.cbModules->setCurrentIndex(3);
        form.Button2->click();
    });
    mnModulesClick(form);
    EXPECT_FALSE(form.closed);
    EXPECT_EQ(doc.dane().ModuleNr, 5);

    // Typed text instead of a chosen entry keeps the stored module.
    whenShown(form, [&] {
        form.cbModules->setEditText(QStringLiteral("my own module"));
        form.Button1->click();
    });
    mnModulesClick(form);
    EXPECT_EQ(doc.dane().ModuleNr, 5);
    EXPECT_EQ(doc.dane().ModuleType, 2);

    // A number beyond the catalogue opens on entry 1.
    doc.dane().ModuleNr = 77;
    form.prepareShow();
    EXPECT_EQ(form.cbModules->currentIndex(), 0);
}

TEST_F(Forms, ModulePicturesDiffer) {
    const ModuleCatalogue c = buildModuleCatalogue();
    const QList<QImage> list = moduleImageList(c);
    ASSERT_EQ(list.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i].size(), QSize(256, 128));
        for (int j = 0; j < i; ++j) EXPECT_NE(list[i], list[j]) << i << " " << j;
    }
}

TEST_F(Forms, LcdWindowClampsAndResets) {
    TFormLCD form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("LCD Contrast"));
    for (const char* name : {"cbLCD", "seContrast", "btnOK", "btnCancel"})
        EXPECT_NE(form.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(form.cbLCD->count(), 4);
    EXPECT_EQ(form.cbLCD->currentText(), QStringLiteral("STARGLOW1602A"));
    EXPECT_EQ(form.seContrast->value(), 4);

    // Level 0 shows 1; Cancel keeps 0, OK stores 1.
    doc.dane().LCDLevel = 0;
    whenShown(form, [&] {
        EXPECT_EQ(form.seContrast->value(), 1);
        form.btnCancel->click();
    });
    LEDContrast1Click(doc, form);
    EXPECT_EQ(doc.dane().LCDLevel, 0);
    whenShown(form, [&] { form.btnOK->click(); });
    LEDContrast1Click(doc, form);
    EXPECT_EQ(doc.dane().LCDLevel, 1);

    // A level above 16 shows and stores 16.
    doc.dane().LCDLevel = 200;
    whenShown(form, [&] {
        EXPECT_EQ(form.seContrast->value(), 16);
        form.btnOK->click();
    });
    LEDContrast1Click(doc, form);
    EXPECT_EQ(doc.dane().LCDLevel, 16);

    // Choosing a type resets the box to 4; Cancel afterwards keeps the level.
    doc.dane().LCDLevel = 11;
    whenShown(form, [&] {
        EXPECT_EQ(form.seContrast->value(), 11);
        form.cbLCD->setCurrentIndex(1);
        emit form.cbLCD->activated(1);
        EXPECT_EQ(form.seContrast->value(), 4);
        form.btnCancel->click();
    });
    LEDContrast1Click(doc, form);
    EXPECT_EQ(doc.dane().LCDLevel, 11);
    whenShown(form, [&] {
        emit form.cbLCD->activated(3);
        form.btnOK->click();
    });
    EXPECT_EQ(form.ShowModals(11), 4);
}

}  // namespace
}  // namespace lt
