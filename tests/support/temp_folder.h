#pragma once
#include <QDir>
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
