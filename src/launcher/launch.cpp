#include "launcher/launch.h"

#include <QDir>
#include <QFileInfo>

#include "launcher/cls_short.h"
#include "launcher/shortcut_readers.h"
#include "platform/desktop_entry.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "settings/profile.h"

namespace {

const QString kTitle = QStringLiteral("Tockara");

void ShowCode(const LaunchServices &services, int code, const QString &text)
{
    services.messages.show(services.owner, QString::number(code) + text, kTitle, MessageButtons::Ok,
                           MessageIcon::None);
}

// The entry's own file when it is still where it was registered, else its
// name, which then counts from the work folder (and, for a program, the
// program search path). Registering a file with another work folder must not
// lose the file.
QString EntryTarget(const LauncherEntry &entry)
{
    const QString name = EntryFileName(entry);
    const QString registered = entry.folder + name;
    return QDir::isAbsolutePath(registered) && QFileInfo(registered).isFile() ? registered : name;
}

// file, counted from folder when it is relative.
QString AbsoluteIn(const QString &file, const QString &folder)
{
    return QDir::isAbsolutePath(file) ? file : folder + u'/' + file;
}

void ShowWarning(const LaunchServices &services, const QString &text)
{
    services.messages.show(services.owner, text, kTitle, MessageButtons::Ok, MessageIcon::Warning);
}

bool NotHere(int result)
{
    return result == ShellResult::FileNotFound || result == ShellResult::PathNotFound;
}

// Opens the target of a loaded shortcut, with its arguments, in its working
// folder or else in workFolder. False when there is no target or it is not on
// this system (a Windows path): the caller then opens the shortcut file.
bool OpenLinkTarget(const clsShort &link, const QString &workFolder, ProgramLauncher &programs,
                    int *result)
{
    if (link.Path().isEmpty())
        return false;
    const QString own = link.WorkingDirectory();
    *result = programs.shellOpen(link.Path(), link.Arguments(), own.startsWith(u'/') ? own : workFolder);
    return !NotHere(*result);
}

} // namespace

QString EntryFileName(const LauncherEntry &entry)
{
    return entry.extension.isEmpty() ? entry.baseName : entry.baseName + u'.' + entry.extension;
}

int PathLookupError(const QString &path)
{
    if (path.isEmpty())
        return 53;
    if (!QDir::isAbsolutePath(path))
        return 76;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return 0;
    return QFileInfo(info.path()).isDir() ? 53 : 76;
}

void LaunchEntry(const LauncherEntry &entry, const QString &fileManager, const LaunchServices &services)
{
    if (const int code = PathLookupError(entry.workFolder)) {
        ShowCode(services, code, QStringLiteral(":作業フォルダが見つかりません。"));
        return;
    }
    if (!QFileInfo(entry.workFolder).isDir()) {
        services.messages.show(services.owner, QStringLiteral("作業フォルダにが正しく設定されていません。"),
                               kTitle, MessageButtons::Ok, MessageIcon::None);
        return;
    }
    switch (entry.kind) {
    case EntryKind::Program:
        if (const int code = services.programs.startProgram(EntryTarget(entry), {}, entry.workFolder))
            ShowCode(services, code, QStringLiteral(":ファイルが見つかりません。"));
        break;
    case EntryKind::Document:
    case EntryKind::Shortcut:
        if (ShortcutTypeOf(EntryTarget(entry)) == clsShort::DesktopLauncher)
            RunDesktopLauncher(AbsoluteIn(EntryTarget(entry), entry.workFolder), services);
        else
            ShellOpen(entry, services.programs);
        break;
    case EntryKind::Folder:
        OpenInFileManager(fileManager, entry.folder, services);
        break;
    default:
        break;
    }
}

int ShellOpen(const LauncherEntry &entry, ProgramLauncher &programs)
{
    const QString target = EntryTarget(entry);
    if (entry.kind == EntryKind::Shortcut) {
        const QString shortcut = AbsoluteIn(target, entry.workFolder);
        clsShort link;
        int result = 0;
        if (link.Load(shortcut, true) && OpenLinkTarget(link, entry.workFolder, programs, &result))
            return result;
    }
    return ShellOpenFile(target, entry.workFolder, programs);
}

