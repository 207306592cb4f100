#include "xml/source_text.h"

#include "text/utf8.h"
#include "xml/errors.h"
#include "xml/single_byte_decoders.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstddef>
#include <memory>

namespace tressal::xml {
namespace {

constexpr std::size_t kQuotedChars = 40;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr const char* kReplacement = "\xEF\xBF\xBD";

struct BufferDeleter {
    void operator()(xmlBuffer* buffer) const noexcept { xmlBufferFree(buffer); }
};
using BufferPtr = std::unique_ptr<xmlBuffer, BufferDeleter>;

BufferPtr BufferOf(const xmlChar* bytes, std::size_t size) {
    BufferPtr buffer(xmlBufferCreate());
    if (buffer != nullptr && size > 0)
        xmlBufferAdd(buffer.get(), bytes, static_cast<int>(size));
    return buffer;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named by the XML declaration that opens the document, or "".
std::string DeclaredEncoding(std::string_view document) {
    if (!document.starts_with("<?xml"))
        return {};
    const std::string_view declaration = document.substr(0, document.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return {};
    at += 8;
    while (at < declaration.size() && IsBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || declaration[at] != '=')
        return {};
    ++at;
    while (at < declaration.size() && IsBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos)
        return {};
    return std::string(declaration.substr(at + 1, end - at - 1));
}

// The converter libxml2 reads the document with; null for UTF-8.
xmlCharEncodingHandler* DecoderFor(std::string_view document) {
    if (document.starts_with(kUtf8Bom))
        return nullptr;
    const xmlCharEncoding detected =
        xmlDetectCharEncoding(reinterpret_cast<const unsigned char*>(document.data()),
                              static_cast<int>(std::min<std::size_t>(document.size(), 4)));
    if (detected != XML_CHAR_ENCODING_NONE && detected != XML_CHAR_ENCODING_UTF8)
        return xmlGetCharEncodingHandler(detected);
    const std::string declared = DeclaredEncoding(document);
    std::string upper(declared);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    if (declared.empty() || upper == "UTF-8" || upper == "UTF8")
        return nullptr;
    return xmlFindCharEncodingHandler(declared.c_str());
}

} // namespace

SourceText::SourceText(const ByteSource& document, const std::set<int>& wantedLines)
    : wanted_(wantedLines) {
    // Decoded as the tree would be, on every system alike.
    RegisterSingleByteDecoders();
    constexpr std::size_t kChunk = 1 << 16;
    std::string start(kChunk, '\0');
    start.resize(document(start.data(), start.size()));
    xmlCharEncodingHandler* const handler = DecoderFor(start);
    readAsUtf8_ = handler == nullptr;
    if (handler == nullptr) {
        // Sanitized when quoted: a line's start holds whole characters.
        for (std::size_t got = start.size(); got > 0; got = document(start.data(), kChunk)) {
            Feed(std::string_view(start.data(), got));
            start.resize(kChunk);
        }
        EndLine();
        return;
    }
    BufferPtr in = BufferOf(reinterpret_cast<const xmlChar*>(start.data()), start.size());
    BufferPtr out = BufferOf(nullptr, 0);
    bool more = !start.empty();
    const auto takeOut = [&] {
        Feed(std::string_view(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                              static_cast<std::size_t>(xmlBufferLength(out.get()))));
        xmlBufferEmpty(out.get());
    };
    while (in != nullptr && out != nullptr) {
        if (more && static_cast<std::size_t>(xmlBufferLength(in.get())) < kChunk) {
            const std::size_t got = document(start.data(), kChunk);
            more = got > 0;
            xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(start.data()),
                         static_cast<int>(got));
        }
        const int before = xmlBufferLength(in.get());
        if (before == 0)
            break;
        const int result = xmlCharEncInFunc(handler, out.get(), in.get());
        takeOut();
        if (result == -2) {
            // The byte the converter refused: skipped, and marked.
            if (firstUndecodableLine_ == 0) {
                firstUndecodableLine_ = line_;
                wanted_.insert(line_);
            }
            Feed(kReplacement);
            in = BufferOf(xmlBufferContent(in.get()) + 1,
                          static_cast<std::size_t>(xmlBufferLength(in.get()) - 1));
        } else if (xmlBufferLength(in.get()) == before && !more) {
            break; // a truncated sequence at the very end
        }
    }
    xmlCharEncCloseFunc(handler);
    EndLine();
}

void SourceText::Feed(std::string_view utf8) {
    // Enough bytes for the quoted characters, each of up to four bytes.
    constexpr std::size_t kKeptBytes = 4 * kQuotedChars + 8;
    while (!utf8.empty()) {
        const std::size_t lf = utf8.find('\n');
        const std::string_view piece = utf8.substr(0, lf);
        if (current_.size() < kKeptBytes)
            current_.append(piece.substr(0, kKeptBytes - current_.size()));
        if (lf == std::string_view::npos)
            return;
        EndLine();
        ++line_;
        utf8.remove_prefix(lf + 1);
    }
}

void SourceText::EndLine() {
    if (wanted_.contains(line_))
        kept_[line_] = current_;
    current_.clear();
}

std::string SourceText::Quote(int line) const {
    const auto found = kept_.find(line);
    if (line <= 0 || found == kept_.end())
        return {};
    std::string_view rest(found->second);
    if (line == 1 && rest.starts_with(kUtf8Bom))
        rest.remove_prefix(kUtf8Bom.size());
    if (rest.ends_with('\r'))
        rest.remove_suffix(1);
    const std::string text = SanitizeUtf8(rest);
    std::size_t chars = 0;
    std::size_t end = 0;
    for (; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && chars++ == kQuotedChars)
            break;
    }
    return EscapeControls(std::string_view(text).substr(0, end));
}

void ThrowParseError(const ParseReport& report, int lastLine, const ByteSource& document) {
    std::set<int> lines{lastLine, report.refusalLine};
    for (const ReportedError& error : report.errors)
        lines.insert(error.line);
    const SourceText source(document, lines);
    ChosenError chosen{"Le document XML n'est pas bien formé", lastLine};
    if (!report.refusal.empty()) {
        chosen = {report.refusal, report.refusalLine};
    } else if (!report.errors.empty()) {
        chosen = ChooseError(report.errors, {source.ReadAsUtf8(), source.FirstUndecodableLine()});
    }
    throw LoadError(chosen.reason, chosen.line, source.Quote(chosen.line), chosen.column);
}

} // namespace tressal::xml
