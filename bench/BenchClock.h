// The benchmarks' clock: the performance counter, read as seconds between two readings.
#pragma once

#include <windows.h>

inline LARGE_INTEGER Now()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}

inline double Seconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}
