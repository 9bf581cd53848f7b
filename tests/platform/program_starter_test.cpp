// Starting a program directly, with the failure codes the messages show.
#include <gtest/gtest.h>

#include <QFile>

#include "platform/linux/linux_services.h"
#include "support/temp_folder.h"

namespace {

TEST(ProgramStarter, FailureCodes)
{
    TempFolder folder;
    folder.writeBytes("not-executable", "#!/bin/sh\n");
    const struct {
        QString program, workFolder;
        int code;
    } cases[] = {
        {"true", "", 0},
        {"true", folder.path(), 0},
        {"tockara-no-such-program", "", 53},
        {folder.file("missing/program"), "", 53},
        {"true", folder.file("no-such-folder"), 76},
        {folder.file("not-executable"), "", 5},
    };
    auto starter = MakeLinuxProgramStarter();
    for (const auto &c : cases)
        EXPECT_EQ(starter->start(c.program, {}, c.workFolder), c.code) << c.program.toStdString();
}

} // namespace
