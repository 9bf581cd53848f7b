// The wallpaper's arrangement codes: written as placement values, read back
// with WallpaperStyle "2" before TileWallpaper, on every kind of desktop.
#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>

#include "desktop/wallpaper.h"
#include "platform/linux/desktop_wallpaper.h"
#include "settings/profile.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

// A small picture named name in folder; its full path.
QString WritePicture(const TempFolder &folder, const QString &name)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(folder.file(name), "PNG");
    return folder.file(name);
}

// On a desktop that keeps no wallpaper the values live in the program's file.
class KeptWallpaper : public ::testing::Test {
protected:
    KeptWallpaper() { desktop.keeps = false; }
    QString picture(const QString &name) const { return WritePicture(folder, name); }
    void keep(const QString &tile, const QString &style, const QString &file)
    {
        WriteIniValue("Desktop", "TileWallpaper", tile, path);
        WriteIniValue("Desktop", "WallpaperStyle", style, path);
        WriteIniValue("Desktop", "Wallpaper", file, path);
    }

    TempFolder folder;
    const QString path = WallpaperProfilePath(folder.path());
    FakeDesktop desktop;
};

TEST_F(KeptWallpaper, StretchedWinsOverTiledThenTileDecides)
{
    struct Case {
        QString tile, style, file, read;
    } cases[] = {
        {"1", "2", "/p/a.png", "2/p/a.png"},
        {"0", "2", "/p/a.png", "2/p/a.png"},
        {"1", "0", "/p/a.png", "1/p/a.png"},
        {"1", "6", "/p/a.png", "1/p/a.png"},
        {"0", "0", "/p/a.png", "0/p/a.png"},
        {"0", "10", "/p/a.png", "0/p/a.png"},
        {"", "0", "/p/a.png", ""},
        {"x", "", "/p/a.png", ""},
        {"1", "2", "", ""},
    };
    for (const Case &c : cases) {
        keep(c.tile, c.style, c.file);
        EXPECT_EQ(ReadWallpaperSetting(desktop, path), c.read)
            << c.tile.toStdString() << "/" << c.style.toStdString();
    }
}

TEST_F(KeptWallpaper, EachCodeIsKeptDrawnAndReadBack)
{
    struct Case {
        QString name, code, tile, style;
    } cases[] = {
        {"tile.png", "1", "1", "0"},
        {"centre.png", "0", "0", "0"},
        {"full.png", "2", "0", "2"},
        {"", "0", "0", "0"},
        // Paths the profile's reading would otherwise trim or unquote.
        {"ends in space.png ", "1", "1", "0"},
        {"\"q\".png\"", "0", "0", "0"},
    };
    for (const Case &c : cases) {
        const QString file = c.name.isEmpty() ? QString() : picture(c.name);
        desktop.painted.clear();
        EXPECT_EQ(ApplyWallpaper(desktop, path, file, c.code), WallpaperResult::Applied);
        EXPECT_EQ(ReadWallpaperSetting(desktop, path), file.isEmpty() ? "" : c.code + file);
        ASSERT_EQ(desktop.painted.size(), 1);
        EXPECT_EQ(desktop.painted[0].file, file);
        EXPECT_EQ(desktop.painted[0].tile, c.tile);
        EXPECT_EQ(desktop.painted[0].style, c.style);
    }
}

TEST_F(KeptWallpaper, AnUnknownCodeKeepsThePlacementAndChangesOnlyThePicture)
{
    ApplyWallpaper(desktop, path, picture("one.png"), "2");
    ApplyWallpaper(desktop, path, picture("two.png"), "7");
    EXPECT_EQ(ReadWallpaperSetting(desktop, path), "2" + folder.file("two.png"));
    EXPECT_EQ(desktop.painted.last().style, "2");
}

