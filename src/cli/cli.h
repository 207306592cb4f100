#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tressal {
class FileDevice;
}

namespace tressal::cli {

// tressal-cli [OPTIONS] [--] CONVERSION INPUT, or -h/--help, or -V/--version.
// INPUT "-" reads the export from standard input. --dry-run converts and
// prints the report with the comparison with the file a save would replace,
// and writes nothing (even with --report); --report saves, then prints the
// report; --format json prints it as one JSON object. Results go to out,
// messages (each starting with "tressal-cli : ") to err. Returns the exit
// code: 0 done, 1 input or save error (every previous file kept), 2 usage
// error (what is wrong, then the usage).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Run, saving through the device.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        FileDevice& device);

} // namespace tressal::cli
