#include "platform/linux/build_module_folder.h"

#include <QFile>

namespace {

// The build's module folder, alone in a section of its own: installing the
// program fills that section with zeros (cmake/packaging.cmake), so an
// installed or packaged program names no folder of the machine that built
// it. volatile: the text is read from the section at run time and never
// folded into the code by the compiler.
[[gnu::used, gnu::section(".tockara_build_modules")]] volatile const char kFolder[] =
    TOCKARA_MODULE_BUILD_DIR;

} // namespace

QString BuildModuleFolder()
{
    QByteArray path;
    for (size_t i = 0; i < sizeof kFolder && kFolder[i] != '\0'; ++i)
        path += kFolder[i];
    return QFile::decodeName(path);
}
