#include "archive/helper_folders.h"

#include "archive/archive_command.h"
#include "platform/program_folder.h"
#include "platform/program_search.h"
#include "settings/settings_store.h"

void SetHelperSearchFolders(ProgramSearch &search, const SettingsStore &store, const QString &programFolder)
{
    const QString extraction = ExtractionTarget(store.settings().ARC.DecompFolder, false, QString(), programFolder);
    search.setUntrustedFolders(UntrustedProgramFolders(programFolder, ExecutableFolder(), extraction));
}

void KeepHelperSearchFolders(const std::shared_ptr<ProgramSearch> &search, SettingsStore &store,
                             const QString &programFolder)
{
    SetHelperSearchFolders(*search, store, programFolder);
    QObject::connect(&store, &SettingsStore::changed, &store, [search, &store, programFolder] {
        SetHelperSearchFolders(*search, store, programFolder);
    });
}
