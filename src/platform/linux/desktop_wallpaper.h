#pragma once
// The wallpaper settings of the Linux desktops, and the seam their tests use:
// every desktop tool is reached through DesktopTools, so a test gives scripted
// answers instead of changing the real desktop.
#include <memory>
#include <optional>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include "platform/desktop_settings.h"
#include "platform/program_search.h"

// The desktops whose own wallpaper settings are used; Other draws the root
// window instead.
enum class DesktopFamily { Gnome, Cinnamon, Mate, Kde, Xfce, Other };

// The family named by the session's XDG_CURRENT_DESKTOP (a ':'-separated
// list such as "ubuntu:GNOME"; the first name known wins); Other when none is.
DesktopFamily DesktopFamilyFromName(const QString &currentDesktop);

// The programs and interfaces of the desktops.
class DesktopTools {
public:
    virtual ~DesktopTools() = default;
    // Whether program can be found on the search path.
    virtual bool has(const QString &program) = 0;
    // Runs program with arguments and waits for it: its standard output, or
    // nothing when it could not start, did not finish in time or failed.
    virtual std::optional<QString> run(const QString &program, const QStringList &arguments) = 0;
    // Runs a script of KDE Plasma's desktop shell: what it printed, or
    // nothing when the shell cannot be reached.
    virtual std::optional<QString> plasmaScript(const QString &script) = 0;
};

// The desktop settings of a session of that desktop, through tools. GNOME's
// and KDE's keys serve their Wayland sessions as well; any other Wayland
// session lets no program set its wallpaper.
std::unique_ptr<DesktopSettings> MakeDesktopSettings(const QString &currentDesktop,
                                                     std::unique_ptr<DesktopTools> tools, bool wayland = false);
// The real tools: processes, the session bus.
// The desktop's own tools, found by search, and Plasma's desktop scripts.
std::unique_ptr<DesktopTools> MakeSystemDesktopTools(
    std::shared_ptr<const ProgramSearch> search = std::make_shared<ProgramSearch>());

// The text of a GVariant string as the gsettings tool prints it ('a\'b' or
// "a'b"); nothing when text is not one.
std::optional<QString> ParseGVariantString(const QString &text);
// A GVariant string literal of value, for the gsettings tool.
QString GVariantStringLiteral(const QString &value);

// The root window's picture: picture placed on each monitor (monitors in
// root-window pixels) of a black screen of size screen, by the placement of
// values: style "2" stretched, "6" fitted inside, "10" filling, "22" spread
// over all monitors, else tile "1" tiled, else centred.
QImage ComposeRootPicture(const QImage &picture, QSize screen, const QList<QRect> &monitors,
                          const WallpaperValues &values);
