// Reads through the STS node types: texts, integers, single children,
// containers, and the places where variants A and B differ.

#include "sts/sts_model_a.h"
#include "sts/sts_model_b.h"
#include "xml/errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

namespace a = tressal::sts::a;
namespace b = tressal::sts::b;
using tressal::xml::XmlNode;

const std::filesystem::path kData = TRESSAL_TEST_DATA;
const std::filesystem::path kSample = kData / "sts" / "sample.xml";
const std::filesystem::path kRealExport = kData / "realdata" / "sts_emp_0210050R_2009.xml";

const char* const kNotSingleText = "L'élément ne contient pas de noeud texte unique";
const char* const kNullToInteger =
    "Impossible de convertir le variant de type (Null) en type (Integer)";
const char* const kStringToInteger =
    "Impossible de convertir le variant de type (String) en type (Integer)";

// The message of the error `read` raises, or nullopt when it raises none.
template <class Read> std::optional<std::string> ErrorOf(Read read) {
    try {
        read();
    } catch (const tressal::Error& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

// The number of child elements of that name, through the generic reads.
int ChildCount(const XmlNode& node, std::string_view name) {
    const tressal::xml::ElementRange children = node.Children(name);
    return static_cast<int>(std::distance(children.begin(), children.end()));
}

class StsModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        docA_.SetFileName(kSample);
        docB_.SetFileName(kSample);
    }
    a::TXMLINDIVIDUSType PersonsA() { return docA_.Root().DONNEES().INDIVIDUS(); }
    b::TXMLINDIVIDUSType PersonsB() { return docB_.Root().DONNEES().INDIVIDUS(); }
    a::TXMLSERVICEType FirstServiceA() {
        return docA_.Root().DONNEES().STRUCTURE().DIVISIONS().Item(0).SERVICES().Item(0);
    }
    b::TXMLSERVICEType FirstServiceB() {
        return docB_.Root().DONNEES().STRUCTURE().DIVISIONS().Item(0).SERVICES().Item(0);
    }

    a::StsDocument docA_;
    b::StsDocument docB_;
};

// --- Text reads ---

struct TextCase {
    const char* label;
    int person;
    std::function<std::string(const a::TXMLINDIVIDUType&)> read;
    std::string expected; // value, or the error message when isError
    bool isError = false;
};

TEST_F(StsModelTest, TextReadsFollowTheSingleTextNodeRule) {
    const std::vector<TextCase> cases = {
        {"plain text, UTF-8", 0, [](auto& p) { return p.PRENOM(); }, "Hélène"},
        {"entity reference merged into one text", 0,
         [](auto& p) { return p.Text("NOM_PATRONYMIQUE"); }, "DUPONT & Cie"},
        {"character reference", 0, [](auto& p) { return p.Text("GRADE"); }, "CERTIFIÉ"},
        {"CDATA section reads as text", 1, [](auto& p) { return p.NOM_USAGE(); },
         "DURAND & <FILS>"},
        {"blank lines around CDATA dropped", 1, [](auto& p) { return p.DATE_NAISSANCE(); },
         "1965-05-05"},
        {"blanks kept", 2, [](auto& p) { return p.NOM_USAGE(); }, "  LEROY "},
        {"empty element", 2, [](auto& p) { return p.PRENOM(); }, ""},
        {"missing element", 1, [](auto& p) { return p.PRENOM(); }, "Noeud \"PRENOM\" non trouvé",
         true},
        {"missing element, other one", 1, [](auto& p) { return p.Text("GRADE"); },
         "Noeud \"GRADE\" non trouvé", true},
        {"child element inside", 2, [](auto& p) { return p.Text("GRADE"); }, kNotSingleText, true},
        {"comment beside the text", 2, [](auto& p) { return p.Text("FONCTION"); }, kNotSingleText,
         true},
        {"text then CDATA", 2, [](auto& p) { return p.DATE_NAISSANCE(); }, kNotSingleText, true},
        {"attribute", 0, [](auto& p) { return p.AttributeText("TYPE"); }, "epp"},
        {"missing attribute", 2, [](auto& p) { return p.AttributeText("TYPE"); },
         "Noeud \"TYPE\" non trouvé", true},
    };
    const a::TXMLINDIVIDUSType persons = PersonsA();
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.label);
        const a::TXMLINDIVIDUType person = persons.Item(c.person);
        if (c.isError) {
            EXPECT_EQ(ErrorOf([&] { c.read(person); }), c.expected);
        } else {
            EXPECT_EQ(c.read(person), c.expected);
        }
    }
}

