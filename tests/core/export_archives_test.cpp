// Zip archives and wrong files: the bounds against hostile archives, the
// message that says what a wrong file is, and STS exports read from a zip.

#include "archive/zip_archive.h"
#include "conversions/conversion.h"
#include "teachers/cite_teachers.h"
#include "test_support.h"
#include "zip_maker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tressal {
namespace {

using test::EntriesBelow;
using test::ErrorOf;
using test::MakeZip;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using test::ZipItem;

const std::string kDamaged = "L'archive zip est incomplète ou abîmée (téléchargement "
                             "interrompu ?) : téléchargez-la de nouveau.";
const std::string kChooseStudents =
    "choisissez l'export des élèves de SIECLE (ElevesSansAdresses.xml ou ElevesAvecAdresses.xml, "
    "ou l'archive zip qui le contient) ou l'export Sconet des élèves (CSV).";

std::string Xml(const std::string& root, const std::string& inside = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root + ">" + inside + "</" + root +
           ">\n";
}

std::string Students(const std::string& uaj = "0123456A", const std::string& eleves = "") {
    return Xml("BEE_ELEVES", "<PARAMETRES><UAJ>" + uaj + "</UAJ></PARAMETRES><DONNEES><ELEVES>" +
                                 eleves + "</ELEVES></DONNEES>");
}

ZipItem Item(const std::string& name, const std::string& data) {
    return {name, data, true, false, std::nullopt};
}

// Opens the archive and reads every entry, as a conversion may.
void ReadAll(const std::string& bytes, archive::ZipLimits limits = {}) {
    archive::ZipArchive zip(bytes, limits);
    for (const auto& entry : zip.Entries())
        zip.Read(entry);
}

TEST(ExportArchives, HostileArchivesAreRefused) {
    const std::string tooMany =
        "L'archive zip contient plus de 64 fichiers : ce n'est pas un export SIECLE ou STS. "
        "Choisissez l'archive téléchargée depuis SIECLE ou STS.";
    const std::string tooLarge = "L'archive zip se décompresse en plus de 1 Mo : ce n'est pas un "
                                 "export SIECLE ou STS. Choisissez l'archive téléchargée depuis "
                                 "SIECLE ou STS.";
    const std::string encrypted = "L'archive zip est protégée par un mot de passe : "
                                  "décompressez-la vous-même, puis choisissez le fichier XML "
                                  "qu'elle contient.";
    const auto unsafe = [](const std::string& name) {
        return "L'archive zip contient un fichier nommé « " + name +
               " », qui sortirait de son dossier : elle est refusée. Choisissez l'archive "
               "téléchargée depuis SIECLE ou STS.";
    };
    std::vector<ZipItem> many;
    for (int k = 0; k < 65; ++k)
        many.push_back(Item(std::to_string(k) + ".txt", "x"));
    const std::string megabyte(1 << 20, '\0');
    ZipItem lying = Item("ElevesSansAdresses.xml", megabyte + megabyte);
    lying.declaredSize = 100;
    ZipItem boasting = Item("ElevesSansAdresses.xml", "x");
    boasting.declaredSize = (1 << 20) + 1;
    ZipItem locked = Item("ElevesSansAdresses.xml", Students());
    locked.encrypted = true;
    const std::string valid =
        MakeZip({Item("ElevesSansAdresses.xml", Students() + megabyte.substr(0, 500000))});
    std::string corrupt = valid;
    corrupt[valid.size() / 3] ^= 0x5A;

    struct Case {
        const char* label;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"65 entries", MakeZip(many), tooMany},
        {"an entry larger than it says", MakeZip({lying}), tooLarge},
        {"an entry that says it is larger than allowed: refused before it inflates",
         MakeZip({boasting}), tooLarge},
        {"two entries larger than allowed together",
         MakeZip({Item("a.xml", megabyte.substr(0, 600000)),
                  Item("b.xml", megabyte.substr(0, 600000))}),
         tooLarge},
        {"an encrypted entry", MakeZip({Item("lisezmoi.txt", "x"), locked}), encrypted},
        {"..", MakeZip({Item("../ElevesSansAdresses.xml", Students())}),
         unsafe("../ElevesSansAdresses.xml")},
        {".. inside", MakeZip({Item("a/../../b.xml", "x")}), unsafe("a/../../b.xml")},
        {"absolute", MakeZip({Item("/tmp/b.xml", "x")}), unsafe("/tmp/b.xml")},
        {"drive", MakeZip({Item("C:\\b.xml", "x")}), unsafe("C:\\b.xml")},
        {"cut in the middle", valid.substr(0, valid.size() / 2), kDamaged},
        {"cut near the end", valid.substr(0, valid.size() - 10), kDamaged},
        {"damaged data", corrupt, kDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ErrorOf([&] { ReadAll(c.bytes, {64, 1 << 20}); }), c.expected);
    }
    EXPECT_EQ(ErrorOf([&] { ReadAll(valid, {64, 1 << 20}); }), ""); // the same, whole
    // The first bytes read to recognise an entry are not counted twice.
    archive::ZipArchive full(MakeZip({Item("a.xml", megabyte)}), {64, 1 << 20});
    full.Read(full.Entries().front(), 64 * 1024);
    EXPECT_EQ(ErrorOf([&] { full.Read(full.Entries().front()); }), "");
}

