// The SIECLE student export read as Sconet student lines: the mapping of each
// field, the students who left, the classes among the groups, the options, the
// character sets, and the sample zip that must give the same files as the
// sample CSV.

#include "archive/zip_archive.h"
#include "conversions/conversion.h"
#include "conversions/save_result.h"
#include "xml/input.h"
#include "students/siecle_export.h"
#include "students/siecle_reader.h"
#include "test_support.h"
#include "zip_maker.h"

#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tressal::students {
namespace {

using test::EntriesBelow;
using test::ReadBytes;
using test::SconetLine;
using test::TempFolder;
using test::WriteBytes;

// A BEE_ELEVES document; each part is the inside of its DONNEES section.
struct Doc {
    std::string students, options, structures, addresses;
    std::string parameters = "<UAJ>0123456A</UAJ><DATE_EXPORT>15/09/2026</DATE_EXPORT>";
    std::string encoding = "UTF-8";

    std::string Text() const {
        return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<BEE_ELEVES>\n<PARAMETRES>" +
               parameters + "</PARAMETRES>\n<DONNEES>\n<ELEVES>\n" + students +
               "</ELEVES>\n<OPTIONS>" + options + "</OPTIONS>\n<STRUCTURES>" + structures +
               "</STRUCTURES>\n<ADRESSES>" + addresses + "</ADRESSES>\n</DONNEES>\n</BEE_ELEVES>\n";
    }
};

// The student lines of a document, without the header.
TextList Lines(const Doc& doc, const OptionCodes& codes = {}) {
    TextList lines = SiecleStudentLines(ReadSiecleExport(doc.Text()), codes);
    lines.erase(lines.begin());
    return lines;
}

std::string Eleve(const std::string& id, const std::string& children,
                  const std::string& attributes = "") {
    return "<ELEVE ELEVE_ID=\"" + id + "\"" + attributes + ">" + children + "</ELEVE>\n";
}

std::string Options(const std::string& id, const std::vector<std::pair<int, std::string>>& list) {
    std::string entries;
    for (const auto& [number, code] : list)
        entries += "<OPTIONS_ELEVE><NUM_OPTION>" + std::to_string(number) +
                   "</NUM_OPTION><CODE_MATIERE>" + code + "</CODE_MATIERE></OPTIONS_ELEVE>";
    return "<OPTION ELEVE_ID=\"" + id + "\">" + entries + "</OPTION>";
}

std::string Structure(const std::string& code, const std::string& type) {
    return "<STRUCTURE><CODE_STRUCTURE>" + code + "</CODE_STRUCTURE><TYPE_STRUCTURE>" + type +
           "</TYPE_STRUCTURE></STRUCTURE>";
}

// A document without DONNEES/ELEVES lists no one because it is not a whole
// student export: refused, named, rather than saved as an empty file. An
// ELEVES without any ELEVE is a whole export of no one.
TEST(SiecleStudents, AnExportWithoutItsStudentListIsRefused) {
    const std::string start = "<BEE_ELEVES><PARAMETRES><UAJ>0123456A</UAJ></PARAMETRES>";
    const std::string eleve = Eleve("1", "<NOM_DE_FAMILLE>A</NOM_DE_FAMILLE>");
    struct Case {
        const char* name;
        std::string document;
        bool refused;
    };
    const Case cases[] = {
        {"no ELEVES", start + "<DONNEES><OPTIONS/></DONNEES></BEE_ELEVES>", true},
        {"ELEVES renamed",
         start + "<DONNEES><ELEVES_2>" + eleve + "</ELEVES_2></DONNEES></BEE_ELEVES>", true},
        {"ELEVE outside ELEVES", start + "<DONNEES>" + eleve + "</DONNEES></BEE_ELEVES>", true},
        {"ELEVES outside DONNEES",
         start + "<ELEVES>" + eleve + "</ELEVES><DONNEES></DONNEES></BEE_ELEVES>", true},
        {"ELEVES empty", start + "<DONNEES><ELEVES></ELEVES></DONNEES></BEE_ELEVES>", false},
    };
    const Conversion& orlane = *FindConversion("eleves-orlane");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteBytes(folder / "eleves.xml", c.document);
        WriteBytes(folder / "export.zip",
                   test::MakeZip({{"ElevesSansAdresses.xml", c.document, true, false, {}}}));
        for (const char* file : {"eleves.xml", "export.zip"}) {
            const std::string name =
                std::string(file) == "eleves.xml" ? "eleves.xml" : "ElevesSansAdresses.xml";
            std::size_t lines = 0;
            const std::string error =
                test::ErrorOf([&] { lines = orlane.convert(folder / file, {}).lines.size(); });
            EXPECT_EQ(error, c.refused ? "Le fichier « " + name +
                                             " » ne contient pas la liste des élèves "
                                             "(DONNEES/ELEVES) : ce n'est pas un export des élèves "
                                             "complet. Refaites l'export depuis SIECLE, sans "
                                             "modifier le fichier."
                                       : "");
            EXPECT_EQ(lines, 0u);
        }
    }
}

