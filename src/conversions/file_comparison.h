#pragma once

#include "conversions/conversion.h"

#include <filesystem>

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

} // namespace tressal
