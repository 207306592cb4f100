#include "xml/source_text.h"

#include "text/utf8.h"

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

int LineAt(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

SourceText::SourceText(std::string_view document) {
    xmlCharEncodingHandler* const handler = DecoderFor(document);
    readAsUtf8_ = handler == nullptr;
    if (handler == nullptr) {
        text_ = SanitizeUtf8(document);
        return;
    }
    constexpr std::size_t kChunk = 1 << 16;
    const auto* bytes = reinterpret_cast<const xmlChar*>(document.data());
    BufferPtr in = BufferOf(bytes, 0);
    BufferPtr out = BufferOf(bytes, 0);
    std::size_t pos = 0;
    while (in != nullptr && out != nullptr) {
        if (pos < document.size() && static_cast<std::size_t>(xmlBufferLength(in.get())) < kChunk) {
            const std::size_t size = std::min(kChunk, document.size() - pos);
            xmlBufferAdd(in.get(), bytes + pos, static_cast<int>(size));
            pos += size;
        }
        const int before = xmlBufferLength(in.get());
        if (before == 0)
            break;
        const int result = xmlCharEncInFunc(handler, out.get(), in.get());
        if (result == -2) {
            // The byte the converter refused: skipped, and marked.
            if (firstUndecodableLine_ == 0) {
                firstUndecodableLine_ = LineAt(
                    std::string_view(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                                     static_cast<std::size_t>(xmlBufferLength(out.get()))));
            }
            xmlBufferAdd(out.get(), reinterpret_cast<const xmlChar*>(kReplacement), 3);
            in = BufferOf(xmlBufferContent(in.get()) + 1,
                          static_cast<std::size_t>(xmlBufferLength(in.get()) - 1));
        } else if (xmlBufferLength(in.get()) == before && pos >= document.size()) {
            break; // a truncated sequence at the very end
        }
    }
    xmlCharEncCloseFunc(handler);
    if (out != nullptr) {
        text_ = SanitizeUtf8(
            std::string_view(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                             static_cast<std::size_t>(xmlBufferLength(out.get()))));
    }
}

std::string SourceText::Quote(int line) const {
    if (line <= 0)
        return {};
    std::string_view rest(text_);
    if (rest.starts_with(kUtf8Bom))
        rest.remove_prefix(kUtf8Bom.size());
    for (int i = 1; i < line; ++i) {
        const std::size_t lf = rest.find('\n');
        if (lf == std::string_view::npos)
            return {};
        rest.remove_prefix(lf + 1);
    }
    rest = rest.substr(0, rest.find('\n'));
    if (rest.ends_with('\r'))
        rest.remove_suffix(1);
    std::size_t chars = 0;
    std::size_t end = 0;
    for (; end < rest.size(); ++end) {
        if ((static_cast<unsigned char>(rest[end]) & 0xC0) != 0x80 && chars++ == kQuotedChars)
            break;
    }
    return EscapeControls(rest.substr(0, end));
}

} // namespace tressal::xml
