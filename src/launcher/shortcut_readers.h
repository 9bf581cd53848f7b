#pragma once
// Readers of the shortcut files a user may drop on the clock or keep on the
// desktop: Windows shell links (".lnk"), program information files (".pif"),
// Internet shortcuts (".url") and the desktop's launchers (".desktop"). Each
// yields the target and the folder to run it in; a reader given a damaged or
// hostile file refuses it and never reads outside the bytes it was given.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The largest shortcut file read; real ones are a few KB.
constexpr qint64 ShortcutFileLimit = 1024 * 1024;

struct ShortcutTarget {
    bool loaded = false;        // the file is a shortcut of its kind
    QString path;               // the target; a Windows path keeps its text
    QString workingDirectory;   // empty when the shortcut names none
    QStringList arguments;      // what the target is started with
};

// A shell link in the published binary format: the path from the link
// information (local path or network share with its suffix), else from the
// target's item list; the working folder and arguments from the string data,
// in ANSI (CP932) or UTF-16 as the link says.
ShortcutTarget ReadShellLink(QByteArrayView bytes);

// A program information file: its program, working folder and parameters
// fields (CP932).
ShortcutTarget ReadProgramInformation(QByteArrayView bytes);

// An Internet shortcut file (the bytes of a profile file): URL= of
// [InternetShortcut] as the path (LocalPathOfAddress), WorkingDirectory= as
// the folder.
ShortcutTarget ReadInternetShortcut(QByteArrayView bytes);

// A desktop launcher: Exec's program and arguments (ExpandExecLine, without
// files) with Path as the folder; for Type=Link its URL (LocalPathOfAddress).
ShortcutTarget ReadDesktopLauncher(QByteArrayView bytes);

// The local path of a "file:" address with no host or "localhost", its
// escapes undone; it may be relative ("file:notes.txt"). Empty for a file on
// another host. Any other address is returned as it is.
QString LocalPathOfAddress(const QString &address);

// The words of a command text: blanks separate them, double quotes group
// them (the quotes are dropped). No other character is special.
QStringList SplitCommandText(const QString &text);
