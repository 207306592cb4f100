// Every file a save replaces is kept in <root>/Historique first, as part of
// the same all-or-nothing save; the ten most recent versions stay; one can be
// put back, from the command line too.

#include "cli/cli.h"
#include "conversions/restore_version.h"
#include "conversions/save_result.h"
#include "failing_device.h"
#include "test_support.h"
#include "text/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tressal {
namespace {

namespace fs = std::filesystem;
using test::EntriesBelow;
using test::ErrorOf;
using test::FailingDevice;
using test::ReadBytes;
using test::TempFolder;
using Step = FailingDevice::Step;

const Conversion& Named(const char* cliName) {
    return *FindConversion(cliName);
}

// The n-th save's result: a header line, then "ELEVE n".
Converted Result(int n) {
    return {"0123456A", {"ENTETE", "ELEVE " + std::to_string(n)}, {"DOUBLON " + std::to_string(n)}};
}

// Every file below the folder, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : EntriesBelow(folder))
        if (fs::is_regular_file(folder / entry))
            files[entry] = ReadBytes(folder / entry);
    return files;
}

std::vector<std::string> FirstLines(const std::vector<KeptVersion>& versions) {
    std::vector<std::string> lines;
    for (const auto& version : versions)
        lines.push_back(ReadBytes(version.kept.front()));
    return lines;
}

