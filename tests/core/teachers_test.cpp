// The teacher conversions of STS exports: the establishment code of the file
// name, the Orlane, PMB and Vesko files, the cité scolaire merge, their output
// plans and the command line, on small exports and on real ones.

#include "cli/cli.h"
#include "conversions/conversion.h"
#include "conversions/save_result.h"
#include "sts/sts_export.h"
#include "teachers/cite_teachers.h"
#include "teachers/orlane_teachers.h"
#include "teachers/pmb_teachers.h"
#include "teachers/vesko_teachers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tressal::teachers {
namespace {

namespace fs = std::filesystem;
using test::EntriesBelow;
using test::ErrorOf;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

using sts::StsEstablishmentCode;

// The conversions of one export file, read as a cité scolaire's are.
sts::StsExport Read(const fs::path& file) {
    return sts::ReadStsExport(file, sts::StsNaming::InFolder);
}
TextList OrlaneTeachers(const fs::path& file) {
    return teachers::OrlaneTeachers(Read(file));
}
TextList PmbTeachers(const fs::path& file) {
    return teachers::PmbTeachers(Read(file));
}
TextList VeskoTeachers(const fs::path& file) {
    const sts::StsExport data = Read(file);
    return teachers::VeskoTeachers(data, DivisionIndex(data));
}

const std::string kNotFoundPrenom = "Noeud \"PRENOM\" non trouvé";
const std::string kNullToInteger =
    "Impossible de convertir le variant de type (Null) en type (Integer)";
// Windows-1252: \xB0 is °, \xE9 is é.
const std::string kVeskoHeader =
    "UID;N\xB0Interne;Civilit\xE9;Nom;Pr\xE9nom;Discipline;Date de naissance;Login;Mdp;Division1";

// --- Building STS exports ---------------------------------------------------

std::string Element(const std::string& name, const std::string& text) {
    return "<" + name + ">" + text + "</" + name + ">";
}
std::string Names(const std::string& name, const std::string& first) {
    return Element("NOM_USAGE", name) + Element("PRENOM", first);
}
std::string Individu(const std::string& inner, const std::string& id = "1") {
    return "<INDIVIDU ID=\"" + id + "\" TYPE=\"epp\">" + inner + "</INDIVIDU>";
}
std::string Teacher(const std::string& id) {
    return "<ENSEIGNANT ID=\"" + id + "\" TYPE=\"epp\"/>";
}
std::string Service(const std::string& teachers) {
    return "<SERVICE CODE_MATIERE=\"020100\"><ENSEIGNANTS>" + teachers + "</ENSEIGNANTS></SERVICE>";
}
std::string Division(const std::string& code, const std::string& services) {
    return "<DIVISION CODE=\"" + code + "\"><SERVICES>" + services + "</SERVICES></DIVISION>";
}
std::string Divisions(const std::string& divisions) {
    return "<STRUCTURE><DIVISIONS>" + divisions + "</DIVISIONS></STRUCTURE>";
}
std::string Sts(const std::string& individus, const std::string& structure = "",
                const std::string& encoding = "UTF-8") {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<STS_EDT><DONNEES><INDIVIDUS>" +
           individus + "</INDIVIDUS>" + structure + "</DONNEES></STS_EDT>\n";
}

class TeachersTest : public testing::Test {
protected:
    // Writes the bytes to that file of the input folder (parents created).
    fs::path Write(const fs::path& name, const std::string& bytes) {
        const fs::path file = in_ / name;
        fs::create_directories(file.parent_path());
        WriteBytes(file, bytes);
        return file;
    }
    TempFolder in_;
    TempFolder out_;
};

// --- Establishment code -----------------------------------------------------

TEST(TeacherFileNameTest, CodeIsTheThirdFieldOfTheFileNameTrimmed) {
    test::ExpectEach<std::string>(
        {{"/data/Mes_Exports/STS_X_0123456A_2009.xml", "0123456A"},
         {"a_b_c/sts_emp_0210050R_2009.xml", "0210050R"},
         {"STS_X_ 0123456A\t_2009.xml", "0123456A"},
         {"Mes_Exports/ export.xml ", "export.xml"}},
        [](const std::string& path) { return StsEstablishmentCode(path); });
}

TEST(TeacherFileNameTest, CodesThatAreNoSafeFolderNameAreRefused) {
    std::vector<std::string> names = {"STS_X__2009.xml",
                                      "STS_X_ _2009.xml",
                                      "STS_X_._2009.xml",
                                      "STS_X_.._2009.xml",
                                      "STS_X_01:A_2009.xml",
                                      "STS_X_01\x01"
                                      "A_2009.xml"};
#ifndef _WIN32 // on Windows a backslash separates folders: no file name holds one
    names.push_back("STS_X_01\\A_2009.xml");
#endif
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ErrorOf([&] { StsEstablishmentCode(fs::path("/exports") / name); }),
                  "Nom de fichier incorrect\nLe nom attendu est celui que STS-Web donne à "
                  "l'export, sts_emp_CODE_ANNEE.xml (par exemple sts_emp_0123456A_2026.xml) : le "
                  "code de l'établissement y suit le deuxième « _ ».");
    }
}

