// The STS export as the teacher conversions read it in one pass, compared
// with the same reads on the whole tree of the document.

#include "sts/sts_export.h"
#include "test_support.h"
#include "text/text_helpers.h"
#include "xml/errors.h"
#include "xml/load.h"
#include "xml/node.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tressal::sts {
namespace {

namespace fs = std::filesystem;
using xml::XmlNode;

// The message of the error `read` raises, or nullopt when it raises none.
template <class Read> std::optional<std::string> ErrorOf(Read read) {
    try {
        read();
    } catch (const tressal::Error& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

// The message of the error `read` raises, or the value it gives.
template <class Read> std::string Outcome(Read read) {
    try {
        return "value " + read();
    } catch (const Error& e) {
        return std::string("error ") + e.what();
    }
}

TEST(StsExportTest, ValuesReadAsTheTreeReadsThem) {
    const std::vector<std::string> contents = {"DUPONT",
                                               "DUPONT &amp; Cie",
                                               "CERTIFI&#201;",
                                               "<![CDATA[DURAND & <FILS>]]>",
                                               "\n  <![CDATA[1965-05-05]]>\n  ",
                                               "  LEROY ",
                                               "",
                                               " ",
                                               "a<X/>",
                                               "<X/>",
                                               " <X/> ",
                                               "a<!--c-->b",
                                               "<!--c-->",
                                               " <!--c--> ",
                                               "a<![CDATA[b]]>",
                                               "<![CDATA[a]]> b",
                                               "<?pi x?>",
                                               "\n<![CDATA[]]>",
                                               "a\n",
                                               "A</NOM_USAGE><NOM_USAGE>B",
                                               "<X>a</X></NOM_USAGE><NOM_USAGE>B"};
    for (const std::string& inside : contents) {
        SCOPED_TRACE(inside);
        const std::string bytes = "<STS_EDT><DONNEES><INDIVIDUS><INDIVIDU ID=\"7\">\n<NOM_USAGE>" +
                                  inside +
                                  "</NOM_USAGE>\n</INDIVIDU></INDIVIDUS></DONNEES></STS_EDT>";
        const xml::XmlDocPtr doc = xml::ParseXml(bytes);
        const XmlNode person = XmlNode(xmlDocGetRootElement(doc.get()))
                                   .Find("DONNEES")
                                   .Find("INDIVIDUS")
                                   .Find("INDIVIDU");
        const StsExport read = ReadStsExportBytes(bytes, "test");
        ASSERT_EQ(read.persons.size(), 1u);
        EXPECT_EQ(Outcome([&] { return read.persons[0].usageName.Required("NOM_USAGE"); }),
                  Outcome([&] { return person.Text("NOM_USAGE"); }));
        EXPECT_EQ(read.persons[0].usageName.IfAny(), person.TextIfAny("NOM_USAGE"));
    }
    // Two CDATA sections in a row are one text, as libxml2 2.9's tree has them (later
    // versions keep two nodes there): the same value whichever libxml2 the program uses.
    const StsExport joined = ReadStsExportBytes(
        "<STS_EDT><DONNEES><INDIVIDUS><INDIVIDU ID=\"7\"><NOM_USAGE><![CDATA[a]]><![CDATA[b]]>"
        "</NOM_USAGE></INDIVIDU></INDIVIDUS></DONNEES></STS_EDT>",
        "test");
    ASSERT_EQ(joined.persons.size(), 1u);
    EXPECT_EQ(joined.persons[0].usageName.IfAny(), std::optional<std::string>("ab"));
}

// Every person and every division of the real export and of the samples.
TEST(StsExportTest, ExportsReadAsTheTreeReadsThem) {
    const fs::path data = TRESSAL_TEST_DATA;
    for (const fs::path& file :
         {data / "realdata/sts_emp_0210050R_2009.xml",
          data / "../../samples/sts_emp_0123456A_2026.xml",
          data / "../../samples/sts_emp_0234567B_2026.xml", data / "sts/sample.xml"}) {
        SCOPED_TRACE(file);
        const StsExport read = ReadStsExport(file, StsNaming::InFolder);
        const xml::XmlDocPtr doc = xml::LoadXmlFile(file);
        const XmlNode root(xmlDocGetRootElement(doc.get()));
        EXPECT_EQ(
            read.ownCode,
            TrimBlanks(root.Find("PARAMETRES").Find("UAJ").AttributeIfAny("CODE").value_or("")));
        std::size_t k = 0;
        for (const XmlNode person : root.Find("DONNEES").Find("INDIVIDUS").Children("INDIVIDU")) {
            ASSERT_LT(k, read.persons.size());
            const StsPerson& kept = read.persons[k++];
            EXPECT_EQ(kept.id, person.AttributeIfAny("ID"));
            EXPECT_EQ(kept.usageName.IfAny(), person.TextIfAny("NOM_USAGE"));
            EXPECT_EQ(kept.firstName.IfAny(), person.TextIfAny("PRENOM"));
            EXPECT_EQ(kept.civility.IfAny(), person.TextIfAny("CIVILITE"));
            EXPECT_EQ(kept.birthDate.IfAny(), person.TextIfAny("DATE_NAISSANCE"));
            EXPECT_EQ(kept.discipline,
                      person.Find("DISCIPLINES").Find("DISCIPLINE").AttributeIfAny("CODE"));
        }
        EXPECT_EQ(k, read.persons.size());
        k = 0;
        const XmlNode divisions = root.Find("DONNEES").Find("STRUCTURE").Find("DIVISIONS");
        for (const XmlNode division : divisions.Children("DIVISION")) {
            ASSERT_LT(k, read.divisions.size());
            std::vector<std::int32_t> teachers;
            for (const XmlNode service : division.Find("SERVICES").Children("SERVICE"))
                for (const XmlNode teacher : service.Find("ENSEIGNANTS").Children("ENSEIGNANT"))
                    if (const auto id = teacher.AttributeIntegerIfAny("ID"))
                        teachers.push_back(*id);
            EXPECT_EQ(read.divisions[k].code, division.AttributeIfAny("CODE"));
            EXPECT_EQ(read.divisions[k++].teachers, teachers);
        }
        EXPECT_EQ(k, read.divisions.size());
        EXPECT_GT(k, 0u);
    }
}

const char* const kNullToInteger =
    "Impossible de convertir le variant de type (Null) en type (Integer)";
const char* const kStringToInteger =
    "Impossible de convertir le variant de type (String) en type (Integer)";

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

} // namespace
} // namespace tressal::sts
