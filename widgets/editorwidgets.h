#pragma once
// The small widgets of the editing panel: the number box, the font selector,
// the round colour swatch and the unscaled picture of the sign preview.

#include <QAbstractSpinBox>
#include <QColor>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QUndoStack>
#include <QWidget>

namespace lt {

/// A number box that behaves as the editor's number fields do: the text may
/// hold any integer while it is typed; reading it yields the number, or the
/// minimum when the text is not a number; leaving the box brings a number
/// outside the range into it, which fires changed() again.
class NumberBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    NumberBox(int minimum, int maximum, QWidget* parent = nullptr);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    /// The text as a decimal integer, or the minimum when it is not one.
    int value() const;
    /// Shows the value brought into the range and fires changed() once,
    /// also when the text does not change.
    void setValue(int value);
    /// The text as the user sees it.
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// Every change of the text, typed or set.
    void changed();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_min;
    int m_max;
};

/// The pick-list of the installed font families. A stored family that is not
/// installed is shown as an extra item in italics, so the box always shows
/// what the view holds; rendering then uses the face the platform puts in
/// its place.
class FontSelector : public QComboBox {
    Q_OBJECT
    /// The hint on a family that is not installed; translatable.
    Q_PROPERTY(QString NotInstalled READ notInstalledText WRITE setNotInstalledText)
public:
    explicit FontSelector(QWidget* parent = nullptr);

    /// Selects the family without firing changed().
    void setFontName(const QString& family);
    QString fontName() const { return currentText(); }
    /// True when the shown family is the extra item of a missing family.
    bool showsMissingFamily() const;
    QString notInstalledText() const { return m_notInstalled; }
    void setNotInstalledText(const QString& text);

signals:
    /// The user picked another family.
    void changed();
    /// A key went down, was typed or went up in the box.
    void keyDown();
    void keyPress();
    void keyUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void dropMissingItem();
    bool m_hasMissing = false;
    QString m_notInstalled;
};

/// A round colour swatch, 32 x 32, that reports a mouse press.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    void setFill(QColor color);
    QColor fill() const { return m_fill; }
    QSize sizeHint() const override { return {32, 32}; }

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_fill = Qt::black;
};

/// Shows a picture unscaled at its own size (the sign preview `Image`).
class PictureView : public QWidget {
    Q_OBJECT
public:
    /// The picture is read at every repaint; it must outlive the widget.
    PictureView(const QImage* picture, QWidget* parent = nullptr);
    QSize sizeHint() const override;

    /// Asks for a repaint. Requests closer together than one frame are
    /// folded into one, so three animations at 100 steps a second each do
    /// not paint 300 times a second.
    void invalidate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* m_picture;
    QElapsedTimer m_sincePaint;
    bool m_pending = false;
};

/// The status bar's name of the project file: the full path, or the text
/// `Unsaved` ("not saved yet") while the project has no file. `Unsaved` is a
/// translatable text; the shown text follows it at once.
class FileNameLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Unsaved READ unsavedText WRITE setUnsavedText)
public:
    explicit FileNameLabel(QWidget* parent = nullptr);
    /// The project's path; empty when it has no file yet.
    void setPath(const QString& path);
    QString path() const { return m_path; }
    QString unsavedText() const { return m_unsaved; }
    void setUnsavedText(const QString& text);

private:
    void refresh();
    QString m_path;
    QString m_unsaved;
};

/// Edit > Undo and Edit > Redo: the items read "Undo" or "Redo" followed by
/// the name of the step they would take back or do again ("Undo Fit"). The
/// two words and the step names (`Names`, in the order of stepNames()) are
/// translatable texts; the items follow them at once.
class StepTexts : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Undo READ undoWord WRITE setUndoWord)
    Q_PROPERTY(QString Redo READ redoWord WRITE setRedoWord)
    Q_PROPERTY(QStringList Names READ names WRITE setNames)
public:
    StepTexts(QUndoStack& stack, QAction* undo, QAction* redo, QObject* parent);
    QString undoWord() const { return m_undo; }
    void setUndoWord(const QString& word);
    QString redoWord() const { return m_redo; }
    void setRedoWord(const QString& word);
    QStringList names() const { return m_names; }
    void setNames(const QStringList& names);
    /// The names the document gives its steps, in the order of `Names`.
    static QStringList stepNames();
    /// A step's name as shown: its translation, or itself when it has none.
    QString shown(const QString& step) const;

private:
    void refresh();
    QUndoStack& m_stack;
    QAction* m_undoAction;
    QAction* m_redoAction;
    QString m_undo;
    QString m_redo;
    QStringList m_names;
};

/// A colour value 0x00BBGGRR as a QColor.
QColor colorFromValue(std::uint32_t value);

}  // namespace lt
