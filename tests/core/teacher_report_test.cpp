// The report of the teacher conversions: the persons set apart and why, the
// persons per discipline, and the warnings on the establishment codes.

#include "conversions/conversion.h"
#include "conversions/report_text.h"
#include "report_test_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tressal {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteBytes;
using Files = std::map<std::string, std::string>; // file name -> bytes

// One INDIVIDU; an empty name leaves NOM_USAGE empty, an empty discipline
// leaves DISCIPLINES out.
std::string Person(const std::string& id, const std::string& name, const std::string& first,
                   const std::string& discipline = "") {
    return "<INDIVIDU ID=\"" + id + "\"><CIVILITE>1</CIVILITE><NOM_USAGE>" + name +
           "</NOM_USAGE><PRENOM>" + first + "</PRENOM>" +
           (discipline.empty()
                ? ""
                : "<DISCIPLINES><DISCIPLINE CODE=\"" + discipline + "\"/></DISCIPLINES>") +
           "</INDIVIDU>";
}

// An export of those persons; `code` gives PARAMETRES/UAJ/@CODE unless empty;
// `taught` names (division, teacher ID) services.
std::string Export(const std::string& persons, const std::string& code = "",
                   const std::vector<std::pair<std::string, std::string>>& taught = {}) {
    std::string structure;
    for (const auto& [division, id] : taught)
        structure += "<DIVISION CODE=\"" + division +
                     "\"><SERVICES><SERVICE><ENSEIGNANTS>"
                     "<ENSEIGNANT ID=\"" +
                     id + "\"/></ENSEIGNANTS></SERVICE></SERVICES></DIVISION>";
    return "<STS_EDT>" +
           (code.empty() ? "" : "<PARAMETRES><UAJ CODE=\"" + code + "\"/></PARAMETRES>") +
           "<DONNEES><INDIVIDUS>" + persons + "</INDIVIDUS><STRUCTURE><DIVISIONS>" + structure +
           "</DIVISIONS></STRUCTURE></DONNEES></STS_EDT>";
}

// Converts the files (the folder for the cité scolaire, else its only file).
ConversionReport ReportOf(const char* cliName, const Files& files) {
    TempFolder folder;
    for (const auto& [name, bytes] : files)
        WriteBytes(folder / name, bytes);
    const Conversion& conversion = *FindConversion(cliName);
    const fs::path input =
        conversion.input == InputKind::Folder ? folder.path() : folder / files.begin()->first;
    return conversion.convert(input, {}).report;
}

struct PersonsCase {
    const char* cliName;
    Files files;
    std::size_t read, written;
    std::vector<std::string> entries;
    std::vector<std::pair<std::string, std::size_t>> disciplines;
};

