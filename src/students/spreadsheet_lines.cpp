#include "students/spreadsheet_lines.h"

#include "text/text_helpers.h"

#include <algorithm>

namespace tressal::students {

bool IsResavedBySpreadsheet(LineView lines) {
    return !lines.empty() && lines[0].starts_with('"');
}

std::string UnquotedLine(std::string_view line) {
    std::string result;
    result.reserve(line.size());
    std::size_t at = 0;
    for (bool first = true; first || at <= line.size(); first = false) {
        if (!first)
            result += ';';
        if (at < line.size() && line[at] == '"') {
            std::string value;
            for (++at; at < line.size(); ++at) {
                if (line[at] != '"') {
                    value += line[at];
                } else if (at + 1 < line.size() && line[at + 1] == '"') {
                    value += '"';
                    ++at;
                } else {
                    ++at;
                    break;
                }
            }
            result += AsOneField(std::move(value), ';');
        }
        // Up to the next separator: all of an unquoted field, anything
        // stray after a closing quote.
        const std::size_t end = std::min(line.find(';', at), line.size());
        result.append(line.substr(at, end - at));
        at = end + 1;
    }
    return result;
}

} // namespace tressal::students
