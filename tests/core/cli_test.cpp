#include "cli/cli.h"
#include "cli/terminal.h"
#include "conversions/conversion.h"
#include "conversions/report_text.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"
#include "version.h"

#include "failing_device.h"
#include "program_runner.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tressal::cli {
namespace {

using test::EntriesBelow;
using test::ExportBytes;
using test::ReadBytes;
using test::SconetHeader;
using test::StudentLine;
using test::TempFolder;
using test::WriteBytes;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = Run(args, out, err);
    return {code, out.str(), err.str()};
}

// Exit code of the real program run with these arguments, its output discarded.
int RunProgram(const std::vector<std::string>& args) {
    return test::RunProgram(TRESSAL_CLI, args).code;
}

class CliTest : public testing::Test {
protected:
    // Writes an export of that name into the input folder and returns its path.
    std::string Export(const std::string& name, const std::vector<std::string>& lines) {
        const auto file = input_ / name;
        WriteBytes(file, ExportBytes(lines));
        return file.string();
    }

    TempFolder input_;
    TempFolder root_;
};

TEST_F(CliTest, StudentsToOrlaneWriteTheFileBelowTheRoot) {
    const auto input =
        Export("0123456A.csv", {SconetHeader(), StudentLine("MARTIN", "Zo\xE9"),
                                StudentLine("L\xC9ON", "Jean", "12/03/1995", "3\xE8me B")});
    const Outcome outcome = RunCli({"eleves-orlane", input, "--root", root_.path().string()});
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const auto output = root_ / "Orlane/0123456A/Eleves/0123456A.txt";
    EXPECT_EQ(EntriesBelow(root_.path()),
              (std::vector<std::string>{"Orlane", "Orlane/0123456A", "Orlane/0123456A/Eleves",
                                        "Orlane/0123456A/Eleves/0123456A.txt"}));
    EXPECT_EQ(ReadBytes(output), "LEON,JEAN,19950312,M,XX,XX,OUI,3B,,9999999Z\r\n"
                                 "MARTIN,ZOE,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n");
    const std::string done = "L'extraction des \xC3\xA9l\xC3\xA8ves pour l'\xC3\xA9tablissement "
                             "0123456A est termin\xC3\xA9"
                             "e\n";
    EXPECT_EQ(outcome.out, done + PathText(output) + "\n");
}

TEST_F(CliTest, CodeKeepsItsCaseAndAnExistingFileIsReplaced) {
    const auto input = Export("0123456a.CSV", {SconetHeader()});
    const auto output = root_ / "Orlane/0123456a/Eleves/0123456a.txt";
    std::filesystem::create_directories(output.parent_path());
    WriteBytes(output, "ancien contenu\r\n");
    const Outcome outcome =
        RunCli({"eleves-orlane", input, "--root=" + root_.path().string(), "--allow-empty"});
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "");
    EXPECT_NE(outcome.out.find("0123456a est termin"), std::string::npos) << outcome.out;
}

// An export that lists no one replaces a file that lists people only with
// --allow-empty; where no file lists anyone, it is written as it stands.
TEST_F(CliTest, AnEmptyResultEmptiesAFileListingPeopleOnlyWhenAllowed) {
    const std::string csv = Export("0123456A.csv", {SconetHeader()});
    WriteBytes(input_ / "sts_emp_0123456A_2026.xml",
               "<STS_EDT><DONNEES><INDIVIDUS></INDIVIDUS></DONNEES></STS_EDT>");
    const std::string sts = (input_ / "sts_emp_0123456A_2026.xml").string();
    struct Case {
        const char* name;
        std::string input;
        const char* conversion;
        const char* output;   // below the root
        const char* existing; // nullptr: no file there
        bool allowed;
        int code;
    };
    const Case cases[] = {
        {"no file", csv, "eleves-vesko", "Vesko/0123456A/Eleves/eleves.txt", nullptr, false, 0},
        {"a header alone", csv, "eleves-vesko", "Vesko/0123456A/Eleves/eleves.txt",
         "INE;N\xB0 Interne;Nom;Pr\xE9nom;Date de naissance;Sexe;Division;Login;Mdp;Option 1\r\n",
         false, 0},
        {"students", csv, "eleves-orlane", "Orlane/0123456A/Eleves/0123456A.txt", "DUPONT,JEAN\r\n",
         false, 1},
        {"students, allowed", csv, "eleves-orlane", "Orlane/0123456A/Eleves/0123456A.txt",
         "DUPONT,JEAN\r\n", true, 0},
        {"teachers", sts, "profs-pmb", "PMB/0123456A/Profs/profspmb.txt", "DUPONT;Jean\r\n", false,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        const auto output = root / c.output;
        if (c.existing) {
            std::filesystem::create_directories(output.parent_path());
            WriteBytes(output, c.existing);
        }
        std::vector<std::string> args = {c.conversion, c.input, "--root", root.path().string()};
        if (c.allowed)
            args.push_back("--allow-empty");
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.code, c.code) << outcome.err;
        if (c.code == 1) {
            EXPECT_EQ(outcome.err,
                      std::string("tressal-cli : L'export choisi ne donne ") +
                          (c.conversion[0] == 'e' ? "aucun élève" : "aucun enseignant") +
                          " : l'enregistrer remplacerait « " + PathText(output) +
                          " », qui en contient, par un fichier vide. Vérifiez que "
                          "vous avez choisi l'export complet. Pour écrire quand même "
                          "le fichier vide, ajoutez --allow-empty.\n");
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(ReadBytes(output), c.existing);
        } else {
            EXPECT_NE(ReadBytes(output), c.existing ? c.existing : "x");
        }
        auto entries = EntriesBelow(root.path());             // three folders and the file, and
        std::erase_if(entries, [](const std::string& entry) { // any replaced one kept
            return entry.starts_with("Historique");
        });
        EXPECT_EQ(entries.size(), 4u);
    }
}

