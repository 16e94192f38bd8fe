// Stands in for bench_loupe.cpp while the program has no loupe: a drag
// sample with the loupe shown is then not measured, its floor still is.
#include "tools/bench/loupe_bench.h"

bool StartProgramLoupe(HWND)
{
    return false;
}

void TakeLoupeSample(HWND, POINT) {}

void HideProgramLoupe() {}

void EndProgramLoupe() {}
