#include "text/files.h"
#include "text/replace_files.h"
#include "text/text_helpers.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tressal {
namespace {

using test::EntriesBelow;
using test::ErrorOf;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Entries = std::vector<std::string>;

TEST(SplitLinesTest, SplitsAtEveryLineEndAndStopsAtNul) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, TextList>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"a\n", {"a"}},
        {"\r\n", {""}},
        {"a\n\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\nb\0c\nd"s, {"a", "b"}},
        {"\0a\r\nb"s, {}},
        {"a\r\0\nb"s, {"a"}},
        {"\xE9t\xE9;\x80\r\n\xFF", {"\xE9t\xE9;\x80", "\xFF"}},
    };
    test::ExpectEach(cases, SplitLines);
}

TEST(JoinLinesTest, EndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLinesNoFinalEnd({"a", "b"}), "a\r\nb");
}

TEST(JoinLinesTest, NoFinalEndLeavesOutEmptyLinesAndTheEndOfTheListsLastLine) {
    const std::vector<std::pair<TextList, std::string>> cases = {
        {{}, ""},
        {{""}, ""},
        {{"a"}, "a"},
        {{"a", "b"}, "a\r\nb"},
        {{"a", ""}, "a\r\n"},
        {{"", "a"}, "a"},
        {{"a", "", "b"}, "a\r\nb"},
        {{"a", "b", "", ""}, "a\r\nb\r\n"},
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(lines));
        EXPECT_EQ(JoinLinesNoFinalEnd(lines), expected);
    }
}

TEST(TextListFileTest, SaveWritesCrLfReplacesTheFileAndLoadReadsItBack) {
    TempFolder folder;
    const auto file = folder / "liste.txt";
    WriteBytes(file, std::string(10000, 'x'));
    const TextList lines = {"DUPONT,JEAN", "", "\xC9L\xC8VE \x80\x9C"};
    SaveTextList(file, lines);
    EXPECT_EQ(ReadBytes(file), "DUPONT,JEAN\r\n\r\n\xC9L\xC8VE \x80\x9C\r\n");
    EXPECT_EQ(SplitLines(ReadWholeFile(file)), lines);
    SaveTextList(file, {});
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_EQ(EntriesBelow(folder.path()), Entries{"liste.txt"});
    EXPECT_TRUE(ErrorOf([&] {
                    ReadWholeFile(folder / "absent.txt");
                }).starts_with("Impossible d'ouvrir le fichier"));
}

TEST(WriteFileAtomicallyTest, AFailedWriteLeavesEverythingAsItWas) {
    const std::string created = "Impossible de cr\xC3\xA9"
                                "er le fichier";
    TempFolder folder;
    // The folder of the target is missing.
    EXPECT_TRUE(ErrorOf([&] {
                    WriteFileAtomically(folder / "absent/sortie.txt", "x");
                }).starts_with(created));
    EXPECT_EQ(EntriesBelow(folder.path()), Entries{});
    // The parent of the target is a file.
    WriteBytes(folder / "plein", "avant");
    EXPECT_TRUE(ErrorOf([&] {
                    WriteFileAtomically(folder / "plein/sortie.txt", "x");
                }).starts_with(created));
    EXPECT_EQ(EntriesBelow(folder.path()), Entries{"plein"});
    EXPECT_EQ(ReadBytes(folder / "plein"), "avant");
    // The target is a folder holding a file.
    std::filesystem::create_directory(folder / "sortie.txt");
    WriteBytes(folder / "sortie.txt/ancien.txt", "avant");
    EXPECT_TRUE(
        ErrorOf([&] { WriteFileAtomically(folder / "sortie.txt", "x"); }).starts_with(created));
    EXPECT_EQ(EntriesBelow(folder.path()),
              (Entries{"plein", "sortie.txt", "sortie.txt/ancien.txt"}));
    EXPECT_EQ(ReadBytes(folder / "sortie.txt/ancien.txt"), "avant");
    // A write that succeeds leaves no temporary file.
    WriteFileAtomically(folder / "ok.txt", std::string("a\0b\xFF", 4));
    EXPECT_EQ(ReadBytes(folder / "ok.txt"), std::string("a\0b\xFF", 4));
    EXPECT_EQ(EntriesBelow(folder.path()),
              (Entries{"ok.txt", "plein", "sortie.txt", "sortie.txt/ancien.txt"}));
}

