#pragma once
#include <optional>
#include <QString>
#include <QStringList>

// The archiver components that unpack archives dropped on the clock. Each is
// reached by the name of the archiver library it stands in for ("unlha32" for
// LZH, "unzip32" for ZIP, "unarj32j" for ARJ) and is given a command line as
// its parts: the verb, the archive path and the target folder. Passing the
// parts apart lets any file name through, blanks and quotes included.
class ArchiverService {
public:
    virtual ~ArchiverService() = default;
    // Runs the component named library on commandLine = {verb, archive,
    // target folder} and blocks until it is done. Returns 0 when every entry
    // was extracted, non-zero when the archive is not of the component's
    // format, is damaged, or an entry was refused or could not be written;
    // nothing when the component cannot be loaded (its library or program is
    // missing). The target folder is created when missing, and nothing is ever
    // written outside it: entries with absolute names or "..", links and
    // device entries are refused, the others extracted. Names stored in
    // Shift-JIS come out as their Japanese names. Safe to call from a worker
    // thread.
    virtual std::optional<int> run(const QString &library, const QStringList &commandLine) = 0;
};

// Results of a component besides 0 (success); any of them is a failure.
enum ArchiverResult : int {
    kArchiverOk = 0,
    kArchiverUnreadable = 1,   // not of the component's format, damaged, or unknown verb
    kArchiverRefused = 2,      // an entry would have left the target folder, or is a link or device
    kArchiverWriteFailed = 3,  // the target folder or an entry could not be written
};
