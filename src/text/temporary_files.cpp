#include "text/temporary_files.h"

#include "text/file_io.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <system_error>

namespace tressal {
namespace {

constexpr std::string_view kMark = ".tressal-tmp-";
constexpr std::size_t kRandomLength = 12;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr auto kStaleAfter = std::chrono::hours(1);

bool AllOf(std::string_view text, std::string_view characters) {
    return !text.empty() && text.find_first_not_of(characters) == std::string_view::npos;
}

} // namespace

std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
    // The system's random source: the names of earlier saves tell nothing of the next.
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix(kMark);
    for (std::size_t k = 0; k < kRandomLength; ++k)
        suffix += kAlphabet[pick(source)];
    auto name = file.filename();
    name += suffix;
    return file.parent_path() / name;
}

bool IsTemporaryName(const std::filesystem::path& file) {
    const std::string name = PathText(file.filename());
    const auto mark = name.rfind(kMark);
    if (mark == std::string::npos || mark == 0)
        return false;
    const std::string_view suffix = std::string_view(name).substr(mark + kMark.size());
    if (suffix.size() == kRandomLength && AllOf(suffix, kAlphabet))
        return true;
    const auto dash = suffix.find('-');
    return dash != std::string_view::npos && AllOf(suffix.substr(0, dash), "0123456789") &&
           AllOf(suffix.substr(dash + 1), "0123456789");
}

void RemoveLeftoverTemporaries(const std::filesystem::path& folder, bool anyAge) {
    const auto limit = std::filesystem::file_time_type::clock::now() - kStaleAfter;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!IsTemporaryName(it->path()) ||
            !std::filesystem::is_regular_file(it->symlink_status(ignored)))
            continue;
        if (anyAge || (it->last_write_time(ignored) < limit && !ignored))
            std::filesystem::remove(it->path(), ignored);
    }
}

} // namespace tressal