TEST(SiecleStudents, FieldsAreMappedOneByOne) {
    const std::string address =
        "<ADRESSE ADRESSE_ID=\"7\"><LIGNE1_ADRESSE> 12 rue des Lilas "
        "</LIGNE1_ADRESSE><LIGNE2_ADRESSE></LIGNE2_ADRESSE><LIGNE3_ADRESSE>"
        "B\xC3\xA2timent B</LIGNE3_ADRESSE><CODE_POSTAL>21000</CODE_POSTAL>"
        "<LIBELLE_POSTAL>DIJON</LIBELLE_POSTAL><COMMUNE_ETRANGERE>GEN\xC3\x88VE"
        "</COMMUNE_ETRANGERE></ADRESSE>";
    struct Case {
        const char* label;
        std::string eleve, options, structures;
        std::map<int, std::string> expected; // Windows-1252
    };
    const Case cases[] = {
        {"every field",
         Eleve("1",
               "<NOM_DE_FAMILLE>LEF\xC3\x88VRE</NOM_DE_FAMILLE><NOM_USAGE>MARTIN</NOM_USAGE>"
               "<PRENOM>L\xC3\xA9"
               "a</PRENOM><PRENOM2>Marie</PRENOM2><PRENOM3>Anne</PRENOM3>"
               "<DATE_NAISS>03/02/2012</DATE_NAISS><ELENOET>99</ELENOET><ID_NATIONAL>1234567890A"
               "</ID_NATIONAL><CODE_SEXE>2</CODE_SEXE><ADRESSE_ID>7</ADRESSE_ID><TEL_PERSONNEL>"
               "0380000001</TEL_PERSONNEL><TEL_PORTABLE>0600000000</TEL_PORTABLE>"
               "<SCOLARITE_AN_DERNIER><CODE_STRUCTURE>6A</CODE_STRUCTURE><CODE_RNE>0210001A"
               "</CODE_RNE></SCOLARITE_AN_DERNIER>",
               " ELENOET=\"42\""),
         Options("1", {{1, "030201"}}),
         "",
         {{1, "MARTIN"},
          {2, "L\xE9"
              "a"},
          {3, "Marie"},
          {4, "Anne"},
          {5, "03/02/2012"},
          {6, "42"},
          {7, "1234567890A"},
          {8, "F"},
          {10, "AGL1"},
          {16, "6A"},
          {17, "0210001A"},
          {19, "12 rue des Lilas B\xE2timent B"},
          {20, "21000"},
          {21, "DIJON"},
          {22, "0380000001"}}},
        {"fallbacks: family name, child ELENOET, mobile phone, foreign town, sex as written",
         Eleve("1", "<NOM_DE_FAMILLE>DURAND</NOM_DE_FAMILLE><NOM_USAGE> </NOM_USAGE><NOM>OLD</NOM>"
                    "<ELENOET>99</ELENOET><CODE_SEXE>X</CODE_SEXE><TEL_PORTABLE>0600000000"
                    "</TEL_PORTABLE><ADRESSE_ID>8</ADRESSE_ID>"),
         "",
         "",
         {{1, "DURAND"}, {6, "99"}, {8, "X"}, {21, "BERLIN"}, {22, "0600000000"}}},
        {"older exports: NOM; sex 1",
         Eleve("1", "<NOM>ANCIEN</NOM><CODE_SEXE>1</CODE_SEXE><ADRESSE_ID>404</ADRESSE_ID>"),
         "",
         "",
         {{1, "ANCIEN"}, {8, "M"}}},
        {"a value cannot shift the fields",
         Eleve("1", "<NOM_DE_FAMILLE>A;B</NOM_DE_FAMILLE><PRENOM>\n\tJean&#13;&#10;Paul\t</PRENOM>"
                    "<PRENOM2>x&amp;y</PRENOM2>"),
         "",
         "",
         {{1, "A,B"}, {2, "Jean  Paul"}, {3, "x&y"}}},
        {"class: the first structure of type D, groups and other students' left aside",
         Eleve("1", "<NOM>A</NOM>"),
         "",
         "<STRUCTURES_ELEVE ELEVE_ID=\"2\">" + Structure("5B", "D") +
             "</STRUCTURES_ELEVE><STRUCTURES_ELEVE ELEVE_ID=\"1\">" + Structure("6A G1", "G") +
             Structure("6A", "D") + Structure("6B", "D") + "</STRUCTURES_ELEVE>",
         {{1, "A"}, {9, "6A"}}},
        {"class: groups only give none",
         Eleve("1", "<NOM>A</NOM>"),
         "",
         "<STRUCTURES_ELEVE ELEVE_ID=\"1\">" + Structure("6A G1", "G") + "</STRUCTURES_ELEVE>",
         {{1, "A"}}},
        {"options by NUM_OPTION then document order, five at most, codes mapped or kept",
         Eleve("1", "<NOM>A</NOM>"),
         Options("1", {{3, "020700"}, {1, "030602"}, {10, "999999"}, {2, "030101"}}) +
             Options("2", {{1, "030201"}}) + Options("1", {{2, "030903"}, {4, "x;y"}}),
         "",
         {{1, "A"}, {10, "ESP2"}, {11, "ALL1"}, {12, "ITA3"}, {13, "020700"}, {14, "x,y"}}},
    };
    Doc doc;
    doc.addresses = address + "<ADRESSE ADRESSE_ID=\"8\"><COMMUNE_ETRANGERE>BERLIN"
                              "</COMMUNE_ETRANGERE></ADRESSE>";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        doc.students = c.eleve;
        doc.options = c.options;
        doc.structures = c.structures;
        EXPECT_EQ(Lines(doc), TextList{SconetLine(c.expected)});
    }
}

