// The Linux implementations of the platform services, on Qt.
#include <limits>
#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include "platform/choosers.h"
#include "platform/linux/desktop_autostart.h"
#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/x11_window_requests.h"
#include "platform/screen_geometry.h"

namespace {

class QtMessageBoxes : public MessageBoxService {
public:
    MessageAnswer show(QWidget *owner, const QString &text, const QString &title,
                       MessageButtons buttons, MessageIcon icon) override
    {
        QMessageBox box(owner);
        dress(box, text, title, icon);
        switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default:
            return buttons == MessageButtons::YesNo ? MessageAnswer::No
                 : buttons == MessageButtons::Ok    ? MessageAnswer::Ok
                                                    : MessageAnswer::Cancel;
        }
    }

    // A notified box (an alarm) must be seen and answered whatever window of
    // the program is open. A modal window (the calendar, a settings page, the
    // memo) blocks every window shown before it, so the box is modal to the
    // whole program itself, and shown after that window. It is a window of
    // its own rather than a dialog of the clock's, stays above every window
    // and takes the focus.
    void notify(QWidget *owner, const QString &text, const QString &title, MessageIcon icon,
                std::function<void()> closed) override
    {
        auto *box = new QMessageBox();
        // A message box resets its window flags when its modality is set:
        // set first, before the flags that keep the box on top.
        box->setWindowModality(Qt::ApplicationModal);
        dress(*box, text, title, icon);
        box->setStandardButtons(QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        if (closed)
            QObject::connect(box, &QMessageBox::finished, box, [closed](int) { closed(); });
        // The box ends with the window it belongs to.
        if (owner)
            QObject::connect(owner, &QObject::destroyed, box, &QObject::deleteLater);
        box->show();
        box->raise();
        box->activateWindow();
    }

private:
    static void dress(QMessageBox &box, const QString &text, const QString &title, MessageIcon icon)
    {
        box.setWindowTitle(title);
        box.setText(text);
        box.setIcon(toQtIcon(icon));
        // The clock stays above every window, so its boxes must too.
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }

    static QMessageBox::Icon toQtIcon(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::None: break;
        }
        return QMessageBox::NoIcon;
    }
};

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
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offsetSeconds_);
    }

private:
    mutable qint64 offsetMinute_ = std::numeric_limits<qint64>::min();
    mutable int offsetSeconds_ = 0;
};

class QtScreens : public ScreenInfo {
public:
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
    void keepOffTaskbar(QWindow &window) override { KeepOffTaskbarOnX11(window); }
    void keepAboveOtherPrograms(QWindow &window) override { KeepAboveOtherProgramsOnX11(window); }
    double twipsPerPixelX() const override { return 1440.0 / dpiX(); }
    double twipsPerPixelY() const override { return 1440.0 / dpiY(); }
    QPoint pointerPosition() const override { return QCursor::pos(); }

private:
    const DesktopSession session_ = CurrentSession();
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
        return QFileDialog::getOpenFileName(owner, title, initialDir, nameFilters.join(";;"));
    }
    std::optional<QColor> chooseColor(QWidget *owner, QColor initial) override
    {
        QColor chosen = QColorDialog::getColor(initial, owner);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }
    QString chooseFolder(QWidget *owner, const QString &title, const QString &rootFolder) override
    {
        return QFileDialog::getExistingDirectory(owner, title, rootFolder);
    }
};

} // namespace

Services MakeLinuxServices()
{
    Services services;
    services.messages = std::make_unique<QtMessageBoxes>();
    services.clock = std::make_unique<SystemClock>();
    services.screen = std::make_unique<QtScreens>();
    services.choosers = std::make_unique<QtChoosers>();
    services.power = MakeLogindPower();
    const DesktopSession session = CurrentSession();
    services.displayModes = MakeXRandrDisplayModes();
    if (!LetsProgramsChangeDisplayModes(session))
        services.displayModes = std::make_unique<SessionOwnedDisplayModes>(std::move(services.displayModes));
    services.desktop = MakeDesktopSettings(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                           MakeSystemDesktopTools(), session != DesktopSession::X11);
    services.mci = MakeCdAudioMci();
    services.archivers = MakeLinuxArchivers();
    services.programs = MakeLinuxProgramLauncher();
    services.folders = MakeLinuxDesktopFolders();
    services.sounds = MakeSoundPlayer();
    services.autostart = std::make_unique<DesktopAutostart>();
    return services;
}
