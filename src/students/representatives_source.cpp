#include "students/representatives_source.h"

#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"
#include "xml/stream.h"

namespace tressal::students {
namespace {

// Enough of an entry to find its root element behind a long comment.
constexpr std::size_t kRootSniffBytes = 64 * 1024;

// The names SIECLE gives the export, as downloaded and unpacked.
const char* const kBesideNames[] = {"RESPONSABLESAVECADRESSES.XML",
                                    "EXPORTXML_RESPONSABLESAVECADRESSES.ZIP"};

template <typename Read> RepresentativesFile Named(const std::string& name, Read read) {
    try {
        return {name, RepresentativeContacts(read())};
    } catch (const Error& error) {
        ThrowWithin(error, "L'export des responsables « " + name + " » ne peut pas être lu : ",
                    "\nRemplacez-le par un nouvel export « Responsables avec adresses » de "
                    "SIECLE, ou retirez-le.");
    }
}

RepresentativesExport FromEntry(archive::ZipArchive& zip, const archive::ZipEntry& entry) {
    // Read as it inflates: the export is never held whole.
    return ReadRepresentativesExport(xml::EntrySource(zip, entry));
}

RepresentativesExport FromBytes(std::string bytes) {
    if (!archive::LooksLikeZip(bytes))
        return ReadRepresentativesExport(bytes);
    archive::ZipArchive zip(std::move(bytes));
    for (const auto& entry : zip.Entries())
        if (!archive::IsArchiverLeftover(entry.name) &&
            xml::RootElementName(zip.Read(entry, kRootSniffBytes)) == "BEE_RESPONSABLES")
            return FromEntry(zip, entry);
    throw Error("l'archive zip ne contient pas d'export des responsables (ResponsablesAvecAdresses"
                ".xml).");
}

} // namespace

RepresentativesFile RepresentativesFromFile(const std::filesystem::path& file) {
    return Named(PathText(file), [&] { return FromBytes(ReadWholeFile(file)); });
}

RepresentativesFile RepresentativesFromEntry(archive::ZipArchive& zip,
                                             const archive::ZipEntry& entry) {
    return Named(entry.name + " (dans l'archive)", [&] { return FromEntry(zip, entry); });
}

std::optional<RepresentativesFile> RepresentativesBeside(const std::filesystem::path& input) {
    const auto folder = input.parent_path().empty() ? "." : input.parent_path();
    for (const char* wanted : kBesideNames) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::error_code typeError;
            if (AsciiUpper(PathText(entry.path().filename())) == wanted &&
                entry.is_regular_file(typeError))
                return RepresentativesFromFile(entry.path());
        }
    }
    return std::nullopt;
}

} // namespace tressal::students
