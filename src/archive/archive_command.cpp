#include "archive/archive_command.h"


#include "settings/profile.h"

namespace {

// Names listed in a message; the rest are counted.
constexpr int kNamesShown = 10;

QString Megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1 << 20), 'f', 1) + QStringLiteral(" MB");
}

// What went wrong, first in the message.
QString FailureHeadline(const ArchiverReport &report)
{
    const bool beforeWriting = report.neededBytes >= 0;
    switch (report.result) {
    case kArchiverDiskFull:
        if (beforeWriting)
            return QStringLiteral("解凍先のディスクの空き容量が足りないため、解凍しませんでした。\n"
                                  "必要な容量: %1　空き容量: %2")
                .arg(Megabytes(report.neededBytes), Megabytes(report.freeBytes));
        return QStringLiteral("解凍先のディスクがいっぱいになったため、解凍を中止しました。");
    case kArchiverTooLarge:
        return beforeWriting
                   ? QStringLiteral("展開すると元の1000倍を超える大きさになる異常な書庫のため、解凍しませんでした。")
                   : QStringLiteral("展開すると元の1000倍を超える大きさになる異常な書庫のため、解凍を中止しました。");
    case kArchiverDamaged:
        return QStringLiteral("書庫ファイルが壊れているため、解凍できないファイルがありました。");
    case kArchiverEncrypted:
        return QStringLiteral("パスワードで暗号化されたファイルは解凍できません。");
    case kArchiverRefused:
        return QStringLiteral("解凍先フォルダの外を指す名前、リンク、デバイス、重複した名前のファイルは、"
                              "安全のため解凍しませんでした。");
    case kArchiverCancelled:
        return QStringLiteral("解凍を中止しました。");
    default:
        return QStringLiteral("解凍先フォルダにファイルを書き込めませんでした。");
    }
}

// Why one entry was not extracted, in a word.
QString EntryReason(int result)
{
    switch (result) {
    case kArchiverDiskFull: return QStringLiteral("空き容量不足");
    case kArchiverTooLarge: return QStringLiteral("異常な大きさ");
    case kArchiverDamaged: return QStringLiteral("破損");
    case kArchiverEncrypted: return QStringLiteral("暗号化");
    case kArchiverRefused: return QStringLiteral("安全でない名前または種類");
    case kArchiverNotReached: return QStringLiteral("未処理");
    case kArchiverCancelled: return QStringLiteral("中止");
    default: return QStringLiteral("書き込み失敗");
    }
}

// "a、b、c" with at most kNamesShown names, then how many more.
QString NameList(const QStringList &names)
{
    if (names.isEmpty())
        return QStringLiteral("なし");
    QString list = names.mid(0, kNamesShown).join(u'、');
    if (names.size() > kNamesShown)
        list += QStringLiteral("（ほか%1個）").arg(names.size() - kNamesShown);
    return list;
}

QString FullFolder(const QString &folder, const QString &programFolder)
{
    if (folder.isEmpty())
        return programFolder;
    return ResolveUserPath(folder, programFolder);
}

} // namespace

const ArchiverInfo *ArchiverFor(const QString &extension)
{
    return ArchiveFormatForExtension(extension);
}

QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder)
{
    QString target = AddTrailingSeparator(FullFolder(decompFolder, programFolder));
    if (fileFold)
        target += SafeFolderName(baseName) + u'/';
    return target;
}

QStringList ArchiverCommandLine(const ArchiverInfo &archiver, const QString &archive,
                                const QString &target)
{
    return {archiver.verb, archive, target};
}

QString SafeFolderName(const QString &baseName)
{
    QString name = baseName;
    name.replace(u'/', u'_');
    if (name.isEmpty() || name == u"." || name == u"..")
        name.prepend(u'_');
    return name;
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

QString ExtractionFailureText(const ArchiverReport &report, const QString &archive, const QString &target)
{
    QStringList notExtracted;
    for (const ArchiverReport::Entry &entry : report.notExtracted)
        notExtracted << entry.name + QStringLiteral("（") + EntryReason(entry.result) + QStringLiteral("）");
    QString text = FailureHeadline(report) + QStringLiteral("\n\n書庫: ") + archive
                   + QStringLiteral("\n解凍先: ") + target
                   + QStringLiteral("\n解凍したファイル: ") + NameList(report.extracted);
    if (!notExtracted.isEmpty())
        text += QStringLiteral("\n解凍しなかったファイル: ") + NameList(notExtracted);
    if (report.restUnread)
        text += QStringLiteral("\n書庫のそれより後の部分は読めなかったため、解凍していません。");
    return text;
}

