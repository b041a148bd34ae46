// bench/startup_bench.cpp: the real program started headless, taken through the splash screens
// and the credits to the title screen and quit from there, in milliseconds per run.
#include <string>

#include <benchmark/benchmark.h>

#include "tests/support/front_end_script.h"
#include "tests/support/support.h"

namespace {

void BM_StartupToTitleMs(benchmark::State& state)
{
    TempHome home;
    TempDir work;
    const std::string script = ScriptToTitle() + ScriptQuitFromBar();
    if (!WriteTextFile(work.Path("script.txt"), script)) {
        state.SkipWithError("cannot write the script");
        return;
    }
    const std::vector<std::string> args = {"-headless", "-seed", "7", "-script", "script.txt"};
    for (auto _ : state) {
        const ProgramResult run = RunProgram(args, {}, "", 120, work.Path());
        if (run.exitCode != 0) {
            state.SkipWithError(("the run failed: " + run.err).c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StartupToTitleMs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
