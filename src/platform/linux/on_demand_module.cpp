#include "platform/linux/on_demand_module.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include "platform/linux/build_module_folder.h"
#include "platform/log.h"

namespace {

// Why path (the module or its folder) could be changed by someone else than
// its owner, when that owner is root or the user; empty when it cannot.
QString ForeignWriters(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("%1 cannot be examined").arg(path);
    if (info.st_uid != 0 && info.st_uid != ::geteuid())
        return QStringLiteral("%1 belongs to another user").arg(path);
    if (info.st_mode & (S_IWGRP | S_IWOTH))
        return QStringLiteral("%1 can be written by others").arg(path);
    return {};
}

} // namespace

QStringList OnDemandModuleFolders()
{
    QStringList folders;
    if (QCoreApplication::instance()) {
        folders << QDir::cleanPath(QCoreApplication::applicationDirPath()
                                   + QStringLiteral("/../" TOCKARA_MODULE_INSTALL_DIR));
    }
    if (const QString build = BuildModuleFolder(); !build.isEmpty())
        folders << build;
    return folders;
}

QString UntrustedModuleReason(const QString &file)
{
    const QString own = ForeignWriters(file);
    return own.isEmpty() ? ForeignWriters(QFileInfo(file).absolutePath()) : own;
}


QFunctionPointer ResolveOnDemandModule(const char *name, const char *symbol)
{
    const QString file = QStringLiteral("libtockara_%1.so").arg(QLatin1String(name));
    const QStringList folders = OnDemandModuleFolders();
    for (const QString &folder : folders) {
        // The file itself, should the name be a link: its folder is the one
        // whose writers count.
        const QString path = QFileInfo(folder + u'/' + file).canonicalFilePath();
        if (path.isEmpty())
            continue;
        if (const QString reason = UntrustedModuleReason(path); !reason.isEmpty()) {
            qCWarning(lcPlatform).noquote() << "module not loaded:" << reason;
            continue;
        }
        // Never unloaded: the module's objects may live as long as the program.
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load()) {
            qCWarning(lcPlatform).noquote() << "module not loaded:" << library.errorString();
            continue;
        }
        if (QFunctionPointer function = library.resolve(symbol)) {
            qCDebug(lcPlatform) << "module" << name << "loaded from" << path;
            return function;
        }
        qCWarning(lcPlatform).noquote() << "module" << path << "lacks" << symbol;
    }
    qCWarning(lcPlatform).noquote() << "module" << name << "could not be loaded from"
                                    << folders.join(QStringLiteral(", "));
    return nullptr;
}
