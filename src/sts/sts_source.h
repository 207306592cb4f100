#pragma once

#include "xml/load.h"

#include <filesystem>
#include <string>
#include <string_view>

// An STS export as the user gives it: the XML file, or a zip archive holding
// exactly one entry named STS*.xml (any letter case).
namespace tressal::sts {

using xml::LoadXmlFile;
using xml::XmlDocPtr;

// True when a file name (no folder) is that of an STS export: "STS*.xml", or
// with zip archives allowed "STS*.zip", in any letter case.
bool IsStsExportName(const std::string& name, bool zipAllowed);

// The parsed export. A plain file is read by LoadXmlFile; an archive raises
// Error when it holds no STS export or several.
XmlDocPtr LoadStsExport(const std::filesystem::path& path);

// The same from the bytes of the file, read elsewhere (standard input).
XmlDocPtr ParseStsExport(std::string bytes);

// The path whose file name carries the establishment code: the path itself,
// or for an archive the name of its STS entry.
std::filesystem::path StsExportName(const std::filesystem::path& path);

// Throws Error, saying what the file is, unless its first bytes may be those
// of an STS export (XML or zip) with STS_EDT as root when it is XML. Missing:
// an Error naming its path.
void CheckStsContent(const std::filesystem::path& path);

// The same for the bytes of an export read elsewhere (its first bytes are
// enough); path names it in messages.
void CheckStsStart(std::string_view bytes, const std::filesystem::path& path);

// Throws the Error for a document whose root is not STS_EDT: a message naming
// a SIECLE student export, "Interface non supportée" for anything else.
[[noreturn]] void ThrowNotStsExport(const std::string& rootName);

} // namespace tressal::sts
