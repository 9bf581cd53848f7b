// The whole extraction of ZIP, LZH and ARJ archives, as the libarchive module
// and the ARJ component (on 7-Zip) do it on a drop. Input: the archive's
// bytes, extracted once as ZIP and once as LZH (and as ARJ when 7-Zip is
// installed and the input holds an ARJ header's mark), each time into a
// fresh target folder that already holds the user's
// files, a folder and links leading out of it, beside a sentinel file and a
// folder of their own outside it (made anew whenever an extraction changed
// them). The target holds a protected folder and a protected file (places
// the clock keeps its state in), and a taken name is kept both, replaced or
// skipped, by the input's size. Properties, checked on the folders after
// each extraction:
// - nothing is written outside the target: the sentinel and the outside
//   folder keep their bytes and modes, nothing new appears beside the target,
//   in the current folder or beside the archive, the archive is unchanged,
//   nothing appears at the absolute paths the seeds name;
// - nothing is written in a protected place;
// - no existing file, folder or link in the target changes (type, mode, bytes,
//   link text), but for the files reported replaced when replacing was
//   chosen, which become plain files, and a stale temporary file of an
//   earlier extraction, which may be removed;
// - everything new in the target is a regular file or a folder, none
//   executable: files have no bit beyond 0666 and folders none beyond 0777,
//   less the umask;
// - no new name starts with "." (no temporary ".tockara-*.part", 7-Zip
//   folder or journal is left); stale ones of a killed extraction in the
//   target may be removed, the one outside never;
// - the report is true: each entry reported extracted is there, of its kind,
//   and each new file is reported; the folder reported is the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <system_error>

#include <QFile>

#include "fuzz_support.h"
#include "platform/archivers.h"
#include "platform/linux/libarchive_archiver.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/seven_zip_archiver.h"

namespace {

namespace fs = std::filesystem;

constexpr mode_t kUmask = 022;

// Absolute names the seeds aim at: an escaping entry would land here.
constexpr const char *kEscapePaths[] = {"/tmp/tockara-fuzz-escape", "/dev/shm/tockara-fuzz-escape"};

constexpr const char *kStalePart = ".tockara-stale.part";
constexpr const char *kStaleWork = ".tockara-stale.work";
constexpr const char *kStaleJournal = ".tockara-stale.journal";
// A journal of a killed extraction names the folders it wrote in; one
// that names folders outside the target, or a protected one as made by it,
// leads the sweep nowhere outside.
constexpr char kJournalRecords[] = "T../outside\0T\0Tfolder\0M..\0Mfolder\0M/tmp\0T/";

[[noreturn]] void Breach(const char *rule, const std::string &path, const char *format)
{
    std::fprintf(stderr, "extraction breach (%s): %s: %s\n", rule, format, path.c_str());
    std::abort();
}

// One entry of a folder tree as lstat sees it, links not followed.
struct Node {
    mode_t mode = 0;       // type and permission bits
    std::string content;   // a file's bytes, a link's text
    bool operator==(const Node &) const = default;
};

using Tree = std::map<std::string, Node>;  // by path relative to the tree's root

std::string ReadAll(const fs::path &path)
{
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return "(unreadable)";
    char buffer[8192];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, size_t(got));
    close(fd);
    return bytes;
}

Node NodeAt(const fs::path &path)
{
    struct stat status;
    if (lstat(path.c_str(), &status) != 0)
        Breach("snapshot", path, strerror(errno));
    Node node{status.st_mode, {}};
    if (S_ISREG(status.st_mode)) {
        node.content = ReadAll(path);
    } else if (S_ISLNK(status.st_mode)) {
        std::error_code error;
        node.content = fs::read_symlink(path, error).string();
    }
    return node;
}

Tree Snapshot(const fs::path &root)
{
    Tree tree;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error))
        tree[it->path().lexically_relative(root).string()] = NodeAt(it->path());
    if (error)
        Breach("snapshot", root, error.message().c_str());
    return tree;
}

