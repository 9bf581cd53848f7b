#pragma once
// The archivers by archive extension, the folder an archive is extracted
// into, the command lines given to the archiver and to the file manager, and
// the texts of the messages that follow an extraction.
#include <QString>
#include <QStringList>

struct ArchiverInfo {
    QString extension;      // "LZH", "ZIP", "ARJ"
    QString library;        // the component's name: "unlha32", "unzip32", "unarj32j"
    QString verb;           // "x" (extract with folders), "-xs" for ZIP
    QString missingName;    // named when the component cannot be loaded
    QString formatTitle;    // title of the box for an archive it cannot extract
    QString formatMessage;  // text of that box
};

// The archiver for an extension compared in upper case; null for any other.
const ArchiverInfo *ArchiverFor(const QString &extension);

// The folder an archive named baseName is extracted into, ending with "/":
// decompFolder, or the program folder when it is empty; a relative folder is
// taken inside the program folder and a leading "~" is the home folder. With
// fileFold, a folder named baseName inside it.
QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder);

// The command line of the archiver as its parts: the verb, the archive and
// the target folder. The parts stay apart, so blanks and quotes in a name
// cannot break it.
QStringList ArchiverCommandLine(const ArchiverInfo &archiver, const QString &archive,
                                const QString &target);

// "ファイル" + the component's name + "が見つかりません。", a line break,
// "解凍作業はおこなえません。"
QString MissingArchiverText(const ArchiverInfo &archiver);
// The format message, a line break, the archive.
QString FormatFailureText(const ArchiverInfo &archiver, const QString &archive);

