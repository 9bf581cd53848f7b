// The Linux implementations of the platform services, on Qt.
#include <algorithm>
#include <limits>
#include <memory>
#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QTimer>
#include <QTimeZone>
#include <QTreeView>
#include <QWindow>

#include "platform/choosers.h"
#include "platform/linux/desktop_autostart.h"
#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/kwin_pointer_watch.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/message_boxes.h"
#include "platform/linux/x11_display.h"
#include "platform/linux/x11_misplaced_presses.h"
#include "platform/linux/x11_pointer_motion.h"
#include "platform/linux/x11_window_requests.h"
#include "platform/screen_geometry.h"

namespace {

// The local time is the system time plus the time zone's offset. Looking the
// offset up reads the time zone file; the clock asks ten times a second, so
// the offset is looked up once a minute (offsets change only at whole
// minutes, at a daylight-saving change or when the user picks another zone).
class SystemClock : public LocalClock {
public:
    QDateTime now() const override
    {
        const qint64 ms = QDateTime::currentMSecsSinceEpoch();
        const qint64 minute = ms >= 0 ? ms / 60000 : (ms + 1) / 60000 - 1;
        if (minute != offsetMinute_) {
            offsetSeconds_ = QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc();
            offsetMinute_ = minute;
        }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::fromSecondsAheadOfUtc(offsetSeconds_));
#else
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offsetSeconds_);
#endif
    }

private:
    mutable qint64 offsetMinute_ = std::numeric_limits<qint64>::min();
    mutable int offsetSeconds_ = 0;
};

