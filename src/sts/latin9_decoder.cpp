#include "sts/latin9_decoder.h"

#include "text/utf8.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>

#include <array>
#include <cstring>
#include <mutex>

namespace tressal::sts {
namespace {

// What a decoder returns when the output is full before the input is done;
// libxml2 calls it again with more room.
constexpr int kOutputFull = -3;

struct Utf8Char {
    char bytes[3];
    int length;
};

// The UTF-8 form of every byte: Latin-1, but for the eight places where
// Latin-9 puts the euro sign and letters of French and other languages.
std::array<Utf8Char, 256> MakeTable() {
    std::array<char32_t, 256> codePoints{};
    for (std::size_t byte = 0; byte < codePoints.size(); ++byte)
        codePoints[byte] = static_cast<char32_t>(byte);
    codePoints[0xA4] = 0x20AC; // €
    codePoints[0xA6] = 0x0160; // Š
    codePoints[0xA8] = 0x0161; // š
    codePoints[0xB4] = 0x017D; // Ž
    codePoints[0xB8] = 0x017E; // ž
    codePoints[0xBC] = 0x0152; // Œ
    codePoints[0xBD] = 0x0153; // œ
    codePoints[0xBE] = 0x0178; // Ÿ
    std::array<Utf8Char, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        char bytes[4];
        const std::size_t length = EncodeUtf8(codePoints[byte], bytes);
        std::memcpy(table[byte].bytes, bytes, length);
        table[byte].length = static_cast<int>(length);
    }
    return table;
}

const std::array<Utf8Char, 256>& Table() {
    static const std::array<Utf8Char, 256> table = MakeTable();
    return table;
}

// libxml2's input converter: as many bytes of in as fit into out, in UTF-8.
int DecodeLatin9(unsigned char* out, int* outLength, const unsigned char* in, int* inLength) {
    const std::array<Utf8Char, 256>& table = Table();
    unsigned char* const outStart = out;
    unsigned char* const outEnd = out + *outLength;
    const unsigned char* const inStart = in;
    const unsigned char* const inEnd = in + *inLength;
    int result = 0;
    for (; in < inEnd; ++in) {
        if (*in < 0x80 && out < outEnd) {
            *out++ = *in;
            continue;
        }
        const Utf8Char& next = table[*in];
        if (outEnd - out < next.length) {
            result = kOutputFull;
            break;
        }
        std::memcpy(out, next.bytes, static_cast<std::size_t>(next.length));
        out += next.length;
    }
    *outLength = static_cast<int>(out - outStart);
    *inLength = static_cast<int>(in - inStart);
    return result == 0 ? *outLength : result;
}

} // namespace

void RegisterLatin9Decoder() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        Table();
        // libxml2 keeps the handler for the life of the process.
        xmlNewCharEncodingHandler("ISO-8859-15", &DecodeLatin9, nullptr);
    });
}

} // namespace tressal::sts
