#include "archive/archive_command.h"


#include "settings/profile.h"

namespace {

const ArchiverInfo kArchivers[] = {
    {"LZH", "unlha32", "x", "UNLHA32.DLL", "UNLHA32",
     QStringLiteral("指定された書庫ファイルは、LHA形式ではありません")},
    {"ZIP", "unzip32", "-xs", "UNZIP32.DLL", "UNZIP32j",
     QStringLiteral("指定された書庫ファイルは、ZIP形式ではありません")},
    {"ARJ", "unarj32j", "x", "UNARJ32.DLL", "UNARJ32",
     QStringLiteral("指定された書庫ファイルは、ARJ形式ではありません")},
};

QString FullFolder(const QString &folder, const QString &programFolder)
{
    if (folder.isEmpty())
        return programFolder;
    return ResolveUserPath(folder, programFolder);
}

} // namespace

const ArchiverInfo *ArchiverFor(const QString &extension)
{
    const QString upper = extension.toUpper();
    for (const ArchiverInfo &archiver : kArchivers) {
        if (upper == archiver.extension)
            return &archiver;
    }
    return nullptr;
}

QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder)
{
    QString target = AddTrailingSeparator(FullFolder(decompFolder, programFolder));
    if (fileFold)
        target += baseName + u'/';
    return target;
}

QStringList ArchiverCommandLine(const ArchiverInfo &archiver, const QString &archive,
                                const QString &target)
{
    return {archiver.verb, archive, target};
}

QString MissingArchiverText(const ArchiverInfo &archiver)
{
    return QStringLiteral("ファイル") + archiver.missingName
           + QStringLiteral("が見つかりません。\n解凍作業はおこなえません。");
}

QString FormatFailureText(const ArchiverInfo &archiver, const QString &archive)
{
    return archiver.formatMessage + u'\n' + archive;
}

