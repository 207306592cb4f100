#include "conversions/save_result.h"

#include "failing_device.h"
#include "test_support.h"
#include "text/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tressal {
namespace {

namespace fs = std::filesystem;
using test::EntriesBelow;
using test::ErrorOf;
using test::FailingDevice;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Step = FailingDevice::Step;

const Converted kResult{"0123456A", {"NOUVEAU,Un", "NOUVEAU,Deux"}, {"DOUBLON,Un"}};

const Conversion& Named(const char* cliName) {
    const Conversion* conversion = FindConversion(cliName);
    if (!conversion)
        throw std::runtime_error(std::string("no conversion ") + cliName);
    return *conversion;
}

// No temporary file and no lock file below the folder.
void ExpectNoLeftovers(const fs::path& folder) {
    for (const auto& entry : EntriesBelow(folder))
        EXPECT_EQ(entry.find(".tressal"), std::string::npos) << entry;
}

struct FailureCase {
    const char* name;
    const char* conversion;
    const char* chosen; // below the test folder; nullptr: the proposed file
    bool oldFiles;      // the files are there before the save
    Step failing;
    int at; // 0: nothing fails
    // Every file of the save below the test folder, with what the save writes.
    std::vector<std::pair<std::string, std::string>> files;
    const char* failingFile; // named by the message; nullptr: saved
};

const char* const kTwoLines = "NOUVEAU,Un\r\nNOUVEAU,Deux\r\n";
const char* const kFixed = "NOUVEAU,Un\r\nNOUVEAU,Deux";
const char* const kStudents = "sorties/Orlane/0123456A/Eleves/0123456A.txt";
const char* const kProfs = "sorties/Orlane/Profs/profs.txt";
const char* const kLitiges = "sorties/Litiges.txt";
const char* const kVesko = "sorties/Vesko/0123456A/Eleves/eleves.txt";

const FailureCase kFailureCases[] = {
    {"one file, write",
     "eleves-orlane",
     nullptr,
     true,
     Step::Write,
     1,
     {{kStudents, kTwoLines}},
     kStudents},
    {"one file, rename",
     "eleves-orlane",
     nullptr,
     true,
     Step::Rename,
     1,
     {{kStudents, kTwoLines}},
     kStudents},
    {"one file, saved",
     "eleves-orlane",
     nullptr,
     true,
     Step::Write,
     0,
     {{kStudents, kTwoLines}},
     nullptr},
    {"two files, first write",
     "profs-orlane-cite",
     nullptr,
     true,
     Step::Write,
     1,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     kProfs},
    {"two files, second write",
     "profs-orlane-cite",
     nullptr,
     true,
     Step::Write,
     2,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     kLitiges},
    {"two files, first rename",
     "profs-orlane-cite",
     nullptr,
     true,
     Step::Rename,
     1,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     kProfs},
    {"two files, second rename",
     "profs-orlane-cite",
     nullptr,
     true,
     Step::Rename,
     2,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     kLitiges},
    {"two new files, second rename",
     "profs-orlane-cite",
     nullptr,
     false,
     Step::Rename,
     2,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     kLitiges},
    {"two files, saved",
     "profs-orlane-cite",
     nullptr,
     true,
     Step::Rename,
     3,
     {{kProfs, kTwoLines}, {kLitiges, "DOUBLON,Un\r\n"}},
     nullptr},
    {"chosen elsewhere, second rename",
     "eleves-vesko",
     "ailleurs.txt",
     true,
     Step::Rename,
     2,
     {{"ailleurs.txt", kTwoLines}, {kVesko, kFixed}},
     kVesko},
    {"chosen elsewhere, saved",
     "eleves-vesko",
     "ailleurs.txt",
     true,
     Step::Write,
     3,
     {{"ailleurs.txt", kTwoLines}, {kVesko, kFixed}},
     nullptr},
};

TEST(SaveResultTest, AFailedSaveKeepsEveryOldFileAndLeavesNoTemporary) {
    for (const FailureCase& c : kFailureCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path root = folder / "sorties";
        for (const auto& [file, bytes] : c.files) {
            fs::create_directories((folder / file).parent_path());
            if (c.oldFiles)
                WriteBytes(folder / file, "ANCIEN " + file);
        }
        FailingDevice device(c.failing, c.at);
        const auto choose = [&](const fs::path& proposed) {
            return c.chosen ? folder / c.chosen : proposed;
        };
        SavedResult saved;
        const std::string error = ErrorOf(
            [&] { saved = SaveResult(Named(c.conversion), kResult, root, choose, device); });
        if (c.failingFile) {
            EXPECT_EQ(error, "Impossible de cr\xC3\xA9"
                             "er le fichier \"" +
                                 PathText(folder / c.failingFile) +
                                 "\". Espace insuffisant sur le disque.");
        } else {
            EXPECT_EQ(error, "");
            ASSERT_EQ(saved.files.size(), c.files.size());
        }
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const auto& [file, bytes] = c.files[i];
            SCOPED_TRACE(file);
            if (!c.failingFile) {
                EXPECT_EQ(saved.files[i], folder / file);
                EXPECT_EQ(ReadBytes(folder / file), bytes);
            } else if (c.oldFiles) {
                EXPECT_EQ(ReadBytes(folder / file), "ANCIEN " + file);
            } else {
                EXPECT_FALSE(fs::exists(folder / file));
            }
        }
        ExpectNoLeftovers(folder.path());
    }
}

