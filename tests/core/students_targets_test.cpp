// The student conversions to Orlane, PMB, BCDI and Vesko: what they share
// (duplicate removal, skipped lines, short lines, order) and the columns of each.

#include "conversions/conversion.h"
#include "conversions/save_result.h"
#include "students/bcdi_students.h"
#include "students/orlane_students.h"
#include "students/pmb_students.h"
#include "students/sconet_export.h"
#include "students/vesko_students.h"
#include "test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tressal::students {
namespace {

using test::SconetHeader;
using test::SconetLine;
using test::StudentLine;

// Windows-1252 bytes: \xE9 is é, \xB0 is °.
const std::string kBcdiHeader = "Nom ;Prenom;adresse 1;adresse 2;Code Postal;Ville;T\xE9l\xE9phone;"
                                "Date de Naissance;Classe;Sexe;INE";
const std::string kVeskoHeader =
    "INE;N\xB0 Interne;Nom;Pr\xE9nom;Date de naissance;Sexe;Division;Login;Mdp;Option 1";
const std::string kLea = "L\xE9"
                         "a";

TextList Convert(const StudentFormat& format, const TextList& students) {
    TextList lines{SconetHeader()};
    lines.insert(lines.end(), students.begin(), students.end());
    return ConvertExport(lines, format);
}

TextList WithHeader(const std::string& header, TextList lines) {
    lines.insert(lines.begin(), header);
    return lines;
}

// A student born 01/01/2000, sex M, whose division tells the lines of a run apart.
std::string Kid(const std::string& lastName, const std::string& firstName,
                const std::string& division) {
    return StudentLine(lastName, firstName, "01/01/2000", division);
}

// Expected lines; BCDI and Vesko get their header in front.
struct SharedCase {
    const char* label;
    TextList input;
    TextList orlane, pmb, bcdi, vesko;
};

const SharedCase kSharedCases[] = {
    {"a run of three keeps one end, a pair at the end of the file too",
     {Kid("DUPONT", "Jean", "3A"), Kid("DUPONT", "Jean", "3B"), Kid("DUPONT", "Jean", "3C"),
      Kid("MARTIN", "Paul", "4A"), Kid("MARTIN", "Paul", "4B")},
     {"DUPONT,JEAN,20000101,M,XX,XX,OUI,3A,,9999999Z",
      "MARTIN,PAUL,20000101,M,XX,XX,OUI,4A,,9999999Z"},
     {"DUPONT;Jean;;;;;;2000;3A;M", "MARTIN;Paul;;;;;;2000;4A;M"},
     {"DUPONT;Jean;;;;;;2000;3C;M;", "MARTIN;Paul;;;;;;2000;4B;M;"},
     {";;DUPONT;Jean;01/01/2000;M.;3C;;;", ";;MARTIN;Paul;01/01/2000;M.;4B;;;"}},
    {"only exact neighbours on both names are duplicates",
     {Kid("MARTIN", "Paul", "4A"), Kid("DUPONT", "Jean", "3A"), Kid("MARTIN", "Paul", "4B"),
      Kid("Dupont", "Jean", "3B"), Kid("DUPONT", "Jean", "3C"), Kid("DUPONT", "Marc", "3D"), "",
      Kid("DUPONT", "Marc", "3E")},
     {"DUPONT,JEAN,20000101,M,XX,XX,OUI,3A,,9999999Z",
      "DUPONT,JEAN,20000101,M,XX,XX,OUI,3B,,9999999Z",
      "DUPONT,JEAN,20000101,M,XX,XX,OUI,3C,,9999999Z",
      "DUPONT,MARC,20000101,M,XX,XX,OUI,3D,,9999999Z",
      "DUPONT,MARC,20000101,M,XX,XX,OUI,3E,,9999999Z",
      "MARTIN,PAUL,20000101,M,XX,XX,OUI,4A,,9999999Z",
      "MARTIN,PAUL,20000101,M,XX,XX,OUI,4B,,9999999Z"},
     {"DUPONT;Jean;;;;;;2000;3A;M", "Dupont;Jean;;;;;;2000;3B;M", "DUPONT;Jean;;;;;;2000;3C;M",
      "DUPONT;Marc;;;;;;2000;3D;M", "DUPONT;Marc;;;;;;2000;3E;M", "MARTIN;Paul;;;;;;2000;4A;M",
      "MARTIN;Paul;;;;;;2000;4B;M"},
     {"MARTIN;Paul;;;;;;2000;4A;M;", "DUPONT;Jean;;;;;;2000;3A;M;", "MARTIN;Paul;;;;;;2000;4B;M;",
      "Dupont;Jean;;;;;;2000;3B;M;", "DUPONT;Jean;;;;;;2000;3C;M;", "DUPONT;Marc;;;;;;2000;3D;M;",
      "DUPONT;Marc;;;;;;2000;3E;M;"},
     {";;MARTIN;Paul;01/01/2000;M.;4A;;;", ";;DUPONT;Jean;01/01/2000;M.;3A;;;",
      ";;MARTIN;Paul;01/01/2000;M.;4B;;;", ";;DUPONT;Jean;01/01/2000;M.;3B;;;",
      ";;DUPONT;Jean;01/01/2000;M.;3C;;;", ";;DUPONT;Marc;01/01/2000;M.;3D;;;",
      ";;DUPONT;Marc;01/01/2000;M.;3E;;;"}},
    {"lines without a last name are skipped, their date unchecked",
     {"", ";Jean;;;1996", "DUPONT Jean sans separateur", "   ", Kid("MARTIN", "Paul", "4A"), ";;;"},
     {"MARTIN,PAUL,20000101,M,XX,XX,OUI,4A,,9999999Z"},
     {"MARTIN;Paul;;;;;;2000;4A;M"},
     {"MARTIN;Paul;;;;;;2000;4A;M;"},
     {";;MARTIN;Paul;01/01/2000;M.;4A;;;"}},
    {"a short line gives its last field for the missing ones",
     {"DUPONT;Jean;;;01/01/2000;;INE1;M;3A;AGL1"},
     {"DUPONT,JEAN,20000101,M,XX,XX,OUI,3A,AGL1,AGL1"},
     {"DUPONT;Jean;AGL1;;AGL1;AGL1;AGL1;2000;3A;M"},
     {"DUPONT;Jean;AGL1;;AGL1;AGL1;AGL1;2000;3A;M;INE1"},
     {"INE1;;DUPONT;Jean;01/01/2000;M.;3A;;;anglais;anglais;anglais;anglais;anglais"}},
    {"sorted targets ignore case, the others keep the export order",
     {Kid("ZOLA", "Ana", "6A"), Kid("dupont", "Marc", "6B"), Kid("DURAND", "Paul", "6C"),
      Kid("DUPONT", "Jean", "6D")},
     {"DUPONT,JEAN,20000101,M,XX,XX,OUI,6D,,9999999Z",
      "DUPONT,MARC,20000101,M,XX,XX,OUI,6B,,9999999Z",
      "DURAND,PAUL,20000101,M,XX,XX,OUI,6C,,9999999Z",
      "ZOLA,ANA,20000101,M,XX,XX,OUI,6A,,9999999Z"},
     {"DUPONT;Jean;;;;;;2000;6D;M", "dupont;Marc;;;;;;2000;6B;M", "DURAND;Paul;;;;;;2000;6C;M",
      "ZOLA;Ana;;;;;;2000;6A;M"},
     {"ZOLA;Ana;;;;;;2000;6A;M;", "dupont;Marc;;;;;;2000;6B;M;", "DURAND;Paul;;;;;;2000;6C;M;",
      "DUPONT;Jean;;;;;;2000;6D;M;"},
     {";;ZOLA;Ana;01/01/2000;M.;6A;;;", ";;DUPONT;Marc;01/01/2000;M.;6B;;;",
      ";;DURAND;Paul;01/01/2000;M.;6C;;;", ";;DUPONT;Jean;01/01/2000;M.;6D;;;"}},
    {"an export holding only its header", {}, {}, {}, {}, {}},
};

TEST(StudentTargets, SharedCasesOverTheFourTargets) {
    for (const auto& c : kSharedCases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Convert(OrlaneStudents(), c.input), c.orlane) << "Orlane";
        EXPECT_EQ(Convert(PmbStudents(), c.input), c.pmb) << "PMB";
        EXPECT_EQ(Convert(BcdiStudents(), c.input), WithHeader(kBcdiHeader, c.bcdi)) << "BCDI";
        EXPECT_EQ(Convert(VeskoStudents(), c.input), WithHeader(kVeskoHeader, c.vesko)) << "Vesko";
    }
}

