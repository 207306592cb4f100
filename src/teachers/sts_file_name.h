#pragma once

#include <filesystem>
#include <string>

namespace tressal::teachers {

// The establishment code of an STS export: the third "_"-separated field of
// its file name (folders left out), trimmed. A code that is not a safe single
// folder name is refused with Error "Nom de fichier incorrect", the expected
// form on a second line.
std::string StsEstablishmentCode(const std::filesystem::path& input);

} // namespace tressal::teachers
