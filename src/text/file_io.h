#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tressal {

// Writes the bytes to a temporary file beside the target, then renames it over
// the target: a failed write never leaves a half-written file nor destroys the
// previous one. Throws Error "Impossible de créer le fichier ...".
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A path as UTF-8 text for messages.
std::string PathText(const std::filesystem::path& path);

// French wording of a system error number.
std::string SystemReason(int errorNumber);

} // namespace tressal
