#pragma once

#include <filesystem>

namespace tressal {

// A fresh name beside the file, recognisable as one of the program's
// temporary files: "<name>.tressal-tmp-<process>-<count>".
std::filesystem::path TemporaryBeside(const std::filesystem::path& file);

// Removes from the folder the program's temporary files last written more
// than an hour ago: a run killed in the middle of a save left them there.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

} // namespace tressal
