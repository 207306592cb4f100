#include "text/temporary_files.h"

#include "text/files.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#ifndef _WIN32
#include <atomic>
#include <csignal>
#include <cstring>
#include <system_error>
#include <unistd.h>
#endif

namespace tressal {
namespace {

#ifdef _WIN32

// Windows ends a program without signals a save could catch: the next save
// into the folder removes what it left.
int Watch(const std::filesystem::path&) {
    return -1;
}
void Unwatch(int) {}

#else

// Enough for the few files of several saves at once.
constexpr int kSlots = 32;
constexpr std::size_t kNameBytes = 4096;

enum SlotState : int { kFree, kFilling, kWatched };

struct Slot {
    std::atomic<int> state{kFree};
    char name[kNameBytes];
};

Slot slots[kSlots];

// Only what a signal handler may do: unlink, sigaction, raise.
extern "C" void RemoveNamesAndEnd(int signal) {
    for (Slot& slot : slots)
        if (slot.state.load() == kWatched)
            unlink(slot.name);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signal, &defaultAction, nullptr);
    // Delivered as soon as the handler returns, with the default action.
    raise(signal);
}

// Only over the default action: a signal the program ignores (SIGHUP under
// nohup) or handles otherwise stays as it is. Looked at again for every name,
// so that a child process that restores a default action is covered too.
void InstallHandlers() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveNamesAndEnd;
        sigfillset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

int Watch(const std::filesystem::path& path) {
    static_assert(std::atomic<int>::is_always_lock_free);
    std::error_code error;
    const std::string name = std::filesystem::absolute(path, error).native();
    if (error || name.size() >= kNameBytes)
        return -1;
    InstallHandlers();
    for (int k = 0; k < kSlots; ++k) {
        int expected = kFree;
        if (!slots[k].state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(slots[k].name, name.c_str(), name.size() + 1);
        slots[k].state.store(kWatched);
        return k;
    }
    return -1;
}

void Unwatch(int slot) {
    if (slot >= 0)
        slots[slot].state.store(kFree);
}

#endif

} // namespace

TemporaryName::TemporaryName(const std::filesystem::path& path) : path_(path), slot_(Watch(path)) {}

TemporaryName::TemporaryName(TemporaryName&& other) noexcept
    : path_(std::move(other.path_)), slot_(std::exchange(other.slot_, -1)) {
    other.path_.clear();
}

TemporaryName& TemporaryName::operator=(TemporaryName&& other) noexcept {
    if (this != &other) {
        Forget();
        path_ = std::move(other.path_);
        other.path_.clear();
        slot_ = std::exchange(other.slot_, -1);
    }
    return *this;
}

void TemporaryName::Forget() {
    Unwatch(std::exchange(slot_, -1));
    path_.clear();
}

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
