#pragma once
// The launcher: up to 20 registered programs, documents, folders and
// shortcuts, kept in the "Lunch" section of Tockara.ini and offered in the
// "ランチャー" submenu as "1. title", "2. title", ….
#include <functional>
#include <utility>
#include <QList>
#include <QString>
#include <QStringList>

class MessageBoxService;
class QWidget;

// What an entry is; the numbers are stored in Tockara.ini.
struct EntryKind {
    enum : qint16 {
        Program = 0,     // exe, com, bat, sh, AppImage, or no extension
        Document = 1,    // any other extension
        Folder = 4,
        Archive = 8,     // the archive formats (lzh, arj, zip)
        Shortcut = 128,  // url, pif, lnk, desktop
    };
};

struct LauncherEntry {
    QString folder;      // a file's folder, ending with "/"; a folder entry's own path
    QString baseName;    // file name without folder and extension; empty for a folder
    QString extension;   // without the dot, case kept; empty when there is none
    QString title;       // shown in the menu
    qint16 kind = EntryKind::Program;
    QString workFolder;  // the folder the entry is started in

    bool operator==(const LauncherEntry &) const = default;
};

struct LauncherList {
    static constexpr int Limit = 20;

    QList<LauncherEntry> entries;   // entry number n is entries[n - 1]

    int LauncherCount() const { return int(entries.size()); }
};

// The stored value of an entry: its six fields, each followed by "`".
QString StoredEntryValue(const LauncherEntry &entry);
// An entry from its stored value. A kind that is missing or no number is
// taken from the extension (a folder when there is no name either).
LauncherEntry ParseEntryValue(const QString &value);
// "App01" … "App20".
QString EntryKey(int number);

// Reads the "Lunch" section: "Count" (missing, negative or no number: 0;
// above 20: 20) entries from App01 on; a missing key gives an empty entry.
void LoadLauncherList(LauncherList &list, const QString &settingsPath);
// Writes "Count" and App01 … App<Count>; keys above Count stay as they are.
// False when the file cannot be written.
bool SaveLauncherList(const LauncherList &list, const QString &settingsPath);

// The entry a path stands for. A directory is a Folder entry titled with its
// name; a file is classified by its extension; a shortcut is followed to
// its target (a chain of shortcuts too, stopping at one already visited),
// keeping the first shortcut's name as title and the shortcut's working
// folder. A target that is no local path (an address, a Windows path) leaves
// the entry a Shortcut for the shortcut file itself; so does a shortcut whose
// target takes arguments, which an entry cannot hold, and so does an
// untrusted shortcut (see PlanShortcut) unless its target is a folder.
LauncherEntry ClassifyPath(const QString &path);

// The kind an extension gives a file (compared without case).
qint16 KindForExtension(const QString &extension);

// The captions of the launcher's menu items: "1. title" ….
QStringList LauncherMenuCaptions(const LauncherList &list);

// The message of a full list: "登録できる件数は、２０ファイルまでです。" with OK
// and Cancel (the answer is not used).
void ShowLauncherFull(MessageBoxService &messages, QWidget *owner);

// Whether every field can be stored: none holds "`" (the field separator)
// or a line break.
bool CanStoreEntry(const LauncherEntry &entry);

// The launcher list of the running clock: loaded once, and every change
// saved at once and announced with the number of menu items the list had
// before, so the menu is rebuilt.
class LauncherStore {
public:
    // A write that fails is told through messages, once a run.
    LauncherStore(QString settingsPath, MessageBoxService &messages)
        : settingsPath_(std::move(settingsPath)), failures_(messages)
    {
    }

    // Reads the list from the "Lunch" section (start-up).
    void Load() { LoadLauncherList(list_, settingsPath_); }

    const LauncherList &list() const { return list_; }
    int LauncherCount() const { return list_.LauncherCount(); }
    // Entry number n (1-based); must exist.
    const LauncherEntry &entry(int number) const { return list_.entries.at(number - 1); }

    // Called after every change with the previous count; the menu rebuilds
    // its launcher items from it.
    std::function<void(int oldCount)> RebuildLauncherMenu;

    // Appends entry. When the list is full, shows the limit message (OK and
    // Cancel, the answer is not used) and returns ListFull; an entry that
    // cannot be stored is refused with a message of its own.
    enum class Added { Added, ListFull, Refused };
    Added AddLauncherEntry(const LauncherEntry &entry, MessageBoxService &messages, QWidget *owner);
    // Replaces entry number n; false, with a message, for an entry that
    // cannot be stored.
    bool ReplaceEntry(int number, const LauncherEntry &entry, MessageBoxService &messages, QWidget *owner);
    // Removes entry number n; those after it move up.
    void DeleteEntry(int number);

private:
    void changed(int oldCount);

    LauncherList list_;
    const QString settingsPath_;
    MessageBoxService &failures_;
    bool failureReported_ = false;
};