TEST_F(StsModelTest, MissingChildRaisesNotFoundErrorNamingIt) {
    try {
        PersonsA().Item(1).PRENOM();
        FAIL() << "PRENOM read without error";
    } catch (const tressal::xml::NotFoundError& e) {
        EXPECT_EQ(e.Name(), "PRENOM");
    }
}

TEST_F(StsModelTest, LookupIsCaseSensitive) {
    // Person 1 has <prenom> in lower case only.
    const XmlNode person = PersonsA().Item(1);
    EXPECT_EQ(person.Text("prenom"), "en minuscules");
    EXPECT_THROW(person.Text("PRENOM"), tressal::xml::NotFoundError);
    EXPECT_THROW(person.Child("Prenom"), tressal::xml::NotFoundError);
}

// --- Lookups ---

TEST_F(StsModelTest, LookupsGiveNothingWhereTheReadsRaiseAnError) {
    using Person = b::TXMLINDIVIDUType;
    struct Case {
        const char* label;
        int person;
        std::function<std::optional<std::string>(const Person&)> lookup;
        std::optional<std::string> expected;
    };
    const auto number = [](std::optional<std::int32_t> value) {
        return value ? std::optional<std::string>(std::to_string(*value)) : std::nullopt;
    };
    const auto discipline = [](const Person& p) {
        return p.DISCIPLINES(tressal::xml::kIfAny)
            .DISCIPLINE(tressal::xml::kIfAny)
            .CODE(tressal::xml::kIfAny);
    };
    const std::vector<Case> cases = {
        {"text", 0, [](auto& p) { return p.DATE_NAISSANCE(tressal::xml::kIfAny); }, "1970-03-12"},
        {"CDATA between blank lines", 1,
         [](auto& p) { return p.DATE_NAISSANCE(tressal::xml::kIfAny); }, "1965-05-05"},
        {"text then CDATA", 2, [](auto& p) { return p.DATE_NAISSANCE(tressal::xml::kIfAny); },
         std::nullopt},
        {"integer", 0, [&](auto& p) { return number(p.CIVILITE(tressal::xml::kIfAny)); }, "2"},
        {"empty integer", 1, [&](auto& p) { return number(p.CIVILITE(tressal::xml::kIfAny)); },
         std::nullopt},
        {"first discipline", 0, discipline, "L0422"},
        {"through a missing element", 1, discipline, std::nullopt},
    };
    const b::TXMLINDIVIDUSType persons = PersonsB();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.lookup(persons.Item(c.person)), c.expected);
    }
    // A missing element gives an empty view, whose lookups find nothing.
    EXPECT_TRUE(persons.Item(1).DISCIPLINES(tressal::xml::kIfAny).IsNull());
    const b::TXMLDIVISIONType nowhere;
    EXPECT_EQ(nowhere.SERVICES(tressal::xml::kIfAny).Count(), 0);
    EXPECT_EQ(nowhere.CODE(tressal::xml::kIfAny), std::nullopt);
    EXPECT_EQ(ErrorOf([&] { nowhere.SERVICES(); }), "Noeud \"SERVICES\" non trouvé");
}

// --- Integer reads ---

