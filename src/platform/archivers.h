#pragma once
#include <memory>
#include <optional>
#include <utility>
#include <stop_token>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/file_places.h"

// Results of a component, for the whole archive and for each entry not
// extracted; anything but kArchiverOk is a failure.
enum ArchiverResult : int {
    kArchiverOk = 0,
    kArchiverUnreadable = 1,   // not of the component's format (not one entry readable), or unknown verb
    kArchiverRefused = 2,      // would leave the target folder, a link or device, or a name given twice
    kArchiverWriteFailed = 3,  // the target folder or an entry could not be written
    kArchiverDiskFull = 4,     // the target's disk has no room for it
    kArchiverEncrypted = 5,    // encrypted with a password
    kArchiverDamaged = 6,      // truncated, a wrong checksum or size, unreadable data
    kArchiverTooLarge = 7,     // unpacks to far more than any real archive does (an archive bomb)
    kArchiverCancelled = 8,    // stopped on request (the program is ending)
    kArchiverNotReached = 9,   // an entry left untried because the extraction stopped
    kArchiverSkipped = 10,     // a name already in the target, skipped as the user chose (no failure)
    kArchiverNotAFile = 11,    // the archive is a pipe, a device or a socket: never opened
    kArchiverUnsupported = 12, // packed with a method the component cannot unpack (the archive is whole)
    kArchiverTimedOut = 13,    // the helper program did not finish within its time limit, and was stopped
};

// Adds stated sizes without overflow: a sum beyond the largest size stays at
// the largest size, and a negative (unknown) size counts as none.
qint64 SaturatingSum(qint64 sum, qint64 size);

struct PlaceIndex;

// What a check found of one folder: whether it is protected, and where it
// lies, so that what lies in it is checked from there, one part at a time.
struct FolderCheck {
    bool covered = false;
    QString resolved;  // its resolved path (ResolvedPath)
    FilePlace place;   // where it lies on its file system
};

// The places no extraction writes into: the folders the clock keeps its state
// or code in and those the desktop reads its settings and programs from
// (nothing is written in or below them), the hidden folders of the home
// folder, and the single files the clock reads or runs. Compared by what
// they are, never by spelling: a folder is covered when it or any folder on
// its way from the root is one of them (device and inode), or when it lies in
// one on the same file system (a bind mount, a second mount of the disk, a
// link, "..", a case the disk ignores lead to the same place).
struct ProtectedPlaces {
    QStringList folders;
    QStringList files;
    // Every folder whose name starts with "." in this folder or below it
    // (the home folder, where each program keeps its settings in one).
    QString hiddenIn = {};
    // The places as looked up by resolved(); empty: looked up at each check.
    std::shared_ptr<const PlaceIndex> index = nullptr;

    // These places and more's together.
    ProtectedPlaces &operator+=(const ProtectedPlaces &more);
    // The same places, looked up once (their identity, file system and path
    // now, and the mount table): for the many checks of one extraction.
    ProtectedPlaces resolved() const;
    // Whether the folder at path (any spelling; it need not exist yet) is a
    // protected folder, lies in one or in a hidden folder of hiddenIn.
    bool coversFolder(const QString &path) const;
    // coversFolder, or path is a protected file.
    bool covers(const QString &path) const;

    // The folder at path, checked whole (as coversFolder).
    FolderCheck checkFolder(const QString &path) const;
    // The entry name (one part, no "/") in the folder parent found not
    // covered, open as parentFolder (-1 while it does not exist): the entry
    // as a folder, or (withFiles) as any entry. Only the entry itself is
    // looked at, by its identity and its place below the parent's, so the
    // parts of a deep name cost one look each. An entry that is a link is
    // checked by what it leads to.
    FolderCheck checkEntry(FolderCheck parent, int parentFolder, const QString &name, bool withFiles) const;
};

// The places of the desktop: its settings folders (DesktopSettingsFolders)
// and the hidden folders of the home folder.
ProtectedPlaces DesktopPlaces();

// What happens to an entry whose name is already taken in the target folder.
enum class ExistingName {
    KeepBoth,  // the entry takes a new free name, "name (2).ext"
    Replace,   // the entry replaces the file (never a folder)
    Skip,      // the entry is not extracted
};

