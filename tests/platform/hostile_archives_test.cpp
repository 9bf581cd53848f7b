// Archives built to hurt, extracted by the real components: nothing lands
// outside the target folder, an entry that fails leaves no file and changes
// no file already there, and the report says what happened to each entry.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>
#include <QStringEncoder>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/archive_formats_table.h"
#include "support/temp_folder.h"

namespace {

using namespace archive_formats_table;

// A file of the target folder that an entry of the same name tries to replace.
const QByteArray kExisting = "original";

struct Hostile {
    const char *what;
    int formats;
    QList<ArchiveItem> items;
    int result;                                  // of the whole extraction
    QStringList extracted;                       // files and folders that must be there
    QList<std::pair<QString, int>> notExtracted; // entries and why (others may follow)
    qint64 keepBytes = -1;                       // cut the archive to this many bytes (-1: whole)
};

QList<Hostile> Cases(const QString &outside)
{
    const QByteArray random = QByteArray(4000, 'r') + QByteArray::number(qint64(0x5eed), 16);
    return {
        {"climbing with ..", All,
         {{"../up.txt", "x"}, {"deep/../../up2.txt", "x"}, {"ok.txt", "ok"}},
         kArchiverRefused, {"ok.txt"}, {{"../up.txt", kArchiverRefused}, {"deep/../../up2.txt", kArchiverRefused}}},
        {"an absolute name", All, {{QFile::encodeName(outside + "/abs.txt"), "x"}, {"ok.txt", "ok"}},
         kArchiverRefused, {"ok.txt"}, {{outside + "/abs.txt", kArchiverRefused}}},
        {"climbing with backslashes", All, {{"..\\up3.txt", "x"}, {"a\\b.txt", "b"}},
         kArchiverRefused, {"a/b.txt"}, {{"../up3.txt", kArchiverRefused}}},
        {"a link, then a file through it", Zip,
         {{"link", QFile::encodeName(outside), ArchiveItem::Link}, {"link/through.txt", "x"}},
         kArchiverRefused, {"link/through.txt"}, {{"link", kArchiverRefused}}},
        {"a device", Zip, {{"tty", {}, ArchiveItem::Device}, {"ok.txt", "ok"}},
         kArchiverRefused, {"ok.txt"}, {{"tty", kArchiverRefused}}},
        {"a name given twice", All, {{"same.txt", "first"}, {"same.txt", "second"}, {"dir/", {}, ArchiveItem::Folder}, {"dir", "file"}},
         kArchiverRefused, {"dir"}, {{"same.txt", kArchiverRefused}, {"dir", kArchiverRefused}}},
        {"Shift-JIS names whose second byte is a backslash", All,
         {{ShiftJis("表ソ.txt"), "ok"}, {ShiftJis("ソ") + "\\..\\..\\sjis.txt", "x"}},
         kArchiverRefused, {"表ソ.txt"}, {{"ソ/../../sjis.txt", kArchiverRefused}}},
        {"an encrypted entry", Zip | Arj,
         {{"existing.txt", "secret", ArchiveItem::File, true}, {"plain.txt", "plain"}},
         kArchiverEncrypted, {"plain.txt"}, {{"existing.txt", kArchiverEncrypted}}},
        {"a wrong checksum", All,
         {{"existing.txt", "tampered", ArchiveItem::File, false, true}, {"good.txt", "good"}},
         kArchiverDamaged, {"good.txt"}, {{"existing.txt", kArchiverDamaged}}},
        {"a truncated archive", All, {{"first.txt", "1"}, {"existing.txt", random}},
         kArchiverDamaged, {"first.txt"}, {}, 120 + random.size() / 2},
        {"a folder written with a backslash", Zip, {{"folder\\", {}}, {"folder\\in.txt", "in"}},
         kArchiverOk, {"folder", "folder/in.txt"}, {}},
    };
}

// Every file and folder below path, as paths relative to it.
QStringList Tree(const QString &path)
{
    QStringList found;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(path).relativeFilePath(it.next());
    found.sort();
    return found;
}

class HostileArchives : public ::testing::TestWithParam<Format> {
protected:
    TempFolder folder;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
};

TEST_P(HostileArchives, NothingLeavesTheTargetAndNoFailedEntryChangesAFile)
{
    const Format &format = GetParam();
    for (const Hostile &c : Cases(folder.file("outside"))) {
        if (!(c.formats & format.bit))
            continue;
        SCOPED_TRACE(c.what);
        const QString root = folder.file(c.what);
        QDir().mkpath(root + "/outside");
        folder.writeBytes(QString(c.what) + "/out/existing.txt", kExisting);
        QByteArray bytes = format.write(c.items);
        if (c.keepBytes >= 0)
            bytes.truncate(c.keepBytes);
        const QString archive = folder.writeBytes(QString(c.what) + "/archive." + format.suffix, bytes);
        const QStringList before = Tree(root);

        const std::optional<ArchiverReport> report =
            archivers->run(format.library, {format.verb, archive, root + "/out/"});
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->result, c.result);

        // Outside the target: nothing new.
        QStringList after = Tree(root);
        after.removeIf([](const QString &path) { return path.startsWith("out/"); });
        EXPECT_EQ(after, before.filter(QRegularExpression("^(?!out/)")));
        EXPECT_EQ(Tree(root + "/outside"), QStringList());
        // Inside: what may be written, the existing file untouched, no
        // temporary file left.
        for (const QString &name : c.extracted)
            EXPECT_TRUE(QFileInfo::exists(root + "/out/" + name)) << name.toStdString();
        EXPECT_EQ(folder.readBytes(QString(c.what) + "/out/existing.txt"), kExisting);
        EXPECT_EQ(Tree(root + "/out").filter(".tockara"), QStringList());
        for (const auto &[name, result] : c.notExtracted) {
            const bool told = std::any_of(report->notExtracted.cbegin(), report->notExtracted.cend(),
                                          [&](const ArchiverReport::Entry &entry) {
                                              return entry.name == name && entry.result == result;
                                          });
            EXPECT_TRUE(told) << name.toStdString() << " not told with " << result;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, HostileArchives, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.suffix); });

} // namespace
