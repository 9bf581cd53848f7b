#pragma once
// clsShort: one shortcut file, loaded read-only, giving its target and the
// folder to run it in. Knows shell links (".lnk"), program information files
// (".pif"), Internet shortcuts (".url") and desktop launchers (".desktop");
// writing shortcuts is not offered.
#include <QString>
#include <QStringList>

class clsShort {
public:
    enum LinkTypes : qint16 { NoLink = 0, ShellLink = 1, ProgramInformation = 2, InternetShortcut = 3,
                              DesktopLauncher = 4 };

    // Read-only until a writable Load; always for program information files.
    bool ReadOnly() const { return readOnly_; }
    qint16 LinkType() const { return linkType_; }
    QString FileName() const { return fileName_; }

    // Loads fileName by its ending (compared without case). False, keeping
    // what was loaded before, for another ending or an unreadable file.
    bool Load(const QString &fileName, bool readOnly);

    // The target's path; empty before a successful Load.
    QString Path() const { return path_; }
    // The folder the target runs in; empty when the shortcut names none.
    QString WorkingDirectory() const { return workingDirectory_; }
    // The arguments the target is started with.
    QStringList Arguments() const { return arguments_; }

private:
    bool readOnly_ = true;
    qint16 linkType_ = NoLink;
    QString fileName_;
    QString path_;
    QString workingDirectory_;
    QStringList arguments_;
};

// The link type a file name's ending stands for; NoLink for any other.
qint16 ShortcutTypeOf(const QString &fileName);
