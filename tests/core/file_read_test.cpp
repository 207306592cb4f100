// The one file reader: what it says went wrong, and how the student exports
// word it.

#include "text/error.h"
#include "text/file_device.h"
#include "text/files.h"

#include "test_support.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace tressal {
namespace {

using test::ErrorOf;
using test::TempFolder;
using test::WriteBytes;

// What the system says of a path that goes on below a file: Windows only
// finds no such path.
#ifdef _WIN32
constexpr int kBelowAFile = ENOENT;
constexpr const char* kBelowAFileReason = "Le fichier ou le dossier est introuvable.";
#else
constexpr int kBelowAFile = ENOTDIR;
constexpr const char* kBelowAFileReason =
    "Un \xC3\xA9l\xC3\xA9ment du chemin n'est pas un dossier.";
#endif

struct ReadCase {
    const char* label;
    std::filesystem::path path;
    std::size_t maxBytes;
    ReadProblem problem;
    int errorNumber;
    std::string bytes;
};

TEST(ReadFileBytesTest, SaysWhatWentWrong) {
    TempFolder folder;
    WriteBytes(folder / "four.txt", "abcd");
    const std::size_t any = static_cast<std::size_t>(-1);
    const std::vector<ReadCase> cases = {
        {"whole file", folder / "four.txt", any, ReadProblem::None, 0, "abcd"},
        {"at the size limit", folder / "four.txt", 4, ReadProblem::None, 0, "abcd"},
        {"over the size limit", folder / "four.txt", 3, ReadProblem::TooBig, 0, ""},
        {"missing", folder / "absent.txt", any, ReadProblem::NotFound, ENOENT, ""},
        {"below a file", folder / "four.txt" / "x", any, ReadProblem::NotFound, kBelowAFile, ""},
        {"a folder", folder.path(), any, ReadProblem::Folder, EISDIR, ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        ReadRules rules;
        rules.maxBytes = c.maxBytes;
        const FileBytes read = ReadFileBytes(c.path, rules);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.errorNumber, c.errorNumber);
        EXPECT_EQ(read.bytes, c.bytes);
    }
}

// A pipe, an endless device and a loop of links: refused before anything is
// read, since they would block or never end.
TEST(ReadWholeFileTest, RefusesWhatIsNotARegularFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipe in its folders, no /dev/zero, and symbolic links "
                    "only with administrator rights";
#else
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "zero.csv");
    std::filesystem::create_symlink("loop.csv", folder / "loop.csv");
    ReadRules rules;
    EXPECT_EQ(ReadFileBytes(folder / "pipe.csv", rules).problem, ReadProblem::SpecialFile);
    const std::string path = PathText(folder.path());
    const std::string notRegular = " » n'est pas un fichier ordinaire (c'est un périphérique, un "
                                   "tube ou une socket) : choisissez le fichier de l'export "
                                   "lui-même.";
    const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "pipe.csv", "« " + path + "/pipe.csv" + notRegular},
        {folder / "zero.csv", "« " + path + "/zero.csv" + notRegular},
        {folder / "loop.csv", "Impossible d'ouvrir le fichier \"" + path +
                                  "/loop.csv\". Le chemin passe par trop de liens symboliques (ils "
                                  "forment sans doute une boucle) : choisissez le fichier "
                                  "lui-même."},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(file); }), message);
    }
#endif
}

TEST(ReadWholeFileTest, WordsEachProblemForTheUser) {
    TempFolder folder;
    WriteBytes(folder / "four.txt", "abcd");
    // Sparse: it takes no room on the disk.
    WriteBytes(folder / "big.csv", "");
    std::filesystem::resize_file(folder / "big.csv", kMaxInputBytes + 1);
    const auto shown = [](const std::filesystem::path& file) { return PathText(file); };
    const std::string cannotOpen = "Impossible d'ouvrir le fichier \"";
    const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "absent.txt", cannotOpen + shown(folder / "absent.txt") +
                                    "\". Le fichier ou le dossier est introuvable."},
        {folder / "four.txt" / "x",
         cannotOpen + shown(folder / "four.txt" / "x") + "\". " + kBelowAFileReason},
        {folder.path(),
         cannotOpen + shown(folder.path()) + "\". Le chemin d\xC3\xA9signe un dossier."},
        {folder / "big.csv", "« " + shown(folder / "big.csv") +
                                 " » est trop gros (513 Mo, au plus 512 Mo) : ce n'est pas "
                                 "un export, ou il est abîmé ; choisissez le fichier de l'export."},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file);
        EXPECT_EQ(ErrorOf([&] { ReadWholeFile(file); }), message);
    }
    EXPECT_EQ(ReadWholeFile(folder / "four.txt"), "abcd");
}

