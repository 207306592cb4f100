#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tressal {

// A path as UTF-8 text for messages, with the system's own separator
// throughout (on Windows, a backslash even where the path was given with "/").
std::string PathText(const std::filesystem::path& path);

// The path UTF-8 text names, whatever the system's code page.
std::filesystem::path PathFromText(std::string_view text);

// French wording of a system error number.
std::string SystemReason(int errorNumber);

} // namespace tressal
