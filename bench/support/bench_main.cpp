// Entry point of every benchmark program: drawing and windows need the
// application object (on the offscreen platform unless told otherwise), and
// the face texts need their fonts mapped as at start-up.
#include <benchmark/benchmark.h>
#include <QApplication>

#include "face/fonts.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
