// The rules every extraction keeps, whatever the format and whatever the
// target: nothing lands where the clock keeps its state or code, no name
// already there is replaced unless the user chose so, nothing extracted is
// executable or hidden, only plain files and folders come out, and a folder
// made for the archive is new.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/archivers.h"
#include "platform/linux/extraction_folder.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/archive_formats_table.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

using namespace archive_formats_table;

class ExtractionRulesTest : public ::testing::TestWithParam<Format> {
protected:
    std::optional<ArchiverReport> extract(const QList<ArchiveItem> &items, const QString &target,
                                          const ExtractionRules &rules = {})
    {
        const Format &format = GetParam();
        const QString archive = folder.writeBytes(QStringLiteral("archive.") + format.suffix, format.write(items));
        return archivers->run(format.library, {format.verb, archive, target + "/"}, {}, rules);
    }
    bool told(const ArchiverReport &report, const QString &name, int result)
    {
        return std::any_of(report.notExtracted.cbegin(), report.notExtracted.cend(),
                           [&](const ArchiverReport::Entry &entry) { return entry.name == name && entry.result == result; });
    }

    TempFolder folder;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
};

TEST_P(ExtractionRulesTest, NoEntryLandsInAProtectedPlace)
{
    // The target holds the program folder and a settings-named file; the
    // places are named in several spellings.
    folder.writeBytes("home/tockara/Tockara.ini", "settings");
    folder.writeBytes("home/pictures/face.png", "picture");
    QDir().mkpath(folder.file("home/autostart"));
    QFile::link(folder.file("home/tockara"), folder.file("link-to-program"));
    const struct {
        const char *what;
        ProtectedPlaces places;
    } spellings[] = {
        {"as it is", {{folder.file("home/tockara"), folder.file("home/autostart")}, {folder.file("home/pictures/face.png")}}},
        // ".." after a link: the parent of the folder the link names.
        {"through a link", {{folder.file("link-to-program"), folder.file("home/autostart/")}, {folder.file("link-to-program/../pictures/face.png")}}},
        {"with dots", {{folder.file("home/./pictures/../tockara/"), folder.file("home//autostart")}, {folder.file("home/pictures/./face.png")}}},
    };
    for (const auto &spelling : spellings) {
        SCOPED_TRACE(spelling.what);
        const std::optional<ArchiverReport> report = extract(
            {{"tockara/Tockara.ini", "planted"},
             {"tockara/platformthemes/", {}, ArchiveItem::Folder},
             {"tockara/platformthemes/libx.so", "code"},
             {"autostart/run.desktop", "[Desktop Entry]"},
             {"pictures/face.png", "replaced"},
             {"notes.txt", "fine"}},
            folder.file("home"), {spelling.places, ExistingName::Replace, false});
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->result, kArchiverRefused);
        EXPECT_EQ(report->extracted, QStringList{"notes.txt"});
        EXPECT_TRUE(told(*report, "tockara/Tockara.ini", kArchiverRefused));
        EXPECT_TRUE(told(*report, "pictures/face.png", kArchiverRefused));
        EXPECT_EQ(folder.readBytes("home/tockara/Tockara.ini"), "settings");
        EXPECT_EQ(folder.readBytes("home/pictures/face.png"), "picture");
        EXPECT_EQ(FolderTree(folder.file("home/tockara")), QStringList{"Tockara.ini"});
        EXPECT_EQ(FolderTree(folder.file("home/autostart")), QStringList());
    }
    // A target that is itself a protected place takes nothing.
    const std::optional<ArchiverReport> inside =
        extract({{"x.txt", "x"}}, folder.file("link-to-program/sub"), {spellings[0].places, {}, false});
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(inside->result, kArchiverRefused);
    EXPECT_FALSE(QFileInfo::exists(folder.file("home/tockara/sub")));
}