class QtScreens : public ScreenInfo {
public:
    QtScreens()
    {
        if (session_ != DesktopSession::X11)
            FollowWestonsManagedWindows();
        handOffPoll_.callOnTimeout([this] {
            if (handOff_.hasKeyboard() || ++handOffTicks_ > 20) {
                handOff_.hide();
                handOffPoll_.stop();
            } else {
                handOff_.askForKeyboard();
            }
        });
    }
    QRect desktopRect() const override
    {
        QScreen *primary = QGuiApplication::primaryScreen();
        return primary ? primary->virtualGeometry() : QRect(0, 0, 1024, 768);
    }
    QRect monitorRect(QPoint at) const override
    {
        if (QScreen *screen = QGuiApplication::screenAt(at))
            return screen->geometry();
        QList<QRect> monitors;
        for (const QScreen *screen : QGuiApplication::screens())
            monitors << screen->geometry();
        const QRect nearest = NearestMonitor(at, monitors);
        return nearest.isEmpty() ? QRect(0, 0, 1024, 768) : nearest;
    }
    QList<QRect> monitorAreas() const override
    {
        QList<QRect> areas;
        for (const QScreen *screen : QGuiApplication::screens())
            areas << screen->availableGeometry();
        return areas;
    }
    DesktopSession session() const override { return session_; }
    bool drawsTranslucency() const override
    {
        return session_ != DesktopSession::X11 || CompositingManagerRuns();
    }
    void keepOffTaskbar(QWindow &window) override { KeepOffTaskbarOnX11(window); }
    void keepOnEveryWorkspace(QWindow &window) override { KeepOnEveryWorkspaceOnX11(window); }
    void markAsDock(QWindow &window) override { MarkAsDockOnX11(window); }
    void keepAboveOtherPrograms(QWindow &window) override { KeepAboveOtherProgramsOnX11(window); }
    void keepFixedSize(QWindow &window) override { KeepFixedSizeOnX11(window); }
    bool watchPointerLeaving(QRect area, std::function<void()> left) override
    {
        if (session_ != DesktopSession::WaylandKde)
            return false;
        if (!kwinWatch_)
            kwinWatch_ = std::make_unique<KWinPointerWatch>();
        return kwinWatch_->watch(area, std::move(left));
    }
    void stopWatchingPointer() override
    {
        if (kwinWatch_)
            kwinWatch_->stop();
    }
    void tellMisplacedPresses(QWindow &window, std::function<void(Qt::MouseButton, bool)> told) override
    {
        if (session_ == DesktopSession::X11)
            return;
        TellMisplacedPressesOnX11(window, [told = std::move(told)](int button, bool pressed) {
            static constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
            if (button >= 1 && button <= 3)
                told(kButtons[button - 1], pressed);
        });
    }
    void watchMonitorChanges(std::function<void()> changed) override
    {
        auto told = std::make_shared<std::function<void()>>(std::move(changed));
        auto watch = [told](QScreen *screen) {
            QObject::connect(screen, &QScreen::geometryChanged, qApp, [told] { (*told)(); });
            QObject::connect(screen, &QScreen::availableGeometryChanged, qApp, [told] { (*told)(); });
        };
        for (QScreen *screen : QGuiApplication::screens())
            watch(screen);
        QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [told, watch](QScreen *screen) {
            watch(screen);
            (*told)();
        });
        QObject::connect(qApp, &QGuiApplication::screenRemoved, qApp, [told] { (*told)(); });
    }
    bool tellPointerMoves(std::function<void()> moved) override
    {
        if (!motionTried_) {
            motionTried_ = true;
            motion_ = X11PointerMotion::Start();
        }
        if (!motion_)
            return false;
        motion_->tellNextMove(std::move(moved));
        return true;
    }
    std::optional<quint64> keyboardHolder() const override { return KeyboardHolderOnX11(); }
    void giveKeyboardTo(quint64 holder) override { GiveKeyboardOnX11(holder); }
    bool leadKeyboardHere(QPoint at) override
    {
        return session_ != DesktopSession::X11 && PlacesItsOwnWindow(session_) && keyboardLead_.show(at);
    }
    void endKeyboardLead() override { keyboardLead_.hide(); }
    void letKeyboardGo(QPoint at) override
    {
        if (!MarksItsWindowADock(session_) || !handOff_.showManaged(at))
            return;
        handOffTicks_ = 0;
        handOffPoll_.start(50);
    }
    bool askKeyboardFor(QWindow &window) override
    {
        if (!MarksItsWindowADock(session_))
            return false;
        // A keyboard let go a moment ago is not handed on over this ask.
        handOffPoll_.stop();
        handOff_.hide();
        GiveKeyboardOnX11(window.winId());
        return true;
    }
    bool hasKeyboard(QWindow &window) const override
    {
        return QGuiApplication::focusWindow() == &window && HasKeyboardOnX11(window.winId());
    }
    void drawShownWindowAtOnce(QWindow &window) override
    {
        if (session_ == DesktopSession::X11)
            return;
        // Weston (10) draws a window that bypasses it only from the next time
        // it draws the screen for another reason (the pointer moving, a
        // window of its own mapped): until then the clock is not on screen
        // and does not tick. A window it manages, mapped, makes it draw: the
        // keyboard lead, at the clock, from once the clock is mapped until
        // Weston gives it the keyboard (a second at most). Weston then gives
        // the keyboard back to the window that had it.
        auto *poll = new QTimer(&window);
        poll->setInterval(50);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, &window, ticks = 0]() mutable {
            if (ticks++ == 0) {
                if (!WestonManagesX11Windows() || !drawingLead_.show(window.geometry().topLeft()))
                    poll->deleteLater();
            } else if (drawingLead_.hasKeyboard() || ticks > 20) {
                drawingLead_.hide();
                poll->deleteLater();
            }
        });
        poll->start();
    }
    double twipsPerPixelX() const override { return 1440.0 / dpiX(); }
    double twipsPerPixelY() const override { return 1440.0 / dpiY(); }
    QPoint pointerPosition() const override { return QCursor::pos(); }

private:
    const DesktopSession session_ = CurrentSession();
    std::unique_ptr<KWinPointerWatch> kwinWatch_;
    std::unique_ptr<X11PointerMotion> motion_;
    bool motionTried_ = false;
    X11KeyboardLead keyboardLead_;
    X11KeyboardLead drawingLead_;
    // The window letKeyboardGo hands the keyboard on by: it goes once the
    // window manager gave it the keyboard, or after a second.
    X11KeyboardLead handOff_;
    QTimer handOffPoll_;
    int handOffTicks_ = 0;
    static double dpiX()
    {
        QScreen *s = QGuiApplication::primaryScreen();
        return s && s->logicalDotsPerInchX() > 0 ? s->logicalDotsPerInchX() : 96.0;
    }
    static double dpiY()
    {
        QScreen *s = QGuiApplication::primaryScreen();
        return s && s->logicalDotsPerInchY() > 0 ? s->logicalDotsPerInchY() : 96.0;
    }
};