// ASCII text in UTF-16, little-endian, behind its byte order mark.
std::string Utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

class WrongFilesTest : public testing::Test {
protected:
    // The message of converting that file with that conversion; "" when it
    // converts. Nothing may be written either way before a save.
    std::string Convert(const std::string& cliName, const std::string& name,
                        const std::string& bytes) {
        WriteBytes(in_ / name, bytes);
        const std::string message = ErrorOf([&] {
            const Conversion* conversion = FindConversion(cliName);
            conversion->convert(in_ / name, {});
        });
        EXPECT_TRUE(EntriesBelow(out_.path()).empty());
        return message;
    }

    TempFolder in_;
    TempFolder out_;
};

TEST_F(WrongFilesTest, EachWrongFileSaysWhatItIs) {
    const std::string studentsInTeachers =
        " un export des élèves de SIECLE, pas un export STS : ouvrez-";
    using namespace std::literals;
    const std::string notSts =
        ", pas un export STS : choisissez l'export STS « Emploi du temps » (sts_emp_….xml).";
    const std::string openAsStudents = " depuis une entrée « Elèves » du menu, ou choisissez "
                                       "l'export STS « Emploi du temps » (sts_emp_….xml).";
    const std::string sts =
        ReadBytes(std::filesystem::path(TRESSAL_SAMPLES) / "sts_emp_0123456A_2026.xml");
    const std::string responsables = Xml("BEE_RESPONSABLES");
    const std::string leaverless = "<ELEVE ELEVE_ID=\"1\"><NOM>DUPONT</NOM><PRENOM>Jean</PRENOM>"
                                   "<DATE_NAISS>2012</DATE_NAISS></ELEVE>";
    struct Case {
        const char* cliName;
        const char* name;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"eleves-pmb", "ResponsablesAvecAdresses.xml", responsables,
         "Ce fichier est l'export des responsables, pas des élèves : " + kChooseStudents},
        {"eleves-pmb", "Nomenclature.xml", Xml("BEE_NOMENCLATURES"),
         "Ce fichier est l'export des nomenclatures, pas des élèves : placez-le sous le nom "
         "Nomenclature.xml dans le dossier de l'export des élèves, puis " +
             kChooseStudents},
        {"eleves-bcdi", "Structures.xml", "\xEF\xBB\xBF \r\n<BEE_STRUCTURES/>",
         "Ce fichier est l'export des structures, pas des élèves : " + kChooseStudents},
        {"eleves-orlane", "sts_emp_0123456A_2026.xml", sts,
         "Ce fichier est un export STS des enseignants, pas des élèves : ouvrez-le depuis le "
         "menu des enseignants, ou " +
             kChooseStudents},
        {"eleves-orlane", "autre.xml", Xml("AUTRE"),
         "Ce fichier XML n'est pas un export des élèves (son élément principal est « AUTRE ») : " +
             kChooseStudents},
        {"profs-orlane", "STS_a_0123456A_b.xml", Students(),
         "Ce fichier est" + studentsInTeachers + "le" + openAsStudents},
        {"profs-vesko", "sts_emp_0123456A_2026.zip",
         MakeZip({Item("ElevesSansAdresses.xml", Students())}),
         "Cette archive zip contient" + studentsInTeachers + "la" + openAsStudents},
        {"profs-pmb", "sts_emp_0123456A_2026.zip", MakeZip({Item("lisezmoi.txt", "STS")}),
         "L'archive zip ne contient pas d'export STS (fichier STS….xml) : choisissez l'archive "
         "de l'export STS « Emploi du temps », ou le fichier XML lui-même."},
        {"profs-pmb", "sts.zip",
         MakeZip({Item("a/STS_1_0123456A.xml", sts), Item("STS_2_0123456A.XML", sts)}),
         "L'archive zip contient plusieurs exports STS (« a/STS_1_0123456A.xml », "
         "« STS_2_0123456A.XML ») : décompressez-la et choisissez-en un, ou, pour une cité "
         "scolaire, choisissez le dossier qui les contient."},
        {"eleves-vesko", "export.zip",
         MakeZip({Item("ResponsablesAvecAdresses.xml", responsables), Item("STS.xml", sts)}),
         "L'archive zip ne contient pas d'export des élèves de SIECLE (« "
         "ResponsablesAvecAdresses.xml » est l'export des responsables, pas des élèves) : " +
             kChooseStudents},
        {"eleves-vesko", "export.zip",
         MakeZip({Item("ElevesSansAdresses.xml", Students()),
                  Item("ElevesAvecAdresses.xml", Students())}),
         "L'archive zip contient plusieurs exports des élèves (« ElevesSansAdresses.xml », « "
         "ElevesAvecAdresses.xml ») : décompressez-la et choisissez celui que vous voulez "
         "convertir."},
        {"eleves-vesko", "export.zip",
         MakeZip({Item("__MACOSX/._ElevesSansAdresses.xml", Students("0000000X")),
                  Item(".ElevesSansAdresses.xml", Students("0000000Y")),
                  Item("ElevesSansAdresses.xml", Students())}),
         ""},
        {"eleves-pmb", "ElevesSansAdresses.xml", Students(" 012345A "),
         "L'export des élèves indique le code établissement « 012345A », qui n'est pas un code "
         "valide (sept chiffres et une lettre) : refaites l'export depuis SIECLE, sans modifier "
         "le fichier."},
        {"eleves-vesko", "ElevesSansAdresses.xml", Students("0123456A", leaverless),
         "Fichier incorrect : le champ date de naissance est incomplet.\nÉlève : DUPONT Jean"},
        {"eleves-vesko", "0123456A.txt", "NOM;PRENOM\r\n",
         "« 0123456A.txt » est un fichier texte, pas un export des élèves : " + kChooseStudents},
        // Told from the first bytes, whatever the name, before any reader takes them.
        {"profs-pmb", "sts_emp_0123456A_2026.xml",
         test::ExportBytes({test::SconetHeader(), test::StudentLine("DUPONT", "Jean")}),
         "Ce fichier est un export des élèves (CSV Sconet), pas un export STS : ouvrez-le" +
             openAsStudents},
        {"profs-pmb", "sts_emp_0123456A_2026.xml", "%PDF-1.4\n%\xE2\xE3",
         "« sts_emp_0123456A_2026.xml » est un document PDF" + notSts},
        {"profs-orlane", "sts_emp_0123456A_2026.zip", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s,
         "« sts_emp_0123456A_2026.zip » est une image" + notSts},
        {"profs-vesko", "sts_emp_0123456A_2026.xml", "",
         "« sts_emp_0123456A_2026.xml » est vide" + notSts},
        {"profs-vesko", "sts_emp_0123456A_2026.xml", std::string(100000, '\0'),
         "« sts_emp_0123456A_2026.xml » est un fichier binaire" + notSts},
        {"profs-pmb", "sts_emp_0123456A_2026.zip", MakeZip({}),
         "L'archive zip est vide : choisissez l'export STS « Emploi du temps » (sts_emp_….xml)."},
        {"profs-pmb", "sts_emp_0123456A_2026.xml", responsables,
         "Ce fichier est l'export des responsables de SIECLE" + notSts},
        {"eleves-pmb", "photo.png", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s,
         "« photo.png » est une image, pas un export des élèves : " + kChooseStudents},
        {"eleves-pmb", "export.zip", MakeZip({}),
         "L'archive zip « export.zip » est vide : " + kChooseStudents},
        {"eleves-bcdi", "0123456A.csv", std::string(100000, '\0'),
         "« 0123456A.csv » est un fichier binaire, pas un export des "
         "élèves : " +
             kChooseStudents},
        {"eleves-pmb", "ElevesSansAdresses.xml", Utf16(Students()), ""},
        {"eleves-pmb", "ElevesSansAdresses.xml",
         Students("0123456A", "<ELEVE ELEVE_ID=\"1\">\n<NOM>" + std::string(10'000'001, 'x') +
                                  "</NOM></ELEVE>"),
         "Valeur trop longue (plus de 10 000 000 caractères) dans l'élément « NOM » : le fichier "
         "est abîmé ou ce n'est pas un export ; refaites l'export\r\nLigne: 3\r\n<NOM>" +
             std::string(35, 'x')},
        // A refusal that quotes a line shows its control characters escaped.
        {"profs-pmb", "sts_emp_0123456A_2026.xml", "<STS_EDT>\x1B[31m\x07</STS_EDT>",
         "Caractère non autorisé\r\nLigne: 1\r\n<STS_EDT>\\x1b[31m\\x07</STS_EDT>"},
        {"profs-pmb", "sts_emp_0123456A_2026.xml",
         "<STS_EDT xmlns:xi=\"http://www.w3.org/2001/XInclude\">\n<xi:include "
         "href=\"/etc/passwd\"/>"
         "\n</STS_EDT>",
         "L'élément « xi:include » demande d'inclure un autre fichier (XInclude), ce qu'un export "
         "ne fait pas : refaites l'export sans le modifier\r\nLigne: 2\r\n<xi:include "
         "href=\"/etc/passwd\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cliName) + " " + c.name);
        EXPECT_EQ(Convert(c.cliName, c.name, c.bytes), c.expected);
    }
}

