#pragma once
#include <optional>
#include <stop_token>
#include <QList>
#include <QString>
#include <QStringList>

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
    QStringList extracted;       // entries written, folders ending with "/"
    QList<Entry> notExtracted;   // in archive order
    bool restUnread = false;     // the archive could not be read past its last entry named
    qint64 neededBytes = -1;     // set with freeBytes when the archive's stated size did not fit
    qint64 freeBytes = -1;

    // Records a failure of the whole extraction, keeping the most serious:
    // cancelled, then disk full, too large, damaged, encrypted, refused, not
    // writable, unreadable.
    void note(int failure);
    // Records an entry not extracted and why.
    void fail(const QString &name, int failure);
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
                                              std::stop_token stop = {}) = 0;
};
