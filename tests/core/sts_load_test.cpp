// Loading STS exports: the document object's states, load error messages,
// declared encodings, and hostile inputs.

#include "sts/sts_export.h"
#include "test_support.h"
#include "text/files.h"
#include "xml/errors.h"
#include "xml/load.h"
#include "xml/node.h"
#include "xml/safe_parse.h"

#include <gtest/gtest.h>
#include <libxml/globals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#ifndef _WIN32
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tressal::test::Utf16;
using tressal::xml::LoadError;

const fs::path kData = TRESSAL_TEST_DATA;

const char* const kEntitiesRefused = "Les déclarations d'entités ne sont pas acceptées";

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() / ("tressal_" + std::string(info->test_suite_name()) +
                                             "_" + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }
    fs::path Write(const std::string& name, std::string_view bytes) const {
        const fs::path file = path_ / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    fs::path path_;
};

// An STS export with one person per given first name (UTF-8 source text).
std::string Export(const std::vector<std::string>& firstNames) {
    std::string xml = "<STS_EDT>\n<DONNEES>\n<INDIVIDUS>\n";
    for (const std::string& name : firstNames) {
        xml += "<INDIVIDU ID=\"1\"><PRENOM>" + name + "</PRENOM></INDIVIDU>\n";
    }
    return xml + "</INDIVIDUS>\n</DONNEES>\n</STS_EDT>\n";
}

tressal::sts::StsExport Read(const fs::path& file) {
    return tressal::sts::ReadStsExport(file, tressal::sts::StsNaming::InFolder);
}

// The PRENOM of the export's first person.
std::string FirstName(const fs::path& file) {
    return Read(file).persons.at(0).firstName.Required("PRENOM");
}

// The LoadError that loading the file raises, or nullopt when it loads.
std::optional<LoadError> LoadFailure(const fs::path& file) {
    try {
        tressal::xml::LoadXmlFile(file);
    } catch (const LoadError& e) {
        return e;
    }
    return std::nullopt;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// --- The root ---

TEST(StsExportTest, AnotherRootIsRefusedOnceTheDocumentIsRead) {
    TempFolder folder;
    const std::vector<std::pair<std::string, std::string>> roots = {
        {"<STS_EXPORT><DONNEES/></STS_EXPORT>", "Interface non supportée"},
        {"<sts_edt><DONNEES/></sts_edt>", "Interface non supportée"},
        {"<XSTS_EDT><DONNEES/></XSTS_EDT>", "Interface non supportée"},
        {"<STS_EXPORT><DONNEES></STS_EXPORT>", "La balise de fin"}, // the parse error first
    };
    for (const auto& [bytes, message] : roots) {
        SCOPED_TRACE(bytes);
        try {
            Read(folder.Write("root.xml", bytes));
            ADD_FAILURE() << "root accepted";
        } catch (const tressal::Error& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(message)) << e.what();
        }
    }
    EXPECT_THROW(Read(kData / "sts" / "wrong_root.xml"), tressal::Error);
}

// --- Load error messages ---

