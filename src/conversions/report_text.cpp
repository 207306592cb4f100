#include "conversions/report_text.h"

#include "text/cp1252.h"
#include "text/files.h"
#include "text/utf8.h"

#include <algorithm>

namespace tressal {
namespace {

std::string Counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count > 1 ? many : one);
}

bool OfStudents(const ConversionReport& report) {
    return report.population == Population::Students;
}

std::string EntryCount(const ConversionReport& report, EntryReason reason, std::size_t count) {
    switch (reason) {
    case EntryReason::EmptyFirstField:
        return OfStudents(report)
                   ? Counted(count, "ligne sans nom", "lignes sans nom")
                   : Counted(count, "personne sans nom d'usage", "personnes sans nom d'usage");
    case EntryReason::NeighbourDuplicate:
        return Counted(count, "doublon retiré", "doublons retirés");
    case EntryReason::LeftSchool:
        return Counted(count, "élève sorti", "élèves sortis");
    case EntryReason::WithoutDivision:
        return std::to_string(count) + " sans division";
    case EntryReason::CiteDuplicate:
        return Counted(count, "doublon de la cité", "doublons de la cité");
    case EntryReason::WithoutAddress:
        return Counted(count, "élève sans adresse", "élèves sans adresse");
    }
    return {};
}

std::string EntryMeaning(const ConversionReport& report, const ListedEntry& entry) {
    switch (entry.reason) {
    case EntryReason::EmptyFirstField:
        return OfStudents(report) ? "premier champ vide, la ligne n'est pas écrite"
                                  : "pas de nom d'usage, la personne n'est pas écrite";
    case EntryReason::NeighbourDuplicate:
        return "même nom et prénom que la " + OriginText(entry.duplicateOf) + ", doublon retiré";
    case EntryReason::LeftSchool:
        return "élève sorti à la date de l'export, non écrit";
    case EntryReason::WithoutDivision:
        return "aucune division : écrit sans division";
    case EntryReason::CiteDuplicate:
        return "déjà lu dans " + OriginText(entry.duplicateOf) + " : mis dans Litiges.txt";
    case EntryReason::WithoutAddress:
        return "pas d'adresse, ni la sienne ni celle d'un responsable légal : écrit sans adresse. "
               "Complétez-la dans SIECLE, ou placez l'export « Responsables avec adresses » à "
               "côté de l'export des élèves.";
    }
    return {};
}

// The groups that have a name: persons without discipline are a group apart.
std::size_t Named(const std::vector<std::pair<std::string, std::size_t>>& groups) {
    return static_cast<std::size_t>(std::count_if(
        groups.begin(), groups.end(), [](const auto& group) { return !group.first.empty(); }));
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const auto& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string Changes(const Comparison& comparison) {
    if (comparison.added.empty() && comparison.removed.empty())
        return "identique";
    return Counted(comparison.added.size(), "ajout", "ajouts") + ", " +
           Counted(comparison.removed.size(), "retrait", "retraits");
}

std::string YearSpan(long start) {
    return std::to_string(start) + "-" + std::to_string(start + 1);
}

} // namespace

const char* ReasonCode(EntryReason reason) {
    static constexpr const char* kCodes[] = {
        "sans-nom",      "doublon",      "sorti",
        "sans-division", "doublon-cite", "sans-adresse"}; // in EntryReason order
    return kCodes[static_cast<std::size_t>(reason)];
}

const char* WarningCode(WarningKind kind) {
    static constexpr const char* kCodes[] = {
        "ligne-courte",
        "date-de-naissance-incorrecte",
        "utf8-lu-en-windows-1252",
        "sans-classe",
        "sans-date-de-naissance",
        "code-etablissement",
        "etablissement-en-double",
        "annee-scolaire",
        "fichier-existant-illisible",
        "responsables-etablissement",
        "responsables-annee-scolaire",
        "tableur",
        "utf8-malgre-declaration",
        "codages-melanges",
        "caractere-non-ecrit",
        "accent-apres-majuscules",
    }; // in WarningKind order
    return kCodes[static_cast<std::size_t>(kind)];
}

