// Every conversion of the samples and of the real STS export gives, byte for
// byte, the files kept in tests/data/golden (written by the program before its
// core was reshaped), and the same exit code.
#include "cli/cli.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tressal {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
    const char* name; // folder below tests/data/golden
    const char* cli;
    std::vector<fs::path> inputs; // one file, or the exports of a cité folder
    const char* inputName;        // what the file is called when given alone
};

const fs::path kData(TRESSAL_TEST_DATA);
const fs::path kSamples = kData / "../../samples";
const fs::path kCsv = kSamples / "0123456A.csv";
const fs::path kStsA = kSamples / "sts_emp_0123456A_2026.xml";
const fs::path kStsB = kSamples / "sts_emp_0234567B_2026.xml";
const fs::path kStsReal = kData / "realdata/sts_emp_0210050R_2009.xml";

std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : test::EntriesBelow(folder))
        if (fs::is_regular_file(folder / entry) && entry != "exit-code")
            files[entry] = test::ReadBytes(folder / entry);
    return files;
}

TEST(GoldenOutputs, EveryConversionWritesTheSameBytesAsBefore) {
    const GoldenCase cases[] = {
        {"sample-eleves-orlane", "eleves-orlane", {kCsv}, "0123456A.csv"},
        {"sample-eleves-vesko", "eleves-vesko", {kCsv}, "0123456A.csv"},
        {"sample-eleves-pmb", "eleves-pmb", {kCsv}, "0123456A.csv"},
        {"sample-eleves-bcdi", "eleves-bcdi", {kCsv}, "0123456A.csv"},
        {"a-profs-orlane", "profs-orlane", {kStsA}, "sts_emp_0123456A_2026.xml"},
        {"b-profs-orlane", "profs-orlane", {kStsB}, "sts_emp_0234567B_2026.xml"},
        {"real-profs-orlane", "profs-orlane", {kStsReal}, "sts_emp_0210050R_2009.xml"},
        {"a-profs-vesko", "profs-vesko", {kStsA}, "sts_emp_0123456A_2026.xml"},
        {"b-profs-vesko", "profs-vesko", {kStsB}, "sts_emp_0234567B_2026.xml"},
        {"real-profs-vesko", "profs-vesko", {kStsReal}, "sts_emp_0210050R_2009.xml"},
        {"a-profs-pmb", "profs-pmb", {kStsA}, "sts_emp_0123456A_2026.xml"},
        {"b-profs-pmb", "profs-pmb", {kStsB}, "sts_emp_0234567B_2026.xml"},
        {"real-profs-pmb", "profs-pmb", {kStsReal}, "sts_emp_0210050R_2009.xml"},
        {"cite", "profs-orlane-cite", {kStsA, kStsB}, nullptr},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder work;
        fs::path input;
        if (c.inputName) {
            input = work / c.inputName;
            fs::copy_file(c.inputs.front(), input);
        } else {
            input = work / "cite";
            fs::create_directory(input);
            for (const fs::path& file : c.inputs)
                fs::copy_file(file, input / ("STS_" + file.filename().string()));
        }
        const fs::path root = work / "root";
        fs::create_directory(root);
        std::ostringstream out;
        std::ostringstream err;
        const int code = cli::Run({c.cli, input.string(), "--root", root.string()}, out, err);
        const fs::path golden = kData / "golden" / c.name;
        EXPECT_EQ(std::to_string(code) + "\n", test::ReadBytes(golden / "exit-code"));
        EXPECT_EQ(FilesBelow(root), FilesBelow(golden));
    }
}

} // namespace
} // namespace tressal