// The real program, its standard output going where it cannot be written:
// whatever it did, it exits 2 and says so.
TEST_F(CliTest, AnOutputThatCannotBeWrittenExitsTwo) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/full and no shell to close the standard output";
#else
    const std::string csv = Export("0123456A.csv", {SconetHeader(), StudentLine("A", "a")});
    const std::string saved = "Orlane/0123456A/Eleves/0123456A.txt";
    struct Case {
        std::vector<std::string> args;
        const char* redirection;
    };
    const Case cases[] = {
        {{"--version"}, ">/dev/full"},
        {{"--version"}, ">&-"},
        {{"eleves-orlane", csv, "--root", root_.path().string()}, ">/dev/full"},
        {{"eleves-orlane", csv, "--root", root_.path().string()}, ">&-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.redirection + testing::PrintToString(c.args));
        std::string command = std::string("'") + TRESSAL_CLI + "'";
        for (const auto& arg : c.args)
            command.append(" '").append(arg).append("'");
        const auto errFile = input_ / "err.txt";
        command += std::string(" ") + c.redirection + " 2>'" + errFile.string() + "'";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
        EXPECT_NE(ReadBytes(errFile).find("impossible d'écrire sur la sortie standard"),
                  std::string::npos)
            << ReadBytes(errFile);
        if (c.args.size() > 1) { // the save itself done, its file whole
            EXPECT_EQ(ReadBytes(root_ / saved), "A,A,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n");
        }
    }
#endif
}

TEST_F(CliTest, InputErrorsWriteNothing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Export("0123456A.txt", {SconetHeader(), StudentLine("A", "a")}),
         "Nom de fichier incorrect"},
        {Export("0123456A.old.csv", {SconetHeader(), StudentLine("A", "a")}),
         "Nom de fichier incorrect"},
        {Export("0123456A.csv", {SconetHeader(23), StudentLine("A", "a")}),
         "Le fichier que vous avez s\xC3\xA9lectionn\xC3\xA9 est incorrect. Il ne comporte que 23 "
         "Champs. L'extracteur necessite 22 champs"},
        {Export("0123456B.csv", {}), "Indice de liste hors limites (0)"},
        {(input_ / "7654321Z.csv").string(), "Impossible d'ouvrir le fichier"},
    };
    for (const auto& [input, message] : cases) {
        for (const std::string option : {"", "--report", "--dry-run"}) {
            SCOPED_TRACE(input + " " + option);
            std::vector<std::string> args = {"eleves-orlane", input, "--root",
                                             root_.path().string()};
            if (!option.empty())
                args.push_back(option);
            const Outcome outcome = RunCli(args);
            EXPECT_EQ(outcome.code, 1);
            EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
            EXPECT_EQ(outcome.out, "");
            EXPECT_TRUE(EntriesBelow(root_.path()).empty());
        }
    }
}

