#pragma once

// The settings under which every XML document of the program is parsed:
// nothing is fetched from outside, a DOCTYPE that declares an entity or names
// an external DTD stops the parse, so does an XInclude element, and libxml2's reports are collected
// instead of printed.

#include "xml/error_messages.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlversion.h>

#include <cstddef>

#include <string>
#include <vector>

namespace tressal::xml {

// libxml2 2.12 made the error handed to a structured error handler const.
#if LIBXML_VERSION >= 21200
using XmlErrorArgument = const xmlError*;
#else
using XmlErrorArgument = xmlError*;
#endif

// NONET: never reach the network. NOBLANKS: drop whitespace-only text between
// elements. COMPACT: short texts live inside their node (read-only use).
// Entity substitution, DTD loading and huge-document relaxations stay off, so
// libxml2 keeps its default limits (256 levels of nesting...).
// The longest value read from XML, attribute or text: libxml2's own limit on
// an attribute, far above any real value.
constexpr std::size_t kMaxValueBytes = 10'000'000;

// "Valeur trop longue (plus de 10 000 000 caractères)…", naming the element
// when it is known.
std::string ValueTooLong(const std::string& element);

constexpr int kSafeParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;

// What one parse reported besides its document.
struct ParseReport {
    std::vector<ReportedError> errors;
    int doctypeLine = 0;
    // Our own reason for stopping the parser, if any, and where it stopped.
    std::string refusal;
    int refusalLine = 0;
    // The handlers the safe parse checks each element and each value before.
    startElementNsSAX2Func startElement = nullptr;
    endElementNsSAX2Func endElement = nullptr;
    charactersSAXFunc characters = nullptr;
    cdataBlockSAXFunc cdataBlock = nullptr;
    // The text of the element last opened, counted against kMaxValueBytes.
    std::string valueElement;
    std::size_t valueBytes = 0;
};

// Routes libxml2's reports to the report for as long as it lives, so nothing
// reaches the terminal; the previous handlers come back afterwards.
class ErrorCapture {
public:
    explicit ErrorCapture(ParseReport& report);
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

private:
    xmlStructuredErrorFunc structured_;
    void* structuredContext_;
    xmlGenericErrorFunc generic_;
    void* genericContext_;
};

// Sets the handlers of the safe parse on a parser context, to parse with
// kSafeParseOptions; the refusals go to the report, which must outlive the
// parse.
void ApplySafeSettings(xmlParserCtxt* ctxt, ParseReport& report);

} // namespace tressal::xml