// --- Orlane, one establishment ----------------------------------------------

TEST_F(TeachersTest, OrlaneLinesAreNameCommaFirstNameSorted) {
    const std::vector<std::pair<std::string, TextList>> cases = {
        {Individu(Names("BETA", "b")) + Individu(Names("alpha", "a")) +
             Individu(Names("Alpine", "c") + Element("FONCTION", "DIR")),
         {"alpha,a", "Alpine,c", "BETA,b"}},
        {Individu(Element("NOM_USAGE", "")) + Individu("<NOM_USAGE/>" + Element("PRENOM", "Luc")),
         {}},
        {Individu(Names("MARTIN", "")), {"MARTIN,"}},
        {Individu(Names("  ", "Luc")), {"  ,Luc"}},
        {Individu(Names("ROY", "Paul"), "1") + Individu(Names("ROY", "Paul"), "2"),
         {"ROY,Paul", "ROY,Paul"}},
        {Individu(Names("DUPONT, MARTIN", "Jean,Luc")), {"DUPONT  MARTIN,Jean Luc"}},
        {"", {}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k].first);
        const auto file =
            Write("case" + std::to_string(k) + "/STS_X_0123456A_2009.xml", Sts(cases[k].first));
        EXPECT_EQ(OrlaneTeachers(file), cases[k].second);
    }
}

TEST_F(TeachersTest, OrlaneNeedsAFirstNameWhenTheUsageNameIsThere) {
    const auto file =
        Write("STS_X_0123456A_2009.xml",
              Sts(Individu(Names("ROY", "Paul")) + Individu(Element("NOM_USAGE", "MARTIN"), "2")));
    EXPECT_EQ(ErrorOf([&] { OrlaneTeachers(file); }),
              kNotFoundPrenom + " pour la personne ID 2 (MARTIN)");
}

TEST_F(TeachersTest, LatinOneAndUtf8ExportsGiveWindows1252Lines) {
    // LEFÈVRE Hélène in ISO-8859-1 bytes; Cœur Bérénice in UTF-8 (œ is \x9C in Windows-1252).
    const auto latin = Write("latin/STS_X_0123456A_2009.xml",
                             Sts(Individu(Names("LEF\xC8VRE", "H\xE9l\xE8ne")), "", "ISO-8859-1"));
    const auto utf8 =
        Write("utf8/STS_X_0123456A_2009.xml", Sts(Individu(Names("Cœur", "Bérénice"))));
    EXPECT_EQ(OrlaneTeachers(latin), TextList{"LEF\xC8VRE,H\xE9l\xE8ne"});
    EXPECT_EQ(OrlaneTeachers(utf8), TextList{"C\x9Cur,B\xE9r\xE9nice"});
    EXPECT_EQ(PmbTeachers(latin), TextList{"LEF\xC8VRE;H\xE9l\xE8ne;;;;;;;"});
}

// A value holding a line end, a tab or the target's separator stays one field
// of one line, in every teacher target.
TEST_F(TeachersTest, ValuesCannotSplitALineOrShiftColumns) {
    // Character references: the parser would turn a raw line end into LF, or
    // into a blank inside an attribute.
    const std::string person = Names("DU&#13;&#10;PONT;A,B", "Jean;&#9;Luc,Marc") +
                               Element("CIVILITE", "1") +
                               Element("DATE_NAISSANCE", "1970;&#10;-05-31") +
                               "<DISCIPLINES><DISCIPLINE CODE=\"L;0&#10;1\"/></DISCIPLINES>";
    const auto file =
        Write("STS_X_0123456A_2009.xml",
              Sts(Individu(person), Divisions(Division("3;A&#13;&#10;", Service(Teacher("1"))) +
                                              Division("4B", Service(Teacher("1"))))));
    const std::vector<std::pair<TextList (*)(const fs::path&), TextList>> cases = {
        {&OrlaneTeachers, {"DU  PONT;A B,Jean; Luc Marc"}},
        {&PmbTeachers, {"DU  PONT,A,B;Jean, Luc,Marc;;;;;;1970, ;M"}},
        {&VeskoTeachers,
         {kVeskoHeader, ";1;M.;DU  PONT,A,B;Jean, Luc,Marc;L,0 1;31/05/1970, ;;;3,A  ;4B"}},
    };
    for (const auto& [convert, lines] : cases)
        EXPECT_EQ(convert(file), lines);
}

