#pragma once

// Measures a piece of work in a child process, so each figure is its own:
// wall time and the child's peak resident memory. Each figure printed is the
// median of several runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct Measure {
    double seconds = 0;
    double peakMegabytes = 0;
    // The peak above what the child held when it started (what it inherited
    // from the benchmark's own data): the work's own memory.
    double workMegabytes = 0;
    bool ok = false;
};

// A line "Name:   1234 kB" of /proc/self/status, in megabytes; 0 when unknown.
inline double StatusMegabytes(const char* name) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return 0;
    char line[256];
    double kilobytes = 0;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::strncmp(line, name, length) == 0 && line[length] == ':')
            kilobytes = std::atof(line + length + 1);
    std::fclose(status);
    return kilobytes / 1024.0;
}

// Resets the peak resident size (VmHWM) to the current one.
inline void ResetPeak() {
    if (std::FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

inline Measure MeasureInChild(const std::function<void()>& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Measure measure;
        malloc_trim(0); // what the benchmark freed is not there for the work to reuse unseen
        ResetPeak();
        const double startMegabytes = StatusMegabytes("VmRSS");
        const auto start = std::chrono::steady_clock::now();
        try {
            work();
            measure.ok = true;
        } catch (...) {
            measure.ok = false;
        }
        measure.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        measure.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
        measure.workMegabytes = StatusMegabytes("VmHWM") - startMegabytes;
        const auto written = write(channel[1], &measure, sizeof measure);
        _exit(written == static_cast<ssize_t>(sizeof measure) ? 0 : 1);
    }
    close(channel[1]);
    Measure measure;
    if (read(channel[0], &measure, sizeof measure) != static_cast<ssize_t>(sizeof measure))
        measure = {};
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return measure;
}

// The median time of several runs (one busy moment of the machine moves it
// little) and the largest peak.
inline Measure MeasureMedianOf(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    Measure result;
    for (int i = 0; i < runs; ++i) {
        const Measure measure = MeasureInChild(work);
        if (!measure.ok)
            return measure;
        times.push_back(measure.seconds);
        result.peakMegabytes = std::max(result.peakMegabytes, measure.peakMegabytes);
        result.workMegabytes = std::max(result.workMegabytes, measure.workMegabytes);
    }
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    result.seconds =
        times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    result.ok = !times.empty();
    return result;
}

inline void PrintMeasure(const char* name, const Measure& measure) {
    std::printf("%-24s %s %8.3f s  %7.1f MB peak\n", name, measure.ok ? "ok    " : "FAILED",
                measure.seconds, measure.peakMegabytes);
}

// The measure beside its ratio to a reference taken in the same run, so that
// figures from a busier or quieter machine still compare.
inline void PrintRatio(const char* name, const Measure& measure, double referenceSeconds,
                       const char* referenceName) {
    const double ratio = referenceSeconds > 0 ? measure.seconds / referenceSeconds : 0;
    std::printf("%-24s %s %8.3f s  %7.1f MB peak  x%.2f %s\n", name,
                measure.ok ? "ok    " : "FAILED", measure.seconds, measure.peakMegabytes, ratio,
                referenceName);
}

// The memory goal: what a conversion's peak resident memory adds to the
// process it starts in, at most twice the size of its input once inflated.
constexpr double kMemoryGoal = 2.0;

inline void PrintMemoryGoal(const Measure& measure, double inputMegabytes) {
    const double ratio = inputMegabytes > 0 ? measure.workMegabytes / inputMegabytes : 0;
    std::printf("%-24s memory %7.1f MB above the start for %.1f MB of input: x%.2f, goal x%.1f "
                "%s\n",
                "", measure.workMegabytes, inputMegabytes, ratio, kMemoryGoal,
                measure.ok && ratio <= kMemoryGoal ? "met" : "MISSED");
}

// The refusal of a broken input: its time and peak, and the memory goal,
// which holds for a refusal as for a conversion.
inline void PrintRefusal(const char* name, Measure measure, double inputMegabytes) {
    std::printf("%-24s %s %8.3f s  %7.1f MB peak\n", name, measure.ok ? "ACCEPTED" : "refused ",
                measure.seconds, measure.peakMegabytes);
    measure.ok = !measure.ok;
    PrintMemoryGoal(measure, inputMegabytes);
}
