#include "sts/xml_load.h"

#include "sts/sts_errors.h"

#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace tressal::sts {

void XmlDocDeleter::operator()(_xmlDoc* doc) const noexcept {
    xmlFreeDoc(doc);
}

namespace {

// NONET: never reach the network. NOBLANKS: drop whitespace-only text between
// elements. Entity substitution, DTD loading and huge-document relaxations
// stay off, so libxml2 keeps its default limits (256 levels of nesting...).
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS;

// Characters of the faulty line quoted in a load error.
constexpr std::size_t kQuotedChars = 40;

// xmlCreateMemoryParserCtxt takes an int size.
constexpr std::size_t kMaxBytes = INT_MAX;

// Enough to pick the relevant one; a broken document can report many.
constexpr std::size_t kMaxKeptErrors = 64;

const char* const kNotFound = "Le fichier est introuvable";
const char* const kAccessDenied = "Accès refusé";
const char* const kUnreadable = "Le fichier ne peut pas être lu";
const char* const kEntityRefused = "Les déclarations d'entités ne sont pas acceptées";
const char* const kExternalDtdRefused = "Les DTD externes ne sont pas acceptées";

struct ReportedError {
    int domain = 0;
    int code = 0;
    int level = 0;
    int line = 0;
    int int1 = 0;
    std::string message;
    std::string str1;
    std::string str2;
};

struct ParseState {
    xmlParserCtxtPtr ctxt = nullptr;
    std::vector<ReportedError> errors;
    // Name of the input converter, kept to decode the faulty line later
    // (libxml2 frees it when it halts). Empty: the input is read as UTF-8.
    std::string encoding;
    int doctypeLine = 0;
    // Our own reason for stopping the parser, if any.
    std::string refusal;
    int refusalLine = 0;
};

// The parse in progress on this thread, for the SAX callbacks.
thread_local ParseState* tParse = nullptr;

std::string Copy(const char* text) {
    return text == nullptr ? std::string() : std::string(text);
}

void NoteEncoding(ParseState& state) {
    const xmlParserCtxtPtr ctxt = state.ctxt;
    if (ctxt != nullptr && ctxt->input != nullptr && ctxt->input->buf != nullptr &&
        ctxt->input->buf->encoder != nullptr && ctxt->input->buf->encoder->name != nullptr) {
        state.encoding = ctxt->input->buf->encoder->name;
    }
}

void OnStructuredError(void* userData, xmlErrorPtr error) {
    auto* state = static_cast<ParseState*>(userData);
    if (state == nullptr || error == nullptr) {
        return;
    }
    NoteEncoding(*state);
    if (error->level < XML_ERR_ERROR || state->errors.size() >= kMaxKeptErrors) {
        return;
    }
    state->errors.push_back({error->domain, error->code, error->level, error->line, error->int1,
                             Copy(error->message), Copy(error->str1), Copy(error->str2)});
}

void IgnoreGenericError(void* /*context*/, const char* /*format*/, ...) {}

// Routes libxml2's reports to the parse state for as long as it lives, so
// nothing reaches the terminal; the previous handlers come back afterwards.
class ErrorCapture {
public:
    explicit ErrorCapture(ParseState* state)
        : structured_(xmlStructuredError), structuredContext_(xmlStructuredErrorContext),
          generic_(xmlGenericError), genericContext_(xmlGenericErrorContext),
          previousParse_(tParse) {
        xmlSetStructuredErrorFunc(state, &OnStructuredError);
        xmlSetGenericErrorFunc(nullptr, &IgnoreGenericError);
        tParse = state;
    }
    ~ErrorCapture() {
        tParse = previousParse_;
        xmlSetGenericErrorFunc(genericContext_, generic_);
        xmlSetStructuredErrorFunc(structuredContext_, structured_);
    }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

private:
    xmlStructuredErrorFunc structured_;
    void* structuredContext_;
    xmlGenericErrorFunc generic_;
    void* genericContext_;
    ParseState* previousParse_;
};

void Refuse(void* context, const char* reason) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    ParseState* state = tParse;
    if (state != nullptr && state->refusal.empty()) {
        state->refusal = reason;
        state->refusalLine = state->doctypeLine;
        if (state->refusalLine == 0 && ctxt->input != nullptr) {
            state->refusalLine = ctxt->input->line;
        }
        NoteEncoding(*state);
    }
    xmlStopParser(ctxt);
}