// Damaged and hostile inputs, and a root that cannot be written: exit 1, the
// message in plain lines (no CR, no "Ligne: 0"), nothing written.
TEST_F(CliTest, RefusalsPrintPlainLinesAndWriteNothing) {
    namespace fs = std::filesystem;
    const auto in = [&](const char* name) { return (input_ / name).string(); };
    const auto shown = [&](const fs::path& path) { return PathText(path); };
    const std::string root = root_.path().string();
    const std::string notRegular = " » n'est pas un fichier ordinaire (c'est un périphérique, un "
                                   "tube ou une socket) : choisissez le fichier de l'export "
                                   "lui-même.\n";
    fs::create_directory(input_ / "sts_emp_0123456B_2026.xml");
    WriteBytes(input_ / "0123456C.csv", SconetHeader() + "\r\n" + StudentLine("A", "a") +
                                            std::string("\0\r\n", 3) + StudentLine("B", "b") +
                                            "\r\n");
    WriteBytes(input_ / "sts_emp_0123456C_2026.xml", "<STS_EDT><DONNEES>");
    const auto good = Export("0123456D.csv", {SconetHeader(), StudentLine("A", "a")});
    WriteBytes(input_ / "file", "");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    std::vector<Case> cases = {
        {{"eleves-bcdi", in("0123456C.csv")},
         "Le fichier contient un caractère nul à la ligne 2 : il est abîmé ou ce n'est pas un "
         "export texte.\n"},
        {{"profs-vesko", in("sts_emp_0123456B_2026.xml")},
         "« " + shown(input_ / "sts_emp_0123456B_2026.xml") +
             " » est un dossier : choisissez le fichier de l'export qu'il contient "
             "(sts_emp_….xml).\n"},
        {{"profs-pmb", in("sts_emp_0123456Z_2026.xml")},
         "Le fichier « " + shown(input_ / "sts_emp_0123456Z_2026.xml") + " » est introuvable\n"},
        {{"profs-orlane", in("sts_emp_0123456C_2026.xml")},
         "Fin prématurée des données dans la balise <DONNEES> de la ligne 1\nLigne: 1\n"
         "<STS_EDT><DONNEES>\n"},
        {{"eleves-vesko", good, "--root", in("file")},
         "Impossible de créer le dossier \"" +
             shown(input_ / "file" / "Vesko" / "0123456D" / "Eleves") +
             "\". Un élément du chemin n'est pas un dossier. "
             "Choisissez un dossier de sortie où vous pouvez écrire.\n"},
    };
#ifndef _WIN32 // Windows has no named pipe in its folders, no /dev/zero, and no mode bits.
    ASSERT_EQ(::mkfifo((input_ / "0123456A.csv").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((input_ / "sts_emp_0123456A_2026.xml").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", input_ / "0123456B.csv");
    for (const char* special : {"0123456A.csv", "0123456B.csv", "sts_emp_0123456A_2026.xml"})
        cases.push_back({{special[0] == 's' ? "profs-orlane" : "eleves-orlane", in(special)},
                         "« " + shown(input_ / special) + notRegular});
    if (::geteuid() != 0) { // permissions bind every user but the superuser
        fs::permissions(root_.path(), fs::perms::owner_read | fs::perms::owner_exec);
        cases.push_back({{"eleves-orlane", good},
                         "Impossible de créer le dossier \"" + root +
                             "/Orlane/0123456D/Eleves\". Accès refusé. Choisissez un dossier de "
                             "sortie où vous pouvez écrire.\n"});
    }
#endif
    for (Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        if (c.args.size() == 2)
            c.args.insert(c.args.end(), {"--root", root});
        const Outcome outcome = RunCli(c.args);
        EXPECT_EQ(outcome.code, 1);
        EXPECT_EQ(outcome.err, "tressal-cli : " + c.err);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(EntriesBelow(root_.path()).empty());
    }
    fs::permissions(root_.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(input_ / "file"), "");
}

// A usage error says first what is wrong, then gives the usage, and exits 2.
TEST_F(CliTest, BadArgumentsSayWhatIsWrongThenPrintTheUsage) {
    const auto input = Export("0123456A.csv", {SconetHeader()});
    const std::string root = root_.path().string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "il manque la conversion et l'export à convertir"},
        {{"eleves-orlane"}, "il manque l'export à convertir"},
        {{"inconnue", input, "--root", root}, "conversion inconnue « inconnue »"},
        {{"eleves-orlane", input, "--root"}, "l'option « --root » attend une valeur"},
        {{"eleves-orlane", input, "--root="}, "l'option « --root » attend une valeur"},
        {{"eleves-orlane", input, "--racine", root}, "option inconnue « --racine »"},
        {{"eleves-orlane", "-x", input}, "option inconnue « -x »"},
        {{"eleves-orlane", input, input, "--root", root}, "argument en trop « " + input + " »"},
        {{"eleves-orlane", input, "--dry-run", "--format", "xml"},
         "format inconnu « xml » (texte ou json)"},
        {{"eleves-orlane", input, "--format=json"},
         "--format ne s'emploie qu'avec --dry-run ou --report"},
        {{"profs-orlane-cite", "-"}, "« profs-orlane-cite » lit un dossier, pas l'entrée standard"},
        {{"eleves-orlane", input, "--code", "0123456A"},
         "--code ne s'emploie qu'avec l'entrée standard (ENTREE « - »)"},
    };
    for (const auto& [args, problem] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.code, 2);
        EXPECT_TRUE(outcome.err.starts_with("tressal-cli : " + problem + "\nUsage : tressal-cli "))
            << outcome.err;
        EXPECT_NE(outcome.err.find("eleves-orlane"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(EntriesBelow(root_.path()).empty());
    }
}

TEST_F(CliTest, HelpAndVersionAnswerOnStandardOutputAndWriteNothing) {
    const auto input = Export("0123456A.csv", {SconetHeader(), StudentLine("A", "a")});
    const std::string root = root_.path().string();
    const std::string version = std::string("tressal-cli ") + kVersion + "\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--version"}, version},
        {{"eleves-orlane", input, "--root", root, "--version"}, version},
        {{"--help"}, "Usage : tressal-cli CONVERSION"},
        {{"eleves-orlane", input, "--help", "--root", root}, "profs-orlane-cite"},
        {{"--version", "--help"}, "  -V, --version "},
        {{"-V"}, version},
        {{"eleves-orlane", "-h"}, "  -h, --help "},
        {{"--foo", "-h"}, "Usage : tressal-cli CONVERSION"},
    };
    for (const auto& [args, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.code, 0);
        EXPECT_NE(outcome.out.find(expected), std::string::npos) << outcome.out;
        EXPECT_EQ(outcome.err, "");
        EXPECT_TRUE(EntriesBelow(root_.path()).empty());
    }
    EXPECT_TRUE(std::string(kVersion).find_first_not_of("0123456789.") == std::string::npos &&
                std::isdigit(static_cast<unsigned char>(kVersion[0])))
        << kVersion;
}

