#include "launcher/drop.h"

#include <QUrl>

QStringList ParseUriList(QByteArrayView data)
{
    QStringList paths;
    for (const QByteArray &raw : QByteArray(data.data(), data.size()).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QUrl url = QUrl::fromEncoded(line, QUrl::TolerantMode);
        if (!url.isValid() || url.scheme() != u"file"
            || !(url.host().isEmpty() || url.host() == u"localhost"))
            continue;
        QString path = url.path(QUrl::FullyDecoded);
        while (path.size() > 1 && path.endsWith(u'/'))
            path.chop(1);
        if (path.startsWith(u'/'))
            paths << path;
    }
    return paths;
}

void HandleDroppedPaths(const QStringList &paths, LauncherStore &store, const ArchiveStep &extractIfArchive,
                        MessageBoxService &messages, QWidget *owner)
{
    for (const QString &path : paths) {
        const LauncherEntry entry = ClassifyPath(path);
        const bool archive = extractIfArchive ? extractIfArchive(entry) == 0
                                              : (entry.kind & EntryKind::Archive) != 0;
        if (archive)
            continue;
        if (store.AddLauncherEntry(entry, messages, owner) == LauncherStore::Added::ListFull)
            return;
    }
}
