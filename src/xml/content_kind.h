#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Telling what a file holds from its first bytes, before any reader takes it,
// so that a wrong choice gets a message saying what the file is: the same
// recogniser for the student and the teacher conversions.
namespace tressal::xml {

// Enough of a file to tell what it holds, and to find an XML root element
// behind a long comment.
constexpr std::size_t kContentSniffBytes = 64 * 1024;

enum class ContentKind {
    Empty,
    Zip,
    Xml,       // '<' first (behind a byte order mark and blanks), UTF-8 or single-byte
    Utf16Xml,  // the same in UTF-16, behind its byte order mark
    SconetCsv, // a first line of 22 ';'-separated fields (quoted or not)
    Text,      // any other text
    Pdf,
    Image,  // PNG, JPEG, GIF, BMP
    Binary, // a NUL in the first line: not a text at all
};

ContentKind KindOfContent(std::string_view start);

// The first bytes of the file (ReadFileStart): Error naming its path when it
// cannot be read.
std::string ReadContentStart(const std::filesystem::path& path);

// "« name » est un document PDF" and the like for a kind no conversion reads
// (Empty, Pdf, Image, Binary, Utf16Xml, Text); "" for the others.
std::string ForeignContentText(const std::filesystem::path& path, ContentKind kind);

// What the export of that root element is, with "pas des élèves" when it is
// not a student export ("l'export des responsables, pas des élèves"); ""
// when the root is BEE_ELEVES or unknown.
std::string OtherExportKind(const std::string& rootName);

} // namespace tressal::xml
