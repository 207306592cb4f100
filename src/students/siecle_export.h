#pragma once

#include "students/option_codes.h"
#include "students/siecle_reader.h"
#include "text/text_list.h"

#include <string>
#include <vector>

// A SIECLE student export turned into the lines of a Sconet export, so that
// every student conversion reads both the same way.
namespace tressal::students {

// PARAMETRES/UAJ, trimmed. Throws Error naming the value found unless it is an
// establishment code (seven digits and a letter).
std::string SiecleEstablishmentCode(const SiecleExport& data);

// A student left out, gone on the export date (UTF-8).
struct LeftStudent {
    std::string element; // "ELEVE_ID 4711"
    std::string name;
    std::string firstName;
};

// Where the lines come from, for a report.
struct SiecleLineSources {
    std::vector<std::string> elements; // per line, the ELEVE it was built from ("" for the header)
    std::vector<LeftStudent> leavers;  // in document order
    // Students whose line holds a character Windows-1252 cannot hold (written
    // "?"), with their names as the export gives them; in document order.
    std::vector<LeftStudent> unwritable;
};

// A 22-field header, then one 22-field line per student (Windows-1252), in
// document order, leaving out the students who had left on the export date.
TextList SiecleStudentLines(const SiecleExport& data, const OptionCodes& codes,
                            SiecleLineSources* sources = nullptr);

} // namespace tressal::students