// --- PMB --------------------------------------------------------------------

TEST_F(TeachersTest, PmbLinesGiveYearOfBirthAndSex) {
    const auto civ = [](const std::string& v) { return Element("CIVILITE", v); };
    const auto born = [](const std::string& v) { return Element("DATE_NAISSANCE", v); };
    const std::string may31 = born("1970-05-31");
    const std::vector<std::pair<std::string, TextList>> cases = {
        {Names("NOM", "Pre") + civ("1") + may31, {"NOM;Pre;;;;;;1970;M"}},
        {Names("NOM", "Pre") + civ("2") + may31, {"NOM;Pre;;;;;;1970;F"}},
        {Names("NOM", "Pre") + civ("3") + may31, {"NOM;Pre;;;;;;1970;F"}},
        {Names("NOM", "Pre") + civ("4") + may31, {"NOM;Pre;;;;;;1970;"}},
        {Names("NOM", "Pre") + may31, {"NOM;Pre;;;;;;1970;"}},
        {Names("NOM", "Pre") + civ("") + may31, {"NOM;Pre;;;;;;1970;"}},
        {Names("NOM", "Pre") + civ("abc") + may31, {"NOM;Pre;;;;;;1970;"}},
        {Names("NOM", "Pre") + civ("2") + born("19700531"), {"NOM;Pre;;;;;;;F"}},
        {Names("NOM", "Pre") + civ("1"), {"NOM;Pre;;;;;;;M"}},
        {Element("NOM_USAGE", "") + civ("1") + may31, {}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k].first);
        const auto file = Write("case" + std::to_string(k) + "/STS_X_0123456A_2009.xml",
                                Sts(Individu(cases[k].first)));
        EXPECT_EQ(PmbTeachers(file), cases[k].second);
    }
    const auto sorted = Write("STS_X_0123456A_2009.xml",
                              Sts(Individu(Names("BETA", "b")) + Individu(Names("alpha", "a")) +
                                  Individu(Names("Alpine", "c"))));
    EXPECT_EQ(PmbTeachers(sorted),
              (TextList{"alpha;a;;;;;;;", "Alpine;c;;;;;;;", "BETA;b;;;;;;;"}));
}

// --- Vesko ------------------------------------------------------------------

TEST_F(TeachersTest, VeskoLinesFollowTheDocumentWithTheirDivisions) {
    const std::string persons =
        Individu(Element("CIVILITE", "1") + Names("MARTIN", "Luc") +
                     Element("DATE_NAISSANCE", "1970-05-31") +
                     "<DISCIPLINES><DISCIPLINE CODE=\"L0201\"/><DISCIPLINE CODE=\"L1300\"/>"
                     "</DISCIPLINES>",
                 "11") +
        Individu(Element("CIVILITE", "2") + Names("BETA", "Ana") +
                     Element("DATE_NAISSANCE", "19700531"),
                 "12") +
        Individu(Element("CIVILITE", "") + Element("NOM_USAGE", ""), "99") +
        Individu(Element("CIVILITE", "3") + Names("alpha", "Zoé"), "13") +
        Individu(Element("CIVILITE", "4") + Names("OMEGA", "Eva"), "14");
    const auto file = Write("STS_X_0123456A_2009.xml",
                            Sts(persons, Divisions(Division("3A", Service(Teacher("11"))) +
                                                   Division("4B", Service(Teacher("11"))))));
    EXPECT_EQ(VeskoTeachers(file),
              (TextList{kVeskoHeader, ";11;M.;MARTIN;Luc;L0201;31/05/1970;;;3A;4B",
                        ";12;Mme;BETA;Ana;;19700531/19700531/;;;", ";13;Mlle;alpha;Zo\xE9;;;;;",
                        ";14;4;OMEGA;Eva;;;;;"}));
}

