#include "sts/safe_parse.h"

#include <libxml/SAX2.h>

#include <cstddef>

namespace tressal::sts {
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
    if (const auto next = ReportOf(context).startElement)
        next(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaulted,
             attributes);
}

xmlParserInputPtr OnResolveEntity(void* /*context*/, const xmlChar* /*publicId*/,
                                  const xmlChar* /*systemId*/) {
    return nullptr;
}

} // namespace

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
        sax->startElementNs = &OnStartElement;
    }
}

} // namespace tressal::sts
