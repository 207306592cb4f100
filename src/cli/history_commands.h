#pragma once

#include "text/file_device.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// tressal-cli historique CONVERSION [CODE] [--root DIR]: the versions kept of
// the conversion's file, newest first, one a line: number, stamp, date and
// line count, kept file.
// tressal-cli restaurer CONVERSION [CODE] VERSION [--root DIR] [--dry-run]:
// puts that version (its number or its stamp) back in place, the current
// file going into the history; --dry-run prints the comparison of the version
// with the current file and writes nothing.
namespace tressal::cli {

// The exit code of the command, or nothing when the arguments are not one of
// these commands.
std::optional<int> RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err, FileDevice& device);

} // namespace tressal::cli
