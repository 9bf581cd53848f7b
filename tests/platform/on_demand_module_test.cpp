// Where the on-demand modules come from, and which module files are trusted.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>

#include "platform/linux/on_demand_module.h"
#include "support/temp_folder.h"

namespace {

TEST(OnDemandModules, NeverFromTheProgramsOwnFolder)
{
    // The program folder is where archives are extracted by default: a
    // module found there could be anyone's.
    const QString programs = QCoreApplication::applicationDirPath();
    const QStringList folders = OnDemandModuleFolders();
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], QDir::cleanPath(programs + "/../lib/tockara/modules"));
    // This test runs from the build tree: its module folder comes second.
    EXPECT_TRUE(QFileInfo(folders[1] + "/libtockara_libarchive.so").isFile()) << folders[1].toStdString();
    for (const QString &folder : folders) {
        EXPECT_FALSE(programs.startsWith(folder)) << folder.toStdString();
        EXPECT_NE(QDir::cleanPath(folder), QDir::cleanPath(programs));
    }
}

TEST(OnDemandModules, FilesOthersCanChangeAreNotTrusted)
{
    TempFolder temp;
    struct Case {
        mode_t file, folder;
        bool trusted;
    } cases[] = {
        {0644, 0755, true},
        {0755, 0700, true},
        {0664, 0755, false},
        {0646, 0755, false},
        {0644, 0775, false},
        {0644, 0777, false},
        {0644, 01777, false},   // anyone may put a file of that name there
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString folder = temp.path() + "/" + QString::number(n++);
        const QString file = temp.writeBytes(QFileInfo(folder).fileName() + "/libtockara_x.so", "x");
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), c.file), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folder), 0);
        EXPECT_EQ(UntrustedModuleReason(file).isEmpty(), c.trusted)
            << std::oct << c.file << " in " << c.folder << ": " << UntrustedModuleReason(file).toStdString();
    }
    EXPECT_FALSE(UntrustedModuleReason(temp.path() + "/missing.so").isEmpty());
    // Owned by another user who is not root.
    if (::geteuid() == 0) {
        const QString file = temp.writeBytes("theirs/libtockara_x.so", "x");
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
        EXPECT_FALSE(UntrustedModuleReason(file).isEmpty());
    }
}

} // namespace
