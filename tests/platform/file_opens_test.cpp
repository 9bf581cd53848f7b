// Every file the clock reads, its own and the desktop's, goes through the one
// open of platform/regular_file.cpp, which refuses what is no regular file and
// reads within a limit. This test lists every place in src/ that opens a file
// some other way and fails on any that is not below with the reason it may:
// a folder, a file the clock creates, a lock, a device by design, code the
// module rules check, the system's own data.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// Ways of opening or reading a file by its name.
const char *const kOpeners[] = {
    R"(\bQFile\s+\w+\s*[({])",                 // a QFile on a name
    R"(\bQFile::copy\b)",
    R"(std::(i|o)?fstream|\bfopen\s*\()",
    R"(\bQSettings\b|\bQMovie\b|\bQPluginLoader\b|addApplicationFont)",
    R"(\bQImageReader\s+\w+\s*\()",
    R"(\b(QImage|QPixmap|QIcon)\s*\w*\s*\(\s*(QString\b|QStringLiteral|"|\w*(path|Path|file|File)\b))",
    R"(\.load\s*\()",                          // pictures, translations, libraries
    R"(mimeTypeForFile\s*\(|\bsetSource\s*\()",  // the MIME and media libraries open it
    R"(\bQLibrary\s+\w+|\bdlopen\s*\(|\bcdio_open\w*\s*\()",
    R"(((?<!\w)::open|\bopenat|\bcreat)\s*\()",
};

// The toolkit reads user-dirs.dirs itself for these, opening whatever lies
// there: never asked for (platform/user_folders.h reads the file).
const char *const kUserDirsLocations =
    R"(QStandardPaths::\w+\s*\(\s*QStandardPaths::(Desktop|Documents|Download|Music|Movies|Pictures|Templates|PublicShare)Location)";

struct Allowed {
    const char *file;
    const char *fragment;
    const char *why;
};

const Allowed kAllowed[] = {
    {"face/picture_file.cpp", "QImageReader reader(file.get())", "reads the file OpenRegularFile opened"},
    {"platform/wallpaper_picture.cpp", "QImageReader reader(opened.get())", "reads the file OpenRegularFile opened"},
    {"platform/program_folder.cpp", "QFile::copy(from, to)", "seeds a new program folder from the installed data"},
    {"platform/linux/desktop_autostart.cpp", "QFile entry(entryPath)", "removes the clock's own autostart entry"},
    {"platform/linux/extraction_folder.cpp", "::open(\"/\"", "the root folder, walked down to the target"},
    {"platform/linux/extraction_folder.cpp", "openat(parent, part.constData(), flags)", "folders, never through a link"},
    {"platform/linux/extraction_folder.cpp", "openat(parent_.get(), encoded.constData(), kFolderFlags)",
     "the folder just made for the archive"},
    {"platform/linux/extraction_folder.cpp", "openat(folder, name.constData(), kFolderFlags)", "folders to empty"},
    {"platform/linux/extraction_folder.cpp", "constData(), kWayFlags)", "folders passed through (O_PATH, no link)"},
    {"platform/linux/extraction_folder.cpp", "openat(folder_->get(), name.constData(),",
     "creates an entry's temporary file (O_CREAT | O_EXCL)"},
    {"platform/linux/extraction_folder.cpp", "openat(journalFolder(), name.constData(),",
     "creates the extraction's journal (O_CREAT | O_EXCL)"},
    {"platform/linux/extraction_folder.cpp", "UniqueFd fd(openat(folder, name, flags))",
     "a leftover of the clock's own, not followed, never waited on, to see whether a writer holds it"},
    {"platform/linux/extraction_folder.cpp", "O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);",
     "a leftover folder of the clock's own, to empty it"},
    {"platform/linux/extraction_folder.cpp", "part.constData(), kFolderFlags));",
     "the folders a stale journal names, walked without links"},
    {"platform/linux/extraction_folder.cpp", "held_ = UniqueFd(openat(target.descriptor(), name.constData(), kFolderFlags))",
     "the folder just made for the archive's entries"},
    {"platform/linux/extraction_folder.cpp", "openat(folder_->get(), \".\", O_TMPFILE",
     "creates an entry's file without a name in its folder, linked into place when complete"},
    {"platform/linux/archivers.cpp", "O_RDONLY | O_DIRECTORY | O_CLOEXEC)",
     "the extraction folder, to see whether it holds anything"},
    {"platform/linux/modules/libarchive/libarchive_archiver.cpp", "skipped.load(",
     "an atomic's value, not a file"},
    {"platform/linux/instance_lock.cpp", "::open(QFile::encodeName(folder_)", "the program folder, to lock it"},
    {"platform/linux/instance_lock.cpp", "::open(QFile::encodeName(standInPath())",
     "the lock file, opened to write (never waits)"},
    {"platform/linux/on_demand_module.cpp", "QLibrary library(path)", "a module, after the module folder's rules"},
    {"platform/linux/on_demand_module.cpp", "library.load()", "a module, after the module folder's rules"},
    {"platform/linux/modules/cdaudio/cd_audio_mci.cpp", "cdio_open(", "the CD drive, a device by design"},
    {"shell/startup.cpp", "toolkitTexts.load(", "the toolkit's translations from its own installation"},
    {"settings/profile_cache.cpp", "::open(folder.constData()", "a folder, to write its names out"},
    {"settings/profile_cache.cpp", "::open(temporary.constData()", "creates the new file (O_CREAT | O_EXCL)"},
    {"settings/profile_cache.cpp", "cache.load(", "the profile cache, which reads through ReadRegularFile"},
};

