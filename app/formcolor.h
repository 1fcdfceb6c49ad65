#pragma once
// The colour palette `FormColor`: a small borderless window with the sign's
// eight colours, opened at the mouse pointer to choose a colour index.

#include <QDialog>

namespace lt {

/// One colour of the palette (`C0` ... `C7`): a 24 x 25 rectangle whose
/// 3-pixel outline is shown only while it is the marked colour.
class ColorCell : public QWidget {
    Q_OBJECT
public:
    ColorCell(int tag, QColor fill, QColor outline, QWidget* parent);
    int tag() const { return m_tag; }
    bool outlined() const { return m_outlined; }
    void setOutlined(bool on);

signals:
    void mouseDown(int tag);
    void mouseUp(int tag);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_tag;
    QColor m_fill;
    QColor m_outline;
    bool m_outlined = false;
};

class TFormColor : public QDialog {
    Q_OBJECT
public:
    explicit TFormColor(QWidget* owner = nullptr);

    /// Opens the palette modally with its top-left corner at the screen
    /// position (x, y) and `color` marked; returns the chosen index, or
    /// `color` when the window is closed without a choice.
    int GetColor(int x, int y, int color);

    ColorCell* cell(int index) const { return m_cells[index]; }
    /// The index being chosen.
    int col = 0;

public slots:
    void C_MouseDown(int tag);
    void C_MouseUp(int tag);

private:
    void markOnly(int index);
    ColorCell* m_cells[8];
};

}  // namespace lt
