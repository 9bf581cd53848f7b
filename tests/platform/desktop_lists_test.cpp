// The recently-used list and the mount table behind the folder and drive menus.
#include <gtest/gtest.h>

#include "platform/linux/desktop_lists.h"
#include "platform/linux/linux_services.h"

namespace {

TEST(RecentlyUsed, LocalFilesNewestFirstEachOnce)
{
    const QByteArray xbel = R"(<?xml version="1.0" encoding="UTF-8"?>
<xbel version="1.0">
  <bookmark href="file:///home/u/old.txt" added="2024-01-01T10:00:00Z" modified="2024-01-01T10:00:00Z" visited="2024-01-01T10:00:00Z"/>
  <bookmark href="file:///home/u/%E6%97%A5%E6%9C%AC.odt" modified="2024-03-01T10:00:00.123456Z"/>
  <bookmark href="https://example.org/" modified="2024-05-01T10:00:00Z"/>
  <bookmark href="file:///home/u/mid.txt" modified="2024-02-01T10:00:00Z"/>
  <bookmark href="file:///home/u/old.txt" modified="2023-01-01T10:00:00Z"/>
  <bookmark href="file:///home/u/cut)";
    EXPECT_EQ(ParseRecentlyUsed(xbel), QStringList({"/home/u/日本.odt", "/home/u/mid.txt", "/home/u/old.txt"}));
    EXPECT_TRUE(ParseRecentlyUsed("not xml at all").isEmpty());
}

TEST(MountTable, UserFileSystemsWithTheirTypes)
{
    const QByteArray table =
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "/dev/sda2 / ext4 rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "/dev/sdb1 /media/u/USB\\040STICK vfat rw 0 0\n"
        "/dev/sr0 /media/u/CD iso9660 ro 0 0\n"
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "//nas/share /mnt/nas cifs rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "/dev/sda2 /etc/hosts ext4 rw 0 0\n"
        "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
        "/dev/sdc1 /run/media/u/DISK ext4 rw 0 0\n"
        "overlay /data overlay rw 0 0\n"
        "/dev/sda3 /tmp ext4 rw 0 0\n"
        "garbage\n";
    auto removable = [](const QString &device) { return device == "/dev/sdb1"; };
    auto folder = [](const QString &path) { return path != "/etc/hosts"; };
    const QList<MountedDrive> drives = ParseMountTable(table, removable, folder);
    QStringList shown;
    for (const MountedDrive &d : drives)
        shown << d.mountPoint + " " + QString::number(int(d.type));
    EXPECT_EQ(shown, QStringList({"/ 3", "/tmp 3", "/media/u/USB STICK 2", "/media/u/CD 5", "/mnt/nfs 4",
                                  "/mnt/nas 4", "/run/media/u/DISK 3", "/data 0"}));
}

// A chroot's table lists only what was mounted inside it: the root folder is
// still the first drive.
TEST(MountTable, TheRootFolderIsADriveWhereTheTableLacksIt)
{
    const struct {
        const char *table;
        QStringList shown;
    } cases[] = {
        {"proc /proc proc rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n", {"/ 3", "/tmp 6"}},
        {"", {"/ 3"}},
        {"overlay / overlay rw 0 0\n", {"/ 0"}},
    };
    for (const auto &c : cases) {
        QStringList shown;
        for (const MountedDrive &d : ParseMountTable(c.table, [](const QString &) { return false; },
                                                     [](const QString &) { return true; }))
            shown << d.mountPoint + " " + QString::number(int(d.type));
        EXPECT_EQ(shown, c.shown) << c.table;
    }
}

TEST(MountedDrives, TheRootFileSystemIsAmongThem)
{
    // The kernel's mount table reports no size; all of it must be read.
    bool root = false;
    for (const MountedDrive &drive : MakeLinuxDesktopFolders()->mountedDrives())
        root = root || drive.mountPoint == "/";
    EXPECT_TRUE(root);
}

} // namespace
