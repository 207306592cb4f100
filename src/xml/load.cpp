#include "xml/load.h"

#include "text/files.h"
#include "xml/errors.h"
#include "xml/safe_parse.h"
#include "xml/single_byte_decoders.h"
#include "xml/source_text.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <memory>
#include <string>

namespace tressal::xml {

void XmlDocDeleter::operator()(_xmlDoc* doc) const noexcept {
    xmlFreeDoc(doc);
}

namespace {

// xmlCtxtReadMemory takes an int size; files are bounded lower by the reader.
constexpr std::size_t kMaxBytes = INT_MAX;

const char* const kAccessDenied = "Accès refusé";
const char* const kUnreadable = "Le fichier ne peut pas être lu";
const char* const kTooBig = "Le fichier est trop volumineux";

struct ParserCtxtDeleter {
    void operator()(xmlParserCtxt* ctxt) const noexcept { xmlFreeParserCtxt(ctxt); }
};
using ParserCtxtPtr = std::unique_ptr<xmlParserCtxt, ParserCtxtDeleter>;

std::string NotFound(const std::filesystem::path& path) {
    return "Le fichier « " + PathText(path) + " » est introuvable";
}

// The reason for a file that could not be read, in the loader's words.
std::string ReadFailureReason(const std::filesystem::path& path, const FileBytes& read) {
    if (std::string refused = RefusedFileMessage(path, read); !refused.empty()) {
        return refused;
    }
    switch (read.problem) {
    case ReadProblem::NotFound:
        return NotFound(path);
    case ReadProblem::Folder:
        return "« " + PathText(path) +
               " » est un dossier : choisissez le fichier de l'export qu'il contient "
               "(sts_emp_….xml).";
    case ReadProblem::CannotOpen:
        return read.errorNumber == EACCES || read.errorNumber == EPERM ? kAccessDenied
               : read.errorNumber == ENOENT                            ? NotFound(path)
                                                                       : kUnreadable;
    default:
        return kUnreadable;
    }
}

} // namespace

XmlDocPtr ParseXml(std::string_view bytes) {
    if (bytes.empty()) {
        throw LoadError("Le document est vide", 1, "");
    }
    if (bytes.size() > kMaxBytes) {
        throw LoadError(kTooBig, 0, "");
    }
    RegisterSingleByteDecoders();
    ParseReport report;
    // Lives until the load error is built: decoding the source text may report too.
    ErrorCapture capture(report);
    ParserCtxtPtr ctxt(xmlNewParserCtxt());
    if (ctxt == nullptr) {
        throw LoadError("Mémoire insuffisante", 0, "");
    }
    ApplySafeSettings(ctxt.get(), report);
    // Only a well-formed document comes back.
    XmlDocPtr doc(xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, nullptr, kSafeParseOptions));
    const bool wellFormed = ctxt->wellFormed != 0;
    const int lastLine = xmlSAX2GetLineNumber(ctxt.get());
    ctxt.reset();
    if (report.refusal.empty() && wellFormed && doc != nullptr) {
        return doc;
    }
    doc.reset();
    ThrowParseError(report, lastLine, MemorySource(bytes));
}

void ThrowUnreadFile(const std::filesystem::path& path, const FileBytes& read) {
    throw LoadError(ReadFailureReason(path, read), 0, "");
}

XmlDocPtr LoadXmlFile(const std::filesystem::path& path) {
    if (path.empty()) {
        throw LoadError("Aucun fichier n'est indiqué", 0, "");
    }
    const FileBytes read = ReadFileBytes(path, ReadRules());
    if (read.problem != ReadProblem::None) {
        ThrowUnreadFile(path, read);
    }
    return ParseXml(read.bytes);
}

} // namespace tressal::xml
