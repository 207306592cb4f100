#include "cli/cli.h"
#include "conversions/conversion.h"
#include "text/file_io.h"
#include "text/text_list.h"
#include "version.h"

#include "failing_device.h"
#include "program_runner.h"
#include "test_support.h"

#include <gtest/gtest.h>

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
    const Outcome outcome = RunCli({"eleves-orlane", input, "--root=" + root_.path().string()});
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(output), "");
    EXPECT_NE(outcome.out.find("0123456a est termin"), std::string::npos) << outcome.out;
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
        {{"profs-pmb", in("sts_emp_0123456Z_2026.xml")}, "Le fichier est introuvable\n"},
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
        EXPECT_EQ(outcome.err, c.err);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(EntriesBelow(root_.path()).empty());
    }
    fs::permissions(root_.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(input_ / "file"), "");
}

TEST_F(CliTest, BadArgumentsPrintTheUsage) {
    const auto input = Export("0123456A.csv", {SconetHeader()});
    const std::string root = root_.path().string();
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"eleves-orlane"},
        {"inconnue", input, "--root", root},
        {"eleves-orlane", input, "--root"},
        {"eleves-orlane", input, "--root="},
        {"eleves-orlane", input, "--racine", root},
        {"eleves-orlane", input, input, "--root", root},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.code, 2);
        EXPECT_NE(outcome.err.find("Usage"), std::string::npos) << outcome.err;
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
        {{"--version", "--help"}, "  --version "},
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
    EXPECT_EQ(RunProgram({"eleves-orlane", good, "--root", root}), 0);
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
            EXPECT_EQ(err.str(), "Impossible de cr\xC3\xA9"
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
        {"eleves-orlane", csv, "Orlane/0123456A/Eleves/0123456A.txt", false, "21"},
        {"eleves-vesko", csv, "Vesko/0123456A/Eleves/eleves.txt", true, "21"},
        {"eleves-pmb", csv, "PMB/0123456A/Eleves/elevespmb.txt", false, "21"},
        {"eleves-bcdi", csv, "BCDI/0123456A/Eleves/elevesBCDI.csv", true, "21"},
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
