#pragma once

#include <filesystem>
#include <string>

namespace tressal {

// A path as UTF-8 text for messages.
std::string PathText(const std::filesystem::path& path);

// French wording of a system error number.
std::string SystemReason(int errorNumber);

} // namespace tressal
