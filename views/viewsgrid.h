#pragma once
// One owner-drawn grid of views (`sg`, `sg2`, `sg3`): a fixed header row and
// number column, one row per view of its language. Drawing blits the ready
// thumbnails; it never renders a view.

#include <QAbstractScrollArea>

#include <functional>

class QToolButton;

namespace lt {
class Document;
class ProjectFindings;
}  // namespace lt

namespace lt::views {

struct GridState;

/// The floating up/down control (`sbtn`, `sbtn2`, `sbtn3`), 20 pixels wide.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent);
    static constexpr int Width = 20;
signals:
    void up();
    void down();
};

class ViewsGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int ColCount = 4;
    static constexpr int RowCount = 301;
    static constexpr int HeaderHeight = 40;
    static constexpr int RowHeight = 70;
    static constexpr int ColWidths[ColCount] = {70, 160, 80, 40};

    ViewsGrid(Document& doc, GridState& state, int lang, QWidget* parent = nullptr);

    int lang() const { return m_lang; }
    UpDown* sbtn() const { return m_sbtn; }
    /// The cell rectangle in viewport coordinates (the header row stays put).
    QRect cellRect(int col, int row) const;
    /// The cell under a viewport point; false outside the data cells.
    bool cellAt(const QPoint& pos, int& col, int& row) const;
    /// Makes a cell current as a press or an arrow key does: the selection
    /// event, then the click event.
    void selectCell(int col, int row);
    int currentRow() const { return m_curRow; }
    /// The findings whose views get a mark beside their thumbnail; none
    /// when null.
    void setFindings(const ProjectFindings* findings) { m_findings = findings; }
    /// Where a view's mark is drawn, in viewport coordinates: at the cell's
    /// top right, as large as the room above the thumbnail.
    QRect findingMarkRect(int row) const;
    /// Whether the row shows a mark: a view in use with a finding.
    bool marked(int row) const;
    /// Words a finding's region and why in the interface language; by default
    /// as found.
    using WhyText = std::function<QString(const QString&)>;
    void setWhyText(WhyText whyText) { m_whyText = std::move(whyText); }
    /// The tooltip over a marked view: its findings, one a line, each its
    /// region and why; empty for a row without a mark.
    QString findingsTip(int row) const;

signals:
    /// `sgSelectCell` happened for (col, row); the panel runs `sgClick`.
    void cellClicked();
    void cellDoubleClicked();
    void contextMenuAt(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    void updateScrollRange();
    void ensureVisible(int row);
    void drawCell(QPainter& p, int col, int row, QRect rect, bool& showUpDown);

    Document& m_doc;
    GridState& m_state;
    int m_lang;
    int m_curRow = 1;
    int m_curCol = 1;
    UpDown* m_sbtn;
    const ProjectFindings* m_findings = nullptr;
    WhyText m_whyText;
};

/// The switch pictures of `imgSG`: 0 red knob-down (off), 1 green knob-up (on).
QPixmap switchPicture(bool on);

}  // namespace lt::views
