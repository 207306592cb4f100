// The report of the student conversions: the lines set aside and why, the
// divisions, the warnings raised and not raised, the school year, and the
// comparison with the file a save would replace.

#include "conversions/conversion.h"
#include "conversions/conversion_report.h"
#include "conversions/file_comparison.h"
#include "conversions/report_text.h"
#include "conversions/save_result.h"
#include "conversions/student_report.h"
#include "report_test_support.h"
#include "students/orlane_students.h"
#include "students/pmb_students.h"
#include "students/sconet_export.h"
#include "students/vesko_students.h"
#include "test_support.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tressal {
namespace {

using namespace std::chrono_literals;
using students::StudentFormat;
using test::Entries;
using test::SconetHeader;
using test::StudentLine;
using test::TempFolder;
using test::Warnings;
using test::WriteBytes;
using Groups = std::vector<std::pair<std::string, std::size_t>>;

ConversionReport ReportOf(const StudentFormat& format, const std::string& studentBytes) {
    ConversionReport report;
    const TextList lines = students::ExportLines(SconetHeader() + "\r\n" + studentBytes);
    StudentReport told(lines, nullptr, report, format.foldsNames);
    students::ConvertExport(lines, format, true, &told);
    told.Finish();
    return report;
}

std::string Lines(const std::vector<std::string>& lines) {
    return test::ExportBytes(lines);
}

struct SetAsideCase {
    const char* label;
    const StudentFormat& format;
    std::string students; // the export's bytes after its header
    std::size_t read, written;
    std::vector<std::string> entries;
    Groups divisions;
};

TEST(StudentReport, ListsEveryLineSetAsideAndCountsTheDivisions) {
    const std::string dupont6A = StudentLine("DUPONT", "Jean", "01/01/2010", "6A");
    const std::string dupont6B = StudentLine("DUPONT", "Jean", "01/01/2010", "6B");
    const std::string martin = StudentLine("MARTIN", "Paul", "01/01/2010", "3\xE8me A");
    const std::string nameless = StudentLine("", "Zo\xE9", "01/01/2010", "6A");
    const SetAsideCase cases[] = {
        {"a run keeps its first line",
         students::OrlaneStudents(),
         Lines({dupont6A, dupont6B, dupont6B, martin}),
         4,
         2,
         {"doublon ligne 3 DUPONT Jean < ligne 2", "doublon ligne 4 DUPONT Jean < ligne 2"},
         {{"3ème A", 1}, {"6A", 1}}},
        {"a run keeps its last line",
         students::VeskoStudents(),
         Lines({dupont6A, dupont6A, dupont6B, martin}),
         4,
         2,
         {"doublon ligne 2 DUPONT Jean < ligne 4", "doublon ligne 3 DUPONT Jean < ligne 4"},
         {{"3ème A", 1}, {"6B", 1}}},
        {"lines without a name; a blank line is no student",
         students::PmbStudents(),
         Lines({nameless, martin, "", dupont6A, martin, "  ", ""}),
         4,
         3,
         {"sans-nom ligne 2  Zoé"},
         {{"3ème A", 2}, {"6A", 1}}},
        {"nothing set aside",
         students::PmbStudents(),
         Lines({martin, dupont6A, martin}),
         3,
         3,
         {},
         {{"3ème A", 2}, {"6A", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ConversionReport report = ReportOf(c.format, c.students);
        test::ExpectListed(report, c.read, c.written, c.entries, c.divisions);
    }
}

struct WarningCase {
    const char* label;
    const StudentFormat& format;
    std::string students; // the export's bytes after its header
    std::vector<std::pair<WarningKind, std::string>> expected;
    const char* textHolds = ""; // in the first warning's text
};

TEST(StudentReport, RaisesEachWarningOnlyWhereItIsDue) {
    using W = WarningKind;
    // Students with names of their own, so that none is a neighbouring duplicate.
    int count = 0;
    const auto born = [&count](const std::string& date) {
        return StudentLine("ELEVE" + std::to_string(++count), "Jean", date, "6A");
    };
    const WarningCase cases[] = {
        {"whole lines",
         students::PmbStudents(),
         Lines({born("01/02/2010"), born("31/12/2009")}),
         {}},
        {"a line of two fields repeats its last one",
         students::PmbStudents(),
         Lines({born("01/02/2010"), "DURAND;Paul"}),
         {{W::ShortLine, "ligne 3"}, {W::MalformedBirthDate, "ligne 3"}},
         "2 champs au lieu de 22 : chaque champ manquant reprend le dernier, « Paul »"},
        {"dates that are not dd/mm/yyyy, Vesko taking //",
         students::VeskoStudents(),
         Lines({born("//"), born("1/2/2010"), born("32/01/2010"), born("01/13/2010"),
                born("01/02/10"), born("29/02/2012")}),
         {{W::MalformedBirthDate, "ligne 2"},
          {W::MalformedBirthDate, "ligne 3"},
          {W::MalformedBirthDate, "ligne 4"},
          {W::MalformedBirthDate, "ligne 5"},
          {W::MalformedBirthDate, "ligne 6"}},
         "« // » n'est pas de la forme jj/mm/aaaa"},
        {"no birth date, no division",
         students::OrlaneStudents(),
         Lines({born(""), StudentLine("MARTIN", "Paul", "01/02/2010", ""), born("01/02/2010")}),
         {{W::WithoutBirthDate, "ligne 2"}, {W::WithoutDivision, "ligne 3"}}},
        // Each line is read in the encoding it shows: only a line holding
        // UTF-8 sequences among invalid bytes stays Windows-1252.
        {"UTF-8 text in a line that is not UTF-8",
         students::PmbStudents(),
         Lines({StudentLine("DUPR\xC3\x89", "L\xE9"
                                            "a"),
                StudentLine("MARTIN", "Paul"),
                StudentLine("H\xC3\xA9"
                            "bert",
                            "Luc")}),
         {{W::Utf8ReadAsCp1252, "ligne 2"}},
         "lue en Windows-1252"},
        {"Windows-1252 pairs that happen to be UTF-8",
         students::PmbStudents(),
         Lines({StudentLine("\xC9\xA0MILE", "\xDC\x9F"), StudentLine("\xC7\x8C"
                                                                     "Z",
                                                                     "L\xE9"
                                                                     "a")}),
         {}},
        {"an accent that Orlane's folding leaves",
         students::OrlaneStudents(),
         Lines({StudentLine("SIOBH\xE1N", "Ana"), StudentLine("\xC9LO\xCFSE", "Zo\xE9")}),
         {{W::AccentedAfterFolding, "ligne 2"}},
         "il est écrit « SIOBHáN ANA »"},
        {"a UTF-8 file is read as UTF-8",
         students::PmbStudents(),
         Lines({StudentLine("DUPR\xC3\x89", "L\xC3\xA9"
                                            "a"),
                StudentLine("MARTIN", "Paul")}),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ConversionReport report = ReportOf(c.format, c.students);
        test::ExpectWarnings(report, c.expected, c.textHolds);
    }
}

// Every place in a line, across the blocks the search reads at once.
TEST(StudentReport, FindsUtf8SequencesWhereverTheyAreInALine) {
    const struct {
        const char* bytes;
        bool utf8;
    } pieces[] = {
        {"\xC3\xA9", true},         // é
        {"\xE2\x82\xAC", true},     // €
        {"\xF0\x9F\x98\x80", true}, // an emoji
        {"\xE9t\xE9", false},       // été in Windows-1252
        {"\xC3", false},            // a lead byte alone
        {"\xE2\x82", false},        // a sequence cut short
        {"\xC0\x80", false},        // an overlong form
        {"\xC3\xA9\xA9", true},     // é then a stray byte
        // Windows-1252 pairs that are UTF-8 for letters it cannot hold.
        {"\xC9\xA0", false}, // É, no-break space
        {"\xDC\x9F", false}, // ÜŸ
        {"\xC7\x8C", false}, // ÇŒ
        {"\xC5\x92", true},  // Œ in UTF-8
    };
    for (const auto& piece : pieces) {
        for (std::size_t at = 0; at <= 40; ++at) {
            for (const std::size_t after : {std::size_t{0}, std::size_t{17}}) {
                const std::string line =
                    std::string(at, 'a') + piece.bytes + std::string(after, ';');
                SCOPED_TRACE(testing::PrintToString(line));
                EXPECT_EQ(HoldsTellingUtf8(line), piece.utf8);
            }
        }
    }
}

// Every field quoted, quotes doubled inside: the result is that of the
// export the spreadsheet was given, a ';' inside a value made a ','.
TEST(StudentReport, ReadsAnExportResavedByASpreadsheetAsItWasMeant) {
    const auto quoted = [](const std::string& line) {
        std::string result = "\"";
        for (const char c : line)
            result += c == ';' ? "\";\"" : c == '"' ? "\"\"" : std::string(1, c);
        return result + "\"";
    };
    const std::string plain = StudentLine("DU\"PONT", "Jean,Marc", "01/02/2010", "6A");
    TempFolder folder;
    WriteBytes(folder / "0123456A.csv", Lines({SconetHeader(), plain}));
    const Converted expected = FindConversion("eleves-pmb")->convert(folder / "0123456A.csv", {});
    std::string resaved = quoted(SconetHeader()) + "\r\n" + quoted(plain) + "\r\n";
    resaved.replace(resaved.find("Jean,Marc"), 9, "Jean;Marc");
    WriteBytes(folder / "0123456A.csv", resaved);
    const Converted result = FindConversion("eleves-pmb")->convert(folder / "0123456A.csv", {});
    EXPECT_EQ(result.lines, expected.lines);
    test::ExpectWarnings(result.report, {{WarningKind::ResavedBySpreadsheet, "ligne 1"}},
                         "export réenregistré par un tableur : vérifiez les dates et les codes");
    // A header that is not the Sconet header once unquoted is refused as before.
    WriteBytes(folder / "0123456A.csv", quoted(SconetHeader(20)) + "\r\n" + quoted(plain));
    EXPECT_NE(test::ErrorOf([&] {
                  FindConversion("eleves-pmb")->convert(folder / "0123456A.csv", {});
              }).find("Il ne comporte que 20 Champs"),
              std::string::npos);
}

// A name Windows-1252 cannot hold is written with "?" as before, and told
// with both spellings, for students (SIECLE, or a Sconet export saved in
// UTF-8) and teachers alike.
TEST(ConversionReport, TellsEachNameWrittenWithAQuestionMark) {
    const auto quoted = [](std::string line) { // as a spreadsheet saves it again
        for (std::size_t at = 0; (at = line.find(';', at)) != std::string::npos; at += 3)
            line.replace(at, 1, "\";\"");
        return '"' + line + '"';
    };
    const struct {
        const char* cliName;
        const char* file;
        std::string bytes;
        const char* origin;
    } cases[] = {
        {"eleves-pmb", "ElevesSansAdresses.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BEE_ELEVES><PARAMETRES><UAJ>0123456A</UAJ>"
         "</PARAMETRES><DONNEES><ELEVES><ELEVE ELEVE_ID=\"7\"><NOM_DE_FAMILLE>NOWAK"
         "</NOM_DE_FAMILLE><PRENOM>\xC5\x81ukasz</PRENOM></ELEVE><ELEVE ELEVE_ID=\"8\">"
         "<NOM_DE_FAMILLE>MARTIN</NOM_DE_FAMILLE><PRENOM>Zo\xC3\xA9</PRENOM></ELEVE></ELEVES>"
         "</DONNEES></BEE_ELEVES>",
         "ELEVE_ID 7"},
        {"profs-pmb", "sts_emp_0123456A_2026.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<STS_EDT><DONNEES><INDIVIDUS>"
         "<INDIVIDU ID=\"5\" TYPE=\"epp\"><NOM_USAGE>NOWAK</NOM_USAGE><PRENOM>\xC5\x81ukasz"
         "</PRENOM></INDIVIDU><INDIVIDU ID=\"6\" TYPE=\"epp\"><NOM_USAGE>MARTIN</NOM_USAGE>"
         "<PRENOM>Zo\xC3\xA9</PRENOM></INDIVIDU></INDIVIDUS></DONNEES></STS_EDT>",
         "INDIVIDU ID=5"},
        {"eleves-pmb", "0123456A.csv",
         test::ExportBytes({SconetHeader(), StudentLine("NOWAK", "\xC5\x81ukasz"),
                            StudentLine("MARTIN", "Zo\xC3\xA9")}),
         "ligne 2"},
        {"eleves-bcdi", "0123456A.csv",
         "\xEF\xBB\xBF" + test::ExportBytes({quoted(SconetHeader()), quoted(StudentLine("A", "b")),
                                             quoted(StudentLine("NOWAK", "\xC5\x81ukasz"))}),
         "ligne 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cliName);
        TempFolder folder;
        WriteBytes(folder / c.file, c.bytes);
        const Converted result = FindConversion(c.cliName)->convert(folder / c.file, {});
        EXPECT_TRUE(
            std::any_of(result.lines.begin(), result.lines.end(), [](const std::string& line) {
                return line.find("NOWAK;?ukasz;") != std::string::npos;
            }));
        std::vector<std::string> told;
        for (const Warning& warning : result.report.warnings)
            if (warning.kind == WarningKind::Unwritable)
                told.push_back(OriginText(warning.origin) + " " + warning.name + " " +
                               warning.firstName + ": " + WarningText(warning));
        EXPECT_EQ(told, std::vector<std::string>{
                            std::string(c.origin) +
                            " NOWAK Łukasz: « Ł » ne peut pas être écrit en Windows-1252 : le nom "
                            "est écrit « NOWAK ?ukasz ». Corrigez-le dans le fichier écrit si le "
                            "logiciel le permet."});
    }
}

struct SchoolYearCase {
    std::chrono::year_month_day today;
    const char* schoolYear;
    bool warns;
};

TEST(SchoolYear, WarnsWhenTheExportIsNotOfTheCurrentYear) {
    const SchoolYearCase cases[] = {
        {2026y / 12 / 8, "2026", false}, {2026y / 12 / 8, "2025", true},
        {2026y / 12 / 8, "2027", true},  {2027y / 3 / 1, "2026", false},
        {2027y / 3 / 1, "2027", true},   {2027y / 7 / 15, "2027", false},
        {2027y / 8 / 31, "2026", false}, {2027y / 9 / 1, "2026", true},
        {2027y / 6 / 30, "2027", true},  {2026y / 12 / 8, "20x6", true},
        {2026y / 12 / 8, "", false},     {std::chrono::year_month_day{}, "1999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.today.year())) + "-" +
                     std::to_string(static_cast<unsigned>(c.today.month())) + " " + c.schoolYear);
        const auto warning = SchoolYearWarning(c.schoolYear, c.today);
        EXPECT_EQ(warning.has_value(), c.warns);
        if (warning) {
            EXPECT_EQ(warning->kind, WarningKind::OtherSchoolYear);
            EXPECT_NE(WarningText(*warning).find(c.schoolYear), std::string::npos)
                << WarningText(*warning);
        }
    }
}

// A SIECLE export through the conversion: the leaver is listed, the student
// without division warned about, the year checked against the given day.
TEST(StudentReport, SiecleExportListsItsLeaversAndChecksItsYear) {
    TempFolder folder;
    const auto input = folder / "ElevesSansAdresses.xml";
    WriteBytes(input,
               "<BEE_ELEVES><PARAMETRES><UAJ>0123456A</UAJ><ANNEE_SCOLAIRE>2025</ANNEE_SCOLAIRE>"
               "<DATE_EXPORT>15/09/2026</DATE_EXPORT></PARAMETRES><DONNEES><ELEVES>"
               "<ELEVE ELEVE_ID=\"1\"><NOM_DE_FAMILLE>DUPONT</NOM_DE_FAMILLE><PRENOM>Jean</PRENOM>"
               "<DATE_NAISS>01/02/2012</DATE_NAISS></ELEVE>"
               "<ELEVE ELEVE_ID=\"2\"><NOM_DE_FAMILLE>LEGRAND</NOM_DE_FAMILLE><PRENOM>Éva"
               "</PRENOM><DATE_NAISS>01/02/2012</DATE_NAISS><DATE_SORTIE>01/09/2026</DATE_SORTIE>"
               "</ELEVE></ELEVES></DONNEES></BEE_ELEVES>");
    const Conversion& conversion = *FindConversion("eleves-bcdi");
    const Converted dated = conversion.convert(input, {{}, 2026y / 12 / 8});
    EXPECT_EQ(dated.report.read, 2u);
    EXPECT_EQ(dated.report.written, 1u);
    // BCDI needs the address that DUPONT does not have.
    EXPECT_EQ(Entries(dated.report),
              (std::vector<std::string>{"sorti ELEVE_ID 2 LEGRAND Éva",
                                        "sans-adresse ELEVE_ID 1 DUPONT Jean"}));
    const std::vector<std::pair<WarningKind, std::string>> warnings = {
        {WarningKind::OtherSchoolYear, "PARAMETRES/ANNEE_SCOLAIRE"},
        {WarningKind::WithoutDivision, "ELEVE_ID 1"}};
    EXPECT_EQ(Warnings(dated.report), warnings);
    EXPECT_EQ(Warnings(conversion.convert(input, {}).report),
              (std::vector<std::pair<WarningKind, std::string>>{warnings[1]}));
}

struct ComparisonCase {
    const char* label;
    bool header;
    TextList lines, existing;
    std::size_t unchanged;
    TextList added, removed;
};

TEST(FileComparison, CountsAndListsTheLinesAddedAndRemoved) {
    const ComparisonCase cases[] = {
        {"unchanged, whatever the order", false, {"A", "B", "C"}, {"C", "A", "B"}, 3, {}, {}},
        {"a changed line is removed and added",
         false,
         {"A", "B2", "C", "D"},
         {"A", "B", "C"},
         2,
         {"B2", "D"},
         {"B"}},
        {"repeated lines count one by one",
         false,
         {"A", "A", "B"},
         {"A", "B", "B"},
         2,
         {"A"},
         {"B"}},
        {"an empty file", false, {"A"}, {}, 0, {"A"}, {}},
        {"the header takes no part", true, {"H", "A", "B"}, {"H", "A"}, 1, {"B"}, {}},
        {"a file without the header", true, {"H", "A"}, {"A", "B"}, 1, {}, {"B"}},
        {"a line like the header is a line without header", false, {"H", "A"}, {"H"}, 1, {"A"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Comparison comparison = CompareWithExisting(c.lines, c.existing, c.header, "f.txt");
        EXPECT_EQ(comparison.unchanged, c.unchanged);
        EXPECT_EQ(comparison.added, c.added);
        EXPECT_EQ(comparison.removed, c.removed);
        EXPECT_EQ(comparison.file, "f.txt");
    }
}

// The Vesko file that a save replaces: its fixed copy, without a final line end.
TEST(FileComparison, ComparesWithTheProposedFileWhenThereIsOne) {
    TempFolder folder;
    const auto input = folder / "0123456A.csv";
    WriteBytes(input, test::ExportBytes({SconetHeader(), StudentLine("DUPONT", "Jean"),
                                         StudentLine("MARTIN", "Paul")}));
    const Conversion& vesko = *FindConversion("eleves-vesko");
    const auto file = folder / "root/Vesko/0123456A/Eleves/eleves.txt";
    const std::string paul = ";;MARTIN;Paul;01/01/2000;M.;6A;;;";
    const std::string pierre = ";;MARTIN;Pierre;01/01/2000;M.;6A;;;";
    struct Case {
        const char* label;
        const char* existing; // nullptr: no file; "/": a folder in its place
        bool compared;
        std::size_t warnings;
    };
    const Case cases[] = {
        {"no file yet", nullptr, false, 0},
        {"the file of the last save, one student changed", "", true, 0},
        {"a folder where the file would be", "/", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove_all(folder / "root");
        Converted result = vesko.convert(input, {});
        ASSERT_EQ(result.lines.back(), paul);
        if (c.existing != nullptr && std::string(c.existing) == "/") {
            std::filesystem::create_directories(file);
        } else if (c.existing != nullptr) {
            Converted last = result;
            last.lines.back() = pierre;
            SaveResult(vesko, last, folder / "root");
        }
        CompareWithProposedFile(vesko, result, folder / "root");
        ASSERT_EQ(result.report.comparison.has_value(), c.compared);
        if (c.compared) {
            EXPECT_EQ(result.report.comparison->file, file);
            EXPECT_EQ(result.report.comparison->unchanged, 1u);
            EXPECT_EQ(result.report.comparison->added, TextList{paul});
            EXPECT_EQ(result.report.comparison->removed, TextList{pierre});
        }
        ASSERT_EQ(result.report.warnings.size(), c.warnings);
        if (c.warnings) {
            EXPECT_EQ(result.report.warnings.front().kind, WarningKind::ExistingFileUnreadable);
        }
    }
}

// Origins are equal by what they say, however they were made: an origin
// with an empty label is no origin, a line read in a folder's export is not
// the same line of another export.
TEST(OriginTest, EqualByWhatTheySay) {
    const Origin element = Origin::Element("ELEVE n°3", "ELEVE", "", 3);
    const struct {
        Origin a, b;
        bool equal;
    } cases[] = {
        {Origin(std::string()), Origin(), true},
        {Origin(4, ""), Origin(4), true},
        {Origin(4, "a.xml"), Origin(4, "a.xml"), true},
        {Origin(4, "a.xml"), Origin(4), false},
        {Origin(4, "a.xml"), Origin(4, "b.xml"), false},
        {element, Origin::Element("ELEVE n°3", "ELEVE", "", 3), true},
        {element, Origin::Element("ELEVE n°3", "ELEVE", "", 4), false},
        {Origin::File("a.xml"), Origin("a.xml"), false},
        {Origin::File("a.xml"), Origin::Element("a.xml", "", "", 0, "a.xml"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(OriginText(c.a) + " / " + OriginText(c.b));
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
    }
}

} // namespace
} // namespace tressal
