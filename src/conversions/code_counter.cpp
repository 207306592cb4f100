#include "conversions/code_counter.h"

#include <algorithm>
#include <cstring>

namespace tressal {
namespace {

std::uint64_t Prefix(std::string_view code) {
    std::uint64_t prefix = 0;
    std::memcpy(&prefix, code.data(), std::min<std::size_t>(code.size(), sizeof prefix));
    return prefix;
}

} // namespace

void CodeCounter::Add(std::string_view code) {
    const std::uint64_t prefix = Prefix(code);
    const auto same = [&](const Entry& entry) {
        return entry.prefix == prefix && entry.code.size() == code.size() &&
               (code.size() <= sizeof prefix || entry.code == code);
    };
    // Exports mostly list the students class by class.
    if (last_ < entries_.size() && same(entries_[last_])) {
        ++entries_[last_].count;
        return;
    }
    const auto found = std::find_if(entries_.begin(), entries_.end(), same);
    last_ = static_cast<std::size_t>(found - entries_.begin());
    if (found == entries_.end())
        entries_.push_back({prefix, std::string(code), 1});
    else
        ++found->count;
}

std::vector<std::pair<std::string, std::size_t>> CodeCounter::Counts() const {
    std::vector<std::pair<std::string, std::size_t>> counts;
    counts.reserve(entries_.size());
    for (const auto& entry : entries_)
        counts.emplace_back(entry.code, entry.count);
    return counts;
}

} // namespace tressal
