// ARJ archives made by the arj program (ARJ for Unix), extracted by the
// clock's ARJ component and by `arj x` itself: the clock writes the same
// files, and refuses only what is no plain file or folder. And the kind of
// an entry as each host keeps it in its header.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/seven_zip_archiver.h"
#include "support/temp_folder.h"

namespace {

// The plain files below folder (path → bytes) and its folders.
struct Tree {
    QMap<QString, QByteArray> files;
    QStringList folders;
};

Tree PlainTree(const QString &folder)
{
    Tree tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (info.isSymLink())
            continue;
        if (info.isDir()) {
            tree.folders << relative;
        } else if (info.isFile()) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            tree.files.insert(relative, file.readAll());
        }
    }
    tree.folders.sort();
    return tree;
}

// Runs the arj program in folder; its exit code.
int Arj(const QString &folder, const QStringList &arguments)
{
    QProcess arj;
    arj.setWorkingDirectory(folder);
    arj.setStandardInputFile(QProcess::nullDevice());
    arj.setStandardOutputFile(QProcess::nullDevice());
    arj.start(QStringLiteral("arj"), arguments);
    arj.waitForFinished(60000);
    return arj.exitStatus() == QProcess::NormalExit ? arj.exitCode() : -1;
}

class ArjMadeArchives : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("arj").isEmpty() || !SevenZipArchiver(SevenZipPrograms(), std::make_shared<ProgramSearch>()).available())
            GTEST_SKIP() << "arj or 7-Zip is not installed (scripts/install-deps.sh installs both)";
        // A download's usual content: text that packs well, bytes that do
        // not, Japanese names, folders at several depths, an empty one.
        QRandomGenerator random(30);
        QByteArray noise(5000, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QByteArray text;
        for (int i = 0; i < 3000; ++i)
            text += QByteArray::number(i) + " 行目のテキスト\n";
        folder.writeBytes("src/a.txt", "hello\n");
        folder.writeBytes("src/sub/b.bin", noise);
        folder.writeBytes("src/sub/deep/seq.txt", text);
        folder.writeBytes("src/日本語/メモ.txt", "メモ\n");
        QDir().mkpath(folder.file("src/空のフォルダ"));
    }

    // Makes name.arj from the content with the arj program's options.
    QString make(const QString &name, const QStringList &options)
    {
        const QString archive = folder.file(name + ".arj");
        EXPECT_EQ(Arj(folder.file("src"), QStringList{"a", "-r", "-a1", "-y"} + options + QStringList{archive, "*"}), 0);
        return archive;
    }
    // What `arj x` makes of archive, and what the clock makes of it.
    Tree byArj(const QString &archive)
    {
        const QString out = folder.file("arj-" + QFileInfo(archive).completeBaseName());
        QDir().mkpath(out);
        Arj(out, {"x", "-y", archive});
        return PlainTree(out);
    }
    ArchiverReport byClock(const QString &archive)
    {
        const QString out = folder.file("clock-" + QFileInfo(archive).completeBaseName());
        const std::optional<ArchiverReport> report = archivers->run("unarj32j", {"x", archive, out + "/"});
        EXPECT_TRUE(report.has_value());
        clockTree = PlainTree(out);
        return report.value_or(ArchiverReport{});
    }

    TempFolder folder;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
    Tree clockTree;
};

TEST_F(ArjMadeArchives, EveryMethodExtractsAsArjDoes)
{
    for (const char *method : {"-m0", "-m1", "-m2", "-m3", "-m4"}) {
        SCOPED_TRACE(method);
        const QString archive = make(QString("method%1").arg(method), {method});
        const ArchiverReport report = byClock(archive);
        EXPECT_EQ(report.result, kArchiverOk);
        const Tree arj = byArj(archive);
        ASSERT_EQ(arj.files.size(), 4);
        EXPECT_EQ(clockTree.files, arj.files);
        EXPECT_EQ(clockTree.folders, arj.folders);
        EXPECT_TRUE(report.notExtracted.isEmpty());
    }
}

