// The wallpaper of the user's desktop, set where the desktop itself keeps it:
// GSettings keys for GNOME and its kin, Plasma's shell script interface for
// KDE, xfconf for Xfce. Each desktop's placement options are expressed as the
// two placement values of WallpaperValues and back.
#include "platform/linux/desktop_wallpaper.h"

#include <span>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/linux/linux_services.h"
#include "platform/log.h"

bool PaintRootBackground(const WallpaperValues &values);   // x11_root_background.cpp
RootBackground RootBackgroundState();                      // x11_root_background.cpp

namespace {

// One placement option of a desktop and its two placement values.
struct Placement {
    const char *option;
    const char *tile;
    const char *style;
};

// Placement values for a desktop option; nothing for an option without a
// picture ("none") or one not known.
std::optional<Placement> FindOption(std::span<const Placement> table, const QString &option)
{
    for (const Placement &p : table) {
        if (option == p.option)
            return p;
    }
    return std::nullopt;
}

// The desktop option for the placement values: "2" in WallpaperStyle wins,
// then TileWallpaper "1"; otherwise the option whose style matches; nothing
// when both values are empty (placement left as it is).
std::optional<QString> OptionFor(std::span<const Placement> table, const WallpaperValues &v)
{
    if (v.tile.isEmpty() && v.style.isEmpty())
        return std::nullopt;
    for (const Placement &p : table) {
        if (v.style == "2" ? QString(p.style) == "2"
            : v.tile == "1" ? QString(p.tile) == "1"
                            : QString(p.tile) == "0" && v.style == p.style)
            return QString(p.option);
    }
    for (const Placement &p : table) {   // an unknown style: centred
        if (QString(p.tile) == "0" && QString(p.style) == "0")
            return QString(p.option);
    }
    return std::nullopt;
}

QString PathFromUri(const QString &uri)
{
    const QUrl url(uri);
    return url.isLocalFile() ? url.toLocalFile() : uri;
}

// GNOME, Budgie, Cinnamon and MATE keep the wallpaper in GSettings keys.
class GSettingsWallpaper : public DesktopSettings {
public:
    GSettingsWallpaper(DesktopFamily family, std::unique_ptr<DesktopTools> tools)
        : tools_(std::move(tools))
    {
        if (family == DesktopFamily::Cinnamon)
            schema_ = "org.cinnamon.desktop.background";
        if (family == DesktopFamily::Mate) {
            schema_ = "org.mate.background";
            fileKey_ = "picture-filename";
        }
    }

    bool keepsWallpaper() override { return true; }

    WallpaperValues readWallpaper() override
    {
        const auto option = get("picture-options");
        const auto file = get(fileKey_);
        const auto placement = option ? FindOption(Options, *option) : std::nullopt;
        if (!file || file->isEmpty() || !placement)
            return {};
        return {usesUri() ? PathFromUri(*file) : *file, placement->tile, placement->style};
    }

    bool writeWallpaper(const WallpaperValues &values) override
    {
        bool ok = true;
        if (values.file.isEmpty()) {
            ok = set("picture-options", "none");
        } else if (const auto option = OptionFor(Options, values)) {
            ok = set("picture-options", *option);
        }
        QString file = values.file;
        if (usesUri() && !file.isEmpty())
            file = QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
        ok = set(fileKey_, file) && ok;
        // GNOME's dark style shows a key of its own; older versions lack it.
        if (schema_ == "org.gnome.desktop.background" && has("picture-uri-dark"))
            set("picture-uri-dark", file);
        return ok;
    }

    bool paintRootWindow(const WallpaperValues &values) override { return PaintRootBackground(values); }

private:
    static constexpr Placement Options[] = {
        {"wallpaper", "1", "0"}, {"centered", "0", "0"}, {"stretched", "0", "2"},
        {"scaled", "0", "6"},    {"zoom", "0", "10"},    {"spanned", "0", "22"},
    };

    bool usesUri() const { return fileKey_ == "picture-uri"; }

