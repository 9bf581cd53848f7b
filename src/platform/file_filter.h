#pragma once
// The chooser's filter text: a file type's name, NUL, its patterns separated
// by ';', NUL, for each type, and one more NUL at the end.
#include <QList>
#include <QPair>
#include <QString>

// The (name, patterns) pairs of a filter text in the NUL-separated form. The
// list ends at the first empty name or at the end of the text; a name with no
// pattern after it is dropped.
QList<QPair<QString, QString>> ParseFileFilter(const QString &filter);

// The filter text of (name, patterns) pairs: name NUL patterns NUL for each,
// then one more NUL.
QString JoinFileFilter(const QList<QPair<QString, QString>> &types);
