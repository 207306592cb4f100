#include "students/orlane_students.h"
#include "students/sconet_export.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tressal::students {
namespace {

using test::ErrorOf;
using test::ExportBytes;
using test::SconetHeader;
using test::SconetLine;
using test::StudentLine;
using test::TempFolder;
using test::WriteBytes;
using Cases = std::vector<std::pair<std::string, std::string>>;

TEST(EstablishmentCodeOfTest, AcceptsCodeDotCsvInAnyCase) {
    const std::string refused =
        "Nom de fichier incorrect\nLe nom attendu est le code de l'établissement, sept chiffres et "
        "une lettre, suivi de « .csv » (par exemple 0123456A.csv) ; ou choisissez un export des "
        "élèves de SIECLE (.xml ou .zip).";
    const Cases cases = {
        {"0123456A.csv", "0123456A"},
        {"0123456a.CSV", "0123456a"},
        {"0123456A.Csv", "0123456A"},
        {"0123456A.csv.bak", "0123456A"},
        {"/home/exports.2024/0123456A.csv", "0123456A"},
        {"0123456A.txt", refused},
        {"123456A.csv", refused},
        {"0123456A.old.csv", refused},
        {"0123456A", refused},
        {"0123456A.", refused},
        {".csv", refused},
        {"0123456A .csv", refused},
        {"exports/0123456A.csv/", refused},
    };
    test::ExpectEach(cases, [](const std::string& path) {
        std::string code;
        const std::string error = ErrorOf([&] { code = EstablishmentCodeOf(path); });
        return error.empty() ? code : error;
    });
}

TEST(CheckHeaderTest, RequiresExactlyTwentyTwoFields) {
    for (int count : {1, 21, 23, 44}) {
        SCOPED_TRACE(count);
        const TextList lines = {SconetHeader(count), StudentLine("DUPONT", "Jean")};
        EXPECT_EQ(ErrorOf([&] { CheckHeader(lines); }),
                  "Le fichier que vous avez s\xC3\xA9lectionn\xC3\xA9 est incorrect. Il ne "
                  "comporte que " +
                      std::to_string(count) + " Champs. L'extracteur necessite 22 champs");
    }
    EXPECT_EQ(ErrorOf([] { CheckHeader({SconetHeader(22)}); }), "");
    // Data lines are not counted.
    EXPECT_EQ(ErrorOf([] { CheckHeader({SconetHeader(22), "a;b", SconetHeader(30)}); }), "");
    EXPECT_NE(ErrorOf([] { CheckHeader({}); }), "");
}

struct SurvivorCase {
    std::string name;
    std::vector<std::pair<std::string, std::string>> students; // fields 1 and 2
    std::vector<std::size_t> first;
    std::vector<std::size_t> last;
};

TEST(NeighbourSurvivorsTest, ReducesRunsOfNeighboursWithTheSameNames) {
    const std::vector<SurvivorCase> cases = {
        {"no student", {}, {}, {}},
        {"three equal", {{"A", "x"}, {"A", "x"}, {"A", "x"}}, {1}, {3}},
        {"separated", {{"A", "x"}, {"B", "x"}, {"A", "x"}}, {1, 2, 3}, {1, 2, 3}},
        {"letter case differs", {{"DUPONT", "Jean"}, {"Dupont", "Jean"}}, {1, 2}, {1, 2}},
        {"first name differs", {{"DUPONT", "Jean"}, {"DUPONT", "Jeanne"}}, {1, 2}, {1, 2}},
        {"accent differs", {{"Lef\xE8vre", "Ana"}, {"Lefevre", "Ana"}}, {1, 2}, {1, 2}},
        {"two equal at the end", {{"B", "y"}, {"A", "x"}, {"A", "x"}}, {1, 2}, {1, 3}},
        {"empty names", {{"", ""}, {"", ""}}, {1}, {2}},
        {"same names as the header", {{"CHAMP1", "CHAMP2"}}, {1}, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextList lines = {SconetHeader()};
        int birthDay = 1;
        for (const auto& [last, first] : c.students) // other fields differ
            lines.push_back(StudentLine(last, first, std::to_string(birthDay++) + "/01/2000"));
        EXPECT_EQ(NeighbourSurvivors(lines, KeepInRun::First), c.first);
        EXPECT_EQ(NeighbourSurvivors(lines, KeepInRun::Last), c.last);
    }
}

TEST(OrlaneStudentLineTest, BuildsTheTenColumns) {
    // A short line of ten fields: field 10 stands for fields 16 and 17.
    auto tenFields = [](const std::string& field10) {
        return SconetLine(
            {{1, "DURAND"}, {2, "Paul"}, {5, "2/2/2002"}, {8, "M"}, {9, "3E"}, {10, field10}}, 10);
    };
    const Cases cases = {
        {StudentLine("DUPONT", "Jean", "12/03/1995", "3\xE8me B"),
         "DUPONT,JEAN,19950312,M,XX,XX,OUI,3B,,9999999Z"},
        {StudentLine("d'Alembert-Lef\xE8vre", "\xC9lo\xEFse", "5/9/1995", "TS-2 a",
                     {{8, "f"}, {15, "NON"}, {16, " 1 ERE - s "}, {17, "0759999Y"}, {18, "X"}}),
         "DALEMBERT-LEFEVRE,ELOISE,199595,f,XX,XX,OUI,TS-2,1ERE-,0759999Y"},
        {StudentLine("DE LA TOUR, JR", "Ana\xEFs", "", "", {{16, "abc"}, {17, " x "}}),
         "DE LA TOUR, JR,ANAIS,,M,XX,XX,OUI,,, x "},
        {tenFields("0751234X"), "DURAND,PAUL,200222,M,XX,XX,OUI,3E,0751234X,0751234X"},
        {tenFields("opt 1 b"), "DURAND,PAUL,200222,M,XX,XX,OUI,3E,1,opt 1 b"},
        {tenFields(""), "DURAND,PAUL,200222,M,XX,XX,OUI,3E,,9999999Z"},
    };
    test::ExpectEach(
        cases, [](const std::string& line) { return OrlaneStudentLine(StudentFields(line), 2); });
}

struct ExportCase {
    std::string name;
    TextList students; // lines after the header
    TextList expected;
};

// The Orlane line of a student built by StudentLine(names, ..., division).
std::string Orlane(const std::string& names, const std::string& division = "6A") {
    return names + ",20000101,M,XX,XX,OUI," + division + ",,9999999Z";
}

TEST(ConvertExportTest, OrlaneListIsSortedWithoutNeighbourDuplicates) {
    auto dupont = [](const std::string& division) {
        return StudentLine("DUPONT", "Jean", "01/01/2000", division);
    };
    const std::vector<ExportCase> cases = {
        {"header only", {}, {}},
        {"sorted whatever the order",
         {StudentLine("MARTIN", "Zoe"), StudentLine("Dupont", "Jean"), StudentLine("ALBERT", "Luc"),
          StudentLine("dupont", "anne")},
         {Orlane("ALBERT,LUC"), Orlane("DUPONT,ANNE"), Orlane("DUPONT,JEAN"),
          Orlane("MARTIN,ZOE")}},
        {"three equal neighbours keep the first",
         {dupont("6A"), dupont("5B"), dupont("4C")},
         {Orlane("DUPONT,JEAN", "6A")}},
        {"separated equal students both kept",
         {dupont("6A"), StudentLine("MARTIN", "Zoe"), dupont("5B"), dupont("4C")},
         {Orlane("DUPONT,JEAN", "5B"), Orlane("DUPONT,JEAN", "6A"), Orlane("MARTIN,ZOE")}},
        {"an empty line separates equal students",
         {dupont("6A"), "", dupont("5B")},
         {Orlane("DUPONT,JEAN", "5B"), Orlane("DUPONT,JEAN", "6A")}},
        {"letter case makes different students",
         {dupont("6A"), StudentLine("Dupont", "Jean", "01/01/2000", "5B")},
         {Orlane("DUPONT,JEAN", "5B"), Orlane("DUPONT,JEAN", "6A")}},
        {"lines without field 1 skipped",
         {"", "sans point-virgule", ";Jean;;;01/01/2000;;;M;6A", ";;;",
          StudentLine("ZOLA", "Emile"), ""},
         {Orlane("ZOLA,EMILE")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextList lines = {SconetHeader()};
        lines.insert(lines.end(), c.students.begin(), c.students.end());
        EXPECT_EQ(ConvertExport(lines, OrlaneStudents()), c.expected);
    }
    const TextList badHeader = {SconetHeader(23), StudentLine("DUPONT", "Jean")};
    EXPECT_NE(ErrorOf([&] { ConvertExport(badHeader, OrlaneStudents()); }).find("que 23 Champs"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { ConvertExport({}, OrlaneStudents()); }), "");
}

TEST(LoadExportTest, Utf8ExportsReadLikeWindows1252Ones) {
    // Accented names, and one name outside Windows-1252 ("?" in the Windows-1252 file).
    const std::string cp1252 =
        ExportBytes({SconetHeader(), StudentLine("L\xC9ON", "J\xE9r\xF4me", "1/3/1995", "3\xE8me"),
                     StudentLine("Micha?", "\x9Cuvre")});
    const std::string utf8 =
        ExportBytes({SconetHeader(),
                     StudentLine("L\xC3\x89ON", "J\xC3\xA9r\xC3\xB4me", "1/3/1995", "3\xC3\xA8me"),
                     StudentLine("Micha\xC5\x82", "\xC5\x93uvre")});
    const TextList expected = {"LEON,JEROME,199531,M,XX,XX,OUI,3,,9999999Z",
                               "MICHA?,\x9CUVRE,20000101,M,XX,XX,OUI,6A,,9999999Z"};
    TempFolder folder;
    const auto file = folder / "0123456A.csv";
    for (const std::string& bytes : {cp1252, utf8, "\xEF\xBB\xBF" + utf8}) {
        SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 3)));
        WriteBytes(file, bytes);
        const TextList lines = LoadExport(file);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], SconetHeader());
        EXPECT_EQ(ConvertExport(lines, OrlaneStudents()), expected);
    }
}

