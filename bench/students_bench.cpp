// Prints the time and peak memory of each student conversion, from loading a
// 100,000-student Sconet CSV to the saved file, then of a 20,000-student
// SIECLE export in its zip archive, each with its ratio to a reference
// measured in the same run: reading and splitting the CSV, reading and
// inflating the zip.

#include "archive/zip_archive.h"
#include "bench_names.h"
#include "bench_support.h"
#include "conversions/conversion.h"
#include "conversions/save_result.h"
#include "sconet_bench_export.h"
#include "siecle_bench_export.h"
#include "text/files.h"
#include "text/replace_files.h"
#include "text/text_helpers.h"

#include <filesystem>
#include <random>
#include <string>
#include <tuple>

namespace {

// Each figure is the median of this many runs.
constexpr int kRuns = 5;

constexpr int kStudents = 100000;
constexpr int kSiecleStudents = 20000;

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tressal-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path csv = folder / "0123456A.csv";
    const fs::path zip = folder / "ExportXML_ElevesAvecAdresses.zip";
    // The SIECLE export cut short in its last closing tag, as a copy that stopped.
    const fs::path broken = folder / "ExportXML_Tronque.zip";
    const fs::path xmlSize = folder / "xml-size";
    // Built in a child, so the texts never weigh on the measured processes
    // (not even on how their memory is handed out).
    const Measure generated = MeasureInChild([&] {
        tressal::WriteFileAtomically(csv, MakeSconetExport(kStudents));
        tressal::WriteFileAtomically(zip, MakeSiecleZip(kSiecleStudents));
        std::string xml = MakeSiecleStudents(kSiecleStudents);
        tressal::WriteFileAtomically(xmlSize, std::to_string(xml.size()));
        xml.resize(xml.size() - 4);
        tressal::WriteFileAtomically(broken, tressal::test::MakeZip({{"ElevesAvecAdresses.xml", xml,
                                                                      true, false, std::nullopt}}));
    });
    if (!generated.ok) {
        std::fprintf(stderr, "could not write the exports below %s\n", folder.c_str());
        return 1;
    }
    const double siecleSize = std::stod(tressal::ReadWholeFile(xmlSize));
    std::printf("Sconet CSV of %d students: %.1f MB; SIECLE XML of %d students: %.1f MB, "
                "zipped %.1f MB\n",
                kStudents, static_cast<double>(fs::file_size(csv)) / 1e6, kSiecleStudents,
                siecleSize / 1e6, static_cast<double>(fs::file_size(zip)) / 1e6);
    const Measure reading = MeasureMedianOf(
        kRuns, [&] { (void)tressal::SplitLines(tressal::ReadWholeFile(csv)).size(); });
    PrintMeasure("read and split the CSV", reading);
    const Measure inflating = MeasureMedianOf(kRuns, [&] {
        tressal::archive::ZipArchive archive(tressal::ReadWholeFile(zip));
        for (const auto& entry : archive.Entries())
            (void)archive.Read(entry).size();
    });
    PrintMeasure("read and inflate the zip", inflating);
    const double csvMegabytes = static_cast<double>(fs::file_size(csv)) / 1e6;
    for (const auto& [input, form, reference, megabytes] :
         {std::tuple{csv, " (CSV)", &reading, csvMegabytes},
          std::tuple{zip, " (zip)", &inflating, siecleSize / 1e6}}) {
        for (const auto& conversion : tressal::Conversions()) {
            if (!conversion.cliName.starts_with("eleves-"))
                continue;
            const fs::path root = folder / conversion.cliName;
            const Measure measure = MeasureMedianOf(kRuns, [&] {
                tressal::SaveResult(conversion, conversion.convert(input, {}), root);
            });
            PrintRatio((conversion.cliName + form).c_str(), measure, reference->seconds,
                       form[2] == 'C' ? "of reading" : "of inflating");
            PrintMemoryGoal(measure, megabytes);
        }
    }
    const tressal::Conversion& orlane = *tressal::FindConversion("eleves-orlane");
    const Measure refusal = MeasureMedianOf(kRuns, [&] {
        tressal::SaveResult(orlane, orlane.convert(broken, {}), folder / "out-broken");
    });
    PrintRefusal("refusing it broken (zip)", refusal, siecleSize / 1e6);
    fs::remove_all(folder);
    return 0;
}
