#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tressal {

// Counts lines by a short code, such as the division of each student: an
// export has a few dozen codes and thousands of lines, so the codes are kept
// in a flat list, told apart by their first eight bytes.
class CodeCounter {
public:
    void Add(std::string_view code);
    // Each code with its count, in the order the codes were first met.
    std::vector<std::pair<std::string, std::size_t>> Counts() const;

private:
    struct Entry {
        std::uint64_t prefix;
        std::string code;
        std::size_t count;
    };
    std::vector<Entry> entries_;
    std::size_t last_ = 0; // the entry of the code added last
};

} // namespace tressal
