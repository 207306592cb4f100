#pragma once

#include "sts/xml_load.h"

#include <filesystem>
#include <string>

// An STS export as the user gives it: the XML file, or a zip archive holding
// exactly one entry named STS*.xml (any letter case).
namespace tressal::sts {

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

// Throws the Error for a document whose root is not STS_EDT: a message naming
// a SIECLE student export, "Interface non supportée" for anything else.
[[noreturn]] void ThrowNotStsExport(const std::string& rootName);

} // namespace tressal::sts