TEST(TeacherReport, ListsThePersonsSetApartAndCountsTheDisciplines) {
    const std::string persons = Person("1", "DUPONT", "Jean", "L0202") +
                                Person("2", "", "Paul", "L0100") +
                                Person("3", "MARTIN", "Léa", "L0100") + Person("4", "ROY", "Luc");
    const std::string one = Export(persons, "", {{"3A", "1"}, {"4B", "4"}, {"4B", "2"}});
    const PersonsCase cases[] = {
        {"profs-vesko",
         {{"sts_emp_0123456A_2026.xml", one}},
         4,
         3,
         {"sans-nom INDIVIDU ID=2  Paul", "sans-division INDIVIDU ID=3 MARTIN Léa"},
         {{"L0100", 1}, {"L0202", 1}, {"", 1}}},
        {"profs-pmb",
         {{"sts_emp_0123456A_2026.xml", one}},
         4,
         3,
         {"sans-nom INDIVIDU ID=2  Paul"},
         {{"L0100", 1}, {"L0202", 1}, {"", 1}}},
        {"profs-orlane-cite",
         {{"STS_a.xml",
           Export(Person("1", "DUPONT", "Jean", "L0202") + Person("3", "MARTIN", "Léa", "L0100"))},
          {"STS_b.xml", Export(Person("7", "Dupont", "JEAN", "L0202") + Person("8", "ROY", "Luc") +
                               Person("9", "", "Eva") + Person("10", "ROY", "Luc"))}},
         6,
         3,
         {"doublon-cite STS_b.xml, INDIVIDU ID=7 Dupont JEAN < STS_a.xml",
          "sans-nom STS_b.xml, INDIVIDU ID=9  Eva",
          "doublon-cite STS_b.xml, INDIVIDU ID=10 ROY Luc < STS_b.xml"},
         {{"L0100", 1}, {"L0202", 1}, {"", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cliName);
        const ConversionReport report = ReportOf(c.cliName, c.files);
        EXPECT_EQ(report.population, Population::Teachers);
        test::ExpectListed(report, c.read, c.written, c.entries, c.disciplines);
    }
}

struct CodeCase {
    const char* label;
    const char* cliName;
    Files files;
    std::vector<std::pair<WarningKind, std::string>> expected; // kind, where
    const char* textHolds = "";
};

TEST(TeacherReport, WarnsWhenTheEstablishmentCodesDoNotAgree) {
    using W = WarningKind;
    const std::string persons = Person("1", "DUPONT", "Jean");
    const char* name = "sts_emp_0123456A_2026.xml";
    const CodeCase cases[] = {
        {"the code of the name", "profs-orlane", {{name, Export(persons, "0123456A")}}, {}},
        {"the same code in lower case", "profs-pmb", {{name, Export(persons, "0123456a")}}, {}},
        {"no code in the export", "profs-orlane", {{name, Export(persons)}}, {}},
        {"another code",
         "profs-vesko",
         {{name, Export(persons, " 0999999Z ")}},
         {{W::EstablishmentMismatch, name}},
         "l'export indique l'établissement 0999999Z, mais son nom donne le code 0123456A"},
        {"a cité of two establishments",
         "profs-orlane-cite",
         {{"STS_a.xml", Export(persons, "0123456A")}, {"STS_b.xml", Export(persons, "0234567B")}},
         {}},
        {"a cité with one establishment twice",
         "profs-orlane-cite",
         {{"STS_a.xml", Export(persons, "0123456A")},
          {"STS_b.xml", Export(persons, "0234567B")},
          {"STS_c.xml", Export(persons, "0123456A")}},
         {{W::SameEstablishmentTwice, "STS_c.xml"}},
         "export du même établissement 0123456A que STS_a.xml"},
        {"a cité whose exports give no code",
         "profs-orlane-cite",
         {{"STS_a.xml", Export(persons)}, {"STS_b.xml", Export(persons)}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ConversionReport report = ReportOf(c.cliName, c.files);
        test::ExpectWarnings(report, c.expected, c.textHolds);
    }
}

// An export declared in a single-byte set whose bytes are UTF-8 is read as
// UTF-8 with a warning; a second one names the first line that is not UTF-8.
TEST(TeacherReport, WarnsWhenTheBytesDoNotFollowTheDeclaredEncoding) {
    using W = WarningKind;
    const std::string latin9 = "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n";
    const char* name = "sts_emp_0123456A_2026.xml";
    const CodeCase cases[] = {
        {"UTF-8",
         "profs-pmb",
         {{name, latin9 + Export(Person("1", "ÉTIENNE", "Zoé"))}},
         {{W::Utf8DespiteDeclaration, "déclaration XML"}},
         "UTF-8"},
        {"mixed",
         "profs-orlane",
         {{name, latin9 + Export(Person("1", "ÉTIENNE", "Zoé") + "\n" +
                                 Person("2",
                                        "L\xC9"
                                        "A",
                                        "A"))}},
         {{W::Utf8DespiteDeclaration, "déclaration XML"}, {W::MixedEncodings, "ligne 3"}}},
        {"a cité",
         "profs-orlane-cite",
         {{"STS_a.xml", Export(Person("2", "ROY", "Luc"))},
          {"STS_b.xml", latin9 + Export(Person("1", "ÉTIENNE", "Zoé"))}},
         {{W::Utf8DespiteDeclaration, "STS_b.xml, déclaration XML"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        test::ExpectWarnings(ReportOf(c.cliName, c.files), c.expected, c.textHolds);
    }
}

} // namespace
} // namespace tressal
