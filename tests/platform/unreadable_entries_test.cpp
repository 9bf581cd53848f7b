// Entries the archive library cannot read, beside entries it can: the one
// is skipped and named with why (a link, a method it cannot unpack, damage),
// the others are extracted as bsdtar extracts them; "not of the format" is
// said only of a file that is none.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/temp_folder.h"

namespace {

enum Format { Zip, Lzh };

struct Told {
    QString name;
    int result;
};

// The plain files below folder, path → bytes.
QMap<QString, QByteArray> PlainFiles(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isSymLink())
            continue;
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(path), file.readAll());
    }
    return files;
}

class UnreadableEntries : public ::testing::Test {
protected:
    ArchiverReport extract(Format format, const QByteArray &bytes, const QString &name)
    {
        const QString archive = folder.writeBytes(name + (format == Zip ? ".zip" : ".lzh"), bytes);
        const std::optional<ArchiverReport> report = archivers->run(
            format == Zip ? "unzip32" : "unlha32", {format == Zip ? "-xs" : "x", archive, folder.file(name) + "/"});
        EXPECT_TRUE(report.has_value());
        // bsdtar, on the same library, goes on past what it cannot read.
        QDir().mkpath(folder.file(name + "-bsdtar"));
        QProcess::execute("bsdtar", {"-xf", archive, "-C", folder.file(name + "-bsdtar")});
        return report.value_or(ArchiverReport{});
    }
    static QByteArray write(Format format, const QList<ArchiveItem> &items)
    {
        return format == Zip ? ZipBytes(items) : LzhBytes(items);
    }

    TempFolder folder;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
};