TEST(StsLoadErrorTest, MessageIsReasonLineAndStartOfTheFaultyLine) {
    struct Case {
        const char* label;
        std::string bytes;
        std::string message;
    };
    const std::string latin15 = "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n";
    std::string e37;
    for (int i = 0; i < 37; ++i) {
        e37 += "é";
    }
    const std::vector<Case> cases = {
        {"not XML", "Ceci n'est pas du XML.\nDeuxième ligne\n",
         "Balise de début attendue, '<' introuvable\r\nLigne: 1\r\nCeci n'est pas du XML."},
        {"mismatched tag", "<STS_EDT>\n  <DONNEES>\n  </INDIVIDUS>\n</STS_EDT>\n",
         "La balise de fin </INDIVIDUS> ne correspond pas à la balise de début <DONNEES> de la "
         "ligne 2\r\nLigne: 3\r\n  </INDIVIDUS>"},
        {"premature end", "<STS_EDT>\n<DONNEES>",
         "Fin prématurée des données dans la balise <DONNEES> de la ligne 2\r\nLigne: 2\r\n"
         "<DONNEES>"},
        {"CR LF line ends", "<STS_EDT>\r\n<A>\r\n</B>\r\n</STS_EDT>\r\n",
         "La balise de fin </B> ne correspond pas à la balise de début <A> de la ligne 2\r\n"
         "Ligne: 3\r\n</B>"},
        {"forty characters, not bytes",
         latin15 + "<STS_EDT>\n<A>" + std::string(50, '\xE9') + "</B>\n</STS_EDT>\n",
         "La balise de fin </B> ne correspond pas à la balise de début <A> de la ligne 3\r\n"
         "Ligne: 3\r\n<A>" +
             e37},
        {"content after the root", "<STS_EDT/>\n<STS_EDT/>\n",
         "Contenu en trop après la fin du document\r\nLigne: 2\r\n<STS_EDT/>"},
        {"empty file", "", "Le document est vide\r\nLigne: 1\r\n"},
        {"invalid UTF-8",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<STS_EDT>H\xE9l\xE8ne</STS_EDT>",
         "Erreur de codage des caractères : le texte n'est pas de l'UTF-8 valide\r\nLigne: 2\r\n"
         "<STS_EDT>H\uFFFDl\uFFFDne</STS_EDT>"},
        {"byte undefined in windows-1252",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<STS_EDT>\x81 \x80</STS_EDT>\n",
         "Erreur de codage des caractères : le texte ne respecte pas le codage déclaré\r\n"
         "Ligne: 2\r\n<STS_EDT>\uFFFD €</STS_EDT>"},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"FOO-42\"?>\n<STS_EDT/>\n",
         "Codage des caractères non pris en charge : FOO-42\r\nLigne: 1\r\n"
         "<?xml version=\"1.0\" encoding=\"FOO-42\"?>"},
        {"UTF-16 line", Utf16(u"<STS_EDT>\n<A>\n</B> Hélène €\n</STS_EDT>", false),
         "La balise de fin </B> ne correspond pas à la balise de début <A> de la ligne 2\r\n"
         "Ligne: 3\r\n</B> Hélène €"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<LoadError> error = LoadFailure(folder.Write("case.xml", c.bytes));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(std::string(error->what()), c.message);
    }
}

TEST(StsLoadErrorTest, PartsAreAvailableSeparately) {
    TempFolder folder;
    const std::optional<LoadError> error =
        LoadFailure(folder.Write("x.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n"
                                          "<STS_EDT>\n<A>" +
                                              std::string(50, '\xA4') + "</B>\n"));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Line(), 3);
    EXPECT_EQ(error->Column(), 58); // in characters, just past "</B>"
    EXPECT_EQ(Utf8Length(error->SourceLine()), 40u);
    EXPECT_EQ(error->SourceLine().substr(0, 6), "<A>€");
    EXPECT_EQ(std::string(error->what()),
              error->Reason() + "\r\nLigne: 3\r\n" + error->SourceLine());
}

