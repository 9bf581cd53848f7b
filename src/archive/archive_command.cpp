#include "archive/archive_command.h"

#include <QDir>
#include <QStandardPaths>

#include "launcher/shortcut_readers.h"
#include "platform/program_folder.h"
#include "platform/user_folders.h"
#include "settings/profile.h"
#include "settings/settings.h"

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
    case kArchiverUnsupported:
        return QStringLiteral("対応していない圧縮方式のファイルは解凍できません。");
    case kArchiverEncrypted:
        return QStringLiteral("パスワードで暗号化されたファイルは解凍できません。");
    case kArchiverRefused:
        return QStringLiteral("解凍先フォルダの外を指す名前、リンク、デバイス、重複した名前のファイルは、"
                              "安全のため解凍しませんでした。");
    case kArchiverCancelled:
        return QStringLiteral("解凍を中止しました。");
    case kArchiverTimedOut:
        return QStringLiteral("解凍プログラムが制限時間内に終わらなかったため、解凍を中止しました。");
    case kArchiverNotAFile:
        return QStringLiteral("書庫が通常のファイルではないため、解凍しませんでした。");
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
    case kArchiverUnsupported: return QStringLiteral("未対応の圧縮方式");
    case kArchiverEncrypted: return QStringLiteral("暗号化");
    case kArchiverRefused: return QStringLiteral("安全でない名前または種類");
    case kArchiverNotReached: return QStringLiteral("未処理");
    case kArchiverCancelled: return QStringLiteral("中止");
    case kArchiverTimedOut: return QStringLiteral("時間切れ");
    case kArchiverSkipped: return QStringLiteral("同じ名前のファイルを残しました");
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

// The program a file manager command starts, as a path: a bare name is
// looked up on the search path.
QString ProgramOf(const QString &command, const QString &programFolder)
{
    const QStringList words = SplitCommandText(command);
    if (words.isEmpty())
        return {};
    if (words.first().contains(u'/'))
        return ResolveUserPath(words.first(), programFolder);
    return QStandardPaths::findExecutable(words.first());
}

QString FileOf(const QString &file, const QString &programFolder)
{
    return file.isEmpty() ? QString() : ResolveUserPath(file, programFolder);
}

} // namespace

QString DefaultExtractionFolder()
{
    return DefaultDecompFolder();
}

ProtectedPlaces ClockPlaces(const Settings &settings, const QString &programFolder,
                            const QStringList &codeFolders, const QStringList &launcherFiles)
{
    ProtectedPlaces places;
    // The desktop runs what lies in these at the next login; they lie in
    // the desktop's settings folder, named apart should that folder be
    // named as the home folder itself.
    const QString config = BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    places.folders << programFolder << ExecutableFolder() << codeFolders
                   << config + QStringLiteral("/autostart") << config + QStringLiteral("/systemd/user");
    places.files << FileOf(settings.Image.File, programFolder) << FileOf(settings.Anime.File, programFolder)
                 << ProgramOf(settings.Setting.FileManger, programFolder);
    for (const AlarmEntry &alarm : settings.Alarm)
        places.files << FileOf(alarm.File, programFolder);
    places.files << launcherFiles;
    places.folders.removeAll(QString());
    places.files.removeAll(QString());
    places += DesktopPlaces();
    return places;
}

QString ExtractionFolder(const QString &decompFolder, const QString &programFolder,
                         const ProtectedPlaces &places)
{
    ProtectedPlaces clock = places;
    clock.folders << programFolder;
    clock += DesktopPlaces();
    clock = clock.resolved();
    if (!decompFolder.trimmed().isEmpty()) {
        const QString folder = ResolveUserPath(decompFolder, programFolder);
        if (!clock.coversFolder(folder))
            return AddTrailingSeparator(folder);
    }
    // The download folder stands in; one the desktop's list puts among the
    // settings folders (or a link leads there) is no download folder, and
    // ~/Downloads, made when missing, is the one no desktop reads from.
    for (const QString &folder : {DefaultExtractionFolder(), QDir::homePath() + QStringLiteral("/Downloads/")}) {
        if (!clock.coversFolder(folder))
            return AddTrailingSeparator(folder);
    }
    return {};
}

