#pragma once
// What choosing a shortcut does, decided in one place for every kind
// (".lnk", ".pif", ".url", ".desktop") and wherever it is chosen: the folder
// menus, the recent files, the launcher's entries, dropped files.
//
// The trust rule: a shortcut may start a program, with or without
// arguments, only when the shortcut file itself is trusted (it has the
// user's executable bit and belongs to the user or the superuser; checked
// on the file opened). A chain of shortcuts is trusted when each of them
// is. An untrusted shortcut to a document or a folder opens it with the
// user's application for it and never runs it, executable or not; one to a
// program (a desktop launcher's command, a program file, an interpreter
// such as /bin/sh or /usr/bin/env given a script) is refused with a
// warning, and nothing runs. "file:" addresses are paths like any other
// (relative ones count from the shortcut's folder); any other address is
// opened by the desktop.
#include <QString>
#include <QStringList>

class ProgramLauncher;

struct ShortcutPlan {
    enum class Step {
        Open,     // open target (a path or an address), never run it
        Run,      // start the program target with arguments
        Refuse,   // an untrusted shortcut to a program: warn with message
        Nothing,  // nothing to open; message, when not empty, says why
    };
    Step step = Step::Nothing;
    QString target;          // Open: a path or address; Run: the program's absolute path
    QStringList arguments;   // Run only
    QString workFolder;      // where it opens or runs
    QString message;

    bool operator==(const ShortcutPlan &) const = default;
};

// The plan for choosing the shortcut file. A target without a working
// folder of the shortcut's own runs in fallbackFolder, or, when that is
// empty, in the target's folder (a desktop launcher without Path: the home
// folder). programs finds the programs named without a folder.
ShortcutPlan PlanShortcut(const QString &file, const QString &fallbackFolder, ProgramLauncher &programs);

// The message for a shortcut that was not marked as trusted and would start
// a program.
QString UntrustedLauncherText(const QString &file);
// The message for a launcher whose program needs a terminal when there is none.
QString NoTerminalText(const QString &file);
// The message for a program that did not start: the code, then what went
// wrong (":ファイルが見つかりません。" for a missing file or folder).
QString StartFailureText(int code);
