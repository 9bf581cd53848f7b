#pragma once
// Starting launcher entries and opening folder items, drives and folders in
// the file manager. Failures the user must hear of are shown as the numeric
// code followed by a text that begins with a colon, in a box titled
// "Tockara" with an OK button.
#include <QString>

#include "launcher/launcher_list.h"

class MessageBoxService;
class ProgramLauncher;
class QWidget;

// What starting and opening needs: the platform's launcher and message
// boxes, and the window that owns the boxes (may be null).
struct LaunchServices {
    ProgramLauncher &programs;
    MessageBoxService &messages;
    QWidget *owner = nullptr;
};

// 0 when path exists; otherwise the code of the failed lookup: 53 when it
// does not exist (or is empty), 76 when its folder does not exist (or it is
// no absolute path).
int PathLookupError(const QString &path);

// Runs an entry after checking its work folder: a program is started in the
// work folder, a document or shortcut opened (ShellOpen), a folder shown in
// fileManager (a command text: the program and any arguments, the folder
// added as one more). An archive, or an unknown kind, does nothing.
void LaunchEntry(const LauncherEntry &entry, const QString &fileManager, const LaunchServices &services);

// Opens a document or shortcut entry with the desktop's default
// application, relative to its work folder. A shortcut opens its target with
// its arguments (the shortcut file itself when the target is not here). When
// the desktop cannot open the file, its associated program is started with
// the file's path. Returns the result of the first opening (32 or more is
// success).
int ShellOpen(const LauncherEntry &entry, ProgramLauncher &programs);

// Opens file (relative to workFolder when not absolute) with the desktop's
// default application, falling back to the associated program; failures are
// ignored. Returns the result of the first opening.
int ShellOpenFile(const QString &file, const QString &workFolder, ProgramLauncher &programs);

// Starts fileManager (a command text: the program and any arguments, quotes
// keeping a part with blanks whole) with folder as one more argument. The
// program is found by its own path or on the search path, never among the
// files of a folder it is asked to show: it runs from the root folder.
// Returns the start's code (0 when it started).
int StartFileManager(const QString &fileManager, const QString &folder, ProgramLauncher &programs);
// The code of a file manager that did not start, followed by
// ":ファイルマネージャーが見つかりません。".
QString FileManagerFailureText(int code);

// Shows folder in fileManager; on failure shows FileManagerFailureText and
// returns false.
bool OpenInFileManager(const QString &fileManager, const QString &folder, const LaunchServices &services);

// Opens an item of a folder menu: a folder or file with the desktop, run in
// its own folder; a shortcut's target with the shortcut's working folder (or
// the target's folder); a desktop launcher as RunDesktopLauncher runs it.
// Failures are not reported, but for the launcher's.
void OpenFolderItem(const QString &path, const LaunchServices &services);

// Runs a desktop launcher (".desktop") as desktops do. One without its
// executable bit is not trusted and runs nothing (a message says so). A
// program named without a folder is found on the search path only, never
// beside the launcher; a program that needs a terminal runs in the user's
// terminal emulator (x-terminal-emulator), or not at all (a message says
// so). It runs in the launcher's Path, else the home folder. A Type=Link
// launcher opens its address.
void RunDesktopLauncher(const QString &file, const LaunchServices &services);

// The message for a launcher that was not marked as trusted.
QString UntrustedLauncherText(const QString &file);
// The message for a launcher whose program needs a terminal when there is none.
QString NoTerminalText(const QString &file);

// The file name an entry is started or opened by: baseName "." extension,
// or baseName alone when there is no extension.
QString EntryFileName(const LauncherEntry &entry);