TEST(StsLoadErrorTest, FileSystemFailures) {
    TempFolder folder;
    struct Case {
        const char* label;
        fs::path file;
        std::string message;
    };
    const std::string path = folder.Path().string();
    const std::string notRegular = " » n'est pas un fichier ordinaire (c'est un périphérique, un "
                                   "tube ou une socket) : choisissez le fichier de l'export "
                                   "lui-même.\r\nLigne: 0\r\n";
    std::vector<Case> cases = {
        {"missing file", folder.Path() / "absent.xml",
         "Le fichier « " + tressal::PathText(folder.Path() / "absent.xml") +
             " » est introuvable\r\nLigne: 0\r\n"},
        {"missing folder", folder.Path() / "absent" / "sts.xml",
         "Le fichier « " + tressal::PathText(folder.Path() / "absent" / "sts.xml") +
             " » est introuvable\r\nLigne: 0\r\n"},
        {"a folder", folder.Path(),
         "« " + path +
             " » est un dossier : choisissez le fichier de l'export qu'il contient "
             "(sts_emp_….xml).\r\nLigne: 0\r\n"},
        {"over the size limit", folder.Path() / "big.xml",
         "« " + (folder.Path() / "big.xml").string() +
             " » est trop gros (600 Mo, au plus 512 Mo) : ce n'est pas un export, ou il "
             "est abîmé ; choisissez le fichier de l'export.\r\nLigne: 0\r\n"},
    };
#ifndef _WIN32 // Windows has no named pipe in its folders and no /dev/zero.
    cases.push_back({"a pipe, which may never end", folder.Path() / "pipe.xml",
                     "« " + path + "/pipe.xml" + notRegular});
    cases.push_back({"a link to an endless device", folder.Path() / "zero.xml",
                     "« " + path + "/zero.xml" + notRegular});
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe.xml").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.Path() / "zero.xml");
#endif
    folder.Write("big.xml", "<STS_EDT/>");
    fs::resize_file(folder.Path() / "big.xml", std::uintmax_t{600} << 20); // sparse
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<LoadError> error = LoadFailure(c.file);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->what(), c.message);
    }
}

int gForeignHandlerCalls = 0;
void ForeignHandler(void* /*context*/, tressal::xml::XmlErrorArgument /*error*/) {
    ++gForeignHandlerCalls;
}

TEST(StsLoadErrorTest, LibxmlPrintsNothingAndTheCallersHandlerComesBack) {
    TempFolder folder;
    xmlSetStructuredErrorFunc(nullptr, &ForeignHandler);
    gForeignHandlerCalls = 0;
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(LoadFailure(folder.Write("a.xml", "<a>\n<b></a>")).has_value());
    EXPECT_TRUE(LoadFailure(folder.Write("b.xml", "<?xml version=\"1.0\" encoding="
                                                  "\"windows-1252\"?>\n<a>\x81</a>"))
                    .has_value());
    // An undeclared prefix is a namespace error only: the document loads.
    EXPECT_FALSE(LoadFailure(folder.Write("c.xml", "<a xmlns:x='u'><x:b y:z='1'/></a>")));
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    EXPECT_EQ(gForeignHandlerCalls, 0);
    EXPECT_EQ(xmlStructuredError, &ForeignHandler);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
}

// --- Encodings ---