// A Wayland session's outputs belong to its compositor: XWayland lists
// modes, but setting one would change only what the clock itself sees. The
// modes are listed, marked as not settable, and a choice is refused plainly.
class SessionOwnedDisplayModes : public DisplayModeService {
public:
    explicit SessionOwnedDisplayModes(std::unique_ptr<DisplayModeService> listed) : listed_(std::move(listed)) {}
    QList<DisplayMode> modes(QPoint at) override { return listed_->modes(at); }
    int testMode(const DisplayMode &) override { return DisplayChangeNotAllowed; }
    int setMode(const DisplayMode &, bool) override { return DisplayChangeNotAllowed; }

private:
    std::unique_ptr<DisplayModeService> listed_;
};

class QtChoosers : public ChooserService {
public:
    QString chooseFile(QWidget *owner, const QString &title, const QString &initialDir,
                       const QList<QPair<QString, QString>> &filters) override
    {
        QStringList nameFilters;
        for (const auto &[description, patterns] : filters) {
            QString globs = patterns;
            globs.replace(';', ' ');
            // Qt shows the patterns in parentheses itself; keep a description
            // that already names them as it is.
            nameFilters << (description.contains('(') ? description.section('(', 0, 0).trimmed() : description)
                               + " (" + globs + ")";
        }
        QFileDialog dialog(owner, title, initialDir, nameFilters.join(";;"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        return run(dialog);
    }
    std::optional<QColor> chooseColor(QWidget *owner, QColor initial) override
    {
        QColor chosen = QColorDialog::getColor(initial, owner);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }
    QString chooseFolder(QWidget *owner, const QString &title, const QString &startFolder) override
    {
        QFileDialog dialog(owner, title, startFolder);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        return run(dialog);
    }

private:
    // The list's size, type and date columns as wide as what they show once
    // a folder is read (the toolkit sizes them for short English texts); the
    // name takes the rest of the list's width, whatever the chooser's size.
    static void fitColumns(QTreeView &list)
    {
        for (int column = 1; column < list.header()->count(); ++column)
            list.resizeColumnToContents(column);
    }

    // The toolkit's own chooser (where the desktop offers none) opens at a
    // size where a file's name, size, type and date read whole, and then at
    // the size the user last gave a chooser while the program runs. A
    // desktop's own chooser keeps its own size.
    QString run(QFileDialog &dialog)
    {
        auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        auto *model = dialog.findChild<QFileSystemModel *>();
        if (list && model) {
            list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
            QObject::connect(model, &QFileSystemModel::directoryLoaded, list, [list] { fitColumns(*list); });
        }
        if (size_.isEmpty()) {
            const QFontMetrics metrics(dialog.font());
            size_ = QSize(std::max(860, 110 * metrics.averageCharWidth()), std::max(520, 26 * metrics.height()));
        }
        QSize size = size_;
        if (const QScreen *screen = dialog.screen())
            size = size.boundedTo(screen->availableGeometry().size());
        dialog.resize(size);
        const bool chosen = dialog.exec() == QDialog::Accepted;
        size_ = dialog.size();
        return chosen ? dialog.selectedFiles().value(0) : QString();
    }

    QSize size_;
};

} // namespace

Services MakeLinuxServices()
{
    Services services;
    services.messages = MakeQtMessageBoxes();
    services.clock = std::make_unique<SystemClock>();
    services.screen = std::make_unique<QtScreens>();
    services.choosers = std::make_unique<QtChoosers>();
    services.power = MakeLogindPower();
    const DesktopSession session = CurrentSession();
    services.displayModes = MakeXRandrDisplayModes();
    if (!LetsProgramsChangeDisplayModes(session))
        services.displayModes = std::make_unique<SessionOwnedDisplayModes>(std::move(services.displayModes));
    // One search for every program the clock starts by name; start-up and
    // the settings give it the folders no program may come from.
    services.programSearch = std::make_shared<ProgramSearch>();
    services.desktop = MakeDesktopSettings(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                           MakeSystemDesktopTools(services.programSearch),
                                           session != DesktopSession::X11);
    services.mci = MakeCdAudioMci();
    services.archivers = MakeLinuxArchivers(SevenZipPrograms(), services.programSearch);
    services.programs = MakeLinuxProgramLauncher(services.programSearch);
    services.folders = MakeLinuxDesktopFolders();
    services.sounds = MakeSoundPlayer();
    services.autostart = std::make_unique<DesktopAutostart>();
    return services;
}
