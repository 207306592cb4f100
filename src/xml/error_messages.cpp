#include "xml/error_messages.h"

#include "xml/safe_parse.h"

#include <libxml/xmlerror.h>

#include <cstddef>

namespace tressal::xml {
namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

const char* const kNotUtf8 =
    "Erreur de codage des caractères : le texte n'est pas de l'UTF-8 valide";
const char* const kNotAsDeclared =
    "Erreur de codage des caractères : le texte ne respecte pas le codage déclaré";

// A byte sequence that the document's encoding does not allow: libxml2 2.9
// reports it from the converter (I18N), later versions as an invalid encoding.
bool IsEncodingError(const ReportedError& error) {
    return error.domain == XML_FROM_I18N || error.code == XML_ERR_INVALID_ENCODING;
}

} // namespace

std::string FrenchReason(const ReportedError& error, bool readAsUtf8) {
    const std::string& s1 = error.str1;
    const std::string line = std::to_string(error.int1);
    if (IsEncodingError(error)) {
        return readAsUtf8 && error.domain != XML_FROM_I18N ? kNotUtf8 : kNotAsDeclared;
    }
    // libxml2's limit on one value (10,000,000 bytes): 2.9 names the attribute,
    // later versions the buffer that holds it.
    if (error.message.find("AttValue length too long") != std::string::npos ||
        error.message.find("Buffer size limit exceeded") != std::string::npos) {
        return ValueTooLong("");
    }
    // An internal error in libxml2 2.9, a resource limit later.
    if (StartsWith(error.message, "Excessive depth")) {
        return "Imbrication des éléments trop profonde (plus de " + line + " niveaux)";
    }
    switch (error.code) {
    case XML_ERR_NO_MEMORY:
        return "Mémoire insuffisante";
    case XML_ERR_DOCUMENT_EMPTY:
        if (StartsWith(error.message, "Start tag expected")) {
            return "Balise de début attendue, '<' introuvable";
        }
        return "Le document est vide";
    case XML_ERR_DOCUMENT_END:
    case XML_ERR_EXTRA_CONTENT:
        return "Contenu en trop après la fin du document";
    case XML_ERR_INVALID_CHAR:
        if (StartsWith(error.message, "Input is not proper UTF-8")) {
            return kNotUtf8;
        }
        return "Caractère non autorisé";
    case XML_ERR_UNSUPPORTED_ENCODING:
    case XML_ERR_UNKNOWN_ENCODING:
        return "Codage des caractères non pris en charge : " + s1;
    case XML_ERR_INVALID_HEX_CHARREF:
    case XML_ERR_INVALID_DEC_CHARREF:
    case XML_ERR_INVALID_CHARREF:
        return "Référence de caractère incorrecte";
    case XML_ERR_UNDECLARED_ENTITY:
        return "Entité '" + s1 + "' non définie";
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        return "Point-virgule attendu à la fin d'une référence d'entité";
    case XML_ERR_LT_IN_ATTRIBUTE:
        return "Caractère '<' interdit dans la valeur d'un attribut";
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
        return "Valeur d'attribut attendue entre guillemets";
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
        return "Valeur d'attribut non terminée";
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
        return "Attribut '" + s1 + "' sans valeur";
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return "Attribut '" + s1 + "' en double";
    case XML_ERR_COMMENT_NOT_FINISHED:
        // libxml2 stops a comment at its limit on one value.
        if (error.message.find("too big") != std::string::npos)
            return "Commentaire trop long (plus de 10 000 000 caractères) : le fichier est abîmé "
                   "ou ce n'est pas un export ; refaites l'export";
        return "Commentaire non terminé";
    case XML_ERR_HYPHEN_IN_COMMENT:
        return "Double tiret dans un commentaire";
    case XML_ERR_CDATA_NOT_FINISHED:
        return "Section CDATA non terminée";
    case XML_ERR_XMLDECL_NOT_FINISHED:
        return "Déclaration XML non terminée, '?>' attendu";
    case XML_ERR_RESERVED_XML_NAME:
        return "Déclaration XML permise seulement au début du document";
    case XML_ERR_NAME_REQUIRED:
        return "Nom d'élément incorrect";
    case XML_ERR_GT_REQUIRED:
        return "Fin de la balise de début <" + s1 + "> introuvable";
    case XML_ERR_TAG_NAME_MISMATCH:
        return "La balise de fin </" + error.str2 + "> ne correspond pas à la balise de début <" +
               s1 + "> de la ligne " + line;
    case XML_ERR_TAG_NOT_FINISHED:
        return "Fin prématurée des données dans la balise <" + s1 + "> de la ligne " + line;
    default:
        break;
    }
    const std::string own = TrimEnd(error.message);
    return own.empty() ? "Le document XML n'est pas bien formé" : own;
}

ChosenError ChooseError(const std::vector<ReportedError>& errors, const EncodingFacts& facts) {
    std::size_t chosen = 0;
    while (chosen < errors.size() && errors[chosen].level != XML_ERR_FATAL) {
        ++chosen;
    }
    if (chosen == errors.size()) {
        chosen = 0;
    }
    const ReportedError& error = errors[chosen];
    ChosenError result{FrenchReason(error, facts.readAsUtf8), error.line};
    if (IsEncodingError(error) && !facts.readAsUtf8 && facts.firstUndecodableLine > 0) {
        // The converter may run ahead of the parser: the byte itself tells the line.
        result.line = facts.firstUndecodableLine;
        return result;
    }
    for (std::size_t i = chosen + 1; result.line == 0 && i < errors.size(); ++i) {
        result.line = errors[i].line;
    }
    return result;
}

} // namespace tressal::xml
