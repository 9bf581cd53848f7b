#include "platform/file_filter.h"

#include <QStringList>

QList<QPair<QString, QString>> ParseFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QChar(u'\0'));
    QList<QPair<QString, QString>> types;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        types.append({parts[i], parts[i + 1]});
    }
    return types;
}

QString JoinFileFilter(const QList<QPair<QString, QString>> &types)
{
    const QChar nul(u'\0');
    QString filter;
    for (const auto &[name, patterns] : types)
        filter += name + nul + patterns + nul;
    return filter + nul;
}
