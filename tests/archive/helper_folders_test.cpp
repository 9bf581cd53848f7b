// The folders no helper program may come from follow the extraction folder.
#include <gtest/gtest.h>

#include "archive/helper_folders.h"
#include "platform/program_search.h"
#include "settings/settings_store.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

TEST(HelperFolders, TheExtractionFolderIsUntrustedAsTheSettingsNameIt)
{
    TempFolder folder;
    FakeServices fakes;
    SettingsStore store{folder.file("Tockara.ini"), folder.path(), *fakes.messages};
    store.Load();
    auto search = std::make_shared<ProgramSearch>();
    KeepHelperSearchFolders(search, store, folder.path());
    const QString home = QDir::homePath();
    const struct {
        QString decompFolder;
        QString untrusted;   // a folder that must be among the untrusted ones
    } cases[] = {
        {folder.path() + "/dl/", folder.path() + "/dl"},
        {"sub/", folder.path() + "/sub"},    // inside the program folder
        {"~/Downloads/", home + "/Downloads"},
    };
    for (const auto &c : cases) {
        store.Update([&](Settings &s) { s.ARC.DecompFolder = c.decompFolder; });
        const QStringList untrusted = search->untrustedFolders();
        EXPECT_TRUE(untrusted.contains(QFileInfo(folder.path()).canonicalFilePath())) << untrusted.join(' ').toStdString();
        EXPECT_TRUE(search->untrusted(c.untrusted)) << c.decompFolder.toStdString();
        EXPECT_TRUE(search->untrusted(c.untrusted + "/archive/bin")) << c.decompFolder.toStdString();
    }
    EXPECT_FALSE(search->untrusted("/usr/bin"));
}

} // namespace