TEST(LoadExportTest, SplitsAtAnyLineEndAndStopsAtNul) {
    TempFolder folder;
    const auto file = folder / "0123456A.csv";
    const std::string a = StudentLine("A", "a");
    const std::string b = StudentLine("B", "b");
    WriteBytes(file, SconetHeader() + "\r" + a + "\n" + b + std::string("\0\r\n\0 ", 5));
    EXPECT_EQ(LoadExport(file), (TextList{SconetHeader(), a, b}));
    // Behind a byte order mark, bytes that are not UTF-8 are Windows-1252.
    WriteBytes(file, "\xEF\xBB\xBF" + SconetHeader() + "\r\nL\xC9ON;J\xE9r\xF4me\r\n");
    EXPECT_EQ(LoadExport(file), (TextList{SconetHeader(), "L\xC9ON;J\xE9r\xF4me"}));
    EXPECT_NE(ErrorOf([&] { LoadExport(folder / "9999999Z.csv"); }), "");
}

// Each line in the encoding it shows, whatever its neighbours; a NUL only
// where nothing is lost after it.
TEST(ExportLinesTest, DecodesEachLineAndRefusesANulBeforeText) {
    using namespace std::literals;
    const auto nulOnLine = [](int line) {
        return "Le fichier contient un caractère nul à la ligne " + std::to_string(line) +
               " : il est abîmé ou ce n'est pas un export texte.";
    };
    struct Case {
        const char* label;
        std::string bytes;
        TextList lines;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"UTF-8 lines beside Windows-1252 lines",
         "L\xC3\x89ON;J\xC3\xA9r\xC3\xB4me\r\n\xC9TIENNE;Z\xE9\r\nMARTIN;Luc\r\n",
         {"L\xC9ON;J\xE9r\xF4me", "\xC9TIENNE;Z\xE9", "MARTIN;Luc"},
         ""},
        {"a stray byte spoils only its own line",
         "\xC3\x89TIENNE;Jos\xE9\nL\xC3\x89ON;\xE2\x82\xAC\xC5\x82",
         {"\xC3\x89TIENNE;Jos\xE9", "L\xC9ON;\x80?"},
         ""},
        {"Windows-1252 pairs that are UTF-8 by chance, beside a Windows-1252 line",
         "\xC9\xA0;\xDC\x9F;\xC7\x8C\r\nZ\xE9",
         {"\xC9\xA0;\xDC\x9F;\xC7\x8C", "Z\xE9"},
         ""},
        {"the same pairs in a file otherwise UTF-8",
         "Micha\xC5\x82\r\nL\xC3\xA9"
         "a",
         {"Micha?", "L\xE9"
                    "a"},
         ""},
        {"behind a UTF-8 mark, stray bytes are Windows-1252",
         "\xEF\xBB\xBFL\xC9ON;J\xC3\xA9r\xF4me\r\nZo\xC3\xAB",
         {"L\xC9ON;J\xE9r\xF4me", "Zo\xEB"},
         ""},
        {"UTF-16, little-endian",
         test::Utf16(u"L\u00C9ON;\u20AC\u0142\U0001F600\xDC00\r\nZo\u00EB", false),
         {"L\xC9ON;\x80???", "Zo\xEB"},
         ""},
        {"UTF-16, big-endian, with an odd last byte",
         test::Utf16(u"A;\u00E9\nB", true) + "X",
         {"A;\xE9", "B?"},
         ""},
        {"UTF-16 behind a UTF-8 mark",
         "\xEF\xBB\xBF" + test::Utf16(u"A;\u00E9", false),
         {"A;\xE9"},
         ""},
        {"NULs that pad the end", "A;b\r\nC;d\0\0 \t\r\n\0"s, {"A;b", "C;d"}, ""},
        {"a NUL before text", "A;b\r\nC;d\0\r\nE;f"s, {}, nulOnLine(2)},
        {"lines counted at CR LF, CR and LF", "A\r\nB\rC\nD\0E"s, {}, nulOnLine(4)},
        {"a NUL first", "\0A;b"s, {}, nulOnLine(1)},
        {"a NUL in UTF-16", test::Utf16(u"A\r\nB\0C"sv, false), {}, nulOnLine(2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.error.empty())
            EXPECT_EQ(ExportLines(c.bytes), c.lines);
        else
            EXPECT_EQ(ErrorOf([&] { ExportLines(c.bytes); }), c.error);
    }
}