TEST_F(TeachersTest, VeskoStopsOnUnguardedReads) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Individu(Element("CIVILITE", "") + Names("ROY", "Paul")),
         kNullToInteger + " pour la personne ID 1 (ROY Paul)"},
        {Individu(Element("CIVILITE", "1") + Element("NOM_USAGE", "ROY")),
         kNotFoundPrenom + " pour la personne ID 1 (ROY)"},
        {"<INDIVIDU>" + Element("CIVILITE", "1") + Names("ROY", "Paul") + "</INDIVIDU>",
         "Noeud \"ID\" non trouvé pour la personne sans ID (ROY Paul)"},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k].first);
        const auto file =
            Write("case" + std::to_string(k) + "/STS_X_0123456A_2009.xml", Sts(cases[k].first));
        EXPECT_EQ(ErrorOf([&] { VeskoTeachers(file); }), cases[k].second);
    }
}

TEST_F(TeachersTest, DivisionListsHoldWholeCodesOfEveryTeacher) {
    struct Case {
        std::string structure;
        std::map<std::string, std::string> expected; // teacher ID -> division list
    };
    // Twenty divisions, then two of them again: a long list.
    std::string twenty;
    std::string twentyCodes;
    for (int d = 1; d <= 20; ++d) {
        std::string code(1, 'D');
        code += std::to_string(d);
        twenty += Division(code, Service(Teacher("1")));
        twentyCodes += (d > 1 ? ";" : "") + code;
    }
    twenty += Division("D3", Service(Teacher("1"))) + Division("D20", Service(Teacher("1")));
    const std::string groupOfOne = "<GROUPES><GROUPE CODE=\"G1\"><SERVICES>" +
                                   Service(Teacher("1")) + "</SERVICES></GROUPE></GROUPES>";
    const std::vector<Case> cases = {
        {Divisions(Division("3A1", Service(Teacher("1"))) + Division("3A", Service(Teacher("1")))),
         {{"1", "3A1;3A"}}},
        {Divisions(Division("3A", Service(Teacher("1"))) + Division("3A1", Service(Teacher("1")))),
         {{"1", "3A;3A1"}}},
        {Divisions(Division("4B", Service(Teacher("1")) + Service(Teacher("1"))) +
                   Division("3A", Service(Teacher("2")) + Service(Teacher("1")))),
         {{"1", "4B;3A"}, {"2", "3A"}}},
        {Divisions(Division("6A", Service(Teacher("1") + Teacher("2") + Teacher("3"))) +
                   Division("6B", Service(Teacher("3") + Teacher("2")))),
         {{"1", "6A"}, {"2", "6A;6B"}, {"3", "6A;6B"}}},
        {Divisions(
             Division("2A", Service("<ENSEIGNANT TYPE=\"epp\"/>" + Teacher("abc") + Teacher("2")))),
         {{"2", "2A"}, {"0", ""}, {"abc", ""}}},
        {Divisions(Division("1A", Service(Teacher("1"))) + "<DIVISION CODE=\"1B\"/>" +
                   Division("1C", Service(Teacher("1")))),
         {{"1", "1A;1C"}}},
        {Divisions(Division("", Service(Teacher("1"))) + Division("5A", Service(Teacher("1")))),
         {{"1", "5A"}}},
        {"<STRUCTURE><DIVISIONS>" + Division("3A", Service(Teacher("2"))) + "</DIVISIONS>" +
             groupOfOne + "</STRUCTURE>",
         {{"1", ""}, {"2", "3A"}}},
        {"<STRUCTURE>" + groupOfOne + "</STRUCTURE>", {{"1", ""}}},
        {Divisions(Division("X", Service(Teacher("1"))) + Division("Y", Service(Teacher("1"))) +
                   Division("X", Service(Teacher("2") + Teacher("1")))),
         {{"1", "X;Y"}, {"2", "X"}}},
        {Divisions(Division("B", Service(Teacher("2") + Teacher("1"))) +
                   Division("A", Service(Teacher("1") + Teacher("2")) + Service(Teacher("1")))),
         {{"1", "B;A"}, {"2", "B;A"}}},
        {Divisions(Division("A;B", Service(Teacher("1"))) + Division("A", Service(Teacher("1"))) +
                   Division("C", Service(Teacher("1"))) + Division("A;B", Service(Teacher("1")))),
         {{"1", "A,B;A;C"}}},
        {Divisions(twenty), {{"1", twentyCodes}}},
        {"", {{"1", ""}}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(cases[k].structure);
        const DivisionIndex index(
            Read(Write("case" + std::to_string(k) + "/STS_X_0123456A_2009.xml",
                       Sts(Individu(Names("A", "a")), cases[k].structure))));
        for (const auto& [id, list] : cases[k].expected)
            EXPECT_EQ(index.ListeClasses(id), list) << "ID " << id;
    }
}

// --- Cité scolaire ----------------------------------------------------------

// The cité conversion as the window runs it: after each export `seen` is told
// the result so far and the duplicates so far are saved below `root`.
Converted Cite(const fs::path& folder, const fs::path& root,
               const std::function<void(const Converted&)>& seen = {}) {
    const Conversion* cite = FindConversion("profs-orlane-cite");
    if (!cite)
        throw std::runtime_error("no cite conversion");
    return cite->convert(folder, {[&](const Converted& sofar) {
                             SaveDuplicates(*cite, sofar, root);
                             if (seen)
                                 seen(sofar);
                         }});
}

TEST_F(TeachersTest, CiteFindsStsExportsInAnyCase) {
    for (const std::string name : {"sts_b.xml", "STS_a.XML", "EXPORT_STS.xml", "STS_c.txt"})
        Write(name, Sts(""));
    fs::create_directory(in_ / "STS_dir.xml");
    std::vector<std::string> names;
    for (const auto& found : ChercheFic(in_.path())) {
        EXPECT_EQ(found.parent_path(), in_.path());
        names.push_back(found.filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"STS_a.XML", "sts_b.xml"}));
}

