#include "app/style.h"

#include <QApplication>
#include <QPalette>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

namespace lt {

namespace {

// Slate greys for surfaces and text, one calm aqua for focus and selection.
constexpr QRgb Window = 0xe6ebf0;
constexpr QRgb Panel = 0xf1f4f7;
constexpr QRgb Base = 0xffffff;
constexpr QRgb AltBase = 0xf3f6f9;
constexpr QRgb Button = 0xe3e9ef;
constexpr QRgb Text = 0x1f2a36;
constexpr QRgb Muted = 0x7d8a97;
constexpr QRgb Accent = 0x2f8db3;
constexpr QRgb Border = 0xb4c0cc;

QPalette slatePalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(Window));
    p.setColor(QPalette::WindowText, QColor(Text));
    p.setColor(QPalette::Base, QColor(Base));
    p.setColor(QPalette::AlternateBase, QColor(AltBase));
    p.setColor(QPalette::ToolTipBase, QColor(0xfdfdf6));
    p.setColor(QPalette::ToolTipText, QColor(Text));
    p.setColor(QPalette::PlaceholderText, QColor(Muted));
    p.setColor(QPalette::Text, QColor(Text));
    p.setColor(QPalette::Button, QColor(Button));
    p.setColor(QPalette::ButtonText, QColor(Text));
    p.setColor(QPalette::BrightText, QColor(0xc0392b));
    p.setColor(QPalette::Light, QColor(0xffffff));
    p.setColor(QPalette::Midlight, QColor(0xeef2f6));
    p.setColor(QPalette::Mid, QColor(Border));
    p.setColor(QPalette::Dark, QColor(0x8c9aa8));
    p.setColor(QPalette::Shadow, QColor(0x4a5866));
    p.setColor(QPalette::Highlight, QColor(Accent));
    p.setColor(QPalette::HighlightedText, QColor(0xffffff));
    p.setColor(QPalette::Link, QColor(Accent));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0xa3adb8));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(Panel));
    return p;
}

const char* const SlateSheet = R"(
QMainWindow, QDialog { background: #e6ebf0; }
QGroupBox {
    background: #f1f4f7;
    border: 1px solid #b4c0cc;
    border-radius: 6px;
    margin-top: 8px;
    padding-top: 6px;
    font-weight: bold;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 9px;
    padding: 0 4px;
    color: #34506b;
}
QGroupBox QGroupBox { background: #fafbfc; border-color: #c7d1db; }
QPushButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfd, stop:1 #e1e7ed);
    border: 1px solid #9fb0c1;
    border-radius: 4px;
    padding: 3px 14px;
    color: #1f2a36;
}
QPushButton:hover { border-color: #2f8db3; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e4f0f6); }
QPushButton:pressed, QPushButton:checked { background: #d2e4ee; border-color: #2f8db3; }
QPushButton:focus { border-color: #2f8db3; }
QPushButton:disabled { color: #a3adb8; border-color: #c7d1db; }
QPushButton:default { border-width: 1px; }
QPushButton#btnTypWidoku0, QPushButton#btnTypWidoku1, QPushButton#btnTypWidoku2, QPushButton#btnTypWidoku3 {
    padding: 2px;
    border-radius: 5px;
}
QPushButton#btnTypWidoku0:checked, QPushButton#btnTypWidoku1:checked,
QPushButton#btnTypWidoku2:checked, QPushButton#btnTypWidoku3:checked {
    border: 2px solid #2f8db3;
    background: #cfe6f1;
}
QMenuBar { background: #dde4eb; border-bottom: 1px solid #b4c0cc; }
QMenuBar::item { padding: 4px 10px; background: transparent; }
QMenuBar::item:selected { background: #c9dbe7; border-radius: 3px; }
QMenu { background: #fbfcfd; border: 1px solid #9fb0c1; padding: 3px 0; }
QMenu::item { padding: 4px 26px 4px 22px; }
QMenu::item:selected { background: #2f8db3; color: white; }
QMenu::item:default { font-weight: bold; }
QMenu::separator { height: 1px; background: #c7d1db; margin: 3px 8px; }
QToolTip { border: 1px solid #9fb0c1; padding: 2px; }
QFrame#Panel1 { background: #0c0f12; border: 1px solid #4a5866; }
)";

}  // namespace

QString aquaLightSlateName() {
    return QStringLiteral("Aqua Light Slate");
}

bool applyAquaLightSlate(QApplication& app) {
    QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!base) return false;
    QApplication::setStyle(base);
    QApplication::setPalette(slatePalette());
    app.setStyleSheet(QString::fromLatin1(SlateSheet));
    return true;
}

}  // namespace lt