// When the chosen file is the fixed copy, however it is spelt, the save
// writes it once, in the fixed form; elsewhere, both files.
TEST(SaveResultTest, VeskoWritesTheChosenFixedCopyOnce) {
    struct Case {
        const char* name;
        fs::path chosen; // below the output folder of the result
        std::vector<std::string> log;
    };
    std::vector<Case> cases = {
        {"proposed", "eleves.txt", {"write eleves.txt", "rename eleves.txt"}},
        {"spelt otherwise", "../Eleves/./eleves.txt", {"write eleves.txt", "rename eleves.txt"}},
        {"elsewhere",
         "../autre.txt",
         {"write autre.txt", "write eleves.txt", "rename autre.txt", "rename eleves.txt"}},
    };
#ifndef _WIN32 // a symbolic link needs administrator rights on Windows
    cases.push_back(
        {"through a link", "../lien/eleves.txt", {"write eleves.txt", "rename eleves.txt"}});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        const fs::path folder = root / "Vesko/0123456A/Eleves";
        fs::create_directories(folder);
#ifndef _WIN32
        fs::create_directory_symlink("Eleves", root / "Vesko/0123456A/lien");
#endif
        FailingDevice device;
        const SavedResult saved = SaveResult(
            Named("eleves-vesko"), kResult, root.path(),
            [&](const fs::path& proposed) { return proposed.parent_path() / c.chosen; }, device);
        EXPECT_EQ(device.log, c.log);
        EXPECT_EQ(saved.files.size(), c.log.size() / 2);
        EXPECT_EQ(ReadBytes(folder / "eleves.txt"), kFixed);
    }
}

// Cancelling the choice writes nothing and leaves no folder the proposal made;
// a proposed folder that cannot be made is refused before anything is asked.
TEST(SaveResultTest, CancelLeavesNoFolderAndAFolderInTheWayIsSaidAtOnce) {
    TempFolder root;
    fs::create_directories(root / "Orlane/Profs");
    for (const char* conversion : {"eleves-orlane", "profs-orlane-cite"}) {
        SCOPED_TRACE(conversion);
        const SavedResult cancelled = SaveResult(Named(conversion), kResult, root.path(),
                                                 [](const fs::path&) { return fs::path(); });
        EXPECT_TRUE(cancelled.files.empty());
        EXPECT_EQ(EntriesBelow(root.path()), (std::vector<std::string>{"Orlane", "Orlane/Profs"}));
    }
    WriteBytes(root / "PMB", "un fichier");
    bool asked = false;
    const std::string message = ErrorOf([&] {
        SaveResult(Named("eleves-pmb"), kResult, root.path(), [&](const fs::path& proposed) {
            asked = true;
            return proposed;
        });
    });
    EXPECT_FALSE(asked);
    EXPECT_EQ(message, "Impossible de créer le dossier \"" +
                           PathText(root / "PMB/0123456A/Eleves") +
                           "\". Un élément du chemin n'est pas un dossier. Choisissez un dossier "
                           "de sortie où vous pouvez écrire.");
}

// A device whose renames wait: the first one after it is done, or before.
class SlowDevice : public FileDevice {
public:
    SlowDevice(std::chrono::milliseconds before, std::chrono::milliseconds after)
        : before_(before), after_(after) {}
    int Rename(const fs::path& from, const fs::path& to) override {
        if (renames_ == 0)
            std::this_thread::sleep_for(before_);
        const int error = FileDevice::Rename(from, to);
        if (renames_++ == 0)
            std::this_thread::sleep_for(after_);
        return error;
    }

private:
    std::chrono::milliseconds before_;
    std::chrono::milliseconds after_;
    int renames_ = 0;
};