TEST_F(WrongFilesTest, StudentXmlObeysTheXmlLoaderRules) {
    const std::string doctype = "<?xml version=\"1.0\"?>\n<!DOCTYPE BEE_ELEVES ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {doctype + "SYSTEM \"http://example.org/e.dtd\">\n<BEE_ELEVES/>",
         "Les DTD externes ne sont pas acceptées"},
        {doctype + "[<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>\n"
                   "<BEE_ELEVES><PARAMETRES><UAJ>&b;</UAJ></PARAMETRES></BEE_ELEVES>",
         "Les déclarations d'entités ne sont pas acceptées"},
        {doctype + "[<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<BEE_ELEVES>&x;</BEE_ELEVES>",
         "Les déclarations d'entités ne sont pas acceptées"},
        {"<BEE_ELEVES><PARAMETRES></BEE_ELEVES>",
         "La balise de fin </BEE_ELEVES> ne correspond pas à la balise de début <PARAMETRES> de "
         "la ligne 1"},
    };
    for (const auto& [document, reason] : cases) {
        SCOPED_TRACE(document);
        const std::string plain = Convert("eleves-orlane", "ElevesSansAdresses.xml", document);
        const std::string zipped = Convert("eleves-orlane", "export.zip",
                                           MakeZip({Item("ElevesSansAdresses.xml", document)}));
        EXPECT_FALSE(plain.empty());
        EXPECT_TRUE(plain.starts_with(reason + "\r\nLigne: ")) << plain;
        EXPECT_EQ(zipped, plain);
    }
}