TEST_F(CliTest, TheProgramExitsWithTheSameCodes) {
    const std::string root = root_.path().string();
    const auto good = Export("0123456A.csv", {SconetHeader(), StudentLine("A", "a")});
    const auto badName = Export("0123456A.txt", {SconetHeader(), StudentLine("A", "a")});
    EXPECT_EQ(RunProgram({}), 2);
    EXPECT_EQ(RunProgram({"eleves-orlane", badName, "--root", root}), 1);
    EXPECT_TRUE(EntriesBelow(root_.path()).empty());
    // After "--", "--help" is an input: an incorrect name.
    EXPECT_EQ(RunProgram({"eleves-orlane", "--", "--help"}), 1);
    EXPECT_EQ(RunProgram({"--root", root, "eleves-orlane", "--", good}), 0);
    EXPECT_EQ(ReadBytes(root_ / "Orlane/0123456A/Eleves/0123456A.txt"),
              "A,A,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n");
}

// Paths as the user types them, with letters outside the Windows code page
// and either separator: the program opens them, and prints the file it wrote
// with the system's own separator throughout.
TEST_F(CliTest, TheProgramTakesAccentedPathsAndPrintsThemWithOneSeparator) {
    namespace fs = std::filesystem;
    const fs::path folder = input_ / PathFromText("C\xC5\x93ur \xE2\x82\xAC \xE2\x80\x99");
    const fs::path root = root_ / PathFromText("\xC5\x92uvre \xC3\xA9l\xC3\xA8ves");
    fs::create_directories(folder);
    fs::create_directories(root);
    WriteBytes(folder / "0123456A.csv", ExportBytes({SconetHeader(), StudentLine("A", "a")}));
    const auto typed = [](const fs::path& path) {
        const std::u8string text = path.generic_u8string();
        return std::string(text.begin(), text.end());
    };
    const test::ProgramOutcome outcome = test::RunProgram(
        TRESSAL_CLI, {"eleves-orlane", typed(folder / "0123456A.csv"), "--root", typed(root)});
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    const fs::path written = root / "Orlane" / "0123456A" / "Eleves" / "0123456A.txt";
    EXPECT_EQ(ReadBytes(written), "A,A,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n");
    const std::u8string native = written.u8string();
    std::string out = outcome.out;
    std::erase(out, '\r'); // Windows ends the lines with CR LF
    EXPECT_TRUE(out.ends_with("\n" + std::string(native.begin(), native.end()) + "\n"))
        << outcome.out;
}

// A save that fails prints why and exits 1 with every old file kept and no
// temporary file left. The Vesko fixed copy is the proposed file, written once:
// a second write would fail, but none is made.
TEST_F(CliTest, AFailedSaveKeepsTheOldFiles) {
    using Step = test::FailingDevice::Step;
    const auto students = Export("0123456A.csv", {SconetHeader(), StudentLine("A", "a")});
    const auto samples = std::filesystem::path(TRESSAL_TEST_DATA) / "../../samples";
    std::filesystem::create_directory(input_ / "cite");
    std::filesystem::copy_file(samples / "sts_emp_0123456A_2026.xml", input_ / "cite/STS_a.xml");
    std::filesystem::copy_file(samples / "sts_emp_0234567B_2026.xml", input_ / "cite/STS_b.xml");
    struct Case {
        std::string conversion;
        std::string input;
        Step failing;
        int at;
        std::vector<std::string> files; // below the root, there before the save
        const char* failingFile;        // nullptr: saved
    };
    const Case cases[] = {
        {"eleves-orlane",
         students,
         Step::Write,
         1,
         {"Orlane/0123456A/Eleves/0123456A.txt"},
         "Orlane/0123456A/Eleves/0123456A.txt"},
        {"profs-orlane-cite",
         (input_ / "cite").string(),
         Step::Write,
         2,
         {"Orlane/Profs/profs.txt", "Litiges.txt"},
         "Litiges.txt"},
        {"profs-orlane-cite",
         (input_ / "cite").string(),
         Step::Rename,
         2,
         {"Orlane/Profs/profs.txt", "Litiges.txt"},
         "Litiges.txt"},
        {"eleves-vesko", students, Step::Write, 2, {"Vesko/0123456A/Eleves/eleves.txt"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.conversion);
        TempFolder root;
        for (const auto& file : c.files) {
            std::filesystem::create_directories((root / file).parent_path());
            WriteBytes(root / file, "ancien\r\n");
        }
        test::FailingDevice device(c.failing, c.at);
        std::ostringstream out;
        std::ostringstream err;
        const int code =
            cli::Run({c.conversion, c.input, "--root", root.path().string()}, out, err, device);
        if (c.failingFile) {
            EXPECT_EQ(code, 1);
            EXPECT_EQ(out.str(), "");
            EXPECT_EQ(err.str(), "tressal-cli : Impossible de cr\xC3\xA9"
                                 "er le fichier \"" +
                                     PathText(root / c.failingFile) +
                                     "\". Espace insuffisant sur le disque.\n");
        } else {
            EXPECT_EQ(code, 0) << err.str();
        }
        for (const auto& file : c.files) {
            const std::string bytes = ReadBytes(root / file);
            EXPECT_EQ(bytes == "ancien\r\n", c.failingFile != nullptr) << file;
            if (!c.failingFile) { // the fixed form
                EXPECT_FALSE(bytes.ends_with("\n")) << file;
            }
        }
        for (const auto& entry : EntriesBelow(root.path()))
            EXPECT_EQ(entry.find(".tressal"), std::string::npos) << entry;
    }
}

// Every file below the folder with its bytes.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : EntriesBelow(folder))
        files[entry] = std::filesystem::is_regular_file(folder / entry) ? ReadBytes(folder / entry)
                                                                        : "(dossier)";
    return files;
}

