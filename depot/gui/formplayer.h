#pragma once
// The player window `FormPlayer` (Edit > Play pendrive file…): plays a
// pendrive file, or the image last exported or imported, as the bus shows it,
// enlarged, one destination or all of them, and saves what it plays as an
// animated picture.

#include "depot/gif.h"
#include "depot/player.h"
#include "model/prompts.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
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

    /// Shows the moment `ms` of what plays (round again past the end).
    void showTime(std::int64_t ms);
    std::int64_t time() const { return m_time; }
    bool playing() const;

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

    QString allDestinations() const { return m_allDestinations; }
    void setAllDestinations(const QString& text);
    QString noImage() const { return m_noImage; }
    void setNoImage(const QString& text);
    QString flashImage() const { return m_flashImage; }
    void setFlashImage(const QString& text);

public slots:
    void btnOpenClick();
    void btnFlashClick();
    void cbDestinationChange();
    void btnPlayClick();
    void btnPauseClick();
    void btnSaveGifClick();
    void TimerPlayerTimer();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void load(std::unique_ptr<sflash> image, const QString& from);
    void fillDestinations();
    void showPlaying(bool on);

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
    QString m_sourceName;  // the file playing; empty for Flash
    QString m_allDestinations, m_noImage, m_flashImage;

    PictureView* ImagePlayer;
    QLabel* lSource;
    QComboBox* cbDestination;
    QLabel* lLanguageNow;
    QLabel* lTimeNow;
    QPushButton* btnPlay;
    QPushButton* btnPause;
    QPushButton* btnSaveGif;
    QTimer* TimerPlayer;
};

}  // namespace lt
