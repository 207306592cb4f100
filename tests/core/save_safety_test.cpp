// Saves under attack or stopped: planted links, signals, kills.

#include "conversions/save_result.h"
#include "text/temporary_files.h"

#include "test_support.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tressal {
namespace {

#ifdef _WIN32

TEST(SaveSafetyTest, LinksAndSignals) {
    GTEST_SKIP() << "Windows makes no link without the administrator's right, has no fork and "
                    "no SIGTERM or SIGHUP; its temporary files are created with CREATE_NEW";
}

#else

namespace fs = std::filesystem;
using test::EntriesBelow;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const Converted kResult{"0123456A", {"NOUVEAU,Un", "NOUVEAU,Deux"}, {"DOUBLON,Un"}};
const char* const kNewProfs = "NOUVEAU,Un\r\nNOUVEAU,Deux\r\n";

const Conversion& Cite() {
    return *FindConversion("profs-orlane-cite");
}

// The program's temporary names below the folder, links included.
std::vector<std::string> TemporariesBelow(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : EntriesBelow(folder))
        if (IsTemporaryName(entry))
            found.push_back(entry);
    return found;
}

// A device that plants a link at each name the save tries, as someone who
// could guess the names would, for the first three names of each file and
// kind (temporary copy, second name of the previous file, its version kept
// in the history: "<name>.<date-time>", then "_2", "_3"...).
class PlantingDevice : public FileDevice {
public:
    explicit PlantingDevice(fs::path linkTarget) : linkTarget_(std::move(linkTarget)) {}

    int WriteNew(const fs::path& file, std::string_view bytes) override {
        Plant("write", file);
        return FileDevice::WriteNew(file, bytes);
    }
    int AddName(const fs::path& file, const fs::path& name) override {
        Plant("name", name);
        return FileDevice::AddName(file, name);
    }

    std::vector<fs::path> links;

private:
    void Plant(const std::string& kind, const fs::path& name) {
        std::string file = name.filename().string();
        file = file.substr(0, file.find(".tressal-tmp-"));
        if (const auto last = file.find_last_not_of("0123456789");
            last != std::string::npos && file[last] == '_' && last + 1 < file.size())
            file.erase(last);
        if (planted_[kind + file]++ >= 3)
            return;
        fs::create_symlink(linkTarget_, name);
        links.push_back(name);
    }

    fs::path linkTarget_;
    std::map<std::string, int> planted_;
};

