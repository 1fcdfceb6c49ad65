#include "depot/gui/formplayer.h"

#include "editor/document.h"
#include "i18n/gui/dialogtexts.h"
#include "i18n/gui/languagecontroller.h"
#include "model/projectfile.h"
#include "widgets/editorwidgets.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace lt {

namespace {

/// Whether the image holds anything: an export or an import has filled it.
bool holdsImage(const sflash& flash) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(&flash);
    return std::any_of(b, b + sizeof(sflash), [](std::uint8_t x) { return x != 0; });
}

}  // namespace

/// One animated picture being saved: the worker thread reads the copy of the
/// image and the turns, and writes the file only when it was not cancelled;
/// the window reads `done` while it runs and the outcome once it ended.
struct TFormPlayer::GifSave {
    std::unique_ptr<const sflash> flash;
    std::vector<PlayTurn> turns;
    std::int64_t lengthMs = 0;
    QString path;
    std::atomic<bool> cancel{false};
    std::atomic<std::int64_t> done{0};
    // Set by the worker, read after it finished.
    QString error;         // the animation could not be made
    QString writeFailure;  // the file could not be written

    void run() {
        Player clip(*flash, turns);
        const Animation a = makeAnimation(clip, lengthMs, SignDefaultScale, [this](std::int64_t ms) {
            done = ms;
            return !cancel;
        });
        if (a.cancelled || cancel) return;
        if (!a.error.isEmpty()) {
            error = a.error;
            return;
        }
        // Written to a temporary file renamed at the end: never a part of it.
        const QString failed = writeFileAtomically(path, a.gif.constData(), a.gif.size());
        if (!failed.isEmpty()) writeFailure = msgWriteFailed(path, failed);
    }
};

TFormPlayer::TFormPlayer(Document& doc, Prompts& prompts, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_doc(doc),
      m_prompts(prompts),
      m_allDestinations(QStringLiteral("All destinations")),
      m_noImage(QStringLiteral("No pendrive file")),
      m_flashImage(QStringLiteral("The image last exported or imported")),
      m_noExportYet(QStringLiteral("no pendrive file yet")) {
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
    btnFlash = button("btnFlash", QStringLiteral("Last exported image"), &TFormPlayer::btnFlashClick);
    sourceRow->addWidget(btnFlash);
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

    // The moment shown, one step a frame of 20 ms; arrows move a frame,
    // Page Up and Page Down a second.
    slPosition = new QSlider(Qt::Horizontal, this);
    slPosition->setObjectName(QStringLiteral("slPosition"));
    slPosition->setFocusPolicy(Qt::StrongFocus);
    slPosition->setSingleStep(1);
    slPosition->setPageStep(1000 / PlayerFrameMs);
    connect(slPosition, &QSlider::valueChanged, this, &TFormPlayer::slPositionChange);
    layout->addWidget(slPosition);

    auto* buttons = new QHBoxLayout;
    btnPlay = button("btnPlay", QStringLiteral("Play"), &TFormPlayer::btnPlayClick);
    btnPause = button("btnPause", QStringLiteral("Pause"), &TFormPlayer::btnPauseClick);
    btnSaveGif =
        button("btnSaveGif", QStringLiteral("Save as animated picture…"), &TFormPlayer::btnSaveGifClick);
    btnStepBack = button("btnStepBack", QStringLiteral("Step back"), &TFormPlayer::btnStepBackClick);
    btnStepForward =
        button("btnStepForward", QStringLiteral("Step forward"), &TFormPlayer::btnStepForwardClick);
    buttons->addWidget(btnPlay);
    buttons->addWidget(btnPause);
    buttons->addWidget(btnStepBack);
    buttons->addWidget(btnStepForward);
    buttons->addStretch(1);
    buttons->addWidget(btnSaveGif);
    buttons->addWidget(button("btnClose", QStringLiteral("Close"), &QDialog::close));
    layout->addLayout(buttons);

    // Saving in the background: how far it got, and Cancel.
    auto* saving = new QHBoxLayout;
    pbSave = new QProgressBar(this);
    pbSave->setObjectName(QStringLiteral("pbSave"));
    pbSave->setRange(0, 1000);
    btnCancelSave = button("btnCancelSave", QStringLiteral("Cancel"), &TFormPlayer::btnCancelSaveClick);
    saving->addWidget(pbSave, 1);
    saving->addWidget(btnCancelSave);
    layout->addLayout(saving);
    pbSave->hide();
    btnCancelSave->hide();
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Keys wherever the focus is: Ctrl+Left and Ctrl+Right step, Ctrl+Space
    // plays or pauses.
    const auto key = [this](QKeySequence seq, auto handler) {
        auto* k = new QShortcut(seq, this);
        connect(k, &QShortcut::activated, this, handler);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Left), &TFormPlayer::btnStepBackClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_Right), &TFormPlayer::btnStepForwardClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_Space), [this] { playing() ? btnPauseClick() : btnPlayClick(); });

    m_watcher = new QFileSystemWatcher(this);
    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(300);
    connect(m_reloadTimer, &QTimer::timeout, this, &TFormPlayer::reloadWatched);
    const auto changed = [this] { m_reloadTimer->start(); };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        // A file replaced by renaming is no longer watched; its folder tells
        // when the new one is there.
        if (!m_sourcePath.isEmpty() && !m_watcher->files().contains(m_sourcePath) &&
            QFileInfo::exists(m_sourcePath))
            m_reloadTimer->start();
    });
    m_saveTimer = new QTimer(this);
    m_saveTimer->setInterval(100);
    connect(m_saveTimer, &QTimer::timeout, this, &TFormPlayer::saveProgressTick);

    TimerPlayer = new QTimer(this);
    TimerPlayer->setObjectName(QStringLiteral("TimerPlayer"));
    TimerPlayer->setInterval(PlayerFrameMs);
    connect(TimerPlayer, &QTimer::timeout, this, &TFormPlayer::TimerPlayerTimer);

    new i18n::DialogTexts(QStringLiteral("SaveDialogAnimation"), &SaveDialogAnimation, this);
    new i18n::TDKLanguageController(this, QStringLiteral("FormPlayer"));
    fillDestinations(0);
    showPlaying(false);
    updateFlashButton();
}