TEST_F(TeachersTest, CiteNeedsAtLeastTwoExports) {
    const std::string lead = "Une cité scolaire comporte au moins deux établissements. ";
    fs::create_directory(in_ / "STS_dir.xml");
    EXPECT_EQ(ErrorOf([&] { Cite(in_.path(), out_.path()); }),
              lead + "Il n'y a pas de fichiers STS dans le répertoire choisi");
    Write("STS_1.xml", Sts(Individu(Names("ROY", "Paul"))));
    EXPECT_EQ(ErrorOf([&] { Cite(in_.path(), out_.path()); }),
              lead + "Il n'y a qu'un seul fichiers STS dans le répertoire choisi");
    EXPECT_TRUE(EntriesBelow(out_.path()).empty());
}

TEST_F(TeachersTest, CiteKeepsTheFirstOccurrenceAndWritesTheOthersToLitiges) {
    // Only letter case makes two lines equal: blanks and accents count.
    Write("STS_1.xml", Sts(Individu(Names("DUPONT", "Jean")) + Individu(Names("LE GOFF", "Yann")) +
                           Individu(Names("BERARD", "Chloe"))));
    Write("STS_2.xml", Sts(Individu(Names("Dupont", "JEAN")) + Individu(Names("DURAND", "Paul")) +
                           Individu(Names("", "Vide")) + Individu(Names("LEGOFF", "Yann")) +
                           Individu(Names("BÉRARD", "Chloé"))));
    std::vector<Converted> seen;
    const Converted result =
        Cite(in_.path(), out_.path(), [&](const Converted& r) { seen.push_back(r); });
    const TextList merged = {"BERARD,Chloe", "B\xC9RARD,Chlo\xE9", "DUPONT,Jean",
                             "DURAND,Paul",  "LE GOFF,Yann",       "LEGOFF,Yann"};
    EXPECT_EQ(result.lines, merged);
    EXPECT_EQ(result.duplicates, TextList{"Dupont,JEAN"});
    EXPECT_EQ(ReadBytes(out_ / "Litiges.txt"), "Dupont,JEAN\r\n");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].lines, (TextList{"BERARD,Chloe", "DUPONT,Jean", "LE GOFF,Yann"}));
    EXPECT_TRUE(seen[0].duplicates.empty());
    EXPECT_EQ(seen[1].lines, merged);
}

TEST_F(TeachersTest, CiteDuplicatesWithinOneExportAndNone) {
    Write("twice/STS_1.xml", Sts(Individu(Names("ROY", "Paul")) + Individu(Names("ROY", "Paul")) +
                                 Individu(Names("roy", "paul"))));
    Write("twice/STS_2.xml", Sts(Individu(Names("VIDAL", "Lou"))));
    const Converted twice = Cite(in_ / "twice", out_.path());
    EXPECT_EQ(twice.lines, (TextList{"ROY,Paul", "VIDAL,Lou"}));
    ASSERT_EQ(twice.duplicates.size(), 2u);
    EXPECT_EQ(twice.duplicates[0] + twice.duplicates[1], "ROY,Paulroy,paul");

    Write("none/STS_1.xml", Sts(Individu(Names("ROY", "Paul"))));
    Write("none/STS_2.xml", Sts(""));
    const Converted none = Cite(in_ / "none", out_.path());
    EXPECT_EQ(none.lines, TextList{"ROY,Paul"});
    EXPECT_TRUE(none.duplicates.empty());
    EXPECT_EQ(ReadBytes(out_ / "Litiges.txt"), "");
}

