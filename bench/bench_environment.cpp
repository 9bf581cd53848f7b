// One tick of a fully dressed clock: the environments shipped with the clock
// (a scrolling background picture with a flying figure, or a stretched
// background with a walking figure), the hands, and the date and time texts
// with their outlines, the drawing the clock repeats every 100 ms.
#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "face/analog_face.h"
#include "face/animation.h"
#include "face/digital_overlay.h"
#include "face/environment_loader.h"
#include "context/context.h"
#include "platform/linux/linux_services.h"

namespace {

// A clock in a scratch program folder dressed with one of the shipped samples.
struct DressedClock {
    explicit DressedClock(const QString &definition, qreal devicePixelRatio = 1)
    {
        face.SetDevicePixelRatio(devicePixelRatio);
        const QDir samples(QStringLiteral(TOCKARA_DATA_DIR "/anime"));
        for (const QString &file : samples.entryList(QDir::Files))
            QFile::copy(samples.filePath(file), folder.filePath(file));
        Settings settings = ctx.settings();
        settings.Anime.File = folder.filePath(definition);
        settings.Digital.DatePattern = 1;
        settings.Digital.TimePattern = 1;
        settings.Digital.DateFuchiEnabled = 1;
        settings.Digital.TimeFuchiEnabled = 1;
        ctx.store.Reset(settings);
        ctx.patterns = {QStringLiteral("yyyy/mm/dd"), QStringLiteral("hh:nn:ss")};
        LoadEnvironment(ctx.store, animation, face);
        if (animation.patternCount() <= 0)
            animation.InstallBuiltInPatterns();
    }

    // The tick's drawing steps, in the clock's order.
    void Tick(const QString &timeText)
    {
        face.DrawBackground();
        animation.Tick(face);
        face.DrawHands(timeText);
        DrawDigitalOverlay(face.frame(), ctx.settings(), ctx.patterns.DatePatternFormat,
                           ctx.patterns.TimePatternFormat, timeText);
    }

    QTemporaryDir folder;
    Services services = MakeLinuxServices();
    Context ctx{services, folder.path()};
    AnalogFace face{ctx.settings()};
    FaceAnimation animation;
};

const QString kTimes[] = {QStringLiteral("2024/05/06 10:08:42"),
                          QStringLiteral("2024/05/06 10:08:43")};

void RunTicks(benchmark::State &state, const QString &definition, qreal devicePixelRatio = 1)
{
    DressedClock clock(definition, devicePixelRatio);
    if (!clock.face.scrolling() && definition == "scroll.dat")
        state.SkipWithError("the scroll sample did not scroll");
    int tick = 0;
    for (auto _ : state) {
        clock.Tick(kTimes[tick++ & 1]);
        benchmark::DoNotOptimize(clock.face.frame().constBits());
    }
}

void BM_TickScrollingEnvironment(benchmark::State &state)
{
    RunTicks(state, QStringLiteral("scroll.dat"));
}
BENCHMARK(BM_TickScrollingEnvironment);

void BM_TickWalkingEnvironment(benchmark::State &state)
{
    RunTicks(state, QStringLiteral("walker.dat"));
}
BENCHMARK(BM_TickWalkingEnvironment);

// Both on a screen scaled by 2: pictures and figure scaled to 160 x 160
// device pixels, hands and texts drawn at that resolution.
void BM_TickScrollingEnvironmentAtScale2(benchmark::State &state)
{
    RunTicks(state, QStringLiteral("scroll.dat"), 2);
}
BENCHMARK(BM_TickScrollingEnvironmentAtScale2);

void BM_TickWalkingEnvironmentAtScale2(benchmark::State &state)
{
    RunTicks(state, QStringLiteral("walker.dat"), 2);
}
BENCHMARK(BM_TickWalkingEnvironmentAtScale2);

// The figure's share of a tick: advancing and drawing it.
void BM_AnimationStep(benchmark::State &state)
{
    DressedClock clock(QStringLiteral("walker.dat"));
    for (auto _ : state) {
        clock.animation.AnimationStep(clock.face);
        benchmark::DoNotOptimize(clock.face.frame().constBits());
    }
}
BENCHMARK(BM_AnimationStep);

} // namespace
