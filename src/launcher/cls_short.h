#pragma once
// clsShort: one shortcut file, loaded read-only, giving its target and the
// folder to run it in. Knows shell links (".lnk"), program information files
// (".pif"), Internet shortcuts (".url") and desktop launchers (".desktop");
// writing shortcuts is not offered.
#include <QString>
#include <QStringList>

#include "platform/desktop_entry.h"

class clsShort {
public:
    enum LinkTypes : qint16 { NoLink = 0, ShellLink = 1, ProgramInformation = 2, InternetShortcut = 3,
                              DesktopLauncher = 4 };

    // Read-only until a writable Load; always for program information files.
    bool ReadOnly() const { return readOnly_; }
    qint16 LinkType() const { return linkType_; }
    QString FileName() const { return fileName_; }

    // Loads fileName by its ending (compared without case). False, keeping
    // what was loaded before, for another ending or an unreadable file, and
    // for anything but a regular file (a pipe is never waited on).
    bool Load(const QString &fileName, bool readOnly);

    // Whether the user trusts the loaded shortcut to start a program: the
    // file it was read from (the file a link names, checked on the file
    // opened, not by its name again) has the user's executable bit and
    // belongs to the user or the superuser.
    bool Trusted() const { return trusted_; }
    // The keys of a loaded desktop launcher; invalid for other kinds.
    const DesktopEntry &Launcher() const { return launcher_; }

    // The target's path; empty before a successful Load.
    QString Path() const { return path_; }
    // The folder the target runs in; empty when the shortcut names none.
    QString WorkingDirectory() const { return workingDirectory_; }
    // The arguments the target is started with.
    QStringList Arguments() const { return arguments_; }

private:
    bool readOnly_ = true;
    bool trusted_ = false;
    DesktopEntry launcher_;
    qint16 linkType_ = NoLink;
    QString fileName_;
    QString path_;
    QString workingDirectory_;
    QStringList arguments_;
};

// A chain of shortcuts longer than this is taken for a loop.
constexpr int MostShortcutHops = 64;

// The link type a file name's ending stands for; NoLink for any other.
qint16 ShortcutTypeOf(const QString &fileName);
