#include "students/line_table.h"

#include <cstring>

namespace tressal::students {

LineTable::LineTable(const TextList& lines) {
    for (const std::string& line : lines)
        Add(line);
}

LineTable::LineTable(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines)
        Add(line);
}

LineTable LineTable::FromText(std::string text) {
    LineTable table;
    // Each line moves down over the line ends before it, never past what is still to read.
    std::size_t out = 0;
    ForEachLine(text, [&](std::string_view line) {
        table.starts_.push_back(out);
        std::memmove(text.data() + out, line.data(), line.size());
        out += line.size();
        text[out++] = '\n';
    });
    if (!table.starts_.empty())
        table.starts_.push_back(out);
    text.resize(out); // no shrinking: that would copy it
    table.text_ = std::move(text);
    return table;
}

void LineTable::Add(std::string_view line) {
    if (starts_.empty())
        starts_.push_back(0);
    text_.append(line);
    text_ += '\n';
    starts_.push_back(text_.size());
}

void LineTable::RewriteEach(std::string (*rewrite)(std::string_view line)) {
    std::size_t out = 0;
    for (std::size_t k = 0; k + 1 < starts_.size(); ++k) {
        const std::string line = rewrite((*this)[k]);
        starts_[k] = out; // line k + 1 is read from starts_[k + 1], not yet moved
        std::memcpy(text_.data() + out, line.data(), line.size());
        out += line.size();
        text_[out++] = '\n';
    }
    if (!starts_.empty())
        starts_.back() = out;
    text_.resize(out);
}

void LineTable::TakeFrom(TextList&& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    text_.reserve(text_.size() + size);
    starts_.reserve(starts_.size() + lines.size() + 1);
    for (std::string& line : lines) {
        Add(line);
        std::string().swap(line);
    }
    lines.clear();
}

TextList LineTable::List() const {
    TextList lines;
    lines.reserve(size());
    for (std::size_t k = 0; k < size(); ++k)
        lines.emplace_back((*this)[k]);
    return lines;
}

LineTable::operator LineView() const {
    return LineView(*this);
}

} // namespace tressal::students