void OnInternalSubset(void* context, const xmlChar* name, const xmlChar* externalId,
                      const xmlChar* systemId) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    if (tParse != nullptr && ctxt->input != nullptr) {
        tParse->doctypeLine = ctxt->input->line;
    }
    if (externalId != nullptr || systemId != nullptr) {
        Refuse(context, kExternalDtdRefused);
        return;
    }
    xmlSAX2InternalSubset(context, name, externalId, systemId);
}

void OnEntityDecl(void* context, const xmlChar* /*name*/, int /*type*/, const xmlChar* /*publicId*/,
                  const xmlChar* /*systemId*/, xmlChar* /*content*/) {
    Refuse(context, kEntityRefused);
}

void OnUnparsedEntityDecl(void* context, const xmlChar* /*name*/, const xmlChar* /*publicId*/,
                          const xmlChar* /*systemId*/, const xmlChar* /*notationName*/) {
    Refuse(context, kEntityRefused);
}

void OnExternalSubset(void* /*context*/, const xmlChar* /*name*/, const xmlChar* /*externalId*/,
                      const xmlChar* /*systemId*/) {}

xmlParserInputPtr OnResolveEntity(void* /*context*/, const xmlChar* /*publicId*/,
                                  const xmlChar* /*systemId*/) {
    return nullptr;
}

struct ParserCtxtDeleter {
    void operator()(xmlParserCtxt* ctxt) const noexcept { xmlFreeParserCtxt(ctxt); }
};
using ParserCtxtPtr = std::unique_ptr<xmlParserCtxt, ParserCtxtDeleter>;

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// The parser's reason in French for the frequent errors, libxml2's own
// English text otherwise.
std::string Reason(const ReportedError& error) {
    const std::string& s1 = error.str1;
    const std::string line = std::to_string(error.int1);
    if (error.domain == XML_FROM_I18N) {
        return "Erreur de codage des caractères : le texte ne respecte pas le codage déclaré";
    }
    switch (error.code) {
    case XML_ERR_NO_MEMORY:
        return "Mémoire insuffisante";
    case XML_ERR_INTERNAL_ERROR:
        if (StartsWith(error.message, "Excessive depth")) {
            return "Imbrication des éléments trop profonde (plus de " + line + " niveaux)";
        }
        break;
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
            return "Erreur de codage des caractères : le texte n'est pas de l'UTF-8 valide";
        }
        return "Caractère non autorisé";
    case XML_ERR_INVALID_ENCODING:
        return "Erreur de codage des caractères : le texte ne respecte pas le codage déclaré";
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

// The error to report: the first fatal one, else the first one. When it
// carries no line (conversion errors), the next reported line stands in.
void PickError(const std::vector<ReportedError>& errors, std::string& reason, int& line) {
    std::size_t chosen = 0;
    while (chosen < errors.size() && errors[chosen].level != XML_ERR_FATAL) {
        ++chosen;
    }
    if (chosen == errors.size()) {
        chosen = 0;
    }
    reason = Reason(errors[chosen]);
    line = errors[chosen].line;
    for (std::size_t i = chosen + 1; line == 0 && i < errors.size(); ++i) {
        line = errors[i].line;
    }
}

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > bytes.size() || byte(pos + 1) < low || byte(pos + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// Bytes taken as UTF-8, each invalid byte becoming U+FFFD.
std::string SanitizeUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            ++pos;
        } else {
            text.append(bytes, pos, length);
            pos += length;
        }
    }
    return text;
}

struct BufferDeleter {
    void operator()(xmlBuffer* buffer) const noexcept { xmlBufferFree(buffer); }
};
using BufferPtr = std::unique_ptr<xmlBuffer, BufferDeleter>;

// Bytes in the named encoding to UTF-8, with the converter libxml2 used for
// the parse; a byte it rejects becomes U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, const std::string& encoding) {
    xmlCharEncodingHandlerPtr handler =
        encoding.empty() ? nullptr : xmlFindCharEncodingHandler(encoding.c_str());
    if (handler == nullptr) {
        return SanitizeUtf8(bytes);
    }
    constexpr std::size_t kChunk = 1 << 16;
    BufferPtr in(xmlBufferCreate());
    BufferPtr out(xmlBufferCreate());
    std::size_t pos = 0;
    while (in != nullptr && out != nullptr) {
        if (pos < bytes.size() && static_cast<std::size_t>(xmlBufferLength(in.get())) < kChunk) {
            const std::size_t size = std::min(kChunk, bytes.size() - pos);
            xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(bytes.data() + pos),
                         static_cast<int>(size));
            pos += size;
        }
        const int before = xmlBufferLength(in.get());
        if (before == 0) {
            break;
        }
        const int result = xmlCharEncInFunc(handler, out.get(), in.get());
        if (result == -2) {
            xmlBufferAdd(out.get(), reinterpret_cast<const xmlChar*>("\xEF\xBF\xBD"), 3);
            xmlBufferShrink(in.get(), 1);
        } else if (xmlBufferLength(in.get()) == before && pos >= bytes.size()) {
            break; // a truncated sequence at the very end
        }
    }
    xmlCharEncCloseFunc(handler);
    if (out == nullptr) {
        return {};
    }
    return SanitizeUtf8(std::string_view(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                                         static_cast<std::size_t>(xmlBufferLength(out.get()))));
}

