#pragma once

// Small helpers shared by the core tests: a temporary folder, raw file bytes
// and Sconet export lines.

#include "text/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tressal::test {

// A fresh empty folder below the system's temporary folder, removed with all
// its contents when the object goes.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tressal-test-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(counter++));
        if (!std::filesystem::create_directory(path_))
            throw std::runtime_error("temporary folder already there: " + path_.string());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return path_ / relative;
    }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry below the folder (files and folders), as paths relative to it,
// sorted.
inline std::vector<std::string> EntriesBelow(const std::filesystem::path& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        entries.push_back(entry.path().lexically_relative(folder).generic_string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The message of the tressal::Error that call() throws, or "" when none.
template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

// Checks fn(input) == expected for every {input, expected} pair, naming the
// failing input.
template <typename Expected, typename Fn>
void ExpectEach(const std::vector<std::pair<std::string, Expected>>& cases, Fn fn) {
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(input.substr(0, 60)));
        EXPECT_EQ(fn(input), expected);
    }
}

// A ';'-separated line of `count` fields; field numbers (from 1) missing from
// the map are empty.
inline std::string SconetLine(const std::map<int, std::string>& fields, int count = 22) {
    std::string line;
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            line += ';';
        if (const auto it = fields.find(n); it != fields.end())
            line += it->second;
    }
    return line;
}

// A header line of `count` fields (22 in a valid export).
inline std::string SconetHeader(int count = 22) {
    std::string header = "CHAMP1";
    for (int n = 2; n <= count; ++n)
        header += ";CHAMP" + std::to_string(n);
    return header;
}

// A student line with the usual fields: last name, first name, date of birth,
// sex code and division; `extra` adds or replaces fields.
inline std::string StudentLine(const std::string& lastName, const std::string& firstName,
                               const std::string& birth = "01/01/2000",
                               const std::string& division = "6A",
                               std::map<int, std::string> extra = {}) {
    extra.try_emplace(1, lastName);
    extra.try_emplace(2, firstName);
    extra.try_emplace(5, birth);
    extra.try_emplace(8, "M");
    extra.try_emplace(9, division);
    return SconetLine(extra);
}

// The text in UTF-16 of that byte order, behind its byte order mark.
inline std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : u"\uFEFF" + std::u16string(text)) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The lines joined with CR LF after each, as a Sconet export is written.
inline std::string ExportBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace tressal::test