TEST(StudentTargets, HeaderWithoutTwentyTwoFieldsIsRefusedByEveryTarget) {
    const StudentFormat* formats[] = {&OrlaneStudents(), &PmbStudents(), &BcdiStudents(),
                                      &VeskoStudents()};
    for (const StudentFormat* format : formats) {
        for (int count : {21, 23}) {
            const TextList lines{SconetHeader(count), Kid("DUPONT", "Jean", "3A")};
            try {
                ConvertExport(lines, *format);
                ADD_FAILURE() << count << " fields accepted";
            } catch (const Error& error) {
                EXPECT_NE(std::string(error.what())
                              .find("ne comporte que " + std::to_string(count) + " Champs"),
                          std::string::npos)
                    << error.what();
            }
        }
    }
}

// PMB and BCDI share their first ten columns; BCDI adds the INE.
struct LibraryCase {
    const char* label;
    std::string student;
    std::string pmb;
    std::string bcdi;
};

const LibraryCase kLibraryCases[] = {
    {"every column filled",
     SconetLine({{1, "DUPONT"},
                 {2, kLea},
                 {5, "03/02/1996"},
                 {7, "1234567890A"},
                 {8, "F"},
                 {9, "4\xE8me B"},
                 {19, "12 rue des Lilas"},
                 {20, "75001"},
                 {21, "PARIS"},
                 {22, "0102030405"}}),
     "DUPONT;" + kLea + ";12 rue des Lilas;;75001;PARIS;0102030405;1996;4 B;F",
     "DUPONT;" + kLea + ";12 rue des Lilas;;75001;PARIS;0102030405;1996;4 B;F;1234567890A"},
    {"an empty date gives an empty year",
     SconetLine({{1, "DUPONT"}, {2, "Jean"}, {8, "M"}, {9, "3A"}}), "DUPONT;Jean;;;;;;;3A;M",
     "DUPONT;Jean;;;;;;;3A;M;"},
    {"a date without slash is kept whole",
     SconetLine({{1, "DUPONT"}, {2, "Jean"}, {5, "1996"}, {8, "M"}, {9, "3A"}}),
     "DUPONT;Jean;;;;;;1996;3A;M", "DUPONT;Jean;;;;;;1996;3A;M;"},
    {"the fifth part of the date is taken",
     SconetLine({{1, "DUPONT"}, {2, "Jean"}, {5, "01/02/03/04/05/06"}, {8, "M"}, {9, "3A"}}),
     "DUPONT;Jean;;;;;;05;3A;M", "DUPONT;Jean;;;;;;05;3A;M;"},
    {"names copied byte for byte",
     SconetLine({{1, "d'Aubign\xE9"}, {2, "  jean "}, {5, "01/01/2000"}, {8, "m"}, {9, "5e-2"}}),
     "d'Aubign\xE9;  jean ;;;;;;2000;5-2;m", "d'Aubign\xE9;  jean ;;;;;;2000;5-2;m;"},
};

