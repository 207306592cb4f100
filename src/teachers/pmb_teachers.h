#pragma once

#include "sts/sts_model_b.h"
#include "text/text_helpers.h"

#include <filesystem>

namespace tressal::teachers {

// The PMB teacher file of one export: "NOM;PRENOM;;;;;;year;sex" for each
// person with a usage name, sorted.
TextList PmbTeachers(const std::filesystem::path& input);
TextList PmbTeachers(const sts::b::TXMLSTS_EDTType& root);

} // namespace tressal::teachers
