#pragma once

#include "conversions/conversion.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <string>

namespace tressal::app {

// The conversion of that command-line name; a name the table lacks is a
// fault of the program (std::logic_error).
const Conversion& ConversionNamed(const char* cliName);

// What a conversion running on a worker thread hands back, each called on
// the receiver's (the window's) thread, and only while the receiver lives.
struct JobHandlers {
    std::function<void(const Converted& sofar)> progress; // after each input of several
    std::function<void(Converted result)> done;
    std::function<void(const std::string& message)> failed; // the user's message
};

// Converts the input on a thread of the program's pool, then compares the
// result with the file a save would propose below the output root. Nothing is
// written. A receiver destroyed meanwhile abandons the work: its handlers are
// never called.
void StartConversionJob(const Conversion& conversion, std::filesystem::path input,
                        std::filesystem::path outputRoot, QObject* receiver, JobHandlers handlers);

// Waits for every conversion still running (the program's end).
void WaitForConversionJobs();

} // namespace tressal::app
