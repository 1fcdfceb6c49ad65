#include "app/formcolor.h"

#include "model/records.h"
#include "widgets/editorwidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace lt {

namespace {
constexpr int Width = 233;
constexpr int Height = 37;
constexpr int CellW = 24;
constexpr int CellH = 25;
constexpr int Gap = 3;
constexpr int FirstLeft = 6;

/// The rounded panel `CurvyPanel1` that carries the eight colours.
class CurvyPanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xa9, 0xb5, 0xc1), 1));
        p.setBrush(QColor(0xdf, 0xdf, 0xdf));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    }
};
}  // namespace

ColorCell::ColorCell(int tag, QColor fill, QColor outline, QWidget* parent)
    : QWidget(parent), m_tag(tag), m_fill(fill), m_outline(outline) {
    setObjectName(QStringLiteral("C%1").arg(tag));
    setFixedSize(CellW, CellH);
    setCursor(Qt::PointingHandCursor);
}

void ColorCell::setOutlined(bool on) {
    m_outlined = on;
    update();
}

void ColorCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_fill);
    if (!m_outlined) return;
    p.setPen(QPen(m_outline, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

void ColorCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(m_tag);
}

void ColorCell::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit mouseUp(m_tag);
}

TFormColor::TFormColor(QWidget* owner) : QDialog(owner, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormColor"));
    setWindowTitle(tr("Color"));
    setFixedSize(Width, Height);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    auto* panel = new CurvyPanel(this);
    panel->setObjectName(QStringLiteral("CurvyPanel1"));
    panel->setGeometry(0, 0, Width, Height);

    for (int i = 0; i < 8; ++i) {
        const QColor outline = i == ciBlack ? QColor(0, 255, 0) : QColor(Qt::black);
        m_cells[i] = new ColorCell(i, colorFromValue(Int2Color(i)), outline, panel);
        m_cells[i]->move(FirstLeft + i * (CellW + Gap), (Height - CellH) / 2);
        connect(m_cells[i], &ColorCell::mouseDown, this, &TFormColor::C_MouseDown);
        connect(m_cells[i], &ColorCell::mouseUp, this, &TFormColor::C_MouseUp);
    }
}

void TFormColor::markOnly(int index) {
    for (ColorCell* c : m_cells) c->setOutlined(false);
    if (index >= 0 && index < 8) m_cells[index]->setOutlined(true);
}

int TFormColor::GetColor(int x, int y, int color) {
    markOnly(-1);
    move(x, y);
    col = color;
    markOnly(color);
    update();
    exec();
    hide();
    return col;
}

void TFormColor::C_MouseDown(int tag) {
    col = tag;
    markOnly(col);
}

void TFormColor::C_MouseUp(int) {
    accept();
}

}  // namespace lt
