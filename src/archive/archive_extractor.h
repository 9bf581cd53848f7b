#pragma once
// Extraction of archives dropped on the clock. The archiver runs on a worker
// thread, so the clock keeps ticking. First it looks which of the archive's
// files have names taken in the target folder; when some have, the user is
// asked once for the whole archive (replace, keep both, skip, cancel) on the
// user-interface thread, without the worker waiting for the answer; a
// cancelled question (its button, Escape or the window's close button)
// extracts nothing and says so. Then the extraction; when it ends, the
// messages (boxes with an OK button that leave the clock running) and the
// file manager follow on the user-interface thread, in this order: a
// component that cannot be loaded is reported by itself; a file not of the archive's
// format gets the format message; an archive not extracted whole (a full
// disk, a damaged or encrypted entry, refused entries) gets a message that
// says why and names what was and was not extracted. Only when every entry
// was extracted does the file manager open the target folder, and a file
// manager that cannot be started is reported with its failure code; files
// renamed, replaced or skipped are named in a message of their own. A
// dropped file that is no regular file (a pipe, a device) is refused at once.
#include <deque>
#include <optional>
#include <stop_token>

#include <QObject>
#include <QString>
#include <QThreadPool>

#include "archive/archive_command.h"

class ArchiverService;
class MessageBoxService;
class ProgramLauncher;
class QWidget;
struct Settings;

// What an extraction uses, taken from the settings when it is asked for, so a
// later change of the settings does not reach an extraction under way.
struct ExtractionSettings {
    QString DecompFolder;
    bool FileFold = false;
    QString FileManger;
    QString programFolder;
    // Where no entry may land; the program folder always counts too.
    ProtectedPlaces protectedPlaces;
};
// codeFolders and launcherFiles: see ClockPlaces.
ExtractionSettings ExtractionSettingsFrom(const Settings &settings, const QString &programFolder,
                                          const QStringList &codeFolders = {},
                                          const QStringList &launcherFiles = {});

enum class ExtractionOutcome {
    Extracted,          // extracted, and the file manager started
    ComponentMissing,   // the archiver cannot be loaded
    Failed,             // the file is not of the archive's format, or no regular file
    Incomplete,         // not every entry was extracted
    FileManagerFailed,  // extracted, but the file manager could not be started
    Cancelled,          // the question about taken names was cancelled: nothing extracted
};

class ArchiveExtractor : public QObject {
    Q_OBJECT
public:
    ArchiveExtractor(ArchiverService &archivers, MessageBoxService &messages,
                     ProgramLauncher &programs, QObject *parent = nullptr);
    // The program is ending: the archives waiting are dropped and the one
    // being extracted is stopped (the entry under way is removed); waits for
    // that. No message follows.
    ~ArchiveExtractor() override;

    // The program is ending: the archives waiting are dropped, the one being
    // extracted is told to stop, and nothing starts or is told any more (a
    // question about taken names closed now extracts nothing). Returns at
    // once.
    void stop();

    // The window that owns the message boxes (the clock window); may be null.
    void setOwner(QWidget *owner) { owner_ = owner; }

    // Starts extracting the archive at path, chosen by its extension, and
    // returns at once; archives asked for one after another are extracted
    // in that order. false, doing nothing, when the extension names no
    // archiver.
    bool ExtractArchive(const QString &path, const ExtractionSettings &settings);

    // Runs the event loop until every archive asked for has been extracted
    // and its messages shown. For tests.
    void waitForArchivers();

signals:
    // After the messages and the file manager, on the user-interface thread.
    void finished(const QString &path, ExtractionOutcome outcome);

private:
    struct Job {
        const ArchiverInfo *archiver;
        QString path;
        QString folder;  // the extraction folder
        QString target;  // the folder asked for (with FileFold, one named after the archive)
        QString fileManager;
        ExtractionRules rules;
    };
    void startNext();
    void askAboutTakenNames(Job job, const std::optional<QStringList> &taken);
    void extract(const Job &job);
    void cancel(const Job &job);
    void finish(const Job &job, const std::optional<ArchiverReport> &report);

    ArchiverService &archivers_;
    MessageBoxService &messages_;
    ProgramLauncher &programs_;
    QWidget *owner_ = nullptr;
    QThreadPool worker_;
    std::stop_source stop_;
    std::deque<Job> waiting_;
    bool busy_ = false;  // an archive is between its survey and its messages
    bool stopped_ = false;
};

// The drop handler's step for one dropped entry: when kind has the Archive
// bit (8), starts extracting path and returns 0; otherwise returns -1 and
// does nothing, and the entry goes to the launcher.
qint16 ExtractIfArchive(qint16 kind, const QString &path, ArchiveExtractor &extractor,
                        const ExtractionSettings &settings);