TEST_F(WrongFilesTest, StsExportsAreReadFromZipArchives) {
    const std::string sts =
        ReadBytes(std::filesystem::path(TRESSAL_SAMPLES) / "sts_emp_0123456A_2026.xml");
    WriteBytes(in_ / "sts_emp_0123456A_2026.xml", sts);
    WriteBytes(in_ / "archive.zip", MakeZip({Item("__MACOSX/._sts_emp_0999999Z_2026.xml", "x"),
                                             Item("Exports/sts_emp_0234567B_2026.xml", sts)}));
    for (const char* cliName : {"profs-orlane", "profs-vesko", "profs-pmb"}) {
        SCOPED_TRACE(cliName);
        const Conversion* conversion = FindConversion(cliName);
        Converted fromXml, fromZip;
        const std::string xmlError =
            ErrorOf([&] { fromXml = conversion->convert(in_ / "sts_emp_0123456A_2026.xml", {}); });
        // The sample lacks a civility on purpose: Vesko stops on it, from both forms.
        EXPECT_EQ(ErrorOf([&] { fromZip = conversion->convert(in_ / "archive.zip", {}); }),
                  xmlError);
        if (!xmlError.empty())
            continue;
        EXPECT_EQ(fromZip.code, "0234567B");
        EXPECT_FALSE(fromZip.lines.empty());
        EXPECT_EQ(fromZip.lines, fromXml.lines);
    }
    EXPECT_EQ(teachers::ChercheFic(in_.path()).size(), 1u); // archive.zip is no STS*.zip
    std::filesystem::rename(in_ / "archive.zip", in_ / "STS_b.zip");
    const Converted cite = FindConversion("profs-orlane-cite")->convert(in_.path(), {});
    EXPECT_EQ(cite.duplicates.size(), cite.lines.size()); // the same staff twice
}

} // namespace
} // namespace tressal
