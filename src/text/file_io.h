#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tressal {

// The whole file as bytes; throws Error "Impossible d'ouvrir le fichier ...".
std::string ReadWholeFile(const std::filesystem::path& path);

// A path as UTF-8 text for messages.
std::string PathText(const std::filesystem::path& path);

// French wording of a system error number.
std::string SystemReason(int errorNumber);

} // namespace tressal
