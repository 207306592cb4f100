#include "students/export_kind.h"

#include "archive/zip_archive.h"
#include "sts/xml_stream.h"
#include "text/error.h"
#include "text/file_read.h"
#include "text/text_helpers.h"

namespace tressal::students {

const char* const kChooseStudentExport =
    "choisissez l'export des élèves de SIECLE (ElevesSansAdresses.xml ou ElevesAvecAdresses.xml, "
    "ou l'archive zip qui le contient) ou l'export Sconet des élèves (CSV)";

std::string OtherExportKind(const std::string& rootName) {
    if (rootName == "BEE_RESPONSABLES")
        return "l'export des responsables, pas des élèves";
    if (rootName == "BEE_NOMENCLATURES")
        return "l'export des nomenclatures, pas des élèves";
    if (rootName == "BEE_STRUCTURES")
        return "l'export des structures, pas des élèves";
    if (rootName == "STS_EDT")
        return "un export STS des enseignants, pas des élèves";
    return {};
}

void CheckStudentExportRoot(const std::string& rootName) {
    if (rootName == "BEE_ELEVES")
        return;
    const std::string kind = OtherExportKind(rootName);
    if (rootName == "STS_EDT")
        throw Error("Ce fichier est " + kind + " : ouvrez-le depuis le menu des enseignants, ou " +
                    kChooseStudentExport + ".");
    if (rootName == "BEE_NOMENCLATURES")
        throw Error("Ce fichier est " + kind +
                    " : placez-le sous le nom Nomenclature.xml dans le dossier de l'export des "
                    "élèves, puis " +
                    kChooseStudentExport + ".");
    if (!kind.empty())
        throw Error("Ce fichier est " + kind + " : " + kChooseStudentExport + ".");
    throw Error("Ce fichier XML n'est pas un export des élèves (son élément principal est « " +
                rootName + " ») : " + kChooseStudentExport + ".");
}

namespace {

// Enough of a document to find its root element behind a long comment.
constexpr std::size_t kRootSniffBytes = 64 * 1024;

const char* const kChooseAnExport =
    "choisissez l'export des élèves (SIECLE ou Sconet) ou l'export STS « Emploi du temps » des "
    "enseignants.";

ExportContent ContentOfRoot(const std::string& root) {
    if (root == "BEE_ELEVES")
        return ExportContent::Students;
    if (root == "STS_EDT")
        return ExportContent::Staff;
    return ExportContent::Other;
}

RecognisedExport FromRoot(const std::string& root) {
    const ExportContent content = ContentOfRoot(root);
    if (content != ExportContent::Other)
        return {content, {}};
    const std::string kind = OtherExportKind(root);
    if (!kind.empty())
        return {content, "Ce fichier est " + kind + " : " + kChooseAnExport};
    return {content, "Tressal ne reconnaît pas ce fichier XML (son élément principal est « " +
                         root + " ») : " + kChooseAnExport};
}

bool StartsLikeXml(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const auto first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

RecognisedExport FromZip(std::string bytes) {
    archive::ZipArchive zip(std::move(bytes));
    std::string other;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name) || !AsciiUpper(entry.name).ends_with(".XML"))
            continue;
        const std::string root = sts::RootElementName(zip.Read(entry, kRootSniffBytes));
        if (ContentOfRoot(root) != ExportContent::Other)
            return {ContentOfRoot(root), {}};
        if (other.empty() && !OtherExportKind(root).empty())
            other = root;
    }
    if (!other.empty())
        return FromRoot(other);
    return {ExportContent::Other,
            std::string("L'archive zip ne contient pas d'export que Tressal convertit : ") +
                kChooseAnExport};
}

} // namespace

RecognisedExport RecogniseExport(const std::filesystem::path& file) {
    std::string bytes = ReadWholeFile(file);
    if (archive::LooksLikeZip(bytes))
        return FromZip(std::move(bytes));
    if (StartsLikeXml(bytes))
        return FromRoot(sts::RootElementName(std::string_view(bytes).substr(0, kRootSniffBytes)));
    // A text of fields separated by semicolons: the Sconet CSV, checked when converted.
    const std::string_view first = std::string_view(bytes).substr(0, bytes.find('\n'));
    if (first.find(';') != std::string_view::npos)
        return {ExportContent::Students, {}};
    return {ExportContent::Other,
            std::string("Tressal ne reconnaît pas ce fichier : ") + kChooseAnExport};
}

} // namespace tressal::students
