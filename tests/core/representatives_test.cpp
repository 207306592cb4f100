// Students without an address or a phone of their own take those of their
// legal representatives, from the "Responsables avec adresses" export found
// beside the student export, in the same zip, or named on the command line.

#include "conversions/conversion.h"
#include "conversions/report_text.h"
#include "test_support.h"
#include "zip_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tressal {
namespace {

using test::TempFolder;
using test::WriteBytes;

std::string Address(const std::string& id, const std::string& line, const std::string& town) {
    return "<ADRESSE ADRESSE_ID=\"" + id + "\"><LIGNE1_ADRESSE>" + line +
           "</LIGNE1_ADRESSE><CODE_POSTAL>21000</CODE_POSTAL><LIBELLE_POSTAL>" + town +
           "</LIBELLE_POSTAL></ADRESSE>\n";
}

std::string Student(int id, const std::string& name, const std::string& ownAddress,
                    const std::string& ownPhone) {
    return "<ELEVE ELEVE_ID=\"" + std::to_string(id) + "\"><NOM_DE_FAMILLE>" + name +
           "</NOM_DE_FAMILLE><PRENOM>Lou</PRENOM><DATE_NAISS>01/02/2012</DATE_NAISS>"
           "<CODE_SEXE>2</CODE_SEXE><ID_NATIONAL>INE" +
           std::to_string(id) + "</ID_NATIONAL><ADRESSE_ID>" + ownAddress + "</ADRESSE_ID>" +
           (ownPhone.empty() ? "" : "<TEL_PERSONNEL>" + ownPhone + "</TEL_PERSONNEL>") +
           "</ELEVE>\n";
}

std::string StudentExport(const std::string& students, const std::string& addresses) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BEE_ELEVES><PARAMETRES><UAJ>0123456A"
           "</UAJ><ANNEE_SCOLAIRE>2026</ANNEE_SCOLAIRE></PARAMETRES><DONNEES><ELEVES>\n" +
           students + "</ELEVES><ADRESSES>" + addresses + "</ADRESSES></DONNEES></BEE_ELEVES>\n";
}

// A person with a phone of each kind given and an address; a link of a student to it.
std::string Person(int id, const std::string& address, const std::string& home,
                   const std::string& mobile) {
    return "<PERSONNE PERSONNE_ID=\"" + std::to_string(id) + "\"><NOM_DE_FAMILLE>X" +
           "</NOM_DE_FAMILLE>" +
           (home.empty() ? "" : "<TEL_PERSONNEL>" + home + "</TEL_PERSONNEL>") +
           (mobile.empty() ? "" : "<TEL_PORTABLE>" + mobile + "</TEL_PORTABLE>") +
           "<TEL_PROFESSIONNEL>0399999999</TEL_PROFESSIONNEL><ADRESSE_ID>" + address +
           "</ADRESSE_ID></PERSONNE>\n";
}
std::string Link(int student, int person, int level, const char* element = "RESPONSABLE_ELEVE") {
    return std::string("<") + element + "><ELEVE_ID>" + std::to_string(student) +
           "</ELEVE_ID><PERSONNE_ID>" + std::to_string(person) + "</PERSONNE_ID><RESP_LEGAL>" +
           std::to_string(level) + "</RESP_LEGAL></" + element + ">\n";
}

std::string RepresentativesExport(const std::string& persons, const std::string& links,
                                  const std::string& addresses, const std::string& uaj = "0123456A",
                                  const std::string& year = "2026") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BEE_RESPONSABLES><PARAMETRES><UAJ>" + uaj +
           "</UAJ><ANNEE_SCOLAIRE>" + year +
           "</ANNEE_SCOLAIRE></PARAMETRES><DONNEES><PERSONNES>\n" + persons +
           "</PERSONNES><RESPONSABLES>\n" + links + "</RESPONSABLES><ADRESSES>\n" + addresses +
           "</ADRESSES></DONNEES></BEE_RESPONSABLES>\n";
}

// One student per rule, with the PMB line each must give (BCDI adds ";INE<id>").
struct Case {
    const char* what;
    std::string pmbLine;
};