// The rules of one extraction beyond its command line.
struct ExtractionRules {
    ProtectedPlaces protectedPlaces;
    ExistingName existing = ExistingName::KeepBoth;
    // The last part of the target folder is made new by the extraction: when
    // the name is taken (a folder, a file or a link), a free one is chosen
    // ("name (2)"). A failed extraction that wrote no file removes it again.
    bool newFolder = false;
};

// What one extraction did. Every entry is all or nothing: one not extracted
// left no file of its own and changed no file already in the target.
struct ArchiverReport {
    struct Entry {
        QString name;  // as a path inside the target folder, or as stored when refused
        int result;    // why it was not extracted
    };

    // kArchiverOk when every entry was extracted; otherwise the most serious
    // failure (see note).
    int result = kArchiverOk;
    QString target;              // the folder really extracted into, ending with "/" (empty: none)
    QStringList extracted;       // entries written, folders ending with "/"
    // Entries written under another name than their own: a name that was
    // taken in the target (kept both), or one made visible ("_" before a
    // leading "."). As {stored path, path written}.
    QList<std::pair<QString, QString>> renamed;
    QStringList replaced;        // existing files replaced, as the user chose
    bool removedTarget = false;  // the folder made for the archive was removed again
    QList<Entry> notExtracted;   // in archive order
    bool restUnread = false;     // the archive could not be read past its last entry named
    qint64 neededBytes = -1;     // set with freeBytes when the archive's stated size did not fit
    qint64 freeBytes = -1;

    // Records a failure of the whole extraction, keeping the most serious:
    // cancelled, then timed out, disk full, too large, damaged, an
    // unsupported method, encrypted, refused, not writable, unreadable.
    void note(int failure);
    // Records an entry not extracted and why.
    void fail(const QString &name, int failure);
    // Whether an entry that is a file was written.
    bool wroteFile() const;
};

// The archiver components that unpack archives dropped on the clock. Each is
// reached by the name of the archiver library it stands in for ("unlha32" for
// LZH, "unzip32" for ZIP, "unarj32j" for ARJ) and is given a command line as
// its parts: the verb, the archive path and the target folder. Passing the
// parts apart lets any file name through, blanks and quotes included.
class ArchiverService {
public:
    virtual ~ArchiverService() = default;
    // Runs the component named library on commandLine = {verb, archive,
    // target folder} and blocks until it is done, or until stop is requested
    // (kArchiverCancelled; the entry under way is removed). Nothing when the
    // component cannot be loaded (its library or program is missing).
    //
    // rules: no entry lands in a protected place (refused); a name already
    // in the target is kept both, replaced or skipped; with newFolder the
    // target's last part is made new. Files are written 0666 and folders
    // 0777 less the umask, whatever the archive says, and names that would
    // start with "." get a "_" before them. Only a regular file is read as
    // an archive (kArchiverNotAFile, never opened otherwise). Extraction
    // stops as a full disk while a reserve of free space is left, and a
    // stale temporary file of an earlier extraction is removed.
    //
    // The target folder is created when missing, and nothing is ever written
    // outside it: entries with absolute names or "..", links and device
    // entries, encrypted entries and names given twice are refused, the
    // others extracted. Each entry is written under a temporary name and
    // takes its own name only once complete, its size and checksum as the
    // archive gives them. An archive whose stated size exceeds the free
    // space is not extracted; one that unpacks to more than a thousand times
    // its size is stopped. Names stored in Shift-JIS come out as their
    // Japanese names. Safe to call from a worker thread.
    virtual std::optional<ArchiverReport> run(const QString &library, const QStringList &commandLine,
                                              std::stop_token stop = {}, const ExtractionRules &rules = {}) = 0;
    // The files of the archive whose names are taken in target (as paths
    // below it, named as the extraction would write them); empty when
    // the archive cannot be read, nothing when the component cannot be
    // loaded. Safe to call from a worker thread.
    virtual std::optional<QStringList> takenNames(const QString &library, const QString &archive,
                                                  const QString &target) = 0;
    // The folders the clock loads its own code from (its modules).
    virtual QStringList codeFolders() const { return {}; }
};
