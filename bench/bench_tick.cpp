// One tick of the default face: the background copy and the three hands, the
// drawing the clock repeats every 100 ms while it sits on the desktop.
#include <benchmark/benchmark.h>

#include "face/analog_face.h"

namespace {

void TickDefaultFace(benchmark::State &state, qreal devicePixelRatio)
{
    Settings settings;
    AnalogFace face(settings);
    face.SetDevicePixelRatio(devicePixelRatio);
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

void BM_TickDefaultFace(benchmark::State &state)
{
    TickDefaultFace(state, 1);
}
BENCHMARK(BM_TickDefaultFace);

// The same on a screen scaled by 2: 160 x 160 device pixels, smooth hands.
void BM_TickDefaultFaceAtScale2(benchmark::State &state)
{
    TickDefaultFace(state, 2);
}
BENCHMARK(BM_TickDefaultFaceAtScale2);

} // namespace
