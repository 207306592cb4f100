#pragma once

#include "xml/input.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the teacher conversions and their report read of an STS export (root
// STS_EDT), kept in one pass over its XML: the persons with their names,
// civility, birth date and first discipline, and the teachers of each
// division's services, in document order. Where an element is repeated, the
// first one counts.
//
// A read that must not fail raises its error when the conversion makes it,
// not while the file is read: a value keeps what the export holds, or that
// it holds something else than a text.
namespace tressal::sts {

// The text of one element (NOM_USAGE, PRENOM...).
class StsValue {
public:
    enum class Kind { Missing, Text, NotText };

    // A text: "" for an element with no content, the text of its only child
    // when that child is text or CDATA; NotText for any other content.
    void Set(Kind kind, std::string text = {});
    bool IsMissing() const { return kind_ == Kind::Missing; }

    // The text; NotFoundError naming the element when it is missing, Error
    // "L'élément ne contient pas de noeud texte unique" when it is no text.
    const std::string& Required(std::string_view element) const;
    // The same read as a 32-bit integer (xml::ToInteger).
    std::int32_t RequiredInteger(std::string_view element) const;
    // The text, or nothing where Required would raise an error.
    std::optional<std::string> IfAny() const;
    std::optional<std::int32_t> IntegerIfAny() const;

private:
    Kind kind_ = Kind::Missing;
    std::string text_;
};

// One INDIVIDU of DONNEES/INDIVIDUS.
struct StsPerson {
    std::optional<std::string> id; // attribute ID
    StsValue usageName;            // NOM_USAGE
    StsValue firstName;            // PRENOM
    StsValue civility;             // CIVILITE
    StsValue birthDate;            // DATE_NAISSANCE
    // DISCIPLINES/DISCIPLINE/@CODE of the first discipline.
    std::optional<std::string> discipline;

    // The ID as an integer; NotFoundError or ConversionError when it cannot be read.
    std::int32_t Id() const;
    std::optional<std::int32_t> IdIfAny() const;
};

// One DIVISION of DONNEES/STRUCTURE/DIVISIONS.
struct StsDivision {
    std::optional<std::string> code; // attribute CODE
    // SERVICES/SERVICE/ENSEIGNANTS/ENSEIGNANT/@ID of every teacher of every
    // service (co-teachers included) that is an integer, in document order.
    std::vector<std::int32_t> teachers;
};

struct StsExport {
    // Where it comes from: the name of the file, or of the archive's entry,
    // that holds the export ("" for bytes read elsewhere), and the
    // establishment code that name gives (when asked for).
    std::string fileName;
    std::string code;
    // PARAMETRES/UAJ/@CODE, trimmed; "" when it is missing.
    std::string ownCode;
    bool hasData = false;    // DONNEES
    bool hasPersons = false; // DONNEES/INDIVIDUS
    std::vector<StsPerson> persons;
    std::vector<StsDivision> divisions;
    xml::EncodingNote encoding;

    // DONNEES/INDIVIDUS, as a conversion requires it: NotFoundError naming the
    // element that is missing.
    const std::vector<StsPerson>& RequiredPersons() const;
};

// How an export is taken.
enum class StsNaming {
    // One establishment's export: first recognised by its content, then its
    // code taken from its name (StsEstablishmentCode) before it is read.
    WithCode,
    // One export of a cité scolaire's folder: read as it is.
    InFolder,
};

// Reads the export the user chose, once: the XML file, or a zip archive
// holding exactly one entry named STS*.xml. Raises, in this order, the
// errors of its content (CheckStsStart), of the archive's entries, of its
// name, then the LoadError of XML that cannot be read, then the Error of a
// root that is not STS_EDT.
StsExport ReadStsExport(const std::filesystem::path& path, StsNaming naming = StsNaming::WithCode);

// The same from the bytes of an export read elsewhere (standard input),
// recognised by content; no code is taken from a name.
StsExport ReadStsExportBytes(std::string bytes, const std::filesystem::path& shownAs);

// The establishment code of an STS export: the third "_"-separated field of
// its file name (folders left out), trimmed. A code that is not a safe single
// folder name is refused with Error "Nom de fichier incorrect", the expected
// form on a second line.
std::string StsEstablishmentCode(const std::filesystem::path& input);

} // namespace tressal::sts
