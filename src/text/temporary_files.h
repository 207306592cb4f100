#pragma once

#include <filesystem>

namespace tressal {

// A fresh name beside the file, recognisable as one of the program's
// temporary files and that no one can guess: "<name>.tressal-tmp-" followed
// by 12 random letters and digits.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file);

// True for a name of the program's temporary files, this form or the former
// "<name>.tressal-tmp-<process>-<count>".
bool IsTemporaryName(const std::filesystem::path& file);

// Removes from the folder the program's temporary files that a run stopped in
// the middle of a save left there: all of them when `anyAge` (the caller holds
// the folder's lock, so no save of another run is using them), otherwise
// those written more than an hour ago. Links are left as they are.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder, bool anyAge);

} // namespace tressal
