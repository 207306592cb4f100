#pragma once

#include "sts/sts_model_a.h"
#include "text/text_helpers.h"

#include <filesystem>

namespace tressal::teachers {

// "NOM_USAGE,PRENOM" (Windows-1252) for each person with a usage name, in
// document order.
TextList OrlaneTeacherLines(const sts::a::TXMLSTS_EDTType& root);

// The Orlane teacher file of one export: its lines, sorted.
TextList OrlaneTeachers(const std::filesystem::path& input);
TextList OrlaneTeachers(const sts::a::TXMLSTS_EDTType& root);

} // namespace tressal::teachers
