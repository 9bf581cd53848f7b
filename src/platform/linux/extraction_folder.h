#pragma once
// Writing the entries of an archive into its target folder. Every folder on
// the way is opened from the target down without following a link, so no
// name and no link already in the folder leads a write outside it. Every file
// is written without a name in its folder (or, where the file system cannot
// make such a file, under a temporary name beside its place) and takes its
// final name only when complete: an entry that fails (a full disk, a damaged
// archive, the program ending or killed) leaves no file and changes no
// existing one.
#include <sys/types.h>
#include <ctime>
#include <map>
#include <memory>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "platform/archivers.h"

// A file descriptor closed with its owner.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd &&other) noexcept : fd_(other.release()) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    ~UniqueFd();
    int get() const { return fd_; }
    int release();
    // Closes now; false when the close reports an error (a write that failed late).
    bool close();

private:
    int fd_ = -1;
};

// A descriptor shared by those that use it, closed with the last of them.
using SharedFd = std::shared_ptr<const UniqueFd>;

// The ArchiverResult of a failed write, from its errno: a full disk or quota
// is kArchiverDiskFull, anything else kArchiverWriteFailed.
int WriteFailure(int error);

// Where one entry lands below the target, worked out once for the entry.
struct EntryPath {
    explicit EntryPath(const QString &relative);
    QString relative;   // as the archive names it ("/"-separated)
    QString visible;    // each part made visible (VisiblePath)
    QString folderKey;  // the visible folder it lands in, "" for the target
    QString leaf;       // its own visible name
};

// The target folder of one extraction, opened once: every entry is written
// relative to it, on the terms of the extraction's rules. It keeps what the
// report must tell about names: renamed, replaced.
class TargetFolder {
public:
    // Opens target, creating it where missing. With rules.newFolder, its
    // last part is made new (a free name when it is taken) and opened
    // without following a link. Not open when the target is a protected
    // place (failure() kArchiverRefused) or cannot be made.
    //
    // An extraction into a folder first removes what a killed one left
    // there: the clock's temporary files and folders nobody holds, in it and
    // in the folders the killed one's journal names, and the folder it made
    // for its archive when nothing but empty folders is left in it.
    explicit TargetFolder(const QString &target, const ExtractionRules &rules = {});
    // Removes the journal: every temporary file and folder is gone by now.
    ~TargetFolder();
    TargetFolder(const TargetFolder &) = delete;
    TargetFolder &operator=(const TargetFolder &) = delete;
    bool isOpen() const { return fd_.get() >= 0; }
    // The open folder.
    int descriptor() const { return fd_.get(); }
    int failure() const { return failure_; }
    // The real path of the folder, links resolved, without a trailing "/".
    const QString &path() const { return path_; }
    // Bytes that may still be written on the folder's disk; -1 when unknown.
    qint64 freeBytes() const;
    // What is left of freeBytes once the reserve kept free is taken off
    // (0 at least; -1 when unknown): what an extraction may use.
    qint64 roomBytes() const;
    // Whether growth more bytes may be written to file (open on the
    // folder's disk) and leave the reserve free; looks at the disk only now
    // and then (see EntryFile::write).
    bool roomFor(int file, qint64 growth) const;
    // Opens the folder relative ("/"-separated parts, "" for the target
    // itself) below the target, creating the parts that are missing; an
    // ArchiverResult: refused when a part is a link or a protected place,
    // not writable when a file stands in the way. Parts starting with "."
    // are taken with a "_" before them. A folder opened once stays open
    // for the next entries of the extraction, with what its check found.
    int openFolder(const QString &relative, SharedFd &folder, FolderCheck *check = nullptr) const;
    // openFolder for the folder entry lands in.
    int openFolder(const EntryPath &entry, SharedFd &folder, FolderCheck *check = nullptr) const;
    // A folder entry: openFolder, and its new name told when it has one.
    int makeFolder(const QString &relative) const;
    // Tells that the entry at relative was stored under a name that reads
    // as shown (one DecodeEntryName kept bytes of): written, it is named
    // among the names written otherwise than stored.
    void noteStoredName(const QString &relative, const QString &shown) const;
    // Gives the complete file from (in fromFolder) its place relative below
    // the target, by the rules for a taken name: kArchiverOk (kept both,
    // replaced), kArchiverSkipped, kArchiverRefused for a protected place
    // or a name this extraction wrote already, or the failure of the write.
    int place(int fromFolder, const QByteArray &from, const QString &relative) const;
    int place(int fromFolder, const QByteArray &from, const EntryPath &entry) const;
    // place for a file without a name (open file, made with O_TMPFILE):
    // it is linked into its place.
    int placeUnnamed(int file, const EntryPath &entry) const;
    // Whether files without a name are still tried: false once the
    // folder's file system refused to make one.
    bool triesUnnamed() const { return !unnamedRefused_; }
    void noteUnnamedRefused() const { unnamedRefused_ = true; }
    // Whether the entry at relative would land on a protected place.
    bool isProtected(const QString &relative) const;
    // Before the first temporary file or folder is made in the folder
    // visibleFolder below the target (open as folder): removes those a
    // stopped earlier extraction left there (of this user, held by nobody),
    // and records the folder in the extraction's journal. The journal lies
    // in the extraction folder, where the next extraction looks, and is
    // held while this one runs.
    void noteTemporaries(const QString &visibleFolder, int folder) const;
    // Only the removal of noteTemporaries, once per folder: before a file
    // without a name is written there (it leaves nothing to remove).
    void sweepOnce(const QString &visibleFolder, int folder) const;
    // Ends the extraction: tells report the folder extracted into and the
    // names renamed and replaced; a folder made for the archive is removed
    // when the extraction failed without writing a file (only the empty
    // folders it holds go with it).
    void finish(ArchiverReport &report) const;

private:
    template <typename Move>
    int placeBy(const EntryPath &entry, Move move) const;
    bool isProtected(const EntryPath &entry) const;
    int openKeyed(const QString &key, SharedFd &folder, FolderCheck *check) const;
    void open(const QString &target);
    void openNew(const QString &target);
    void noteRename(const QString &stored, const QString &written) const;
    int journalFolder() const;
    void record(char kind, const QByteArray &path) const;

