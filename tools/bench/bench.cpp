// tanzel's benchmark: the cost of a sample, of the loupe, of a long drag, of
// a still, of Drop, of start-up, and the size of the exe, each paired with
// the floor it is measured against in the same run. Prints one table
// (Markdown); the exit code says only whether the program worked, never
// whether a figure met its budget.
//
//   tanzel_bench [--quick]
//
// TANZEL_BENCH_TRACE=1 prints how long each part took, and each Drop and
// walk, to standard error.
//
// It starts copies of itself for the parts that must live in another
// process: --farm EVENT COUNT (a host colour dialog and top-level windows of
// another program), and --first-start / --second-start [--warm] (the sequence
// WinMain runs, in a fresh process; --warm first does the set-up Wine does
// lazily on a process's first display call and first window).
#include "tools/bench/bench.h"
#include "tools/bench/paired.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

Plan MakePlan(bool quick)
{
    // Two rounds of Drop: the farm then moves its windows only twice, which
    // is most of the quick run's time.
    if (quick)
        return {40, 2000, {100, 1000}, 2, 2, 3, 20};
    return {400, 20000, {100, 1000, 5000}, 5, 10, 60, 100};
}

// With TANZEL_BENCH_TRACE set, how long each part took, to standard error.
void TracePart(const char *part, double startUs)
{
    if (std::getenv("TANZEL_BENCH_TRACE"))
        std::fprintf(stderr, "trace: %s took %.1f s\n", part, (NowUs() - startUs) / 1e6);
}

int RunBench(bool quick)
{
    Plan plan = MakePlan(quick);
    if (PickerAlreadyRuns()) {
        std::fprintf(stderr, "bench: a tanzel is already running on this desktop\n");
        return 1;
    }

    double start = NowUs();
    MeasureSize();
    MeasureFirstStart(plan);
    TracePart("size and first start", start);
    HWND picker;
    if (StartPicker(&picker) == kPickerShown) {
        PumpFor(300);
        start = NowUs();
        MeasureSecondStart(plan);
        TracePart("second start", start);
        start = NowUs();
        MeasureSamples(plan, picker);
        TracePart("samples", start);
        start = NowUs();
        MeasureStill(plan, picker);
        TracePart("still", start);
        start = NowUs();
        MeasureDrop(plan, picker);
        TracePart("drop", start);
        DestroyWindow(picker);
    } else {
        Fail("the picker window could not be created");
    }
    std::printf(
        "Medians of: %d pairs of batches of %d samples of each paired way, a long drag "
        "of %d samples; %d rounds of Drop, %d or more at each size in each; %d starts of each "
        "kind.\n\n",
        plan.samplePairs, kSamplesPerBatch, plan.longDragSamples, plan.dropRounds, plan.dropTurns,
        plan.startRounds);
    PrintTable(!quick);
    return Failed() ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    StartClock();
    if (argc == 4 && std::strcmp(argv[1], "--farm") == 0)
        return RunFarm(argv[2], std::atoi(argv[3]));
    bool warm = argc == 3 && std::strcmp(argv[2], "--warm") == 0;
    if ((argc == 2 || warm) && std::strcmp(argv[1], "--first-start") == 0)
        return static_cast<int>(RunFirstStart(warm));
    if ((argc == 2 || warm) && std::strcmp(argv[1], "--second-start") == 0)
        return static_cast<int>(RunSecondStart(warm));
    if (argc == 1 || (argc == 2 && std::strcmp(argv[1], "--quick") == 0))
        return RunBench(argc == 2);
    std::fprintf(stderr, "usage: tanzel_bench [--quick]\n");
    return 2;
}