void WriteFile(const fs::path &path, const char *bytes, mode_t mode)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    const size_t size = strlen(bytes);
    if (fd < 0 || write(fd, bytes, size) != ssize_t(size))
        Breach("fixture", path, strerror(errno));
    fchmod(fd, mode);
    close(fd);
}

// The folders of one run: base holds the sentinel, the outside folder (the
// current folder during the extraction) and the target.
struct Fixture {
    fs::path base, outside, target;
};

Fixture MakeFixture()
{
    const fs::path base = QFile::encodeName(ScratchFolder()).toStdString() + "/drop";
    std::error_code error;
    fs::remove_all(base, error);
    const Fixture fixture{base, base / "outside", base / "target"};
    for (const fs::path &folder : {fixture.base, fixture.outside, fixture.target, fixture.target / "folder"})
        if (mkdir(folder.c_str(), 0755) != 0)
            Breach("fixture", folder, strerror(errno));
    WriteFile(base / "sentinel.txt", "sentinel\n", 0644);
    WriteFile(fixture.outside / "kept.txt", "kept outside\n", 0600);
    WriteFile(fixture.target / "existing.txt", "the user's file\n", 0644);
    WriteFile(fixture.target / "Tockara.ini", "[Setting]\r\nFileManger=xdg-open\r\n", 0644);
    WriteFile(fixture.target / "readonly.txt", "read only\n", 0444);
    WriteFile(fixture.target / "folder" / "inner.txt", "inside a folder\n", 0640);
    // Left by an extraction that was killed: the one in the target may be
    // removed, the one outside never.
    WriteFile(fixture.target / kStalePart, "stale\n", 0600);
    WriteFile(fixture.outside / kStalePart, "stale outside\n", 0600);
    if (mkdir((fixture.target / kStaleWork).c_str(), 0700) != 0 || mkdir((fixture.outside / kStaleWork).c_str(), 0700) != 0)
        Breach("fixture", fixture.target, strerror(errno));
    WriteFile(fixture.target / kStaleWork / "unpacked.bin", "stale unpacked\n", 0600);
    WriteFile(fixture.outside / kStaleWork / "unpacked.bin", "stale unpacked outside\n", 0600);
    {
        const int fd = open((fixture.target / kStaleJournal).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0 || write(fd, kJournalRecords, sizeof kJournalRecords) != ssize_t(sizeof kJournalRecords))
            Breach("fixture", fixture.target, strerror(errno));
        close(fd);
    }
    // Links an entry might write through: to a folder outside and to the sentinel.
    if (symlink("../outside", (fixture.target / "way-out").c_str()) != 0
        || symlink("../sentinel.txt", (fixture.target / "sentinel-link").c_str()) != 0
        || symlink("/tmp/tockara-fuzz-escape", (fixture.target / "dangling").c_str()) != 0)
        Breach("fixture", fixture.target, strerror(errno));
    return fixture;
}

bool StartsWith(const std::string &text, const char *prefix)
{
    return text.rfind(prefix, 0) == 0;
}

bool InTarget(const std::string &relative)
{
    return StartsWith(relative, "target/");
}

using Paths = std::set<std::string>;

// What a killed extraction left in the target: the next one may remove it.
bool StaleInTarget(const std::string &path)
{
    const std::string target = "target/";
    return path == target + kStalePart || path == target + kStaleJournal || path == target + kStaleWork
           || StartsWith(path, (target + kStaleWork + "/").c_str());
}

// A file written in place of an existing one must be as any new file is.
void CheckReplaced(const std::string &path, const Node &now)
{
    if (!S_ISREG(now.mode))
        Breach("existing entry changed", path, "reported replaced, not a file now");
    if ((now.mode & 07777) & ~(0666 & ~kUmask))
        Breach("executable", path, "replaced file's mode beyond 0666 less the umask");
}