TEST_F(TeachersTest, CiteStopsAtABrokenExportAfterSavingTheEarlierDuplicates) {
    Write("STS_1.xml", Sts(Individu(Names("ROY", "Paul")) + Individu(Names("ROY", "Paul"))));
    Write("STS_2.xml", "<STS_EDT><DONNEES>");
    std::vector<Converted> seen;
    const std::string error = ErrorOf(
        [&] { Cite(in_.path(), out_.path(), [&](const Converted& r) { seen.push_back(r); }); });
    EXPECT_NE(error.find("\r\nLigne: "), std::string::npos) << error;
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].lines, TextList{"ROY,Paul"});
    EXPECT_EQ(ReadBytes(out_ / "Litiges.txt"), "ROY,Paul\r\n");
}

// --- Conversion table and command line --------------------------------------

TEST(TeacherConversionTableTest, PlansAndOrder) {
    struct Entry {
        const char* cliName;
        InputKind input;
        std::vector<std::string> folder;
        const char* fileName;
        bool fixedCopy;
        std::string doneMessage;
    };
    const std::string done = "L'extraction des enseignants pour l'établissement 0123456A "
                             "est terminée";
    const Entry entries[] = {
        {"profs-orlane",
         InputKind::File,
         {"Orlane", "0123456A", "Profs"},
         "profs.txt",
         false,
         done},
        {"profs-orlane-cite",
         InputKind::Folder,
         {"Orlane", "Profs"},
         "profs.txt",
         false,
         "L'extraction des enseignants pour la cité scolaire est terminée"},
        {"profs-vesko",
         InputKind::File,
         {"Vesko", "0123456A", "Profs"},
         "profs.txt",
         true,
         "L'extraction des enseignants Vesko pour l'établissement est terminée"},
        {"profs-pmb", InputKind::File, {"PMB", "0123456A", "Profs"}, "profspmb.txt", false, done},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.cliName);
        const Conversion* conversion = FindConversion(e.cliName);
        ASSERT_NE(conversion, nullptr);
        EXPECT_EQ(conversion->input, e.input);
        Converted result;
        result.code = "0123456A";
        const OutputPlan plan = conversion->plan(result);
        EXPECT_EQ(plan.folder, e.folder);
        EXPECT_EQ(plan.fileName, e.fileName);
        EXPECT_EQ(plan.fixedCopy, e.fixedCopy);
        EXPECT_EQ(plan.doneMessage, e.doneMessage);
    }
    std::vector<std::string> order;
    for (const auto& conversion : Conversions())
        order.push_back(conversion.cliName);
    EXPECT_EQ(order, (std::vector<std::string>{"eleves-orlane", "profs-orlane", "profs-orlane-cite",
                                               "eleves-vesko", "profs-vesko", "eleves-pmb",
                                               "profs-pmb", "eleves-bcdi"}));
}

int RunCli(const std::vector<std::string>& args, std::string* err = nullptr) {
    std::ostringstream out;
    std::ostringstream errors;
    const int code = cli::Run(args, out, errors);
    if (err)
        *err = errors.str();
    return code;
}

