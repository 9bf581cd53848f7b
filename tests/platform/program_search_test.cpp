// Where programs started by name come from: trusted $PATH folders only, for
// every service that starts one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include "platform/desktop_settings.h"
#include "platform/linux/desktop_wallpaper.h"
#include "platform/linux/linux_services.h"
#include "platform/program_search.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

class HelperSearch : public ::testing::Test {
protected:
    // A folder holding an executable of each helper's name.
    QString helpers(const QString &name)
    {
        for (const char *program : {"xdg-open", "7zz", "gsettings", "x-terminal-emulator"}) {
            const QString file = folder.writeBytes(name + "/" + program, "#!/bin/sh\necho \"$@\" >> \"$0.ran\"\n");
            QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        return root + "/" + name;
    }

    TempFolder folder;
    const QString root = folder.path();
};

TEST_F(HelperSearch, OnlyAbsoluteTrustedPathFoldersAreSearched)
{
    const QString program = helpers("program"), extracted = helpers("downloads"), trusted = helpers("usr-bin");
    const QString inside = helpers("downloads/archive/bin");
    QFile::link(program, root + "/alias");
    helpers("relative");
    ProgramSearch search;
    search.setUntrustedFolders({program, root + "/downloads/"});
    struct Case {
        const char *what;
        QString path;
        QString found;   // xdg-open's path; empty: none
    } cases[] = {
        {"a trusted folder", trusted, trusted + "/xdg-open"},
        {"the program folder first", program + ":" + trusted, trusted + "/xdg-open"},
        {"an extraction folder", extracted, ""},
        {"a folder inside it", inside, ""},
        {"a link to the program folder", root + "/alias", ""},
        {"the same with a trailing slash", program + "/", ""},
        {"the current folder: empty", ":" + trusted, trusted + "/xdg-open"},
        {"the current folder: dot", ".", ""},
        {"a relative folder", "relative", ""},
        {"a missing folder", root + "/gone:" + trusted, trusted + "/xdg-open"},
    };
    // The current folder holds the helpers too: it is never searched.
    const QString saved = QDir::currentPath();
    QDir::setCurrent(root + "/relative");
    for (const Case &c : cases) {
        EnvironmentValue path("PATH", QFile::encodeName(c.path));
        EXPECT_EQ(search.find("xdg-open"), c.found) << c.what;
    }
    QDir::setCurrent(saved);
    // A path is taken as it is when it is absolute, never relative.
    EXPECT_EQ(search.find(program + "/7zz"), program + "/7zz");
    EXPECT_EQ(search.find("relative/7zz"), "");
    EXPECT_EQ(search.find(""), "");
}

TEST_F(HelperSearch, TheExecutablesFolderIsUntrustedUnlessItIsASystemFolder)
{
    EXPECT_TRUE(IsSystemFolder("/usr/bin"));
    EXPECT_EQ(UntrustedProgramFolders("/p", "/usr/bin", ""), QStringList{"/p"});
    EXPECT_EQ(UntrustedProgramFolders("/p", "", "/d"), QStringList({"/p", "/d"}));
    const QString writable = helpers("shared");
    ::chmod(QFile::encodeName(writable).constData(), 0777);
    EXPECT_EQ(UntrustedProgramFolders("/p", writable, "/d"), QStringList({"/p", "/d", writable}));
    if (::geteuid() == 0) {
        const QString owned = helpers("stick");
        ASSERT_EQ(::chown(QFile::encodeName(owned).constData(), 65534, 65534), 0);
        EXPECT_FALSE(IsSystemFolder(owned));
    }
}

// 7-Zip's program for every format is installed as 7zz on Debian 12 and as
// 7z on Debian 13; 7za and 7zr beside it read no ARJ.
TEST_F(HelperSearch, SevenZipIsFoundUnderTheNameEachReleaseInstalls)
{
    const struct {
        const char *installed;
        bool found;
    } cases[] = {{"7zz", true}, {"7z", true}, {"7za", false}, {"7zr", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.installed);
        const QString program = folder.writeBytes(QStringLiteral("only-%1/%1").arg(c.installed), "#!/bin/sh\nexit 2\n");
        QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EnvironmentValue path("PATH", QFile::encodeName(root + "/only-" + c.installed));
        EXPECT_EQ(MakeLinuxArchivers()->run("unarj32j", {"x", root + "/none.arj", root + "/"}).has_value(), c.found);
    }
}

// Each service that starts a helper by name finds it with the one search.
TEST_F(HelperSearch, EveryServiceFindsItsHelpersThroughTheSearch)
{
    const QString planted = helpers("program"), trusted = helpers("usr-bin");
    QDir(root).mkpath("work");
    folder.writeBytes("work/a.txt", "text\n");
    auto search = std::make_shared<ProgramSearch>();
    search->setUntrustedFolders({planted});
    std::unique_ptr<ProgramLauncher> launcher = MakeLinuxProgramLauncher(search);
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers({"7zz"}, search);
    std::unique_ptr<DesktopTools> tools = MakeSystemDesktopTools(search);
    for (const bool trustedToo : {false, true}) {
        SCOPED_TRACE(trustedToo ? "also in a trusted folder" : "only in the program folder");
        EnvironmentValue path("PATH", QFile::encodeName(trustedToo ? planted + ":" + trusted : planted));
        const QString expected = trustedToo ? trusted : QString();
        EXPECT_EQ(launcher->findProgram("x-terminal-emulator"), trustedToo ? trusted + "/x-terminal-emulator" : "");
        EXPECT_EQ(launcher->startProgram("xdg-open", {}, "/") == StartResult::Started, trustedToo);
        EXPECT_EQ(launcher->openDocument("a.txt", root + "/work") == ShellResult::NoOpener, !trustedToo);
        EXPECT_EQ(tools->has("gsettings"), trustedToo);
        // Without 7-Zip the ARJ component cannot be loaded.
        EXPECT_EQ(archivers->run("unarj32j", {"x", root + "/none.arj", root + "/work/"}).has_value(), trustedToo);
    }
    // The two starts of the trusted opener have ended before the folder goes.
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && folder.readBytes("usr-bin/xdg-open.ran").count('\n') < 2)
        QThread::msleep(20);
    EXPECT_FALSE(QFile::exists(planted + "/xdg-open.ran"));
}

} // namespace