// The value of the report line "key<TAB>value", or "" when there is none.
std::string ReportValue(const std::string& out, const std::string& key) {
    const auto at = out.find("\n" + key + "\t");
    if (at == std::string::npos)
        return "";
    const auto start = at + key.size() + 2;
    return out.substr(start, out.find('\n', start) - start);
}

// --report writes the bytes written without it and prints the same lines
// first; --dry-run then leaves the folder tree as it is, and finds the file it
// would replace unchanged.
TEST_F(CliTest, DryRunWritesNothingAndReportWritesTheSameBytes) {
    const std::filesystem::path samples(TRESSAL_SAMPLES);
    const auto csv = input_ / "0123456A.csv";
    std::filesystem::copy_file(samples / "0123456A.csv", csv);
    struct Case {
        const char* conversion;
        std::filesystem::path input;
        const char* file; // below the root
        bool header;
        const char* read;
    };
    const Case cases[] = {
        {"eleves-orlane", csv, "Orlane/0123456A/Eleves/0123456A.txt", false, "20"},
        {"eleves-vesko", csv, "Vesko/0123456A/Eleves/eleves.txt", true, "20"},
        {"eleves-pmb", csv, "PMB/0123456A/Eleves/elevespmb.txt", false, "20"},
        {"eleves-bcdi", csv, "BCDI/0123456A/Eleves/elevesBCDI.csv", true, "20"},
        {"profs-orlane", samples / "sts_emp_0123456A_2026.xml", "Orlane/0123456A/Profs/profs.txt",
         false, "30"},
        {"profs-vesko", samples / "sts_emp_0234567B_2026.xml", "Vesko/0234567B/Profs/profs.txt",
         true, "15"},
        {"profs-pmb", samples / "sts_emp_0123456A_2026.xml", "PMB/0123456A/Profs/profspmb.txt",
         false, "30"},
        {"profs-orlane-cite", input_ / "cite", "Orlane/Profs/profs.txt", false, "45"},
    };
    std::filesystem::create_directory(input_ / "cite");
    for (const char* name : {"sts_emp_0123456A_2026.xml", "sts_emp_0234567B_2026.xml"})
        std::filesystem::copy_file(samples / name, input_ / "cite" / name);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.conversion);
        TempFolder root;
        const std::vector<std::string> args = {c.conversion, c.input.string(), "--root",
                                               root.path().string()};
        const Outcome plain = RunCli(args);
        ASSERT_EQ(plain.code, 0) << plain.err;
        const auto written = FilesBelow(root.path());
        for (const char* target : {"Orlane", "Vesko", "PMB", "BCDI", "Litiges.txt"})
            std::filesystem::remove_all(root / target);
        ASSERT_TRUE(EntriesBelow(root.path()).empty());

        auto withReport = args;
        withReport.push_back("--report");
        const Outcome reported = RunCli(withReport);
        ASSERT_EQ(reported.code, 0) << reported.err;
        EXPECT_EQ(FilesBelow(root.path()), written);
        EXPECT_TRUE(reported.out.starts_with(plain.out)) << reported.out;
        const std::size_t lines = SplitLines(written.at(c.file)).size() - (c.header ? 1 : 0);
        EXPECT_EQ(ReportValue(reported.out, "ecrits"), std::to_string(lines));
        EXPECT_EQ(ReportValue(reported.out, "lus"), c.read);

        auto dryRun = args;
        dryRun.push_back("--dry-run");
        const Outcome simulated = RunCli(dryRun);
        EXPECT_EQ(simulated.code, 0) << simulated.err;
        EXPECT_EQ(FilesBelow(root.path()), written);
        EXPECT_TRUE(simulated.out.starts_with("simulation\t" + PathText(root / c.file) + "\n"))
            << simulated.out;
        EXPECT_EQ(ReportValue(simulated.out, "ecrits"), std::to_string(lines));
        EXPECT_EQ(ReportValue(simulated.out, "fichier-existant"), PathText(root / c.file));
        EXPECT_EQ(ReportValue(simulated.out, "inchangees"), std::to_string(lines));
        EXPECT_EQ(ReportValue(simulated.out, "ajouts"), "0");

        TempFolder empty; // nothing to replace: no comparison, no folder made
        const Outcome first =
            RunCli({c.conversion, c.input.string(), "--dry-run", "--root", empty.path().string()});
        EXPECT_EQ(first.code, 0) << first.err;
        EXPECT_TRUE(EntriesBelow(empty.path()).empty());
        EXPECT_EQ(ReportValue(first.out, "ecrits"), std::to_string(lines));
        EXPECT_EQ(first.out.find("fichier-existant"), std::string::npos);
    }
}

