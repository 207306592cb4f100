#pragma once

#include "xml/single_byte.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tressal::xml {

// What reading a document declared in a single-byte character set found of
// its bytes.
struct EncodingNote {
    // Its first byte beyond ASCII starts a UTF-8 sequence that the declared
    // set would turn into "Ã©" and the like: the document is read as UTF-8.
    bool readAsUtf8 = false;
    // The first line holding a byte that does not follow that reading (a
    // UTF-8 sequence read as declared, or a byte that is not UTF-8 read as
    // declared); 0 when there is none.
    int mixedLine = 0;
};

// Where the bytes of a streamed document come from: copies up to size next
// bytes to buffer and answers how many, 0 at the end. May throw.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// The bytes in memory as a source; they must outlive it.
ByteSource MemorySource(std::string_view bytes);

// The bytes of a document as the parser asks for them: buffered from the
// source, and turned into UTF-8 here when the XML declaration names a
// single-byte character set, or as UTF-8 when its bytes are UTF-8 despite
// the declaration (see EncodingNote).
class XmlInput {
public:
    explicit XmlInput(ByteSource source);

    // The character set decoded here; nothing: the bytes go through as read.
    const std::optional<SingleByteCharset>& Charset() const { return charset_; }

    // Up to room next bytes (UTF-8 when Charset() is set); 0 at the end.
    std::size_t Read(char* out, std::size_t room);

    const EncodingNote& Note() const { return note_; }

private:
    enum class Reading { Undecided, Declared, Utf8 };

    // False at the end of the source.
    bool Fill();
    // At least count bytes pending, unless the source ends first.
    void Ahead(std::size_t count);
    // Gives raw bytes [begin_, begin_ + count) as read, counting their lines.
    void Consume(std::size_t count);
    // The byte at begin_ decoded as declared, at most room bytes of it now.
    std::size_t PutDeclared(char* out, std::size_t room);
    void NoteMixed(std::size_t at);
    std::size_t ReadUtf8(char* out, std::size_t room);

    ByteSource source_;
    std::vector<char> raw_;
    std::size_t begin_ = 0; // raw_[begin_, end_) not given yet
    std::size_t end_ = 0;
    std::optional<SingleByteCharset> charset_;
    std::string carry_; // the end of a character that did not fit in the last read
    Reading reading_ = Reading::Undecided;
    EncodingNote note_;
    int line_ = 1; // of raw_[begin_], counted until a mixed line is found
};

} // namespace tressal::xml
