#pragma once
// The desktop's launcher files (".desktop", UTF-8 text): the few keys of the
// "[Desktop Entry]" group the program uses, and the rules of the Exec line.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct DesktopEntry {
    bool valid = false;   // a "[Desktop Entry]" group was found
    QString type;         // "Application", "Link", "Directory", …
    QString name;         // Name (untranslated)
    QString exec;         // Exec, with the value escapes (\s \n \t \r \\) undone
    QString path;         // Path: the folder the program runs in
    QString url;          // URL of a Type=Link entry
    QString tryExec;      // TryExec: a program that must be installed
    bool terminal = false;   // Terminal=true: the program runs in a terminal
    bool hidden = false;     // Hidden=true: the entry counts as deleted
    bool noDisplay = false;  // NoDisplay=true: not shown in menus
};

// The keys of the first "[Desktop Entry]" group of text. Lines that are not
// keys are skipped; localized keys (Name[ja]=…) do not replace the plain ones.
DesktopEntry ParseDesktopEntry(QByteArrayView text);

// The keys of the desktop entry file path; an invalid entry when the file
// cannot be read or is larger than limit bytes (launchers are a few KB).
DesktopEntry ReadDesktopEntryFile(const QString &path, qint64 limit = 1024 * 1024);

// Whether desktops list the entry: it is neither Hidden nor NoDisplay, and
// its TryExec program, if it names one, is installed.
bool DesktopEntryListed(const DesktopEntry &entry);

// The program an Exec or TryExec word names, as desktops find it: a path is
// taken as it is, a bare name is looked for on the program search path
// ($PATH) only, never in the folder of the launcher or the current one.
// Empty when there is no such executable file.
QString DesktopEntryProgram(const QString &word);

// The words of an Exec line: blanks separate them, double quotes group them
// (with \" \` \$ \\ escaped inside), field codes such as %f, %U or %i are
// left out and "%%" stands for "%". The first word is the program.
QStringList SplitExecLine(const QString &exec);

// word as one word of an Exec line (before the value escapes): in double
// quotes, with " ` $ \ escaped and "%" doubled, so SplitExecLine reads it
// back whole whatever it holds.
QString ExecLineWord(const QString &word);

// text as a value of a desktop entry's key: backslashes, line breaks, tabs
// and returns escaped, so ParseDesktopEntry reads it back unchanged.
QString DesktopEntryValue(const QString &text);
