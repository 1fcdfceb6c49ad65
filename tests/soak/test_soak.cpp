// A soak of the real editor: random clicks, wheel turns, keys and texts on
// every window the menus open, the views grid, the editing panel and the
// palette, with a fixed seed. Questions and file dialogs are answered at
// random from a script (files go to a scratch folder, some of them places
// that cannot be written); Qt's own dialogs (printer set-up) are closed as
// they open and every modal window is closed by a timer after a while, so
// nothing can block the run. A watchdog ends the process when no event was
// handled for a minute.
//
// The normal run is short: 2,000 steps, at most 30 seconds on a busy machine.
// LINETINT_SOAK_SECONDS=1800 runs for half an hour instead, LINETINT_SOAK_STEPS
// sets the number of steps and LINETINT_SOAK_SEED picks another seed.
#include "app/formfind.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "editor/document.h"
#include "i18n/langmanager.h"
#include "model/projectfile.h"
#include "print/gui/formprint.h"
#include "tests/support/scripted_prompts.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"
#include "widgets/editorwidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <thread>

namespace lt::test {
namespace {

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

/// Answers every question and file dialog at random, as a hurried operator.
class SoakPrompts : public Prompts {
public:
    SoakPrompts(std::mt19937& rng, const QString& dir) : m_rng(rng), m_dir(dir) {
        // A regular file standing where a folder is expected.
        QFile blocker(m_dir + QStringLiteral("/blocker"));
        if (blocker.open(QIODevice::WriteOnly)) blocker.write("x");
        QFile firmware(m_dir + QStringLiteral("/firmware.bin"));
        if (firmware.open(QIODevice::WriteOnly)) firmware.write(QByteArray(FirmwareSize, '\x5A'));
    }
    bool confirm(const QString&) override { return pick(10) < 7; }
    void message(const QString&) override { ++messages; }
    QString openFile(const FileDialogSpec& request) override {
        // A device that reads without end among the answers too: every
        // reader checks a fixed size first or stops at its bound.
        return path(request);
    }
    QString saveFile(const FileDialogSpec& request) override { return path(request); }
    int messages = 0;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    QString path(const FileDialogSpec& request) {
        const QString ext = request.defaultExt.mid(1);  // ".vmprj"
        switch (pick(8)) {
            case 0: return QString();                                        // cancelled
            case 1: return m_dir + QStringLiteral("/blocker/inside") + ext;  // under a file
            case 2: return m_dir;                                            // a folder
            case 3: return QStringLiteral("/dev/full");                      // a full disk
            case 4: return m_dir + QStringLiteral("/firmware.bin");          // some file
            case 5: return m_dir + QStringLiteral("/missing") + ext;         // not there
            default: return m_dir + QStringLiteral("/soak") + ext;           // a good one
        }
    }
    std::mt19937& m_rng;
    QString m_dir;
};

/// Stands in for the desktop's browser: Help > Manual (F1) hands it the
/// manual's page, which it only counts.
class BrowserStub : public QObject {
    Q_OBJECT
public:
    BrowserStub() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~BrowserStub() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    int opened = 0;
public slots:
    void open(const QUrl&) { ++opened; }
};

/// Texts an operator might type or paste.
const char16_t* const kTexts[] = {
    u"Dworzec Główny",
    u"Hauptbahnhof Süd",
    u"ŁÓDŹ KALISKA",
    u"12",
    u"-5",
    u"999999999999",
    u"\t",
    u"Zajezdnia\tT",
    u"\U0001F68C bus",
    u"",
    u" ",
    u"Pętla Żerań FSO",
    u"0",
    u"x",
};

struct Soak : ::testing::Test {
    std::mt19937 rng;
    TempDir dir;
    std::unique_ptr<SoakPrompts> prompts;
    BrowserStub browser;
    std::unique_ptr<EditorRun> run;
    QString oldCurrent;
    std::atomic<long> progress{0};
    std::deque<QString> recent;  // the last steps, printed when something goes wrong
    std::mutex recentLock;

