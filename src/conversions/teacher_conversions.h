#pragma once

#include "conversions/conversion.h"

#include <filesystem>

// The teacher conversions with their reports: each export is read once, for
// its lines and for its report.
namespace tressal {

enum class TeacherTarget { Orlane, Vesko, Pmb };

// One establishment's export; its code comes from its file name.
Converted ConvertTeachers(const std::filesystem::path& input, TeacherTarget target);

// An export read elsewhere (standard input): its code is the one it carries
// (PARAMETRES/UAJ), or else the one given.
Converted ConvertTeachers(InputBytes& given, TeacherTarget target);

// The exports of a cité scolaire's folder, merged; progress is told the
// result after each export.
Converted ConvertCite(const std::filesystem::path& folder, const ConvertContext& context);

} // namespace tressal
