#pragma once

#include "students/siecle_export.h"
#include "text/text_list.h"

#include <filesystem>
#include <string>
#include <vector>

// The student file that the user chose, in any of its three forms, recognised
// by content: a Sconet CSV export, a SIECLE student XML export, or a zip
// archive holding one.
namespace tressal::students {

struct StudentSource {
    std::string code;          // establishment code
    TextList lines;            // a header line, then one 22-field line per student
    bool numberedLines = true; // false: built from XML, no line numbers to quote
    // Built from XML: the element of each line, the students who had left
    // (no line), and the school year the export gives.
    std::vector<std::string> elements;
    std::vector<LeftStudent> leavers;
    std::vector<LeftStudent> unwritable; // see SiecleLineSources
    std::string schoolYear;
    bool resavedBySpreadsheet = false; // a CSV saved again by a spreadsheet
    sts::EncodingNote encoding;        // XML: its bytes against its declaration
};

// Reads the file. The CSV keeps all its rules (its name gives the code). The
// XML and zip forms take the code from the export; their options get their
// management codes from a nomenclature export found in the same archive, or
// from a Nomenclature.xml in the same folder, or from the built-in table.
StudentSource ReadStudentSource(const std::filesystem::path& input);

} // namespace tressal::students
