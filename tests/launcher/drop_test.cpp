// Files dropped on the clock, from the uri-list to the launcher.
#include <gtest/gtest.h>
#include <QFile>

#include "launcher/drop.h"
#include "settings/profile.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

TEST(Drop, UriListGivesLocalPaths)
{
    const QByteArray list = "# a comment\r\n"
                            "file:///home/u/a%20b.txt\r\n"
                            "file://localhost/home/u/%E6%97%A5%E6%9C%AC.txt\r\n"
                            "file:///home/u/Music/\r\n"
                            "file://otherhost/share/x\r\n"
                            "https://example.org/page\r\n"
                            "file:///\n"
                            "not a uri\n";
    EXPECT_EQ(ParseUriList(list),
              QStringList({"/home/u/a b.txt", "/home/u/日本.txt", "/home/u/Music", "/"}));
}

class DropOnClock : public ::testing::Test {
protected:
    QString make(const QString &name)
    {
        QFile f(folder.file(name));
        f.open(QIODevice::WriteOnly);
        return f.fileName();
    }
    void drop(const QStringList &paths)
    {
        HandleDroppedPaths(paths, store, archiveStep, *fake.messages, nullptr);
    }

    FakeServices fake;
    TempFolder folder;
    LauncherStore store{folder.file("Tockara.ini"), *fake.messages};
    QStringList extracted;
    ArchiveStep archiveStep = [this](const LauncherEntry &entry) {
        if (!(entry.kind & EntryKind::Archive))
            return -1;
        extracted << entry.baseName;
        return 0;
    };
};

TEST_F(DropOnClock, AFullListStopsTheDropAfterOneMessage)
{
    LauncherList full;
    full.entries.fill({"/f/", "n", "txt", "n", EntryKind::Document, "/f/"}, 18);
    SaveLauncherList(full, folder.file("Tockara.ini"));
    store.Load();
    drop({make("a.txt"), make("b.txt"), make("c.txt"), make("d.txt")});
    EXPECT_EQ(store.LauncherCount(), 20);
    EXPECT_EQ(store.list().entries.last().title, "b");
    ASSERT_EQ(fake.messages->shown.size(), 1);
    EXPECT_EQ(fake.messages->shown[0].text, "登録できる件数は、２０ファイルまでです。");
    // Each addition was saved as it happened.
    EXPECT_EQ(ReadIniValue("Lunch", "Count", "", folder.file("Tockara.ini")), "20");
}

TEST_F(DropOnClock, ArchivesGoToTheArchiveStepOthersToTheList)
{
    QDir(folder.path()).mkdir("Photos");
    drop({make("data.ZIP"), folder.file("Photos"), make("notes.txt")});
    EXPECT_EQ(extracted, QStringList{"data"});
    ASSERT_EQ(store.LauncherCount(), 2);
    EXPECT_EQ(store.list().entries[0].kind, EntryKind::Folder);
    EXPECT_EQ(store.list().entries[0].title, "Photos");
    EXPECT_EQ(store.list().entries[1].title, "notes");

    // Without an archive step an archive is still never registered.
    archiveStep = nullptr;
    drop({make("more.lzh")});
    EXPECT_EQ(store.LauncherCount(), 2);
}

} // namespace