TEST(StsEncodingTest, DeclaredEncodingIsHonoured) {
    struct Case {
        const char* label;
        std::string bytes;
        std::string firstName; // UTF-8
    };
    const auto declared = [](const char* encoding, const std::string& name) {
        return std::string("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?>\n" +
               Export({name});
    };
    const std::u16string utf16 = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                 u"<STS_EDT><DONNEES><INDIVIDUS><INDIVIDU>"
                                 u"<PRENOM>Hélène €</PRENOM>"
                                 u"</INDIVIDU></INDIVIDUS></DONNEES></STS_EDT>";
    const std::vector<Case> cases = {
        {"ISO-8859-15", declared("ISO-8859-15", "H\xE9l\xE8ne \xA4"), "Hélène €"},
        {"ISO-8859-1 (0xA4 is the currency sign)", declared("ISO-8859-1", "H\xE9l\xE8ne \xA4"),
         "Hélène ¤"},
        {"windows-1252", declared("windows-1252", "H\xE9l\xE8ne \x80 \x9C"), "Hélène € œ"},
        // Other names of the three, which Windows knows only from the program.
        {"cp1252", declared("cp1252", "H\xE9l\xE8ne \x80"), "Hélène €"},
        {"latin1", declared("latin1", "H\xE9l\xE8ne \xA4"), "Hélène ¤"},
        {"Latin-9", declared("Latin-9", "H\xE9l\xE8ne \xA4"), "Hélène €"},
        {"UTF-8 declared", declared("UTF-8", "Hélène €"), "Hélène €"},
        {"UTF-8 declared ISO-8859-15", declared("ISO-8859-15", "Hélène €"), "Hélène €"},
        {"UTF-8 by default", Export({"Hélène €"}), "Hélène €"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Export({"Hélène €"}), "Hélène €"},
        {"UTF-16LE with BOM", Utf16(utf16, false), "Hélène €"},
        {"UTF-16BE with BOM", Utf16(utf16, true), "Hélène €"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FirstName(folder.Write(std::string(c.label) + ".xml", c.bytes)), c.firstName);
    }
}

// Every byte of ISO-8859-15 decodes as the system's iconv decodes it, in a
// text long enough to fill the parser's buffers many times over.
TEST(StsEncodingTest, Latin9DecodesEveryByteAsIconvDoes) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no iconv to compare with; the Linux run compares the same table";
#else
    std::string latin9;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte != '<' && byte != '&') {
            latin9 += static_cast<char>(byte);
        }
    }
    for (int i = 0; i < 50000; ++i) {
        latin9 += "\xA4\xE9\xBD a";
    }
    iconv_t converter = iconv_open("UTF-8", "ISO-8859-15");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    std::string expected(latin9.size() * 3, '\0');
    char* in = latin9.data();
    std::size_t inLeft = latin9.size();
    char* out = expected.data();
    std::size_t outLeft = expected.size();
    ASSERT_NE(iconv(converter, &in, &inLeft, &out, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(converter);
    expected.resize(expected.size() - outLeft);

    const tressal::xml::XmlDocPtr doc = tressal::xml::ParseXml(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n<STS_EDT>" + latin9 + "</STS_EDT>");
    EXPECT_EQ(tressal::xml::XmlNode(xmlDocGetRootElement(doc.get())).Value(), expected);
#endif
}

// --- Hostile inputs ---

std::string BillionLaughs() {
    std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE STS_EDT [\n<!ENTITY lol0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        xml += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) {
            xml += "&lol" + std::to_string(i - 1) + ";";
        }
        xml += "\">\n";
    }
    return xml + "]>\n<STS_EDT>&lol9;</STS_EDT>\n";
}

std::string Nested(int depth) {
    std::string xml;
    xml.reserve(static_cast<std::size_t>(depth) * 7);
    for (int i = 0; i < depth; ++i) {
        xml += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        xml += "</a>";
    }
    return xml;
}

std::string Garbage() {
    std::string bytes(4096, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

TEST(StsHostileInputTest, EachEndsInALoadError) {
    TempFolder folder;
    const std::string secret = "SECRET-4711";
    const fs::path secretFile = folder.Write("secret.txt", secret);
    const fs::path secretDtd =
        folder.Write("secret.dtd", "<!ENTITY leak SYSTEM \"" + secretFile.string() + "\">");
    // file:///tmp/… or file:///C:/…
    const std::string secretPath = secretFile.generic_string();
    const std::string secretUrl =
        "file://" + std::string(secretPath[0] == '/' ? "" : "/") + secretPath;
    struct Case {
        const char* label;
        std::string bytes;
        std::optional<std::string> reason; // nullopt: any reason
        int line = 0;
    };
    const std::vector<Case> cases = {
        {"billion laughs", BillionLaughs(), kEntitiesRefused, 2},
        {"external entity",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE STS_EDT [\n<!ENTITY leak SYSTEM \"" + secretUrl +
             "\">\n]>\n<STS_EDT>&leak;</STS_EDT>\n",
         kEntitiesRefused, 2},
        {"external parameter entity",
         "<!DOCTYPE STS_EDT [<!ENTITY % leak SYSTEM \"" + secretUrl + "\"> %leak;]>\n<STS_EDT/>",
         kEntitiesRefused, 1},
        {"unparsed entity",
         "<!DOCTYPE STS_EDT [<!NOTATION n SYSTEM \"n\"><!ENTITY u SYSTEM \"" + secretUrl +
             "\" NDATA n>]>\n<STS_EDT/>",
         kEntitiesRefused, 1},
        {"external DTD",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE STS_EDT SYSTEM \"" + secretDtd.string() +
             "\">\n<STS_EDT>&leak;</STS_EDT>\n",
         "Les DTD externes ne sont pas acceptées", 2},
        {"100,000 levels", Nested(100000),
         "Imbrication des éléments trop profonde (plus de 256 niveaux)", 1},
        {"binary garbage", Garbage(), std::nullopt},
        {"NUL bytes", std::string("<STS_EDT>\0\0</STS_EDT>", 21), std::nullopt},
        {"attribute over libxml2's limit",
         "<STS_EDT>\n<A B=\"" + std::string(10'000'001, 'x') + "\"/></STS_EDT>",
         "Valeur trop longue (plus de 10 000 000 caractères) : le fichier est abîmé ou ce "
         "n'est pas un export ; refaites l'export",
         2},
        {"text over the same bound",
         "<STS_EDT>\n<NOM>" + std::string(5'000'000, 'x') + "<![CDATA[" +
             std::string(5'000'001, 'x') + "]]></NOM></STS_EDT>",
         "Valeur trop longue (plus de 10 000 000 caractères) dans l'élément « NOM » : le fichier "
         "est abîmé ou ce n'est pas un export ; refaites l'export",
         2},
        {"a closed comment over the same bound",
         "<STS_EDT>\n<!--" + std::string(10'000'001, 'x') + "--></STS_EDT>",
         "Commentaire trop long (plus de 10 000 000 caractères) : le fichier est abîmé ou ce "
         "n'est pas un export ; refaites l'export",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<LoadError> error = LoadFailure(folder.Write("hostile.xml", c.bytes));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(std::string(error->what()).find(secret), std::string::npos);
        if (c.reason) {
            EXPECT_EQ(error->Reason(), *c.reason);
            EXPECT_EQ(error->Line(), c.line);
        }
    }
}

TEST(StsHostileInputTest, DepthBelowTheLimitLoads) {
    TempFolder folder;
    EXPECT_FALSE(LoadFailure(folder.Write("deep.xml", Nested(200))).has_value());
}

TEST(StsHostileInputTest, InternalSubsetWithoutEntitiesLoads) {
    TempFolder folder;
    const fs::path file = folder.Write(
        "dtd.xml", "<!DOCTYPE STS_EDT [\n<!ELEMENT STS_EDT ANY>\n]>\n" + Export({"Flore"}));
    EXPECT_EQ(FirstName(file), "Flore");
}

TEST(StsHostileInputTest, GzipFileIsNotDecompressed) {
    // compressed.xml is sample.xml through gzip; the sample itself loads.
    EXPECT_FALSE(LoadFailure(kData / "sts" / "sample.xml").has_value());
    const std::optional<LoadError> error = LoadFailure(kData / "sts" / "compressed.xml");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Line(), 1);
}

TEST(StsHostileInputTest, PercentInFileNameIsTakenLiterally) {
    TempFolder folder;
    const fs::path percent = folder.Write("sts%41.xml", Export({"Percent"}));
    folder.Write("stsA.xml", Export({"Lettre A", "Lettre A bis"}));
    ASSERT_EQ(Read(percent).persons.size(), 1u);
    EXPECT_EQ(FirstName(percent), "Percent");

    folder.Write("onlyB.xml", Export({"B"}));
    const std::optional<LoadError> error = LoadFailure(folder.Path() / "only%42.xml");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Reason(),
              "Le fichier « " + (folder.Path() / "only%42.xml").string() + " » est introuvable");
}

} // namespace
