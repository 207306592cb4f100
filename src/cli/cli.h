#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tressal::cli {

// tressal-cli CONVERSION INPUT [--root DIR], or --help, or --version. Returns the exit code: 0
// done, 1 input error (message on err, nothing written), 2 usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tressal::cli
