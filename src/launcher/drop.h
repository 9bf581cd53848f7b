#pragma once
// Files dropped on the clock: an archive is extracted, anything else becomes
// a launcher entry, path by path, until the list is full.
#include <functional>
#include <QByteArrayView>
#include <QStringList>

#include "launcher/launcher_list.h"

class MessageBoxService;
class QWidget;

// The local paths of a dropped "text/uri-list": one address a line, "#"
// lines are comments; addresses that are no local files (http:, a file on
// another host) are left out. A folder's trailing "/" is dropped.
QStringList ParseUriList(QByteArrayView data);

// The archive step of a drop: 0 when the entry was an archive and has been
// handled (it is not registered), -1 for any other entry. Without a step,
// archives are left out unhandled.
using ArchiveStep = std::function<int(const LauncherEntry &entry)>;

// Handles dropped paths in order: each is classified; the archive step takes
// archives; every other entry is added to the launcher (saved and announced
// at once). A full list shows its message once and drops the remaining
// paths; an entry that cannot be stored is skipped with its message.
void HandleDroppedPaths(const QStringList &paths, LauncherStore &store, const ArchiveStep &extractIfArchive,
                        MessageBoxService &messages, QWidget *owner);