TEST_F(KeptWallpaper, AFileThatHoldsNoPictureChangesNothing)
{
    const QString kept = picture("kept.png");
    ApplyWallpaper(desktop, path, kept, "1");
    const QString notPicture = folder.writeBytes("notes.png", "not a picture");
    QImage(4, 4, QImage::Format_RGB32).save(folder.file("cut.png"), "PNG");
    QFile cut(folder.file("cut.png"));
    cut.resize(cut.size() / 2);
    for (const QString &file : {folder.file("missing.png"), notPicture, folder.file("cut.png"), folder.path()}) {
        EXPECT_EQ(ApplyWallpaper(desktop, path, file, "2"), WallpaperResult::Unreadable) << file.toStdString();
        EXPECT_EQ(ReadWallpaperSetting(desktop, path), "1" + kept);
    }
    EXPECT_EQ(desktop.painted.size(), 1);

    desktop.keeps = true;
    EXPECT_EQ(ApplyWallpaper(desktop, path, notPicture, "0"), WallpaperResult::Unreadable);
    EXPECT_TRUE(desktop.written.isEmpty()) << "the desktop's own setting is not touched either";
}

TEST_F(KeptWallpaper, AKeptWallpaperIsDrawnAgainOnlyOnARootNoOtherProgramSetSince)
{
    RestoreRootWallpaper(desktop, path);
    EXPECT_TRUE(desktop.painted.isEmpty()) << "nothing kept, nothing drawn";
    keep("1", "0", "/p/a.png");
    struct Case {
        RootBackground root;
        bool drawn;
    } cases[] = {
        {RootBackground::Unset, true},  // a new session's root
        {RootBackground::Own, true},    // the clock's picture, laid out anew
        {RootBackground::Other, false}, // xsetroot, feh, ... since
    };
    for (const Case &c : cases) {
        desktop.painted.clear();
        desktop.root = c.root;
        RestoreRootWallpaper(desktop, path);
        ASSERT_EQ(desktop.painted.size(), c.drawn ? 1 : 0) << int(c.root);
        if (c.drawn) {
            EXPECT_EQ(desktop.painted[0].file, "/p/a.png");
        }
    }

    desktop.painted.clear();
    desktop.root = RootBackground::Unset;
    desktop.keeps = true;
    RestoreRootWallpaper(desktop, path);
    EXPECT_TRUE(desktop.painted.isEmpty()) << "a desktop with its own wallpaper draws it itself";
}

// Desktop tools answering from a script: a command line (program and
// arguments joined by blanks) gives its output; other commands succeed with
// no output. Every command is recorded.
class ScriptedTools : public DesktopTools {
public:
    ScriptedTools(QSet<QString> programs, QHash<QString, QString> answers)
        : programs_(std::move(programs)), answers_(std::move(answers))
    {
    }
    bool has(const QString &program) override { return programs_.contains(program); }
    std::optional<QString> run(const QString &program, const QStringList &arguments) override
    {
        const QString line = (QStringList{program} + arguments).join(' ');
        calls << line;
        return answers_.value(line, QString());
    }
    std::optional<QString> plasmaScript(const QString &script) override
    {
        calls << "plasma:" + script;
        return answers_.value("plasma", QString());
    }

    QStringList calls;

private:
    QSet<QString> programs_;
    QHash<QString, QString> answers_;
};

TEST(DesktopWallpaperTest, TheSessionsDesktopIsTheFirstKnownName)
{
    const QPair<QString, DesktopFamily> cases[] = {
        {"ubuntu:GNOME", DesktopFamily::Gnome},   {"Budgie:GNOME", DesktopFamily::Gnome},
        {"X-Cinnamon", DesktopFamily::Cinnamon},  {"MATE", DesktopFamily::Mate},
        {"KDE", DesktopFamily::Kde},              {"XFCE", DesktopFamily::Xfce},
        {"LXQt", DesktopFamily::Other},           {"", DesktopFamily::Other},
        {"sway:KDE", DesktopFamily::Kde},
    };
    for (const auto &[name, family] : cases)
        EXPECT_EQ(DesktopFamilyFromName(name), family) << name.toStdString();
}

