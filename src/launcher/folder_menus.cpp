#include "launcher/folder_menus.h"

#include <algorithm>
#include <QFileInfo>

#include "launcher/cls_short.h"
#include "launcher/shortcut_readers.h"
#include "platform/desktop_entry.h"
#include "platform/program_search.h"

const QList<FolderMenuSpec> &FolderMenus()
{
    static const QList<FolderMenuSpec> menus = {
        {"barRecent", 82, SpecialFolder::Recent, false, false},
        {"barDesktop", 81, SpecialFolder::Desktop, true, false},
        {"barDocument", 83, SpecialFolder::Documents, true, true},
    };
    return menus;
}

QString MenuTextForFile(const QString &name)
{
    if (ShortcutTypeOf(name) == clsShort::NoLink)
        return name;
    return name.left(name.lastIndexOf(u'.'));
}

bool NaturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            // Whole digit runs, compared by value: fewer significant digits
            // is smaller, then digit by digit.
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            qsizetype si = i, sj = j;
            while (si + 1 < ei && a[si].digitValue() == 0)
                ++si;
            while (sj + 1 < ej && b[sj].digitValue() == 0)
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj;
            for (; si < ei; ++si, ++sj) {
                if (a[si].digitValue() != b[sj].digitValue())
                    return a[si].digitValue() < b[sj].digitValue();
            }
            i = ei;
            j = ej;
            continue;
        }
        const QChar x = a[i].toCaseFolded(), y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    // Equal but for case or leading zeros: a fixed order all the same.
    if (const int byText = QString::compare(a, b, Qt::CaseInsensitive))
        return byText < 0;
    return a < b;
}

namespace {

// Whether a desktop would list the file: a launcher only when its keys say
// so; any other file (and a launcher that cannot be read) is listed.
bool ListedByDesktops(const QString &path)
{
    if (ShortcutTypeOf(path) != clsShort::DesktopLauncher)
        return true;
    const DesktopEntry entry = ReadDesktopEntryFile(path, ShortcutFileLimit);
    // TryExec only says whether the program is installed; nothing is run.
    return !entry.valid || DesktopEntryListed(entry, ProgramSearch());
}

} // namespace

const QString kOpenFolderCaption = QStringLiteral("フォルダを開く…");

QList<FolderMenuItem> FolderMenuItems(const FolderMenuSpec &menu, DesktopFolders &folders)
{
    QList<FolderMenuItem> items;
    if (menu.folder == SpecialFolder::Recent) {
        for (const QString &path : folders.recentFiles()) {
            if (ListedByDesktops(path))
                items.append({MenuTextForFile(path.section(u'/', -1)), path});
        }
        return items;
    }
    const QString folder = folders.specialFolderPath(menu.folder);
    if (folder.isEmpty())
        return items;
    QStringList names = folders.listFolder(folder, menu.listsFolders);
    std::sort(names.begin(), names.end(), NaturalLess);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    items.reserve(names.size());
    for (const QString &name : names) {
        if (!name.startsWith(u'.') && ListedByDesktops(prefix + name))
            items.append({MenuTextForFile(name), prefix + name});
    }
    return items;
}

QList<FolderMenuItem> FitFolderMenu(QList<FolderMenuItem> items, int fit, const QString &folder)
{
    fit = std::max(fit, 1);
    if (items.size() <= fit)
        return items;
    if (folder.isEmpty()) {
        items.resize(fit);
        return items;
    }
    items.resize(fit - 1);
    items.append({kOpenFolderCaption, folder, true});
    return items;
}

QString MenuActionText(const QString &caption)
{
    QString text = caption;
    return text.replace(u'&', QStringLiteral("&&")).replace(u'\t', u' ');
}

namespace {

// Whether the menu lists a folder that is not there (a desktop without a
// documents folder): the recently used files have no folder to miss.
bool ListedFolderMissing(const FolderMenuSpec &menu, DesktopFolders &folders)
{
    if (menu.folder == SpecialFolder::Recent)
        return false;
    const QString folder = folders.specialFolderPath(menu.folder);
    return folder.isEmpty() || !QFileInfo(folder).isDir();
}

} // namespace

const QString kNoFolderCaption = QStringLiteral("(フォルダがありません)");

QString EmptyItemTarget(const FolderMenuSpec &menu, DesktopFolders &folders)
{
    if (!menu.emptyItemEnabled || ListedFolderMissing(menu, folders))
        return {};
    return folders.specialFolderPath(menu.folder);
}

QString EmptyItemCaption(const FolderMenuSpec &menu, DesktopFolders &folders)
{
    return ListedFolderMissing(menu, folders) ? kNoFolderCaption : QStringLiteral("(空)");
}

FolderMenuState::Refill FolderMenuState::refill(const QList<FolderMenuItem> &items)
{
    Refill r;
    const int n = int(items.size());
    r.firstNew = loaded_ + 1;
    r.lastNew = n;
    loaded_ = std::max(loaded_, n);
    r.items = items;
    r.firstHidden = n + 1;
    r.lastHidden = loaded_;
    r.emptyVisible = n == 0;
    return r;
}

QString DriveTypeWord(DriveType type)
{
    switch (type) {
    case DriveType::Removable: return QStringLiteral("REMOVABLE");
    case DriveType::Fixed: return QStringLiteral("FIXED");
    case DriveType::Remote: return QStringLiteral("REMOTE");
    case DriveType::CdRom: return QStringLiteral("CD-ROM");
    case DriveType::RamDisk: return QStringLiteral("RAMDISK");
    case DriveType::Unknown: break;
    }
    return QStringLiteral("*");
}

QString DriveMenuCaption(const MountedDrive &drive)
{
    return drive.mountPoint + u' ' + DriveTypeWord(drive.type);
}
