// One running clock per user and display.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/linux/linux_services.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

TEST(InstanceLock, ASecondClockOnTheSameDisplayIsRefusedUntilTheFirstEnds)
{
    TempFolder runtime;
    EnvironmentValue runtimeDir("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EnvironmentValue display("DISPLAY", ":77");

    auto first = MakeLinuxInstanceLock();
    ASSERT_TRUE(first->tryLock());
    EXPECT_FALSE(MakeLinuxInstanceLock()->tryLock());
    EXPECT_FALSE(QDir(runtime.path()).isEmpty()) << "the lock lives in the user's runtime folder";

    {
        EnvironmentValue otherDisplay("DISPLAY", ":78");
        EXPECT_TRUE(MakeLinuxInstanceLock()->tryLock()) << "another display runs its own clock";
    }

    first.reset();
    EXPECT_TRUE(MakeLinuxInstanceLock()->tryLock());
}

} // namespace
