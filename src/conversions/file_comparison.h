#pragma once

#include "conversions/conversion.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tressal {

// The result's lines set against those of the file it replaces, line by line
// regardless of place: a line found in both counts once as unchanged, and a
// line that changed shows as one removed and one added. With a header, the
// result's first line takes no part, nor the file's first line when it is that
// same header.
Comparison CompareWithExisting(const TextList& lines, const TextList& existing, bool header,
                               const std::filesystem::path& file);

// The same against that file, read as a text list (Windows-1252, any line
// end). Throws Error saying why when it cannot be read.
Comparison CompareWithFile(const TextList& lines, bool header, const std::filesystem::path& file);

// When the file that saving the result would replace (the plan's proposed
// file below the root) exists, puts the comparison with it into the report;
// a file that cannot be read gives a warning instead.
void CompareWithProposedFile(const Conversion& conversion, Converted& result,
                             const std::filesystem::path& root);

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
