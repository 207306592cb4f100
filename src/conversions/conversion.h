#pragma once

#include "conversions/conversion_report.h"
#include "text/text_helpers.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The table of conversions shared by the windows and the command line.
namespace tressal {

// What a conversion produced, ready to preview and to save.
struct Converted {
    std::string code; // establishment code (UTF-8), empty when the target has none
    TextList lines;   // output lines, Windows-1252, in file order
    TextList duplicates;
    bool header = false; // the first line is a header
    ConversionReport report{};
};

// Where and how the result is saved, below the output root.
struct OutputPlan {
    std::vector<std::string> folder; // UTF-8 segments below the output root
    std::string fileName;            // proposed file name
    bool fixedCopy = false;          // also written to folder/fileName without final line end
    std::string doneMessage;         // completion message (UTF-8)
    std::string duplicatesFile;      // below the output root; empty: no duplicates file
    bool header = false;             // the file's first line is a header
    Population population = Population::Students; // whom its lines list
};

// An export handed over as bytes rather than named by a path (the command
// line's standard input), under the same rules as a file, recognised by content.
struct InputBytes {
    std::string bytes;
    std::string code; // the establishment code given for an export that carries none (Sconet CSV)
};

// Converting reads its input and writes no file; SaveResult saves.
struct ConvertContext {
    // Called after each input file of a multi-file conversion, with the result so far.
    std::function<void(const Converted&)> progress;
    // The day the exports are checked against (school year); none: not checked.
    std::chrono::year_month_day today{};
    // When set, the export is these bytes (the conversion takes them) and the
    // input path is not read.
    InputBytes* given = nullptr;
    // The representatives' export named by the user; empty: looked for beside the input.
    std::filesystem::path representatives = {};
};

enum class InputKind { File, Folder };

struct Conversion {
    std::string cliName;
    InputKind input = InputKind::File;
    std::function<Converted(const std::filesystem::path& input, const ConvertContext& context)>
        convert;
    std::function<OutputPlan(const Converted& result)> plan;
};

// The local time of that instant.
std::tm LocalTime(std::time_t time);

// Today's local date, for ConvertContext::today.
std::chrono::year_month_day LocalToday();

// Every conversion, in menu order.
const std::vector<Conversion>& Conversions();

// The conversion of that command-line name, or nullptr.
const Conversion* FindConversion(std::string_view cliName);

} // namespace tressal