// The first characters of line `line` (1-based, lines end at LF as libxml2
// counts them) of the document, in UTF-8.
std::string QuotedLine(std::string_view bytes, const std::string& encoding, int line) {
    if (line <= 0) {
        return {};
    }
    const std::string text = DecodeToUtf8(bytes, encoding);
    std::string_view rest(text);
    if (rest.starts_with("\xEF\xBB\xBF")) {
        rest.remove_prefix(3);
    }
    for (int i = 1; i < line; ++i) {
        const std::size_t lf = rest.find('\n');
        if (lf == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(lf + 1);
    }
    rest = rest.substr(0, rest.find('\n'));
    if (rest.ends_with('\r')) {
        rest.remove_suffix(1);
    }
    std::size_t chars = 0;
    std::size_t end = 0;
    for (; end < rest.size(); ++end) {
        if ((static_cast<unsigned char>(rest[end]) & 0xC0) != 0x80 && chars++ == kQuotedChars) {
            break;
        }
    }
    return std::string(rest.substr(0, end));
}

} // namespace

XmlDocPtr ParseXml(std::string_view bytes) {
    if (bytes.empty()) {
        throw LoadError("Le document est vide", 1, "");
    }
    if (bytes.size() > kMaxBytes) {
        throw LoadError("Le fichier est trop volumineux", 0, "");
    }
    xmlInitParser();
    ParseState state;
    ErrorCapture capture(&state);
    ParserCtxtPtr ctxt(xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (ctxt == nullptr) {
        throw LoadError("Mémoire insuffisante", 0, "");
    }
    state.ctxt = ctxt.get();
    xmlCtxtUseOptions(ctxt.get(), kParseOptions);
    xmlSAXHandler* sax = ctxt->sax;
    sax->internalSubset = &OnInternalSubset;
    sax->externalSubset = &OnExternalSubset;
    sax->entityDecl = &OnEntityDecl;
    sax->unparsedEntityDecl = &OnUnparsedEntityDecl;
    sax->resolveEntity = &OnResolveEntity;

    xmlParseDocument(ctxt.get());

    XmlDocPtr doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    const bool wellFormed = ctxt->wellFormed != 0;
    const int lastLine = ctxt->input != nullptr ? ctxt->input->line : 0;
    state.ctxt = nullptr;
    ctxt.reset();
    if (state.refusal.empty() && wellFormed && doc != nullptr) {
        return doc;
    }
    doc.reset();

    std::string reason;
    int line = 0;
    if (!state.refusal.empty()) {
        reason = state.refusal;
        line = state.refusalLine;
    } else if (!state.errors.empty()) {
        PickError(state.errors, reason, line);
    } else {
        reason = "Le document XML n'est pas bien formé";
        line = lastLine;
    }
    throw LoadError(reason, line, QuotedLine(bytes, state.encoding, line));
}

XmlDocPtr LoadXmlFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    if (path.empty()) {
        throw LoadError("Aucun fichier n'est indiqué", 0, "");
    }
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        throw LoadError(kNotFound, 0, "");
    }
    if (ec) {
        throw LoadError(ec == std::errc::permission_denied ? kAccessDenied : kUnreadable, 0, "");
    }
    if (fs::is_directory(status)) {
        throw LoadError(kAccessDenied, 0, "");
    }
    if (!fs::is_regular_file(status)) {
        throw LoadError(kUnreadable, 0, ""); // devices and pipes may never end
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        throw LoadError(error == EACCES || error == EPERM ? kAccessDenied
                        : error == ENOENT                 ? kNotFound
                                                          : kUnreadable,
                        0, "");
    }
    std::string bytes;
    std::vector<char> chunk(1 << 16);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + count > kMaxBytes) {
            throw LoadError("Le fichier est trop volumineux", 0, "");
        }
        bytes.append(chunk.data(), count);
    }
    if (in.bad()) {
        throw LoadError(kUnreadable, 0, "");
    }
    return ParseXml(bytes);
}

} // namespace tressal::sts