TEST_F(ArjMadeArchives, DamageAndPasswordsAreToldForTheEntriesTheyConcern)
{
    const struct {
        const char *what;
        QStringList options;
        std::function<void(QByteArray &)> mutate;
        int result;
        QString told;  // an entry not extracted, with result
    } cases[] = {
        {"a byte of packed data changed", {"-m1"},
         [](QByteArray &bytes) { bytes[bytes.indexOf("sub/deep/seq.txt") + 300] ^= 0x5a; }, kArchiverDamaged,
         "sub/deep/seq.txt"},
        {"cut inside the packed text", {"-m1"},
         [](QByteArray &bytes) { bytes.truncate(bytes.indexOf("sub/deep/seq.txt") + 1500); }, kArchiverDamaged,
         "sub/deep/seq.txt"},
        {"cut after the headers of two files", {"-m0"},
         [](QByteArray &bytes) { bytes.truncate(bytes.indexOf("sub/b.bin") + 3000); }, kArchiverDamaged, {}},
        {"garbled with a password", {"-m1", "-gsecret"}, [](QByteArray &) {}, kArchiverEncrypted, "sub/b.bin"},
        {"stored and garbled", {"-m0", "-gsecret"}, [](QByteArray &) {}, kArchiverEncrypted, "a.txt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString archive = make(c.what, c.options);
        QFile file(archive);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        c.mutate(bytes);
        const QString changed = folder.writeBytes(QString(c.what) + " changed.arj", bytes);
        const ArchiverReport report = byClock(changed);
        EXPECT_EQ(report.result, c.result);
        // What arj recovers, the clock extracts too, byte for byte; nothing
        // more.
        EXPECT_EQ(clockTree.files, byArj(changed).files);
        if (!c.told.isEmpty()) {
            const bool told = std::any_of(report.notExtracted.cbegin(), report.notExtracted.cend(),
                                          [&](const ArchiverReport::Entry &entry) {
                                              return entry.name == c.told && entry.result == c.result;
                                          });
            EXPECT_TRUE(told) << c.told.toStdString();
        }
    }
}

TEST_F(ArjMadeArchives, LinksPipesAndHardLinksAreRefusedAndTheRestExtracted)
{
    const QString source = folder.file("src");
    ASSERT_TRUE(QFile::link("a.txt", source + "/link"));
    ASSERT_TRUE(QFile::link("/etc/passwd", source + "/outside"));
    ASSERT_EQ(mkfifo(QFile::encodeName(source + "/fifo").constData(), 0644), 0);
    ASSERT_EQ(link(QFile::encodeName(source + "/sub/b.bin").constData(),
                   QFile::encodeName(source + "/hard.bin").constData()),
              0);
    const QString archive = make("special", {"-m1"});
    const ArchiverReport report = byClock(archive);
    EXPECT_EQ(report.result, kArchiverRefused);
    // arj stores the data of a hard-linked file once, and the other name as
    // a link to it: one of the two is refused.
    QStringList refused;
    for (const ArchiverReport::Entry &entry : report.notExtracted) {
        EXPECT_EQ(entry.result, kArchiverRefused) << entry.name.toStdString();
        refused << entry.name;
    }
    refused.sort();
    ASSERT_EQ(refused.size(), 4) << refused.join(", ").toStdString();
    EXPECT_EQ(refused.mid(0, 1), QStringList{"fifo"});
    EXPECT_TRUE(refused.contains("link") && refused.contains("outside"));
    // Every plain file arj writes from its own data, the clock writes.
    const Tree arj = byArj(archive);
    for (auto at = clockTree.files.cbegin(); at != clockTree.files.cend(); ++at)
        EXPECT_EQ(arj.files.value(at.key()), at.value()) << at.key().toStdString();
    EXPECT_EQ(clockTree.files.size(), 4);
    EXPECT_EQ(clockTree.folders, arj.folders);
}

// The same header fields as arj and other writers keep them.
TEST(ArjEntryKinds, AreReadAsTheHostKeepsThem)
{
    enum : quint8 { kDos = 0, kUnix = 2, kAmiga = 3, kNext = 8, kWin95 = 10, kWin32 = 11 };
    enum : quint8 { kBinary = 0, kText = 1, kComment = 2, kDirectory = 3, kLabel = 4, kChapter = 5, kUnixSpecial = 6 };
    const struct {
        const char *what;
        quint8 host, type;
        quint16 mode;
        ArjEntryKind kind;
    } cases[] = {
        // ARJ for Unix: its own kinds above the permission bits.
        {"arj's plain file", kUnix, kBinary, 0010644, ArjEntryKind::File},
        {"arj's text file", kUnix, kText, 0010600, ArjEntryKind::File},
        {"arj's setuid file", kUnix, kBinary, 0014755, ArjEntryKind::File},
        {"arj's folder", kUnix, kDirectory, 0020755, ArjEntryKind::Folder},
        {"arj's link", kUnix, kUnixSpecial, 0040777, ArjEntryKind::Other},
        {"arj's hard link", kUnix, kUnixSpecial, 0010644, ArjEntryKind::Other},
        {"arj's kind on a file entry", kUnix, kBinary, 0040644, ArjEntryKind::Other},
        // Writers that keep a Unix mode.
        {"a Unix file", kUnix, kBinary, 0100644, ArjEntryKind::File},
        {"a Unix folder", kUnix, kDirectory, 0040755, ArjEntryKind::Folder},
        {"a Unix link marked binary", kUnix, kBinary, 0120777, ArjEntryKind::Other},
        {"a Unix device (arj's folder kind) marked binary", kUnix, kBinary, 0020644, ArjEntryKind::Other},
        {"a Unix socket marked binary", kUnix, kBinary, 0140644, ArjEntryKind::Other},
        {"a Unix block device marked binary", kUnix, kBinary, 0060644, ArjEntryKind::Other},
        {"a file's kind on a folder entry", kUnix, kDirectory, 0100644, ArjEntryKind::Other},
        {"no kind at all", kUnix, kBinary, 0644, ArjEntryKind::File},
        {"NeXT keeps Unix modes too", kNext, kBinary, 0120777, ArjEntryKind::Other},
        // DOS attributes name no kind: the file type says it.
        {"a DOS file", kDos, kBinary, 0x20, ArjEntryKind::File},
        {"a DOS folder", kDos, kDirectory, 0x10, ArjEntryKind::Folder},
        {"Windows attributes that read as a Unix link", kWin32, kBinary, 0xA1FF, ArjEntryKind::File},
        {"Windows 95", kWin95, kText, 0x21, ArjEntryKind::File},
        {"Amiga protection bits", kAmiga, kBinary, 0xFFFF, ArjEntryKind::File},
        // No file at all, on any host.
        {"a volume label", kDos, kLabel, 0, ArjEntryKind::Other},
        {"a chapter label", kWin32, kChapter, 0, ArjEntryKind::Other},
        {"a comment header", kDos, kComment, 0, ArjEntryKind::Other},
        {"a type of ARJ for Unix on DOS", kDos, kUnixSpecial, 0x20, ArjEntryKind::Other},
        {"an unknown type", kWin32, 200, 0x20, ArjEntryKind::Other},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ArjKindOf(c.host, c.type, c.mode), c.kind) << c.what;
}

} // namespace