std::string WarningText(const Warning& warning) {
    const std::string value = EscapeControls(warning.value);
    switch (warning.kind) {
    case WarningKind::ShortLine:
        return Counted(warning.number, "champ", "champs") +
               " au lieu de 22 : chaque champ manquant reprend le dernier, « " + value +
               " », qui peut ainsi devenir l'adresse, la commune ou le téléphone. Vérifiez la "
               "ligne dans l'export, ou refaites l'export.";
    case WarningKind::MalformedBirthDate:
        return "la date de naissance « " + value +
               " » n'est pas de la forme jj/mm/aaaa : corrigez-la dans SIECLE, puis refaites "
               "l'export.";
    case WarningKind::Utf8ReadAsCp1252:
        return "du texte UTF-8 sur une ligne qui n'est pas entièrement en UTF-8 : elle a été lue "
               "en Windows-1252 et ses accents sont altérés (« Ã© » pour « é »). Refaites "
               "l'export, ou corrigez la ligne et réenregistrez le fichier en UTF-8.";
    case WarningKind::WithoutDivision:
        return "pas de classe : affectez l'élève à une division dans SIECLE, puis refaites "
               "l'export.";
    case WarningKind::WithoutBirthDate:
        return "pas de date de naissance : complétez-la dans SIECLE, puis refaites l'export.";
    case WarningKind::EstablishmentMismatch:
        return "l'export indique l'établissement " + value + ", mais son nom donne le code " +
               warning.other +
               ", qui nomme le dossier d'enregistrement. Vérifiez que c'est le bon export, ou "
               "renommez-le sts_emp_" +
               value + "_ANNEE.xml.";
    case WarningKind::SameEstablishmentTwice:
        return "export du même établissement " + value + " que " + warning.other +
               " : ses enseignants sont comptés deux fois et vont dans Litiges.txt. Ne gardez "
               "dans le dossier que l'export le plus récent de chaque établissement.";
    case WarningKind::OtherSchoolYear:
        return "l'export est de l'année scolaire « " + value + " », pas de l'année en cours (" +
               YearSpan(static_cast<long>(warning.number)) +
               ") : refaites l'export depuis SIECLE si vous voulez les élèves de cette année.";
    case WarningKind::ExistingFileUnreadable:
        return "rien n'est comparé, le fichier que l'enregistrement remplacerait ne peut pas être "
               "lu. " +
               value + " Vérifiez ce fichier, ou enregistrez sous un autre nom.";
    case WarningKind::RepresentativesOtherEstablishment:
        return "l'export des responsables est celui de l'établissement " + value + ", pas de " +
               warning.other +
               " : aucune adresse n'en est reprise. Placez à côté de l'export des élèves "
               "l'export « Responsables avec adresses » du même établissement.";
    case WarningKind::RepresentativesOtherYear:
        return "l'export des responsables est de l'année scolaire « " + value +
               " », l'export des élèves de « " + warning.other +
               " » : des adresses ont pu changer. Refaites les deux exports depuis SIECLE.";
    case WarningKind::ResavedBySpreadsheet:
        return "export réenregistré par un tableur : vérifiez les dates et les codes";
    case WarningKind::Utf8DespiteDeclaration:
        return "l'export déclare un codage sur un octet, mais son texte est en UTF-8 : il a été "
               "lu en UTF-8. Vérifiez les accents, ou refaites l'export sans le modifier.";
    case WarningKind::Unwritable:
        return "« " + warning.other +
               " » ne peut pas être écrit en Windows-1252 : le nom est écrit « " + value +
               " ». Corrigez-le dans le fichier écrit si le logiciel le permet.";
    case WarningKind::AccentedAfterFolding:
        return "le nom reste accentué une fois mis en majuscules sans accents : il est écrit « " +
               value + " ». Vérifiez-le dans le logiciel après l'import.";
    case WarningKind::MixedEncodings:
        return "le texte mêle l'UTF-8 et le codage déclaré à partir de cette ligne : des accents "
               "peuvent être altérés. Refaites l'export sans le modifier.";
    }
    return {};
}

