#pragma once
// The folders no helper program may be started from follow the settings:
// the program folder, the executable's folder and the folder archives are
// extracted into (as DecompFolder resolves), set at start and again after
// every change of the settings (the archive page, for one).
#include <memory>
#include <QString>

class ProgramSearch;
class SettingsStore;

// The untrusted folders for the settings of store now.
void SetHelperSearchFolders(ProgramSearch &search, const SettingsStore &store, const QString &programFolder);

// Sets them now and after each change of store's settings.
void KeepHelperSearchFolders(const std::shared_ptr<ProgramSearch> &search, SettingsStore &store,
                             const QString &programFolder);
