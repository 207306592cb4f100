#pragma once

// Measures a piece of work in a child process, so each figure is its own:
// wall time and the child's peak resident memory.

#include <chrono>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct Measure {
    double seconds = 0;
    double peakMegabytes = 0;
    bool ok = false;
};

inline Measure MeasureInChild(const std::function<void()>& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Measure measure;
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

// The best time of several runs (the others met a busier machine) and the
// largest peak.
inline Measure MeasureBestOf(int runs, const std::function<void()>& work) {
    Measure best;
    for (int i = 0; i < runs; ++i) {
        const Measure measure = MeasureInChild(work);
        if (!measure.ok)
            return measure;
        best.seconds = (i == 0 || measure.seconds < best.seconds) ? measure.seconds : best.seconds;
        best.peakMegabytes =
            measure.peakMegabytes > best.peakMegabytes ? measure.peakMegabytes : best.peakMegabytes;
        best.ok = true;
    }
    return best;
}

inline void PrintMeasure(const char* name, const Measure& measure) {
    std::printf("%-22s %s %8.3f s  %7.1f MB peak\n", name, measure.ok ? "ok    " : "FAILED",
                measure.seconds, measure.peakMegabytes);
}
