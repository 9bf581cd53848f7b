#include "archive/archive_extractor.h"

#include <QDir>
#include <QFileInfo>

#include "launcher/launch.h"
#include "launcher/launcher_list.h"
#include "platform/archivers.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "settings/settings.h"

namespace {

const QString kTitle = QStringLiteral("Tockara");

} // namespace

ExtractionSettings ExtractionSettingsFrom(const Settings &settings, const QString &programFolder)
{
    return {settings.ARC.DecompFolder, settings.ARC.FileFold != 0, settings.Setting.FileManger,
            programFolder};
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
    worker_.clear();
    stop_.request_stop();
    worker_.waitForDone();
}

bool ArchiveExtractor::ExtractArchive(const QString &path, const ExtractionSettings &settings)
{
    const QFileInfo file(path);
    const ArchiverInfo *archiver = ArchiverFor(file.suffix());
    if (!archiver)
        return false;
    const QString target = ExtractionTarget(settings.DecompFolder, settings.FileFold,
                                            file.completeBaseName(), settings.programFolder);
    const QStringList commandLine = ArchiverCommandLine(*archiver, path, target);
    const QString fileManager = settings.FileManger;
    worker_.start([this, archiver, path, target, commandLine, fileManager, stop = stop_.get_token()] {
        const std::optional<ArchiverReport> report = archivers_.run(archiver->library, commandLine, stop);
        QMetaObject::invokeMethod(
            this, [=, this] { finish(*archiver, path, target, fileManager, report); },
            Qt::QueuedConnection);
    });
    return true;
}

void ArchiveExtractor::waitForArchivers()
{
    worker_.waitForDone();
}

void ArchiveExtractor::finish(const ArchiverInfo &archiver, const QString &path,
                              const QString &target, const QString &fileManager,
                              const std::optional<ArchiverReport> &report)
{
    ExtractionOutcome outcome = ExtractionOutcome::Extracted;
    if (!report) {
        messages_.notify(owner_, MissingArchiverText(archiver), kTitle, MessageIcon::None);
        outcome = ExtractionOutcome::ComponentMissing;
    } else if (report->result == kArchiverUnreadable) {
        messages_.notify(owner_, FormatFailureText(archiver, path), archiver.formatTitle,
                         MessageIcon::Critical);
        outcome = ExtractionOutcome::Failed;
    } else if (report->result != kArchiverOk) {
        messages_.notify(owner_, ExtractionFailureText(*report, path, target), kTitle,
                         MessageIcon::Warning);
        outcome = ExtractionOutcome::Incomplete;
    } else {
        if (const int code = StartFileManager(fileManager, target, programs_)) {
            messages_.notify(owner_, FileManagerFailureText(code), kTitle, MessageIcon::None);
            outcome = ExtractionOutcome::FileManagerFailed;
        }
    }
    emit finished(path, outcome);
}

qint16 ExtractIfArchive(qint16 kind, const QString &path, ArchiveExtractor &extractor,
                        const ExtractionSettings &settings)
{
    if (!(kind & EntryKind::Archive))
        return -1;
    extractor.ExtractArchive(path, settings);
    return 0;
}
