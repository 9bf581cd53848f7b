#pragma once
// Reading files that someone other than the clock may have put where they are
// (pictures, environment files, settings and diaries, shortcuts, the
// desktop's lists and folders, archives): every file the clock reads is
// opened here, and only a regular file is ever read. A FIFO, a device, a socket or a folder is refused
// at once and is never opened in a way that waits: opening a FIFO for reading
// waits for a writer, which would freeze the clock. The check is made on the
// opened file itself, so a file swapped for a FIFO after a look at its name
// is refused as well.
#include <memory>
#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QMimeType>
#include <QString>

enum class FileKind {
    Regular,     // a regular file (or a link to one)
    Missing,     // nothing of that name, or an empty name
    NotRegular,  // a FIFO, device, socket or folder
    Unreadable,  // there, but it cannot be looked at or opened
};

// What path names, from its status alone: nothing is opened.
FileKind KindOfFile(const QString &path);

// A read-only descriptor (closed on exec) of the regular file name, relative
// to the open folder (AT_FDCWD: a path), or -1. errno then tells why: ENXIO
// for a name that is no regular file (also a link with followLinks false),
// the open's own errno otherwise. kind and info as for OpenRegularFile.
int OpenRegularDescriptorAt(int folder, const char *name, bool followLinks = true, FileKind *kind = nullptr,
                            struct stat *info = nullptr);
int OpenRegularDescriptor(const QString &path, FileKind *kind = nullptr, struct stat *info = nullptr);

// The file at path opened for reading, or null when it is no regular file
// that can be opened (kind, when given, tells why). info, when given, gets the
// opened file's status.
std::unique_ptr<QFile> OpenRegularFile(const QString &path, FileKind *kind = nullptr,
                                       struct stat *info = nullptr);

// The whole of a regular file of at most maxBytes bytes. Files of the
// kernel (/proc, /sys) tell no size: they are read up to the limit as well.
struct RegularFileBytes {
    FileKind kind = FileKind::Missing;
    bool tooLarge = false;   // a regular file above maxBytes: nothing of it was read
    QByteArray bytes;        // the file's bytes when kind is Regular and it is not too large
    struct stat info {};     // the status of the file read
    bool read() const { return kind == FileKind::Regular && !tooLarge; }
};
RegularFileBytes ReadRegularFile(const QString &path, qint64 maxBytes);

// The type of the file at path by its name and its content, the content read
// through the open above: a folder is inode/directory, anything that is no
// regular file goes by its name alone and is never opened.
QMimeType MimeTypeOfFile(const QString &path);

// The message that tells the user a file they chose is no regular file (a
// pipe, a device, a socket or a folder) and is not read.
QString NotRegularFileMessage(const QString &path);
