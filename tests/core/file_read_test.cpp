// The one file reader: what it says went wrong, and how the student exports
// word it.

#include "text/file_io.h"
#include "text/file_read.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace tressal {
namespace {

using test::ErrorOf;
using test::TempFolder;
using test::WriteBytes;

struct ReadCase {
    const char* label;
    std::filesystem::path path;
    std::size_t maxBytes;
    ReadProblem problem;
    int errorNumber;
    std::string bytes;
};

TEST(ReadFileBytesTest, SaysWhatWentWrong) {
    TempFolder folder;
    WriteBytes(folder / "four.txt", "abcd");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    const std::size_t any = static_cast<std::size_t>(-1);
    const std::vector<ReadCase> cases = {
        {"whole file", folder / "four.txt", any, ReadProblem::None, 0, "abcd"},
        {"at the size limit", folder / "four.txt", 4, ReadProblem::None, 0, "abcd"},
        {"over the size limit", folder / "four.txt", 3, ReadProblem::TooBig, 0, ""},
        {"missing", folder / "absent.txt", any, ReadProblem::NotFound, ENOENT, ""},
        {"below a file", folder / "four.txt" / "x", any, ReadProblem::NotFound, ENOTDIR, ""},
        {"a folder", folder.path(), any, ReadProblem::Folder, EISDIR, ""},
        {"a pipe", folder / "pipe", any, ReadProblem::SpecialFile, 0, ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        ReadRules rules;
        rules.maxBytes = c.maxBytes;
        const FileBytes read = ReadFileBytes(c.path, rules);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.errorNumber, c.errorNumber);
        EXPECT_EQ(read.bytes, c.bytes);
    }
}

TEST(ReadWholeFileTest, WordsEachProblemForTheUser) {
    TempFolder folder;
    WriteBytes(folder / "four.txt", "abcd");
    const std::string path = PathText(folder.path());
    const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "absent.txt",
         "\"" + path + "/absent.txt\". Le fichier ou le dossier est introuvable."},
        {folder / "four.txt" / "x",
         "\"" + path + "/four.txt/x\". Un \xC3\xA9l\xC3\xA9ment du chemin n'est pas un dossier."},
        {folder.path(), "\"" + path + "\". Le chemin d\xC3\xA9signe un dossier."},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file);
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(file); }),
                  "Impossible d'ouvrir le fichier " + reason);
    }
    EXPECT_EQ(ReadWholeFile(folder / "four.txt"), "abcd");
}

} // namespace
} // namespace tressal
