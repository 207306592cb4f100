#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tressal {
class FileDevice;
}

namespace tressal::cli {

// tressal-cli CONVERSION INPUT [--root DIR] [--dry-run | --report], or --help,
// or --version. --dry-run converts and prints the report with the comparison
// with the file a save would replace, and writes nothing; --report saves, then
// prints the report. Returns
// the exit code: 0 done, 1 input or save error (message on err, every previous
// file kept), 2 usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Run, saving through the device.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        FileDevice& device);

} // namespace tressal::cli
