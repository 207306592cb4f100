#include "xml/safe_parse.h"

#include <libxml/SAX2.h>

#include <algorithm>
#include <cstddef>

namespace tressal::xml {
namespace {

// Enough to pick the relevant one; a broken document can report many.
constexpr std::size_t kMaxKeptErrors = 64;

const char* const kEntityRefused = "Les déclarations d'entités ne sont pas acceptées";
const char* const kExternalDtdRefused = "Les DTD externes ne sont pas acceptées";

std::string Copy(const char* text) {
    return text == nullptr ? std::string() : std::string(text);
}

void OnStructuredError(void* userData, XmlErrorArgument error) {
    auto* report = static_cast<ParseReport*>(userData);
    if (report == nullptr || error == nullptr || error->level < XML_ERR_ERROR ||
        report->errors.size() >= kMaxKeptErrors) {
        return;
    }
    report->errors.push_back({error->domain, error->code, error->level, error->line, error->int1,
                              Copy(error->message), Copy(error->str1), Copy(error->str2)});
}

void IgnoreGenericError(void* /*context*/, const char* /*format*/, ...) {}

ParseReport& ReportOf(void* context) {
    return *static_cast<ParseReport*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void Refuse(void* context, const std::string& reason) {
    ParseReport& report = ReportOf(context);
    if (report.refusal.empty()) {
        report.refusal = reason;
        report.refusalLine =
            report.doctypeLine != 0 ? report.doctypeLine : xmlSAX2GetLineNumber(context);
    }
    xmlStopParser(static_cast<xmlParserCtxtPtr>(context));
}

void OnInternalSubset(void* context, const xmlChar* name, const xmlChar* externalId,
                      const xmlChar* systemId) {
    ReportOf(context).doctypeLine = xmlSAX2GetLineNumber(context);
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

// An export never includes another file: an XInclude element is refused,
// whether or not anything would follow it.
// A piece of text of the element last opened: refused once the element's
// text passes the bound, else handed on.
template <typename Next>
void OnValue(void* context, const xmlChar* text, int length, Next ParseReport::*next) {
    ParseReport& report = ReportOf(context);
    report.valueBytes += static_cast<std::size_t>(std::max(length, 0));
    // After an error of its own, libxml2 may still hand over what it skips.
    const bool failed = static_cast<xmlParserCtxtPtr>(context)->wellFormed == 0;
    if (report.valueBytes > kMaxValueBytes && !failed) {
        Refuse(context, ValueTooLong(report.valueElement));
        return;
    }
    if (report.*next)
        (report.*next)(context, text, length);
}

void OnCharacters(void* context, const xmlChar* text, int length) {
    OnValue(context, text, length, &ParseReport::characters);
}

void OnCdataBlock(void* context, const xmlChar* text, int length) {
    OnValue(context, text, length, &ParseReport::cdataBlock);
}

void OnEndElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                  const xmlChar* uri) {
    ParseReport& report = ReportOf(context);
    report.valueBytes = 0;
    if (report.endElement)
        report.endElement(context, localName, prefix, uri);
}

void OnStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                    const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                    int attributeCount, int defaulted, const xmlChar** attributes) {
    const std::string space = Copy(reinterpret_cast<const char*>(uri));
    if (space.starts_with("http://www.w3.org/2001/XInclude") ||
        space.starts_with("http://www.w3.org/2003/XInclude")) {
        const std::string name = (prefix ? Copy(reinterpret_cast<const char*>(prefix)) + ":" : "") +
                                 Copy(reinterpret_cast<const char*>(localName));
        Refuse(context, "L'élément « " + name +
                            " » demande d'inclure un autre fichier (XInclude), ce qu'un export ne "
                            "fait pas : refaites l'export sans le modifier");
        return;
    }
    ParseReport& report = ReportOf(context);
    report.valueElement = Copy(reinterpret_cast<const char*>(localName));
    report.valueBytes = 0;
    if (const auto next = report.startElement)
        next(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaulted,
             attributes);
}

xmlParserInputPtr OnResolveEntity(void* /*context*/, const xmlChar* /*publicId*/,
                                  const xmlChar* /*systemId*/) {
    return nullptr;
}

} // namespace

std::string ValueTooLong(const std::string& element) {
    return "Valeur trop longue (plus de 10 000 000 caractères)" +
           (element.empty() ? std::string() : " dans l'élément « " + element + " »") +
           " : le fichier est abîmé ou ce n'est pas un export ; refaites l'export";
}

ErrorCapture::ErrorCapture(ParseReport& report)
    : structured_(xmlStructuredError), structuredContext_(xmlStructuredErrorContext),
      generic_(xmlGenericError), genericContext_(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(&report, &OnStructuredError);
    xmlSetGenericErrorFunc(nullptr, &IgnoreGenericError);
}

ErrorCapture::~ErrorCapture() {
    xmlSetGenericErrorFunc(genericContext_, generic_);
    xmlSetStructuredErrorFunc(structuredContext_, structured_);
}

void ApplySafeSettings(xmlParserCtxt* ctxt, ParseReport& report) {
    ctxt->_private = &report;
    xmlSAXHandler* sax = ctxt->sax;
    sax->internalSubset = &OnInternalSubset;
    sax->externalSubset = &OnExternalSubset;
    sax->entityDecl = &OnEntityDecl;
    sax->unparsedEntityDecl = &OnUnparsedEntityDecl;
    sax->resolveEntity = &OnResolveEntity;
    if (sax->startElementNs != &OnStartElement) {
        report.startElement = sax->startElementNs;
        report.endElement = sax->endElementNs;
        report.characters = sax->characters;
        report.cdataBlock = sax->cdataBlock;
        sax->startElementNs = &OnStartElement;
        sax->endElementNs = &OnEndElement;
        sax->characters = &OnCharacters;
        sax->cdataBlock = &OnCdataBlock;
    }
}

} // namespace tressal::xml