TEST_F(UnreadableEntries, AreSkippedNamedAndTheRestExtracted)
{
    if (QStandardPaths::findExecutable("bsdtar").isEmpty())
        GTEST_SKIP() << "bsdtar is not installed (scripts/install-deps.sh installs it)";
    const ArchiveItem a{.name = "a.txt", .data = "first"};
    const ArchiveItem b{.name = "sub/b.txt", .data = "last"};
    // ZIP reads a link's target at its header: of a method it cannot
    // unpack, the header fails.
    const ArchiveItem zipLink{.name = "link", .data = "a.txt", .mode = 0120777, .zipMethod = 9};
    const ArchiveItem zipLinkAes{.name = "link", .data = "a.txt", .mode = 0120777, .zipMethod = 99};
    // LHa keeps a link's target after "|" in its name: without it, the
    // header fails, before the name is known.
    const ArchiveItem lzhLink{.name = "link", .data = {}, .mode = 0120777};
    const ArchiveItem deflate64{.name = "big.txt", .data = QByteArray(100, 'x'), .zipMethod = 9};
    const ArchiveItem implode{.name = "old.txt", .data = QByteArray(100, 'x'), .zipMethod = 6};
    const ArchiveItem badCrc{.name = "bad.txt", .data = "tampered", .wrongCrc = true};
    const ArchiveItem lh1{.name = "lh1.txt", .data = QByteArray(100, 'x'), .lzhMethod = "-lh1-"};
    const ArchiveItem lzs{.name = "lzs.txt", .data = QByteArray(100, 'x'), .lzhMethod = "-lzs-"};
    const ArchiveItem lh5Damaged{.name = "bad.txt", .data = QByteArray(100, '\xff'), .lzhMethod = "-lh5-"};
    const struct {
        const char *what;
        Format format;
        QList<ArchiveItem> items;
        int result;
        QList<Told> told;
    } cases[] = {
        {"a ZIP link of a method the library lacks, first", Zip, {zipLink, a, b}, kArchiverRefused,
         {{"link", kArchiverRefused}}},
        {"a ZIP link of a method the library lacks, between", Zip, {a, zipLink, b}, kArchiverRefused,
         {{"link", kArchiverRefused}}},
        {"a ZIP link of AES, last", Zip, {a, b, zipLinkAes}, kArchiverRefused, {{"link", kArchiverRefused}}},
        {"an LZH link without its target, first", Lzh, {lzhLink, a, b}, kArchiverDamaged,
         {{"（1番目の項目）", kArchiverDamaged}}},
        {"an LZH link without its target, between", Lzh, {a, lzhLink, b}, kArchiverDamaged,
         {{"（2番目の項目）", kArchiverDamaged}}},
        {"two LZH links without targets", Lzh, {lzhLink, a, lzhLink, b}, kArchiverDamaged,
         {{"（1番目の項目）", kArchiverDamaged}, {"（3番目の項目）", kArchiverDamaged}}},
        // An intact archive with an entry of a method the library cannot
        // unpack: not damage.
        {"a ZIP entry of Deflate64", Zip, {a, deflate64, b}, kArchiverUnsupported, {{"big.txt", kArchiverUnsupported}}},
        {"a ZIP entry of implode", Zip, {implode, a, b}, kArchiverUnsupported, {{"old.txt", kArchiverUnsupported}}},
        {"an LZH entry of -lh1-", Lzh, {a, lh1, b}, kArchiverUnsupported, {{"lh1.txt", kArchiverUnsupported}}},
        {"an LZH entry of -lzs-", Lzh, {a, b, lzs}, kArchiverUnsupported, {{"lzs.txt", kArchiverUnsupported}}},
        // Damage stays damage, and outranks a method.
        {"a wrong checksum", Zip, {a, badCrc, deflate64, b}, kArchiverDamaged,
         {{"bad.txt", kArchiverDamaged}, {"big.txt", kArchiverUnsupported}}},
        {"damaged -lh5- data", Lzh, {lh5Damaged, lh1, a, b}, kArchiverDamaged,
         {{"bad.txt", kArchiverDamaged}, {"lh1.txt", kArchiverUnsupported}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ArchiverReport report = extract(c.format, write(c.format, c.items), c.what);
        EXPECT_EQ(report.result, c.result);
        EXPECT_FALSE(report.restUnread);
        const QMap<QString, QByteArray> clock = PlainFiles(folder.file(c.what));
        EXPECT_EQ(clock.value("a.txt"), "first");
        EXPECT_EQ(clock.value("sub/b.txt"), "last");
        ASSERT_EQ(report.notExtracted.size(), c.told.size());
        for (qsizetype i = 0; i < c.told.size(); ++i) {
            EXPECT_EQ(report.notExtracted[i].name, c.told[i].name);
            EXPECT_EQ(report.notExtracted[i].result, c.told[i].result);
        }
        // Against bsdtar: every file the clock wrote is bsdtar's, and every
        // file bsdtar wrote is the clock's or named as not extracted.
        const QMap<QString, QByteArray> bsdtar = PlainFiles(folder.file(QString(c.what) + "-bsdtar"));
        for (auto at = clock.cbegin(); at != clock.cend(); ++at)
            EXPECT_EQ(bsdtar.value(at.key()), at.value()) << at.key().toStdString();
        for (auto at = bsdtar.cbegin(); at != bsdtar.cend(); ++at) {
            const bool named = std::any_of(report.notExtracted.cbegin(), report.notExtracted.cend(),
                                           [&](const ArchiverReport::Entry &entry) { return entry.name == at.key(); });
            EXPECT_TRUE(clock.contains(at.key()) || named) << at.key().toStdString();
        }
    }
}

TEST_F(UnreadableEntries, OnlyAFileOfNoArchiveFormatIsCalledSo)
{
    const QByteArray zip = ZipBytes({{"a.txt", "first"}, {"b.txt", "second"}});
    const QByteArray lzh = LzhBytes({{"a.txt", "first"}, {"b.txt", "second"}});
    // An encrypted central directory: the local headers say so, with their
    // sizes and names hidden.
    QByteArray encryptedDirectory = zip;
    for (qsizetype at = 0; (at = encryptedDirectory.indexOf("PK\x03\x04", at)) >= 0; at += 4)
        encryptedDirectory[at + 6] = char(0x41), encryptedDirectory[at + 7] = char(0x20);
    const struct {
        const char *what;
        Format format;
        QByteArray bytes;
        int result;
    } cases[] = {
        {"text named as a ZIP", Zip, "plain text, no archive", kArchiverUnreadable},
        {"an empty ZIP file", Zip, "", kArchiverUnreadable},
        {"an LZH named as a ZIP", Zip, lzh, kArchiverUnreadable},
        {"text named as an LZH", Lzh, "plain text, no archive at all", kArchiverUnreadable},
        {"a ZIP named as an LZH", Lzh, zip, kArchiverUnreadable},
        {"a ZIP cut inside its first header", Zip, zip.left(12), kArchiverDamaged},
        {"an LZH cut inside its first header", Lzh, lzh.left(12), kArchiverDamaged},
        {"a ZIP whose central directory is encrypted", Zip, encryptedDirectory, kArchiverEncrypted},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ArchiverReport report = extract(c.format, c.bytes, c.what);
        EXPECT_EQ(report.result, c.result);
        EXPECT_TRUE(PlainFiles(folder.file(c.what)).isEmpty());
    }
}

} // namespace