// The words for a system error: French for every error a user may meet, the
// system's own text for the others; an exception that is not an Error
// reaches the user in French too.
TEST(SystemReasonTest, EveryLikelyErrorIsWordedInFrench) {
    for (const int likely : {ENOENT, EACCES,       EPERM,
                             EISDIR, ENOTDIR,      ENOSPC,
                             EROFS,  ENAMETOOLONG, EEXIST,
                             EIO,    ELOOP,        EFBIG,
#ifdef EDQUOT
                             EDQUOT,
#endif
                             ENOMEM, EMFILE,       ENFILE,
                             EBUSY,  ETXTBSY,      ENXIO,
                             ENODEV, ETIMEDOUT,    kHeldByAnotherProgram}) {
        SCOPED_TRACE(likely);
        EXPECT_EQ(SystemReason(likely).find("Erreur système"), std::string::npos);
    }
    EXPECT_EQ(SystemReason(EXDEV),
              "Erreur système " + std::to_string(EXDEV) + " : " + std::strerror(EXDEV) + ".");
    const std::vector<std::pair<std::string, std::string>> messages = {
        {UserMessage(Error("Nom de fichier incorrect")), "Nom de fichier incorrect"},
        {UserMessage(std::bad_alloc()),
         "Mémoire insuffisante pour aller au bout : fermez d'autres programmes et recommencez, "
         "ou vérifiez que le fichier choisi est bien l'export attendu."},
        {UserMessage(std::system_error(EFBIG, std::generic_category())), SystemReason(EFBIG)},
    };
    for (const auto& [message, expected] : messages)
        EXPECT_EQ(message, expected);
}

// A refusal of a file keeps its place through the sentence a caller puts it
// in; the window shows "Ligne: N" and the quote, the terminal only when the
// line is known, and neither shows a CR.
TEST(ErrorTest, FileErrorsKeepTheirPlaceAndEachEdgeFormatsIt) {
    struct Case {
        FileError error;
        std::string window, terminal;
    };
    const std::string before = "La nomenclature ne peut pas être lue : ";
    const std::string after = "\nRemplacez-la.";
    const Case cases[] = {
        {FileError("Balise <A> non fermée", 3, "<A>x", 7),
         before + "Balise <A> non fermée\r\nLigne: 3\r\n<A>x" + after,
         before + "Balise <A> non fermée\nLigne: 3\n<A>x\nRemplacez-la.\n"},
        {FileError("Le fichier est introuvable", 0, ""),
         before + "Le fichier est introuvable\r\nLigne: 0\r\n" + after,
         before + "Le fichier est introuvable\n\nRemplacez-la.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        try {
            ThrowWithin(c.error, before, after);
        } catch (const FileError& wrapped) {
            EXPECT_EQ(wrapped.Line(), c.error.Line());
            EXPECT_EQ(wrapped.Column(), c.error.Column());
            EXPECT_EQ(wrapped.SourceLine(), c.error.SourceLine());
            EXPECT_EQ(wrapped.what(), c.window);
            EXPECT_EQ(UserMessage(wrapped), c.window);
            EXPECT_EQ(TerminalMessage(wrapped), c.terminal);
        }
    }
    EXPECT_THROW(ThrowWithin(Error("Pas un export"), before, after), Error);
    EXPECT_EQ(TerminalMessage(Error("Un\r\nDeux\r\n\r\n")), "Un\nDeux\n");
}

} // namespace
} // namespace tressal