TEST_F(StsModelTest, IntegerReads) {
    struct Case {
        const char* label;
        int person;
        std::function<std::int32_t(const a::TXMLINDIVIDUType&)> read;
        std::int32_t expected;
        const char* error; // nullptr: no error expected
    };
    const std::vector<Case> cases = {
        {"CIVILITE 2", 0, [](auto& p) { return p.CIVILITE(); }, 2, nullptr},
        {"CIVILITE 1", 2, [](auto& p) { return p.CIVILITE(); }, 1, nullptr},
        {"empty CIVILITE", 1, [](auto& p) { return p.CIVILITE(); }, 0, kNullToInteger},
        {"blanks around the number", 1, [](auto& p) { return p.Integer("SEXE"); }, 1, nullptr},
        {"not a number", 2, [](auto& p) { return p.Integer("SEXE"); }, 0, kStringToInteger},
        {"attribute ID", 0, [](auto& p) { return p.ID(); }, 101, nullptr},
        {"negative attribute ID", 2, [](auto& p) { return p.ID(); }, -103, nullptr},
    };
    const a::TXMLINDIVIDUSType persons = PersonsA();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const a::TXMLINDIVIDUType person = persons.Item(c.person);
        if (c.error != nullptr) {
            EXPECT_EQ(ErrorOf([&] { c.read(person); }), c.error);
        } else {
            EXPECT_EQ(c.read(person), c.expected);
        }
    }
}

TEST(StsIntegerTest, ToIntegerAcceptsSignedDecimalWithinInt32) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const std::vector<Case> good = {
        {"0", 0},
        {"2", 2},
        {"090100", 90100},
        {"-15", -15},
        {"+7", 7},
        {" 12 ", 12},
        {"\t3\r\n", 3},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-0", 0},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tressal::xml::ToInteger(c.text), c.expected);
    }
    const std::vector<const char*> bad = {
        "abc",         "1.5",  "1e3",        "12a",         "a12",
        "+-1",         "--1",  "-",          "+",           " ",
        "1 2",         "0x10", "2147483648", "-2147483649", "99999999999999999999",
        "\xEF\xBC\x91" /* fullwidth 1 */};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorOf([&] { tressal::xml::ToInteger(text); }), kStringToInteger);
    }
    EXPECT_EQ(ErrorOf([] { tressal::xml::ToInteger(""); }), kNullToInteger);
}

TEST(StsIntegerTest, ConversionErrorsHaveTheirOwnType) {
    EXPECT_THROW(tressal::xml::ToInteger(""), tressal::xml::ConversionError);
    EXPECT_THROW(tressal::xml::ToInteger("x"), tressal::xml::ConversionError);
}

// --- Containers ---

TEST_F(StsModelTest, ContainerItemsAreTheNamedChildElementsInOrder) {
    // A comment and a <REMARQUE> element sit among the three INDIVIDU.
    const a::TXMLINDIVIDUSType persons = PersonsA();
    ASSERT_EQ(persons.Count(), 3);
    EXPECT_EQ(persons.Item(0).ID(), 101);
    EXPECT_EQ(persons.Item(1).ID(), 102);
    EXPECT_EQ(persons.Item(2).ID(), -103);
    EXPECT_EQ(ChildCount(persons, "REMARQUE"), 1);
    EXPECT_EQ(ErrorOf([&] { persons.Item(3); }), "Indice de liste hors limites (3)");
    EXPECT_EQ(ErrorOf([&] { persons.Item(-1); }), "Indice de liste hors limites (-1)");
}

TEST_F(StsModelTest, EmptyContainerCountsZero) {
    const a::TXMLDIVISIONSType divisions = docA_.Root().DONNEES().STRUCTURE().DIVISIONS();
    ASSERT_EQ(divisions.Count(), 2);
    EXPECT_EQ(divisions.Item(1).CODE(), "6 B");
    EXPECT_EQ(divisions.Item(1).SERVICES().Count(), 0);
    EXPECT_EQ(divisions.Item(0).SERVICES().Count(), 2);
}

// --- Variants ---