struct SortCase {
    std::string name;
    TextList added;
    TextList expected;
};

TEST(SortedTextListTest, KeepsFrenchCaseInsensitiveOrder) {
    const std::vector<SortCase> cases = {
        {"case ignored", {"BETA", "alpha", "Alpine"}, {"alpha", "Alpine", "BETA"}},
        {"comma before letters",
         {"DUPONTEL,MARC", "DUPONT,JEAN"},
         {"DUPONT,JEAN", "DUPONTEL,MARC"}},
        {"semicolon before letters", {"DUPONTA;X", "DUPONT;Y"}, {"DUPONT;Y", "DUPONTA;X"}},
        {"comma before digits", {"A1", "A,"}, {"A,", "A1"}},
        {"accents sort beside their letter",
         {"EMMA", "\xC9LISE", "ELIZA", "ELISE", "ZOE"},
         {"ELISE", "\xC9LISE", "ELIZA", "EMMA", "ZOE"}},
        {"c cedilla beside c",
         {"FRANCZ", "FRAN\xC7OIS", "FRANCA"},
         {"FRANCA", "FRAN\xC7OIS", "FRANCZ"}},
        {"equal lines kept in the order they came",
         {"dupont", "b", "DUPONT", "a", "Dupont"},
         {"a", "b", "dupont", "DUPONT", "Dupont"}},
        {"empty line first", {"A", ""}, {"", "A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SortedTextList list;
        for (const auto& line : c.added)
            list.Add(line);
        EXPECT_EQ(list.Lines(), c.expected);
    }
}

// As the cité merge uses it: each line looked up before it is added, the
// list read between exports.
TEST(SortedTextListTest, LookupsAndReadsBetweenAdditionsSeeEveryLineInOrder) {
    struct Step {
        std::string line; // added after the lookup; empty: read the list
        bool found = false;
        TextList lines = {};
    };
    const std::vector<Step> steps = {
        {"MARTIN,Luc", false},
        {"DUPONT,Jean", false},
        {"dupont,jean", true},
        {"", false, {"DUPONT,Jean", "dupont,jean", "MARTIN,Luc"}},
        {"ALPHA,Zo\xE9", false},
        {"Dupont,JEAN", true},
        {"alpha,zo\xE9", true},
        {"ALPHA,Zoe", false},
        {"",
         false,
         {"ALPHA,Zoe", "ALPHA,Zo\xE9", "alpha,zo\xE9", "DUPONT,Jean", "dupont,jean", "Dupont,JEAN",
          "MARTIN,Luc"}},
    };
    SortedTextList list;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        SCOPED_TRACE(k);
        if (steps[k].line.empty()) {
            EXPECT_EQ(list.Lines(), steps[k].lines);
            continue;
        }
        EXPECT_EQ(list.Contains(steps[k].line), steps[k].found);
        list.Add(steps[k].line);
    }
}

TEST(SortedTextListTest, ContainsIgnoresCaseButNotAccents) {
    SortedTextList list;
    list.Add("Dupont,Jean");
    list.Add("L\xC9ON,Marc");
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Dupont,Jean", true},     {"DUPONT,JEAN", true}, {"dupont,jean", true},
        {"Dup\xF4nt,Jean", false}, {"Dupont", false},     {"Dupont,Jean ", false},
        {"l\xE9on,marc", true},    {"LEON,MARC", false},  {"", false},
    };
    test::ExpectEach(cases, [&](const std::string& line) { return list.Contains(line); });
}

} // namespace
} // namespace tressal
