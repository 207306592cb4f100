#include "sts/sts_export.h"

#include "archive/zip_archive.h"
#include "sts/sts_reader.h"
#include "sts/sts_source.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"
#include "xml/errors.h"
#include "xml/load.h"
#include "xml/node.h"

#include <algorithm>

namespace tressal::sts {
namespace {

const char* const kNotSingleText = "L'élément ne contient pas de noeud texte unique";

// The export in bytes; name: the file name that gives its code, or for an
// archive the name of its STS entry.
StsExport FromBytes(std::string bytes, const std::string& name, bool codeFromName) {
    StsEvents events;
    std::string fileName = name;
    std::string code;
    if (!archive::LooksLikeZip(bytes)) {
        if (codeFromName)
            code = StsEstablishmentCode(PathFromText(fileName));
        xml::StreamXml(bytes, events);
    } else {
        archive::ZipArchive zip(std::move(bytes));
        const archive::ZipEntry& entry = StsEntry(zip);
        fileName = archive::EntryFileName(entry.name);
        if (codeFromName)
            code = StsEstablishmentCode(PathFromText(fileName));
        // Read as it inflates: the export is never held whole.
        xml::StreamXml(xml::EntrySource(zip, entry), events);
    }
    StsExport result = events.Take();
    result.fileName = std::move(fileName);
    result.code = std::move(code);
    return result;
}

} // namespace

void StsValue::Set(Kind kind, std::string text) {
    kind_ = kind;
    text_ = std::move(text);
}

const std::string& StsValue::Required(std::string_view element) const {
    if (kind_ == Kind::Missing)
        throw xml::NotFoundError(std::string(element));
    if (kind_ == Kind::NotText)
        throw Error(kNotSingleText);
    return text_;
}

std::int32_t StsValue::RequiredInteger(std::string_view element) const {
    return xml::ToInteger(Required(element));
}

std::optional<std::string> StsValue::IfAny() const {
    return kind_ == Kind::Text ? std::optional(text_) : std::nullopt;
}

std::optional<std::int32_t> StsValue::IntegerIfAny() const {
    return kind_ == Kind::Text ? xml::ParseInteger(text_) : std::nullopt;
}

std::int32_t StsPerson::Id() const {
    if (!id)
        throw xml::NotFoundError("ID");
    return xml::ToInteger(*id);
}

std::optional<std::int32_t> StsPerson::IdIfAny() const {
    return id ? xml::ParseInteger(*id) : std::nullopt;
}

const std::vector<StsPerson>& StsExport::RequiredPersons() const {
    if (!hasData)
        throw xml::NotFoundError("DONNEES");
    if (!hasPersons)
        throw xml::NotFoundError("INDIVIDUS");
    return persons;
}

StsExport ReadStsExport(const std::filesystem::path& path, StsNaming naming) {
    FileBytes read = ReadFileBytes(path, ReadRules());
    if (read.problem != ReadProblem::None)
        xml::ThrowUnreadFile(path, read);
    const bool withCode = naming == StsNaming::WithCode;
    if (withCode)
        CheckStsStart(read.bytes, path);
    return FromBytes(std::move(read.bytes), PathText(path.filename()), withCode);
}

StsExport ReadStsExportBytes(std::string bytes, const std::filesystem::path& shownAs) {
    CheckStsStart(bytes, shownAs);
    return FromBytes(std::move(bytes), "", false);
}

std::string StsEstablishmentCode(const std::filesystem::path& input) {
    const std::string code = TrimBlanks(FieldAt(PathText(input.filename()), 3, '_'));
    const bool unsafe = code.empty() || code == "." || code == ".." ||
                        std::any_of(code.begin(), code.end(), [](char c) {
                            return c == '/' || c == '\\' || c == ':' ||
                                   static_cast<unsigned char>(c) < 32 || c == 127;
                        });
    if (unsafe)
        throw Error("Nom de fichier incorrect\nLe nom attendu est celui que STS-Web donne à "
                    "l'export, sts_emp_CODE_ANNEE.xml (par exemple sts_emp_0123456A_2026.xml) : "
                    "le code de l'établissement y suit le deuxième « _ ».");
    return code;
}

} // namespace tressal::sts
