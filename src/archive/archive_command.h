#pragma once
// The archivers by archive extension, the folder an archive is extracted
// into, the command lines given to the archiver and to the file manager, and
// the texts of the messages that follow an extraction.
#include <QString>
#include <QStringList>

#include "platform/archive_formats.h"
#include "platform/archivers.h"

using ArchiverInfo = ArchiveFormat;

// The archiver for an extension compared in upper case; null for any other.
const ArchiverInfo *ArchiverFor(const QString &extension);

// The folder an archive named baseName is extracted into, ending with "/":
// decompFolder, or the program folder when it is empty; a relative folder is
// taken inside the program folder and a leading "~" is the home folder. With
// fileFold, a folder named after baseName inside it (SafeFolderName).
QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder);

// The command line of the archiver as its parts: the verb, the archive and
// the target folder. The parts stay apart, so blanks and quotes in a name
// cannot break it.
QStringList ArchiverCommandLine(const ArchiverInfo &archiver, const QString &archive,
                                const QString &target);

// baseName as the name of one folder inside the extraction folder: a name
// that would be no folder or climb out of it ("", ".", "..", the base name of
// "...zip") gets a leading "_", and a "/" becomes "_".
QString SafeFolderName(const QString &baseName);

// "ファイル" + the component's name + "が見つかりません。", a line break,
// "解凍作業はおこなえません。"
QString MissingArchiverText(const ArchiverInfo &archiver);
// The format message, a line break, the archive.
QString FormatFailureText(const ArchiverInfo &archiver, const QString &archive);
// The message after an extraction that did not extract every entry: what went
// wrong, the archive and the target, the entries extracted and those not,
// each with why.
QString ExtractionFailureText(const ArchiverReport &report, const QString &archive, const QString &target);