int ShellOpenFile(const QString &file, const QString &workFolder, ProgramLauncher &programs)
{
    const int result = programs.shellOpen(file, {}, workFolder);
    if (result >= 32)
        return result;
    // The desktop could not open it: start the program associated with the
    // file, given the file's full path, in the program's own folder.
    const QString program = programs.findExecutable(file, workFolder);
    if (!program.isEmpty()) {
        const QString path = QDir::isAbsolutePath(file) ? file : QDir(workFolder).filePath(file);
        programs.startProgram(program, {path}, ContainingFolder(program));
    }
    return result;
}

int StartFileManager(const QString &fileManager, const QString &folder, ProgramLauncher &programs)
{
    QStringList words = SplitCommandText(fileManager);
    if (words.isEmpty())
        return StartResult::FileNotFound;
    const QString program = words.takeFirst();
    // A bare name would be looked for in the run folder first: a program of
    // that name on a stick, or in an extracted archive, must not stand in.
    return programs.startProgram(program, words << folder, QDir::rootPath());
}

QString FileManagerFailureText(int code)
{
    return QString::number(code) + QStringLiteral(":ファイルマネージャーが見つかりません。");
}

bool OpenInFileManager(const QString &fileManager, const QString &folder, const LaunchServices &services)
{
    const int code = StartFileManager(fileManager, folder, services.programs);
    if (code != 0)
        services.messages.show(services.owner, FileManagerFailureText(code), kTitle, MessageButtons::Ok,
                               MessageIcon::None);
    return code == 0;
}

void OpenFolderItem(const QString &path, const LaunchServices &services)
{
    const QFileInfo info(path);
    const qint16 type = info.isDir() ? qint16(clsShort::NoLink) : ShortcutTypeOf(path);
    if (type == clsShort::DesktopLauncher) {
        RunDesktopLauncher(path, services);
        return;
    }
    if (type != clsShort::NoLink) {
        clsShort link;
        if (link.Load(path, true)) {
            // Without a working folder of its own the target runs in its
            // folder (a program name alone: in the shortcut's).
            const QString target = link.Path();
            const QString folder = target.startsWith(u'/') ? QFileInfo(target).path() : info.path();
            int result = 0;
            if (OpenLinkTarget(link, folder, services.programs, &result))
                return;
        }
    }
    services.programs.shellOpen(path, {}, info.path());
}

QString UntrustedLauncherText(const QString &file)
{
    return QStringLiteral("ランチャー「%1」は信頼されていません。実行を許可されていない"
                          "ランチャーは起動しません。").arg(QFileInfo(file).fileName());
}

QString NoTerminalText(const QString &file)
{
    return QStringLiteral("ランチャー「%1」は端末で動くプログラムですが、端末エミュレーター"
                          "（x-terminal-emulator）が見つかりません。").arg(QFileInfo(file).fileName());
}

void RunDesktopLauncher(const QString &file, const LaunchServices &services)
{
    // A launcher names any command line it likes and looks like any file:
    // only one the user marked executable is run, as desktops require.
    const QFileInfo info(file);
    if (!info.isFile() || !info.isExecutable()) {
        ShowWarning(services, UntrustedLauncherText(file));
        return;
    }
    const DesktopEntry entry = ReadDesktopEntryFile(file, ShortcutFileLimit);
    const QString folder = QFileInfo(entry.path).isDir() && QDir::isAbsolutePath(entry.path) ? entry.path
                                                                                               : QDir::homePath();
    if (entry.type == u"Link") {
        services.programs.shellOpen(entry.url, {}, folder);
        return;
    }
    QStringList words = SplitExecLine(entry.exec);
    const QString program = words.isEmpty() ? QString() : DesktopEntryProgram(words.takeFirst());
    if (program.isEmpty()) {
        ShowCode(services, StartResult::FileNotFound, QStringLiteral(":ファイルが見つかりません。"));
        return;
    }
    words.prepend(program);
    if (entry.terminal) {
        const QString terminal = DesktopEntryProgram(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty()) {
            ShowWarning(services, NoTerminalText(file));
            return;
        }
        words = QStringList{terminal, QStringLiteral("-e")} + words;
    }
    const QString run = words.takeFirst();
    if (const int code = services.programs.startProgram(run, words, folder))
        ShowCode(services, code, QStringLiteral(":ファイルが見つかりません。"));
}
