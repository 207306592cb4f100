#include "students/student_source.h"

#include "archive/zip_archive.h"
#include "students/export_kind.h"
#include "students/option_codes.h"
#include "students/sconet_export.h"
#include "students/siecle_export.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"
#include "xml/content_kind.h"
#include "xml/stream.h"

#include <optional>
#include <vector>

namespace tressal::students {
namespace {

const char* const kNomenclatureName = "NOMENCLATURE.XML";

OptionCodes NomenclatureFrom(std::string_view bytes, const std::string& where) {
    try {
        return OptionCodes::FromNomenclature(bytes);
    } catch (const Error& error) {
        ThrowWithin(error, "La nomenclature " + where + " ne peut pas être lue : ",
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

// The codes and the representatives are looked for once the export is known
// to be a student export.
template <typename ReadCodes, typename FindRepresentatives>
StudentSource FromXml(const SiecleExport& data, ReadCodes readCodes,
                      FindRepresentatives findRepresentatives) {
    StudentSource source;
    source.code = SiecleEstablishmentCode(data);
    source.numberedLines = false;
    source.schoolYear = TrimBlanks(data.schoolYear);
    const OptionCodes codes = readCodes();
    const std::optional<RepresentativesFile> representatives = findRepresentatives();
    const RepresentativeContacts* contacts = nullptr;
    if (representatives) {
        const auto& found = representatives->contacts.data();
        source.representatives = {representatives->name, TrimBlanks(found.establishment),
                                  TrimBlanks(found.schoolYear)};
        // The ids of another establishment's export name other students.
        source.representatives->used = source.representatives->establishment.empty() ||
                                       source.representatives->establishment == source.code;
        if (source.representatives->used)
            contacts = &representatives->contacts;
    }
    SiecleLineSources sources;
    source.lines.TakeFrom(SiecleStudentLines(data, codes, &sources, contacts));
    source.elements = std::move(sources.elements);
    source.leavers = std::move(sources.leavers);
    if (source.representatives) {
        source.representatives->addresses = sources.addressesFromRepresentatives;
        source.representatives->phones = sources.phonesFromRepresentatives;
    }
    source.unwritable = std::move(sources.unwritable);
    source.encoding = data.encoding;
    return source;
}

// The export named by the user, else the one that `orElse` finds.
template <typename Find>
std::optional<RepresentativesFile> RepresentativesNamedOr(const std::filesystem::path& named,
                                                          Find orElse) {
    if (!named.empty())
        return RepresentativesFromFile(named);
    return orElse();
}

std::string Quoted(const std::vector<const archive::ZipEntry*>& entries) {
    std::string names;
    for (const auto* entry : entries)
        names += (names.empty() ? "« " : ", « ") + entry->name + " »";
    return names;
}

// input: the path the export was read from, for the Nomenclature.xml and the
// representatives' export beside it; nullptr for bytes read from elsewhere
// (the built-in table then, and no representatives unless named).
OptionCodes NomenclatureBeside(const std::filesystem::path* input) {
    return input ? NomenclatureBeside(*input) : OptionCodes();
}

std::optional<RepresentativesFile> RepresentativesBeside(const std::filesystem::path* input) {
    return input ? students::RepresentativesBeside(*input) : std::nullopt;
}

StudentSource FromZip(std::string bytes, const std::filesystem::path* input,
                      const std::filesystem::path& representativesFile) {
    archive::ZipArchive zip(std::move(bytes));
    std::vector<const archive::ZipEntry*> students;
    std::vector<const archive::ZipEntry*> unreadable; // no root element found
    const archive::ZipEntry* nomenclature = nullptr;
    const archive::ZipEntry* representatives = nullptr;
    std::string otherKind;
    for (const auto& entry : zip.Entries()) {
        if (archive::IsArchiverLeftover(entry.name) || !AsciiUpper(entry.name).ends_with(".XML"))
            continue;
        const std::string root = xml::RootElementName(zip.Read(entry, xml::kContentSniffBytes));
        if (root == "BEE_RESPONSABLES" && representatives == nullptr)
            representatives = &entry;
        if (root == "BEE_ELEVES")
            students.push_back(&entry);
        else if (root == "BEE_NOMENCLATURES" && nomenclature == nullptr)
            nomenclature = &entry;
        else if (root.empty())
            unreadable.push_back(&entry);
        else if (otherKind.empty() && !xml::OtherExportKind(root).empty())
            otherKind = "« " + entry.name + " » est " + xml::OtherExportKind(root);
    }
    // A lone XML that cannot be read is taken for the export, to say what is wrong with it.
    if (students.empty() && otherKind.empty() && unreadable.size() == 1)
        students = unreadable;
    if (zip.Entries().empty())
        throw Error((input ? "L'archive zip « " + PathText(input->filename()) + " »"
                           : std::string("L'archive zip")) +
                    " est vide : " + kChooseStudentExport + ".");
    if (students.empty())
        throw Error("L'archive zip ne contient pas d'export des élèves de SIECLE" +
                    (otherKind.empty() ? std::string() : " (" + otherKind + ")") + " : " +
                    kChooseStudentExport + ".");
    if (students.size() > 1)
        throw Error("L'archive zip contient plusieurs exports des élèves (" + Quoted(students) +
                    ") : décompressez-la et choisissez celui que vous voulez convertir.");
    // Read as it inflates: the export is never held whole.
    const SiecleExport data =
        ReadSiecleExport(xml::EntrySource(zip, *students.front()), students.front()->name);
    return FromXml(
        data,
        [&] {
            return nomenclature != nullptr
                       ? NomenclatureFrom(zip.Read(*nomenclature),
                                          "« " + nomenclature->name + " » de l'archive")
                       : NomenclatureBeside(input);
        },
        [&] {
            return RepresentativesNamedOr(representativesFile, [&] {
                return representatives != nullptr
                           ? std::optional(RepresentativesFromEntry(zip, *representatives))
                           : RepresentativesBeside(input);
            });
        });
}

// Refuses, saying what it is, a file that is no student export; an empty one
// is refused for its missing header, a text file named .csv for its header.
void CheckStudentContent(xml::ContentKind kind, const std::filesystem::path& named) {
    switch (kind) {
    case xml::ContentKind::Empty:
        CheckHeader({});
        return;
    case xml::ContentKind::Zip:
    case xml::ContentKind::Xml:
    case xml::ContentKind::Utf16Xml:
    case xml::ContentKind::SconetCsv:
        return;
    case xml::ContentKind::Text:
        if (AsciiUpper(PathText(named.extension())) == ".CSV")
            return;
        [[fallthrough]];
    default:
        throw Error(xml::ForeignContentText(named, kind) +
                    ", pas un export des élèves : " + kChooseStudentExport + ".");
    }
}

StudentSource FromCsv(SconetLines read, std::string code) {
    StudentSource source;
    source.code = std::move(code);
    source.lines = std::move(read.lines);
    source.resavedBySpreadsheet = read.resavedBySpreadsheet;
    source.unwritable = std::move(read.unwritable);
    return source;
}

bool IsCsv(xml::ContentKind kind) {
    return kind != xml::ContentKind::Zip && kind != xml::ContentKind::Xml &&
           kind != xml::ContentKind::Utf16Xml;
}

// csvCode: the code of a CSV export, asked for once the export is known to be one.
template <typename CsvCode>
StudentSource FromBytes(std::string bytes, xml::ContentKind kind,
                        const std::filesystem::path* input,
                        const std::filesystem::path& representativesFile, CsvCode csvCode) {
    if (kind == xml::ContentKind::Zip)
        return FromZip(std::move(bytes), input, representativesFile);
    if (kind == xml::ContentKind::Xml || kind == xml::ContentKind::Utf16Xml)
        return FromXml(
            ReadSiecleExport(bytes, input ? PathText(input->filename()) : std::string()),
            [&] { return NomenclatureBeside(input); },
            [&] {
                return RepresentativesNamedOr(representativesFile,
                                              [&] { return RepresentativesBeside(input); });
            });
    std::string code = csvCode();
    return FromCsv(ReadSconetLines(std::move(bytes)), std::move(code));
}

} // namespace

StudentSource ReadStudentSource(const std::filesystem::path& input,
                                const std::filesystem::path& representativesFile) {
    const xml::ContentKind kind = xml::KindOfContent(xml::ReadContentStart(input));
    CheckStudentContent(kind, input);
    if (IsCsv(kind)) {
        std::string code = EstablishmentCodeOf(input);
        return FromCsv(ReadSconetFile(input), std::move(code));
    }
    return FromBytes(ReadWholeFile(input), kind, &input, representativesFile,
                     [&] { return EstablishmentCodeOf(input); });
}

StudentSource StudentSourceFromBytes(std::string bytes, const std::string& csvCode,
                                     const std::filesystem::path& representativesFile) {
    const xml::ContentKind kind =
        xml::KindOfContent(std::string_view(bytes).substr(0, xml::kContentSniffBytes));
    CheckStudentContent(kind, "entrée standard");
    return FromBytes(std::move(bytes), kind, nullptr, representativesFile, [&] {
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
