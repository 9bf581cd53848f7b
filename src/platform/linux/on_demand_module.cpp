#include "platform/linux/on_demand_module.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include "platform/log.h"

QFunctionPointer ResolveOnDemandModule(const char *name, const char *symbol)
{
    const QString file = QStringLiteral("libtockara_%1.so").arg(QLatin1String(name));
    // Beside the executable (a build), below the installed program's own
    // prefix (bin/../lib/tockara/modules), or in the build that made this program.
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QString programs = QCoreApplication::applicationDirPath();
        folders << programs << programs + QStringLiteral("/../" TOCKARA_MODULE_INSTALL_DIR);
    }
    folders << QStringLiteral(TOCKARA_MODULE_BUILD_DIR);
    // Why each module file that exists could not be used; a folder without
    // the file is only the next place to look.
    QStringList failures;
    for (const QString &folder : folders) {
        const QString path = folder + u'/' + file;
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: the module's objects may live as long as the program.
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load()) {
            failures << library.errorString();
            continue;
        }
        if (QFunctionPointer function = library.resolve(symbol)) {
            qCDebug(lcPlatform) << "module" << name << "loaded from" << library.fileName();
            return function;
        }
        failures << library.errorString();
    }
    if (failures.isEmpty())
        qCWarning(lcPlatform).noquote() << "module" << name << "could not be loaded:" << file
                                        << "is in none of" << folders.join(QStringLiteral(", "));
    else
        qCWarning(lcPlatform).noquote() << "module" << name << "could not be loaded:"
                                        << failures.join(QStringLiteral("; "));
    return nullptr;
}
