// One tick of the default face: the background copy and the three hands, the
// drawing the clock repeats every 100 ms while it sits on the desktop.
#include <benchmark/benchmark.h>

#include "face/analog_face.h"

namespace {

void BM_TickDefaultFace(benchmark::State &state)
{
    Settings settings;
    AnalogFace face(settings);
    face.ApplyBackColor();
    const QString times[] = {QStringLiteral("2024/05/06 10:08:42"),
                             QStringLiteral("2024/05/06 10:08:43")};
    int tick = 0;
    for (auto _ : state) {
        face.DrawBackground();
        face.DrawHands(times[tick++ & 1]);
        benchmark::DoNotOptimize(face.frame().constBits());
    }
}
BENCHMARK(BM_TickDefaultFace);

} // namespace