TEST(SaveSafetyTest, ALinkPlantedAtATemporaryNameIsNeverWrittenThrough) {
    struct Case {
        const char* name;
        bool targetExists; // the link leads to a file; otherwise nowhere yet
        bool outputIsLink; // the output file itself is a link to that target
    };
    const Case cases[] = {
        {"links to a file", true, false},
        {"dangling links", false, false},
        {"the output itself a link", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path root = folder / "sorties";
        const fs::path profs = root / "Orlane/Profs/profs.txt";
        const fs::path litiges = root / "Litiges.txt";
        const fs::path victim = folder / "victime.txt";
        fs::create_directories(profs.parent_path());
        if (c.targetExists)
            WriteBytes(victim, "VICTIME");
        if (c.outputIsLink)
            fs::create_symlink(victim, profs);
        else
            WriteBytes(profs, "ANCIEN");
        WriteBytes(litiges, "ANCIEN");
        // At the lock files' names too, leading where no file is yet.
        const std::vector<std::pair<fs::path, fs::path>> lockLinks = {
            {root / ".tressal-save.lock", folder / "verrou-1"},
            {profs.parent_path() / ".tressal-save.lock", folder / "verrou-2"}};
        for (const auto& [link, target] : lockLinks)
            fs::create_symlink(target, link);
        PlantingDevice device(victim);

        SaveResult(Cite(), kResult, root, {}, device);

        // Three for each name the save needs: a temporary and a second name
        // for each file, and each replaced file's version in the history.
        const auto temporaries =
            std::count_if(device.links.begin(), device.links.end(), [](const fs::path& link) {
                return link.string().find(".tressal-tmp-") != std::string::npos;
            });
        EXPECT_EQ(temporaries, 9);
        EXPECT_EQ(device.links.size(), 15u);
        for (const auto& link : device.links) {
            EXPECT_TRUE(fs::is_symlink(link)) << link;
            EXPECT_EQ(fs::read_symlink(link), victim) << link;
        }
        EXPECT_EQ(fs::exists(victim) ? ReadBytes(victim) : "", c.targetExists ? "VICTIME" : "");
        for (const auto& [link, target] : lockLinks) {
            EXPECT_EQ(fs::read_symlink(link), target);
            EXPECT_FALSE(fs::exists(target)) << target;
        }
        for (const auto& output : {profs, litiges})
            EXPECT_FALSE(fs::is_symlink(output)) << output;
        EXPECT_EQ(ReadBytes(profs), kNewProfs);
        EXPECT_EQ(ReadBytes(litiges), "DOUBLON,Un\r\n");
        EXPECT_EQ(TemporariesBelow(folder.path()).size(), 9u);
    }
}

// A device that, at the first rename, every temporary file written, tells the
// test through the pipe and waits to be stopped.
class StoppedDevice : public FileDevice {
public:
    explicit StoppedDevice(int pipe) : pipe_(pipe) {}
    int Rename(const fs::path&, const fs::path&) override {
        const char ready = 'x';
        if (write(pipe_, &ready, 1) == 1)
            for (;;)
                pause();
        return EIO;
    }

private:
    int pipe_;
};

// A save stopped by a signal it can catch leaves no temporary file; one
// killed outright does, and the next save into the folder removes them,
// however fresh. Either way the previous files are untouched.
TEST(SaveSafetyTest, ASaveStoppedBySignalLeavesNothingBehind) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(signal);
        TempFolder root;
        const fs::path profs = root / "Orlane/Profs/profs.txt";
        fs::create_directories(profs.parent_path());
        WriteBytes(profs, "ANCIEN");
        WriteBytes(root / "Litiges.txt", "ANCIEN");
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipe[0]);
            // As from a terminal, whatever the test runner ignores; a safety
            // net, should the save never reach its rename.
            for (const int restored : {SIGTERM, SIGINT, SIGHUP})
                std::signal(restored, SIG_DFL);
            alarm(60);
            StoppedDevice device(pipe[1]);
            try {
                SaveResult(Cite(), kResult, root.path(), {}, device);
            } catch (...) {
            }
            _exit(3);
        }
        close(pipe[1]);
        char ready = 0;
        EXPECT_EQ(read(pipe[0], &ready, 1), 1);
        close(pipe[0]);
        kill(child, signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(ReadBytes(profs), "ANCIEN");
        EXPECT_EQ(ReadBytes(root / "Litiges.txt"), "ANCIEN");
        // Two temporary files and the previous profs.txt's second name.
        EXPECT_EQ(TemporariesBelow(root.path()).size(), signal == SIGKILL ? 3u : 0u);

        SaveResult(Cite(), kResult, root.path());
        EXPECT_EQ(ReadBytes(profs), kNewProfs);
        EXPECT_EQ(TemporariesBelow(root.path()), std::vector<std::string>());
    }
}

// The next save removes what stopped runs left, of either naming and any
// age; it leaves the user's files, and links, alone.
TEST(SaveSafetyTest, LeftoversOfStoppedRunsGoAtTheNextSave) {
    struct Case {
        const char* name;
        bool link;
        bool stays;
    };
    const Case cases[] = {
        {"profs.txt.tressal-tmp-a1B2c3D4e5F6", false, false},
        {"autre.txt.tressal-tmp-99999-2", false, false},
        {"profs.txt.tressal-tmp-Zz9Zz9Zz9Zz9", true, true},
        {"notes.tressal-tmp-perso.txt", false, true},
        {"ancien.txt", false, true},
    };
    TempFolder root;
    const fs::path folder = root / "Orlane/Profs";
    fs::create_directories(folder);
    WriteBytes(root / "cible.txt", "CIBLE");
    for (const Case& c : cases) {
        if (c.link)
            fs::create_symlink(root / "cible.txt", folder / c.name);
        else
            WriteBytes(folder / c.name, "x");
    }
    SaveResult(Cite(), kResult, root.path());
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(folder / c.name)), c.stays) << c.name;
    EXPECT_EQ(ReadBytes(root / "cible.txt"), "CIBLE");
}

#endif

} // namespace
} // namespace tressal
