// The archiver components: real ZIP, LZH and ARJ archives extracted into a
// temporary folder.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/temp_folder.h"

namespace {

struct Format {
    const char *library;
    const char *verb;
    const char *suffix;
    QByteArray (*write)(const QList<ArchiveItem> &);
    const char *separator;  // between folder and file in stored names
};

void PrintTo(const Format &format, std::ostream *out)
{
    *out << format.suffix;
}

// The clock may run without a UTF-8 locale (no LANG set): names come out the
// same whatever the program's locale, so the tests run in the plain C locale.
class PlainLocale {
public:
    PlainLocale() : saved_(setlocale(LC_ALL, nullptr)) { setlocale(LC_ALL, "C"); }
    ~PlainLocale() { setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

const Format kFormats[] = {
    {"unzip32", "-xs", "zip", [](const QList<ArchiveItem> &items) { return ZipBytes(items); }, "/"},
    {"unlha32", "x", "lzh", LzhBytes, "\\"},
    {"unarj32j", "x", "arj", ArjBytes, "\\"},
};

// The result of a run; nothing when the component cannot be loaded.
std::optional<int> ResultOf(const std::optional<ArchiverReport> &report)
{
    return report ? std::optional<int>(report->result) : std::nullopt;
}

class Archivers : public ::testing::TestWithParam<Format> {
protected:
    // Writes the archive under name (with the format's suffix) and extracts it
    // into target.
    std::optional<int> extract(const QList<ArchiveItem> &items, const QString &name = "data",
                               const QString &target = "out")
    {
        const QString archive = folder.file(name + "." + GetParam().suffix);
        folder.writeBytes(QFileInfo(archive).fileName(), GetParam().write(items));
        return ResultOf(archivers->run(GetParam().library,
                                       {GetParam().verb, archive, folder.file(target) + "/"}));
    }
    QByteArray separator() const { return GetParam().separator; }
    QStringList extracted(const QString &target = "out") const
    {
        return QDir(folder.file(target)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    PlainLocale locale;
    TempFolder folder;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
};

TEST_P(Archivers, ShiftJisNamesComeOutAsJapaneseNames)
{
    // 表 and ソ end with the byte of "\", which must not split the name.
    const auto result = extract({
        {ShiftJis("表ソ.txt"), "hello"},
        {ShiftJis("フォルダ") + separator() + ShiftJis("日本語.txt"), "nested"},
        {ShiftJis("空のフォルダ") + (GetParam().separator[0] == '/' ? "/" : ""), {}, ArchiveItem::Folder},
    });
    ASSERT_EQ(result, 0);
    EXPECT_EQ(folder.readBytes("out/表ソ.txt"), "hello");
    EXPECT_EQ(folder.readBytes("out/フォルダ/日本語.txt"), "nested");
    EXPECT_TRUE(QFileInfo(folder.file("out/空のフォルダ")).isDir());
    EXPECT_EQ(extracted().size(), 3) << extracted().join(", ").toStdString();
}

TEST_P(Archivers, EntriesThatWouldLeaveTheTargetAreRefusedAndTheOthersExtracted)
{
    const QByteArray absolute = QFile::encodeName(folder.file("absolute.txt"));
    const auto result = extract({
        {"../up.txt", "x"},
        {".." + separator() + "up2.txt", "x"},
        {"deep" + separator() + ".." + separator() + ".." + separator() + "up3.txt", "x"},
        {absolute, "x"},
        {"ok.txt", "ok"},
    });
    EXPECT_EQ(result, kArchiverRefused);
    for (const char *outside : {"up.txt", "up2.txt", "up3.txt", "absolute.txt"})
        EXPECT_FALSE(QFileInfo::exists(folder.file(outside))) << outside;
    // Nothing but the harmless entry, and no work folder left behind.
    EXPECT_EQ(extracted(), QStringList{"ok.txt"});
    EXPECT_EQ(folder.readBytes("out/ok.txt"), "ok");
}

TEST_P(Archivers, ALinkAlreadyInTheTargetIsNotFollowed)
{
    QDir().mkpath(folder.file("out"));
    QDir().mkpath(folder.file("elsewhere"));
    folder.writeBytes("elsewhere/kept.txt", "kept");
    QFile::link(folder.file("elsewhere"), folder.file("out/docs"));
    QFile::link(folder.file("elsewhere/kept.txt"), folder.file("out/kept.txt"));
    const auto result = extract({{"docs" + separator() + "planted.txt", "x"}, {"kept.txt", "replaced"}});
    EXPECT_NE(result.value_or(0), 0);
    EXPECT_FALSE(QFileInfo::exists(folder.file("elsewhere/planted.txt")));
    // A link in the place of a file is a name taken: the entry is written
    // beside it, never through it.
    EXPECT_EQ(folder.readBytes("elsewhere/kept.txt"), "kept");
    EXPECT_TRUE(QFileInfo(folder.file("out/kept.txt")).isSymLink());
    EXPECT_EQ(folder.readBytes("out/kept (2).txt"), "replaced");
}

// The archive is read ahead of the writing: an entry not written (refused by
// its name, or its file failing) leaves the data of the entries after it to
// them, and the report tells each entry in the archive's order.
TEST_P(Archivers, EntriesNotWrittenLeaveTheNextEntriesTheirOwnData)
{
    if (QByteArray(GetParam().suffix) == "arj")
        GTEST_SKIP() << "ARJ is unpacked by 7-Zip into a folder of its own, not read ahead by the clock";
    // Of many blocks each: the reading is ahead while an entry is refused.
    const QByteArray first(3 << 20, 'a');
    const QByteArray second(3 << 20, 'b');
    const QByteArray sep = separator();
    const struct {
        const char *what;
        QList<ArchiveItem> items;
        QStringList extracted;
        QList<std::pair<QString, int>> notExtracted;
    } cases[] = {
        {"a name given twice", {{"big.bin", first}, {"big.bin", second}, {"after.txt", "after"}},
         {"big.bin", "after.txt"}, {{"big.bin", kArchiverRefused}}},
        {"a file in the way of a folder", {{"way" + sep + "big.bin", second}, {"big.bin", first}, {"after.txt", "after"}},
         {"big.bin", "after.txt"}, {{"way/big.bin", kArchiverWriteFailed}}},
        {"both, then a folder", {{"big.bin", first}, {"way" + sep + "x.bin", second}, {"big.bin", second},
                                 {"sub" + sep, {}, ArchiveItem::Folder}, {"sub" + sep + "after.txt", "after"}},
         {"big.bin", "sub/", "sub/after.txt"}, {{"way/x.bin", kArchiverWriteFailed}, {"big.bin", kArchiverRefused}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString out = folder.file(c.what);
        folder.writeBytes(QString(c.what) + "/way", "a file");
        const QString archive = folder.writeBytes(QString(c.what) + "." + GetParam().suffix, GetParam().write(c.items));
        const std::optional<ArchiverReport> report = archivers->run(GetParam().library, {GetParam().verb, archive, out + "/"});
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->extracted, c.extracted);
        QList<std::pair<QString, int>> told;
        for (const ArchiverReport::Entry &entry : report->notExtracted)
            told.append({entry.name, entry.result});
        EXPECT_EQ(told, c.notExtracted);
        EXPECT_TRUE(folder.readBytes(QString(c.what) + "/big.bin") == first) << "the first big.bin, whole";
        EXPECT_EQ(folder.readBytes(QString(c.what) + (c.extracted.contains("sub/after.txt") ? "/sub/after.txt" : "/after.txt")),
                  "after");
        EXPECT_EQ(folder.readBytes(QString(c.what) + "/way"), "a file");
    }
}

TEST_P(Archivers, AnyArchiveAndFolderNameWorks)
{
    const auto result = extract({{"a.txt", "a"}}, R"(-x @list "quoted" * ? blank)", "out [*] dir");
    ASSERT_EQ(result, 0);
    EXPECT_EQ(folder.readBytes("out [*] dir/a.txt"), "a");
}

TEST_P(Archivers, AFileOfAnotherFormatIsAFailure)
{
    folder.writeBytes(QString("data.") + GetParam().suffix, "plain text, no archive");
    const auto result = ResultOf(archivers->run(
        GetParam().library, {GetParam().verb, folder.file(QString("data.") + GetParam().suffix), folder.file("out/")}));
    ASSERT_TRUE(result.has_value());
    EXPECT_NE(*result, 0);
    EXPECT_TRUE(extracted().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Formats, Archivers, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.suffix); });

TEST(ZipArchiver, Utf8NamesStayUtf8WithOrWithoutTheirFlag)
{
    PlainLocale locale;
    TempFolder folder;
    auto archivers = MakeLinuxArchivers();
    folder.writeBytes("flagged.zip", ZipBytes({{QString("日本語/ü.txt").toUtf8(), "1"}}, true));
    folder.writeBytes("unflagged.zip", ZipBytes({{QString("漢字.txt").toUtf8(), "2"}}));
    for (const char *name : {"flagged.zip", "unflagged.zip"})
        EXPECT_EQ(ResultOf(archivers->run("unzip32", {"-xs", folder.file(name), folder.file("out/")})), 0) << name;
    EXPECT_EQ(folder.readBytes("out/日本語/ü.txt"), "1");
    EXPECT_EQ(folder.readBytes("out/漢字.txt"), "2");
}

TEST(ZipArchiver, LinkEntriesAreRefused)
{
    TempFolder folder;
    folder.writeBytes("links.zip", ZipBytes({{"link", folder.file("").toUtf8(), ArchiveItem::Link},
                                             {"link/through.txt", "x"},
                                             {"kept.txt", "k"}}));
    EXPECT_EQ(ResultOf(MakeLinuxArchivers()->run("unzip32", {"-xs", folder.file("links.zip"), folder.file("out/")})),
              kArchiverRefused);
    EXPECT_FALSE(QFileInfo(folder.file("out/link")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(folder.file("through.txt")));
    EXPECT_EQ(folder.readBytes("out/kept.txt"), "k");
}

TEST(ArchiverComponents, MissingComponentsCannotBeLoaded)
{
    TempFolder folder;
    folder.writeBytes("data.arj", ArjBytes({{"a.txt", "a"}}));
    const QStringList command{"x", folder.file("data.arj"), folder.file("out/")};
    EXPECT_EQ(ResultOf(MakeLinuxArchivers({folder.file("no-such-7zz")})->run("unarj32j", command)), std::nullopt);
    EXPECT_EQ(ResultOf(MakeLinuxArchivers()->run("unrar32", command)), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(folder.file("out")));
    // The library names compare without regard to case, as libraries loaded by name do.
    EXPECT_EQ(ResultOf(MakeLinuxArchivers()->run("UNARJ32J", command)), 0);
}

} // namespace
