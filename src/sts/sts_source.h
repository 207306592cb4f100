#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tressal::archive {
class ZipArchive;
struct ZipEntry;
} // namespace tressal::archive

// An STS export as the user gives it: the XML file, or a zip archive holding
// exactly one entry named STS*.xml (any letter case).
namespace tressal::sts {

// True when a file name (no folder) is that of an STS export: "STS*.xml", or
// with zip archives allowed "STS*.zip", in any letter case.
bool IsStsExportName(const std::string& name, bool zipAllowed);

// The archive's one STS entry; Error when it holds none or several.
const archive::ZipEntry& StsEntry(archive::ZipArchive& zip);

// Throws Error, saying what the file is, unless its first bytes (the whole
// file's bytes do too) may be those of an STS export (XML or zip) with
// STS_EDT as root when it is XML; path names it in messages.
void CheckStsStart(std::string_view bytes, const std::filesystem::path& path);

// Throws the Error for a document whose root is not STS_EDT: a message naming
// a SIECLE student export, "Interface non supportée" for anything else.
[[noreturn]] void ThrowNotStsExport(const std::string& rootName);

} // namespace tressal::sts