TEST(SiecleStudents, OptionCodesComeFromTheNomenclatureFirst) {
    const OptionCodes nomenclature = OptionCodes::FromNomenclature(
        "<BEE_NOMENCLATURES><DONNEES><MATIERES>"
        "<MATIERE CODE_MATIERE=\"020700\"><CODE_GESTION> LATIN </CODE_GESTION></MATIERE>"
        "<MATIERE CODE_MATIERE=\"030201\"><CODE_GESTION>ANG1</CODE_GESTION></MATIERE>"
        "<MATIERE CODE_MATIERE=\"030601\"><CODE_GESTION></CODE_GESTION></MATIERE>"
        "</MATIERES></DONNEES></BEE_NOMENCLATURES>");
    struct Case {
        std::string national, withNomenclature, builtIn;
    };
    const Case cases[] = {
        {"020700", "LATIN", "020700"},  // the nomenclature only
        {"030201", "ANG1", "AGL1"},     // the nomenclature before the built-in table
        {"030601", "ESP1", "ESP1"},     // an empty management code: the built-in table
        {"030103", "ALL3", "ALL3"},     // the built-in table only
        {"123456", "123456", "123456"}, // neither: kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nomenclature.ManagementCode(c.national), c.withNomenclature) << c.national;
        EXPECT_EQ(OptionCodes().ManagementCode(c.national), c.builtIn) << c.national;
    }
}

TEST(SiecleStudents, StudentsWhoLeftByTheExportDateAreLeftOut) {
    struct Case {
        std::string exportDate, leavingDate;
        bool kept;
    };
    const Case cases[] = {
        {"15/09/2026", "", true},
        {"15/09/2026", "14/09/2026", false},
        {"15/09/2026", "15/09/2026", false},
        {"15/09/2026", "16/09/2026", true},
        {"15/09/2026", "01/01/2027", true},
        {"15/09/2026", "31/12/2025", false},
        {"15/09/2026", "2026-12-01", false},
        {"", "01/01/2030", false},
        {"bientôt", "01/01/2030", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exportDate + " / " + c.leavingDate);
        Doc doc;
        doc.parameters =
            "<UAJ>0123456A</UAJ>" +
            (c.exportDate.empty() ? "" : "<DATE_EXPORT>" + c.exportDate + "</DATE_EXPORT>");
        doc.students =
            Eleve("1", "<NOM>PARTI</NOM><DATE_SORTIE>" + c.leavingDate + "</DATE_SORTIE>") +
            Eleve("2", "<NOM>RESTE</NOM>");
        TextList expected{SconetLine({{1, "RESTE"}})};
        if (c.kept)
            expected.insert(expected.begin(), SconetLine({{1, "PARTI"}}));
        EXPECT_EQ(Lines(doc), expected);
    }
}