const std::string kStudents =
    Student(1, "OWN", "A1", "0311111111") + // own address and phone win
    Student(2, "FIRST", "", "") +           // legal 1 gives both (home phone)
    Student(3, "SECOND", "", "") +          // legal 1 has no address: legal 2 gives it
    Student(4, "NOBODY", "", "") +          // no representative at all
    Student(5, "CONTACT", "", "") +         // only a contact (RESP_LEGAL 0): nothing
    Student(6, "MOBILE", "A1", "") +        // own address; phone from legal 1's mobile
    Student(7, "OLDLINK", "", "");          // linked with RESPONSABLE, legal 2 only

const std::string kRepresentatives = RepresentativesExport(
    Person(10, "R1", "0322222222", "0622222222") + Person(11, "R2", "", "") +
        Person(20, "", "", "") + Person(21, "R3", "0333333333", "") +
        Person(30, "R4", "0344444444", "") + Person(40, "R1", "", "0655555555") +
        Person(50, "R5", "0366666666", ""),
    Link(1, 10, 1) + Link(2, 11, 2) + Link(2, 10, 1) + Link(3, 20, 1) + Link(3, 21, 2) +
        Link(5, 30, 0) + Link(6, 40, 1) + Link(7, 50, 2, "RESPONSABLE"),
    Address("R1", "1 rue Un", "DIJON") + Address("R2", "2 rue Deux", "TALANT") +
        Address("R3", "3 rue Trois", "CHENOVE") + Address("R4", "4 rue Quatre", "LONGVIC") +
        Address("R5", "5 rue Cinq", "QUETIGNY"));

const Case kCases[] = {
    {"own address and phone", "OWN;Lou;9 rue Propre;;21000;DIJON;0311111111;2012;;F"},
    {"legal 1", "FIRST;Lou;1 rue Un;;21000;DIJON;0322222222;2012;;F"},
    {"legal 2 when 1 has none", "SECOND;Lou;3 rue Trois;;21000;CHENOVE;0333333333;2012;;F"},
    {"no representative", "NOBODY;Lou;;;;;;2012;;F"},
    {"contact only", "CONTACT;Lou;;;;;;2012;;F"},
    {"own address, mobile phone", "MOBILE;Lou;9 rue Propre;;21000;DIJON;0655555555;2012;;F"},
    {"older link element", "OLDLINK;Lou;5 rue Cinq;;21000;QUETIGNY;0366666666;2012;;F"},
};

const std::string kStudentExport = StudentExport(kStudents, Address("A1", "9 rue Propre", "DIJON"));

enum class Form { BesideXml, BesideZip, SameZip, Named };

// Writes the pair in that form; returns the student export to convert and the
// representatives' file to name (empty: found).
std::pair<std::filesystem::path, std::filesystem::path>
WritePair(const TempFolder& folder, Form form, const std::string& reps) {
    const auto students = folder / "ElevesSansAdresses.xml";
    WriteBytes(students, kStudentExport);
    switch (form) {
    case Form::BesideXml:
        WriteBytes(folder / "ResponsablesAvecAdresses.xml", reps);
        return {students, {}};
    case Form::BesideZip:
        WriteBytes(folder / "ExportXML_ResponsablesAvecAdresses.zip",
                   test::MakeZip({{"ResponsablesAvecAdresses.xml", reps, true, false, {}}}));
        return {students, {}};
    case Form::SameZip: {
        const auto zip = folder / "ExportXML_ElevesSansAdresses.zip";
        WriteBytes(zip, test::MakeZip({{"ElevesSansAdresses.xml", kStudentExport, true, false, {}},
                                       {"ResponsablesAvecAdresses.xml", reps, true, false, {}}}));
        return {zip, {}};
    }
    case Form::Named:
        WriteBytes(folder / "elsewhere.xml", reps);
        return {students, folder / "elsewhere.xml"};
    }
    return {};
}

Converted Convert(const char* conversion, const std::filesystem::path& input,
                  const std::filesystem::path& named) {
    ConvertContext context;
    context.representatives = named;
    return FindConversion(conversion)->convert(input, context);
}

