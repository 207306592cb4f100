#include "xml/single_byte_decoders.h"

#include "xml/single_byte.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>

#include <mutex>
#include <string_view>

namespace tressal::xml {
namespace {

// What a decoder returns when the output is full before the input is done;
// libxml2 calls it again with more room.
constexpr int kOutputFull = -3;
// What it returns for a byte the encoding does not define.
constexpr int kUndefinedByte = -2;

// libxml2's input converter: as many bytes of in as fit into out, in UTF-8,
// by the program's table, up to the first byte the encoding leaves undefined.
template <SingleByteCharset charset>
int Decode(unsigned char* out, int* outLength, const unsigned char* in, int* inLength) {
    const std::string_view bytes(reinterpret_cast<const char*>(in),
                                 static_cast<std::size_t>(*inLength));
    const std::size_t defined = DefinedPrefix(charset, bytes);
    std::size_t from = 0;
    const std::size_t written =
        DecodeSingleByte(charset, bytes.substr(0, defined), from, reinterpret_cast<char*>(out),
                         static_cast<std::size_t>(*outLength));
    *outLength = static_cast<int>(written);
    *inLength = static_cast<int>(from);
    if (from < defined)
        return kOutputFull;
    return defined < bytes.size() ? kUndefinedByte : *outLength;
}

xmlCharEncodingInputFunc DecoderOf(SingleByteCharset charset) {
    switch (charset) {
    case SingleByteCharset::Latin9:
        return &Decode<SingleByteCharset::Latin9>;
    case SingleByteCharset::Windows1252:
        return &Decode<SingleByteCharset::Windows1252>;
    case SingleByteCharset::Latin1:
        break;
    }
    return &Decode<SingleByteCharset::Latin1>;
}

} // namespace

void RegisterSingleByteDecoders() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // libxml2 keeps the handlers for the life of the process. Its own
        // ISO-8859-1 decoder, found first under that one name, decodes alike.
        for (const auto& [name, charset] : kSingleByteCharsetNames)
            xmlNewCharEncodingHandler(name, DecoderOf(charset), nullptr);
    });
}

} // namespace tressal::xml
