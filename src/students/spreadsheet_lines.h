#pragma once

#include "students/line_table.h"
#include "text/text_helpers.h"

#include <string>
#include <string_view>

// A Sconet export opened in a spreadsheet and saved again: the spreadsheet
// puts every field in double quotes ("NOM";"PRENOM";…), doubling the quotes
// inside them.
namespace tressal::students {

// True when the export was saved again that way: its header starts with a quote.
bool IsResavedBySpreadsheet(LineView lines);

// The line as the spreadsheet meant it: each quoted field unquoted ("" for a
// quote inside), a ';' or a line break inside it made safe as in any value
// read from an export (AsOneField). A field without quotes stays as it is.
std::string UnquotedLine(std::string_view line);

} // namespace tressal::students
