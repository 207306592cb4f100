#include "sts/sts_source.h"

#include "archive/zip_archive.h"
#include "sts/xml_stream.h"
#include "text/error.h"
#include "text/file_read.h"

#include <fstream>
#include <vector>

namespace tressal::sts {
namespace {

constexpr std::size_t kRootSniffBytes = 64 * 1024;

// "Ce fichier est" or "Cette archive zip contient", then this, then "le" or "la".
const char* const kStudentExport = " un export des élèves de SIECLE, pas un export STS : ouvrez-";
const char* const kOpenAsStudents = " depuis une entrée « Elèves » du menu, ou choisissez l'export "
                                    "STS « Emploi du temps » (sts_emp_….xml).";

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Only a regular file is opened: a pipe would block here. LoadXmlFile says
// what is wrong with anything else.
bool StartsLikeZip(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    char start[4] = {};
    return in.read(start, sizeof start) && archive::LooksLikeZip(std::string_view(start, 4));
}

// The archive's one STS entry; Error when there is none or several.
const archive::ZipEntry& StsEntry(archive::ZipArchive& zip) {
    std::vector<const archive::ZipEntry*> found;
    bool holdsStudents = false;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name))
            continue;
        if (IsStsExportName(archive::EntryFileName(entry.name), false))
            found.push_back(&entry);
        else if (Upper(entry.name).ends_with(".XML") &&
                 RootElementName(zip.Read(entry, kRootSniffBytes)) == "BEE_ELEVES")
            holdsStudents = true;
    }
    if (found.size() == 1)
        return *found.front();
    if (found.empty())
        throw Error(holdsStudents ? std::string("Cette archive zip contient") + kStudentExport +
                                        "la" + kOpenAsStudents
                                  : "L'archive zip ne contient pas d'export STS (fichier "
                                    "STS….xml) : choisissez l'archive de l'export STS « Emploi "
                                    "du temps », ou le fichier XML lui-même.");
    std::string names;
    for (const auto* entry : found)
        names += (names.empty() ? "« " : ", « ") + entry->name + " »";
    throw Error("L'archive zip contient plusieurs exports STS (" + names +
                ") : décompressez-la et choisissez-en un, ou, pour une cité scolaire, "
                "choisissez le dossier qui les contient.");
}

} // namespace

bool IsStsExportName(const std::string& name, bool zipAllowed) {
    const std::string upper = Upper(name);
    return upper.size() >= 7 && upper.starts_with("STS") &&
           (upper.ends_with(".XML") || (zipAllowed && upper.ends_with(".ZIP")));
}

XmlDocPtr LoadStsExport(const std::filesystem::path& path) {
    if (!StartsLikeZip(path))
        return LoadXmlFile(path);
    archive::ZipArchive zip(ReadWholeFile(path));
    return ParseXml(zip.Read(StsEntry(zip)));
}

XmlDocPtr ParseStsExport(std::string bytes) {
    if (!archive::LooksLikeZip(bytes))
        return ParseXml(bytes);
    archive::ZipArchive zip(std::move(bytes));
    return ParseXml(zip.Read(StsEntry(zip)));
}

std::filesystem::path StsExportName(const std::filesystem::path& path) {
    if (!StartsLikeZip(path))
        return path;
    archive::ZipArchive zip(ReadWholeFile(path));
    return std::filesystem::path(archive::EntryFileName(StsEntry(zip).name));
}

void ThrowNotStsExport(const std::string& rootName) {
    if (rootName == "BEE_ELEVES")
        throw Error(std::string("Ce fichier est") + kStudentExport + "le" + kOpenAsStudents);
    throw Error("Interface non supportée");
}

} // namespace tressal::sts
