#pragma once
// Starting programs and opening documents, folders and addresses with the
// desktop's applications. Nothing here goes through a shell, and the clock's
// own current folder never changes: every call names the folder it works in.
#include <QString>
#include <QStringList>

// Result codes of ShellOpen-style calls: 32 or more is success.
namespace ShellResult {
constexpr int Opened = 42;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int NoAssociation = 31;
constexpr int NoOpener = 27;   // the desktop's opener (xdg-open) is not installed
} // namespace ShellResult

// Result codes of starting a program: 0 is success.
namespace StartResult {
constexpr int Started = 0;
constexpr int FileNotFound = 53;
constexpr int PathNotFound = 76;
constexpr int Failed = 5;
} // namespace StartResult

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // Starts program with arguments, each passed as it is, with workFolder as
    // the program's current folder; does not wait for it. A program name with
    // a "/" is a path (a relative one counts from workFolder); a bare name is
    // looked for in workFolder, then on the program search path (its
    // trusted folders, as findProgram). A trailing
    // dot of the name is dropped. Only a program is run: a file whose type
    // is a program or script type and that has its executable bit. Returns a
    // StartResult: FileNotFound when no such file exists, PathNotFound when
    // its folder (or workFolder) does not exist, Failed when it is no
    // program or cannot be run.
    virtual int startProgram(const QString &program, const QStringList &arguments,
                             const QString &workFolder) = 0;

    // Opens target as the desktop does on a double click: an address
    // ("https://…", "mailto:…") in its application, a folder in the file
    // browser, a program (as startProgram counts programs) is run with
    // arguments, any other file, executable or not, in the default
    // application of its type (arguments are not passed then). A
    // relative target counts from workFolder, a bare program name is also
    // looked for on the program search path; whatever starts runs in
    // workFolder. Returns a ShellResult: Opened (at least 32) once started,
    // FileNotFound or PathNotFound for a missing target, NoAssociation when
    // the desktop has no way to open it, AccessDenied when a program cannot
    // be run.
    virtual int shellOpen(const QString &target, const QStringList &arguments,
                          const QString &workFolder) = 0;

    // Opens target with the desktop's applications and never runs it, even
    // when it is a program: an address ("https://…") in its application, a
    // folder in the file browser, any file in the default application of
    // its type (by name, else by content). A relative target counts from
    // workFolder (never from the search path). Returns a ShellResult:
    // Opened once handed over, FileNotFound or PathNotFound for a missing
    // target, NoOpener when the desktop's opener is not installed.
    virtual int openDocument(const QString &target, const QString &workFolder) = 0;

    // The command of the default application of file's type from the
    // desktop's associations, to open file (relative to workFolder when not
    // absolute): the program as an absolute path, then its arguments with
    // the file in place (the whole Exec line, never its first word alone).
    // Never the file itself. Empty when there is none.
    virtual QStringList associatedCommand(const QString &file, const QString &workFolder) = 0;

    // The helper program or bare program name of a launcher, as the clock
    // finds programs it starts by name (ProgramSearch: trusted $PATH folders
    // only). Empty when there is none.
    virtual QString findProgram(const QString &name) = 0;
};
