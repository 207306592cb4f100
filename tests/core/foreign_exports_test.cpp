// Student files of other programs, published by others: each must be refused
// with the header message, whatever its quoting, separator or encoding, or on
// reading when it is damaged.

#include "students/sconet_export.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

struct ForeignFile {
    const char* name;
    int headerFields;                // ";"-separated fields of the first line, counted in the file
    const char* readError = nullptr; // refused on reading with this message
};

TEST(ForeignExports, AreRefusedWithTheHeaderMessage) {
    const ForeignFile files[] = {
        {"Test Eleve.csv", 10},
        {"Test Eleve Cas Anomalie Date.csv", 9},
        {"Test_Eleve_UTF8_VIRG.csv", 1}, // "," separated
        // UTF-16 behind three stray bytes: its byte order mark is not at the start.
        {"Test_Eleve_MAC_BOM.csv", 0,
         "Le fichier contient un caractère nul à la ligne 1 : il est abîmé ou ce n'est pas un "
         "export texte."},
        {"eleves.csv", 20}, // quoted fields
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const auto path = std::filesystem::path(TRESSAL_TEST_DATA) / "realdata" / file.name;
        if (file.readError) {
            EXPECT_EQ(tressal::test::ErrorOf([&] { tressal::students::LoadExport(path); }),
                      file.readError);
            continue;
        }
        const auto lines = tressal::students::LoadExport(path);
        EXPECT_EQ(tressal::test::ErrorOf([&] { tressal::students::CheckHeader(lines); }),
                  "Le fichier que vous avez sélectionné est incorrect. Il ne comporte que " +
                      std::to_string(file.headerFields) +
                      " Champs. L'extracteur necessite 22 champs");
    }
}

} // namespace
