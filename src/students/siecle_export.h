#pragma once

#include "students/option_codes.h"
#include "students/representatives_export.h"
#include "students/siecle_reader.h"
#include "students/student_fields.h"
#include "text/text_list.h"

#include <string>
#include <vector>

// A SIECLE student export turned into the lines of a Sconet export, so that
// every student conversion reads both the same way.
namespace tressal::students {

// PARAMETRES/UAJ, trimmed. Throws Error naming the value found unless it is an
// establishment code (seven digits and a letter).
std::string SiecleEstablishmentCode(const SiecleExport& data);

// Where a student was read: its ELEVE_ID or, when it has none, its rank from 1
// among the ELEVE elements; neither for the header line.
struct StudentPlace {
    std::string id;
    std::size_t rank = 0;
};

// A student left out, gone on the export date (UTF-8).
struct LeftStudent {
    StudentPlace place;
    std::string name;
    std::string firstName;
};

// Where the lines come from, for a report.
struct SiecleLineSources {
    std::vector<StudentPlace>
        elements;                     // per line, the ELEVE it was built from (none for the header)
    std::vector<LeftStudent> leavers; // in document order
    // Lines whose address, or phone, came from a legal representative.
    std::size_t addressesFromRepresentatives = 0;
    std::size_t phonesFromRepresentatives = 0;
    // Students whose line holds a character Windows-1252 cannot hold (written
    // "?"), with their names as the export gives them; in document order.
    std::vector<UnwritableStudent> unwritable;
};

// A 22-field header, then one 22-field line per student (Windows-1252), in
// document order, leaving out the students who had left on the export date.
// With the representatives' export, a student whose address (address, postal
// code and town), or phone, is empty takes that of a legal representative.
TextList SiecleStudentLines(const SiecleExport& data, const OptionCodes& codes,
                            SiecleLineSources* sources = nullptr,
                            const RepresentativeContacts* representatives = nullptr);

} // namespace tressal::students
