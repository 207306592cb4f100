#pragma once

#include <string>
#include <string_view>

// French, case-insensitive ordering of Windows-1252 lines (ICU's collator for
// French at secondary strength: case ignored, accents significant, "," and ";"
// before letters).
namespace tressal {

// Negative, zero or positive as a sorts before, with or after b.
int CompareLines(std::string_view a, std::string_view b);

// The collator's sort key of a line; equal keys mean lines equal apart from
// letter case, and keys order as CompareLines does.
std::string CollationKey(std::string_view line);

} // namespace tressal