// Two saves of a pair of files into one root at once: one waits between its
// two renames, the other renames both in that time. Unserialised, the root
// would end with one file of each.
TEST(SaveResultTest, ConcurrentSavesNeverMixTheirFiles) {
    using std::chrono::milliseconds;
    for (int round = 0; round < 3; ++round) {
        TempFolder root;
        const Conversion& cite = Named("profs-orlane-cite");
        const Converted first{"", {"PREMIER"}, {"PREMIER"}};
        const Converted second{"", {"SECOND"}, {"SECOND"}};
        SlowDevice waitsBetween(milliseconds(0), milliseconds(60));
        SlowDevice waitsBefore(milliseconds(20), milliseconds(0));
        std::thread one([&] { SaveResult(cite, first, root.path(), {}, waitsBetween); });
        std::thread two([&] { SaveResult(cite, second, root.path(), {}, waitsBefore); });
        one.join();
        two.join();
        const std::string profs = ReadBytes(root / "Orlane/Profs/profs.txt");
        EXPECT_TRUE(profs == "PREMIER\r\n" || profs == "SECOND\r\n") << profs;
        EXPECT_EQ(ReadBytes(root / "Litiges.txt"), profs);
        ExpectNoLeftovers(root.path());
    }
}

// A file another program keeps open (Excel keeps its files so, letting others
// read them or not) is named in the message, which says what to do; the old
// file stays as it was and nothing is left beside it.
TEST(SaveResultTest, AFileOpenInAnotherProgramIsNamedAndKept) {
#ifndef _WIN32
    GTEST_SKIP() << "POSIX file locks are advisory: a file open elsewhere never stops a save";
#else
    for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        SCOPED_TRACE(sharing);
        TempFolder root;
        const fs::path file = root / "Orlane" / "0123456A" / "Eleves" / "0123456A.txt";
        fs::create_directories(file.parent_path());
        WriteBytes(file, "ancien\r\n");
        const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const std::string message =
            ErrorOf([&] { SaveResult(Named("eleves-orlane"), kResult, root.path()); });
        CloseHandle(held);
        EXPECT_EQ(message, "Le fichier \"" + PathText(file) +
                               "\" est ouvert dans un autre programme : fermez-le, puis "
                               "enregistrez de nouveau.");
        EXPECT_EQ(ReadBytes(file), "ancien\r\n");
        ExpectNoLeftovers(root.path());
    }
#endif
}

// A temporary file is always a new one: the system's device never writes
// into a file that already bears the name.
TEST(FileDeviceTest, WritesOnlyANewFile) {
    TempFolder folder;
    WriteBytes(folder / "pris.txt", "ancien");
    EXPECT_EQ(SystemFiles().WriteNew(folder / "pris.txt", "nouveau"), EEXIST);
    EXPECT_EQ(ReadBytes(folder / "pris.txt"), "ancien");
    EXPECT_EQ(SystemFiles().WriteNew(folder / "neuf.txt", "nouveau"), 0);
    EXPECT_EQ(ReadBytes(folder / "neuf.txt"), "nouveau");
}

// A long list goes to the file in blocks, never joined: the file holds the
// bytes of the joined list exactly, in both forms, whatever the lines' lengths
// against the blocks (a line longer than a block, empty lines, the last one).
TEST(FileDeviceTest, WritesALongListPieceByPieceAsItsJoinedBytes) {
    TempFolder folder;
    TextList lines;
    for (int i = 0; i < 20000; ++i)
        lines.push_back(std::string(static_cast<std::size_t>(i % 97), char('a' + i % 26)));
    lines.insert(lines.begin() + 7000, std::string(600000, 'x'));
    lines.push_back("");
    for (const bool finalEnd : {true, false}) {
        SCOPED_TRACE(finalEnd);
        const fs::path file = folder / (finalEnd ? "fin.txt" : "sans-fin.txt");
        EXPECT_EQ(SystemFiles().WriteNewInPieces(file, LinePieces(lines, finalEnd)), 0);
        EXPECT_EQ(ReadBytes(file), finalEnd ? JoinLines(lines) : JoinLinesNoFinalEnd(lines));
    }
}

} // namespace
} // namespace tressal