    UniqueFd fd_;
    UniqueFd parent_;       // the folder the new folder was made in
    QByteArray madeName_;   // the new folder's name there; empty when none was made
    QString path_;
    FolderCheck checked_;   // the target as checked when opened
    int failure_ = kArchiverWriteFailed;
    ExtractionRules rules_;
    mutable QList<std::pair<QString, QString>> renamed_;
    mutable QHash<QString, QString> shownNames_;
    mutable QStringList replaced_;
    mutable QSet<QString> written_;
    mutable QSet<QString> temporariesIn_;
    mutable QSet<QString> swept_;
    struct OpenFolder {
        SharedFd fd;
        FolderCheck check;
    };
    mutable SharedFd root_;
    mutable std::map<QString, OpenFolder> folders_;  // by their visible path below the target
    static constexpr size_t kOpenFoldersMost = 64;
    mutable UniqueFd journal_;
    mutable QByteArray journalName_;  // null until one was tried
    mutable qint64 room_ = -1;   // the room on the disk when last looked at; -1 before
    mutable qint64 grown_ = 0;   // bytes written by the extraction since
    mutable bool unnamedRefused_ = false;
};

// The name of one path part as an extraction writes it: "_" before a
// leading ".", so nothing an archive brings is hidden or lands in a
// dot-folder (".ssh", ".config").
QString VisiblePart(const QString &part);
// Each part of relative made visible.
QString VisiblePath(const QString &relative);
// name with " (n)" before its last extension: "a.txt" → "a (2).txt".
QString NumberedName(const QString &name, int n);
// The permission bits of everything extracted: 0666 for files, 0777 for
// folders, less the umask.
mode_t ExtractedFileMode();

// One file entry being written to relative below the target.
class EntryFile {
public:
    // The file is created 0666 less the umask, whatever the archive says.
    EntryFile(const TargetFolder &target, const QString &relative);
    // Removes the temporary file unless the entry was committed.
    ~EntryFile();
    EntryFile(const EntryFile &) = delete;
    EntryFile &operator=(const EntryFile &) = delete;

    // kArchiverOk when the temporary file was created.
    int result() const { return result_; }
    // Writes size bytes at offset: kArchiverOk, kArchiverDiskFull (also
    // when the write would eat into the reserve kept free) or
    // kArchiverWriteFailed.
    int write(const char *data, size_t size, qint64 offset);
    // Bytes written so far, up to the last one.
    qint64 size() const { return end_; }
    // Completes the file: its size must be expectedSize (the archive's; -1
    // when it gives none), else kArchiverDamaged; mtime (-1 for none) becomes
    // its time; the file is closed and takes its place (TargetFolder::place).
    int commit(qint64 expectedSize, time_t mtime);

private:
    bool roomFor(qint64 growth);

    const TargetFolder &target_;
    const EntryPath path_;
    SharedFd folder_;
    UniqueFd file_;
    QByteArray temporary_;  // the name it is written under; empty once placed or when it has none
    qint64 end_ = 0;
    int result_;
};

// A folder of the extraction's own in the target folder, for a helper
// program to unpack into: hidden, held while it lives, removed with what it
// holds at its end (or by a later extraction, when the clock was killed).
class WorkFolder {
public:
    explicit WorkFolder(const TargetFolder &target);
    ~WorkFolder();
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;
    // Its path; empty when it could not be made.
    QByteArray path() const;

private:
    const TargetFolder &target_;
    UniqueFd held_;
    QByteArray name_;
};

// Moves the complete file source (a path on the target's disk) to relative
// below the target, on the same terms as EntryFile::commit; its mode
// becomes that of any extracted file.
int PlaceFile(const TargetFolder &target, const QByteArray &source, const QString &relative);
