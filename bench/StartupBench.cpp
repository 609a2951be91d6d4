// Measures the editor's start-up on a virtual display beside an empty JUCE window built with the same
// library and flags: the time from starting the process to its window being mapped, and the resident
// memory once the window is up.
#include "support/ProgramOnVirtualDisplay.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int startTimeout = 30000;
constexpr int closeTimeout = 10000;
// Let the first frames be drawn before the memory is read.
constexpr int settleMilliseconds = 500;
constexpr double megabyte = 1024.0 * 1024.0;

struct Start
{
    double milliseconds = 0.0;
    double megabytes = 0.0;
};

bool start(const char* program, const char* title, Start& result, benchmark::State& state)
{
    ProgramOnVirtualDisplay run(program, title, startTimeout);
    if (!run.isShown())
    {
        state.SkipWithError(run.getProblem().toRawUTF8());
        return false;
    }
    result.milliseconds = run.getMillisecondsToWindow();
    juce::Thread::sleep(settleMilliseconds);
    result.megabytes = (double) run.getResidentBytes() / megabyte;

    int exitCode = 0;
    if (!run.closeAndWaitForExit(closeTimeout, exitCode) || exitCode != 0)
    {
        state.SkipWithError("the program did not end cleanly");
        return false;
    }
    return true;
}

// Each iteration starts the editor and the empty window once; the iteration's time is the editor's.
void startupAgainstAnEmptyWindow(benchmark::State& state)
{
    double editorTotal = 0.0, emptyTotal = 0.0, editorMemory = 0.0, emptyMemory = 0.0;
    for (auto _ : state)
    {
        Start editor, empty;
        if (!start(VEXLO_EDITOR_PATH, "VEXLO Editor", editor, state) ||
            !start(VEXLO_EMPTY_WINDOW_PATH, "Empty JUCE Window", empty, state))
            return;
        state.SetIterationTime(editor.milliseconds / 1000.0);
        editorTotal += editor.milliseconds;
        emptyTotal += empty.milliseconds;
        editorMemory = std::max(editorMemory, editor.megabytes);
        emptyMemory = std::max(emptyMemory, empty.megabytes);
    }

    const auto runs = (double) state.iterations();
    state.counters["editor_ms"] = editorTotal / runs;
    state.counters["empty_ms"] = emptyTotal / runs;
    state.counters["time_ratio"] = editorTotal / emptyTotal;
    state.counters["editor_MB"] = editorMemory;
    state.counters["empty_MB"] = emptyMemory;
}
} // namespace

BENCHMARK(startupAgainstAnEmptyWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
