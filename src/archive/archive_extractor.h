#pragma once
// Extraction of archives dropped on the clock. The archiver runs on a worker
// thread, so the clock keeps ticking; when it ends, the messages (boxes with
// an OK button that leave the clock running) and the file manager follow on
// the user-interface thread, in this order: a component
// that cannot be loaded is reported by itself; a file not of the archive's
// format gets the format message; an archive not extracted whole (a full
// disk, a damaged or encrypted entry, refused entries) gets a message that
// says why and names what was and was not extracted. Only when every entry
// was extracted does the file manager open the target folder, and a file
// manager that cannot be started is reported with its failure code.
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
};
ExtractionSettings ExtractionSettingsFrom(const Settings &settings, const QString &programFolder);

enum class ExtractionOutcome {
    Extracted,          // extracted, and the file manager started
    ComponentMissing,   // the archiver cannot be loaded
    Failed,             // the file is not of the archive's format
    Incomplete,         // not every entry was extracted
    FileManagerFailed,  // extracted, but the file manager could not be started
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

    // The window that owns the message boxes (the clock window); may be null.
    void setOwner(QWidget *owner) { owner_ = owner; }

    // Starts extracting the archive at path, chosen by its extension, and
    // returns at once; archives asked for one after another are extracted
    // in that order. false, doing nothing, when the extension names no
    // archiver.
    bool ExtractArchive(const QString &path, const ExtractionSettings &settings);

    // Blocks until every archive asked for has been extracted; the messages
    // and the file manager follow from the event loop. For the end of the
    // program and for tests.
    void waitForArchivers();

signals:
    // After the messages and the file manager, on the user-interface thread.
    void finished(const QString &path, ExtractionOutcome outcome);

private:
    void finish(const ArchiverInfo &archiver, const QString &path, const QString &target,
                const QString &fileManager, const std::optional<ArchiverReport> &report);

    ArchiverService &archivers_;
    MessageBoxService &messages_;
    ProgramLauncher &programs_;
    QWidget *owner_ = nullptr;
    QThreadPool worker_;
    std::stop_source stop_;
};

// The drop handler's step for one dropped entry: when kind has the Archive
// bit (8), starts extracting path and returns 0; otherwise returns -1 and
// does nothing, and the entry goes to the launcher.
qint16 ExtractIfArchive(qint16 kind, const QString &path, ArchiveExtractor &extractor,
                        const ExtractionSettings &settings);