TEST(PmbBcdiStudents, Columns) {
    for (const auto& c : kLibraryCases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Convert(PmbStudents(), {c.student}), TextList{c.pmb});
        EXPECT_EQ(Convert(BcdiStudents(), {c.student}), (TextList{kBcdiHeader, c.bcdi}));
    }
}

struct VeskoCase {
    const char* label;
    std::map<int, std::string> fields; // added to DUPONT Jean, 03/02/1996, M, 3A
    std::string expected;
};

const VeskoCase kVeskoCases[] = {
    {"no option: the line ends after login and password", {}, ";;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"two codes",
     {{10, "AGL1"}, {11, "ESP2"}},
     ";;DUPONT;Jean;03/02/1996;M.;3A;;;anglais;espagnol"},
    {"unknown and empty options dropped, codes in any case",
     {{10, "LATIN"}, {12, "all2"}},
     ";;DUPONT;Jean;03/02/1996;M.;3A;;;allemand"},
    {"lower-case names kept, other case dropped, a language twice",
     {{10, "anglais"}, {11, "Anglais"}, {12, "AGL2"}, {13, "ESPAGNOL"}, {14, "allemand"}},
     ";;DUPONT;Jean;03/02/1996;M.;3A;;;anglais;anglais;allemand"},
    {"internal number 42", {{6, "42"}}, ";00042;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"internal number 7", {{6, "7"}}, ";00007;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"internal number of four", {{6, "1234"}}, ";01234;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"internal number of five", {{6, "12345"}}, ";12345;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"internal number of six", {{6, "123456"}}, ";123456;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"INE first", {{7, "1234567890A"}}, "1234567890A;;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"sex m", {{8, "m"}}, ";;DUPONT;Jean;03/02/1996;M.;3A;;;"},
    {"sex F", {{8, "F"}}, ";;DUPONT;Jean;03/02/1996;Mlle;3A;;;"},
    {"sex empty", {{8, ""}}, ";;DUPONT;Jean;03/02/1996;Mlle;3A;;;"},
    {"first names with an empty middle one",
     {{3, ""}, {4, "Marc"}},
     ";;DUPONT;Jean  Marc;03/02/1996;M.;3A;;;"},
    {"first names trimmed at both ends",
     {{2, " Jean"}, {3, "Pierre"}},
     ";;DUPONT;Jean Pierre;03/02/1996;M.;3A;;;"},
    {"last name folded", {{1, "d'Aubign\xE9"}}, ";;DAUBIGNE;Jean;03/02/1996;M.;3A;;;"},
    {"division reduced", {{9, "4\xE8me b-2"}}, ";;DUPONT;Jean;03/02/1996;M.;4 -2;;;"},
};

