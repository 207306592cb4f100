#include "sts/sts_source.h"

#include "archive/zip_archive.h"
#include "text/error.h"
#include "xml/content_kind.h"
#include "xml/stream.h"

#include <vector>

namespace tressal::sts {

using xml::ContentKind;
using xml::ForeignContentText;
using xml::kContentSniffBytes;
using xml::KindOfContent;
using xml::OtherExportKind;
using xml::RootElementName;
namespace {

// "Ce fichier est" or "Cette archive zip contient", then this, then "le" or "la".
const char* const kStudentExport = " un export des élèves de SIECLE, pas un export STS : ouvrez-";
const char* const kChooseSts = "choisissez l'export STS « Emploi du temps » (sts_emp_….xml).";
const char* const kOpenAsStudents = " depuis une entrée « Elèves » du menu, ou choisissez l'export "
                                    "STS « Emploi du temps » (sts_emp_….xml).";

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

const archive::ZipEntry& StsEntry(archive::ZipArchive& zip) {
    std::vector<const archive::ZipEntry*> found;
    bool holdsStudents = false;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name))
            continue;
        if (IsStsExportName(archive::EntryFileName(entry.name), false))
            found.push_back(&entry);
        else if (Upper(entry.name).ends_with(".XML") &&
                 RootElementName(zip.Read(entry, kContentSniffBytes)) == "BEE_ELEVES")
            holdsStudents = true;
    }
    if (found.size() == 1)
        return *found.front();
    if (zip.Entries().empty())
        throw Error(std::string("L'archive zip est vide : ") + kChooseSts);
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

bool IsStsExportName(const std::string& name, bool zipAllowed) {
    const std::string upper = Upper(name);
    return upper.size() >= 7 && upper.starts_with("STS") &&
           (upper.ends_with(".XML") || (zipAllowed && upper.ends_with(".ZIP")));
}

void CheckStsStart(std::string_view bytes, const std::filesystem::path& path) {
    const std::string start(bytes.substr(0, kContentSniffBytes));
    switch (const ContentKind kind = KindOfContent(start)) {
    case ContentKind::Zip:
    case ContentKind::Utf16Xml:
        return;
    case ContentKind::Xml:
        // The root is known at once unless a long comment comes first.
        if (const std::string root = RootElementName(start); !root.empty() && root != "STS_EDT")
            ThrowNotStsExport(root);
        return;
    case ContentKind::SconetCsv:
        throw Error(
            "Ce fichier est un export des élèves (CSV Sconet), pas un export STS : ouvrez-le" +
            std::string(kOpenAsStudents));
    default:
        throw Error(ForeignContentText(path, kind) + ", pas un export STS : " + kChooseSts);
    }
}

void ThrowNotStsExport(const std::string& rootName) {
    if (rootName == "BEE_ELEVES")
        throw Error(std::string("Ce fichier est") + kStudentExport + "le" + kOpenAsStudents);
    if (const std::string kind = OtherExportKind(rootName); !kind.empty())
        throw Error("Ce fichier est " + kind.substr(0, kind.find(',')) +
                    " de SIECLE, pas un export STS : " + kChooseSts);
    throw Error("Interface non supportée");
}

} // namespace tressal::sts