    std::optional<QString> get(const QString &key)
    {
        const auto out = tools_->run("gsettings", {"get", schema_, key});
        return out ? ParseGVariantString(out->trimmed()) : std::nullopt;
    }
    bool set(const QString &key, const QString &value)
    {
        return tools_->run("gsettings", {"set", schema_, key, GVariantStringLiteral(value)}).has_value();
    }
    bool has(const QString &key)
    {
        const auto keys = tools_->run("gsettings", {"list-keys", schema_});
        return keys && keys->split('\n').contains(key);
    }

    std::unique_ptr<DesktopTools> tools_;
    QString schema_ = "org.gnome.desktop.background";
    QString fileKey_ = "picture-uri";
};

// A JavaScript string literal.
QString ScriptString(const QString &text)
{
    QString out = "\"";
    for (QChar c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c.unicode() < 0x20)
            out += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        else
            out += c;
    }
    return out + "\"";
}

// KDE Plasma: the image wallpaper plugin of every desktop, through the
// desktop shell's scripting interface; "no wallpaper" is its plain colour.
class PlasmaWallpaper : public DesktopSettings {
public:
    explicit PlasmaWallpaper(std::unique_ptr<DesktopTools> tools) : tools_(std::move(tools)) {}

    bool keepsWallpaper() override { return true; }

    WallpaperValues readWallpaper() override
    {
        const auto out = tools_->plasmaScript(
            "var d = desktops()[0];\n"
            "if (d.wallpaperPlugin == \"org.kde.image\") {\n"
            "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
            "  print(d.readConfig(\"Image\") + \"\\n\" + d.readConfig(\"FillMode\"));\n"
            "}\n");
        if (!out)
            return {};
        const QStringList lines = out->trimmed().split('\n');
        // Plasma's own default placement is the filling one.
        const QString mode = lines.value(1).trimmed().isEmpty() ? "2" : lines.value(1).trimmed();
        const auto placement = FindOption(FillModes, mode);
        const QString file = PathFromUri(lines.value(0).trimmed());
        if (file.isEmpty() || !placement)
            return {};
        return {file, placement->tile, placement->style};
    }

    bool writeWallpaper(const WallpaperValues &values) override
    {
        QString script = "desktops().forEach(function (d) {\n";
        if (values.file.isEmpty()) {
            script += "  d.wallpaperPlugin = \"org.kde.color\";\n";
        } else {
            script += "  d.wallpaperPlugin = \"org.kde.image\";\n"
                      "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                      "  d.writeConfig(\"Image\", "
                    + ScriptString(QUrl::fromLocalFile(values.file).toString(QUrl::FullyEncoded))
                    + ");\n";
            if (const auto mode = OptionFor(FillModes, values))
                script += "  d.writeConfig(\"FillMode\", " + *mode + ");\n";
        }
        script += "});\n";
        return tools_->plasmaScript(script).has_value();
    }

    bool paintRootWindow(const WallpaperValues &values) override { return PaintRootBackground(values); }

private:
    // Plasma's fill modes: 0 stretch, 1 fit, 2 crop to fill, 3 tile, 4 and 5
    // tile in one direction, 6 centred.
    static constexpr Placement FillModes[] = {
        {"3", "1", "0"}, {"4", "1", "0"},  {"5", "1", "0"}, {"6", "0", "0"},
        {"0", "0", "2"}, {"1", "0", "6"},  {"2", "0", "10"},
    };

    std::unique_ptr<DesktopTools> tools_;
};

// Xfce: the backdrop properties of xfdesktop, one per monitor and workspace.
class XfceWallpaper : public DesktopSettings {
public:
    explicit XfceWallpaper(std::unique_ptr<DesktopTools> tools) : tools_(std::move(tools)) {}

    bool keepsWallpaper() override { return true; }

    WallpaperValues readWallpaper() override
    {
        const QStringList images = imageProperties();
        if (images.isEmpty())
            return {};
        // The first workspace of the first monitor stands for the desktop.
        QString image = images.first();
        for (const QString &p : images) {
            if (p.contains("/workspace0/")) {
                image = p;
                break;
            }
        }
        const auto file = query({"-p", image});
        const auto style = query({"-p", styleOf(image)});
        const auto placement = style ? FindOption(Styles, style->trimmed()) : std::nullopt;
        if (!file || file->trimmed().isEmpty() || !placement)
            return {};
        return {file->trimmed(), placement->tile, placement->style};
    }

