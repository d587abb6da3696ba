#pragma once

// The process's peak resident memory, for the benchmarks that print it.
#include <cstdio>

// The peak since the start or the last ResetPeakMemory, in kB.
inline long PeakMemoryKb()
{
    long peak = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld", &peak) == 1)
                break;
        std::fclose(f);
    }
    return peak;
}

// The peak starts again from the memory in use now.
inline void ResetPeakMemory()
{
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}
