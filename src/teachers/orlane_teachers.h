#pragma once

#include "sts/sts_export.h"
#include "teachers/named_persons.h"
#include "text/text_list.h"

#include <functional>

namespace tressal::teachers {

// Told each line with its person and the person's index.
using OrlaneLineSeen =
    std::function<void(const sts::StsPerson& person, std::size_t index, std::string line)>;

// Calls seen with "NOM_USAGE,PRENOM" (Windows-1252) for each person with a
// usage name, in document order; the others are told to the observer.
void OrlaneTeacherLines(const sts::StsExport& data, PersonObserver* told,
                        const OrlaneLineSeen& seen);

// The Orlane teacher file of one export: its lines, sorted.
TextList OrlaneTeachers(const sts::StsExport& data, PersonObserver* told = nullptr);

} // namespace tressal::teachers
