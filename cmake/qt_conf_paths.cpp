// Prints a qt.conf whose [Paths] are those of the Qt this build uses, as that
// Qt reports them when no qt.conf is found. The program embeds the result, so
// the toolkit never reads a qt.conf from beside the executable and every path
// stays the installed one (a qt.conf that names only some paths would put the
// others below the executable's folder).
#include <cstdio>

#include <QLibraryInfo>

int main()
{
    const struct {
        const char *key;
        QLibraryInfo::LibraryPath path;
    } paths[] = {
        {"Prefix", QLibraryInfo::PrefixPath},
        {"Documentation", QLibraryInfo::DocumentationPath},
        {"Headers", QLibraryInfo::HeadersPath},
        {"Libraries", QLibraryInfo::LibrariesPath},
        {"LibraryExecutables", QLibraryInfo::LibraryExecutablesPath},
        {"Binaries", QLibraryInfo::BinariesPath},
        {"Plugins", QLibraryInfo::PluginsPath},
        {"QmlImports", QLibraryInfo::QmlImportsPath},
        {"Qml2Imports", QLibraryInfo::QmlImportsPath},
        {"ArchData", QLibraryInfo::ArchDataPath},
        {"Data", QLibraryInfo::DataPath},
        {"Translations", QLibraryInfo::TranslationsPath},
        {"Examples", QLibraryInfo::ExamplesPath},
        {"Tests", QLibraryInfo::TestsPath},
        {"Settings", QLibraryInfo::SettingsPath},
    };
    std::printf("[Paths]\n");
    for (const auto &entry : paths)
        std::printf("%s=%s\n", entry.key, QLibraryInfo::path(entry.path).toLocal8Bit().constData());
    return 0;
}
