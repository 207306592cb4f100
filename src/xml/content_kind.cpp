#include "xml/content_kind.h"

#include "archive/zip_archive.h"
#include "text/file_io.h"
#include "text/file_read.h"

#include <algorithm>

namespace tressal::xml {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool HoldsSconetHeader(std::string_view start) {
    const std::string_view line = start.substr(0, start.find_first_of("\r\n"));
    return std::count(line.begin(), line.end(), ';') == 21;
}

} // namespace

ContentKind KindOfContent(std::string_view start) {
    if (start.empty())
        return ContentKind::Empty;
    if (archive::LooksLikeZip(start))
        return ContentKind::Zip;
    if (start.starts_with("%PDF"))
        return ContentKind::Pdf;
    if (start.starts_with("\x89PNG") || start.starts_with("\xFF\xD8\xFF") ||
        start.starts_with("GIF8") || start.starts_with("BM"))
        return ContentKind::Image;
    std::string_view text = start;
    if (text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        // The first character after the mark, in either byte order.
        const bool little = text[0] == '\xFF';
        for (std::size_t at = 2; at + 1 < text.size(); at += 2) {
            const char low = little ? text[at] : text[at + 1];
            const char high = little ? text[at + 1] : text[at];
            if (high == 0 && (low == ' ' || low == '\t' || low == '\r' || low == '\n'))
                continue;
            return high == 0 && low == '<' ? ContentKind::Utf16Xml : ContentKind::Text;
        }
        return ContentKind::Text;
    }
    if (text.empty())
        return ContentKind::Empty;
    // A text export may hold a stray control, or NULs padding its end; a NUL
    // in its first line is a binary file (or UTF-16 without its mark).
    if (text.substr(0, text.find_first_of("\r\n")).find('\0') != std::string_view::npos)
        return ContentKind::Binary;
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '<')
        return ContentKind::Xml;
    return HoldsSconetHeader(text) ? ContentKind::SconetCsv : ContentKind::Text;
}

std::string ReadContentStart(const std::filesystem::path& path) {
    return ReadFileStart(path, kContentSniffBytes);
}

std::string ForeignContentText(const std::filesystem::path& path, ContentKind kind) {
    const std::string name = "« " + PathText(path.filename()) + " »";
    switch (kind) {
    case ContentKind::Empty:
        return name + " est vide";
    case ContentKind::Pdf:
        return name + " est un document PDF";
    case ContentKind::Image:
        return name + " est une image";
    case ContentKind::Binary:
        return name + " est un fichier binaire";
    case ContentKind::Utf16Xml:
        return name + " est un fichier XML enregistré en UTF-16";
    case ContentKind::Text:
        return name + " est un fichier texte";
    default:
        return {};
    }
}

std::string OtherExportKind(const std::string& rootName) {
    if (rootName == "BEE_RESPONSABLES")
        return "l'export des responsables, pas des élèves";
    if (rootName == "BEE_NOMENCLATURES")
        return "l'export des nomenclatures, pas des élèves";
    if (rootName == "BEE_STRUCTURES")
        return "l'export des structures, pas des élèves";
    if (rootName == "STS_EDT")
        return "un export STS des enseignants, pas des élèves";
    return {};
}

} // namespace tressal::xml
