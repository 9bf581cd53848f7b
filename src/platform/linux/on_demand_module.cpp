#include "platform/linux/on_demand_module.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

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
    for (const QString &folder : folders) {
        // Never unloaded: the module's objects may live as long as the program.
        QLibrary library(folder + u'/' + file);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load())
            continue;
        if (QFunctionPointer function = library.resolve(symbol))
            return function;
    }
    return nullptr;
}