std::string Subject(const Origin& origin, const std::string& name, const std::string& firstName) {
    // "Ligne 7" starts a sentence; a file name keeps its case.
    std::string where = OriginText(origin);
    if (origin.line > 0)
        where[0] = 'L';
    const std::string who = name + (name.empty() || firstName.empty() ? "" : " ") + firstName;
    return where + (where.empty() || who.empty() ? "" : " — ") + who;
}

std::string SummaryText(const ConversionReport& report) {
    const bool students = OfStudents(report);
    std::vector<std::string> segments{
        (students ? Counted(report.written, "élève", "élèves")
                  : Counted(report.written, "enseignant", "enseignants")) +
        ", " +
        (students ? Counted(Named(report.groups), "classe", "classes")
                  : Counted(Named(report.groups), "discipline", "disciplines"))};
    std::vector<std::string> notes;
    for (const EntryReason reason : kEntryReasons)
        if (const std::size_t count = report.Count(reason); count > 0)
            notes.push_back(EntryCount(report, reason, count));
    if (report.edited > 0)
        notes.push_back(Counted(report.edited, "ligne modifiée", "lignes modifiées"));
    if (report.addressesFromRepresentatives > 0)
        notes.push_back(
            Counted(report.addressesFromRepresentatives, "adresse reprise", "adresses reprises") +
            " des responsables");
    if (!report.warnings.empty())
        notes.push_back(Counted(report.warnings.size(), "avertissement", "avertissements"));
    if (!notes.empty())
        segments.push_back(Join(notes, ", "));
    if (report.comparison)
        segments.push_back("fichier existant : " + Changes(*report.comparison));
    return Join(segments, " — ");
}

std::vector<DetailLine> DetailLines(const ConversionReport& report) {
    const bool students = OfStudents(report);
    std::vector<DetailLine> lines;
    lines.push_back(
        {DetailKind::Count, "Lus dans l'export : " + std::to_string(report.read) +
                                " — lignes écrites : " + std::to_string(report.written)});
    if (report.addressesFromRepresentatives > 0 || report.phonesFromRepresentatives > 0)
        lines.push_back({DetailKind::Count,
                         "Repris de l'export des responsables : " +
                             Counted(report.addressesFromRepresentatives, "adresse", "adresses") +
                             ", " +
                             Counted(report.phonesFromRepresentatives, "téléphone", "téléphones")});
    if (report.edited > 0)
        lines.push_back({DetailKind::Count,
                         "Lignes modifiées dans l'aperçu : " + std::to_string(report.edited)});
    for (const auto& warning : report.warnings)
        lines.push_back(
            {DetailKind::Warning, Subject(warning.origin, warning.name, warning.firstName) + " : " +
                                      WarningText(warning)});
    for (const auto& entry : report.entries)
        lines.push_back({DetailKind::Entry, Subject(entry.origin, entry.name, entry.firstName) +
                                                " : " + EntryMeaning(report, entry)});
    for (const auto& [group, count] : report.groups) {
        const std::string what = group.empty() ? (students ? "Sans classe" : "Sans discipline")
                                               : (students ? "Classe " : "Discipline ") + group;
        lines.push_back(
            {DetailKind::Group, what + " : " +
                                    (students ? Counted(count, "élève", "élèves")
                                              : Counted(count, "enseignant", "enseignants"))});
    }
    if (const auto& comparison = report.comparison) {
        lines.push_back(
            {DetailKind::Comparison,
             "Fichier existant " + PathText(comparison->file.filename()) + " : " +
                 Changes(*comparison) + ", " +
                 Counted(comparison->unchanged, "ligne inchangée", "lignes inchangées")});
        for (const auto& line : comparison->added)
            lines.push_back({DetailKind::Added, "+ " + Cp1252ToUtf8(line)});
        for (const auto& line : comparison->removed)
            lines.push_back({DetailKind::Removed, "− " + Cp1252ToUtf8(line)});
    }
    return lines;
}

} // namespace tressal
