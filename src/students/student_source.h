#pragma once

#include "students/line_table.h"
#include "students/representatives_source.h"
#include "students/siecle_export.h"
#include "text/text_helpers.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The student file that the user chose, in any of its three forms, recognised
// by content: a Sconet CSV export, a SIECLE student XML export, or a zip
// archive holding one.
namespace tressal::students {

struct StudentSource {
    std::string code;          // establishment code
    LineTable lines;           // a header line, then one 22-field line per student
    bool numberedLines = true; // false: built from XML, no line numbers to quote
    // Built from XML: the element of each line, the students who had left
    // (no line), and the school year the export gives.
    std::vector<StudentPlace> elements;
    std::vector<LeftStudent> leavers;
    // Students whose line lost a character Windows-1252 cannot hold, with
    // their names as the export spells them; in the order of the lines.
    std::vector<UnwritableStudent> unwritable;
    std::string schoolYear;
    // Built from XML with a representatives' export: what the lines took from it.
    std::optional<RepresentativesUse> representatives;
    bool resavedBySpreadsheet = false; // a CSV saved again by a spreadsheet
    xml::EncodingNote encoding;        // XML: its bytes against its declaration
};

// Reads the file. The CSV keeps all its rules (its name gives the code). The
// XML and zip forms take the code from the export; their options get their
// management codes from a nomenclature export found in the same archive, or
// from a Nomenclature.xml in the same folder, or from the built-in table.
// Their students without an address or a phone take those of their legal
// representatives, from the representatives' export named
// (representativesFile), else found in the same archive, else beside the
// export; an export of another establishment is left aside.
StudentSource ReadStudentSource(const std::filesystem::path& input,
                                const std::filesystem::path& representativesFile = {});

// The same from bytes read elsewhere (standard input): a CSV export takes
// csvCode, checked as its file name's would be; the other forms take the code
// they carry, and find no Nomenclature.xml beside them.
StudentSource StudentSourceFromBytes(std::string bytes, const std::string& csvCode,
                                     const std::filesystem::path& representativesFile = {});

} // namespace tressal::students
