#pragma once

#include "conversions/conversion.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tressal {

// Asked, with the file, when a save would replace a file that lists people
// with one that lists no one: true writes it all the same, false cancels the
// save.
using ConfirmEmptying = std::function<bool(const std::filesystem::path& file)>;

// The first of the files that saving the result would empty: the result lists
// no student or teacher (its header aside) while the file there lists some.
// A file that cannot be read is left for the save to report.
std::optional<std::filesystem::path> EmptiedFile(const Converted& result,
                                                 const std::vector<std::filesystem::path>& files);

// What the window and the command line say of it, in French.
std::string EmptyingText(const Converted& result, const std::filesystem::path& file);

} // namespace tressal
