#pragma once
// Test doubles of the platform services. They record what they were asked and
// answer from scripts the test sets up.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>
#include <QColor>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QList>
#include <QStringList>
#include <QString>

#include "platform/archivers.h"
#include "platform/autostart.h"
#include "platform/choosers.h"
#include "platform/desktop_folders.h"
#include "platform/desktop_settings.h"
#include "platform/display_modes.h"
#include "platform/mci.h"
#include "platform/program_launcher.h"
#include "platform/screen_geometry.h"
#include "platform/services.h"
#include "platform/sound_player.h"
#include "platform/system_power.h"

class FakeMessageBoxes : public MessageBoxService {
public:
    struct Shown {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
        bool waited = true;   // shown with show(); false for notify()
        QStringList choices;  // the buttons of ask()
    };
    MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                       MessageButtons buttons, MessageIcon icon) override;
    // Records the box and leaves it open: closeNotified() closes them.
    void notify(QWidget *owner, const QString &text, const QString &title, MessageIcon icon,
                std::function<void()> closed) override;
    // Closes every box notify() left open, oldest first.
    void closeNotified();
    // Records the box and answers at once from choiceAnswers (the fallback
    // when it is empty).
    void ask(QWidget *owner, const QString &text, const QString &title, const QStringList &choices,
             int fallback, MessageIcon icon, std::function<void(int)> answered) override;
    std::deque<int> choiceAnswers;

    QList<Shown> shown;
    std::deque<std::function<void()>> openNotified;
    // Answers given in turn; when empty, Ok/Yes is answered.
    std::deque<MessageAnswer> answers;
};

class FakeClock : public LocalClock {
public:
    QDateTime now() const override { return current; }
    QDateTime current = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0));
};

class FakeScreen : public ScreenInfo {
public:
    QRect desktopRect() const override { return desktop; }
    QRect monitorRect(QPoint at) const override { return NearestMonitor(at, monitorAreas()); }
    QList<QRect> monitorAreas() const override { return monitors.isEmpty() ? QList<QRect>{desktop} : monitors; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    QPoint pointerPosition() const override { return pointer; }
    bool tellPointerMoves(std::function<void()> moved) override
    {
        pointerMoved = std::move(moved);
        return tellsMoves;
    }
    // Puts the pointer at `at` and tells the move asked for, if any.
    void movePointer(QPoint at)
    {
        pointer = at;
        if (pointerMoved)
            std::exchange(pointerMoved, nullptr)();
    }
    DesktopSession session() const override { return sessionKind; }
    bool drawsTranslucency() const override { return compositor; }
    void keepOffTaskbar(QWindow &window) override { offTaskbar << &window; }
    void keepOnEveryWorkspace(QWindow &window) override { onEveryWorkspace << &window; }
    void markAsDock(QWindow &window) override { docks << &window; }
    void keepAboveOtherPrograms(QWindow &window) override { keptAbove << &window; }
    // A session that watches for the pointer leaving when pointerWatch is set.
    bool watchPointerLeaving(QRect area, std::function<void()> left) override
    {
        if (!pointerWatch)
            return false;
        watchedArea = area;
        pointerLeft = std::move(left);
        return true;
    }
    void stopWatchingPointer() override
    {
        watchedArea = QRect();
        pointerLeft = nullptr;
    }
    void tellMisplacedPresses(QWindow &window, std::function<void(Qt::MouseButton, bool)> told) override
    {
        pressesWatched = &window;
        pressedElsewhere = std::move(told);
    }
    void watchMonitorChanges(std::function<void()> changed) override { monitorsChanged = std::move(changed); }
    std::optional<quint64> keyboardHolder() const override { return holder; }
    void giveKeyboardTo(quint64 window) override
    {
        keyboardGiven << window;
        holder = window;
    }
    // A session that lends the keyboard when leadsKeyboard is set.
    bool leadKeyboardHere(QPoint at) override
    {
        if (leadsKeyboard)
            keyboardLeads << at;
        return leadsKeyboard;
    }
    void endKeyboardLead() override { ++keyboardLeadsEnded; }
    // A window manager that gives the clock the keyboard when asked (GNOME,
    // KDE) when asksKeyboard is set; where it was let go.
    bool askKeyboardFor(QWindow &) override
    {
        ++keyboardAsks;
        return asksKeyboard;
    }
    // Whether the asking window has the keyboard at each look (0: the
    // first); the last answer stands for the looks after.
    bool hasKeyboard(QWindow &) const override
    {
        const int look = looksForKeyboard++;
        return keyboardAtLooks.value(std::min<qsizetype>(look, keyboardAtLooks.size() - 1), false);
    }
    void letKeyboardGo(QPoint at) override { keyboardsLetGo << at; }

    QRect desktop = QRect(0, 0, 1024, 768);
    QList<QRect> monitors;   // none: one monitor, the desktop
    QPoint pointer = QPoint(900, 700);
    DesktopSession sessionKind = DesktopSession::X11;
    bool compositor = true;   // what drawsTranslucency answers
    // The windows the program asked about, in turn.
    QList<QWindow *> offTaskbar, keptAbove, onEveryWorkspace, docks;
    bool pointerWatch = false;
    QRect watchedArea;                // the watch running; empty when none
    std::function<void()> pointerLeft;
    bool tellsMoves = true;
    std::function<void()> pointerMoved;      // the request for the pointer's next move
    std::function<void()> monitorsChanged;   // told by a test that changed the monitors
    QWindow *pressesWatched = nullptr;       // the window watched for presses delivered elsewhere
    std::function<void(Qt::MouseButton, bool)> pressedElsewhere;
    std::optional<quint64> holder;           // the other program's window with the keyboard
    QList<quint64> keyboardGiven;            // the windows given the keyboard, in turn
    bool leadsKeyboard = false;
    QList<QPoint> keyboardLeads;             // where the keyboard was led, in turn
    int keyboardLeadsEnded = 0;
    bool asksKeyboard = false;
    int keyboardAsks = 0;
    QList<bool> keyboardAtLooks{true};
    mutable int looksForKeyboard = 0;
    QList<QPoint> keyboardsLetGo;
};

class FakeChoosers : public ChooserService {
public:
    struct FileRequest {
        QString title, initialDir;
        QList<QPair<QString, QString>> filters;
    };
    QString chooseFile(QWidget *owner, const QString &title, const QString &initialDir,
                       const QList<QPair<QString, QString>> &filters) override;
    std::optional<QColor> chooseColor(QWidget *owner, QColor initial) override;
    QString chooseFolder(QWidget *owner, const QString &title, const QString &rootFolder) override;

