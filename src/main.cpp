// Tockara: a desktop clock gadget.
#include "shell/command_line.h"
#include "shell/startup.h"

int main(int argc, char **argv)
{
    // A few options are answered on the command line, without a display;
    // anything else starts the clock.
    if (const std::optional<int> exitCode = RunCommandLineOption(argc, argv))
        return *exitCode;
    return RunTockara(argc, argv);
}
