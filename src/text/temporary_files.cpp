#include "text/temporary_files.h"

#include "text/file_io.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define TRESSAL_PID _getpid()
#else
#include <unistd.h>
#define TRESSAL_PID getpid()
#endif

namespace tressal {
namespace {

constexpr const char* kMark = ".tressal-tmp-";
constexpr auto kStaleAfter = std::chrono::hours(1);

} // namespace

std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
    static std::atomic<unsigned> counter{0};
    auto name = file.filename();
    name += kMark + std::to_string(TRESSAL_PID) + "-" + std::to_string(counter++);
    return file.parent_path() / name;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    const auto limit = std::filesystem::file_time_type::clock::now() - kStaleAfter;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (PathText(it->path().filename()).find(kMark) == std::string::npos ||
            !it->is_regular_file(ignored))
            continue;
        const auto written = it->last_write_time(ignored);
        if (!ignored && written < limit)
            std::filesystem::remove(it->path(), ignored);
    }
}

} // namespace tressal
