#include "sts/xml_input.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tressal::sts {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// The XML declaration lies in the first bytes.
constexpr std::size_t kDeclarationBytes = 512;

} // namespace

XmlInput::XmlInput(ByteSource source) : source_(std::move(source)), raw_(kBufferSize) {
    while (end_ < kDeclarationBytes && Fill()) {
    }
    charset_ = DeclaredSingleByteCharset(std::string_view(raw_.data(), end_));
}

bool XmlInput::Fill() {
    if (begin_ == end_)
        begin_ = end_ = 0;
    if (end_ == raw_.size())
        return true;
    const std::size_t got = source_(raw_.data() + end_, raw_.size() - end_);
    end_ += got;
    return got > 0;
}

std::size_t XmlInput::Read(char* out, std::size_t room) {
    std::size_t written = std::min(room, carry_.size());
    std::memcpy(out, carry_.data(), written);
    carry_.erase(0, written);
    if (written == room || (begin_ == end_ && !Fill()))
        return written;
    const std::string_view pending(raw_.data() + begin_, end_ - begin_);
    std::size_t used = 0;
    if (!charset_) {
        used = std::min(room - written, pending.size());
        std::memcpy(out + written, pending.data(), used);
        begin_ += used;
        return written + used;
    }
    written += DecodeSingleByte(*charset_, pending, used, out + written, room - written);
    if (written < room && used < pending.size()) {
        // The next character needs more room than is left: its start now,
        // the rest with the next read.
        char sequence[3];
        std::size_t one = 0;
        const std::size_t size =
            DecodeSingleByte(*charset_, pending.substr(used, 1), one, sequence, sizeof sequence);
        const std::size_t fits = room - written;
        std::memcpy(out + written, sequence, fits);
        carry_.assign(sequence + fits, size - fits);
        written = room;
        ++used;
    }
    begin_ += used;
    return written;
}

} // namespace tressal::sts
