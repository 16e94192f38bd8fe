#include "tools/bench/timing.h"

#include "tools/bench/table.h"

#include <algorithm>

namespace
{

double g_ticksPerMicrosecond = 0;

} // namespace

void StartClock()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMicrosecond = static_cast<double>(frequency.QuadPart) / 1e6;
}

double NowUs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMicrosecond;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return kNotMeasured;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        Pump();
        Sleep(1);
    } while (GetTickCount() - start < ms);
}