// The real program, its standard input from a file: exit code, standard
// output and standard error.
Outcome RunWithInput(const std::vector<std::string>& args, const std::filesystem::path& input) {
    const test::ProgramOutcome outcome = test::RunProgram(TRESSAL_CLI, args, input);
    return {outcome.code, outcome.out, outcome.err};
}

// The JSON report, parsed back by Python's json module and told one fact a
// line (places and names as JSON, keys sorted).
std::string ParsedBack(const std::string& json, const std::filesystem::path& scratch) {
    WriteBytes(scratch / "report.json", json);
    const char* script =
        "import json,os,sys\n"
        "d=json.load(open(sys.argv[1],encoding='utf-8'))\n"
        "j=lambda x: json.dumps(x,ensure_ascii=False,sort_keys=True)\n"
        "print(d['simulation'],os.path.basename(d['fichier']),d['message'],d['population'],"
        "d['lus'],d['ecrits'],j(d['ecartes']))\n"
        "for e in d['entrees']: print(e['raison'],j(e['lieu']),j(e['nom']),j(e['prenom']),"
        "j(e['garde']))\n"
        "for w in d['avertissements']: print(w['code'],j(w['lieu']),j(w['nom']),j(w['valeur']),"
        "w['nombre'],w['texte'].split(' ')[0])\n"
        "print(j(d.get('classes',d.get('disciplines'))[:2]))\n"
        "c=d['comparaison']\n"
        "if c: print(c['inchangees'],j(c['ajouts']),j(c['retraits']))\n";
    WriteBytes(scratch / "facts.py", script);
    const std::string command = "python3 '" + (scratch / "facts.py").string() + "' '" +
                                (scratch / "report.json").string() + "' >'" +
                                (scratch / "facts").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << json;
    return ReadBytes(scratch / "facts");
}

