#include "students/sconet_export.h"

#include "students/spreadsheet_lines.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/files.h"
#include "text/utf8.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tressal::students {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A file is read in pieces of about this many bytes, each cut after a line end.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

using UnwritableLines = std::vector<std::pair<std::size_t, std::string>>;

// Whether the bytes hold a UTF-8 character that Windows-1252 cannot hold.
bool HoldsUnwritableUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t cp = 0;
        const std::size_t length =
            static_cast<unsigned char>(bytes[at]) < 0x80 ? 1 : DecodeUtf8(bytes, at, cp);
        if (length > 1 && CodePointToCp1252(cp) == '?')
            return true;
        at += length == 0 ? 1 : length;
    }
    return false;
}

bool IsUtf16(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// The lines of the bytes that hold such a character, counted from 0 as
// SplitLines counts them (the bytes' first line being line `first`), as
// written: read as UTF-8, they give it as "?". The header is not looked at,
// nor a UTF-16 file.
void AddUnwritableUtf8Lines(std::string_view bytes, std::size_t first, UnwritableLines& found) {
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    if (IsUtf16(bytes) || !HoldsUnwritableUtf8(bytes))
        return;
    std::size_t k = first;
    ForEachLine(bytes, [&](std::string_view line) {
        if (k++ > 0 && HoldsUnwritableUtf8(line))
            found.emplace_back(k - 1, line);
    });
}

// The line in UTF-8, a byte outside a valid sequence taken as Windows-1252,
// as DecodeText takes it behind a byte order mark.
std::string AsUtf8(std::string_view line) {
    std::string text;
    for (std::size_t at = 0; at < line.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(line, at, cp);
        text += length == 0 ? Cp1252ToUtf8(line.substr(at, 1)) : line.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return text;
}

// The decoded lines and what the report tells of their reading.
SconetLines Finish(LineTable lines, const UnwritableLines& unwritableLines) {
    SconetLines result;
    result.lines = std::move(lines);
    result.resavedBySpreadsheet = IsResavedBySpreadsheet(result.lines);
    for (const auto& [k, written] : unwritableLines) {
        // A line left in Windows-1252, another line being surely so, lost nothing.
        if (k >= result.lines.size() || result.lines[k] == written)
            continue;
        const std::string original =
            AsUtf8(result.resavedBySpreadsheet ? UnquotedLine(written) : written);
        result.unwritable.push_back({k, StudentFieldOf(original, StudentField::LastName),
                                     StudentFieldOf(original, StudentField::FirstName)});
    }
    if (result.resavedBySpreadsheet)
        result.lines.RewriteEach(&UnquotedLine);
    return result;
}

// The file in pieces, each ending after a line end but the last. A file that
// cannot be read so is read by ReadWholeFile, which refuses it in its words.
std::vector<std::string> ReadPieces(const std::filesystem::path& input) {
    std::error_code error;
    if (std::filesystem::file_size(input, error) > ReadRules().maxBytes || error)
        return {ReadWholeFile(input)};
    const CFile file = OpenCFile(input, CFileMode::Read);
    if (!file)
        return {ReadWholeFile(input)};
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t total = 0;
    for (bool end = false; !end;) {
        const std::size_t had = piece.size();
        piece.resize(had + kPieceBytes);
        const std::size_t got = std::fread(piece.data() + had, 1, kPieceBytes, file.get());
        piece.resize(had + got);
        total += got;
        if (std::ferror(file.get()) || total > ReadRules().maxBytes)
            return {ReadWholeFile(input)};
        end = got < kPieceBytes;
        const std::size_t cut = end ? piece.size() : piece.rfind('\n') + 1;
        if (cut == 0)
            continue; // a line longer than a piece: read on
        std::string rest = piece.substr(cut);
        piece.resize(cut);
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        piece = std::move(rest);
    }
    return pieces;
}

} // namespace

TextList LoadExport(const std::filesystem::path& input) {
    return ExportLines(ReadWholeFile(input));
}

TextList ExportLines(std::string bytes) {
    return ReadSconetLines(std::move(bytes)).lines.List();
}

SconetLines ReadSconetLines(std::string bytes) {
    UnwritableLines unwritableLines;
    AddUnwritableUtf8Lines(bytes, 0, unwritableLines);
    std::string text = DecodeText(std::move(bytes));
    // NULs that only pad the end are dropped; one before text would lose it.
    if (const std::size_t line = LineOfNulBeforeText(text))
        throw Error("Le fichier contient un caractère nul à la ligne " + std::to_string(line) +
                    " : il est abîmé ou ce n'est pas un export texte.");
    return Finish(LineTable::FromText(std::move(text)), unwritableLines);
}

SconetLines ReadSconetFile(const std::filesystem::path& input) {
    std::vector<std::string> pieces = ReadPieces(input);
    const bool nul = std::any_of(pieces.begin(), pieces.end(), [](const std::string& piece) {
        return piece.find('\0') != std::string::npos;
    });
    // A file in UTF-16 or holding a NUL is decoded whole.
    if (pieces.size() <= 1 || nul || IsUtf16(pieces.front())) {
        std::string whole;
        for (std::string& piece : pieces) {
            whole += piece;
            std::string().swap(piece);
        }
        return ReadSconetLines(std::move(whole));
    }
    FileEncoding encoding{pieces.front().starts_with(kUtf8Mark), false};
    encoding.cp1252Line =
        !encoding.utf8Mark && std::any_of(pieces.begin(), pieces.end(),
                                          [](const auto& piece) { return HoldsCp1252Line(piece); });
    UnwritableLines unwritableLines;
    LineTable lines;
    for (std::string& piece : pieces) {
        AddUnwritableUtf8Lines(piece, lines.size(), unwritableLines);
        lines.AddText(DecodeText(std::move(piece), encoding));
    }
    return Finish(std::move(lines), unwritableLines);
}

} // namespace tressal::students
