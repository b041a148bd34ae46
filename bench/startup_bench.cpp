// bench/startup_bench.cpp: the real program started headless and driven by the end-to-end
// scripts, in milliseconds per run: to the title screen and quit from there, and a new career's
// first match watched whole in the text view.
#include <string>

#include <benchmark/benchmark.h>

#include "tests/support/front_end_script.h"
#include "tests/support/support.h"

namespace {

void RunScriptEachIteration(benchmark::State& state, const std::string& script)
{
    TempHome home;
    TempDir work;
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

void BM_StartupToTitleMs(benchmark::State& state)
{
    RunScriptEachIteration(state, ScriptToTitle() + ScriptQuitFromBar());
}
BENCHMARK(BM_StartupToTitleMs)->Unit(benchmark::kMillisecond)->UseRealTime();

// The end-to-end watch script: every frame of the match is drawn and presented, few are read.
void BM_WatchedMatchMs(benchmark::State& state)
{
    RunScriptEachIteration(state, ScriptToTitle() + IncludeScript("new_career.txt")
                                      + IncludeScript("to_match_day.txt")
                                      + IncludeScript("watch_match_text.txt")
                                      + IncludeScript("match_to_office.txt") + ScriptQuitFromBar());
}
BENCHMARK(BM_WatchedMatchMs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
