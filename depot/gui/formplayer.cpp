#include "depot/gui/formplayer.h"

#include "editor/document.h"
#include "i18n/gui/dialogtexts.h"
#include "i18n/gui/languagecontroller.h"
#include "model/projectfile.h"
#include "widgets/editorwidgets.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace lt {

namespace {

/// Whether the image holds anything: an export or an import has filled it.
bool holdsImage(const sflash& flash) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(&flash);
    return std::any_of(b, b + sizeof(sflash), [](std::uint8_t x) { return x != 0; });
}

}  // namespace

TFormPlayer::TFormPlayer(Document& doc, Prompts& prompts, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_doc(doc),
      m_prompts(prompts),
      m_allDestinations(QStringLiteral("All destinations")),
      m_noImage(QStringLiteral("No pendrive file")),
      m_flashImage(QStringLiteral("The image last exported or imported")) {
    setObjectName(QStringLiteral("FormPlayer"));
    setWindowTitle(QStringLiteral("Play pendrive file"));
    SaveDialogAnimation = {QStringLiteral("Save as animated picture"),
                           QStringLiteral("Animated picture (*.gif)|*.gif"), QStringLiteral("*.gif"),
                           QStringLiteral("velmoraplay"), true};

    m_picture = QImage(SignWidth * Scale, SignHeight * Scale, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (std::uint32_t c : m_painter.palette()) colours << (0xFF000000u | c);
    m_picture.setColorTable(colours);
    m_picture.fill(0);

    auto* layout = new QVBoxLayout(this);
    ImagePlayer = new PictureView(&m_picture, this);
    ImagePlayer->setObjectName(QStringLiteral("ImagePlayer"));
    ImagePlayer->setFixedSize(m_picture.size());
    layout->addWidget(ImagePlayer);

    const auto button = [this](const char* name, const QString& caption, auto handler) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    const auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(
        button("btnOpen", QStringLiteral("Open pendrive file…"), &TFormPlayer::btnOpenClick));
    sourceRow->addWidget(
        button("btnFlash", QStringLiteral("Last exported image"), &TFormPlayer::btnFlashClick));
    lSource = label("lSource", m_noImage);
    sourceRow->addWidget(lSource, 1);
    layout->addLayout(sourceRow);

    auto* grid = new QGridLayout;
    grid->addWidget(label("lDestination", QStringLiteral("Destination")), 0, 0);
    cbDestination = new QComboBox(this);
    cbDestination->setObjectName(QStringLiteral("cbDestination"));
    cbDestination->setMinimumWidth(360);
    connect(cbDestination, &QComboBox::currentIndexChanged, this, &TFormPlayer::cbDestinationChange);
    grid->addWidget(cbDestination, 0, 1);
    grid->addWidget(label("lLanguage", QStringLiteral("Language now showing")), 1, 0);
    lLanguageNow = label("lLanguageNow", QString());
    grid->addWidget(lLanguageNow, 1, 1);
    grid->addWidget(label("lTime", QStringLiteral("Time within its turn")), 2, 0);
    lTimeNow = label("lTimeNow", QString());
    grid->addWidget(lTimeNow, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    btnPlay = button("btnPlay", QStringLiteral("Play"), &TFormPlayer::btnPlayClick);
    btnPause = button("btnPause", QStringLiteral("Pause"), &TFormPlayer::btnPauseClick);
    btnSaveGif =
        button("btnSaveGif", QStringLiteral("Save as animated picture…"), &TFormPlayer::btnSaveGifClick);
    buttons->addWidget(btnPlay);
    buttons->addWidget(btnPause);
    buttons->addStretch(1);
    buttons->addWidget(btnSaveGif);
    buttons->addWidget(button("btnClose", QStringLiteral("Close"), &QDialog::close));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TimerPlayer = new QTimer(this);
    TimerPlayer->setObjectName(QStringLiteral("TimerPlayer"));
    TimerPlayer->setInterval(PlayerFrameMs);
    connect(TimerPlayer, &QTimer::timeout, this, &TFormPlayer::TimerPlayerTimer);

    new i18n::DialogTexts(QStringLiteral("SaveDialogAnimation"), &SaveDialogAnimation, this);
    new i18n::TDKLanguageController(this, QStringLiteral("FormPlayer"));
    fillDestinations();
    showPlaying(false);
}

TFormPlayer::~TFormPlayer() {
    TimerPlayer->stop();
}

void TFormPlayer::setAllDestinations(const QString& text) {
    m_allDestinations = text;
    if (cbDestination->count() > 0) cbDestination->setItemText(0, text);
}

void TFormPlayer::setNoImage(const QString& text) {
    m_noImage = text;
    if (!m_player) lSource->setText(text);
}

void TFormPlayer::setFlashImage(const QString& text) {
    m_flashImage = text;
    if (m_player && m_sourceName.isEmpty()) lSource->setText(text);
}

void TFormPlayer::ShowPlayer() {
    if (!m_player) {
        if (holdsImage(m_doc.flash()))
            useFlash();
        else
            btnOpenClick();
    }
    show();
    raise();
    activateWindow();
}

bool TFormPlayer::openFile(const QString& path) {
    auto image = std::make_unique<sflash>();
    const QString error = loadPlayable(path, *image);
    if (!error.isEmpty()) {
        m_prompts.message(error);
        return false;
    }
    load(std::move(image), QFileInfo(path).fileName());
    return true;
}

void TFormPlayer::useFlash() {
    auto image = std::make_unique<sflash>();
    std::memcpy(static_cast<void*>(image.get()), &m_doc.flash(), sizeof(sflash));
    load(std::move(image), QString());
}

void TFormPlayer::load(std::unique_ptr<sflash> image, const QString& from) {
    m_player.reset();
    m_flash = std::move(image);
    m_sourceName = from;
    lSource->setText(from.isEmpty() ? m_flashImage : from);
    fillDestinations();  // makes the player of the first entry
    btnPlayClick();
}

void TFormPlayer::fillDestinations() {
    const QSignalBlocker block(cbDestination);
    cbDestination->clear();
    cbDestination->addItem(m_allDestinations, 0);
    if (m_flash)
        for (int v = 1; v <= ViewCount; ++v) {
            const std::vector<PlayTurn> turns = destinationTurns(*m_flash, v);
            if (turns.empty()) continue;
            const QString name = AnsiCharToString(lt::screen(*m_flash, turns.front().lang, v).name);
            cbDestination->addItem(QStringLiteral("%1  %2").arg(v).arg(name), v);
        }
    cbDestination->setCurrentIndex(0);
    cbDestinationChange();
}

void TFormPlayer::cbDestinationChange() {
    if (!m_flash) {
        showTime(0);
        return;
    }
    const int v = cbDestination->currentData().toInt();
    m_player = std::make_unique<Player>(
        *m_flash, v > 0 ? destinationTurns(*m_flash, v) : allDestinationTurns(*m_flash));
    m_start = 0;
    m_clock.restart();
    showTime(0);
}

void TFormPlayer::showTime(std::int64_t ms) {
    m_time = std::max<std::int64_t>(ms, 0);
    FaceLeds face{};
    const Player::Position pos = m_player ? m_player->positionAt(m_time) : Player::Position{};
    if (pos.turn >= 0) {
        face = m_player->faceAt(m_time);
        const PlayTurn& t = m_player->turns()[static_cast<std::size_t>(pos.turn)];
        lLanguageNow->setText(
            QStringLiteral("%1  %2").arg(t.lang).arg(AnsiCharToString(m_flash->Lang[t.lang - 1].Nazwa)));
        lTimeNow->setText(
            QStringLiteral("%1 s / %2 s").arg(pos.inTurnMs / 1000.0, 0, 'f', 1).arg(t.lengthMs / 1000));
    } else {
        lLanguageNow->clear();
        lTimeNow->clear();
    }
    m_painter.paint(face, m_pixels);
    const int w = m_painter.width();
    for (int y = 0; y < m_painter.height(); ++y)
        std::memcpy(m_picture.scanLine(y), m_pixels.data() + static_cast<std::size_t>(y) * w,
                    static_cast<std::size_t>(w));
    ImagePlayer->update();
}

bool TFormPlayer::playing() const {
    return TimerPlayer->isActive();
}

void TFormPlayer::showPlaying(bool on) {
    btnPlay->setVisible(!on);
    btnPause->setVisible(on);
    btnPlay->setEnabled(m_player && !m_player->turns().empty());
    btnSaveGif->setEnabled(m_player && !m_player->turns().empty());
}

void TFormPlayer::btnOpenClick() {
    const QString path = m_prompts.openFile(m_doc.OpenDialogPendrive);
    if (!path.isEmpty()) openFile(path);
}

void TFormPlayer::btnFlashClick() {
    useFlash();
}

void TFormPlayer::btnPlayClick() {
    if (!m_player || m_player->turns().empty()) {
        showPlaying(false);
        return;
    }
    m_start = m_time;
    m_clock.restart();
    TimerPlayer->start();
    showPlaying(true);
}

void TFormPlayer::btnPauseClick() {
    TimerPlayer->stop();
    showPlaying(false);
}

void TFormPlayer::TimerPlayerTimer() {
    if (!m_player || m_player->length() <= 0) return;
    // Real time from where playing started, round the turns again and again.
    showTime((m_start + m_clock.elapsed()) % m_player->length());
}

void TFormPlayer::btnSaveGifClick() {
    if (!m_player || m_player->turns().empty()) return;
    const QString path = m_prompts.saveFile(SaveDialogAnimation);
    if (path.isEmpty()) return;
    Player clip(*m_flash, m_player->turns());
    const std::int64_t length =
        std::min<std::int64_t>(clip.length(), std::int64_t{AnimationMaxSeconds} * 1000);
    const Animation a = makeAnimation(clip, length, SignDefaultScale);
    if (!a.error.isEmpty()) {
        m_prompts.message(a.error);
        return;
    }
    const QString error = writeFileAtomically(path, a.gif.constData(), a.gif.size());
    if (!error.isEmpty()) m_prompts.warning(msgWriteFailed(path, error));
}

void TFormPlayer::hideEvent(QHideEvent* event) {
    btnPauseClick();
    QDialog::hideEvent(event);
}

}  // namespace lt
