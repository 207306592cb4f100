#include "text/text_helpers.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tressal {
namespace {

using test::ExpectEach;
using Cases = std::vector<std::pair<std::string, std::string>>;

// "f1;f2;...;fcount"
std::string NumberedFields(int count) {
    std::string text;
    for (int n = 1; n <= count; ++n)
        text += (n > 1 ? ";f" : "f") + std::to_string(n);
    return text;
}

struct FieldCase {
    std::string text;
    unsigned n;
    char separator;
    std::string expected;
};

TEST(FieldAtTest, FollowsTheFieldRules) {
    const std::string many = NumberedFields(300);
    const std::vector<FieldCase> cases = {{"DUPONT;Jean;;M", 1, ';', "DUPONT"},
                                          {"DUPONT;Jean;;M", 2, ';', "Jean"},
                                          {"DUPONT;Jean;;M", 3, ';', ""},
                                          {"DUPONT;Jean;;M", 4, ';', "M"},
                                          {"DUPONT;Jean;;M", 7, ';', "M"},
                                          {"DUPONT", 1, ';', ""},
                                          {"DUPONT", 2, ';', "DUPONT"},
                                          {"DUPONT", 9, ';', "DUPONT"},
                                          {"", 1, ';', ""},
                                          {"", 4, ';', ""},
                                          {";Jean", 1, ';', ""},
                                          {";Jean", 2, ';', "Jean"},
                                          {"a;b;", 3, ';', ""},
                                          {"a;b;", 5, ';', ""},
                                          {"\"a;b\";c", 1, ';', "\"a"},
                                          {"\"a;b\";c", 2, ';', "b\""},
                                          {"a,b;c", 1, ';', "a,b"},
                                          {"a,b;c", 2, ',', "b;c"},
                                          {"C:\\Prog\\conv.exe", 3, '\\', "conv.exe"},
                                          {many, 255, ';', "f255"},
                                          {many, 256, ';', "f256"},
                                          {many, 300, ';', "f300"},
                                          {many, 301, ';', "f300"},
                                          {many, 1000, ';', "f300"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40) + " / field " + std::to_string(c.n));
        EXPECT_EQ(FieldAt(c.text, c.n, c.separator), c.expected);
        // The split-once reader follows the same rules.
        EXPECT_EQ(Fields(c.text, c.separator)(c.n), c.expected);
    }
}

TEST(CountFieldsTest, CountsSeparatorsPlusOne) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"", 1},
        {"DUPONT", 1},
        {"DUPONT;Jean;;M", 4},
        {";;", 3},
        {"a,b", 1},
        {std::string(21, ';'), 22},
        {NumberedFields(300), 300},
    };
    ExpectEach(cases, [](const std::string& text) { return CountFields(text, ';'); });
    EXPECT_EQ(CountFields("a,b;c", ','), 2);
}

TEST(IsEstablishmentCodeTest, AcceptsSevenDigitsAndALetter) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"0123456A", true},  {"0123456a", true},   {"9999999Z", true},  {"0000000z", true},
        {"0123456", false},  {"0123456AB", false}, {"A1234567", false}, {"012345AB", false},
        {"", false},         {"01234567", false},  {"0123456-", false}, {"0123456\xC9", false},
        {"012345 A", false}, {" 0123456A", false}, {"0123456@", false}, {"0123456[", false},
    };
    ExpectEach(cases, IsEstablishmentCode);
}

TEST(ReorderDateTest, PutsYearMonthDayTogether) {
    const Cases cases = {
        {"12/03/1995", "19950312"}, {"5/9/1995", "199595"}, {"", ""},
        {"1995", "19951995"},       {"12/03", "030312"},    {"01/02/2003/xx", "20030201"},
    };
    ExpectEach(cases, ReorderDate);
}

TEST(KeepAllowedCharsTest, KeepsSpaceHyphenCapitalsAndDigits) {
    const Cases cases = {
        {"3\xE8me B", "3 B"},   {"", ""},
        {"TS-1 SI", "TS-1 SI"}, {"2NDE_A.b'c", "2NDEA"},
        {"\xC9L\xC8VE", "LVE"}, {"A\tB\xA0Z", "ABZ"},
        {"az@[`{/:", ""},       {"AZ09- ", "AZ09- "},
    };
    ExpectEach(cases, KeepAllowedChars);
}

TEST(StripSpacesTest, DropsOnlyTheSpaceCharacter) {
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "a ";
    const Cases cases = {
        {" 3 B ", "3B"},
        {"", ""},
        {"   ", ""},
        {"a\tb\r\n\xA0z", "a\tb\r\n\xA0z"},
        {longText, std::string(200, 'a')},
    };
    ExpectEach(cases, StripSpaces);
}

TEST(FoldNameTest, FoldsAccentsUpperCasesAndDropsApostrophes) {
    std::string longName;
    std::string longFolded;
    for (int i = 0; i < 150; ++i) {
        longName += "\xE9'a";
        longFolded += "EA";
    }
    const Cases cases = {
        {"", ""},
        {"O'Neil", "ONEIL"},
        {"\xC8ve", "EVE"},
        {"''", ""},
        {"Jean 2", "JEAN 2"},
        {"d'Alembert-Lef\xE8vre", "DALEMBERT-LEFEVRE"},
        {"Fran\xE7ois", "FRANCOIS"},
        {"No\xEBl \xD1\xFA\xF1iguez", "NOEL N\xFANIGUEZ"},
        // Every folded character, in code order.
        {"\xC0\xC1\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5"
         "\xD9\xDA\xDB\xDC\xE0\xE2\xE3\xE4\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF1\xF4\xF6\xF9\xFB\xFC",
         "AAAAACEEEEIIIINOOOOUUUUAAAACEEEEIINOOUUU"},
        // Characters outside the folding table, typographic apostrophe included.
        {"\xE1\xE5\xEC\xED\xF2\xF3\xF5\xFA\xFD\xFF\xC2\xD6\xD8\xDD\xE6\x9C\xDF\x8A\x80\x92\xB4`",
         "\xE1\xE5\xEC\xED\xF2\xF3\xF5\xFA\xFD\xFF\xC2\xD6\xD8\xDD\xE6\x9C\xDF\x8A\x80\x92\xB4`"},
        {longName, longFolded}};
    ExpectEach(cases, FoldName);
}

TEST(ExeFolderTest, CutsAtTheLastSeparator) {
    const std::string longFolder = "C:\\" + std::string(300, 'd');
    const Cases cases = {
        {"C:\\Prog\\Outils\\conv.exe", "C:\\Prog\\Outils"},
        {"C:\\conv.exe", "C:"},
        {"/opt/tressal/bin/tressal", "/opt/tressal/bin"},
        {"/tressal", ""},
        {"C:\\Prog/bin\\conv.exe", "C:\\Prog/bin"},
        {"/home/x\\y/conv", "/home/x\\y"},
        {"C:\\Prog\\", "C:\\Prog"},
        {longFolder + "\\conv.exe", longFolder},
    };
    ExpectEach(cases, ExeFolder);
}

} // namespace
} // namespace tressal