TEST(Representatives, StudentsWithoutAddressOrPhoneTakeTheirLegalRepresentatives) {
    for (const Form form : {Form::BesideXml, Form::BesideZip, Form::SameZip, Form::Named}) {
        SCOPED_TRACE(static_cast<int>(form));
        TempFolder folder;
        const auto [input, named] = WritePair(folder, form, kRepresentatives);
        const Converted pmb = Convert("eleves-pmb", input, named);
        const Converted bcdi = Convert("eleves-bcdi", input, named);
        ASSERT_EQ(pmb.lines.size(), std::size(kCases));
        ASSERT_EQ(bcdi.lines.size(), std::size(kCases) + 1);
        for (std::size_t k = 0; k < std::size(kCases); ++k) {
            SCOPED_TRACE(kCases[k].what);
            EXPECT_NE(std::find(pmb.lines.begin(), pmb.lines.end(), kCases[k].pmbLine),
                      pmb.lines.end());
            EXPECT_EQ(bcdi.lines[k + 1], kCases[k].pmbLine + ";INE" + std::to_string(k + 1));
        }
        // 3 addresses (FIRST, SECOND, OLDLINK), 4 phones (and MOBILE's).
        EXPECT_EQ(pmb.report.addressesFromRepresentatives, 3u);
        EXPECT_EQ(pmb.report.phonesFromRepresentatives, 4u);
        std::vector<std::string> without;
        for (const auto& entry : pmb.report.entries)
            if (entry.reason == EntryReason::WithoutAddress)
                without.push_back(entry.name + " " + OriginText(entry.origin));
        EXPECT_EQ(without, (std::vector<std::string>{"NOBODY ELEVE_ID 4", "CONTACT ELEVE_ID 5"}));
        EXPECT_NE(SummaryText(pmb.report).find("3 adresses reprises des responsables"),
                  std::string::npos);
        // Orlane has no address to fill: nothing listed there.
        for (const auto& entry : Convert("eleves-orlane", input, named).report.entries)
            EXPECT_NE(entry.reason, EntryReason::WithoutAddress);
    }
}

TEST(Representatives, AnotherEstablishmentIsLeftAsideAndAnotherYearWarned) {
    struct Row {
        const char* uaj;
        const char* year;
        std::optional<WarningKind> warning;
        std::size_t addresses;
        const char* text;
    };
    const Row rows[] = {
        {"0123456A", "2026", std::nullopt, 3, ""},
        {"0999999Z", "2026", WarningKind::RepresentativesOtherEstablishment, 0,
         "établissement 0999999Z, pas de 0123456A : aucune adresse"},
        {"0123456A", "2025", WarningKind::RepresentativesOtherYear, 3,
         "année scolaire « 2025-2026 », l'export des élèves de « 2026-2027 »"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.uaj + std::string(" ") + row.year);
        TempFolder folder;
        const auto [input, named] =
            WritePair(folder, Form::BesideXml,
                      RepresentativesExport(Person(10, "R1", "0322222222", ""),
                                            Link(2, 10, 1) + Link(3, 10, 1) + Link(7, 10, 1),
                                            Address("R1", "1 rue Un", "DIJON"), row.uaj, row.year));
        const Converted pmb = Convert("eleves-pmb", input, named);
        EXPECT_EQ(pmb.report.addressesFromRepresentatives, row.addresses);
        std::vector<const Warning*> found;
        for (const auto& warning : pmb.report.warnings)
            if (warning.kind == WarningKind::RepresentativesOtherEstablishment ||
                warning.kind == WarningKind::RepresentativesOtherYear)
                found.push_back(&warning);
        ASSERT_EQ(found.size(), row.warning ? 1u : 0u);
        if (row.warning) {
            EXPECT_EQ(found.front()->kind, *row.warning);
            EXPECT_NE(WarningText(*found.front()).find(row.text), std::string::npos)
                << WarningText(*found.front());
        }
    }
}

TEST(Representatives, AnUnreadableOrWrongExportIsRefusedByName) {
    const struct {
        std::string bytes;
        const char* expected;
    } rows[] = {
        {"<BEE_NOMENCLATURES/>", "n'est pas l'export « Responsables avec adresses »"},
        {"<BEE_RESPONSABLES><DONNEES>", "ne peut pas être lu"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const auto [input, named] = WritePair(folder, Form::BesideXml, row.bytes);
        try {
            Convert("eleves-pmb", input, named);
            ADD_FAILURE() << "accepted";
        } catch (const Error& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(row.expected), std::string::npos) << message;
            EXPECT_NE(message.find("ResponsablesAvecAdresses.xml"), std::string::npos) << message;
        }
    }
}

} // namespace
} // namespace tressal
