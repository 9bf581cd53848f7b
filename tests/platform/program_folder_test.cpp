// Where the program keeps its files: beside the executable or in the user's data folder.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/program_folder.h"
#include "support/temp_folder.h"

namespace {

// Points the user's data folder into the test's temporary folder.
class ProgramFolder : public ::testing::Test {
protected:
    ProgramFolder() : saved_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.file("data")));
        QDir(folder.path()).mkpath("install/bin");
        QDir(folder.path()).mkpath("install/share/tockara/help");
        folder.writeBytes("install/share/tockara/Calender.ini", "[DateFormat]\r\n");
        folder.writeBytes("install/share/tockara/help/help.htm", "<html>");
        folder.writeBytes("install/share/tockara/anime/walker.dat", "[Setting]\r\n");
        folder.writeBytes("install/share/tockara/anime/walker.gif", "GIF89a");
        folder.writeBytes("install/share/tockara/sounds/chime.wav", "RIFF");
    }
    ~ProgramFolder() override
    {
        if (saved_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", saved_);
    }

    TempFolder folder;
    const QString userFolder = folder.file("data/tockara");

private:
    QByteArray saved_;
};

TEST_F(ProgramFolder, AnExecutableWithItsSettingsOrRulesBesideItIsAPortableInstall)
{
    // What lies beside the executable, and whether that makes it the program folder.
    const struct {
        QStringList files;
        bool portable;
    } cases[] = {
        {{"Calender.ini"}, true},
        {{"Tockara.ini"}, true},
        {{"Tockara.ini", "Calender.ini"}, true},
        {{"NIKI2024.txt"}, false},
        {{"tockara.ini.bak", "Calender.ini~"}, false},
        {{}, false},
    };
    for (const auto &c : cases) {
        TempFolder copy;
        for (const QString &name : c.files)
            copy.writeBytes("bin/" + name, "[Setting]\r\nLeft=1500\r\n");
        QDir(copy.path()).mkpath("bin");
        const QString bin = copy.file("bin");
        const QString expected = c.portable ? bin : userFolder;
        EXPECT_EQ(ProgramFolderToRead(bin + "/"), c.portable ? bin : copy.file("share/tockara"))
            << c.files.join(',').toStdString();
        EXPECT_EQ(ResolveProgramFolder(bin + "/"), expected) << c.files.join(',').toStdString();
        if (c.portable) {
            EXPECT_EQ(copy.readBytes("bin/" + c.files.first()), "[Setting]\r\nLeft=1500\r\n")
                << "the portable copy's files stay as they are";
        }
    }
    QDir(userFolder).removeRecursively();
    folder.writeBytes("install/bin/Tockara.ini", "");
    EXPECT_EQ(ResolveProgramFolder(folder.file("install/bin")), folder.file("install/bin"));
    EXPECT_FALSE(QFileInfo::exists(userFolder)) << "nothing is seeded for a portable install";
}

TEST_F(ProgramFolder, AnInstalledProgramUsesTheUsersDataFolderSeededOnce)
{
    EXPECT_EQ(ResolveProgramFolder(folder.file("install/bin")), userFolder);
    EXPECT_EQ(folder.readBytes("data/tockara/Calender.ini"), "[DateFormat]\r\n");
    EXPECT_EQ(folder.readBytes("data/tockara/help/help.htm"), "<html>");
    // The sample environments, where the help page and the choosers point.
    EXPECT_EQ(SampleFolder(userFolder), userFolder + "/anime");
    EXPECT_EQ(folder.readBytes("data/tockara/anime/walker.dat"), "[Setting]\r\n");
    EXPECT_EQ(folder.readBytes("data/tockara/anime/walker.gif"), "GIF89a");
    EXPECT_EQ(folder.readBytes("data/tockara/sounds/chime.wav"), "RIFF") << "the chime";

    // The user's own files are never overwritten by a later start.
    folder.writeBytes("data/tockara/Calender.ini", "[DateFormat]\r\n1=mine\r\n");
    EXPECT_EQ(ResolveProgramFolder(folder.file("install/bin")), userFolder);
    EXPECT_EQ(folder.readBytes("data/tockara/Calender.ini"), "[DateFormat]\r\n1=mine\r\n");
}

TEST_F(ProgramFolder, ReadingTheRulesTakesTheProgramFolderWhereItExistsAndCreatesNothing)
{
    const QString installedBin = folder.file("install/bin");
    EXPECT_EQ(ProgramFolderToRead(installedBin), folder.file("install/share/tockara"));
    EXPECT_FALSE(QFileInfo::exists(userFolder)) << "a look at the rules seeds no user folder";

    // Once the user's folder holds its own rules, those are the ones read.
    ResolveProgramFolder(installedBin);
    EXPECT_EQ(ProgramFolderToRead(installedBin), userFolder);

    folder.writeBytes("install/bin/Calender.ini", "[DateFormat]\r\n");
    EXPECT_EQ(ProgramFolderToRead(installedBin), installedBin) << "a portable install reads beside itself";
}

} // namespace
