#pragma once
// The user's folders as the desktop names them. The named folders (the
// download folder, the desktop folder, the documents) come from the
// desktop's user-dirs.dirs, read here through the regular-file rule: the
// toolkit's own reading of that file opens whatever lies there and waits on
// a FIFO for ever, so the clock never asks the toolkit for these folders.
#include <QString>
#include <QStringList>

enum class UserFolder { Download, Desktop, Documents };

// The folder the desktop names for folder in user-dirs.dirs, else the usual
// one in the home folder (~/Downloads, ~/Desktop, ~/Documents); without a
// trailing "/".
QString UserFolderPath(UserFolder folder);

// The folder user-dirs.dirs gives for key ("DOWNLOAD" for XDG_DOWNLOAD_DIR),
// from that file's text: a "$HOME/…" or an absolute path in double quotes
// (a backslash takes the next character as it is); empty when the key is not
// there or names a relative path, which the desktop ignores too.
QString UserDirsEntry(const QByteArray &text, const QString &key, const QString &home);

// The base folders of the desktop (the XDG base directories): the value of
// variable when it is an absolute path, else home + fallback.
QString BaseFolder(const char *variable, const QString &fallback);

// The folders the desktop and the programs of the session read their
// settings, services and programs from, or keep their state in: the user's
// configuration, data, state and cache folders (as the environment names
// them and in their usual places in the home folder, ~/.local as a whole),
// the runtime folder, and every folder of XDG_CONFIG_DIRS and XDG_DATA_DIRS
// (a folder that holds the home folder is left out: it stands for the whole
// home, never a place of settings alone). No file is read.
QStringList DesktopSettingsFolders();