TEST_P(ExtractionRulesTest, NoEntryLandsWhereTheDesktopReadsItsSettings)
{
    // Extracted into the home folder itself, whose settings folders are
    // named without a dot here.
    const QByteArray home = QFile::encodeName(folder.file("home"));
    EnvironmentValue environment[] = {{"HOME", home}, {"XDG_CONFIG_HOME", home + "/conf"},
                                      {"XDG_DATA_HOME", home + "/data"}};
    QDir().mkpath(folder.file("home/conf"));
    const std::optional<ArchiverReport> report = extract(
        {{"conf/environment.d/90-x.conf", "LD_PRELOAD=/tmp/x.so"},
         {"conf/mimeapps.list", "[Default Applications]"},
         {"data/applications/firefox-esr.desktop", "[Desktop Entry]"},
         {"data/dbus-1/services/x.service", "[D-BUS Service]"},
         {".config/openbox/autostart", "planted"},
         {"Desktop/notes.txt", "fine"}},
        folder.file("home"), {DesktopPlaces(), ExistingName::Replace, false});
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverRefused);
    for (const char *refused : {"conf/environment.d/90-x.conf", "conf/mimeapps.list",
                                "data/applications/firefox-esr.desktop", "data/dbus-1/services/x.service"})
        EXPECT_TRUE(told(*report, refused, kArchiverRefused)) << refused;
    EXPECT_EQ(FolderTree(folder.file("home")),
              (QStringList{"Desktop", "Desktop/notes.txt", "_.config", "_.config/openbox", "_.config/openbox/autostart",
                           "conf"}));
}

TEST_P(ExtractionRulesTest, ANameAlreadyThereIsKeptUnlessTheUserChoseToReplaceIt)
{
    const struct {
        ExistingName choice;
        QByteArray existing;      // a.txt afterwards
        QStringList tree;
        QList<std::pair<QString, QString>> renamed;
        QStringList replaced;
        bool skipped;
    } cases[] = {
        {ExistingName::KeepBoth, "mine", {"a (2).txt", "a (3).txt", "a.txt", "b.txt", "sub", "sub/c (2)", "sub/c"},
         {{"a.txt", "a (3).txt"}, {"sub/c", "sub/c (2)"}}, {}, false},
        {ExistingName::Replace, "new", {"a (2).txt", "a.txt", "b.txt", "sub", "sub/c"}, {}, {"a.txt", "sub/c"}, false},
        {ExistingName::Skip, "mine", {"a (2).txt", "a.txt", "b.txt", "sub", "sub/c"}, {}, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.choice));
        const QString out = folder.file(QStringLiteral("out%1").arg(int(c.choice)));
        folder.writeBytes(QDir(folder.path()).relativeFilePath(out) + "/a.txt", "mine");
        folder.writeBytes(QDir(folder.path()).relativeFilePath(out) + "/a (2).txt", "mine too");
        folder.writeBytes(QDir(folder.path()).relativeFilePath(out) + "/sub/c", "mine");
        const std::optional<ArchiverReport> report =
            extract({{"a.txt", "new"}, {"b.txt", "b"}, {"sub/c", "new"}}, out, {{}, c.choice, false});
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->result, kArchiverOk);
        QStringList tree = FolderTree(out);
        QStringList expected = c.tree;
        expected.sort();
        EXPECT_EQ(tree, expected);
        EXPECT_EQ(folder.readBytes(QDir(folder.path()).relativeFilePath(out) + "/a.txt"), c.existing);
        EXPECT_EQ(folder.readBytes(QDir(folder.path()).relativeFilePath(out) + "/a (2).txt"), "mine too");
        EXPECT_EQ(report->renamed, c.renamed);
        EXPECT_EQ(report->replaced, c.replaced);
        EXPECT_EQ(told(*report, "a.txt", kArchiverSkipped), c.skipped);
        EXPECT_EQ(told(*report, "sub/c", kArchiverSkipped), c.skipped);
    }
}

