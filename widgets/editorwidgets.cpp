#include "widgets/editorwidgets.h"

#include <QAction>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionSpinBox>
#include <QTimer>

#include <algorithm>

namespace lt {

namespace {
// Enough digits for every range of the panel and a few more, so a typed
// number stays an int.
constexpr int MaxDigits = 6;
}  // namespace

// --- NumberBox ---------------------------------------------------------------

NumberBox::NumberBox(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_min(minimum), m_max(maximum) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
    lineEdit()->setText(QString::number(minimum));
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberBox::changed);
}

int NumberBox::value() const {
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? v : m_min;
}

QString NumberBox::text() const {
    return lineEdit()->text();
}

void NumberBox::setValue(int value) {
    const QString t = QString::number(std::clamp(value, m_min, m_max));
    {
        const QSignalBlocker block(lineEdit());
        lineEdit()->setText(t);
    }
    emit changed();
}

QValidator::State NumberBox::validate(QString& input, int&) const {
    static const QRegularExpression number(QStringLiteral("^\\s*-?\\d{0,%1}\\s*$").arg(MaxDigits));
    if (!number.match(input).hasMatch()) return QValidator::Invalid;
    bool ok = false;
    input.trimmed().toInt(&ok);
    return ok ? QValidator::Acceptable : QValidator::Intermediate;
}

void NumberBox::fixup(QString&) const {
    // A text that is not a number stays as typed; reading it gives the minimum.
}

void NumberBox::stepBy(int steps) {
    const long long v = static_cast<long long>(std::clamp(value(), m_min, m_max)) + steps;
    setValue(static_cast<int>(std::clamp<long long>(v, m_min, m_max)));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled e = StepNone;
    if (value() < m_max) e |= StepUpEnabled;
    if (value() > m_min) e |= StepDownEnabled;
    return e;
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    // Only a number outside the range is corrected; an empty box stays empty
    // and keeps reading its minimum.
    if (ok && (v < m_min || v > m_max)) setValue(v);
}

QSize NumberBox::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    const int digits = std::max(QString::number(m_min).size(), QString::number(m_max).size());
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    const QSize content(fm.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 8,
                        lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, content, this);
}

QSize NumberBox::minimumSizeHint() const {
    return sizeHint();
}

// --- FontSelector --------------------------------------------------------------

FontSelector::FontSelector(QWidget* parent)
    : QComboBox(parent), m_notInstalled(tr("Not installed: the sign preview uses a similar face")) {
    setEditable(false);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(14);
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        addItem(family);
        setItemData(count() - 1, QFont(family), Qt::FontRole);
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!signalsBlocked()) emit changed();
    });
}

void FontSelector::dropMissingItem() {
    if (!m_hasMissing) return;
    removeItem(0);
    m_hasMissing = false;
}

void FontSelector::setNotInstalledText(const QString& text) {
    m_notInstalled = text;
    if (!m_hasMissing) return;
    setItemData(0, text, Qt::ToolTipRole);
    if (showsMissingFamily()) setToolTip(text);
}

bool FontSelector::showsMissingFamily() const {
    return m_hasMissing && currentIndex() == 0;
}

void FontSelector::setFontName(const QString& family) {
    const QSignalBlocker block(this);
    int index = -1;
    for (int i = m_hasMissing ? 1 : 0; i < count(); ++i)
        if (itemText(i) == family) {
            index = i;
            break;
        }
    if (index >= 0) {
        if (m_hasMissing) {
            dropMissingItem();
            --index;
        }
        setCurrentIndex(index);
        setToolTip(QString());
        return;
    }
    dropMissingItem();
    insertItem(0, family);
    QFont italic = font();
    italic.setItalic(true);
    setItemData(0, italic, Qt::FontRole);
    setItemData(0, m_notInstalled, Qt::ToolTipRole);
    setToolTip(m_notInstalled);
    m_hasMissing = true;
    setCurrentIndex(0);
}

void FontSelector::keyPressEvent(QKeyEvent* event) {
    emit keyDown();
    QComboBox::keyPressEvent(event);
    if (!event->text().isEmpty()) emit keyPress();
}

void FontSelector::keyReleaseEvent(QKeyEvent* event) {
    QComboBox::keyReleaseEvent(event);
    emit keyUp();
}