TEST(FileHistory, EachReplacedFileIsKeptAndTheTenMostRecentStay) {
    const struct {
        int saves;
        std::vector<int> kept; // newest first: the saves whose file is kept
    } rows[] = {
        {1, {}},
        {2, {1}},
        {11, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        {13, {12, 11, 10, 9, 8, 7, 6, 5, 4, 3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.saves);
        TempFolder root;
        for (int n = 1; n <= row.saves; ++n)
            SaveResult(Named("eleves-pmb"), Result(n), root.path());
        const OutputPlan plan = Named("eleves-pmb").plan(Result(0));
        const auto versions = KeptVersions(plan, root.path());
        std::vector<std::string> expected;
        for (const int n : row.kept)
            expected.push_back("ENTETE\r\nELEVE " + std::to_string(n) + "\r\n");
        EXPECT_EQ(FirstLines(versions), expected);
        // Nothing else in the history: the pruned versions are gone.
        EXPECT_EQ(Files(root.path()).size(), row.kept.size() + 1);
        if (!versions.empty()) {
            EXPECT_EQ(versions.front().kept.front().parent_path(),
                      root / "Historique/PMB/0123456A/Eleves");
        }
    }
}

TEST(FileHistory, AVersionPutBackGoesThroughTheSaveAndKeepsTheCurrentFile) {
    for (const char* conversion : {"eleves-vesko", "profs-orlane-cite"}) {
        SCOPED_TRACE(conversion);
        TempFolder root;
        const Conversion& named = Named(conversion);
        for (int n = 1; n <= 2; ++n)
            SaveResult(named, Result(n), root.path());
        const OutputPlan plan = named.plan(Result(0));
        const fs::path target = ProposedFile(plan, root.path());
        const std::string current = ReadBytes(target);
        auto versions = KeptVersions(plan, root.path());
        ASSERT_EQ(versions.size(), 1u);
        // The cité keeps both of its files as one pair.
        EXPECT_EQ(versions.front().kept.size(), plan.duplicatesFile.empty() ? 1u : 2u);
        const Comparison comparison = CompareVersion(versions.front(), plan);
        EXPECT_EQ(comparison.added, TextList{"ELEVE 1"});
        EXPECT_EQ(comparison.removed, TextList{"ELEVE 2"});

        RestoreVersion(versions.front(), plan, root.path());
        EXPECT_EQ(ReadBytes(target), ReadBytes(versions.front().kept.front()));
        if (!plan.duplicatesFile.empty()) {
            EXPECT_EQ(ReadBytes(root / plan.duplicatesFile), "DOUBLON 1\r\n");
        }
        versions = KeptVersions(plan, root.path());
        ASSERT_EQ(versions.size(), 2u);
        EXPECT_EQ(ReadBytes(versions.front().kept.front()), current);
    }
}

TEST(FileHistory, AFailedSaveLeavesTheFilesAndTheHistoryAsTheyWere) {
    const struct {
        const char* name;
        Step step;
        int at;
    } rows[] = {
        {"first copy into the history", Step::AddName, 1},
        {"second copy into the history", Step::AddName, 2},
        {"write", Step::Write, 1},
        {"second write", Step::Write, 2},
        {"second rename", Step::Rename, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder root;
        const Conversion& cite = Named("profs-orlane-cite");
        for (int n = 1; n <= 2; ++n)
            SaveResult(cite, Result(n), root.path());
        const auto before = Files(root.path());
        FailingDevice device(row.step, row.at);
        const std::string error =
            ErrorOf([&] { SaveResult(cite, Result(3), root.path(), {}, device); });
        EXPECT_NE(error, "");
        if (row.step == Step::AddName) {
            EXPECT_NE(error.find(PathText(root / "Historique/Orlane/Profs")), std::string::npos)
                << error;
        }
        EXPECT_EQ(Files(root.path()), before);
    }
}

// A history folder that cannot be written: read-only, or a file in its way
// (which stops root as well).
TEST(FileHistory, AnUnwritableHistoryFolderStopsTheSaveAndIsNamed) {
    for (const bool readOnly : {true, false}) {
#ifdef _WIN32
        if (readOnly)
            continue; // Windows lets anyone write into a folder marked read-only
#else
        if (readOnly && geteuid() == 0)
            continue; // root writes into read-only folders
#endif
        SCOPED_TRACE(readOnly ? "read-only" : "a file in the way");
        TempFolder root;
        const Conversion& pmb = Named("eleves-pmb");
        SaveResult(pmb, Result(1), root.path());
        if (readOnly) {
            fs::create_directory(root / "Historique");
            fs::permissions(root / "Historique", fs::perms::owner_read | fs::perms::owner_exec);
        } else {
            test::WriteBytes(root / "Historique", "");
        }
        const std::string error = ErrorOf([&] { SaveResult(pmb, Result(2), root.path()); });
        fs::permissions(root / "Historique", fs::perms::owner_all);
        EXPECT_NE(error.find("l'historique \"" + PathText(root / "Historique/PMB/0123456A/Eleves") +
                             "\""),
                  std::string::npos)
            << error;
        EXPECT_EQ(ReadBytes(ProposedFile(pmb.plan(Result(1)), root.path())),
                  "ENTETE\r\nELEVE 1\r\n");
    }
}

TEST(FileHistory, TheCommandLineListsAndPutsBackAVersion) {
    TempFolder root;
    for (int n = 1; n <= 3; ++n)
        SaveResult(Named("eleves-bcdi"), Result(n), root.path());
    const fs::path target = root / "BCDI/0123456A/Eleves/elevesBCDI.csv";
    const auto run = [&](std::vector<std::string> args, int expected) {
        args.insert(args.end(), {"--root", root.path().string()});
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::Run(args, out, err), expected) << err.str();
        return out.str();
    };
    const std::string listed = run({"historique", "eleves-bcdi", "0123456A"}, 0);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << listed;
    EXPECT_EQ(listed.substr(0, 2), "1\t");
    EXPECT_NE(listed.find("(1 élève)"), std::string::npos) << listed; // the header aside

    const std::string dry = run({"restaurer", "eleves-bcdi", "0123456A", "2", "--dry-run"}, 0);
    EXPECT_NE(dry.find("ajout\tELEVE 1\nretrait\tELEVE 3\n"), std::string::npos) << dry;
    EXPECT_EQ(ReadBytes(target), "ENTETE\r\nELEVE 3\r\n");

    run({"restaurer", "eleves-bcdi", "0123456A", "2"}, 0);
    EXPECT_EQ(ReadBytes(target), "ENTETE\r\nELEVE 1\r\n");
    run({"restaurer", "eleves-bcdi", "0123456A", "9"}, 1);
    run({"historique", "eleves-bcdi"}, 2);
}

} // namespace
} // namespace tressal