TEST_P(ExtractionRulesTest, TheQuestionNamesEveryNameTakenAndOnlyThose)
{
    // Taken: a file, a file in a folder, one through a link to a folder, a
    // link to nothing, a hidden name as written ("_.x"). Free: names in
    // folders that are not there, or that a file stands in place of.
    folder.writeBytes("out/a.txt", "mine");
    folder.writeBytes("out/sub/c", "mine");
    folder.writeBytes("out/_.x", "mine");
    folder.writeBytes("out/file", "mine");
    QFile::link(folder.file("out/sub"), folder.file("out/linked"));
    QFile::link(folder.file("nowhere"), folder.file("out/dangling"));
    const QString archive = folder.writeBytes(QStringLiteral("names.") + GetParam().suffix,
                                              GetParam().write({{"a.txt", "a"}, {"b.txt", "b"}, {"sub/c", "c"},
                                                                {"sub/d", "d"}, {"new/c", "c"}, {"new/deep/c", "c"},
                                                                {"linked/c", "c"}, {"dangling", "x"}, {".x", "x"},
                                                                {"file/c", "c"}}));
    const std::optional<QStringList> taken = archivers->takenNames(GetParam().library, archive, folder.file("out"));
    ASSERT_TRUE(taken.has_value());
    QStringList sorted = *taken;
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{"_.x", "a.txt", "dangling", "linked/c", "sub/c"}));
}

TEST_P(ExtractionRulesTest, NothingExtractedIsExecutableOrHidden)
{
    const std::optional<ArchiverReport> report = extract(
        {{"run.desktop", "[Desktop Entry]\nExec=sh\n", ArchiveItem::File, false, false, 0100755u},
         {"setuid", "x", ArchiveItem::File, false, false, 0104777u},
         {"bin/", {}, ArchiveItem::Folder, false, false, 040700u},
         {".bashrc", "planted"},
         {".config/autostart/x.desktop", "planted"},
         {"a/.hidden/b", "b"},
         {"...", "dots"}},
        folder.file("out"));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverOk);
    EXPECT_EQ(FolderTree(folder.file("out")),
              (QStringList{"_...", "_.bashrc", "_.config", "_.config/autostart", "_.config/autostart/x.desktop", "a",
                           "a/_.hidden", "a/_.hidden/b", "bin", "run.desktop", "setuid"}));
    for (const auto &[stored, written] : QList<std::pair<QString, QString>>{
             {".bashrc", "_.bashrc"}, {".config/autostart/x.desktop", "_.config/autostart/x.desktop"}, {"...", "_..."}})
        EXPECT_TRUE(report->renamed.contains(std::pair{stored, written})) << stored.toStdString();
    const mode_t mask = umask(0);
    umask(mask);
    for (const auto &[path, mode] : QList<std::pair<const char *, mode_t>>{
             {"run.desktop", 0666}, {"setuid", 0666}, {"_.bashrc", 0666}, {"bin", 0777}, {"a/_.hidden", 0777}}) {
        struct stat status;
        ASSERT_EQ(stat(QFile::encodeName(folder.file(QStringLiteral("out/") + path)).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode & ~mask) << path;
    }
}

