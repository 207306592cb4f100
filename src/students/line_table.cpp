#include "students/line_table.h"

#include <algorithm>
#include <cstring>

namespace tressal::students {
namespace {

// A block takes lines until it holds this many bytes.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

} // namespace

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
    table.AddText(std::move(text));
    return table;
}

void LineTable::AddText(std::string text) {
    Block block{size_, 0, {}, {}};
    // Each line moves down over the line ends before it, never past what is still to read.
    std::size_t out = 0;
    ForEachLine(text, [&](std::string_view line) {
        block.starts.push_back(out);
        std::memmove(text.data() + out, line.data(), line.size());
        out += line.size();
        text[out++] = '\n';
    });
    if (block.starts.empty())
        return;
    block.starts.push_back(out);
    block.count = block.starts.size() - 1;
    text.resize(out); // no shrinking: that would copy it
    block.text = std::move(text);
    size_ += block.count;
    blocks_.push_back(std::move(block));
}

LineTable::Block& LineTable::Open() {
    if (blocks_.empty() || blocks_.back().text.size() >= kBlockBytes)
        blocks_.push_back({size_, 0, {}, {0}});
    return blocks_.back();
}

void LineTable::Add(std::string_view line) {
    Block& block = Open();
    block.text.append(line);
    block.text += '\n';
    block.starts.push_back(block.text.size());
    ++block.count;
    ++size_;
}

void LineTable::RewriteEach(std::string (*rewrite)(std::string_view line)) {
    for (Block& block : blocks_) {
        std::size_t out = 0;
        for (std::size_t k = 0; k < block.count; ++k) {
            const std::string line =
                rewrite(std::string_view(block.text)
                            .substr(block.starts[k], block.starts[k + 1] - 1 - block.starts[k]));
            block.starts[k] = out; // line k + 1 is read from starts[k + 1], not yet moved
            std::memcpy(block.text.data() + out, line.data(), line.size());
            out += line.size();
            block.text[out++] = '\n';
        }
        block.starts.back() = out;
        block.text.resize(out);
    }
}

void LineTable::TakeFrom(TextList&& lines) {
    for (std::string& line : lines) {
        Add(line);
        std::string().swap(line);
    }
    lines.clear();
}

void LineTable::ReleaseBefore(std::size_t k) {
    for (; released_ < blocks_.size() && blocks_[released_].first + blocks_[released_].count <= k;
         ++released_) {
        std::string().swap(blocks_[released_].text);
        std::vector<std::size_t>().swap(blocks_[released_].starts);
    }
}

std::string_view LineTable::operator[](std::size_t k) const {
    const auto after =
        std::upper_bound(blocks_.begin(), blocks_.end(), k,
                         [](std::size_t line, const Block& block) { return line < block.first; });
    const Block& block = *(after - 1);
    const std::size_t at = k - block.first;
    return std::string_view(block.text)
        .substr(block.starts[at], block.starts[at + 1] - 1 - block.starts[at]);
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