TEST_F(TeachersTest, CommandLineWritesEachTeacherFile) {
    const std::string persons = Individu(Element("CIVILITE", "2") + Names("ZOLA", "Ana"), "7") +
                                Individu(Element("CIVILITE", "1") + Names("ABEL", "Luc"), "8");
    const auto input = Write("Mes_Exports/STS_X_0123456A_2009.xml", Sts(persons));
    const std::string root = out_.path().string();
    EXPECT_EQ(RunCli({"profs-orlane", input.string(), "--root", root}), 0);
    EXPECT_EQ(ReadBytes(out_ / "Orlane/0123456A/Profs/profs.txt"), "ABEL,Luc\r\nZOLA,Ana\r\n");
    EXPECT_EQ(RunCli({"profs-pmb", input.string(), "--root", root}), 0);
    EXPECT_EQ(ReadBytes(out_ / "PMB/0123456A/Profs/profspmb.txt"),
              "ABEL;Luc;;;;;;;M\r\nZOLA;Ana;;;;;;;F\r\n");
    EXPECT_EQ(RunCli({"profs-vesko", input.string(), "--root", root}), 0);
    EXPECT_EQ(ReadBytes(out_ / "Vesko/0123456A/Profs/profs.txt"),
              kVeskoHeader + "\r\n;7;Mme;ZOLA;Ana;;;;;\r\n;8;M.;ABEL;Luc;;;;;");

    Write("cite/STS_1.xml", Sts(Individu(Names("ZOLA", "Ana"))));
    Write("cite/STS_2.xml", Sts(Individu(Names("Zola", "ANA")) + Individu(Names("ABEL", "Luc"))));
    EXPECT_EQ(RunCli({"profs-orlane-cite", (in_ / "cite").string(), "--root", root}), 0);
    EXPECT_EQ(ReadBytes(out_ / "Orlane/Profs/profs.txt"), "ABEL,Luc\r\nZOLA,Ana\r\n");
    EXPECT_EQ(ReadBytes(out_ / "Litiges.txt"), "Zola,ANA\r\n");
}

TEST_F(TeachersTest, CommandLineWritesNoDuplicatesFileWhenAnExportIsBroken) {
    Write("cite/STS_1.xml", Sts(Individu(Names("ROY", "Paul")) + Individu(Names("ROY", "Paul"))));
    Write("cite/STS_2.xml", "<STS_EDT><DONNEES>");
    EXPECT_EQ(
        RunCli({"profs-orlane-cite", (in_ / "cite").string(), "--root", out_.path().string()}), 1);
    EXPECT_TRUE(EntriesBelow(out_.path()).empty());
}

TEST_F(TeachersTest, CommandLineWritesNothingForABrokenExport) {
    const std::vector<std::pair<fs::path, std::string>> inputs = {
        {Write("STS_X_0123456A_2009.xml", "<STS_EDT><DONNEES>"), "\nLigne: 1\n<STS_EDT>"},
        {Write("other/STS_X_0123456A_2009.xml", "<AUTRE/>"), "Interface non supportée"},
        {Write("STS_X__2009.xml", Sts(Individu(Names("ROY", "Paul")))), "Nom de fichier incorrect"},
    };
    for (const std::string conversion : {"profs-orlane", "profs-pmb", "profs-vesko"}) {
        for (const auto& [input, message] : inputs) {
            SCOPED_TRACE(conversion + " " + input.string());
            std::string err;
            EXPECT_EQ(RunCli({conversion, input.string(), "--root", out_.path().string()}, &err),
                      1);
            EXPECT_NE(err.find(message), std::string::npos) << err;
            EXPECT_TRUE(EntriesBelow(out_.path()).empty());
        }
    }
}

// --- Real exports -----------------------------------------------------------

Converted Convert(const std::string& cliName, const fs::path& input, const fs::path& root) {
    const Conversion* conversion = FindConversion(cliName);
    if (!conversion)
        throw std::runtime_error("no conversion " + cliName);
    return conversion->convert(
        input, {[&](const Converted& sofar) { SaveDuplicates(*conversion, sofar, root); }});
}

