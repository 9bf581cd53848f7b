// Which command lines start the clock: none but --menu and the toolkit's own
// options (a session manager restarts a program with -session), each with
// its value; the usage errors themselves are checked on the real program
// (tests/cli).
#include <gtest/gtest.h>
#include <vector>

#include "shell/command_line.h"

namespace {

std::optional<int> Answer(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "tockara");
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStderr();
    const std::optional<int> code = RunCommandLineOption(int(arguments.size()), argv.data());
    testing::internal::GetCapturedStderr();
    return code;
}

TEST(CommandLineTest, OnlyTheMenuAndTheToolkitsOptionsStartTheClock)
{
    const struct {
        std::vector<std::string> arguments;
        bool starts;
    } cases[] = {
        {{}, true},
        {{"--menu"}, true},
        {{"-session", "1234abcd"}, true},
        {{"--style", "fusion", "--menu"}, true},
        {{"-platform=offscreen", "-reverse"}, true},
        {{"--platformtheme=gtk3"}, true},
        {{"-session"}, false},                 // its value is missing
        {{"-reverse=yes"}, false},             // takes none
        {{"--menu", "--menu2"}, false},
        {{"-style", "fusion", "clock.ini"}, false},
        {{"-"}, false},
        {{"--"}, false},
    };
    for (const auto &c : cases) {
        const std::optional<int> code = Answer(c.arguments);
        EXPECT_EQ(code, c.starts ? std::nullopt : std::optional<int>(2))
            << testing::PrintToString(c.arguments);
    }
}

} // namespace