    QList<FileRequest> fileRequests;
    int colorRequests = 0;
    int folderRequests = 0;
    QStringList folderStarts;   // where each folder chooser opened
    // Results handed out in turn; an empty queue means the user cancelled.
    std::deque<QString> files;
    std::deque<QColor> colors;
    std::deque<QString> folders;
};

class FakePower : public SystemPower {
public:
    bool requestRestart() override { return requests << "restart", true; }
    bool requestPowerOff() override { return requests << "poweroff", true; }
    QStringList requests;
};

// Display modes that are never set: tests and setMode answer from the
// table; the set requests are recorded.
class FakeDisplayModes : public DisplayModeService {
public:
    QList<DisplayMode> modes(QPoint at) override { return askedAt = at, list; }
    int testMode(const DisplayMode &mode) override { return resultFor(mode, testResults); }
    int setMode(const DisplayMode &mode, bool persist) override
    {
        set.append({mode, persist});
        return resultFor(mode, setResults);
    }

    QList<DisplayMode> list;
    QHash<quint64, int> testResults;   // by mode id; 0 when missing
    QHash<quint64, int> setResults;    // by mode id; 0 when missing
    QList<QPair<DisplayMode, bool>> set;
    QPoint askedAt;

private:
    static int resultFor(const DisplayMode &mode, const QHash<quint64, int> &results)
    {
        return results.value(mode.id, DisplayChangeDone);
    }
};

// A desktop that keeps its wallpaper (keeps true) or leaves it to the program.
class FakeDesktop : public DesktopSettings {
public:
    bool keepsWallpaper() override { return keeps; }
    WallpaperValues readWallpaper() override { return current; }
    bool writeWallpaper(const WallpaperValues &values) override
    {
        written.append(values);
        current.file = values.file;
        if (!values.tile.isEmpty())
            current.tile = values.tile;
        if (!values.style.isEmpty())
            current.style = values.style;
        return true;
    }
    bool paintRootWindow(const WallpaperValues &values) override { return painted.append(values), true; }
    RootBackground rootBackground() override { return root; }

    bool keeps = true;
    WallpaperValues current;
    QList<WallpaperValues> written;
    QList<WallpaperValues> painted;
    RootBackground root = RootBackground::Unset;
};

// A multimedia command interface that records the commands and answers from
// a table of replies; a command without a reply fails with code 263.
class FakeMci : public MciService {
public:
    quint32 sendString(const QString &command, QString &reply, int replyLength) override;
    QString errorText(quint32 code) override { return code ? "error " + QString::number(code) : QString(); }

