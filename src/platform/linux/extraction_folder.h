#pragma once
// Writing the entries of an archive into its target folder. Every folder on
// the way is opened from the target down without following a link, so no
// name and no link already in the folder leads a write outside it. Every file
// is written under a temporary name beside its place and renamed over its
// final name only when complete: an entry that fails (a full disk, a damaged
// archive, the program ending) leaves no file and changes no existing one.
#include <sys/types.h>
#include <ctime>

#include <QByteArray>
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

// The ArchiverResult of a failed write, from its errno: a full disk or quota
// is kArchiverDiskFull, anything else kArchiverWriteFailed.
int WriteFailure(int error);

// The target folder of one extraction, opened once: every entry is written
// relative to it, on the terms of the extraction's rules. It keeps what the
// report must tell about names: renamed, replaced.
class TargetFolder {
public:
    // Opens target, creating it where missing. With rules.newFolder, its
    // last part is made new (a free name when it is taken) and opened
    // without following a link. Not open when the target is a protected
    // place (failure() kArchiverRefused) or cannot be made.
    explicit TargetFolder(const QString &target, const ExtractionRules &rules = {});
    bool isOpen() const { return fd_.get() >= 0; }
    int failure() const { return failure_; }
    // The real path of the folder, links resolved, without a trailing "/".
    const QString &path() const { return path_; }
    // Bytes that may still be written on the folder's disk; -1 when unknown.
    qint64 freeBytes() const;
    // What is left of freeBytes once the reserve kept free is taken off
    // (0 at least; -1 when unknown): what an extraction may use.
    qint64 roomBytes() const;
    // Opens the folder relative ("/"-separated parts, "" for the target
    // itself) below the target, creating the parts that are missing; an
    // ArchiverResult: refused when a part is a link or a protected place,
    // not writable when a file stands in the way. Parts starting with "."
    // are taken with a "_" before them.
    int openFolder(const QString &relative, UniqueFd &folder, FolderCheck *check = nullptr) const;
    // A folder entry: openFolder, and its new name told when it has one.
    int makeFolder(const QString &relative) const;
    // Gives the complete file from (in fromFolder) its place relative below
    // the target, by the rules for a taken name: kArchiverOk (kept both,
    // replaced), kArchiverSkipped, kArchiverRefused for a protected place
    // or a name this extraction wrote already, or the failure of the write.
    int place(int fromFolder, const QByteArray &from, const QString &relative) const;
    // Whether the entry at relative would land on a protected place.
    bool isProtected(const QString &relative) const;
    // Removes the temporary files a stopped earlier extraction left in
    // folder (once per folder and extraction): those of this user that no
    // extraction is writing.
    void sweep(int folder) const;
    // Ends the extraction: tells report the folder extracted into and the
    // names renamed and replaced; a folder made for the archive is removed
    // when the extraction failed without writing a file (only the empty
    // folders it holds go with it).
    void finish(ArchiverReport &report) const;

private:
    void open(const QString &target);
    void openNew(const QString &target);
    void noteRename(const QString &stored, const QString &written) const;

    UniqueFd fd_;
    UniqueFd parent_;       // the folder the new folder was made in
    QByteArray madeName_;   // the new folder's name there; empty when none was made
    QString path_;
    FolderCheck checked_;   // the target as checked when opened
    int failure_ = kArchiverWriteFailed;
    ExtractionRules rules_;
    mutable QList<std::pair<QString, QString>> renamed_;
    mutable QStringList replaced_;
    mutable QSet<QString> written_;
    mutable QSet<QString> swept_;
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
    const TargetFolder &target_;
    QString relative_;
    UniqueFd folder_;
    UniqueFd file_;
    QByteArray temporary_;  // the name it is written under; empty once placed
    qint64 end_ = 0;
    int result_;
};

// Moves the complete file source (a path on the target's disk) to relative
// below the target, on the same terms as EntryFile::commit; its mode
// becomes that of any extracted file.
int PlaceFile(const TargetFolder &target, const QByteArray &source, const QString &relative);
