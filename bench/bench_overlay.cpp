// One tick of the default clock with its digital overlay: the background, the
// hands and the date text with its 1-pixel outline, as every 100 ms.
#include <benchmark/benchmark.h>

#include "face/analog_face.h"
#include "face/digital_overlay.h"
#include "settings/settings.h"

namespace {

void TickWithOverlay(benchmark::State &state, qreal devicePixelRatio)
{
    Settings settings;   // date pattern 1, white with a dark blue 1-pixel outline
    AnalogFace face(settings);
    face.SetDevicePixelRatio(devicePixelRatio);
    face.ApplyBackColor();
    const QString datePattern = QStringLiteral("yyyy/mm/dd");
    const QString timePattern;
    // The seconds move as they do over a real minute.
    QStringList times;
    for (int second = 0; second < 60; ++second)
        times << QStringLiteral("1999/12/06 10:08:%1").arg(second, 2, 10, QLatin1Char('0'));
    int tick = 0;
    for (auto _ : state) {
        const QString &timeText = times[(tick++ / 10) % times.size()];
        face.DrawBackground();
        face.DrawHands(timeText);
        DrawDigitalOverlay(face.frame(), settings, datePattern, timePattern, timeText);
        benchmark::DoNotOptimize(face.frame().constBits());
    }
}

void BM_TickWithOverlay(benchmark::State &state)
{
    TickWithOverlay(state, 1);
}
BENCHMARK(BM_TickWithOverlay)->Unit(benchmark::kMicrosecond);

// The same on a screen scaled by 2: the text drawn at the device's resolution.
void BM_TickWithOverlayAtScale2(benchmark::State &state)
{
    TickWithOverlay(state, 2);
}
BENCHMARK(BM_TickWithOverlayAtScale2)->Unit(benchmark::kMicrosecond);

// The overlay alone, for comparison with the whole tick.
void BM_OverlayOnly(benchmark::State &state)
{
    Settings settings;
    QImage frame(settings.Setting.Width, settings.Setting.Height, QImage::Format_RGB32);
    frame.fill(Qt::darkGreen);
    const QString timeText = QStringLiteral("1999/12/06 10:08:30");
    for (auto _ : state) {
        DrawDigitalOverlay(frame, settings, QStringLiteral("yyyy/mm/dd"), QString(), timeText);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_OverlayOnly)->Unit(benchmark::kMicrosecond);

} // namespace