    bool writeWallpaper(const WallpaperValues &values) override
    {
        QStringList images = imageProperties();
        const bool fresh = images.isEmpty();
        if (fresh)
            images << "/backdrop/screen0/monitor0/workspace0/last-image";
        std::optional<QString> style =
            values.file.isEmpty() ? std::optional<QString>("0") : OptionFor(Styles, values);
        bool ok = true;
        for (const QString &image : images) {
            if (style)
                ok = query({"-p", styleOf(image), "-n", "-t", "int", "-s", *style}).has_value() && ok;
            if (!values.file.isEmpty()) {
                QStringList args = {"-p", image, "-s", values.file};
                if (fresh)
                    args << "-n" << "-t" << "string";
                ok = query(args).has_value() && ok;
            }
        }
        return ok;
    }

    bool paintRootWindow(const WallpaperValues &values) override { return PaintRootBackground(values); }

private:
    // xfdesktop's image styles: 0 none, 1 centred, 2 tiled, 3 stretched,
    // 4 scaled, 5 zoomed, 6 spanning screens.
    static constexpr Placement Styles[] = {
        {"2", "1", "0"}, {"1", "0", "0"}, {"3", "0", "2"},
        {"4", "0", "6"}, {"5", "0", "10"}, {"6", "0", "22"},
    };

    static QString styleOf(const QString &image)
    {
        return image.left(image.lastIndexOf('/')) + "/image-style";
    }

    QStringList imageProperties()
    {
        const auto list = query({"-l"});
        QStringList images;
        for (const QString &line : list.value_or(QString()).split('\n')) {
            if (line.trimmed().endsWith("/last-image"))
                images << line.trimmed();
        }
        images.sort();
        return images;
    }

    std::optional<QString> query(QStringList args)
    {
        args.prepend("xfce4-desktop");
        args.prepend("-c");
        return tools_->run("xfconf-query", args);
    }

    std::unique_ptr<DesktopTools> tools_;
};

// Any other X11 session: the desktop keeps no wallpaper; the program paints
// the root window and keeps the values itself.
class RootWindowWallpaper : public DesktopSettings {
public:
    bool keepsWallpaper() override { return false; }
    WallpaperValues readWallpaper() override { return {}; }
    bool writeWallpaper(const WallpaperValues &) override { return false; }
    bool paintRootWindow(const WallpaperValues &values) override { return PaintRootBackground(values); }
    RootBackground rootBackground() override { return RootBackgroundState(); }
};

// A Wayland session of any other desktop: its compositor or a program of
// its own draws the wallpaper (sway's swaybg, for one), from its own
// configuration; there is no root window anyone sees.
class SessionOwnedWallpaper : public DesktopSettings {
public:
    bool keepsWallpaper() override { return true; }
    WallpaperValues readWallpaper() override { return {}; }
    bool writeWallpaper(const WallpaperValues &) override { return false; }
    bool paintRootWindow(const WallpaperValues &) override { return false; }
    bool letsProgramsSetWallpaper() override { return false; }
};

class SystemDesktopTools : public DesktopTools {
public:
    explicit SystemDesktopTools(std::shared_ptr<const ProgramSearch> search) : search_(std::move(search)) {}

    bool has(const QString &program) override { return !search_->find(program).isEmpty(); }

