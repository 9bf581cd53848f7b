#include "launcher/shortcut_plan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "launcher/cls_short.h"
#include "launcher/shortcut_readers.h"
#include "platform/program_launcher.h"
#include "platform/program_search.h"

namespace {

bool Exists(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

ShortcutPlan Open(const QString &target, const QString &folder)
{
    return {ShortcutPlan::Step::Open, target, {}, folder, {}};
}

ShortcutPlan Refused(const QString &chosen)
{
    return {ShortcutPlan::Step::Refuse, {}, {}, {}, UntrustedLauncherText(chosen)};
}

ShortcutPlan Nothing(const QString &message = {})
{
    return {ShortcutPlan::Step::Nothing, {}, {}, {}, message};
}

// An absolute folder that exists, or nothing.
QString UsableFolder(const QString &folder)
{
    return QDir::isAbsolutePath(folder) && QFileInfo(folder).isDir() ? folder : QString();
}

// Where a shortcut's target is: an absolute path as it is, a relative one
// counted from folder; a bare program name not there is looked for on the
// search path when orProgram is set. Empty when it is not here.
QString TargetPath(const QString &target, const QString &folder, bool orProgram, ProgramLauncher &programs)
{
    if (QDir::isAbsolutePath(target))
        return QDir::cleanPath(target);
    const QString path = QDir::cleanPath(folder + u'/' + target);
    if (Exists(QFileInfo(path)) || !orProgram || target.contains(u'/') || target.contains(u'\\'))
        return path;
    return programs.findProgram(target);
}

// What a desktop launcher's command does: it always names a program.
ShortcutPlan PlanCommand(const DesktopEntry &entry, const QStringList &words, const QString &chosen,
                         bool trusted, ProgramLauncher &programs)
{
    if (!trusted)
        return Refused(chosen);
    const QString program = programs.findProgram(words.first());
    if (program.isEmpty())
        return Nothing(StartFailureText(StartResult::FileNotFound));
    QStringList command = words;
    command[0] = program;
    if (entry.terminal) {
        const QString terminal = programs.findProgram(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty())
            return Nothing(NoTerminalText(chosen));
        command = QStringList{terminal, QStringLiteral("-e")} + command;
    }
    const QString folder = UsableFolder(entry.path);
    return {ShortcutPlan::Step::Run, command.takeFirst(), command, folder.isEmpty() ? QDir::homePath() : folder, {}};
}

} // namespace

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

QString StartFailureText(int code)
{
    const bool missing = code == StartResult::FileNotFound || code == StartResult::PathNotFound;
    return QString::number(code)
           + (missing ? QStringLiteral(":ファイルが見つかりません。") : QStringLiteral(":プログラムを起動できません。"));
}

ShortcutPlan PlanShortcut(const QString &file, const QString &fallbackFolder, ProgramLauncher &programs)
{
    bool trusted = true;
    QString current = file;
    QSet<QString> visited;
    for (;;) {
        const QString key = QDir::cleanPath(QFileInfo(current).absoluteFilePath());
        if (visited.contains(key) || visited.size() >= MostShortcutHops)
            return Nothing();
        visited.insert(key);
        const QFileInfo shortcut(current);
        const QString shortcutFolder = shortcut.absolutePath();
        const qint16 type = ShortcutTypeOf(current);
        if (shortcut.isDir())
            return Open(current, shortcutFolder);

        clsShort link;
        if (!link.Load(current, true)) {
            // Not readable as its kind: a damaged link is opened as the file
            // it is, a launcher never (the desktop might run it).
            if (type == clsShort::DesktopLauncher || !shortcut.isFile())
                return Nothing();
            return Open(current, shortcutFolder);
        }
        trusted = trusted && link.Trusted();

        QString target = link.Path();
        const QStringList arguments = link.Arguments();
        const QString own = UsableFolder(link.WorkingDirectory());
        bool address = type == clsShort::InternetShortcut;
        if (type == clsShort::DesktopLauncher) {
            const DesktopEntry &entry = link.Launcher();
            if (entry.type == u"Link") {
                target = LocalPathOfAddress(entry.url);
                address = true;
            } else if (entry.type.isEmpty() || entry.type == u"Application") {
                const std::optional<QStringList> words =
                    ExpandExecLine(entry.exec, {{}, entry.icon, entry.name, current});
                if (!words)
                    return trusted ? Nothing(StartFailureText(StartResult::FileNotFound)) : Refused(file);
                // A command that only names another shortcut goes on to it.
                const QFileInfo next(words->first());
                if (!(words->size() == 1 && next.isAbsolute() && next.isFile()
                      && ShortcutTypeOf(words->first()) != clsShort::NoLink))
                    return PlanCommand(entry, *words, file, trusted, programs);
                current = words->first();
                continue;
            } else {
                return Nothing();
            }
        }

        if (target.isEmpty()) {
            // No target here (none, a file on another host): a link is
            // opened as the file it is.
            return type == clsShort::DesktopLauncher ? Nothing() : Open(current, shortcutFolder);
        }
        if (IsAddress(target))
            return Open(target, own.isEmpty() ? shortcutFolder : own);

        const QString lookIn = !own.isEmpty() ? own : !fallbackFolder.isEmpty() ? fallbackFolder : shortcutFolder;
        const QString path = TargetPath(target, address ? shortcutFolder : lookIn, !address, programs);
        const QFileInfo info(path);
        if (path.isEmpty() || !Exists(info)) {
            // Not on this system (a Windows path): the link itself is opened.
            return type == clsShort::DesktopLauncher ? Nothing() : Open(current, shortcutFolder);
        }
        const QString runFolder = !own.isEmpty() ? own : !fallbackFolder.isEmpty() ? fallbackFolder : info.absolutePath();
        if (info.isDir())
            return Open(path, runFolder);
        if (ShortcutTypeOf(path) != clsShort::NoLink && info.isFile()) {
            current = path;
            continue;
        }
        if (!IsRunnableProgram(path))
            return Open(path, runFolder);
        if (!trusted)
            return Refused(file);
        return {ShortcutPlan::Step::Run, path, arguments, runFolder, {}};
    }
}
