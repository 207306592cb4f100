// Student files of other programs, published by others: each must be refused
// with the header message, whatever its quoting, separator or encoding.

#include "students/sconet_export.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

struct ForeignFile {
    const char* name;
    int headerFields; // ";"-separated fields of the first line, counted in the file
};

TEST(ForeignExports, AreRefusedWithTheHeaderMessage) {
    const ForeignFile files[] = {
        {"Test Eleve.csv", 10},
        {"Test Eleve Cas Anomalie Date.csv", 9},
        {"Test_Eleve_UTF8_VIRG.csv", 1}, // "," separated
        {"Test_Eleve_MAC_BOM.csv", 1},   // UTF-16: the NUL after the first letter ends the text
        {"eleves.csv", 20},              // quoted fields
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const auto lines = tressal::students::LoadExport(std::filesystem::path(TRESSAL_TEST_DATA) /
                                                         "realdata" / file.name);
        EXPECT_EQ(tressal::test::ErrorOf([&] { tressal::students::CheckHeader(lines); }),
                  "Le fichier que vous avez sélectionné est incorrect. Il ne comporte que " +
                      std::to_string(file.headerFields) +
                      " Champs. L'extracteur necessite 22 champs");
    }
}

} // namespace
