#pragma once

#include "text/text_helpers.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The lines of a student export held in blocks of text: each line followed by
// one line end, and where each starts. A 100,000-line export costs its bytes
// and 8 bytes a line, where a list of strings costs some 50 more a line; the
// blocks already read can be freed while the rest is converted.
namespace tressal::students {

class LineView;

class LineTable {
public:
    LineTable() = default;
    LineTable(const TextList& lines);
    LineTable(std::initializer_list<std::string> lines);

    // The lines of the text as SplitLines cuts them, kept in the text's own
    // storage (taken over, not copied).
    static LineTable FromText(std::string text);

    // FromText's lines added after these, as a block of their own.
    void AddText(std::string text);
    void Add(std::string_view line);
    // Each line replaced by what rewrite gives for it, never longer.
    void RewriteEach(std::string (*rewrite)(std::string_view line));
    // The lines of a list, each string freed once added.
    void TakeFrom(TextList&& lines);
    // Frees the blocks that hold only lines before line k: they are never
    // read again.
    void ReleaseBefore(std::size_t k);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view operator[](std::size_t k) const;
    std::string_view front() const { return (*this)[0]; }
    TextList List() const;
    operator LineView() const;

private:
    struct Block {
        std::size_t first = 0; // the table's index of its first line
        std::size_t count = 0;
        std::string text;
        std::vector<std::size_t> starts; // of each line, then the end of the text
    };
    Block& Open();

    std::vector<Block> blocks_;
    std::size_t size_ = 0;
    std::size_t released_ = 0; // blocks freed
};

// The lines of a LineTable or of a TextList, read without copying them; the
// lines must outlive it.
class LineView {
public:
    LineView(const TextList& lines) : list_(&lines) {}

    std::size_t size() const { return table_ ? table_->size() : list_->size(); }
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t k) const {
        return table_ ? (*table_)[k] : std::string_view((*list_)[k]);
    }

private:
    friend class LineTable;
    explicit LineView(const LineTable& table) : table_(&table) {}

    const TextList* list_ = nullptr;
    const LineTable* table_ = nullptr;
};

// Calls each(line) for every line of the bytes, cut as SplitLines cuts them;
// each may write over the bytes up to the end of the line it is given.
template <typename Each> void ForEachLine(std::string_view bytes, Each each) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        std::size_t next = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        // Told last: each may write over the line's end.
        each(bytes.substr(start, end - start));
        start = next;
    }
}

} // namespace tressal::students