void CheckExistingKept(const Tree &before, const Tree &after, const Paths &replaced)
{
    for (const auto &[path, node] : before) {
        const auto found = after.find(path);
        const char *rule = InTarget(path) || path == "target" ? "existing entry changed" : "written outside";
        if (found == after.end() && StaleInTarget(path))
            continue;
        if (found == after.end())
            Breach(rule, path, "gone");
        const Node &now = found->second;
        if (replaced.contains(path)) {
            CheckReplaced(path, now);
            continue;
        }
        if ((now.mode & S_IFMT) != (node.mode & S_IFMT))
            Breach(rule, path, "another kind now");
        if (now.mode != node.mode)
            Breach(rule, path, "mode changed");
        // A folder's own files are compared one by one.
        if (!S_ISDIR(node.mode) && now.content != node.content)
            Breach(rule, path, "bytes or link changed");
    }
}

// A name the report gives, relative to the target, as a path of the tree.
std::string TreePath(const QString &name)
{
    std::string path = fs::path("target/" + QFile::encodeName(name).toStdString()).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The entries reported extracted, as paths of the tree ("target/..."),
// each with whether it was reported as a folder.
std::map<std::string, bool> ReportedPaths(const ArchiverReport &report)
{
    std::map<std::string, bool> reported;
    for (const QString &name : report.extracted)
        reported[TreePath(name)] = name.endsWith(u'/');
    return reported;
}

// Where the run's rules forbid anything new: the protected folder.
bool Protected(const std::string &path)
{
    return StartsWith(path, "target/folder/");
}

// The files the report says it replaced, which only the rule to replace
// allows, and never a protected file.
Paths ReplacedPaths(const ArchiverReport &report, ExistingName existing)
{
    Paths replaced;
    for (const QString &name : report.replaced) {
        const std::string path = TreePath(name);
        if (existing != ExistingName::Replace)
            Breach("existing entry changed", path, "replaced although replacing was not chosen");
        if (path == "target/Tockara.ini" || Protected(path))
            Breach("protected place written", path, "replaced");
        replaced.insert(path);
    }
    return replaced;
}

void CheckNewEntry(const std::string &path, const Node &node, const std::map<std::string, bool> &reported)
{
    if (!InTarget(path))
        Breach("written outside", path, "new beside the target");
    if (Protected(path))
        Breach("protected place written", path, "new in a protected folder");
    const std::string leaf = fs::path(path).filename().string();
    // A temporary name of the extraction, unless an entry was named so.
    if (StartsWith(leaf, ".tockara-") && leaf.ends_with(".part") && !reported.contains(path))
        Breach("temporary file left", path, "left behind");
    if (StartsWith(leaf, "."))
        Breach("hidden name", path, "name starts with a dot");
    if (S_ISREG(node.mode)) {
        if ((node.mode & 07777) & ~(0666 & ~kUmask))
            Breach("executable", path, "file mode beyond 0666 less the umask");
        if (!reported.contains(path))
            Breach("report", path, "written, not reported extracted");
    } else if (S_ISDIR(node.mode)) {
        if ((node.mode & 07777) & ~(0777 & ~kUmask))
            Breach("executable", path, "folder mode beyond 0777 less the umask");
    } else {
        Breach("not a file or folder", path, "a link, FIFO, device or socket");
    }
}

// Each entry reported extracted is in the target as the kind it was
// reported as ("target" itself for the entry "./").
void CheckReported(const std::map<std::string, bool> &reported, const Tree &after)
{
    for (const auto &[path, folder] : reported) {
        if (path == "target")
            continue;
        const auto found = after.find(path);
        if (found == after.end())
            Breach("report", path, "reported extracted, not there");
        if (S_ISDIR(found->second.mode) != folder)
            Breach("report", path, "reported as the other kind");
    }
}

// The folder above holds only the archive, unchanged, and the run's folders.
void CheckScratchFolder(const fs::path &scratch, const fs::path &archive, size_t archiveSize)
{
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(scratch, error))
        if (entry.path() != archive && entry.path().filename() != "drop")
            Breach("written outside", entry.path(), "new beside the folders");
    struct stat status;
    if (lstat(archive.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || size_t(status.st_size) != archiveSize)
        Breach("written outside", archive, "the archive changed");
}

void CheckNoEscape()
{
    for (const char *path : kEscapePaths) {
        struct stat status;
        if (lstat(path, &status) == 0)
            Breach("written outside", path, "an absolute name was followed");
    }
}

// The folders as made, and their tree; made anew only after an extraction
// that changed them (most inputs are refused before anything is written).
struct Folders {
    Fixture fixture;
    Tree tree;
};

const Folders &FreshFolders(std::optional<Folders> &folders)
{
    if (!folders) {
        Fixture fixture = MakeFixture();
        Tree tree = Snapshot(fixture.base);
        folders = Folders{std::move(fixture), std::move(tree)};
    }
    return *folders;
}

// The rules of a run: the protected places in the target, and what a taken
// name gets, chosen by the input's size so that every choice is fuzzed.
ExtractionRules RulesOf(const Fixture &fixture, size_t inputSize)
{
    const auto text = [](const fs::path &path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); };
    ExtractionRules rules;
    rules.protectedPlaces.folders = {text(fixture.target / "folder")};
    rules.protectedPlaces.files = {text(fixture.target / "Tockara.ini")};
    constexpr ExistingName kChoices[] = {ExistingName::KeepBoth, ExistingName::Replace, ExistingName::Skip};
    rules.existing = kChoices[inputSize % 3];
    return rules;
}

