// The desktop's own files the clock reads (user-dirs.dirs for the named
// folders, recently-used.xbel for 最近使ったファイル) are read as the desktop
// writes them, and only as regular files within a limit: a FIFO, a device or
// a runaway file in their place is passed over at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "platform/desktop_folders.h"
#include "platform/linux/linux_services.h"
#include "platform/user_folders.h"
#include "support/environment_value.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"
#include "support/watchdog.h"

namespace {

TEST(UserDirs, TheFolderIsReadAsTheDesktopWritesIt)
{
    const struct {
        QByteArray text;
        QString download;
    } cases[] = {
        {"XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", "/h/Downloads"},
        {"# written by xdg-user-dirs\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOWNLOAD_DIR=\"$HOME/ダウンロード\"\n",
         "/h/ダウンロード"},
        {"XDG_DOWNLOAD_DIR=\"/data/in\"", "/data/in"},
        {"  XDG_DOWNLOAD_DIR =  \"$HOME/a b/\"\n", "/h/a b"},
        {"XDG_DOWNLOAD_DIR=\"$HOME\"\n", "/h"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/x\\\"y\\\\z\"\n", "/h/x\"y\\z"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/old\"\nXDG_DOWNLOAD_DIR=\"$HOME/new\"\n", "/h/new"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/.config/../dl//\"\n", "/h/dl"},
        // What the desktop passes over too.
        {"XDG_DOWNLOAD_DIR=\"Downloads\"\n", ""},
        {"XDG_DOWNLOAD_DIR=\"$HOMEX/dl\"\n", ""},
        {"XDG_DOWNLOAD_DIR=\"$HOME/unclosed\n", ""},
        {"XDG_DOWNLOAD_DIR=$HOME/unquoted\n", ""},
        {"#XDG_DOWNLOAD_DIR=\"$HOME/commented\"\n", ""},
        {"XDG_DOWNLOADS_DIR=\"$HOME/other\"\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(UserDirsEntry(c.text, "DOWNLOAD", "/h"), c.download) << c.text.toStdString();
}

// Ends the test program should a read wait (a FIFO opened for reading waits
// for a writer for ever; a device may never end).
struct DesktopFiles : ::testing::Test {
    TempFolder folder;
    QByteArray home = folder.path().toUtf8();
    EnvironmentValue environment[3] = {
        {"HOME", home}, {"XDG_CONFIG_HOME", home + "/config"}, {"XDG_DATA_HOME", home + "/data"}};
    Watchdog watchdog;

    // What stands in each desktop file's place: every kind that is no
    // regular file, a link to a device that never ends, and a runaway list;
    // last made first, so a link is moved before what it names.
    QList<NonRegularFile> strangers(const QString &name)
    {
        QList<NonRegularFile> made = MakeNonRegularFiles(folder, name);
        const QString zero = folder.file("zero-" + name);
        if (QFile::link("/dev/zero", zero))
            made.append({"link to /dev/zero", zero});
        const QString huge = folder.file("huge-" + name);
        QFile file(huge);
        if (file.open(QIODevice::WriteOnly) && file.resize(qint64(64) << 20))
            made.append({"a file of 64 MB", huge});
        std::reverse(made.begin(), made.end());
        return made;
    }
    void put(const QString &stranger, const QString &place)
    {
        QDir().mkpath(QFileInfo(place).path());
        if (!QDir().rmdir(place))
            QFile::remove(place);
        ASSERT_EQ(::rename(QFile::encodeName(stranger).constData(), QFile::encodeName(place).constData()), 0)
            << place.toStdString();
    }
};

TEST_F(DesktopFiles, AUserDirsFileThatIsNoListGivesTheUsualFolders)
{
    const QList<NonRegularFile> made = strangers("user-dirs.dirs");
    ASSERT_EQ(made.size(), 7);
    for (const NonRegularFile &stranger : made) {
        put(stranger.path, folder.file("config/user-dirs.dirs"));
        EXPECT_EQ(UserFolderPath(UserFolder::Download), folder.file("Downloads")) << stranger.what;
        EXPECT_EQ(UserFolderPath(UserFolder::Desktop), folder.file("Desktop")) << stranger.what;
    }
    folder.writeBytes("config/user-dirs.dirs.new", "XDG_DESKTOP_DIR=\"$HOME/机\"\nXDG_DOCUMENTS_DIR=\"/docs\"\n");
    QFile::remove(folder.file("config/user-dirs.dirs"));
    QDir().rename(folder.file("config/user-dirs.dirs.new"), folder.file("config/user-dirs.dirs"));
    EXPECT_EQ(UserFolderPath(UserFolder::Desktop), folder.file("机"));
    EXPECT_EQ(UserFolderPath(UserFolder::Documents), "/docs");
    EXPECT_EQ(UserFolderPath(UserFolder::Download), folder.file("Downloads"));
}

TEST_F(DesktopFiles, ARecentlyUsedListThatIsNoListShowsNoFiles)
{
    const std::unique_ptr<DesktopFolders> desktop = MakeLinuxDesktopFolders();
    const QString shown = folder.writeBytes("shown.txt", "x");
    const QByteArray list = "<?xml version=\"1.0\"?><xbel version=\"1.0\"><bookmark href=\"file://"
                            + QFile::encodeName(shown) + "\" modified=\"2024-01-01T10:00:00Z\"/></xbel>";
    folder.writeBytes("data/recently-used.xbel", list);
    EXPECT_EQ(desktop->recentFiles(), QStringList{shown});
    for (const NonRegularFile &stranger : strangers("recently-used.xbel")) {
        put(stranger.path, folder.file("data/recently-used.xbel"));
        EXPECT_TRUE(desktop->recentFiles().isEmpty()) << stranger.what;
    }
}

} // namespace
