#include "students/student_source.h"

#include "archive/zip_archive.h"
#include "sts/content_kind.h"
#include "sts/xml_stream.h"
#include "students/export_kind.h"
#include "students/option_codes.h"
#include "students/sconet_export.h"
#include "students/siecle_export.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/file_read.h"
#include "text/text_helpers.h"

#include <optional>
#include <vector>

namespace tressal::students {
namespace {

const char* const kNomenclatureName = "NOMENCLATURE.XML";

OptionCodes NomenclatureFrom(std::string_view bytes, const std::string& where) {
    try {
        return OptionCodes::FromNomenclature(bytes);
    } catch (const Error& error) {
        throw Error("La nomenclature " + where + " ne peut pas être lue : " + error.what() +
                    "\nRemplacez-la par un nouvel export des nomenclatures, ou retirez-la.");
    }
}

// A Nomenclature.xml (any letter case) beside the export, or the built-in table.
OptionCodes NomenclatureBeside(const std::filesystem::path& input) {
    std::error_code ec;
    const auto folder = input.parent_path().empty() ? "." : input.parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (AsciiUpper(PathText(entry.path().filename())) == kNomenclatureName &&
            entry.is_regular_file(typeError))
            return NomenclatureFrom(ReadWholeFile(entry.path()),
                                    "« " + PathText(entry.path()) + " »");
    }
    return {};
}

// The codes are looked for once the export is known to be a student export.
template <typename ReadCodes> StudentSource FromXml(const SiecleExport& data, ReadCodes readCodes) {
    StudentSource source;
    source.code = SiecleEstablishmentCode(data);
    source.numberedLines = false;
    source.schoolYear = TrimBlanks(data.schoolYear);
    SiecleLineSources sources;
    source.lines = SiecleStudentLines(data, readCodes(), &sources);
    source.elements = std::move(sources.elements);
    source.leavers = std::move(sources.leavers);
    source.unwritable = std::move(sources.unwritable);
    source.encoding = data.encoding;
    return source;
}

std::string Quoted(const std::vector<const archive::ZipEntry*>& entries) {
    std::string names;
    for (const auto* entry : entries)
        names += (names.empty() ? "« " : ", « ") + entry->name + " »";
    return names;
}

StudentSource FromZip(std::string bytes, const std::filesystem::path& input) {
    archive::ZipArchive zip(std::move(bytes));
    std::vector<const archive::ZipEntry*> students;
    std::vector<const archive::ZipEntry*> unreadable; // no root element found
    const archive::ZipEntry* nomenclature = nullptr;
    std::string otherKind;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name) || !AsciiUpper(entry.name).ends_with(".XML"))
            continue;
        const std::string root = sts::RootElementName(zip.Read(entry, sts::kContentSniffBytes));
        if (root == "BEE_ELEVES")
            students.push_back(&entry);
        else if (root == "BEE_NOMENCLATURES" && nomenclature == nullptr)
            nomenclature = &entry;
        else if (root.empty())
            unreadable.push_back(&entry);
        else if (otherKind.empty() && !sts::OtherExportKind(root).empty())
            otherKind = "« " + entry.name + " » est " + sts::OtherExportKind(root);
    }
    // A lone XML that cannot be read is taken for the export, to say what is wrong with it.
    if (students.empty() && otherKind.empty() && unreadable.size() == 1)
        students = unreadable;
    if (zip.Entries().empty())
        throw Error("L'archive zip « " + PathText(input.filename()) +
                    " » est vide : " + kChooseStudentExport + ".");
    if (students.empty())
        throw Error("L'archive zip ne contient pas d'export des élèves de SIECLE" +
                    (otherKind.empty() ? std::string() : " (" + otherKind + ")") + " : " +
                    kChooseStudentExport + ".");
    if (students.size() > 1)
        throw Error("L'archive zip contient plusieurs exports des élèves (" + Quoted(students) +
                    ") : décompressez-la et choisissez celui que vous voulez convertir.");
    // Read as it inflates: the export is never held whole.
    archive::ZipEntryStream stream = zip.Open(*students.front());
    const SiecleExport data =
        ReadSiecleExport([&](char* buffer, std::size_t size) { return stream.Read(buffer, size); },
                         [&] { return zip.Read(*students.front()); });
    return FromXml(data, [&] {
        return nomenclature != nullptr
                   ? NomenclatureFrom(zip.Read(*nomenclature),
                                      "« " + nomenclature->name + " » de l'archive")
                   : NomenclatureBeside(input);
    });
}

} // namespace

StudentSource ReadStudentSource(const std::filesystem::path& input) {
    const sts::ContentKind kind = sts::KindOfContent(sts::ReadContentStart(input));
    switch (kind) {
    case sts::ContentKind::Empty:
        CheckHeader({});
        break;
    case sts::ContentKind::Zip:
        return FromZip(ReadWholeFile(input), input);
    case sts::ContentKind::Xml:
    case sts::ContentKind::Utf16Xml:
        return FromXml(ReadSiecleExport(ReadWholeFile(input)),
                       [&] { return NomenclatureBeside(input); });
    case sts::ContentKind::SconetCsv:
        break;
    case sts::ContentKind::Text:
        // A file named as an export says what is wrong with its header.
        if (AsciiUpper(PathText(input.extension())) == ".CSV")
            break;
        [[fallthrough]];
    default:
        throw Error(sts::ForeignContentText(input, kind) +
                    ", pas un export des élèves : " + kChooseStudentExport + ".");
    }
    std::string bytes = ReadWholeFile(input);
    std::string code = EstablishmentCodeOf(input);
    StudentSource source;
    source.code = std::move(code);
    source.lines = ExportLines(std::move(bytes), &source.resavedBySpreadsheet);
    return source;
}

} // namespace tressal::students
