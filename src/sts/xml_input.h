#pragma once

#include "sts/xml_single_byte.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tressal::sts {

// Where the bytes of a streamed document come from: copies up to size next
// bytes to buffer and answers how many, 0 at the end. May throw.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// The bytes of a document as the parser asks for them: buffered from the
// source, and turned into UTF-8 here when the XML declaration names a
// single-byte character set.
class XmlInput {
public:
    explicit XmlInput(ByteSource source);

    // The character set decoded here; nothing: the bytes go through as read.
    const std::optional<SingleByteCharset>& Charset() const { return charset_; }

    // Up to room next bytes (UTF-8 when Charset() is set); 0 at the end.
    std::size_t Read(char* out, std::size_t room);

private:
    // False at the end of the source.
    bool Fill();

    ByteSource source_;
    std::vector<char> raw_;
    std::size_t begin_ = 0; // raw_[begin_, end_) not given yet
    std::size_t end_ = 0;
    std::optional<SingleByteCharset> charset_;
    std::string carry_; // the end of a character that did not fit in the last read
};

} // namespace tressal::sts
