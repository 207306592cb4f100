#pragma once

#include "text/files.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

struct _xmlDoc;

namespace tressal::xml {

struct XmlDocDeleter {
    void operator()(_xmlDoc* doc) const noexcept;
};
using XmlDocPtr = std::unique_ptr<_xmlDoc, XmlDocDeleter>;

// Parses a whole XML document held in memory, in the encoding it declares
// (or that its byte order mark shows). Whitespace-only text between elements
// is dropped. Nothing is fetched from outside: a DOCTYPE that declares an
// entity or names an external DTD is refused. libxml2 prints nothing; every
// failure raises LoadError (never returns null).
XmlDocPtr ParseXml(std::string_view bytes);

// Reads the file whole (no decompression, no URI unescaping of its name) and
// parses it with ParseXml. A missing or unreadable file is a LoadError too.
XmlDocPtr LoadXmlFile(const std::filesystem::path& path);

// The LoadError of a file that ReadFileBytes could not read, in LoadXmlFile's words.
[[noreturn]] void ThrowUnreadFile(const std::filesystem::path& path, const FileBytes& read);

} // namespace tressal::xml