    struct Sent {
        QString command;
        int replyLength;
    };
    QList<Sent> sent;
    QHash<QString, QString> replies;   // by command
    QStringList commands() const;
};

// Archiver components that extract nothing: they record their calls (from the
// worker thread) and answer from results, 0 when it is empty. While held, a
// call waits until release() so a test can look at the clock meanwhile.
class FakeArchivers : public ArchiverService {
public:
    struct Call {
        QString library;
        QStringList commandLine;
        ExtractionRules rules;
    };
    std::optional<ArchiverReport> run(const QString &library, const QStringList &commandLine,
                                      std::stop_token stop, const ExtractionRules &rules) override;
    // Answers with taken (for every archive).
    std::optional<QStringList> takenNames(const QString &, const QString &, const QString &) override
    {
        return taken;
    }
    QStringList taken;
    // Held, run waits for release() or for its stop to be requested (then
    // it reports kArchiverCancelled).
    void hold();
    void release();
    QList<Call> calls() const;
    // Reports handed out in turn (a full success when none is left);
    // nothing stands for "cannot be loaded".
    std::deque<std::optional<ArchiverReport>> results;
    // How many runs were stopped while held.
    int cancelled() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable_any released_;
    int cancelled_ = 0;
    bool held_ = false;
    QList<Call> calls_;
};

class FakeProgramLauncher : public ProgramLauncher {
public:
    enum class Call { Start, ShellOpen, OpenDocument, AssociatedCommand };
    struct Request {
        Call call;
        QString target;
        QStringList arguments;
        QString workFolder;
    };
    int startProgram(const QString &program, const QStringList &arguments,
                     const QString &workFolder) override;
    int shellOpen(const QString &target, const QStringList &arguments,
                  const QString &workFolder) override;
    int openDocument(const QString &target, const QString &workFolder) override;
    QStringList associatedCommand(const QString &file, const QString &workFolder) override;
    // Finds programs as the clock does (trusted $PATH folders); not recorded.
    QString findProgram(const QString &name) override;

    QList<Request> requests;
    // Results handed out in turn; when empty, success (and no associated
    // command). openResults serve shellOpen and openDocument alike.
    std::deque<int> startResults;
    std::deque<int> openResults;
    std::deque<QStringList> commands;
};

class FakeDesktopFolders : public DesktopFolders {
public:
    QString specialFolderPath(SpecialFolder folder) override { return special.value(int(folder)); }
    QStringList listFolder(const QString &folder, bool withFolders) override;
    QStringList recentFiles() override { return recent; }
    QList<MountedDrive> mountedDrives() override { return drives; }

    QHash<int, QString> special;                 // by SpecialFolder number
    QHash<QString, QStringList> files, folders;  // names by listed folder
    QStringList recent;
    QList<MountedDrive> drives;
};

// Sounds that are never heard: the files started and the numbers stopped are
// recorded, and a sound plays until it is stopped.
class FakeSounds : public SoundPlayer {
public:
    int start(const QString &file) override
    {
        started << file;
        playingIds.insert(int(started.size()));
        return int(started.size());
    }
    void stop(int id) override
    {
        stopped << id;
        playingIds.remove(id);
    }
    bool playing(int id) const override { return playingIds.contains(id); }

    QStringList started;   // sound number n is started[n - 1]
    QList<int> stopped;
    QSet<int> playingIds;
};

// A full set of fake services; the typed pointers reach the fakes.
class FakeAutostart : public Autostart {
public:
    bool enabled() override { return on; }
    bool setEnabled(bool enabled, const QString &program) override
    {
        if (fails)
            return false;
        on = enabled;
        startedProgram = program;
        return true;
    }
    QString location() override { return QStringLiteral("/fake/autostart/tockara.desktop"); }

    bool on = false;
    bool fails = false;
    QString startedProgram;
};

struct FakeServices {
    FakeServices();
    Services services;
    FakeMessageBoxes *messages;
    FakeClock *clock;
    FakeScreen *screen;
    FakeChoosers *choosers;
    FakePower *power;
    FakeDisplayModes *displayModes;
    FakeDesktop *desktop;
    FakeMci *mci;
    FakeArchivers *archivers;
    FakeProgramLauncher *programs;
    FakeDesktopFolders *folders;
    FakeSounds *sounds;
    FakeAutostart *autostart;
};
