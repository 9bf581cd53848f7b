// Tockara: a desktop clock gadget. The program takes no arguments.
#include "shell/startup.h"

int main(int argc, char **argv)
{
    return RunTockara(argc, argv);
}