TEST_F(StsModelTest, VariantAEnseignantsIsAContainerOfEveryTeacher) {
    const a::TXMLENSEIGNANTSType teachers = FirstServiceA().ENSEIGNANTS();
    ASSERT_EQ(teachers.Count(), 3);
    EXPECT_EQ(teachers.Item(0).ID(), 101);
    EXPECT_EQ(teachers.Item(1).ID(), 102);
    EXPECT_EQ(teachers.Item(2).ID(), -103);
}

TEST_F(StsModelTest, VariantBEnseignantsIsAContainerOfEveryTeacherToo) {
    const b::TXMLENSEIGNANTSType teachers = FirstServiceB().ENSEIGNANTS();
    EXPECT_EQ(teachers.Item(0).ID(), 101);
    EXPECT_EQ(teachers.Item(0).AttributeText("TYPE"), "epp");
    ASSERT_EQ(teachers.Count(), 3);
    EXPECT_EQ(teachers.Item(1).ID(), 102);
    EXPECT_EQ(teachers.Item(2).ID(), -103);
}

TEST_F(StsModelTest, VariantBDisciplineIsTheFirstOne) {
    const b::TXMLDISCIPLINEType first = PersonsB().Item(0).DISCIPLINES().DISCIPLINE();
    EXPECT_EQ(first.CODE(), "L0422");
    EXPECT_EQ(first.Text("LIBELLE_COURT"), "ANGLAIS");
    EXPECT_EQ(ErrorOf([&] { PersonsB().Item(1).DISCIPLINES(); }),
              "Noeud \"DISCIPLINES\" non trouvé");
}

TEST_F(StsModelTest, ViewsOfBothVariantsReadTheSameDocument) {
    // Shared node types are the same type in both variants.
    static_assert(std::is_same_v<a::TXMLENSEIGNANTType, b::TXMLENSEIGNANTType>);
    static_assert(std::is_same_v<a::TXMLSTRUCTUREType, b::TXMLSTRUCTUREType>);
    EXPECT_EQ(docA_.Root().Child("PARAMETRES").Child("UAJ").AttributeText("CODE"), "0990001X");
    EXPECT_EQ(docB_.Root().Child("PARAMETRES").Child("UAJ").Child("ACADEMIE").Integer("CODE"), 99);
    EXPECT_EQ(PersonsB().Item(0).NOM_USAGE(), PersonsA().Item(0).NOM_USAGE());
}

// --- Namespaces ---

TEST(StsNamespaceTest, PrefixedNamesAnswerToTheirLocalName) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tressal_sts_prefixed_test.xml";
    {
        std::ofstream out(file, std::ios::binary);
        out << "<s:STS_EDT xmlns:s=\"urn:sts\"><s:DONNEES><s:INDIVIDUS>"
               "<s:INDIVIDU s:ID=\"7\"><s:PRENOM>Anne</s:PRENOM></s:INDIVIDU>"
               "<INDIVIDU ID=\"8\"><x:PRENOM>Undeclared</x:PRENOM></INDIVIDU>"
               "</s:INDIVIDUS></s:DONNEES></s:STS_EDT>";
    }
    a::StsDocument doc;
    doc.SetFileName(file);
    const a::TXMLINDIVIDUSType persons = doc.Root().DONNEES().INDIVIDUS();
    ASSERT_EQ(persons.Count(), 2);
    EXPECT_EQ(persons.Item(0).PRENOM(), "Anne");
    EXPECT_EQ(persons.Item(0).ID(), 7);
    EXPECT_EQ(persons.Item(0).Text("s:PRENOM"), "Anne");
    EXPECT_EQ(persons.Item(1).PRENOM(), "Undeclared");
    std::filesystem::remove(file);
}

// --- The real export ---

