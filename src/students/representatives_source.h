#pragma once

#include "archive/zip_archive.h"
#include "students/representatives_export.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// Where the representatives' export ("Responsables avec adresses") is found
// for a SIECLE student export: named by the user, inside the same zip, or
// beside it in its folder (ResponsablesAvecAdresses.xml, or the zip that
// SIECLE downloads, ExportXML_ResponsablesAvecAdresses.zip).
namespace tressal::students {

struct RepresentativesFile {
    std::string name; // as the user knows it: a path, or an entry of the archive
    RepresentativeContacts contacts;
};

// What the student lines took from the representatives' export, for the report.
struct RepresentativesUse {
    std::string file;
    std::string establishment; // its UAJ, trimmed
    std::string schoolYear;    // its ANNEE_SCOLAIRE, trimmed
    bool used = false;         // false: of another establishment, left aside
    std::size_t addresses = 0;
    std::size_t phones = 0;
};

// The export in that file, XML or a zip holding it. Throws Error naming the
// file and saying what to do when it cannot be read or is another export.
RepresentativesFile RepresentativesFromFile(const std::filesystem::path& file);

// The export in that entry of the student export's archive.
RepresentativesFile RepresentativesFromEntry(archive::ZipArchive& zip,
                                             const archive::ZipEntry& entry);

// The export beside the student export, when there is one.
std::optional<RepresentativesFile> RepresentativesBeside(const std::filesystem::path& input);

} // namespace tressal::students