TEST(VeskoStudents, Columns) {
    for (const auto& c : kVeskoCases) {
        SCOPED_TRACE(c.label);
        const std::string student = StudentLine("DUPONT", "Jean", "03/02/1996", "3A", c.fields);
        EXPECT_EQ(Convert(VeskoStudents(), {student}), (TextList{kVeskoHeader, c.expected}));
    }
}

TEST(VeskoStudents, OptionsStartAfreshForEachStudent) {
    const TextList students{StudentLine("DUPONT", "Jean", "03/02/1996", "3A", {{10, "AGL1"}}),
                            StudentLine("MARTIN", "Paul", "03/02/1996", "3A")};
    EXPECT_EQ(Convert(VeskoStudents(), students),
              (TextList{kVeskoHeader, ";;DUPONT;Jean;03/02/1996;M.;3A;;;anglais",
                        ";;MARTIN;Paul;03/02/1996;M.;3A;;;"}));
}

struct DateCase {
    const char* label;
    TextList students;
    const char* state;      // "vide" when blank, "incomplet" when something is there
    std::string secondLine; // UTF-8
};

const DateCase kDateCases[] = {
    {"a year alone", {StudentLine("DUPONT", "Jean", "1996")}, "incomplet", "Ligne 2 : DUPONT Jean"},
    {"one slash only",
     {StudentLine("DUPONT", "Jean", "03/1996")},
     "incomplet",
     "Ligne 2 : DUPONT Jean"},
    {"blanks only", {StudentLine("DUPONT", "Jean", "  ")}, "vide", "Ligne 2 : DUPONT Jean"},
    {"an empty date after a good student, names in UTF-8",
     {Kid("MARTIN", "Paul", "4A"), StudentLine("DUPR\xC9", kLea, "")},
     "vide",
     "Ligne 3 : DUPRÉ Léa"},
    {"numbered in the export as loaded, duplicates and skipped lines counted",
     {Kid("DUPONT", "Jean", "3A"), Kid("DUPONT", "Jean", "3B"), "",
      StudentLine("MARTIN", "Paul", "")},
     "vide",
     "Ligne 5 : MARTIN Paul"},
};