// --- ColorSwatch ---------------------------------------------------------------

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setFixedSize(32, 32);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setFill(QColor color) {
    m_fill = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(QColor(0x6b, 0x7a, 0x8c), 1.5));
    p.setBrush(m_fill);
    p.drawEllipse(r);
    // A soft highlight so the circle reads as a button.
    QRadialGradient shine(r.center() - QPointF(5, 6), r.width() * 0.55);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(r.adjusted(2, 2, -2, -2));
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown();
}

// --- PictureView ---------------------------------------------------------------

PictureView::PictureView(const QImage* picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
    setFixedSize(picture->size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PictureView::sizeHint() const {
    return m_picture->size();
}

void PictureView::invalidate() {
    constexpr qint64 FrameMs = 15;
    if (m_pending) return;
    const qint64 since = m_sincePaint.isValid() ? m_sincePaint.elapsed() : FrameMs;
    if (since >= FrameMs) {
        update();
        return;
    }
    m_pending = true;
    QTimer::singleShot(static_cast<int>(FrameMs - since), this, [this] {
        m_pending = false;
        update();
    });
}

void PictureView::paintEvent(QPaintEvent* event) {
    m_sincePaint.start();
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), *m_picture, event->rect());
}

StepTexts::StepTexts(QUndoStack& stack, QAction* undo, QAction* redo, QObject* parent)
    : QObject(parent),
      m_stack(stack),
      m_undoAction(undo),
      m_redoAction(redo),
      m_undo(tr("Undo")),
      m_redo(tr("Redo")),
      m_names(stepNames()) {
    connect(&m_stack, &QUndoStack::indexChanged, this, &StepTexts::refresh);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &StepTexts::refresh);
    connect(m_undoAction, &QAction::triggered, &m_stack, &QUndoStack::undo);
    connect(m_redoAction, &QAction::triggered, &m_stack, &QUndoStack::redo);
    refresh();
}

void StepTexts::setUndoWord(const QString& word) {
    m_undo = word;
    refresh();
}

void StepTexts::setRedoWord(const QString& word) {
    m_redo = word;
    refresh();
}

void StepTexts::setNames(const QStringList& names) {
    m_names = names;
    refresh();
}

QStringList StepTexts::stepNames() {
    return {QStringLiteral("Text"),
            QStringLiteral("Font"),
            QStringLiteral("Size"),
            QStringLiteral("Style"),
            QStringLiteral("Position"),
            QStringLiteral("Speed"),
            QStringLiteral("Anti Alias"),
            QStringLiteral("Text colour"),
            QStringLiteral("Background colour"),
            QStringLiteral("Movement"),
            QStringLiteral("Course name"),
            QStringLiteral("Project name"),
            QStringLiteral("View type"),
            QStringLiteral("Split"),
            QStringLiteral("Use"),
            QStringLiteral("Display time"),
            QStringLiteral("Default"),
            QStringLiteral("Paste"),
            QStringLiteral("Copy all views over"),
            QStringLiteral("Languages"),
            QStringLiteral("Fit"),
            QStringLiteral("Import destinations"),
            QStringLiteral("Recover project"),
            QStringLiteral("Import firmware"),
            QStringLiteral("LCD contrast"),
            QStringLiteral("Display model"),
            QStringLiteral("Restore autosaved copy")};
}

QString StepTexts::shown(const QString& step) const {
    const qsizetype i = stepNames().indexOf(step);
    return i >= 0 && i < m_names.size() && !m_names[i].isEmpty() ? m_names[i] : step;
}

void StepTexts::refresh() {
    auto show = [](QAction* a, const QString& word, const QString& step, bool can) {
        a->setText(step.isEmpty() ? word : word + QLatin1Char(' ') + step);
        a->setEnabled(can);
    };
    show(m_undoAction, m_undo, shown(m_stack.undoText()), m_stack.canUndo());
    show(m_redoAction, m_redo, shown(m_stack.redoText()), m_stack.canRedo());
}

FileNameLabel::FileNameLabel(QWidget* parent) : QLabel(parent), m_unsaved(tr("not saved yet")) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    refresh();
}

void FileNameLabel::setPath(const QString& path) {
    m_path = path;
    refresh();
}

void FileNameLabel::setUnsavedText(const QString& text) {
    m_unsaved = text;
    refresh();
}

void FileNameLabel::refresh() {
    setText(m_path.isEmpty() ? m_unsaved : QDir::toNativeSeparators(m_path));
    setToolTip(text());
}

QColor colorFromValue(std::uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace lt
