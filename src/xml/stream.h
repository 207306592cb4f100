#pragma once

#include "archive/zip_archive.h"
#include "xml/input.h"

#include <functional>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reading an XML document as a stream of events, for documents too large to
// hold as a tree. The rules of ParseXml apply: nothing is fetched from
// outside, a DOCTYPE that declares an entity or names an external DTD is
// refused, and every failure raises the LoadError that ParseXml would raise.
namespace tressal::xml {

// The attributes of one element, by local name; values in UTF-8.
class XmlAttributes {
public:
    XmlAttributes(const unsigned char** raw, int count) : raw_(raw), count_(count) {}
    // The value of that attribute, "" when it is missing.
    std::string Value(std::string_view name) const;
    // The same, nothing when it is missing.
    std::optional<std::string> ValueIfAny(std::string_view name) const;

private:
    const unsigned char** raw_; // libxml2's five pointers per attribute
    int count_;
};

class XmlEvents {
public:
    virtual ~XmlEvents() = default;
    // An element opens (its local name). Answer false to end the reading here.
    virtual bool StartElement(std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void EndElement() = 0;
    // Character data of the element last opened, in pieces, UTF-8.
    virtual void Text(std::string_view utf8) = 0;
    // A CDATA section of the element last opened, whole; by default its text.
    virtual void Cdata(std::string_view utf8) { Text(utf8); }
    // A comment or a processing instruction.
    virtual void OtherNode() {}
    // Once the document is read: what was found of its declared encoding.
    virtual void Encoding(const EncodingNote& /*note*/) {}
};

// Gives the bytes of a document from their start, each time it is called.
using ByteSourceOpener = std::function<ByteSource()>;

// Reads the whole document, in the encoding it declares, and sends its events
// in document order. An exception thrown by an event or by the source ends
// the reading and leaves this function. A document that is not well-formed
// or is refused raises the LoadError that ParseXml would raise, worded from
// this one parse; its bytes are opened once more to quote the faulty line.
void StreamXml(const ByteSourceOpener& open, XmlEvents& events);

// The same over bytes in memory.
void StreamXml(std::string_view bytes, XmlEvents& events);

// An entry of the archive, inflated as it is read; the archive and the entry
// must outlive the opener.
ByteSourceOpener EntrySource(archive::ZipArchive& zip, const archive::ZipEntry& entry);

// The local name of the root element of a document, of which the bytes may be
// only the start; "" when they do not start a readable XML document.
std::string RootElementName(std::string_view bytes);

} // namespace tressal::xml