TEST(VeskoStudents, DateWithoutTwoSlashesStopsTheConversion) {
    for (const auto& c : kDateCases) {
        SCOPED_TRACE(c.label);
        try {
            Convert(VeskoStudents(), c.students);
            ADD_FAILURE() << "converted";
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("Fichier incorrect : le champ date de naissance est ") + c.state +
                          ".\n" + c.secondLine);
        }
    }
}

TEST(StudentTargets, TableEntries) {
    struct Entry {
        const char* cliName;
        std::vector<std::string> folder;
        const char* fileName;
        bool fixedCopy;
        const char* doneMessage;
    };
    const Entry entries[] = {
        {"eleves-vesko",
         {"Vesko", "0123456a", "Eleves"},
         "eleves.txt",
         true,
         "L'extraction des élèves Vesko pour l'établissement est terminée"},
        {"eleves-pmb",
         {"PMB", "0123456a", "Eleves"},
         "elevespmb.txt",
         false,
         "L'extraction des élèves PMB pour l'établissement 0123456a est terminée"},
        {"eleves-bcdi",
         {"BCDI", "0123456a", "Eleves"},
         "elevesBCDI.csv",
         false,
         "L'extraction des élèves BCDI pour l'établissement 0123456a est terminée"},
    };
    const auto& table = Conversions();
    const auto indexOf = [&](std::string_view name) {
        const Conversion* found = FindConversion(name);
        return found ? found - table.data() : -1;
    };
    ASSERT_GE(indexOf("eleves-orlane"), 0);
    for (std::size_t k = 0; k < std::size(entries); ++k) {
        const Entry& e = entries[k];
        SCOPED_TRACE(e.cliName);
        const Conversion* conversion = FindConversion(e.cliName);
        ASSERT_NE(conversion, nullptr);
        // Menu order: Orlane, then Vesko, PMB and BCDI.
        EXPECT_GT(indexOf(e.cliName),
                  k == 0 ? indexOf("eleves-orlane") : indexOf(entries[k - 1].cliName));
        Converted result;
        result.code = "0123456a";
        const OutputPlan plan = conversion->plan(result);
        EXPECT_EQ(plan.folder, e.folder);
        EXPECT_EQ(plan.fileName, e.fileName);
        EXPECT_EQ(plan.fixedCopy, e.fixedCopy);
        EXPECT_EQ(plan.doneMessage, e.doneMessage);
    }
}

// Converts a one-student export named 0123456a.csv with the Vesko entry and
// saves it to the file `chosen` gives below the output root.
class VeskoStudentsSave : public ::testing::Test {
protected:
    void Save(const std::filesystem::path& chosen) {
        const auto input = folder_ / "0123456a.csv";
        test::WriteBytes(input, test::ExportBytes({SconetHeader(), student_}));
        const Conversion* conversion = FindConversion("eleves-vesko");
        ASSERT_NE(conversion, nullptr);
        const Converted result = conversion->convert(input, {});
        ASSERT_EQ(result.code, "0123456a");
        SaveResult(*conversion, result, root(),
                   [&](const std::filesystem::path&) { return chosen; });
    }
    std::filesystem::path root() const { return folder_ / "sorties"; }
    std::filesystem::path fixed() const {
        return root() / "Vesko" / "0123456a" / "Eleves" / "eleves.txt";
    }

    const std::string student_ = StudentLine("DUPONT", "Jean", "03/02/1996", "3A", {{6, "42"}});
    const std::string lines_ = kVeskoHeader + "\r\n;00042;DUPONT;Jean;03/02/1996;M.;3A;;;";
    test::TempFolder folder_;
};

TEST_F(VeskoStudentsSave, ProposedFileEndsWithoutLineEnd) {
    Save(fixed());
    EXPECT_EQ(test::ReadBytes(fixed()), lines_);
}

TEST_F(VeskoStudentsSave, FileChosenElsewhereKeepsItsLineEndBesideTheFixedCopy) {
    const auto chosen = folder_ / "ailleurs.txt";
    Save(chosen);
    EXPECT_EQ(test::ReadBytes(chosen), lines_ + "\r\n");
    EXPECT_EQ(test::ReadBytes(fixed()), lines_);
}

} // namespace
} // namespace tressal::students
