#include "students/export_kind.h"

#include "archive/zip_archive.h"
#include "text/error.h"
#include "text/file_read.h"
#include "text/text_helpers.h"
#include "xml/content_kind.h"
#include "xml/stream.h"

namespace tressal::students {

const char* const kChooseStudentExport =
    "choisissez l'export des élèves de SIECLE (ElevesSansAdresses.xml ou ElevesAvecAdresses.xml, "
    "ou l'archive zip qui le contient) ou l'export Sconet des élèves (CSV)";

void CheckStudentExportRoot(const std::string& rootName) {
    if (rootName == "BEE_ELEVES")
        return;
    const std::string kind = xml::OtherExportKind(rootName);
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
    const std::string kind = xml::OtherExportKind(root);
    if (!kind.empty())
        return {content, "Ce fichier est " + kind + " : " + kChooseAnExport};
    return {content, "Tressal ne reconnaît pas ce fichier XML (son élément principal est « " +
                         root + " ») : " + kChooseAnExport};
}

RecognisedExport FromZip(std::string bytes) {
    archive::ZipArchive zip(std::move(bytes));
    std::string other;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name) || !AsciiUpper(entry.name).ends_with(".XML"))
            continue;
        const std::string root = xml::RootElementName(zip.Read(entry, xml::kContentSniffBytes));
        if (ContentOfRoot(root) != ExportContent::Other)
            return {ContentOfRoot(root), {}};
        if (other.empty() && !xml::OtherExportKind(root).empty())
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
    const std::string start = xml::ReadContentStart(file);
    switch (const xml::ContentKind kind = xml::KindOfContent(start)) {
    case xml::ContentKind::Zip:
        return FromZip(ReadWholeFile(file));
    case xml::ContentKind::Xml:
        return FromRoot(xml::RootElementName(start));
    case xml::ContentKind::Utf16Xml: // read by the student conversions only
    case xml::ContentKind::SconetCsv:
        return {ExportContent::Students, {}};
    case xml::ContentKind::Text:
        // Fields separated by semicolons: a Sconet CSV, its header checked when converted.
        if (start.substr(0, start.find('\n')).find(';') != std::string::npos)
            return {ExportContent::Students, {}};
        [[fallthrough]];
    default:
        return {ExportContent::Other,
                xml::ForeignContentText(file, kind) + " : " + kChooseAnExport};
    }
}

} // namespace tressal::students
