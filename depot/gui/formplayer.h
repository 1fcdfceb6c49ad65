#pragma once
// The player window `FormPlayer` (Edit > Play pendrive file…): plays a
// pendrive file, or the image last exported or imported, as the bus shows it,
// enlarged, one destination or all of them, seeks and steps through it,
// follows a new export of what it plays, and saves what it plays as an
// animated picture in the background.

#include "depot/gif.h"
#include "depot/player.h"
#include "model/prompts.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>

#include <memory>

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QThread;
class QTimer;

namespace lt {

class Document;
class PictureView;

class TFormPlayer : public QDialog {
    Q_OBJECT
    // Texts the window shows in its value fields, translatable like captions.
    Q_PROPERTY(QString AllDestinations READ allDestinations WRITE setAllDestinations)
    Q_PROPERTY(QString NoImage READ noImage WRITE setNoImage)
    Q_PROPERTY(QString FlashImage READ flashImage WRITE setFlashImage)
    Q_PROPERTY(QString NoExportYet READ noExportYet WRITE setNoExportYet)
public:
    /// Pixels per LED of the picture in the window.
    static constexpr int Scale = 6;

    TFormPlayer(Document& doc, Prompts& prompts, QWidget* owner = nullptr);
    ~TFormPlayer() override;

    /// The menu command: shows the window playing the document's image when
    /// an export or import has filled it, else asks for a pendrive file first.
    void ShowPlayer();
    /// Loads a pendrive (or project) file and plays it from the start; a bad
    /// file is reported through the prompts and the window keeps what it had.
    bool openFile(const QString& path);
    /// Plays a copy of the document's image `Flash`.
    void useFlash();
    bool loaded() const { return m_player != nullptr; }
    /// An export or import has filled `Flash` again: when the window plays
    /// the image last exported (or nothing yet), it plays the new one,
    /// keeping the destination, language, moment and play or pause.
    void followFlash();

    /// Shows the moment `ms` of what plays (round again past the end).
    void showTime(std::int64_t ms);
    std::int64_t time() const { return m_time; }
    bool playing() const;
    /// Whether an animated picture is being saved in the background.
    bool savingGif() const { return m_saveThread != nullptr; }

    /// The save dialog of "Save as animated picture…".
    FileDialogSpec SaveDialogAnimation;

    const QImage& picture() const { return m_picture; }
    const Player* player() const { return m_player.get(); }
    QComboBox* destination() const { return cbDestination; }
    QLabel* languageNow() const { return lLanguageNow; }
    QLabel* timeNow() const { return lTimeNow; }
    QLabel* source() const { return lSource; }
    QPushButton* play() const { return btnPlay; }
    QPushButton* pause() const { return btnPause; }
    QSlider* position() const { return slPosition; }
    QPushButton* stepBack() const { return btnStepBack; }
    QPushButton* stepForward() const { return btnStepForward; }
    QPushButton* lastExported() const { return btnFlash; }
    QPushButton* cancelSave() const { return btnCancelSave; }
    QProgressBar* saveProgress() const { return pbSave; }

    QString allDestinations() const { return m_allDestinations; }
    void setAllDestinations(const QString& text);
    QString noImage() const { return m_noImage; }
    void setNoImage(const QString& text);
    QString flashImage() const { return m_flashImage; }
    void setFlashImage(const QString& text);
    QString noExportYet() const { return m_noExportYet; }
    void setNoExportYet(const QString& text);

signals:
    /// Saving an animated picture ended: written, failed (reported) or
    /// cancelled.
    void gifSaveFinished();

public slots:
    void btnOpenClick();
    void btnFlashClick();
    void cbDestinationChange();
    void btnPlayClick();
    void btnPauseClick();
    void btnSaveGifClick();
    void btnCancelSaveClick();
    void btnStepBackClick();
    void btnStepForwardClick();
    void slPositionChange(int frame);
    void TimerPlayerTimer();

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct GifSave;
    /// How a new image takes over: a file or Flash the operator chose plays
    /// from the start of the language that showed; one followed (a new
    /// export) keeps the moment and whether it played.
    enum class Load { Chosen, Followed };
    void load(std::unique_ptr<sflash> image, const QString& path, Load how);
    void fillDestinations(int view);
    void showPlaying(bool on);
    void updateFlashButton();
    void watch(const QString& path);
    void reloadWatched();
    void seekTo(std::int64_t ms);
    void saveProgressTick();
    void saveFinished();

    Document& m_doc;
    Prompts& m_prompts;
    std::unique_ptr<sflash> m_flash;
    std::unique_ptr<Player> m_player;
    SignPainter m_painter{Scale};
    std::vector<std::uint8_t> m_pixels;
    QImage m_picture;
    std::int64_t m_time = 0;   // the moment shown, ms
    std::int64_t m_start = 0;  // the moment playing started from
    QElapsedTimer m_clock;
    QString m_sourcePath;  // the file playing; empty for Flash
    QString m_allDestinations, m_noImage, m_flashImage, m_noExportYet;
    QFileSystemWatcher* m_watcher;
    QTimer* m_reloadTimer;  // a changed file is read once its writer is done
    std::shared_ptr<GifSave> m_save;
    QThread* m_saveThread = nullptr;
    QTimer* m_saveTimer;

    PictureView* ImagePlayer;
    QLabel* lSource;
    QComboBox* cbDestination;
    QLabel* lLanguageNow;
    QLabel* lTimeNow;
    QSlider* slPosition;
    QPushButton* btnFlash;
    QPushButton* btnPlay;
    QPushButton* btnPause;
    QPushButton* btnStepBack;
    QPushButton* btnStepForward;
    QPushButton* btnSaveGif;
    QProgressBar* pbSave;
    QPushButton* btnCancelSave;
    QTimer* TimerPlayer;
};

}  // namespace lt
