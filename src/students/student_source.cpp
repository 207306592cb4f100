#include "students/student_source.h"

#include "archive/zip_archive.h"
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

// Enough of an entry to find its root element behind a long comment.
constexpr std::size_t kRootSniffBytes = 64 * 1024;

const char* const kNomenclatureName = "NOMENCLATURE.XML";

bool LooksLikeXml(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const auto first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

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
    StudentSource source{SiecleEstablishmentCode(data), {}, false, {}, {},
                         TrimBlanks(data.schoolYear)};
    SiecleLineSources sources;
    source.lines = SiecleStudentLines(data, readCodes(), &sources);
    source.elements = std::move(sources.elements);
    source.leavers = std::move(sources.leavers);
    return source;
}

std::string Quoted(const std::vector<const archive::ZipEntry*>& entries) {
    std::string names;
    for (const auto* entry : entries)
        names += (names.empty() ? "« " : ", « ") + entry->name + " »";
    return names;
}

// input: the path the export was read from, for the Nomenclature.xml beside
// it; nullptr for bytes read from elsewhere (the built-in table then).
OptionCodes NomenclatureBeside(const std::filesystem::path* input) {
    return input ? NomenclatureBeside(*input) : OptionCodes();
}

StudentSource FromZip(std::string bytes, const std::filesystem::path* input) {
    archive::ZipArchive zip(std::move(bytes));
    std::vector<const archive::ZipEntry*> students;
    std::vector<const archive::ZipEntry*> unreadable; // no root element found
    const archive::ZipEntry* nomenclature = nullptr;
    std::string otherKind;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name) || !AsciiUpper(entry.name).ends_with(".XML"))
            continue;
        const std::string root = sts::RootElementName(zip.Read(entry, kRootSniffBytes));
        if (root == "BEE_ELEVES")
            students.push_back(&entry);
        else if (root == "BEE_NOMENCLATURES" && nomenclature == nullptr)
            nomenclature = &entry;
        else if (root.empty())
            unreadable.push_back(&entry);
        else if (otherKind.empty() && !OtherExportKind(root).empty())
            otherKind = "« " + entry.name + " » est " + OtherExportKind(root);
    }
    // A lone XML that cannot be read is taken for the export, to say what is wrong with it.
    if (students.empty() && otherKind.empty() && unreadable.size() == 1)
        students = unreadable;
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
                         [&] { return zip.Read(*students.front()); }, students.front()->name);
    return FromXml(data, [&] {
        return nomenclature != nullptr
                   ? NomenclatureFrom(zip.Read(*nomenclature),
                                      "« " + nomenclature->name + " » de l'archive")
                   : NomenclatureBeside(input);
    });
}

// csvCode: the code of a CSV export, asked for once the export is known to be one.
template <typename CsvCode>
StudentSource FromBytes(std::string bytes, const std::filesystem::path* input, CsvCode csvCode) {
    if (archive::LooksLikeZip(bytes))
        return FromZip(std::move(bytes), input);
    if (LooksLikeXml(bytes))
        return FromXml(ReadSiecleExport(bytes, input ? PathText(input->filename()) : std::string()),
                       [&] { return NomenclatureBeside(input); });
    std::string code = csvCode();
    return {std::move(code), ExportLines(std::move(bytes)), true, {}, {}, {}};
}

} // namespace

StudentSource ReadStudentSource(const std::filesystem::path& input) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(input);
    } catch (const Error&) {
        EstablishmentCodeOf(input); // a file that cannot be read is taken for the CSV
        throw;
    }
    return FromBytes(std::move(bytes), &input, [&] { return EstablishmentCodeOf(input); });
}

StudentSource StudentSourceFromBytes(std::string bytes, const std::string& csvCode) {
    return FromBytes(std::move(bytes), nullptr, [&] {
        if (csvCode.empty())
            throw Error("Un export Sconet CSV lu sur l'entrée standard ne porte pas de nom de "
                        "fichier, qui donne le code de l'établissement : donnez ce code avec "
                        "--code (par exemple --code 0123456A).");
        if (!IsEstablishmentCode(csvCode))
            throw Error("« " + csvCode +
                        " » n'est pas un code d'établissement : sept chiffres et une lettre, "
                        "par exemple 0123456A.");
        return csvCode;
    });
}

} // namespace tressal::students
