// Start-up to the first painted frame: settings read and written back, every
// window created, the environment applied, the clock shown and its face drawn.
#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

#include "context/context.h"
#include "platform/linux/linux_services.h"
#include "shell/clock_window.h"
#include "shell/startup.h"

namespace {

void BM_StartUpToFirstFrame(benchmark::State &state)
{
    Services services = MakeLinuxServices();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        QFile::copy(TOCKARA_DATA_DIR "/Calender.ini", folder.path() + "/Calender.ini");
        state.ResumeTiming();

        {
            Context ctx(services, folder.path());
            RunningClock running;
            StartClock(ctx, running);
            running.clock->Tick();   // draws the first full face and paints it
            benchmark::DoNotOptimize(running.clock->face().frame().constBits());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

} // namespace