using Extract = std::function<ArchiverReport(const QString &archive, const QString &target, const ExtractionRules &)>;

void ExtractAndCheck(const Extract &extract, const QString &archive, size_t archiveSize)
{
    static std::optional<Folders> folders;
    const auto &[fixture, before] = FreshFolders(folders);
    // The current folder is outside the target: a write to a name relative
    // to it, not to the target, shows as written outside. (The fuzzer's own
    // folder is returned to after.)
    static const int home = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (chdir(fixture.outside.c_str()) != 0)
        Breach("fixture", fixture.outside, strerror(errno));
    const QString target = QFile::decodeName(QByteArray::fromStdString(fixture.target.string()));
    const ExtractionRules rules = RulesOf(fixture, archiveSize);
    const ArchiverReport report = extract(archive, target, rules);
    if (fchdir(home) != 0)
        Breach("fixture", ".", strerror(errno));

    const Tree after = Snapshot(fixture.base);
    CheckNoEscape();
    const fs::path archivePath = QFile::encodeName(archive).toStdString();
    CheckScratchFolder(archivePath.parent_path(), archivePath, archiveSize);
    if (!report.target.isEmpty() && report.target != target + u'/')
        Breach("report", QFile::encodeName(report.target).toStdString(), "another folder reported as the target");
    CheckExistingKept(before, after, ReplacedPaths(report, rules.existing));
    const std::map<std::string, bool> reported = ReportedPaths(report);
    for (const auto &[path, node] : after)
        if (!before.contains(path))
            CheckNewEntry(path, node, reported);
    CheckReported(reported, after);
    if (after != before) {
        std::error_code error;
        fs::remove_all(fixture.base, error);
        folders.reset();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool prepared = (umask(kUmask), true);
    (void)prepared;
    const QString archive = WriteScratchFile(QStringLiteral("archive"), InputBytes(data, size));
    for (const LibarchiveFormat format : {LibarchiveFormat::Zip, LibarchiveFormat::Lha}) {
        ExtractAndCheck(
            [format](const QString &path, const QString &target, const ExtractionRules &rules) {
                const std::stop_token stop;
                ArchiverReport report;
                tockara_libarchive_extract_by_rules(int(format), &path, &target, &rules, &stop, &report);
                return report;
            },
            archive, size);
    }
    // 7-Zip is a process per run: only for inputs that can be ARJ at all.
    static const SevenZipArchiver arj(SevenZipPrograms(), std::make_shared<ProgramSearch>());
    static const bool sevenZipThere = arj.available();
    if (sevenZipThere && QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)).contains("\x60\xEA")) {
        ExtractAndCheck(
            [](const QString &path, const QString &target, const ExtractionRules &rules) {
                return arj.extract(path, target, rules, {});
            },
            archive, size);
    }
    return 0;
}