const ArchiverInfo *ArchiverFor(const QString &extension)
{
    return ArchiveFormatForExtension(extension);
}

QString ExtractionTarget(const QString &decompFolder, bool fileFold, const QString &baseName,
                         const QString &programFolder, const ProtectedPlaces &places)
{
    QString target = ExtractionFolder(decompFolder, programFolder, places);
    if (fileFold && !target.isEmpty())
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
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(u'_');
    return name;
}

QString MissingArchiverText(const ArchiverInfo &archiver)
{
    return QStringLiteral("ファイル") + archiver.missingName
           + QStringLiteral("が見つかりません。\n解凍作業はおこなえません。\n") + archiver.installHint;
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
                   + QStringLiteral("\n解凍先: ") + (report.target.isEmpty() ? target : report.target)
                   + QStringLiteral("\n解凍したファイル: ") + NameList(report.extracted);
    if (!notExtracted.isEmpty())
        text += QStringLiteral("\n解凍しなかったファイル: ") + NameList(notExtracted);
    if (report.restUnread)
        text += QStringLiteral("\n書庫のそれより後の部分は読めなかったため、解凍していません。");
    text += ExistingNamesLines(report);
    if (report.removedTarget)
        text += QStringLiteral("\n解凍のために作ったフォルダは削除しました。");
    return text;
}

QString ExistingNamesLines(const ArchiverReport &report)
{
    QStringList renamed, skipped;
    for (const auto &[stored, written] : report.renamed)
        renamed << stored + QStringLiteral(" → ") + written;
    for (const ArchiverReport::Entry &entry : report.notExtracted) {
        if (entry.result == kArchiverSkipped)
            skipped << entry.name;
    }
    QString text;
    if (!renamed.isEmpty())
        text += QStringLiteral("\n別の名前で解凍したファイル: ") + NameList(renamed);
    if (!report.replaced.isEmpty())
        text += QStringLiteral("\n置き換えたファイル: ") + NameList(report.replaced);
    if (!skipped.isEmpty())
        text += QStringLiteral("\n解凍せず、元のファイルを残したファイル: ") + NameList(skipped);
    return text;
}

QString ExistingNamesText(const ArchiverReport &report, const QString &target)
{
    const QString lines = ExistingNamesLines(report);
    if (lines.isEmpty())
        return {};
    return QStringLiteral("解凍しました。\n\n解凍先: ") + (report.target.isEmpty() ? target : report.target) + lines;
}

QString NotAFileText(const QString &archive)
{
    return QStringLiteral("書庫が通常のファイルではない（パイプ、デバイスなど）ため、解凍しませんでした。\n") + archive;
}

QString NoExtractionFolderText(const QString &archive)
{
    return QStringLiteral("解凍先フォルダもダウンロードフォルダも、設定やプログラムが置かれるフォルダの中にあるため、"
                          "解凍しませんでした。\n解凍先フォルダに別のフォルダを指定してください。\n")
           + archive;
}

QString TakenNamesQuestion(const QStringList &taken, const QString &target)
{
    return QStringLiteral("解凍先に同じ名前のファイルがあります。\n\n解凍先: ") + target
           + QStringLiteral("\n同じ名前: ") + NameList(taken)
           + QStringLiteral("\n\nこの書庫の同じ名前のファイルをすべてどうしますか？\n"
                            "「両方残す」は新しいファイルを別の名前（例: 名前 (2).txt）で解凍します。\n"
                            "「キャンセル」（Esc）はこの書庫を解凍しません。");
}

QStringList ExistingNameButtons()
{
    return {QStringLiteral("置き換える"), QStringLiteral("両方残す"), QStringLiteral("スキップ"),
            QStringLiteral("キャンセル")};
}

std::optional<ExistingName> ExistingNameForButton(int button)
{
    switch (button) {
    case 0: return ExistingName::Replace;
    case 1: return ExistingName::KeepBoth;
    case 2: return ExistingName::Skip;
    default: return std::nullopt;
    }
}

QString CancelledText(const QString &archive, const QString &target)
{
    return QStringLiteral("解凍を取り消しました。解凍先のファイルはそのままです。\n\n書庫: ") + archive
           + QStringLiteral("\n解凍先: ") + target;
}

