#pragma once
// Starting launcher entries and opening folder items, drives and folders in
// the file manager. Failures the user must hear of are shown as the numeric
// code followed by a text that begins with a colon, in a box titled
// "Tockara" with an OK button.
#include <QString>

#include "launcher/launcher_list.h"
#include "launcher/shortcut_plan.h"

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
// work folder, a document opened (ShellOpenFile), a shortcut as
// OpenShortcut decides, a folder shown in fileManager (a command text: the
// program and any arguments, the folder added as one more). A file that
// has no extension but is no program (README, LICENSE) is opened as the
// document it is, by its content. An archive, or an unknown kind, does
// nothing.
void LaunchEntry(const LauncherEntry &entry, const QString &fileManager, const LaunchServices &services);

// Opens file (relative to workFolder when not absolute) with the desktop's
// default application and never runs it; when the desktop cannot open it,
// the whole command of the application associated with its type is started
// with the file in place, in the program's own folder. Returns the first
// opening's result, or ShellResult::Opened when the associated application
// was started (32 or more: something opens it).
int OpenDocument(const QString &file, const QString &workFolder, ProgramLauncher &programs);

// As OpenDocument, but a program (as ProgramLauncher::shellOpen counts
// programs) is run: for the documents and programs the user registered.
int ShellOpenFile(const QString &file, const QString &workFolder, ProgramLauncher &programs);

// What the user is told when file could not be opened with result (below
// 32), naming the real cause; empty for a success.
QString OpenFailureText(int result, const QString &file);

// Carries out PlanShortcut for the shortcut file: opens, runs, or warns.
void OpenShortcut(const QString &file, const QString &fallbackFolder, const LaunchServices &services);

// Starts fileManager (a command text: the program and any arguments, quotes
// keeping a part with blanks whole) with folder as one more argument. The
// program is found by its own path or as helper programs are (trusted
// $PATH folders), never among the files of a folder it is asked to show: it
// runs from the root folder. Returns the start's code (0 when it started).
int StartFileManager(const QString &fileManager, const QString &folder, ProgramLauncher &programs);
// The code of a file manager that did not start, followed by
// ":ファイルマネージャーが見つかりません。".
QString FileManagerFailureText(int code);

// Shows folder in fileManager; on failure shows FileManagerFailureText and
// returns false.
bool OpenInFileManager(const QString &fileManager, const QString &folder, const LaunchServices &services);

// Opens an item of a folder menu: a folder or file with the desktop, run in
// its own folder; a shortcut as OpenShortcut decides (a target without a
// working folder of the shortcut's own runs in its own folder). Failures
// are not reported, but for the shortcut's.
void OpenFolderItem(const QString &path, const LaunchServices &services);

// The file name an entry is started or opened by: baseName "." extension,
// or baseName alone when there is no extension.
QString EntryFileName(const LauncherEntry &entry);
