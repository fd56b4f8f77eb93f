// What the framework does before the event loop runs, on the headless
// backend: the runtime and its plug-in table, the class records, the
// application object, and the main window with its designed properties, its
// eleven controls and their handlers. The toolkit's own start is not in it.
//
// A process starts once, and builds its class records then; a start in a
// fresh (forked) process is what a user waits for. A start again in the same
// process shows the part that isn't class records.
#include "app/ProgramMain.h"
#include "app/Startup.h"

#include "runtime/Runtime.h"

#include "support/TemporaryConfigHome.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

// One start, up to where the event loop would run, and its seconds; the
// program is taken down again afterwards, untimed.
double TimedStart()
{
    const auto begin = std::chrono::steady_clock::now();
    rt::RuntimeInit();
    program::initialize();
    rt::RunFrameworkInitialization(&program::Startup);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    program::finalize();
    rt::RuntimeExit();
    return took.count();
}

void StartInFreshProcess(benchmark::State& state)
{
    testing_support::TemporaryConfigHome config; // no saved place: the default one
    for (auto _ : state) {
        int pipe[2];
        if (::pipe(pipe) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            const double seconds = TimedStart();
            _exit(::write(pipe[1], &seconds, sizeof seconds) == sizeof seconds ? 0 : 1);
        }
        ::close(pipe[1]);
        double seconds = 0;
        const bool read = child > 0 && ::read(pipe[0], &seconds, sizeof seconds) == sizeof seconds;
        ::close(pipe[0]);
        int status = 0;
        if (child > 0)
            ::waitpid(child, &status, 0);
        if (!read || status != 0) {
            state.SkipWithError("the start in a fresh process failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(StartInFreshProcess)->UseManualTime()->Unit(benchmark::kMicrosecond);

void StartAgain(benchmark::State& state)
{
    testing_support::TemporaryConfigHome config;
    TimedStart(); // the class records
    for (auto _ : state)
        state.SetIterationTime(TimedStart());
}
BENCHMARK(StartAgain)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
