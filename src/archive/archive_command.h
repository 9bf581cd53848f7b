#pragma once
// The archivers by archive extension, the folder an archive is extracted
// into, the command lines given to the archiver and to the file manager, and
// the texts of the messages that follow an extraction.
#include <optional>

#include <QString>
#include <QStringList>

#include "platform/archive_formats.h"
#include "platform/archivers.h"

using ArchiverInfo = ArchiveFormat;

// The archiver for an extension compared in upper case; null for any other.
const ArchiverInfo *ArchiverFor(const QString &extension);

struct Settings;

// The folder archives are extracted into when none is set: the user's
// download folder.
QString DefaultExtractionFolder();

// The places of this clock that no extraction may write: the program
// folder, the executable's folder, the folders of its code (codeFolders),
// the desktop's places (DesktopPlaces: its settings folders, the home
// folder's hidden folders), and the files the settings name (the face
// picture, the environment file, the alarm sounds, the file manager
// program) and the launcher's entries' files (launcherFiles).
ProtectedPlaces ClockPlaces(const Settings &settings, const QString &programFolder,
                            const QStringList &codeFolders, const QStringList &launcherFiles);

// The extraction folder really used, ending with "/": decompFolder, where a
// leading "~" is the home folder and a relative folder lies inside the
// program folder; the download folder when it is empty, or when it is a
// protected place or lies inside one (the program folder and the desktop's
// places always are), compared by identity. A download folder that is
// itself such a place gives way to ~/Downloads; empty when that one is too
// (no extraction then).
QString ExtractionFolder(const QString &decompFolder, const QString &programFolder,
                         const ProtectedPlaces &places);

// The folder an archive named baseName is extracted into, ending with "/":
// the extraction folder, with fileFold a folder named after baseName inside
// it (SafeFolderName; the extraction makes it new, so it may end up with a
// number after the name). Empty when there is no extraction folder.
QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder, const ProtectedPlaces &places = {});

// The command line of the archiver as its parts: the verb, the archive and
// the target folder. The parts stay apart, so blanks and quotes in a name
// cannot break it.
QStringList ArchiverCommandLine(const ArchiverInfo &archiver, const QString &archive,
                                const QString &target);

// baseName as the name of one folder inside the extraction folder: a name
// that would be hidden, no folder or climb out of it (".ssh", "", ".", "..",
// the base name of "...zip") gets a leading "_", and a "/" becomes "_".
QString SafeFolderName(const QString &baseName);

// "ファイル" + the component's name + "が見つかりません。", a line break,
// "解凍作業はおこなえません。", a line break and what to install.
QString MissingArchiverText(const ArchiverInfo &archiver);
// The format message, a line break, the archive.
QString FormatFailureText(const ArchiverInfo &archiver, const QString &archive);
// The message after an extraction that did not extract every entry: what went
// wrong, the archive and the target, the entries extracted and those not,
// each with why.
QString ExtractionFailureText(const ArchiverReport &report, const QString &archive, const QString &target);
// The message after a whole extraction that wrote some entries under
// another name, replaced files or skipped them; empty when none did.
QString ExistingNamesText(const ArchiverReport &report, const QString &target);
// The lines that name the entries renamed, replaced and skipped (each line
// begins with a line break); empty when there were none.
QString ExistingNamesLines(const ArchiverReport &report);
// The message for a dropped archive that is no regular file (a pipe, a
// device, a socket).
QString NotAFileText(const QString &archive);
// The message for a dropped archive when neither the extraction folder nor
// the download folders are places an archive may be extracted into.
QString NoExtractionFolderText(const QString &archive);
// The question asked before extracting an archive whose files have names
// taken in target, with its buttons in ExistingNameButtons' order: replace,
// keep both, skip, cancel. Escape and the window's close button cancel.
QString TakenNamesQuestion(const QStringList &taken, const QString &target);
QStringList ExistingNameButtons();
constexpr int kCancelExtractionButton = 3;
// The answer of a button of ExistingNameButtons; nothing for cancel (and any
// other): the archive is not extracted.
std::optional<ExistingName> ExistingNameForButton(int button);
// The message after the question was cancelled: nothing was extracted.
QString CancelledText(const QString &archive, const QString &target);