TEST(DesktopWallpaperTest, EachDesktopsPlacementReadsAsItsArrangementCode)
{
    const QString gnome = "gsettings get org.gnome.desktop.background ";
    const QString xfce = "xfconf-query -c xfce4-desktop ";
    const QString xfceList = "/backdrop/screen0/monitorVirtual1/workspace1/last-image\n"
                             "/backdrop/screen0/monitorVirtual1/workspace0/last-image\n";
    const QString ws0 = "/backdrop/screen0/monitorVirtual1/workspace0/";
    struct Case {
        QString desktop;
        QHash<QString, QString> answers;
        QString read;
    } cases[] = {
        {"GNOME", {{gnome + "picture-options", "'wallpaper'\n"}, {gnome + "picture-uri", "'file:///p/a%20b.png'\n"}}, "1/p/a b.png"},
        {"GNOME", {{gnome + "picture-options", "'stretched'"}, {gnome + "picture-uri", "'file:///p/a.png'"}}, "2/p/a.png"},
        {"GNOME", {{gnome + "picture-options", "'zoom'"}, {gnome + "picture-uri", "'file:///p/a.png'"}}, "0/p/a.png"},
        {"GNOME", {{gnome + "picture-options", "'none'"}, {gnome + "picture-uri", "'file:///p/a.png'"}}, ""},
        {"X-Cinnamon", {{"gsettings get org.cinnamon.desktop.background picture-options", "'centered'"},
                        {"gsettings get org.cinnamon.desktop.background picture-uri", "'file:///c.jpg'"}}, "0/c.jpg"},
        {"MATE", {{"gsettings get org.mate.background picture-options", "'wallpaper'"},
                  {"gsettings get org.mate.background picture-filename", "'/usr/m.png'"}}, "1/usr/m.png"},
        {"KDE", {{"plasma", "file:///k/x.png\n3\n"}}, "1/k/x.png"},
        {"KDE", {{"plasma", "file:///k/x.png\n0\n"}}, "2/k/x.png"},
        {"KDE", {{"plasma", "file:///k/x.png\n\n"}}, "0/k/x.png"},
        {"KDE", {{"plasma", ""}}, ""},
        {"XFCE", {{xfce + "-l", xfceList}, {xfce + "-p " + ws0 + "last-image", "/x/y.png\n"},
                  {xfce + "-p " + ws0 + "image-style", "3\n"}}, "2/x/y.png"},
        {"XFCE", {{xfce + "-l", xfceList}, {xfce + "-p " + ws0 + "last-image", "/x/y.png\n"},
                  {xfce + "-p " + ws0 + "image-style", "0\n"}}, ""},
    };
    const QSet<QString> programs = {"gsettings", "plasmashell", "xfconf-query"};
    for (const Case &c : cases) {
        auto desktop = MakeDesktopSettings(c.desktop, std::make_unique<ScriptedTools>(programs, c.answers));
        EXPECT_EQ(ReadWallpaperSetting(*desktop, "/nonexistent/Wallpaper.ini"), c.read)
            << c.desktop.toStdString() << " " << c.answers.values().join('|').toStdString();
    }
}

TEST(DesktopWallpaperTest, ApplyingSetsThePlacementBeforeThePicture)
{
    TempFolder folder;
    const QString dir = folder.path();
    WritePicture(folder, "a b.png");
    WritePicture(folder, "it's.png");
    WritePicture(folder, "x.png");
    struct Case {
        QString desktop, file, code;
        QStringList calls;
    } cases[] = {
        {"GNOME", dir + "/a b.png", "1",
         {"gsettings set org.gnome.desktop.background picture-options 'wallpaper'",
          "gsettings set org.gnome.desktop.background picture-uri 'file://" + dir + "/a%20b.png'",
          "gsettings list-keys org.gnome.desktop.background"}},
        {"MATE", dir + "/it's.png", "2",
         {"gsettings set org.mate.background picture-options 'stretched'",
          "gsettings set org.mate.background picture-filename '" + dir + "/it\\'s.png'"}},
        {"X-Cinnamon", "", "0",
         {"gsettings set org.cinnamon.desktop.background picture-options 'none'",
          "gsettings set org.cinnamon.desktop.background picture-uri ''"}},
        {"XFCE", dir + "/x.png", "0",
         {"xfconf-query -c xfce4-desktop -l",
          "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/image-style -n -t int -s 1",
          "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/last-image -s " + dir
              + "/x.png -n -t string"}},
    };
    for (const Case &c : cases) {
        auto tools = std::make_unique<ScriptedTools>(QSet<QString>{"gsettings", "xfconf-query"},
                                                     QHash<QString, QString>{});
        ScriptedTools *seen = tools.get();
        auto desktop = MakeDesktopSettings(c.desktop, std::move(tools));
        ApplyWallpaper(*desktop, "/nonexistent/Wallpaper.ini", c.file, c.code);
        EXPECT_EQ(seen->calls, c.calls) << c.desktop.toStdString();
    }
}

