#pragma once
// Finding the programs the clock starts by name, and telling programs from
// documents. Helpers the clock starts on its own (the desktop's opener, the
// file manager, 7-Zip, the terminal emulator, the desktop's settings tools)
// and the bare program names of the user's launchers are looked up only in
// absolute $PATH folders the clock does not write into: never the program
// folder, a user-writable folder of the executable, an extraction folder, nor
// the current folder (empty, "." or relative $PATH entries). An archive
// extracted there, or a stick the clock runs from, therefore cannot stand in
// for xdg-open.
#include <mutex>
#include <QString>
#include <QStringList>

#include "platform/archivers.h"

class ProgramSearch {
public:
    // Folders, each with everything below it, where no program is looked
    // for. Kept as their real paths (links resolved); may be changed at any
    // time from any thread (the extraction folder follows the settings).
    void setUntrustedFolders(const QStringList &folders);
    QStringList untrustedFolders() const;

    // The program name stands for: an absolute path as it is, a bare name as
    // the first executable regular file of that name in a trusted $PATH
    // folder. Empty for a relative path ("./x", "bin/x": they would count
    // from the current folder) and when there is none.
    QString find(const QString &name) const;

    // Whether folder is, or lies inside, one of the untrusted folders,
    // compared by identity (ProtectedPlaces).
    bool untrusted(const QString &folder) const;

private:
    mutable std::mutex mutex_;
    QStringList untrusted_;
    ProtectedPlaces places_;  // the same, looked up
};

// The folders no helper program may come from: the program folder, the
// folder of the executable unless it is a system folder (owned by the
// superuser and writable by no one else, as /usr/bin), and the folder
// archives are extracted into. Empty names are left out.
QStringList UntrustedProgramFolders(const QString &programFolder, const QString &executableFolder,
                                    const QString &extractionFolder);

// Whether folder belongs to the superuser and no one else may write to it.
bool IsSystemFolder(const QString &folder);

// A program file: one the user made a program, by its type and its
// executable bit. The type comes from its name and, where the name says
// nothing, its content (shared-mime-info), so an executable "notes.txt" or
// "photo.jpg" that starts with "#!" is a document, as it is to the file
// manager, and so is any document that happens to carry the executable bit
// (common on FAT and NTFS drives). Program types: binaries, and the scripts
// that shared-mime-info counts as executables (shell, Python, Perl, …).
bool IsRunnableProgram(const QString &path);

// "https://…", "mailto:…", "file:///…": a scheme of two letters or more, so a
// Windows drive ("C:\…") is no address.
bool IsAddress(const QString &target);