// A file of several megabytes is read in pieces, each decoded apart: it gives
// what the file read whole gives, whatever piece holds the line that decides
// the encoding.
TEST(SconetExportTest, AFileReadInPiecesGivesWhatItGivesReadWhole) {
    const std::string filler =
        "NOM;Prenom;;;01/02/2012;1;INE;M;6A;;;;;;DP;;;;1 rue;21000;DIJON;0\n";
    const auto big = [&](const std::string& first, const std::string& last, const char* end) {
        std::string text = first + end;
        while (text.size() < 3'500'000)
            text += filler;
        return text + last + end;
    };
    const std::string quoted = "\"NOM\";\"PRENOM\";\"a;b\"";
    const struct {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"an ambiguous line first, a Windows-1252 one last", big(SconetHeader() + "\nX\xC9\xA0;Y",
                                                                 "\xC9TIENNE;L\xE9"
                                                                 "a",
                                                                 "\r\n")},
        {"UTF-8 throughout, a name Windows-1252 cannot hold",
         big(SconetHeader() + "\nX\xC9\xA0;Y", "\xC5\x81ukasz;Jan", "\n")},
        {"behind a byte order mark",
         big("\xEF\xBB\xBF" + SconetHeader(), "\xC5\x81ukasz;\xE9", "\n")},
        {"saved again by a spreadsheet", big(quoted, quoted, "\r\n")},
        {"a NUL at its end", big(SconetHeader(), "A\0B", "\n")},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto file = folder.path() / "0123456A.csv";
        WriteBytes(file, c.bytes);
        const SconetLines pieces = ReadSconetFile(file);
        const SconetLines whole = ReadSconetLines(c.bytes);
        EXPECT_EQ(pieces.lines.List(), whole.lines.List());
        EXPECT_EQ(pieces.resavedBySpreadsheet, whole.resavedBySpreadsheet);
        ASSERT_EQ(pieces.unwritable.size(), whole.unwritable.size());
        for (std::size_t k = 0; k < whole.unwritable.size(); ++k)
            EXPECT_EQ(pieces.unwritable[k].line, whole.unwritable[k].line);
    }
}

} // namespace
} // namespace tressal::students