// The one open itself.
constexpr const char *kTheOpen = "platform/regular_file.cpp";

TEST(FileOpens, EveryFileIsReadThroughTheOneOpenOrIsListedWithItsReason)
{
    const QString sources = QStringLiteral(TOCKARA_DATA_DIR "/../src");
    QList<QRegularExpression> openers;
    for (const char *opener : kOpeners)
        openers << QRegularExpression(QString::fromLatin1(opener));
    const QRegularExpression userDirs(QString::fromLatin1(kUserDirsLocations));
    QList<int> used(std::size(kAllowed), 0);
    QStringList bypasses;
    int files = 0;
    QDirIterator it(sources, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(sources).relativeFilePath(path);
        QFile source(path);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');
        for (qsizetype n = 0; n < lines.size(); ++n) {
            const QString code = lines[n].section(QStringLiteral("//"), 0, 0);
            const QString where = QStringLiteral("%1:%2: %3").arg(name).arg(n + 1).arg(code.trimmed());
            if (userDirs.match(code).hasMatch())
                bypasses << where + QStringLiteral("  (the toolkit reads user-dirs.dirs itself)");
            if (name == QLatin1String(kTheOpen)
                || std::none_of(openers.cbegin(), openers.cend(),
                                [&](const QRegularExpression &re) { return re.match(code).hasMatch(); }))
                continue;
            bool allowed = false;
            for (size_t a = 0; a < std::size(kAllowed); ++a) {
                if (name == QLatin1String(kAllowed[a].file) && code.contains(QLatin1String(kAllowed[a].fragment))) {
                    ++used[a];
                    allowed = true;
                }
            }
            if (!allowed)
                bypasses << where;
        }
    }
    EXPECT_GT(files, 100) << "the sources were not found at " << sources.toStdString();
    EXPECT_TRUE(bypasses.isEmpty()) << "opens a file without OpenRegularFile or ReadRegularFile "
                                       "(platform/regular_file.h):\n"
                                    << bypasses.join(u'\n').toStdString();
    for (size_t a = 0; a < std::size(kAllowed); ++a)
        EXPECT_GT(used[a], 0) << "no longer in " << kAllowed[a].file << ": " << kAllowed[a].fragment;
}

} // namespace