TEST(DesktopWallpaperTest, PlasmaGetsTheImageAndFillModeOrItsPlainColour)
{
    auto tools = std::make_unique<ScriptedTools>(QSet<QString>{"plasmashell"}, QHash<QString, QString>{});
    ScriptedTools *seen = tools.get();
    auto desktop = MakeDesktopSettings("KDE", std::move(tools));
    TempFolder folder;
    ApplyWallpaper(*desktop, "/nonexistent/Wallpaper.ini", WritePicture(folder, "\"q\".png"), "1");
    ApplyWallpaper(*desktop, "/nonexistent/Wallpaper.ini", "", "0");
    ASSERT_EQ(seen->calls.size(), 2);
    EXPECT_TRUE(seen->calls[0].contains("d.writeConfig(\"Image\", \"file://" + folder.path() + "/%22q%22.png\")"));
    EXPECT_TRUE(seen->calls[0].contains("d.writeConfig(\"FillMode\", 3)"));
    EXPECT_TRUE(seen->calls[1].contains("org.kde.color"));
    EXPECT_FALSE(seen->calls[1].contains("writeConfig"));
}

TEST(DesktopWallpaperTest, ADesktopWithoutItsToolFallsBackToTheRootWindow)
{
    for (const char *name : {"GNOME", "KDE", "XFCE", "i3"}) {
        auto desktop = MakeDesktopSettings(name, std::make_unique<ScriptedTools>(QSet<QString>{},
                                                                                 QHash<QString, QString>{}));
        EXPECT_FALSE(desktop->keepsWallpaper()) << name;
    }
}

TEST(DesktopWallpaperTest, OnWaylandOnlyTheDesktopsOwnKeysSetTheWallpaper)
{
    const QSet<QString> programs = {"gsettings", "plasmashell"};
    TempFolder pictures;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString png = pictures.file("p.png");
    ASSERT_TRUE(picture.save(png));
    for (const char *name : {"GNOME", "ubuntu:GNOME", "KDE"}) {
        auto tools = std::make_unique<ScriptedTools>(programs, QHash<QString, QString>{});
        ScriptedTools *seen = tools.get();
        auto desktop = MakeDesktopSettings(name, std::move(tools), true);
        EXPECT_TRUE(desktop->letsProgramsSetWallpaper()) << name;
        EXPECT_NE(ApplyWallpaper(*desktop, "/nonexistent/Wallpaper.ini", png, "1"),
                  WallpaperResult::NotAllowed) << name;
        EXPECT_FALSE(seen->calls.isEmpty()) << name;
    }
    TempFolder folder;
    for (const char *name : {"sway", "Hyprland", ""}) {
        auto desktop = MakeDesktopSettings(name, std::make_unique<ScriptedTools>(programs, QHash<QString, QString>{}),
                                           true);
        const QString profile = WallpaperProfilePath(folder.path());
        EXPECT_EQ(ApplyWallpaper(*desktop, profile, "/p.png", "1"), WallpaperResult::NotAllowed) << name;
        // Nothing kept that a later start would try to draw.
        EXPECT_FALSE(QFile::exists(profile)) << name;
    }
}

TEST(DesktopWallpaperTest, GSettingsStringsRoundTrip)
{
    for (const QString &text : {QString(""), QString("/a b/it's"), QString("c:\\x\\y"), QString("写真.png")})
        EXPECT_EQ(ParseGVariantString(GVariantStringLiteral(text)), text) << text.toStdString();
    EXPECT_EQ(ParseGVariantString("\"it's\""), "it's");
    EXPECT_EQ(ParseGVariantString("nothing"), std::nullopt);
    EXPECT_EQ(ParseGVariantString("'open"), std::nullopt);
}

} // namespace