TEST(StsRealDataTest, CollegeExportLoadsWithItsPersonsAndDivisions) {
    ASSERT_TRUE(std::filesystem::exists(kRealExport));
    a::StsDocument doc;
    doc.SetFileName(kRealExport);
    const a::TXMLSTS_EDTType root = doc.Root();
    const a::TXMLINDIVIDUSType persons = root.DONNEES().INDIVIDUS();
    ASSERT_EQ(persons.Count(), 33);
    EXPECT_EQ(root.DONNEES().STRUCTURE().DIVISIONS().Count(), 17);
    const XmlNode nomenclatures = root.Child("NOMENCLATURES");
    EXPECT_EQ(ChildCount(root.DONNEES().Child("STRUCTURE").Child("GROUPES"), "GROUPE"), 18);
    EXPECT_EQ(ChildCount(nomenclatures.Child("MATIERES"), "MATIERE"), 24);
    EXPECT_EQ(ChildCount(nomenclatures.Child("PROGRAMMES"), "PROGRAMME"), 71);
    EXPECT_EQ(root.Child("PARAMETRES").Child("UAJ").AttributeText("CODE"), "0210066H");

    const a::TXMLINDIVIDUType first = persons.Item(0);
    EXPECT_EQ(first.ID(), 3849);
    EXPECT_EQ(first.NOM_USAGE(), "PROF1");
    EXPECT_EQ(first.PRENOM(), "Prenom");
    EXPECT_EQ(first.CIVILITE(), 1);
    EXPECT_EQ(first.DATE_NAISSANCE(), "1950-07-11");
    EXPECT_EQ(persons.Item(32).NOM_USAGE(), "PROF26");
    EXPECT_EQ(persons.Item(32).ID(), 38818);
}

TEST(StsRealDataTest, DivisionServicesSeenThroughBothVariants) {
    a::StsDocument docA;
    b::StsDocument docB;
    docA.SetFileName(kRealExport);
    docB.SetFileName(kRealExport);
    const a::TXMLDIVISIONSType divisionsA = docA.Root().DONNEES().STRUCTURE().DIVISIONS();
    const b::TXMLDIVISIONSType divisionsB = docB.Root().DONNEES().STRUCTURE().DIVISIONS();
    ASSERT_EQ(divisionsA.Count(), 17);
    ASSERT_EQ(divisionsB.Count(), 17);
    EXPECT_EQ(divisionsA.Item(0).CODE(), "3 1");
    EXPECT_EQ(divisionsB.Item(16).CODE(), "6 4");

    int services = 0;
    int teachersA = 0;
    int teachersB = 0;
    for (int d = 0; d < divisionsA.Count(); ++d) {
        const a::TXMLSERVICESType servicesA = divisionsA.Item(d).SERVICES();
        const b::TXMLSERVICESType servicesB = divisionsB.Item(d).SERVICES();
        ASSERT_EQ(servicesA.Count(), servicesB.Count());
        for (int s = 0; s < servicesA.Count(); ++s) {
            ++services;
            const a::TXMLENSEIGNANTSType allA = servicesA.Item(s).ENSEIGNANTS();
            const b::TXMLENSEIGNANTSType firstB = servicesB.Item(s).ENSEIGNANTS();
            teachersA += allA.Count();
            teachersB += firstB.Count();
            EXPECT_EQ(firstB.Item(0).ID(), allA.Item(0).ID());
        }
    }
    EXPECT_EQ(services, 179);
    EXPECT_EQ(teachersA, 180);
    EXPECT_EQ(teachersB, 180);

    // Division "3 3", third service: the one service taught by two people.
    const a::TXMLENSEIGNANTSType pairA = divisionsA.Item(2).SERVICES().Item(2).ENSEIGNANTS();
    ASSERT_EQ(pairA.Count(), 2);
    EXPECT_EQ(pairA.Item(0).ID(), 29348);
    EXPECT_EQ(pairA.Item(1).ID(), 29526);
    EXPECT_EQ(divisionsB.Item(2).SERVICES().Item(2).ENSEIGNANTS().Item(0).ID(), 29348);

    const b::TXMLINDIVIDUSType personsB = docB.Root().DONNEES().INDIVIDUS();
    EXPECT_EQ(personsB.Item(0).DISCIPLINES().DISCIPLINE().CODE(), "C0210");
    EXPECT_THROW(personsB.Item(32).DISCIPLINES(), tressal::xml::NotFoundError);
}

} // namespace