TEST(SiecleStudents, DeclaredCharacterSetsAreHonoured) {
    // CŒUR Élise €, in each character set that can hold it.
    const std::string utf8 = "C\xC5\x92UR \xC3\x89lise \xE2\x82\xAC";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"UTF-8", utf8},
        {"ISO-8859-15", "C\xBCUR \xC9lise \xA4"},
        {"windows-1252", "C\x8CUR \xC9lise \x80"},
        {"ISO-8859-1", "CUR \xC9lise"},
    };
    for (const auto& [encoding, name] : cases) {
        SCOPED_TRACE(encoding);
        Doc doc;
        doc.encoding = encoding;
        doc.students = Eleve("1", "<NOM>" + name + "</NOM>");
        const std::string expected =
            encoding == "ISO-8859-1" ? "CUR \xC9lise" : "C\x8CUR \xC9lise \x80";
        EXPECT_EQ(Lines(doc), TextList{SconetLine({{1, expected}})});

        // The same bytes handed over a few at a time: characters cut between reads.
        const std::string text = doc.Text();
        std::string reference;
        for (std::size_t room : {1, 2, 3, 5, 4096}) {
            std::size_t at = 0;
            xml::XmlInput input([&](char* buffer, std::size_t size) {
                const std::size_t count = std::min<std::size_t>({size, 7, text.size() - at});
                std::memcpy(buffer, text.data() + at, count);
                at += count;
                return count;
            });
            std::string decoded;
            char buffer[4096];
            while (const std::size_t got = input.Read(buffer, room))
                decoded.append(buffer, got);
            if (reference.empty())
                reference = decoded;
            EXPECT_EQ(decoded, reference) << "room " << room;
        }
        EXPECT_NE(reference.find(encoding == "ISO-8859-1" ? "CUR \xC3\x89lise" : utf8),
                  std::string::npos);
    }
}

// Runs every student conversion on each input, each into its own output root.
std::map<std::string, std::string> FilesWritten(const std::filesystem::path& input,
                                                const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& conversion : Conversions()) {
        if (!conversion.cliName.starts_with("eleves-"))
            continue;
        SaveResult(conversion, conversion.convert(input, {}), root);
    }
    for (const auto& entry : EntriesBelow(root))
        if (std::filesystem::is_regular_file(root / entry))
            files[entry] = ReadBytes(root / entry);
    return files;
}

TEST(SiecleStudents, SampleZipAndXmlGiveTheFilesOfTheSampleCsv) {
    const std::filesystem::path samples(TRESSAL_SAMPLES);
    TempFolder temp;
    // The zips' entries unpacked: the XML with Nomenclature.xml and the
    // representatives' export (addresses of the students without one) beside it.
    std::filesystem::create_directory(temp / "xml");
    for (const char* name :
         {"ExportXML_ElevesAvecAdresses.zip", "ExportXML_ResponsablesAvecAdresses.zip"}) {
        archive::ZipArchive zip(ReadBytes(samples / name));
        for (const auto& entry : zip.Entries())
            WriteBytes(temp / "xml" / entry.name, zip.Read(entry));
    }

    const auto fromCsv = FilesWritten(samples / "0123456A.csv", temp / "csv");
    ASSERT_EQ(fromCsv.size(), 4u);
    EXPECT_EQ(FilesWritten(samples / "ExportXML_ElevesAvecAdresses.zip", temp / "zip"), fromCsv);
    EXPECT_EQ(FilesWritten(temp / "xml" / "ElevesAvecAdresses.xml", temp / "from-xml"), fromCsv);
}

// A document declared single-byte is read as its bytes show: UTF-8 when its
// first byte beyond ASCII starts a UTF-8 sequence; the first line that does
// not follow that reading is noted.
TEST(SiecleEncoding, ReadsUtf8DeclaredSingleByteAsUtf8AndNotesMixedLines) {
    struct Case {
        const char* label;
        std::string first, second; // NOM_DE_FAMILLE of the students on lines 6 and 7
        TextList names;            // field 1 of their lines, Windows-1252
        bool readAsUtf8;
        int mixedLine;
    };
    const Case cases[] = {
        {"UTF-8", "DUPR\xC3\x89", "\xC3\x89LISE", {"DUPR\xC9", "\xC9LISE"}, true, 0},
        {"as declared", "DUPR\xC9", "\xBC", {"DUPR\xC9", "\x8C"}, false, 0},
        {"UTF-8, then a byte as declared",
         "DUPR\xC3\x89",
         "\xC9LISE",
         {"DUPR\xC9", "\xC9LISE"},
         true,
         7},
        {"as declared, then UTF-8",
         "DUPR\xC9",
         "\xC3\x89LISE",
         {"DUPR\xC9", "\xC3?LISE"},
         false,
         7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Doc doc;
        doc.encoding = "ISO-8859-15";
        doc.students = Eleve("1", "<NOM_DE_FAMILLE>" + c.first + "</NOM_DE_FAMILLE>") +
                       Eleve("2", "<NOM_DE_FAMILLE>" + c.second + "</NOM_DE_FAMILLE>");
        const SiecleExport data = ReadSiecleExport(doc.Text());
        EXPECT_EQ(data.encoding.readAsUtf8, c.readAsUtf8);
        EXPECT_EQ(data.encoding.mixedLine, c.mixedLine);
        TextList names;
        for (const std::string& line : Lines(doc))
            names.push_back(tressal::FieldAt(line, 1, ';'));
        EXPECT_EQ(names, c.names);
    }
}

} // namespace
} // namespace tressal::students