    std::optional<QString> run(const QString &program, const QStringList &arguments) override
    {
        const QString command = (QStringList{program} + arguments).join(u' ');
        // Started by its full path: the toolkit would look a bare name up
        // on the whole search path itself.
        const QString path = search_->find(program);
        if (path.isEmpty()) {
            qCWarning(lcDesktop).noquote() << command << "not run:" << program << "is not installed";
            return std::nullopt;
        }
        QProcess process;
        process.start(path, arguments);
        if (!process.waitForFinished(5000)) {
            qCWarning(lcDesktop).noquote() << command << "did not finish:" << process.errorString();
            process.kill();
            process.waitForFinished(1000);
            return std::nullopt;
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            qCWarning(lcDesktop).noquote()
                << command << "failed:"
                << (process.exitStatus() == QProcess::NormalExit
                        ? QStringLiteral("exit code %1").arg(process.exitCode())
                        : process.errorString())
                << QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
            return std::nullopt;
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    std::optional<QString> plasmaScript(const QString &script) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            qCWarning(lcDesktop).noquote() << "Plasma not asked: no session bus:" << bus.lastError().message();
            return std::nullopt;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript");
        call << script;
        QDBusReply<QString> reply = bus.call(call, QDBus::Block, 5000);
        if (!reply.isValid()) {
            qCWarning(lcDesktop).noquote() << "Plasma's desktop script failed:" << reply.error().name()
                                           << reply.error().message();
            return std::nullopt;
        }
        return reply.value();
    }

private:
    std::shared_ptr<const ProgramSearch> search_;
};

} // namespace

DesktopFamily DesktopFamilyFromName(const QString &currentDesktop)
{
    for (const QString &name : currentDesktop.split(':', Qt::SkipEmptyParts)) {
        const QString n = name.trimmed().toUpper();
        if (n == "GNOME" || n.startsWith("GNOME-") || n == "UNITY" || n == "BUDGIE"
            || n == "BUDGIE-DESKTOP")
            return DesktopFamily::Gnome;
        if (n == "X-CINNAMON" || n == "CINNAMON")
            return DesktopFamily::Cinnamon;
        if (n == "MATE")
            return DesktopFamily::Mate;
        if (n == "KDE")
            return DesktopFamily::Kde;
        if (n == "XFCE")
            return DesktopFamily::Xfce;
    }
    return DesktopFamily::Other;
}

std::unique_ptr<DesktopSettings> MakeDesktopSettings(const QString &currentDesktop,
                                                     std::unique_ptr<DesktopTools> tools, bool wayland)
{
    // A desktop whose tool is missing is treated like any other session of
    // its kind.
    const char *tool = nullptr;
    switch (DesktopFamilyFromName(currentDesktop)) {
    case DesktopFamily::Gnome:
    case DesktopFamily::Cinnamon:
    case DesktopFamily::Mate:
        tool = "gsettings";
        if (tools->has(tool))
            return std::make_unique<GSettingsWallpaper>(DesktopFamilyFromName(currentDesktop),
                                                        std::move(tools));
        break;
    case DesktopFamily::Kde:
        tool = "plasmashell";
        if (tools->has(tool))
            return std::make_unique<PlasmaWallpaper>(std::move(tools));
        break;
    case DesktopFamily::Xfce:
        tool = "xfconf-query";
        if (tools->has(tool))
            return std::make_unique<XfceWallpaper>(std::move(tools));
        break;
    case DesktopFamily::Other:
        break;
    }
    // On Wayland no one sees XWayland's root window: nothing is painted there.
    if (tool)
        qCWarning(lcDesktop).noquote() << "the wallpaper of" << currentDesktop << "is kept by" << tool
                                       << "which is not installed:"
                                       << (wayland ? "no wallpaper can be set" : "the root window is painted instead");
    if (wayland)
        return std::make_unique<SessionOwnedWallpaper>();
    return std::make_unique<RootWindowWallpaper>();
}

std::unique_ptr<DesktopTools> MakeSystemDesktopTools(std::shared_ptr<const ProgramSearch> search)
{
    return std::make_unique<SystemDesktopTools>(std::move(search));
}

std::optional<QString> ParseGVariantString(const QString &text)
{
    QString t = text.trimmed();
    if (t.size() < 2 || (t[0] != '\'' && t[0] != '"') || t.back() != t[0])
        return std::nullopt;
    const QChar quote = t[0];
    QString out;
    for (qsizetype i = 1; i < t.size() - 1; ++i) {
        QChar c = t[i];
        if (c == quote)
            return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= t.size() - 1)
            return std::nullopt;
        c = t[i];
        if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'u' && i + 4 < t.size() - 1) {
            out += QChar(t.mid(i + 1, 4).toUShort(nullptr, 16));
            i += 4;
        } else
            out += c;
    }
    return out;
}

QString GVariantStringLiteral(const QString &value)
{
    QString out = "'";
    for (QChar c : value) {
        if (c == '\\' || c == '\'')
            out += '\\';
        out += c;
    }
    return out + "'";
}
