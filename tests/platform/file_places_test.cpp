// Protected places are compared by what they are, never by how a setting
// spells them: links, "..", "//", /proc/self paths, hard links, bind mounts
// and second mounts of a disk all lead to the same place; the desktop's
// settings folders and the home folder's hidden folders are protected too.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "platform/archivers.h"
#include "platform/file_places.h"
#include "platform/user_folders.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

TEST(ResolvedPath, EachPartAsTheSystemWalksIt)
{
    TempFolder folder;
    const QString root = ResolvedPath(folder.path());
    QDir().mkpath(folder.file("program/help"));
    QDir().mkpath(folder.file("home"));
    QFile::link(folder.file("program/help"), folder.file("home/link"));
    QFile::link("missing-target", folder.file("home/dangling"));
    const int open = ::open(QFile::encodeName(folder.file("program")).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(open, 0);
    const struct {
        QString spelled, resolved;
    } cases[] = {
        {folder.file("program/"), root + "/program"},
        {folder.file("program//help///"), root + "/program/help"},
        {folder.file("./program/./help"), root + "/program/help"},
        // ".." after a link leads to the parent of what the link names.
        {folder.file("home/link/.."), root + "/program"},
        {folder.file("home/link/../help/new/../x"), root + "/program/help/x"},
        {folder.file("home/link/new/more"), root + "/program/help/new/more"},
        {QStringLiteral("/proc/self/fd/%1/help").arg(open), root + "/program/help"},
        {folder.file("home/dangling/x"), root + "/home/dangling/x"},
        {folder.file("program/none/../../home"), root + "/home"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ResolvedPath(c.spelled), c.resolved) << c.spelled.toStdString();
    ::close(open);
}

TEST(MountTable, ThePlaceIsWhereTheSystemFindsThePath)
{
    // The root, a disk at /home, the program folder bound at /mnt/bound, a
    // folder with a blank mounted twice, and /media/old hidden under a later
    // mount of /media.
    const MountTable table = MountTable::Parse(
        "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "21 20 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "22 20 8:2 /u/.local/share/tockara /mnt/bound rw - ext4 /dev/sda2 rw\n"
        "23 20 8:3 / /srv/my\\040disk rw - ext4 /dev/sda3 rw\n"
        "24 23 8:4 / /srv/my\\040disk rw - ext4 /dev/sda4 rw\n"
        "25 20 8:5 / /media/old rw - vfat /dev/sdb1 rw\n"
        "26 20 0:40 /u /media rw - tmpfs tmpfs rw\n"
        "garbage\n");
    const struct {
        QString path;
        FilePlace place;
    } cases[] = {
        {"/", {"8:1", "/"}},
        {"/etc/xdg", {"8:1", "/etc/xdg"}},
        {"/home/u/.local/share/tockara/help", {"8:2", "/u/.local/share/tockara/help"}},
        {"/mnt/bound/help", {"8:2", "/u/.local/share/tockara/help"}},
        {"/mnt/bound", {"8:2", "/u/.local/share/tockara"}},
        {"/mnt/boundless", {"8:1", "/mnt/boundless"}},
        {"/srv/my disk/x", {"8:4", "/x"}},
        {"/media/old/x", {"0:40", "/u/old/x"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(table.placeOf(c.path), c.place) << c.path.toStdString();
    EXPECT_EQ(MountTable().placeOf("/a/b"), (FilePlace{QString(), "/a/b"}));
    EXPECT_TRUE((FilePlace{"8:2", "/u/a/b"}).liesIn({"8:2", "/u/a"}));
    EXPECT_FALSE((FilePlace{"8:2", "/u/ab"}).liesIn({"8:2", "/u/a"}));
    EXPECT_FALSE((FilePlace{"8:1", "/u/a/b"}).liesIn({"8:2", "/u/a"}));
}

// A program folder with its help, a face picture named by the settings, and
// spellings of them from elsewhere.
struct Places : ::testing::Test {
    Places()
    {
        QDir().mkpath(folder.file("program/help"));
        QDir().mkpath(folder.file("else"));
        folder.writeBytes("pictures/face.png", "face");
        QFile::link(folder.file("program"), folder.file("else/to-program"));
        QFile::link(folder.file("program/help"), folder.file("else/to-help"));
        ::link(QFile::encodeName(folder.file("pictures/face.png")).constData(),
               QFile::encodeName(folder.file("else/hard-face.png")).constData());
        places = ProtectedPlaces{{folder.file("program"), folder.file("pictures/not-yet")},
                                 {folder.file("pictures/face.png")}, {}, nullptr}
                     .resolved();
    }
    TempFolder folder;
    ProtectedPlaces places;
};

TEST_F(Places, EverySpellingOfAProtectedPlaceIsThatPlace)
{
    const int open = ::open(QFile::encodeName(folder.file("program")).constData(), O_RDONLY | O_DIRECTORY);
    const struct {
        QString path;
        bool folder, file;
    } cases[] = {
        {folder.file("program"), true, true},
        {folder.file("program/"), true, true},
        {folder.file("program//help/new"), true, true},
        {folder.file("else/to-program"), true, true},
        {folder.file("else/to-help/x"), true, true},
        {folder.file("else/to-help/../Wallpaper.ini"), true, true},
        {folder.file("else/../program/./help"), true, true},
        {QStringLiteral("/proc/self/fd/%1/help").arg(open), true, true},
        {QStringLiteral("/proc/self/root") + folder.file("program"), true, true},
        // A protected folder not made yet, and what would lie in it.
        {folder.file("pictures/not-yet"), true, true},
        {folder.file("pictures//not-yet/deeper"), true, true},
        {folder.file("else/to-program/../pictures/not-yet/x"), true, true},
        {folder.file("pictures/not-yet-2"), false, false},
        // Files: by identity too, a hard link among them.
        {folder.file("pictures/face.png"), false, true},
        {folder.file("pictures/../pictures/face.png"), false, true},
        {folder.file("else/hard-face.png"), false, true},
        // Only named like them.
        {folder.file("program-old"), false, false},
        {folder.file("else/program"), false, false},
        {folder.file("pictures/face.png.txt"), false, false},
        {folder.file("pictures"), false, false},
        {folder.file("else"), false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(places.coversFolder(c.path), c.folder) << c.path.toStdString();
        EXPECT_EQ(places.covers(c.path), c.file) << c.path.toStdString();
        // Looked up at each check, the same.
        const ProtectedPlaces unresolved{places.folders, places.files, {}, nullptr};
        EXPECT_EQ(unresolved.covers(c.path), c.file) << c.path.toStdString();
    }
    ::close(open);
}

// In a mount namespace of its own (root only; skipped elsewhere): bind
// mounts of a protected folder, of a folder holding one, of a folder inside
// one and of a hidden folder of the home folder lead to that place; a bind of
// an unrelated folder does not.
TEST_F(Places, ABindMountLeadsToThePlaceItShows)
{
    QDir().mkpath(folder.file("home/.config/dbus-1/services"));
    QDir().mkpath(folder.file("home/.ssh"));
    QDir().mkpath(folder.file("unrelated"));
    const struct {
        const char *source, *probe;
        bool covered;
    } cases[] = {
        {"program", "", true},
        {"program/help", "x", true},
        {"", "program/help", true},
        {"home/.config/dbus-1", "services", true},
        {"home/.ssh", "", true},
        {"home", "Downloads", false},
        {"unrelated", "", false},
    };
    int index = 0;
    for (const auto &c : cases) {
        const QString point = folder.file(QStringLiteral("mnt%1").arg(index++));
        QDir().mkpath(point);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // 77: no namespace or mount allowed here.
            if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || ::mount(QFile::encodeName(folder.file(c.source)).constData(),
                           QFile::encodeName(point).constData(), nullptr, MS_BIND, nullptr) != 0)
                ::_exit(77);
            const ProtectedPlaces mine =
                ProtectedPlaces{{folder.file("program"), folder.file("home/.config")}, {}, folder.file("home"), nullptr}
                    .resolved();
            ::_exit(mine.coversFolder(point + u'/' + QString::fromLatin1(c.probe)) == c.covered ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77)
            GTEST_SKIP() << "no mount namespace here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a bind mount of " << c.source << " probed at " << c.probe;
    }
}

TEST(DesktopPlaces, TheDesktopsSettingsFoldersAndTheHomesHiddenFolders)
{
    TempFolder folder;
    const QByteArray home = folder.path().toUtf8();
    QDir().mkpath(folder.file("shared/share"));
    EnvironmentValue environment[] = {
        {"HOME", home},
        {"XDG_CONFIG_HOME", home + "/conf"},  // not hidden
        {"XDG_DATA_HOME", ""},                // unset: ~/.local/share
        {"XDG_STATE_HOME", "relative/state"},  // relative: ignored, ~/.local/state
        {"XDG_CACHE_HOME", home + "/cache"},
        {"XDG_RUNTIME_DIR", home + "/run"},
        // The home folder and the root in a list stand for no folder.
        {"XDG_DATA_DIRS", home + "/shared/share:/usr/share:/:" + home},
        {"XDG_CONFIG_DIRS", ""},
    };
    const ProtectedPlaces places = DesktopPlaces().resolved();
    const struct {
        const char *path;
        bool covered;
    } cases[] = {
        {"conf/environment.d", true},
        {"conf", true},
        {".config/autostart", true},
        {".local/share/applications", true},
        {".local/bin", true},
        {".local/state/x", true},
        {"cache/fontconfig", true},
        {"run/systemd/user.control", true},
        {"run/dbus-1/services", true},
        {"shared/share/applications", true},
        {".ssh", true},
        {".mozilla/firefox/x.default/extensions", true},
        {"Downloads/.hidden/x", true},
        {"Documents/a/.git/hooks", true},
        {"", false},
        {"Downloads", false},
        {"Desktop", false},
        {"shared", false},
        {"a.b/c", false},
        {"conference", false},
        {"Downloads/..x/../y", false},
    };
    for (const auto &c : cases) {
        const QString path = folder.path() + u'/' + QString::fromUtf8(c.path);
        EXPECT_EQ(places.coversFolder(path), c.covered) << c.path;
    }
    EXPECT_TRUE(places.coversFolder("/usr/share/applications"));
    EXPECT_FALSE(places.coversFolder("/usr/lib")) << "the root in a list stands for no folder";
    EXPECT_FALSE(places.coversFolder("/tmp/.hidden")) << "only hidden folders of the home folder";
}

} // namespace
