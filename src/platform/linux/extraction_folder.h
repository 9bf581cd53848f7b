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
#include <QString>

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

class TargetFolder {
public:
    // Creates target where missing and opens it.
    explicit TargetFolder(const QString &target);
    bool isOpen() const { return fd_.get() >= 0; }
    // The real path of the folder, links resolved, without a trailing "/".
    const QString &path() const { return path_; }
    // Bytes that may still be written on the folder's disk; -1 when unknown.
    qint64 freeBytes() const;
    // Opens the folder relative ("/"-separated parts, "" for the target
    // itself) below the target, creating the parts that are missing; an
    // ArchiverResult: refused when a part is a link, not writable when a file
    // stands in the way.
    int openFolder(const QString &relative, UniqueFd &folder) const;

private:
    UniqueFd fd_;
    QString path_;
};

// One file entry being written to relative below the target.
class EntryFile {
public:
    // mode: the permission bits the archive gives (the umask applies).
    EntryFile(const TargetFolder &target, const QString &relative, mode_t mode);
    // Removes the temporary file unless the entry was committed.
    ~EntryFile();
    EntryFile(const EntryFile &) = delete;
    EntryFile &operator=(const EntryFile &) = delete;

    // kArchiverOk when the temporary file was created.
    int result() const { return result_; }
    // Writes size bytes at offset: kArchiverOk, kArchiverDiskFull or
    // kArchiverWriteFailed.
    int write(const char *data, size_t size, qint64 offset);
    // Bytes written so far, up to the last one.
    qint64 size() const { return end_; }
    // Completes the file: its size must be expectedSize (the archive's; -1
    // when it gives none), else kArchiverDamaged; mtime (-1 for none) becomes
    // its time; the file is closed and takes its name, replacing a file or a
    // link there but never a folder.
    int commit(qint64 expectedSize, time_t mtime);

private:
    UniqueFd folder_;
    UniqueFd file_;
    QByteArray leaf_;       // the final name in folder_
    QByteArray temporary_;  // the name it is written under; empty once renamed
    qint64 end_ = 0;
    int result_;
};

// Moves the complete file source (a path on the target's disk) to relative
// below the target, on the same terms as EntryFile::commit.
int PlaceFile(const TargetFolder &target, const QByteArray &source, const QString &relative);