TFormPlayer::~TFormPlayer() {
    TimerPlayer->stop();
    if (m_saveThread) {
        // The worker stops at its next frame and writes nothing.
        m_save->cancel = true;
        m_saveThread->disconnect(this);
        m_saveThread->wait();
        delete m_saveThread;
    }
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
    if (m_player && m_sourcePath.isEmpty()) lSource->setText(text);
}

void TFormPlayer::setNoExportYet(const QString& text) {
    m_noExportYet = text;
    updateFlashButton();
}

void TFormPlayer::updateFlashButton() {
    // Nothing exported or imported yet: no image to claim.
    const bool any = holdsImage(m_doc.flash());
    btnFlash->setEnabled(any);
    btnFlash->setToolTip(any ? QString() : m_noExportYet);
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
        m_prompts.warning(error);
        return false;
    }
    load(std::move(image), QFileInfo(path).absoluteFilePath(), Load::Chosen);
    return true;
}

void TFormPlayer::useFlash() {
    auto image = std::make_unique<sflash>();
    std::memcpy(static_cast<void*>(image.get()), &m_doc.flash(), sizeof(sflash));
    load(std::move(image), QString(), Load::Chosen);
}

void TFormPlayer::followFlash() {
    updateFlashButton();
    if ((m_player && !m_sourcePath.isEmpty()) || !holdsImage(m_doc.flash())) return;
    auto image = std::make_unique<sflash>();
    std::memcpy(static_cast<void*>(image.get()), &m_doc.flash(), sizeof(sflash));
    // Nothing played yet: it starts as if chosen.
    load(std::move(image), QString(), m_player ? Load::Followed : Load::Chosen);
}