// --format json: one object that a JSON parser reads back whole, places as
// facts, names escaped, the comparison with the file it would replace.
TEST_F(CliTest, JsonReportParsesBackWithItsFacts) {
#ifdef _WIN32
    GTEST_SKIP() << "Python's json module reads the report back, and the Windows run has no Python";
#endif
    const std::filesystem::path samples(TRESSAL_SAMPLES);
    std::filesystem::create_directory(input_ / "cite");
    for (const char* name : {"sts_emp_0123456A_2026.xml", "sts_emp_0234567B_2026.xml"})
        std::filesystem::copy_file(samples / name, input_ / "cite" / name);
    const auto csv =
        Export("0123456A.csv", {SconetHeader(), StudentLine("MARTIN", "Zo\xE9"),
                                StudentLine("MARTIN", "Zo\xE9"), StudentLine("", "Sans"),
                                StudentLine("DU\"BOIS\\",
                                            "L\xE9\t\x01"
                                            "a",
                                            "2011", "5B"),
                                "DURAND;Paul"});
    const auto existing = root_ / "Orlane/0123456A/Eleves/0123456A.txt";
    std::filesystem::create_directories(existing.parent_path());
    const std::string before = "ANCIEN,\xC9L\xC8VE,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n"
                               "MARTIN,ZOE,20000101,M,XX,XX,OUI,6A,,9999999Z\r\n";
    WriteBytes(existing, before);
    const std::string root = root_.path().string();
    struct Case {
        std::vector<std::string> args;
        std::string facts;
    };
    const Case cases[] = {
        {{"eleves-orlane", csv, "--dry-run", "--report"},
         "True 0123456A.txt None eleves 5 3 {\"doublon\": 1, \"doublon-cite\": 0, "
         "\"sans-adresse\": 0, \"sans-division\": 0, \"sans-nom\": 1, \"sorti\": 0}\n"
         "doublon {\"ligne\": 3} \"MARTIN\" \"Zoé\" {\"ligne\": 2}\n"
         "sans-nom {\"ligne\": 4} \"\" \"Sans\" null\n"
         "date-de-naissance-incorrecte {\"ligne\": 5} \"DU\\\"BOIS\\\\\" \"2011\" 0 la\n"
         "ligne-courte {\"ligne\": 6} \"DURAND\" \"Paul\" 2 2\n"
         "date-de-naissance-incorrecte {\"ligne\": 6} \"DURAND\" \"Paul\" 0 la\n"
         "[{\"code\": \"5B\", \"nombre\": 1}, {\"code\": \"6A\", \"nombre\": 1}]\n"
         "1 [\"DU\\\"BOIS\\\\,LE\\t\\u0001A,20112011,M,XX,XX,OUI,5B,,9999999Z\", "
         "\"DURAND,PAUL,PaulPaul,Paul,XX,XX,OUI,P,P,Paul\"] "
         "[\"ANCIEN,ÉLÈVE,20000101,M,XX,XX,OUI,6A,,9999999Z\"]\n"},
        {{"eleves-bcdi", (samples / "ExportXML_ElevesAvecAdresses.zip").string(), "--report"},
         "False elevesBCDI.csv L'extraction des élèves BCDI pour l'établissement 0123456A est "
         "terminée eleves 21 19 {\"doublon\": 1, \"doublon-cite\": 0, \"sans-adresse\": 0, "
         "\"sans-division\": 0, "
         "\"sans-nom\": 0, \"sorti\": 1}\n"
         "sorti {\"ELEVE_ID\": \"9020\"} \"LEGRAND\" \"Paul\" null\n"
         "doublon {\"ELEVE_ID\": \"9004\"} \"DUPONT\" \"Jean\" {\"ELEVE_ID\": \"9005\"}\n"
         "[{\"code\": \"3ème A\", \"nombre\": 2}, {\"code\": \"3ème C\", \"nombre\": 2}]\n"},
        {{"profs-orlane-cite", (input_ / "cite").string(), "--dry-run"},
         "True profs.txt None enseignants 45 40 {\"doublon\": 0, \"doublon-cite\": 4, "
         "\"sans-adresse\": 0, \"sans-division\": 0, \"sans-nom\": 1, \"sorti\": 0}\n"
         "sans-nom {\"INDIVIDU\": \"1215\", \"fichier\": \"sts_emp_0123456A_2026.xml\"} \"\" "
         "\"Aurélien\" null\n"
         "doublon-cite {\"INDIVIDU\": \"1202\", \"fichier\": \"sts_emp_0234567B_2026.xml\"} "
         "\"D'ARTOIS\" \"Jérôme\" {\"fichier\": \"sts_emp_0123456A_2026.xml\"}\n"
         "doublon-cite {\"INDIVIDU\": \"2403\", \"fichier\": \"sts_emp_0234567B_2026.xml\"} "
         "\"BÉRARD\" \"Chloé\" {\"fichier\": \"sts_emp_0123456A_2026.xml\"}\n"
         "doublon-cite {\"INDIVIDU\": \"2405\", \"fichier\": \"sts_emp_0234567B_2026.xml\"} "
         "\"de la Tour\" \"Ève\" {\"fichier\": \"sts_emp_0123456A_2026.xml\"}\n"
         "doublon-cite {\"INDIVIDU\": \"2410\", \"fichier\": \"sts_emp_0234567B_2026.xml\"} "
         "\"Dupont\" \"JEAN\" {\"fichier\": \"sts_emp_0123456A_2026.xml\"}\n"
         "[{\"code\": \"L0080\", \"nombre\": 2}, {\"code\": \"L0100\", \"nombre\": 1}]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        auto args = c.args;
        args.insert(args.end(), {"--format", "json", "--root", root});
        const Outcome outcome = RunCli(args);
        ASSERT_EQ(outcome.code, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1) << outcome.out;
        EXPECT_EQ(ParsedBack(outcome.out, input_.path()), c.facts);
    }
    EXPECT_EQ(ReadBytes(existing), before); // --dry-run wins over --report
}

// "-" reads the export from standard input: the same files as from the
// file; a Sconet CSV takes its code from --code, the others carry theirs.
TEST_F(CliTest, StandardInputConvertsLikeTheFile) {
    const std::filesystem::path samples(TRESSAL_SAMPLES);
    const auto csv = samples / "0123456A.csv";
    const auto zip = samples / "ExportXML_ElevesAvecAdresses.zip";
    const auto sts = samples / "sts_emp_0123456A_2026.xml";
    struct Case {
        std::string conversion;
        std::filesystem::path input;
        std::vector<std::string> options;
        std::string err; // "": converted as the file is
    };
    const Case cases[] = {
        {"eleves-bcdi", csv, {"--code", "0123456A"}, ""},
        {"eleves-vesko", zip, {}, ""},
        {"eleves-orlane", zip, {"--code=0123456a"}, ""},
        {"profs-pmb", sts, {}, ""},
        {"eleves-orlane", csv, {}, "tressal-cli : Un export Sconet CSV lu sur l'entrée standard"},
        {"eleves-orlane",
         csv,
         {"--code", "../0123456A"},
         "tressal-cli : « ../0123456A » n'est pas un code d'établissement"},
        {"eleves-orlane",
         zip,
         {"--code", "0999999Z"},
         "tressal-cli : l'export est celui de l'établissement 0123456A, pas de 0999999Z"},
        {"profs-vesko",
         csv,
         {},
         "tressal-cli : Ce fichier est un export des élèves (CSV Sconet), pas un export STS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.conversion + " " + c.input.filename().string());
        TempFolder fromFile;
        TempFolder fromInput;
        std::vector<std::string> args = {c.conversion, "-", "--root", fromInput.path().string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome outcome = RunWithInput(args, c.input);
        if (!c.err.empty()) {
            EXPECT_EQ(outcome.code, 1);
            EXPECT_TRUE(outcome.err.starts_with(c.err)) << outcome.err;
            EXPECT_TRUE(EntriesBelow(fromInput.path()).empty());
            continue;
        }
        EXPECT_EQ(outcome.code, 0) << outcome.err;
        const Outcome reference =
            RunCli({c.conversion, c.input.string(), "--root", fromFile.path().string()});
        ASSERT_EQ(reference.code, 0) << reference.err;
        EXPECT_FALSE(FilesBelow(fromFile.path()).empty());
        EXPECT_EQ(FilesBelow(fromInput.path()), FilesBelow(fromFile.path()));
    }
    // The bound: as many bytes as allowed are read, one more is refused.
    for (const std::size_t size : {std::size_t{100000}, std::size_t{100001}}) {
        std::FILE* in = std::tmpfile();
        ASSERT_NE(in, nullptr);
        const std::string bytes(size, 'x');
        std::fwrite(bytes.data(), 1, bytes.size(), in);
        std::rewind(in);
        if (size == 100000)
            EXPECT_EQ(ReadStandardInput(in, 100000), bytes);
        else
            EXPECT_THROW(ReadStandardInput(in, 100000), Error);
        std::fclose(in);
    }
}

// The line of the text that starts with the prefix, or "".
std::string LineStarting(const std::string& text, const std::string& prefix) {
    for (const auto& line : SplitLines(text))
        if (line.starts_with(prefix))
            return line;
    return "";
}

// What the desktop, the package and the manual pages say: what the program
// reads today, every code the report can give, every sample, one main
// category, one wording of the SIECLE menu path, the licence at the root.
TEST(PublishedTextsTest, SayWhatTheProgramReadsAndGives) {
    const auto source = std::filesystem::path(TRESSAL_SAMPLES).parent_path();
    const std::string cliPage = ReadBytes(source / "packaging/tressal-cli.1.in");
    const std::string appPage = ReadBytes(source / "packaging/tressal.1.in");
    const std::string desktop = ReadBytes(source / "packaging/app.desktop.in");
    const std::string metainfo = ReadBytes(source / "packaging/app.metainfo.xml.in");
    const std::string install = ReadBytes(source / "cmake/Install.cmake");
    const std::string lines[] = {
        LineStarting(desktop, "Comment="),
        LineStarting(desktop, "Keywords="),
        LineStarting(metainfo, "  <summary>"),
        LineStarting(install, "    \"conversion des exports"),
        LineStarting(cliPage, "tressal\\-cli \\- "),
        LineStarting(appPage, "tressal \\- "),
    };
    for (const auto& line : lines)
        EXPECT_NE(line.find("SIECLE"), std::string::npos) << "«" << line << "»";

    const auto roff = [](const std::string& code) { // ".B sans\\-nom"
        std::string line = ".B ";
        for (const char c : code)
            line += c == '-' ? std::string("\\-") : std::string(1, c);
        return line + "\n";
    };
    for (const EntryReason reason : kEntryReasons)
        EXPECT_NE(cliPage.find(roff(ReasonCode(reason))), std::string::npos) << ReasonCode(reason);
    for (int kind = 0; kind <= static_cast<int>(WarningKind::ExistingFileUnreadable); ++kind) {
        const char* code = WarningCode(static_cast<WarningKind>(kind));
        EXPECT_NE(cliPage.find(roff(code)), std::string::npos) << code;
    }
    const std::string files = cliPage.substr(cliPage.find(".SH FICHIERS"));
    for (const auto& sample : std::filesystem::directory_iterator(TRESSAL_SAMPLES))
        EXPECT_NE(files.find(sample.path().filename().string()), std::string::npos)
            << sample.path();

    const char* mainCategories[] = {"AudioVideo", "Audio",    "Video",   "Development", "Education",
                                    "Game",       "Graphics", "Network", "Office",      "Science",
                                    "Settings",   "System",   "Utility"};
    std::vector<std::string> categories;
    std::istringstream categoryList(LineStarting(desktop, "Categories=").substr(11));
    for (std::string category; std::getline(categoryList, category, ';');)
        categories.push_back(category);
    EXPECT_EQ(std::count_if(categories.begin(), categories.end(),
                            [&](const std::string& category) {
                                return std::find(std::begin(mainCategories),
                                                 std::end(mainCategories),
                                                 category) != std::end(mainCategories);
                            }),
              1)
        << LineStarting(desktop, "Categories=");

    const std::string hints = ReadBytes(source / "src/app/window_table.cpp");
    const auto start = hints.find("Exploitation");
    ASSERT_NE(start, std::string::npos);
    const std::string menuPath = hints.substr(start, hints.find(')', start) - start);
    for (const char* file : {"README.md", "packaging/tressal-cli.1.in", "packaging/tressal.1.in"})
        EXPECT_NE(ReadBytes(source / file).find(menuPath), std::string::npos)
            << file << " : " << menuPath;

    EXPECT_TRUE(ReadBytes(source / "LICENSE")
                    .starts_with("                    GNU GENERAL PUBLIC "
                                 "LICENSE\n                       Version 3"));
    EXPECT_NE(ReadBytes(source / "packaging/copyright").find("License: GPL-3+"), std::string::npos);
}

TEST(ConversionTableTest, FindsConversionsByTheirCommandLineName) {
    const Conversion* orlane = FindConversion("eleves-orlane");
    ASSERT_NE(orlane, nullptr);
    EXPECT_EQ(orlane->cliName, "eleves-orlane");
    EXPECT_EQ(orlane->input, InputKind::File);
    EXPECT_EQ(FindConversion("inconnue"), nullptr);
    EXPECT_EQ(FindConversion(""), nullptr);
}

} // namespace
} // namespace tressal::cli