// A collège export, anonymised: 33 persons PROFn "Prenom" (n from 1 to 35 but
// 13 and 33), 17 divisions "3 1" to "6 4", one service of "3 3" taught by
// 29348 and 29526; 4949, 15585 and 38818 teach in no division.
TEST_F(TeachersTest, RealCollegeExport) {
    const fs::path real = fs::path(TRESSAL_TEST_DATA) / "realdata/sts_emp_0210050R_2009.xml";
    TextList orlane;
    for (const char* n : {"1",  "10", "11", "12", "14", "15", "16", "17", "18", "19", "2",
                          "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "3",
                          "30", "31", "32", "34", "35", "4",  "5",  "6",  "7",  "8",  "9"})
        orlane.push_back(std::string("PROF") + n + ",Prenom");
    const Converted o = Convert("profs-orlane", real, out_.path());
    EXPECT_EQ(o.code, "0210050R");
    EXPECT_EQ(o.lines, orlane);

    const Converted p = Convert("profs-pmb", real, out_.path());
    ASSERT_EQ(p.lines.size(), 33u);
    EXPECT_EQ(p.lines[0], "PROF1;Prenom;;;;;;1950;M");
    EXPECT_EQ(std::count(p.lines.begin(), p.lines.end(), "PROF11;Prenom;;;;;;1971;F"), 1);
    const auto males = std::count_if(p.lines.begin(), p.lines.end(),
                                     [](const std::string& l) { return l.ends_with(";M"); });
    EXPECT_EQ(males, 10); // CIVILITE 1; the other 23 are 2 or 3

    const Converted v = Convert("profs-vesko", real, out_.path());
    ASSERT_EQ(v.lines.size(), 34u);
    EXPECT_EQ(v.lines[0], kVeskoHeader);
    EXPECT_EQ(v.lines[1], ";3849;M.;PROF1;Prenom;C0210;11/07/1950;;;5 1;5 2;5 3;6 1;6 3;6 4");
    EXPECT_EQ(v.lines[2], ";5748;M.;PROF2;Prenom;L1800;26/07/1962;;;3 1;3 2;3 3;3 4;4 1;4 2;4 3;"
                          "4 4;5 1;5 2;5 3;5 4;5 5;6 1;6 2;6 3;6 4");
    EXPECT_EQ(v.lines[18],
              ";29348;Mme;PROF34;Prenom;L1400;20/10/1965;;;3 1;3 3;5 1;5 2;5 3;5 4;5 5;6 1;6 2;"
              "6 3;6 4");
    EXPECT_EQ(v.lines[19], ";29526;M.;PROF10;Prenom;L1000;30/12/1972;;;3 1;3 3;4 2;4 4;6 2");
    EXPECT_EQ(v.lines[31], ";4949;M.;PROF25;Prenom;;31/07/1956;;;");
    const auto noDivision = std::count_if(v.lines.begin(), v.lines.end(),
                                          [](const std::string& l) { return l.ends_with(";;;"); });
    EXPECT_EQ(noDivision, 3);

    fs::copy_file(real, in_ / "STS_a.xml");
    fs::copy_file(real, in_ / "STS_b.xml");
    const Converted c = Convert("profs-orlane-cite", in_.path(), out_.path());
    EXPECT_EQ(c.lines, orlane);
    EXPECT_EQ(c.duplicates, orlane);
    EXPECT_EQ(ReadBytes(out_ / "Litiges.txt"), JoinLines(orlane));
}

// Two made-up exports sharing 4 persons; 1215 has no usage name, 1216 no
// CIVILITE.
TEST_F(TeachersTest, SampleExports) {
    const fs::path samples = fs::path(TRESSAL_TEST_DATA) / "../../samples";
    const fs::path a = samples / "sts_emp_0123456A_2026.xml";
    const fs::path b = samples / "sts_emp_0234567B_2026.xml";
    EXPECT_EQ(Convert("profs-orlane", a, out_.path()).lines.size(), 29u);
    EXPECT_EQ(Convert("profs-orlane", b, out_.path()).lines.size(), 15u);
    const TextList pmb = Convert("profs-pmb", a, out_.path()).lines;
    EXPECT_EQ(std::count(pmb.begin(), pmb.end(),
                         "N'GUESSAN;A\xEF"
                         "cha;;;;;;1989;"),
              1);
    EXPECT_EQ(std::count(pmb.begin(), pmb.end(), "LEF\xC8VRE-MARTIN;H\xE9l\xE8ne;;;;;;1975;F"), 1);
    EXPECT_EQ(Convert("profs-pmb", b, out_.path()).lines.size(), 15u);
    // Vesko reads CIVILITE unguarded, so 1216 stops the first export.
    EXPECT_EQ(ErrorOf([&] { Convert("profs-vesko", a, out_.path()); }),
              "Noeud \"CIVILITE\" non trouvé pour la personne ID 1216 (N'GUESSAN Aïcha)");
    const TextList vesko = Convert("profs-vesko", b, out_.path()).lines;
    ASSERT_EQ(vesko.size(), 16u);
    EXPECT_EQ(vesko[8], ";2407;Mme;HUET;M\xE9lanie;L1500;03/03/1990;;;2A;2B;1A;TA");
    for (const auto& entry : fs::directory_iterator(samples))
        fs::copy(entry.path(), in_ / entry.path().filename());
    const Converted cite = Convert("profs-orlane-cite", in_.path(), out_.path());
    EXPECT_EQ(cite.lines.size(), 29u + 15u - 4u);
    EXPECT_EQ(cite.duplicates.size(), 4u);
    EXPECT_EQ(std::count(cite.duplicates.begin(), cite.duplicates.end(), "Dupont,JEAN"), 1);
}

} // namespace
} // namespace tressal::teachers
