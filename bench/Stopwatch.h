#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

// Milliseconds since construction, from the performance counter.
class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start); }
    double Milliseconds() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start;
};

// The median of times, which must not be empty.
inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median of runs calls of run, each of which times its own part and returns it.
template <typename Run> double Median(int runs, Run run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(run());
    }
    return Median(std::move(times));
}
