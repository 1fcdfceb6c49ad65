#include "views/viewsgrid.h"

#include "depot/findings.h"
#include "editor/document.h"
#include "editor/gridrules.h"
#include "model/sign.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace lt::views {
namespace {

/// A colour written as 0x00BBGGRR.
QColor bgr(unsigned v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QFont pointFont(const char* family, int points) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(points);
    return f;
}

/// The warning mark of a view with findings: an amber triangle with a dark
/// edge and an exclamation mark, drawn to the size of its rectangle.
void drawFindingMark(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF f(r);  // left, top, right and bottom edges of the pixels
    const QPointF tri[3] = {QPointF(f.center().x(), f.top()), f.bottomRight(), f.bottomLeft()};
    const qreal edge = std::max<qreal>(1.0, f.width() / 16.0);
    p.setPen(QPen(QColor(0x80, 0x50, 0x00), edge, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(QColor(0xF5, 0xA6, 0x00));
    p.drawPolygon(tri, 3);
    // The exclamation mark: a bar over the lower middle, a dot under it.
    const qreal w = std::max<qreal>(1.5, f.width() / 9.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(f.center().x() - w / 2, f.top() + f.height() * 0.36, w, f.height() * 0.34),
                      w / 3, w / 3);
    p.drawEllipse(QRectF(f.center().x() - w / 2, f.top() + f.height() * 0.76, w, w));
    p.restore();
}

/// Draws text centred on (cx, cy) as the grid does: top-left at
/// (cx - TW div 2, cy - TH div 2), measured with the current font.
void centredText(QPainter& p, int cx, int cy, const QString& text) {
    const QFontMetrics fm = p.fontMetrics();
    const int tw = fm.horizontalAdvance(text);
    const int th = fm.height();
    p.drawText(cx - tw / 2, cy - th / 2 + fm.ascent(), text);
}

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* upButton = new QToolButton(this);
    upButton->setArrowType(Qt::UpArrow);
    auto* downButton = new QToolButton(this);
    downButton->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {upButton, downButton}) {
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(upButton, &QToolButton::clicked, this, &UpDown::up);
    connect(downButton, &QToolButton::clicked, this, &UpDown::down);
    setFixedWidth(Width);
    hide();
}

QPixmap switchPicture(bool on) {
    QPixmap pm(32, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = on ? QColor(0x2E, 0xA0, 0x3C) : QColor(0xC8, 0x28, 0x28);
    p.setPen(QPen(body.darker(150), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4.5, 2.5, 23, 59), 10, 10);
    const QRectF knob = on ? QRectF(7.5, 6.5, 17, 22) : QRectF(7.5, 35.5, 17, 22);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawRoundedRect(knob, 6, 6);
    return pm;
}

ViewsGrid::ViewsGrid(Document& doc, GridState& state, int lang, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_state(state), m_lang(lang) {
    setObjectName(lang == 1 ? QStringLiteral("sg") : QStringLiteral("sg%1").arg(lang));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(RowHeight);
    m_sbtn = new UpDown(viewport());
    m_sbtn->setObjectName(lang == 1 ? QStringLiteral("sbtn") : QStringLiteral("sbtn%1").arg(lang));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    updateScrollRange();
}

QRect ViewsGrid::cellRect(int col, int row) const {
    int x = 0;
    for (int c = 0; c < col; ++c) x += ColWidths[c] + 1;
    const int y =
        row == 0 ? 0 : HeaderHeight + 1 + (row - 1) * (RowHeight + 1) - verticalScrollBar()->value();
    return QRect(x, y, ColWidths[col], row == 0 ? HeaderHeight : RowHeight);
}

bool ViewsGrid::cellAt(const QPoint& pos, int& col, int& row) const {
    if (pos.y() <= HeaderHeight) return false;
    const int y = pos.y() - HeaderHeight - 1 + verticalScrollBar()->value();
    row = y / (RowHeight + 1) + 1;
    if (row < 1 || row >= RowCount) return false;
    int x = pos.x();
    for (col = 0; col < ColCount; ++col) {
        if (x < ColWidths[col] + 1) break;
        x -= ColWidths[col] + 1;
    }
    return col >= 1 && col < ColCount;
}

QRect ViewsGrid::findingMarkRect(int row) const {
    // The room above the thumbnail's right end, inside the frame of the
    // edited view: the mark grows and shrinks with the cell's height.
    const QRect cell = cellRect(1, row);
    const int thumbTop = cell.top() + cell.height() - 40;
    const int top = cell.top() + 4;
    const int side = std::max(11, thumbTop - top);
    return QRect(cell.right() - 5 - side, top, side, side);
}

QString ViewsGrid::findingsTip(int row) const {
    if (!marked(row)) return QString();
    QStringList lines;
    for (const Finding& f : m_findings->of(m_lang, row))
        lines << QStringLiteral("%1: %2").arg(m_whyText ? m_whyText(f.region) : f.region,
                                              m_whyText ? m_whyText(f.why) : f.why);
    return lines.join(QLatin1Char('\n'));
}

bool ViewsGrid::marked(int row) const {
    return m_findings && row >= 1 && row < RowCount && isTrue(widok(m_doc.dane(), m_lang, row).use) &&
           m_findings->hasFindings(m_lang, row);
}

bool ViewsGrid::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        // Over a mark: what was found, one finding a line.
        auto* help = static_cast<QHelpEvent*>(e);
        int col = 0;
        int row = 0;
        if (cellAt(help->pos(), col, row) && col == 1 && marked(row)) {
            QToolTip::showText(help->globalPos(), findingsTip(row), viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void ViewsGrid::updateScrollRange() {
    const int total = (RowCount - 1) * (RowHeight + 1);
    const int visible = viewport()->height() - HeaderHeight - 1;
    verticalScrollBar()->setRange(0, std::max(0, total - visible));
    verticalScrollBar()->setPageStep(std::max(RowHeight, visible));
}

void ViewsGrid::ensureVisible(int row) {
    const QRect r = cellRect(1, row);
    QScrollBar* sb = verticalScrollBar();
    if (r.top() < HeaderHeight + 1)
        sb->setValue(sb->value() - (HeaderHeight + 1 - r.top()));
    else if (r.bottom() > viewport()->height())
        sb->setValue(sb->value() + r.bottom() - viewport()->height());
}

void ViewsGrid::selectCell(int col, int row) {
    m_curCol = col;
    m_curRow = row;
    sgSelectCell(m_state, col, row);
    ensureVisible(row);
    emit cellClicked();
}

void ViewsGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollRange();
}

void ViewsGrid::mousePressEvent(QMouseEvent* e) {
    int col = 0;
    int row = 0;
    if (e->button() == Qt::LeftButton && cellAt(e->position().toPoint(), col, row)) selectCell(col, row);
}

void ViewsGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    int col = 0;
    int row = 0;
    if (e->button() == Qt::LeftButton && cellAt(e->position().toPoint(), col, row)) emit cellDoubleClicked();
}

void ViewsGrid::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0) return;
    // The wheel moves the current row by one per notch; the selection it
    // raises selects no view.
    const int row = std::clamp(m_curRow - steps, 1, RowCount - 1);
    sgMouseWheel(m_state);
    selectCell(m_curCol, row);
    e->accept();
}

void ViewsGrid::keyPressEvent(QKeyEvent* e) {
    int row = m_curRow;
    int col = m_curCol;
    switch (e->key()) {
        case Qt::Key_Up: row = std::max(1, row - 1); break;
        case Qt::Key_Down: row = std::min(RowCount - 1, row + 1); break;
        case Qt::Key_Left: col = std::max(1, col - 1); break;
        case Qt::Key_Right: col = std::min(ColCount - 1, col + 1); break;
        case Qt::Key_PageUp: row = std::max(1, row - 5); break;
        case Qt::Key_PageDown: row = std::min(RowCount - 1, row + 5); break;
        case Qt::Key_Home: row = 1; break;
        case Qt::Key_End: row = RowCount - 1; break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter opens the selected view, as a double-click does.
            emit cellDoubleClicked();
            return;
        default: QAbstractScrollArea::keyPressEvent(e); return;
    }
    selectCell(col, row);
}

void ViewsGrid::contextMenuEvent(QContextMenuEvent* e) {
    emit contextMenuAt(e->globalPos());
}

void ViewsGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    const int h = viewport()->height();
    const int first = std::max(1, (verticalScrollBar()->value()) / (RowHeight + 1) + 1);
    bool showUpDown = false;
    const QColor gridLine(0xC0, 0xC0, 0xC0);
    // The column lines lie under the cells, which draw over them where their
    // widened rectangles reach across.
    const auto columnLines = [&](int height) {
        int x = 0;
        for (int col = 0; col < ColCount; ++col) {
            x += ColWidths[col];
            p.fillRect(QRect(x, 0, 1, height), gridLine);
            ++x;
        }
    };
    columnLines(h);
    for (int row = first; row < RowCount; ++row) {
        const QRect r0 = cellRect(0, row);
        if (r0.top() > h) break;
        for (int col = 0; col < ColCount; ++col) {
            const QRect r = cellRect(col, row);
            p.save();
            // A data cell draws over its widened rectangle (drawCell), left
            // edges included.
            const QRect drawn = col == 0 ? r : r.adjusted(-4, 0, 0, 0);
            p.setClipRect(drawn.intersected(QRect(0, HeaderHeight + 1, viewport()->width(), h)));
            if (col == 0) p.fillRect(r, palette().button());
            drawCell(p, col, row, r, showUpDown);
            p.restore();
        }
        p.fillRect(QRect(0, r0.bottom() + 1, viewport()->width(), 1), gridLine);
    }
    // The fixed header row stays on top of the scrolled rows.
    for (int col = 0; col < ColCount; ++col) {
        const QRect r = cellRect(col, 0);
        p.fillRect(r, palette().button());
        p.save();
        p.setClipRect(r);
        drawCell(p, col, 0, r, showUpDown);
        p.restore();
    }
    p.fillRect(QRect(0, HeaderHeight, viewport()->width(), 1), gridLine);
    columnLines(HeaderHeight);
    m_sbtn->setVisible(showUpDown && m_doc.dane().SelWidok == m_lang);
}

void ViewsGrid::drawCell(QPainter& p, int col, int row, QRect rect, bool& showUpDown) {
    // The cell's left edge moves 4 pixels left before anything is measured.
    rect.setLeft(rect.left() - 4);
    const int L = rect.left();
    const int T = rect.top();
    const int W = rect.width();
    const int H = rect.height();
    const int R = L + W;
    const int B = T + H;
    const int cx = L + W / 2;
    const int cy = T + H / 2;
    const QColor grey = bgr(0x777777);

    if (row == 0) {
        p.setPen(grey);
        if (col == 1) {
            p.setFont(pointFont("Verdana", 14));
            centredText(p, cx, cy, QStringLiteral("Destination"));
        } else if (col == 2) {
            p.setFont(pointFont("Verdana", 9));
            centredText(p, cx, cy - 6, QStringLiteral("Play"));
            centredText(p, cx, cy + 6, QStringLiteral("Time[s]"));
        } else if (col == 3) {
            p.setFont(pointFont("Verdana", 9));
            centredText(p, cx, cy, QStringLiteral("Use"));
        }
        return;
    }
    if (col == 0) {
        p.setPen(grey);
        p.setFont(pointFont("Verdana", 22));
        centredText(p, cx, cy, QString::number(row));
        return;
    }

    const sDane& d = m_doc.dane();
    const sWidok& w = widok(d, m_lang, row);
    const bool inUse = isTrue(w.use);

    if (col == 2 && inUse) {
        p.setPen(grey);
        p.setFont(pointFont("Arial Unicode MS", 26));
        const QString time = QString::number(w.Time);
        if (row == d.SelectRow) {
            showUpDown = true;
            m_sbtn->setGeometry(R - 3 - UpDown::Width, T + 3, UpDown::Width, H - 6);
            centredText(p, L + (W - UpDown::Width) / 2, cy, time);
        } else {
            centredText(p, cx, cy, time);
        }
        return;
    }
    if (col == 1) {
        p.setPen(bgr(0x666666));
        p.setBrush(bgr(0xBBDDBB));
        // The rectangle from (L + 1, T + 1) to (R - 1, B - 1), right and
        // bottom excluded; a stroked QRect covers one pixel more each way.
        p.drawRect(QRect(QPoint(L + 1, T + 1), QPoint(R - 3, B - 3)));
        if (inUse)
            p.drawImage(QPoint(cx - SignWidth / 2, T + H - 40),
                        m_doc.surfaces().thumbnail(m_lang, row).image());
        p.setPen(bgr(0x224422));
        p.setFont(pointFont("Arial Unicode MS", 10));
        const QString name = ReadText(w.NazwaKursu);
        const QFontMetrics fm = p.fontMetrics();
        const int tw = fm.horizontalAdvance(name);
        if (W < tw) {
            p.save();
            p.setClipRect(QRect(QPoint(L, T), QPoint(R - 1, B - 1)), Qt::IntersectClip);
            p.drawText(L + 4, T + 5 + fm.ascent(), name);
            p.restore();
        } else {
            p.drawText(cx - tw / 2, T + 5 + fm.ascent(), name);
        }
        if (marked(row)) drawFindingMark(p, findingMarkRect(row));
        if (row == d.EditRow && inUse) {
            p.setBrush(Qt::NoBrush);
            const unsigned colours[3] = {0x000077, 0x0000AA, 0x0000FF};
            for (int i = 0; i < 3; ++i) {
                p.setPen(bgr(colours[i]));
                const int inset = i + 1;
                p.drawRect(QRect(QPoint(L + inset, T + inset), QPoint(R - 2 - inset, B - 2 - inset)));
            }
        }
        return;
    }
    if (col == 3) {
        static const QPixmap off = switchPicture(false);
        static const QPixmap on = switchPicture(true);
        p.drawPixmap(cx - 16, cy - 32, inUse ? on : off);
    }
}

}  // namespace lt::views
