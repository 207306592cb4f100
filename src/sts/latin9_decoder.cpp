#include "sts/latin9_decoder.h"

#include "sts/xml_single_byte.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>

#include <mutex>
#include <string_view>

namespace tressal::sts {
namespace {

// What a decoder returns when the output is full before the input is done;
// libxml2 calls it again with more room.
constexpr int kOutputFull = -3;

// libxml2's input converter: as many bytes of in as fit into out, in UTF-8,
// by the program's single-byte table.
int DecodeLatin9(unsigned char* out, int* outLength, const unsigned char* in, int* inLength) {
    const std::string_view bytes(reinterpret_cast<const char*>(in),
                                 static_cast<std::size_t>(*inLength));
    std::size_t from = 0;
    const std::size_t written =
        DecodeSingleByte(SingleByteCharset::Latin9, bytes, from, reinterpret_cast<char*>(out),
                         static_cast<std::size_t>(*outLength));
    const bool full = from < bytes.size();
    *outLength = static_cast<int>(written);
    *inLength = static_cast<int>(from);
    return full ? kOutputFull : *outLength;
}

} // namespace

void RegisterLatin9Decoder() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // libxml2 keeps the handler for the life of the process.
        xmlNewCharEncodingHandler("ISO-8859-15", &DecodeLatin9, nullptr);
    });
}

} // namespace tressal::sts
