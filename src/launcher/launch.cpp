#include "launcher/launch.h"

#include <QDir>
#include <QFileInfo>

#include "launcher/cls_short.h"
#include "launcher/shortcut_readers.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "platform/program_search.h"
#include "settings/profile.h"

namespace {

const QString kTitle = QStringLiteral("Tockara");

void ShowText(const LaunchServices &services, const QString &text, MessageIcon icon = MessageIcon::None)
{
    services.messages.show(services.owner, text, kTitle, MessageButtons::Ok, icon);
}

void ShowCode(const LaunchServices &services, int code, const QString &text)
{
    ShowText(services, QString::number(code) + text);
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

// When the desktop could not open file: the whole command of the
// application associated with its type, in the program's own folder.
int OpenWithAssociatedApplication(const QString &file, const QString &workFolder, ProgramLauncher &programs,
                                  int result)
{
    if (result >= 32 || result == ShellResult::FileNotFound || result == ShellResult::PathNotFound)
        return result;
    QStringList command = programs.associatedCommand(file, workFolder);
    if (command.isEmpty())
        return result;
    const QString program = command.takeFirst();
    return programs.startProgram(program, command, ContainingFolder(program)) == StartResult::Started
               ? ShellResult::Opened
               : result;
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
        ShowText(services, QStringLiteral("作業フォルダにが正しく設定されていません。"));
        return;
    }
    const QString target = EntryTarget(entry);
    const QString path = AbsoluteIn(target, entry.workFolder);
    const bool file = entry.kind == EntryKind::Program || entry.kind == EntryKind::Document
                      || entry.kind == EntryKind::Shortcut;
    // A shortcut follows the trust rule whatever kind its entry was given.
    if (file && ShortcutTypeOf(target) != clsShort::NoLink) {
        OpenShortcut(path, entry.workFolder, services);
        return;
    }
    switch (entry.kind) {
    case EntryKind::Program:
        // A file without an extension counts as a program; one that is
        // none (README, LICENSE) is the document it is.
        if (QFileInfo(path).isFile() && !IsRunnableProgram(path)) {
            const int result = OpenDocument(path, entry.workFolder, services.programs);
            if (const QString text = OpenFailureText(result, path); !text.isEmpty())
                ShowText(services, text);
        } else if (const int code = services.programs.startProgram(target, {}, entry.workFolder)) {
            ShowText(services, StartFailureText(code));
        }
        break;
    case EntryKind::Document:
    case EntryKind::Shortcut:
        ShellOpenFile(target, entry.workFolder, services.programs);
        break;
    case EntryKind::Folder:
        OpenInFileManager(fileManager, entry.folder, services);
        break;
    default:
        break;
    }
}

int OpenDocument(const QString &file, const QString &workFolder, ProgramLauncher &programs)
{
    return OpenWithAssociatedApplication(file, workFolder, programs, programs.openDocument(file, workFolder));
}

int ShellOpenFile(const QString &file, const QString &workFolder, ProgramLauncher &programs)
{
    return OpenWithAssociatedApplication(file, workFolder, programs, programs.shellOpen(file, {}, workFolder));
}

QString OpenFailureText(int result, const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    switch (result) {
    case ShellResult::FileNotFound:
    case ShellResult::PathNotFound:
        return QString::number(StartResult::FileNotFound) + QStringLiteral(":ファイルが見つかりません。");
    case ShellResult::NoOpener:
        return QStringLiteral("「%1」を開けません。文書を開くプログラム xdg-open が見つかりません"
                              "（パッケージ xdg-utils をインストールしてください）。").arg(name);
    default:
        return result >= 32 ? QString()
                            : QStringLiteral("「%1」を開くアプリケーションが見つかりません。").arg(name);
    }
}

void OpenShortcut(const QString &file, const QString &fallbackFolder, const LaunchServices &services)
{
    const ShortcutPlan plan = PlanShortcut(file, fallbackFolder, services.programs);
    switch (plan.step) {
    case ShortcutPlan::Step::Open:
        OpenDocument(plan.target, plan.workFolder, services.programs);
        break;
    case ShortcutPlan::Step::Run:
        if (const int code = services.programs.startProgram(plan.target, plan.arguments, plan.workFolder))
            ShowText(services, StartFailureText(code));
        break;
    case ShortcutPlan::Step::Refuse:
        ShowText(services, plan.message, MessageIcon::Warning);
        break;
    case ShortcutPlan::Step::Nothing:
        if (!plan.message.isEmpty())
            ShowText(services, plan.message, MessageIcon::Warning);
        break;
    }
}

int StartFileManager(const QString &fileManager, const QString &folder, ProgramLauncher &programs)
{
    QStringList words = SplitCommandText(fileManager);
    if (words.isEmpty())
        return StartResult::FileNotFound;
    const QString program = words.takeFirst();
    // A bare name would be looked for in the run folder first: a program of
    // that name on a stick, or in an extracted archive, must not stand in.
    // From the root folder it is found on the trusted search path only.
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
        ShowText(services, FileManagerFailureText(code));
    return code == 0;
}

void OpenFolderItem(const QString &path, const LaunchServices &services)
{
    const QFileInfo info(path);
    if (!info.isDir() && ShortcutTypeOf(path) != clsShort::NoLink) {
        OpenShortcut(path, QString(), services);
        return;
    }
    ShellOpenFile(path, info.path(), services.programs);
}
