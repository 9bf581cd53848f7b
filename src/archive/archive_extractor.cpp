#include "archive/archive_extractor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "launcher/launch.h"
#include "launcher/launcher_list.h"
#include "platform/archivers.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "settings/settings.h"

namespace {

const QString kTitle = QStringLiteral("Tockara");

} // namespace

ExtractionSettings ExtractionSettingsFrom(const Settings &settings, const QString &programFolder,
                                          const QStringList &codeFolders, const QStringList &launcherFiles)
{
    return {settings.ARC.DecompFolder, settings.ARC.FileFold != 0, settings.Setting.FileManger, programFolder,
            ClockPlaces(settings, programFolder, codeFolders, launcherFiles)};
}

ArchiveExtractor::ArchiveExtractor(ArchiverService &archivers, MessageBoxService &messages,
                                   ProgramLauncher &programs, QObject *parent)
    : QObject(parent), archivers_(archivers), messages_(messages), programs_(programs)
{
    // One worker: archives are extracted one at a time, in the order asked.
    worker_.setMaxThreadCount(1);
    worker_.setExpiryTimeout(-1);
}

ArchiveExtractor::~ArchiveExtractor()
{
    stop();
    worker_.waitForDone();
}

void ArchiveExtractor::stop()
{
    stopped_ = true;
    waiting_.clear();
    worker_.clear();
    stop_.request_stop();
}

bool ArchiveExtractor::ExtractArchive(const QString &path, const ExtractionSettings &settings)
{
    const QFileInfo file(path);
    const ArchiverInfo *archiver = ArchiverFor(file.suffix());
    if (!archiver)
        return false;
    // A pipe would block whoever opens it until something writes to it, and
    // a device is no archive: looked at without opening it.
    const auto refuse = [this, path](const QString &text) {
        QMetaObject::invokeMethod(
            this,
            [this, path, text] {
                messages_.notify(owner_, text, kTitle, MessageIcon::Warning);
                emit finished(path, ExtractionOutcome::Failed);
            },
            Qt::QueuedConnection);
        return true;
    };
    if (file.exists() && !file.isFile())
        return refuse(NotAFileText(path));
    ProtectedPlaces places = settings.protectedPlaces;
    places.folders << settings.programFolder;
    const QString folder = ExtractionFolder(settings.DecompFolder, settings.programFolder, places);
    if (folder.isEmpty())
        return refuse(NoExtractionFolderText(path));
    Job job{archiver, path, folder,
            ExtractionTarget(settings.DecompFolder, settings.FileFold, file.completeBaseName(),
                             settings.programFolder, places),
            settings.FileManger, ExtractionRules{places, ExistingName::KeepBoth, settings.FileFold}};
    waiting_.push_back(std::move(job));
    startNext();
    return true;
}

void ArchiveExtractor::startNext()
{
    if (stopped_ || busy_ || waiting_.empty())
        return;
    busy_ = true;
    Job job = std::move(waiting_.front());
    waiting_.pop_front();
    // A folder made new for the archive holds no name yet.
    if (job.rules.newFolder) {
        extract(job);
        return;
    }
    worker_.start([this, job] {
        const std::optional<QStringList> taken = archivers_.takenNames(job.archiver->library, job.path, job.folder);
        QMetaObject::invokeMethod(this, [this, job, taken] { askAboutTakenNames(job, taken); },
                                  Qt::QueuedConnection);
    });
}

void ArchiveExtractor::askAboutTakenNames(Job job, const std::optional<QStringList> &taken)
{
    if (!taken || taken->isEmpty()) {
        extract(job);
        return;
    }
    // The box answers later; the extractor may be gone by then.
    messages_.ask(owner_, TakenNamesQuestion(*taken, job.target), kTitle, ExistingNameButtons(),
                  kCancelExtractionButton, MessageIcon::Question,
                  [self = QPointer<ArchiveExtractor>(this), job](int button) mutable {
                      if (!self)
                          return;
                      const std::optional<ExistingName> existing = ExistingNameForButton(button);
                      if (!existing) {
                          self->cancel(job);
                          return;
                      }
                      job.rules.existing = *existing;
                      self->extract(job);
                  });
}

void ArchiveExtractor::cancel(const Job &job)
{
    messages_.notify(owner_, CancelledText(job.path, job.target), kTitle, MessageIcon::Information);
    busy_ = false;
    emit finished(job.path, ExtractionOutcome::Cancelled);
    startNext();
}

void ArchiveExtractor::extract(const Job &job)
{
    if (stopped_) {
        busy_ = false;
        return;
    }
    const QStringList commandLine = ArchiverCommandLine(*job.archiver, job.path, job.target);
    worker_.start([this, job, commandLine, stop = stop_.get_token()] {
        const std::optional<ArchiverReport> report =
            archivers_.run(job.archiver->library, commandLine, stop, job.rules);
        QMetaObject::invokeMethod(this, [this, job, report] { finish(job, report); }, Qt::QueuedConnection);
    });
}

void ArchiveExtractor::waitForArchivers()
{
    while (busy_ || !waiting_.empty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ArchiveExtractor::finish(const Job &job, const std::optional<ArchiverReport> &report)
{
    if (stopped_) {
        busy_ = false;
        return;
    }
    const ArchiverInfo &archiver = *job.archiver;
    const QString target = report && !report->target.isEmpty() ? report->target : job.target;
    ExtractionOutcome outcome = ExtractionOutcome::Extracted;
    if (!report) {
        messages_.notify(owner_, MissingArchiverText(archiver), kTitle, MessageIcon::None);
        outcome = ExtractionOutcome::ComponentMissing;
    } else if (report->result == kArchiverNotAFile) {
        messages_.notify(owner_, NotAFileText(job.path), kTitle, MessageIcon::Warning);
        outcome = ExtractionOutcome::Failed;
    } else if (report->result == kArchiverUnreadable) {
        messages_.notify(owner_, FormatFailureText(archiver, job.path), archiver.formatTitle,
                         MessageIcon::Critical);
        outcome = ExtractionOutcome::Failed;
    } else if (report->result != kArchiverOk) {
        messages_.notify(owner_, ExtractionFailureText(*report, job.path, target), kTitle,
                         MessageIcon::Warning);
        outcome = ExtractionOutcome::Incomplete;
    } else {
        if (const QString names = ExistingNamesText(*report, target); !names.isEmpty())
            messages_.notify(owner_, names, kTitle, MessageIcon::Information);
        if (const int code = StartFileManager(job.fileManager, target, programs_)) {
            messages_.notify(owner_, FileManagerFailureText(code), kTitle, MessageIcon::None);
            outcome = ExtractionOutcome::FileManagerFailed;
        }
    }
    busy_ = false;
    emit finished(job.path, outcome);
    startNext();
}

qint16 ExtractIfArchive(qint16 kind, const QString &path, ArchiveExtractor &extractor,
                        const ExtractionSettings &settings)
{
    if (!(kind & EntryKind::Archive))
        return -1;
    extractor.ExtractArchive(path, settings);
    return 0;
}
