#pragma once
// The main window's menu shortcuts win over the text and number fields:
// Ctrl+E exports even while the cursor is in a field that would take the
// key for itself. Keys the menus do not use (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A,
// the arrows) stay the field's own.

#include <QObject>
#include <QPointer>

class QMainWindow;

namespace lt {

class MenuKeys : public QObject {
    Q_OBJECT
public:
    /// Watches the application's key events for `window` (its parent).
    explicit MenuKeys(QMainWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QMainWindow> m_window;
};

}  // namespace lt