void TFormPlayer::watch(const QString& path) {
    if (!m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
    if (path.isEmpty()) return;
    m_watcher->addPath(path);
    m_watcher->addPath(QFileInfo(path).absolutePath());
}

void TFormPlayer::reloadWatched() {
    if (m_sourcePath.isEmpty()) return;
    auto image = std::make_unique<sflash>();
    // A file half written, gone or refused keeps what plays; the next change
    // is read again.
    if (loadPlayable(m_sourcePath, *image).isEmpty())
        load(std::move(image), m_sourcePath, Load::Followed);
    else
        watch(m_sourcePath);
}

void TFormPlayer::load(std::unique_ptr<sflash> image, const QString& path, Load how) {
    // What was chosen: the destination, the language showing and how far
    // into its turn.
    const int view = cbDestination->currentData().toInt();
    const Player::Position was = m_player ? m_player->positionAt(m_time) : Player::Position{};
    const PlayTurn showing =
        was.turn >= 0 ? m_player->turns()[static_cast<std::size_t>(was.turn)] : PlayTurn{0, 0, 0};
    const bool wasPlaying = playing();

    TimerPlayer->stop();
    m_player.reset();
    m_flash = std::move(image);
    m_sourcePath = path;
    watch(path);
    lSource->setText(path.isEmpty() ? m_flashImage : QFileInfo(path).fileName());
    fillDestinations(view);  // makes the player of the chosen entry

    const std::vector<PlayTurn>& turns = m_player->turns();
    for (std::size_t i = 0; i < turns.size(); ++i) {
        if (turns[i].lang != showing.lang || turns[i].view != showing.view) continue;
        const std::int64_t in = how == Load::Followed ? std::min(was.inTurnMs, turns[i].lengthMs - 1) : 0;
        showTime(m_player->turnStart(static_cast<int>(i)) + in);
        break;
    }
    if (how == Load::Chosen || wasPlaying)
        btnPlayClick();
    else
        showPlaying(false);
}

void TFormPlayer::fillDestinations(int view) {
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
    cbDestination->setCurrentIndex(std::max(0, cbDestination->findData(view)));
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
        lTimeNow->setText(QStringLiteral("%1 s / %2 s")
                              .arg(QLocale().toString(pos.inTurnMs / 1000.0, 'f', 1),
                                   QLocale().toString(t.lengthMs / 1000)));
    } else {
        lLanguageNow->clear();
        lTimeNow->clear();
    }
    {
        const QSignalBlocker block(slPosition);
        const std::int64_t length = m_player ? m_player->length() : 0;
        slPosition->setRange(0, static_cast<int>(std::max<std::int64_t>(length - 1, 0) / PlayerFrameMs));
        slPosition->setValue(length > 0 ? static_cast<int>(m_time % length / PlayerFrameMs) : 0);
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
    const bool any = m_player && !m_player->turns().empty();
    btnPlay->setEnabled(any);
    btnStepBack->setEnabled(any);
    btnStepForward->setEnabled(any);
    slPosition->setEnabled(any);
    btnSaveGif->setEnabled(any && !m_saveThread);
}

void TFormPlayer::seekTo(std::int64_t ms) {
    showTime(ms);
    // Playing goes on from there.
    m_start = m_time;
    m_clock.restart();
}

void TFormPlayer::slPositionChange(int frame) {
    // The frame a clip shows at that time: the state after the ticks due by
    // its start.
    seekTo(std::int64_t{frame} * PlayerFrameMs);
}

void TFormPlayer::btnStepBackClick() {
    if (!m_player || m_player->turns().empty()) return;
    btnPauseClick();
    showTime(m_player->previousStep(m_time));
}

void TFormPlayer::btnStepForwardClick() {
    if (!m_player || m_player->turns().empty()) return;
    btnPauseClick();
    showTime(m_player->nextStep(m_time));
}

void TFormPlayer::btnOpenClick() {
    const QString path = m_prompts.openFile(m_doc.OpenDialogPendrive);
    if (!path.isEmpty()) openFile(path);
}

void TFormPlayer::btnFlashClick() {
    if (holdsImage(m_doc.flash())) useFlash();
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
    if (!m_player || m_player->turns().empty() || m_saveThread) return;
    const QString path = m_prompts.saveFile(SaveDialogAnimation);
    if (path.isEmpty()) return;
    // The worker gets an image of its own: what the window plays may be
    // replaced while it runs.
    auto save = std::make_shared<GifSave>();
    auto copy = std::make_unique<sflash>();
    std::memcpy(static_cast<void*>(copy.get()), m_flash.get(), sizeof(sflash));
    save->flash = std::move(copy);
    save->turns = m_player->turns();
    save->lengthMs = std::min<std::int64_t>(m_player->length(), std::int64_t{AnimationMaxSeconds} * 1000);
    save->path = path;
    m_save = save;
    m_saveThread = QThread::create([save] { save->run(); });
    connect(m_saveThread, &QThread::finished, this, &TFormPlayer::saveFinished);
    pbSave->setValue(0);
    pbSave->show();
    btnCancelSave->show();
    btnCancelSave->setEnabled(true);
    btnSaveGif->setEnabled(false);
    m_saveTimer->start();
    m_saveThread->start();
}

void TFormPlayer::btnCancelSaveClick() {
    if (!m_save) return;
    m_save->cancel = true;
    btnCancelSave->setEnabled(false);
}

void TFormPlayer::saveProgressTick() {
    if (!m_save || m_save->lengthMs <= 0) return;
    pbSave->setValue(static_cast<int>(m_save->done * 1000 / m_save->lengthMs));
}

void TFormPlayer::saveFinished() {
    m_saveThread->wait();
    delete m_saveThread;
    m_saveThread = nullptr;
    const std::shared_ptr<GifSave> save = std::move(m_save);
    m_saveTimer->stop();
    pbSave->hide();
    btnCancelSave->hide();
    showPlaying(playing());
    if (!save->cancel) {
        if (!save->error.isEmpty()) m_prompts.warning(save->error);
        if (!save->writeFailure.isEmpty()) m_prompts.warning(save->writeFailure);
    }
    emit gifSaveFinished();
}

void TFormPlayer::hideEvent(QHideEvent* event) {
    btnPauseClick();
    QDialog::hideEvent(event);
}

void TFormPlayer::showEvent(QShowEvent* event) {
    updateFlashButton();
    QDialog::showEvent(event);
}

}  // namespace lt