TEST_P(ExtractionRulesTest, OnlyPlainFilesAndFoldersComeOut)
{
    // The archive library reads an LZH pipe or device as an empty plain
    // file (as bsdtar writes it): so it comes out, a plain file.
    const bool lzh = GetParam().bit == Lzh;
    const QList<std::pair<QByteArray, quint32>> special = {
        {"link", 0120777}, {"fifo", 0010644}, {"device", 0020644}, {"block", 0060644}, {"socket", 0140644}};
    QList<ArchiveItem> items;
    for (const auto &[name, mode] : special) {
        // LHa keeps a link's target in its name, after a "|".
        const bool link = name == "link";
        items.append(ArchiveItem{lzh && link ? QByteArray("link|/etc/passwd") : name,
                                 link && !lzh ? QByteArray("/etc/passwd") : QByteArray(), ArchiveItem::File, false,
                                 false, mode});
    }
    items.append(ArchiveItem{"plain.txt", "plain"});
    const std::optional<ArchiverReport> report = extract(items, folder.file("out"));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverRefused);
    QStringList plain{"plain.txt"};
    for (const auto &[name, mode] : special) {
        if (lzh && name != "link")
            plain << QString::fromLatin1(name);
        else
            EXPECT_TRUE(told(*report, QString::fromLatin1(name), kArchiverRefused)) << name.constData();
    }
    EXPECT_EQ(report->extracted.size(), plain.size());
    plain.sort();
    EXPECT_EQ(FolderTree(folder.file("out")), plain);
    for (const QString &name : plain)
        EXPECT_TRUE(QFileInfo(folder.file("out/" + name)).isFile()) << name.toStdString();
}

TEST_P(ExtractionRulesTest, TheFolderMadeForAnArchiveIsNewAndGoesWhenNothingCameOut)
{
    // Names taken by a folder, a link to a folder and a file.
    folder.writeBytes("dl/data/mine.txt", "mine");
    QDir().mkpath(folder.file("elsewhere"));
    QFile::link(folder.file("elsewhere"), folder.file("dl/data (2)"));
    folder.writeBytes("dl/data (3)", "a file");
    const ExtractionRules rules{{}, ExistingName::KeepBoth, true};
    const std::optional<ArchiverReport> made = extract({{"a.txt", "a"}}, folder.file("dl/data"), rules);
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->result, kArchiverOk);
    EXPECT_EQ(made->target, QFileInfo(folder.file("dl")).canonicalFilePath() + "/data (4)/");
    EXPECT_EQ(FolderTree(folder.file("dl/data (4)")), QStringList{"a.txt"});
    EXPECT_EQ(FolderTree(folder.file("elsewhere")), QStringList()) << "a link is never followed";
    EXPECT_EQ(FolderTree(folder.file("dl/data")), QStringList{"mine.txt"});

    // Nothing extracted: the folder made goes again, with the empty folders
    // made in it; one that got a file stays.
    const std::optional<ArchiverReport> refused =
        extract({{"sub/", {}, ArchiveItem::Folder}, {"../up.txt", "x"}}, folder.file("dl/data"), rules);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->result, kArchiverRefused);
    EXPECT_TRUE(refused->removedTarget);
    EXPECT_FALSE(QFileInfo::exists(folder.file("dl/data (5)")));
    const std::optional<ArchiverReport> damaged =
        extract({{"good.txt", "good"}, {"bad.txt", "bad", ArchiveItem::File, false, true}}, folder.file("dl/data"), rules);
    ASSERT_TRUE(damaged.has_value());
    EXPECT_EQ(damaged->result, kArchiverDamaged);
    EXPECT_FALSE(damaged->removedTarget);
    EXPECT_EQ(FolderTree(folder.file("dl/data (5)")), QStringList{"good.txt"});
}

INSTANTIATE_TEST_SUITE_P(Formats, ExtractionRulesTest, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.suffix); });

TEST(ExtractionNames, NumberedAndVisibleNames)
{
    const struct {
        QString name, numbered, visible;
    } cases[] = {
        {"a.txt", "a (2).txt", "a.txt"},
        {"a", "a (2)", "a"},
        {"a.tar.gz", "a.tar (2).gz", "a.tar.gz"},
        {".ssh", ".ssh (2)", "_.ssh"},
        {"..x", "..x (2)", "_..x"},
        {"x/.y/z", {}, "x/_.y/z"},
    };
    for (const auto &c : cases) {
        if (!c.numbered.isEmpty()) {
            EXPECT_EQ(NumberedName(c.name, 2), c.numbered);
        }
        EXPECT_EQ(VisiblePath(c.name), c.visible);
    }
}

} // namespace
