// One running clock per program folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "platform/linux/linux_services.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    InstanceLockTest()
    {
        QDir(folder.path()).mkpath("program");
        QDir(folder.path()).mkpath("other");
    }
    TempFolder folder;
    const QString program = folder.file("program");
};

TEST_F(InstanceLockTest, ASecondClockOnTheSameFolderIsRefusedUntilTheFirstEnds)
{
    auto first = MakeLinuxInstanceLock(program);
    ASSERT_TRUE(first->tryLock());
    EXPECT_FALSE(MakeLinuxInstanceLock(program)->tryLock());
    EXPECT_TRUE(MakeLinuxInstanceLock(folder.file("other"))->tryLock()) << "another folder runs its own clock";

    first.reset();
    EXPECT_TRUE(MakeLinuxInstanceLock(program)->tryLock());
}

// The environment of a second start differs in ways that must not matter.
TEST_F(InstanceLockTest, NeitherTheDisplayNorTheRuntimeFolderNorTheSpellingOfTheFolderMatter)
{
    EnvironmentValue display("DISPLAY", ":77");
    auto first = MakeLinuxInstanceLock(program);
    ASSERT_TRUE(first->tryLock());

    EnvironmentValue sameDisplay("DISPLAY", ":77.0");
    EnvironmentValue runtime("XDG_RUNTIME_DIR", QFile::encodeName(folder.file("other")));
    ASSERT_TRUE(QFile::link(program, folder.file("linked")));
    for (const QString &spelling : {program, program + "/", folder.file("other/../program"), folder.file("linked")})
        EXPECT_FALSE(MakeLinuxInstanceLock(spelling)->tryLock()) << qPrintable(spelling);
}

TEST_F(InstanceLockTest, AReadOnlyFolderIsLockedAllTheSame)
{
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    auto first = MakeLinuxInstanceLock(program);
    EXPECT_TRUE(first->tryLock());
    EXPECT_FALSE(MakeLinuxInstanceLock(program)->tryLock());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program the clock started lives on after the clock: it must not keep the
// clock's lock and so keep the next clock from starting.
TEST_F(InstanceLockTest, AProgramStartedByTheClockDoesNotKeepTheLock)
{
    auto first = MakeLinuxInstanceLock(program);
    ASSERT_TRUE(first->tryLock());
    QProcess started;
    started.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(started.waitForStarted());

    first.reset();
    EXPECT_TRUE(MakeLinuxInstanceLock(program)->tryLock());
    started.kill();
    started.waitForFinished();
}

} // namespace
