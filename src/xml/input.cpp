#include "xml/input.h"

#include "text/utf8.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tressal::xml {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// The XML declaration lies in the first bytes.
constexpr std::size_t kDeclarationBytes = 512;
// The longest UTF-8 sequence.
constexpr std::size_t kLongestSequence = 4;

int LinesIn(std::string_view bytes) {
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

} // namespace

ByteSource MemorySource(std::string_view bytes) {
    return [bytes, at = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min(size, bytes.size() - at);
        std::memcpy(buffer, bytes.data() + at, count);
        at += count;
        return count;
    };
}

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

void XmlInput::Ahead(std::size_t count) {
    while (end_ - begin_ < count) {
        if (end_ == raw_.size()) {
            std::memmove(raw_.data(), raw_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
        }
        const std::size_t got = source_(raw_.data() + end_, raw_.size() - end_);
        if (got == 0)
            return;
        end_ += got;
    }
}

void XmlInput::Consume(std::size_t count) {
    if (note_.mixedLine == 0)
        line_ += LinesIn(std::string_view(raw_.data() + begin_, count));
    begin_ += count;
}

void XmlInput::NoteMixed(std::size_t at) {
    if (note_.mixedLine == 0)
        note_.mixedLine = line_ + LinesIn(std::string_view(raw_.data() + begin_, at));
}

std::size_t XmlInput::PutDeclared(char* out, std::size_t room) {
    // A character takes at most three bytes: what does not fit goes with the next read.
    char sequence[3];
    std::size_t one = 0;
    const std::size_t size = DecodeSingleByte(*charset_, std::string_view(raw_.data() + begin_, 1),
                                              one, sequence, sizeof sequence);
    const std::size_t fits = std::min(size, room);
    std::memcpy(out, sequence, fits);
    carry_.assign(sequence + fits, size - fits);
    Consume(1);
    return fits;
}

std::size_t XmlInput::ReadUtf8(char* out, std::size_t room) {
    std::size_t written = 0;
    while (written < room && (begin_ < end_ || Fill())) {
        const std::string_view pending(raw_.data() + begin_, end_ - begin_);
        const std::size_t valid = ValidUtf8Prefix(pending);
        std::size_t take = std::min(valid, room - written);
        while (take < valid && take > 0 &&
               (static_cast<unsigned char>(pending[take]) & 0xC0) == 0x80)
            --take; // never cut a character between two reads
        std::memcpy(out + written, pending.data(), take);
        written += take;
        Consume(take);
        if (take < valid) {
            if (written == 0) { // no room for one character: its start now, the rest next
                char32_t cp = 0;
                const std::size_t length = DecodeUtf8(pending, 0, cp);
                std::memcpy(out, pending.data(), room);
                carry_.assign(pending.data() + room, length - room);
                Consume(length);
                written = room;
            }
            return written;
        }
        if (begin_ == end_)
            continue;
        // A sequence cut by the end of the buffer, or a byte that is not UTF-8.
        if (const std::size_t before = end_ - begin_; before < kLongestSequence) {
            Ahead(kLongestSequence);
            if (end_ - begin_ > before)
                continue;
        }
        NoteMixed(0);
        written += PutDeclared(out + written, room - written);
    }
    return written;
}

std::size_t XmlInput::Read(char* out, std::size_t room) {
    std::size_t written = std::min(room, carry_.size());
    std::memcpy(out, carry_.data(), written);
    carry_.erase(0, written);
    if (written == room || (begin_ == end_ && !Fill()))
        return written;
    std::string_view pending(raw_.data() + begin_, end_ - begin_);
    std::size_t used = 0;
    if (!charset_) {
        used = std::min(room - written, pending.size());
        std::memcpy(out + written, pending.data(), used);
        begin_ += used;
        return written + used;
    }
    if (reading_ == Reading::Undecided) {
        const auto high = std::find_if(pending.begin(), pending.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        if (high != pending.end()) {
            const auto at = static_cast<std::size_t>(high - pending.begin());
            Ahead(at + kLongestSequence);
            pending = std::string_view(raw_.data() + begin_, end_ - begin_);
            reading_ = TellingUtf8SequenceAt(pending, at) > 0 ? Reading::Utf8 : Reading::Declared;
            note_.readAsUtf8 = reading_ == Reading::Utf8;
        }
    }
    if (reading_ == Reading::Utf8)
        return written + ReadUtf8(out + written, room - written);
    written += DecodeSingleByte(*charset_, pending, used, out + written, room - written);
    if (reading_ == Reading::Declared && note_.mixedLine == 0)
        if (const std::size_t at = FindTellingUtf8(pending.substr(0, used));
            at != std::string_view::npos)
            NoteMixed(at);
    Consume(used);
    // The next character needs more room than is left: its start now, the
    // rest with the next read.
    if (written < room && begin_ < end_)
        written += PutDeclared(out + written, room - written);
    return written;
}

} // namespace tressal::xml
