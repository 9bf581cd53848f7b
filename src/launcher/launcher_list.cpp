#include "launcher/launcher_list.h"

#include <limits>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "launcher/cls_short.h"
#include "platform/archive_formats.h"
#include "platform/message_box.h"
#include "settings/profile.h"
#include "settings/settings_store.h"

namespace {

const QString kSection = QStringLiteral("Lunch");
const QString kSeparator = QStringLiteral("`");
const QString kTitle = QStringLiteral("Tockara");

} // namespace

QString EntryKey(int number)
{
    return QStringLiteral("App%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString StoredEntryValue(const LauncherEntry &entry)
{
    const QString fields[] = {entry.folder, entry.baseName, entry.extension, entry.title,
                              QString::number(entry.kind), entry.workFolder};
    QString value;
    for (const QString &field : fields)
        value += field + kSeparator;
    return value;
}

qint16 KindForExtension(const QString &extension)
{
    static const QHash<QString, qint16> kinds = {
        {"EXE", EntryKind::Program},  {"COM", EntryKind::Program},  {"BAT", EntryKind::Program},
        // The forms programs take on Linux.
        {"SH", EntryKind::Program},   {"APPIMAGE", EntryKind::Program},
        {"URL", EntryKind::Shortcut}, {"PIF", EntryKind::Shortcut}, {"LNK", EntryKind::Shortcut},
        {"DESKTOP", EntryKind::Shortcut},
    };
    if (ArchiveFormatForExtension(extension))
        return EntryKind::Archive;
    return kinds.value(extension.toUpper(), EntryKind::Document);
}

LauncherEntry ParseEntryValue(const QString &value)
{
    LauncherEntry entry;
    entry.folder = GetField(value, 1, kSeparator);
    entry.baseName = GetField(value, 2, kSeparator);
    entry.extension = GetField(value, 3, kSeparator);
    entry.title = GetField(value, 4, kSeparator);
    entry.workFolder = GetField(value, 6, kSeparator);
    constexpr qint32 unset = std::numeric_limits<qint32>::min();
    const qint32 kind = ParseInt32(GetField(value, 5, kSeparator), unset);
    if (kind >= std::numeric_limits<qint16>::min() && kind <= std::numeric_limits<qint16>::max())
        entry.kind = qint16(kind);
    else if (entry.baseName.isEmpty() && entry.extension.isEmpty())
        entry.kind = EntryKind::Folder;
    else
        entry.kind = entry.extension.isEmpty() ? qint16(EntryKind::Program) : KindForExtension(entry.extension);
    return entry;
}

void LoadLauncherList(LauncherList &list, const QString &settingsPath)
{
    const qint32 count = ParseInt32(ReadIniValue(kSection, QStringLiteral("Count"), "0", settingsPath), 0);
    list.entries.clear();
    for (int i = 1; i <= qBound(0, count, LauncherList::Limit); ++i)
        list.entries.append(ParseEntryValue(ReadIniValue(kSection, EntryKey(i), QString(), settingsPath)));
}

bool SaveLauncherList(const LauncherList &list, const QString &settingsPath)
{
    ProfileBatch batch(settingsPath);
    batch.write(kSection, QStringLiteral("Count"), QString::number(list.LauncherCount()));
    for (int i = 1; i <= list.LauncherCount(); ++i)
        batch.write(kSection, EntryKey(i), QuoteIniValue(StoredEntryValue(list.entries[i - 1])));
    return batch.commit();
}

LauncherEntry ClassifyPath(const QString &path)
{
    LauncherEntry entry;
    QString p = path;
    bool followed = false;
    QSet<QString> visited;
    for (;;) {
        // After a shortcut: only a local path is followed further; an address
        // or a Windows path leaves the entry a Shortcut.
        if (followed && !p.startsWith(u'/'))
            break;
        const qsizetype slash = p.lastIndexOf(u'/');
        if (slash < 0)
            break;
        entry.folder = p.left(slash + 1);
        if (QFileInfo(p).isDir()) {
            entry.folder = p;
            entry.workFolder = p;
            entry.title = p.mid(slash + 1);
            entry.baseName.clear();
            entry.extension.clear();
            entry.kind = EntryKind::Folder;
            return entry;
        }
        const QString name = p.mid(slash + 1);
        const qsizetype dot = name.lastIndexOf(u'.');
        entry.baseName = dot < 0 ? name : name.left(dot);
        entry.extension = dot < 0 ? QString() : name.mid(dot + 1);
        entry.kind = dot < 0 ? qint16(EntryKind::Program) : KindForExtension(entry.extension);
        if (!followed) {
            entry.title = entry.baseName;
            entry.workFolder = entry.folder;
        }
        if (entry.kind != EntryKind::Shortcut)
            break;

        const QString key = QDir::cleanPath(p);
        if (visited.contains(key) || visited.size() >= MostShortcutHops)
            break;
        visited.insert(key);
        clsShort link;
        const bool loaded = link.Load(p, true);
        // An entry has no place for arguments: such a shortcut stays itself.
        if (loaded && !link.Arguments().isEmpty())
            break;
        // An untrusted shortcut must not become an entry that runs its
        // target without the trust rule: it stays itself, checked each time
        // it is chosen, unless it leads to a folder.
        if (loaded && !link.Trusted() && !(QDir::isAbsolutePath(link.Path()) && QFileInfo(link.Path()).isDir()))
            break;
        p = loaded ? link.Path() : QString();
        // A shortcut without a usable working folder (none, or a Windows
        // one) runs its target in the target's folder.
        const QString workingDirectory = link.WorkingDirectory();
        entry.workFolder = workingDirectory.startsWith(u'/') ? workingDirectory : QString();
        followed = true;
    }
    if (followed && entry.workFolder.isEmpty())
        entry.workFolder = entry.folder;
    return entry;
}

QStringList LauncherMenuCaptions(const LauncherList &list)
{
    QStringList captions;
    for (int i = 1; i <= list.LauncherCount(); ++i)
        captions << QString::number(i) + QStringLiteral(". ") + list.entries[i - 1].title;
    return captions;
}

bool CanStoreEntry(const LauncherEntry &entry)
{
    for (const QString *field : {&entry.folder, &entry.baseName, &entry.extension, &entry.title,
                                 &entry.workFolder}) {
        if (field->contains(kSeparator) || field->contains(u'\n') || field->contains(u'\r'))
            return false;
    }
    return true;
}

void ShowLauncherFull(MessageBoxService &messages, QWidget *owner)
{
    messages.show(owner, QStringLiteral("登録できる件数は、２０ファイルまでです。"), kTitle,
                  MessageButtons::OkCancel, MessageIcon::None);
}

namespace {

MessageAnswer ShowRefusal(MessageBoxService &messages, QWidget *owner)
{
    return messages.show(owner, QStringLiteral("「`」や改行を含む名前は、登録できません。"), kTitle,
                         MessageButtons::Ok, MessageIcon::None);
}

} // namespace

LauncherStore::Added LauncherStore::AddLauncherEntry(const LauncherEntry &entry,
                                                     MessageBoxService &messages, QWidget *owner)
{
    if (list_.LauncherCount() >= LauncherList::Limit) {
        ShowLauncherFull(messages, owner);
        return Added::ListFull;
    }
    if (!CanStoreEntry(entry)) {
        ShowRefusal(messages, owner);
        return Added::Refused;
    }
    const int oldCount = list_.LauncherCount();
    list_.entries.append(entry);
    changed(oldCount);
    return Added::Added;
}

bool LauncherStore::ReplaceEntry(int number, const LauncherEntry &entry, MessageBoxService &messages,
                                 QWidget *owner)
{
    if (!CanStoreEntry(entry)) {
        ShowRefusal(messages, owner);
        return false;
    }
    list_.entries[number - 1] = entry;
    changed(list_.LauncherCount());
    return true;
}

void LauncherStore::DeleteEntry(int number)
{
    const int oldCount = list_.LauncherCount();
    list_.entries.removeAt(number - 1);
    changed(oldCount);
}

void LauncherStore::changed(int oldCount)
{
    if (RebuildLauncherMenu)
        RebuildLauncherMenu(oldCount);
    if (SaveLauncherList(list_, settingsPath_) || failureReported_)
        return;
    failureReported_ = true;
    ShowWriteFailure(failures_, nullptr, QStringLiteral("ランチャーの登録を保存できませんでした。"),
                     settingsPath_, QStringLiteral("変更はこの時計を閉じるまで有効です。"));
}