    void SetUp() override {
        rng.seed(static_cast<std::mt19937::result_type>(envInt("LINETINT_SOAK_SEED", 20161)));
        prompts = std::make_unique<SoakPrompts>(rng, dir.path());
        // The shipped language files, so the hidden language items switch.
        i18n::LangManager().Reset();
        i18n::LangManager().ScanForLangFiles(QStringLiteral(LINETINT_BINARY_DIR), QStringLiteral("*.lng"),
                                             false);
        QApplication::setQuitOnLastWindowClosed(false);
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(dir.path());  // anything printed to a file lands here
        run = startEditor(*qApp, prompts.get());
        auto* print = qobject_cast<TFormPrint*>(forms().FormPrint);
        print->PrintDialog = [this](QPrinter& printer) {
            if (pick(3) != 0) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.file(QStringLiteral("sheet.pdf")));
            return true;
        };
        print->showError = [this](const QString&) { ++prompts->messages; };
        run->mainForm->show();
    }
    void TearDown() override {
        run.reset();
        i18n::LangManager().Reset();
        QDir::setCurrent(oldCurrent);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    void note(const QString& step) {
        std::lock_guard lock(recentLock);
        recent.push_back(step);
        if (recent.size() > 40) recent.pop_front();
    }
    void dumpRecent() {
        std::lock_guard lock(recentLock);
        for (const QString& s : recent) std::fprintf(stderr, "  soak step: %s\n", qPrintable(s));
    }

    QList<QAction*> menuActions() {
        QList<QAction*> all;
        for (QMenu* m : run->mainForm->menuBar()->findChildren<QMenu*>())
            for (QAction* a : m->actions())
                if (!a->isSeparator() && !a->menu()) all.append(a);
        for (QAction* a : run->mainForm->gbWidoki()->pmSG()->actions())
            if (!a->isSeparator() && !a->menu()) all.append(a);
        for (QAction* a : run->mainForm->gbWidoki()->pmCopyLanguage()->actions()) all.append(a);
        return all;
    }

    /// The window an operator's input reaches now: an open popup, else the
    /// modal window, else the main window or the find window.
    QWidget* target() {
        if (QWidget* popup = QApplication::activePopupWidget()) return popup;
        if (QWidget* modal = QApplication::activeModalWidget()) return modal;
        TMainForm* main = run->mainForm.get();
        QWidget* find = main->FormFind();
        if (find && find->isVisible() && pick(4) == 0) return find;
        return main;
    }

    /// Runs `input` from the event loop, so a modal window it opens runs its
    /// own loop while the soak goes on. Input reaches the editor as it does
    /// from the window system: from an event loop, never from inside a
    /// handler that lets only repaints and timers through (the print window
    /// draws its page that way), so input given while one runs is dropped.
    template <typename F>
    void later(QObject* context, F input) {
        QTimer::singleShot(0, context, [this, input] {
            const int level = QThread::currentThread()->loopLevel();
            if (!inputLevels.empty() && level <= inputLevels.back()) return;
            inputLevels.push_back(level);
            input();
            inputLevels.pop_back();
        });
    }
    std::vector<int> inputLevels;  // the loop level of each input being handled
    QSet<QString> windowsSeen;     // the classes of the modal windows that opened

    void step(long n) {
        QWidget* w = target();
        QPointer<QWindow> window = w->windowHandle();
        if (!window) return;
        const QPoint at(pick(std::max(1, w->width())), pick(std::max(1, w->height())));
        const Qt::KeyboardModifiers mods = pick(6) == 0   ? Qt::ControlModifier
                                           : pick(8) == 0 ? Qt::ShiftModifier
                                                          : Qt::NoModifier;
        const int kind = pick(100);
        if (kind < 35) {
            const bool right = pick(6) == 0;
            const bool twice = !right && pick(5) == 0;
            note(QStringLiteral("%1 %2 click at %3,%4 in %5")
                     .arg(n)
                     .arg(right   ? "right"
                          : twice ? "double"
                                  : "left")
                     .arg(at.x())
                     .arg(at.y())
                     .arg(QLatin1String(w->metaObject()->className())));
            later(window, [window, at, right, twice] {
                if (!window) return;
                if (twice)
                    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
                else
                    QTest::mouseClick(window, right ? Qt::RightButton : Qt::LeftButton, Qt::NoModifier, at);
            });
        } else if (kind < 45) {
            // Somewhere in the views grid of the current language.
            views::ViewsGrid* g = run->mainForm->gbWidoki()->grid(editLang(run->doc->dane()));
            if (!g->isVisible() || QApplication::activeModalWidget()) return;
            QPointer<QWindow> mainWindow = run->mainForm->windowHandle();
            const QPoint in = g->viewport()->mapTo(
                run->mainForm.get(), QPoint(pick(g->viewport()->width()), pick(g->viewport()->height())));
            const int how = pick(4);
            note(QStringLiteral("%1 grid %2 at %3,%4").arg(n).arg(how).arg(in.x()).arg(in.y()));
            later(mainWindow, [mainWindow, in, how] {
                if (!mainWindow) return;
                if (how == 0)
                    QTest::mouseDClick(mainWindow, Qt::LeftButton, Qt::NoModifier, in);
                else if (how == 1)
                    QTest::mouseClick(mainWindow, Qt::RightButton, Qt::NoModifier, in);
                else
                    QTest::mouseClick(mainWindow, Qt::LeftButton, Qt::NoModifier, in);
            });
        } else if (kind < 52) {
            // A control of the editing panel (swatches open the palette).
            QWidget* panel = run->mainForm->PanelMain();
            if (!panel->isVisible() || QApplication::activeModalWidget()) return;
            QList<QWidget*> controls;
            for (QWidget* c : panel->findChildren<QWidget*>())
                if (c->isVisible() && c->focusPolicy() != Qt::NoFocus) controls.append(c);
            for (ColorSwatch* c : panel->findChildren<ColorSwatch*>())
                if (c->isVisible()) controls.append(c);
            if (controls.isEmpty()) return;
            QWidget* c = controls[pick(static_cast<int>(controls.size()))];
            QPointer<QWindow> mainWindow = run->mainForm->windowHandle();
            const QPoint in = c->mapTo(run->mainForm.get(), QPoint(c->width() / 2, c->height() / 2));
            if (!run->mainForm->rect().contains(in)) return;  // scrolled off a short window
            note(QStringLiteral("%1 panel %2 at %3,%4").arg(n).arg(c->objectName()).arg(in.x()).arg(in.y()));
            later(mainWindow, [mainWindow, in] {
                if (mainWindow) QTest::mouseClick(mainWindow, Qt::LeftButton, Qt::NoModifier, in);
            });
        } else if (kind < 56) {
            const int delta = (pick(2) ? 120 : -120) * (1 + pick(3));
            note(QStringLiteral("%1 wheel %2 at %3,%4").arg(n).arg(delta).arg(at.x()).arg(at.y()));
            later(window, [window, at, delta] {
                if (!window) return;
                const QPoint global = window->mapToGlobal(at);
                QWheelEvent e(at, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
                QApplication::sendEvent(window, &e);
            });
        } else if (kind < 72) {
            static const Qt::Key keys[] = {
                Qt::Key_Up,       Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Tab,
                Qt::Key_Backtab,  Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,  Qt::Key_PageUp,
                Qt::Key_PageDown, Qt::Key_Home,   Qt::Key_End,    Qt::Key_Delete, Qt::Key_Backspace,
                Qt::Key_A,        Qt::Key_C,      Qt::Key_V,      Qt::Key_E,      Qt::Key_F,
                Qt::Key_N,        Qt::Key_O,      Qt::Key_S,      Qt::Key_Q,      Qt::Key_7,
                Qt::Key_F1,       Qt::Key_F4,     Qt::Key_Z,      Qt::Key_Y};
            const Qt::Key key = keys[pick(static_cast<int>(std::size(keys)))];
            // Now and then from inside a text or number field of the main
            // window, where the menus' keys must still win.
            if (pick(3) == 0 && !QApplication::activeModalWidget()) {
                QList<QLineEdit*> fields;
                for (QLineEdit* e : run->mainForm->findChildren<QLineEdit*>())
                    if (e->isVisible()) fields.append(e);
                if (!fields.isEmpty()) {
                    QPointer<QLineEdit> field = fields[pick(static_cast<int>(fields.size()))];
                    note(QStringLiteral("%1 focus %2").arg(n).arg(field->objectName()));
                    later(field, [field] {
                        if (field) field->setFocus();
                    });
                }
            }
            note(QStringLiteral("%1 key %2 mods %3").arg(n).arg(key, 0, 16).arg(int(mods), 0, 16));
            later(window, [window, key, mods] {
                if (window) QTest::keyClick(window, key, mods);
            });
        } else if (kind < 84) {
            const QString text = QString::fromUtf16(kTexts[pick(static_cast<int>(std::size(kTexts)))]);
            const bool typed = pick(3) != 0;
            note(QStringLiteral("%1 text \"%2\" %3").arg(n).arg(text).arg(typed ? "typed" : "set"));
            later(w, [text, typed] {
                QWidget* focus = QApplication::focusWidget();
                if (!focus) return;
                if (typed) {
                    for (const QChar c : text) {
                        QPointer<QWidget> to = QApplication::focusWidget();
                        if (!to) return;
                        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                        QApplication::sendEvent(to, &press);
                        if (!to) return;
                        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
                        QApplication::sendEvent(to, &release);
                    }
                } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
                    edit->setText(text.repeated(1 + text.size() % 90));  // long texts too
                }
            });
        } else if (kind < 96) {
            const QList<QAction*> actions = menuActions();
            QPointer<QAction> a = actions[pick(static_cast<int>(actions.size()))];
            // Hidden items are reached rarely: only from here, never by the operator.
            if (!a->isVisible() && pick(4) != 0) return;
            if (QApplication::activeModalWidget()) return;  // the menus wait behind a modal window
            note(QStringLiteral("%1 menu %2").arg(n).arg(a->objectName()));
            later(a, [a] {
                if (a && a->isEnabled()) a->trigger();
            });
        } else {
            const int height = 300 + pick(700);
            note(QStringLiteral("%1 resize to %2").arg(n).arg(height));
            QPointer<QWidget> main = run->mainForm.get();
            later(main, [main, height] {
                if (main) main->resize(1500, height);
            });
        }
    }

    /// Closes modal windows that stayed open long enough, and Qt's own ones
    /// at once. Returns whether anything modal or a popup is still open.
    bool closeLingering(QWidget*& lastModal, int& modalAge, int limit) {
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* popup = QApplication::activePopupWidget();
        if (popup && pick(8) == 0) {
            QPointer<QWidget> p = popup;
            later(p, [p] {
                if (p) p->close();
            });
        }
        if (modal != lastModal) {
            lastModal = modal;
            modalAge = 0;
            if (modal) windowsSeen.insert(QString::fromLatin1(modal->metaObject()->className()));
        }
        if (!modal) return popup != nullptr;
        const bool ours = QByteArray(modal->metaObject()->className()).startsWith("lt::");
        if (++modalAge > (ours ? limit : 1)) {
            note(QStringLiteral("closing %1").arg(QLatin1String(modal->metaObject()->className())));
            QPointer<QWidget> m = modal;
            later(m, [m] {
                if (auto* d = qobject_cast<QDialog*>(m.data()))
                    d->reject();
                else if (m)
                    m->close();
            });
            modalAge = 0;
        }
        return true;
    }
};

TEST_F(Soak, RandomInputNeitherCrashesNorHangs) {
    const int seconds = envInt("LINETINT_SOAK_SECONDS", 0);
    const long maxSteps = seconds > 0 ? -1 : envInt("LINETINT_SOAK_STEPS", 2000);
    const qint64 maxMs = seconds > 0 ? qint64(seconds) * 1000 : 30000;

    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        long seen = -1;
        int still = 0;
        while (!done) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const long now = progress.load();
            still = now == seen ? still + 1 : 0;
            seen = now;
            if (still >= 60) {
                std::fprintf(stderr, "soak: no step for 60 s, the editor hangs\n");
                dumpRecent();
                std::abort();
            }
        }
    });

    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    long steps = 0;
    QWidget* lastModal = nullptr;
    int modalAge = 0;
    bool finishing = false;
    QTimer driver;
    driver.setInterval(2);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        ++progress;
        TMainForm* main = run->mainForm.get();
        if (!finishing && ((maxSteps >= 0 && steps >= maxSteps) || clock.elapsed() >= maxMs))
            finishing = true;
        if (finishing) {
            // Everything modal closes, then the soak's own loop ends.
            if (!closeLingering(lastModal, modalAge, 0)) loop.quit();
            return;
        }
        closeLingering(lastModal, modalAge, 5 + pick(40));
        // Quit answered Yes: the operator starts the editor again.
        if (!main->isVisible() && !QApplication::activeModalWidget()) main->show();
        step(steps++);
    });
    driver.start();
    loop.exec();
    driver.stop();
    // Input still queued runs now, with nothing left to open windows for it.
    for (int i = 0; i < 200 && (QApplication::activeModalWidget() || QApplication::activePopupWidget());
         ++i) {
        closeLingering(lastModal, modalAge, 0);
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    done = true;
    watchdog.join();

    QStringList seen(windowsSeen.begin(), windowsSeen.end());
    seen.sort();
    std::fprintf(stderr, "soak: %ld steps in %lld ms, %d messages, modal windows: %s\n", steps,
                 static_cast<long long>(clock.elapsed()), prompts->messages,
                 qPrintable(seen.join(QStringLiteral(", "))));
    if (HasFailure()) dumpRecent();

    // The editor is still whole: the grid state stays in its ranges, the
    // width rule holds and the project saves and opens again byte for byte.
    const sDane& d = run->doc->dane();
    EXPECT_GE(d.SelWidok, 1);
    EXPECT_LE(d.SelWidok, LanguageCount);
    EXPECT_GE(d.EditRow, 1);
    EXPECT_LE(d.EditRow, ViewCount);
    EXPECT_GE(d.SelectRow, 0);
    EXPECT_LE(d.SelectRow, ViewCount);
    EXPECT_EQ(run->mainForm->width(), TMainForm::ClientWidth);
    const QString path = dir.file(QStringLiteral("final.vmprj"));
    ASSERT_EQ(run->doc->writeProject(path), QString());
    ProjectRead read = readProjectFile(path);
    ASSERT_EQ(read.status, ProjectRead::Ok) << read.error.toStdString();
    EXPECT_EQ(std::memcmp(read.data.get(), &d, sizeof(sDane)), 0);
    EXPECT_GT(steps, 0);
    EXPECT_GE(windowsSeen.size(), 3);  // the input reached the dialogs, not just the main window
}

}  // namespace
}  // namespace lt::test

#include "test_soak.moc"
