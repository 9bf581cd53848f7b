#pragma once
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A fresh program folder for one test, removed afterwards.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.path() + "/" + name; }
    // Writes raw bytes (already encoded) to a file in the folder, creating
    // the folders of its name, and returns the file's full path.
    QString writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(file(name)).path());
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return file(name);
    }
    QByteArray readBytes(const QString &name) const
    {
        QFile f(file(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
};

// Every file and folder below path, hidden ones included, as sorted paths
// relative to it.
inline QStringList FolderTree(const QString &path)
{
    QStringList found;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(path).relativeFilePath(it.next());
    found.sort();
    return found;
}
