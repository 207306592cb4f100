#pragma once

#include "text/text_list.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The lines of a student export held in one block of text: each line followed
// by one line end, and where each starts. A 100,000-line export costs its
// bytes and 8 bytes a line, where a list of strings costs some 50 more a line.
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

    void Add(std::string_view line);
    // Each line replaced by what rewrite gives for it, never longer.
    void RewriteEach(std::string (*rewrite)(std::string_view line));
    // The lines of a list, each string freed once added.
    void TakeFrom(TextList&& lines);

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t k) const {
        return std::string_view(text_).substr(starts_[k], starts_[k + 1] - 1 - starts_[k]);
    }
    std::string_view front() const { return (*this)[0]; }
    TextList List() const;
    operator LineView() const;

private:
    std::string text_;
    std::vector<std::size_t> starts_; // of each line, then the end of the text
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
