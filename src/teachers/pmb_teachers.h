#pragma once

#include "sts/sts_export.h"
#include "teachers/named_persons.h"
#include "text/text_list.h"

namespace tressal::teachers {

// The PMB teacher file of one export: "NOM;PRENOM;;;;;;year;sex" for each
// person with a usage name, sorted.
TextList PmbTeachers(const sts::StsExport& data, PersonObserver* told = nullptr);

} // namespace tressal::teachers
