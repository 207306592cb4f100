#pragma once

// Runs the real tressal-cli as its own process, without a shell, its standard
// output and error captured.

#include "test_support.h"

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace tressal::test {

struct ProgramOutcome {
    int code; // -1: it did not start or did not exit by itself
    std::string out;
    std::string err;
};

#ifdef _WIN32

inline std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// One argument quoted as CommandLineToArgvW reads it back.
inline std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        quoted += c;
    }
    quoted.append(2 * slashes, L'\\');
    return quoted + L"\"";
}

inline HANDLE InheritedFile(const std::filesystem::path& file) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The arguments are UTF-8, as the program reads them; input: the file its
// standard input reads, or none.
inline ProgramOutcome RunProgram(const std::filesystem::path& program,
                                 const std::vector<std::string>& args,
                                 const std::filesystem::path& input = {}) {
    TempFolder capture;
    std::wstring line = Quoted(program.wstring());
    for (const auto& arg : args)
        line += L" " + Quoted(Wide(arg));
    const HANDLE out = InheritedFile(capture / "out");
    const HANDLE err = InheritedFile(capture / "err");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE in = input.empty() ? INVALID_HANDLE_VALUE
                                    : CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  &inherit, OPEN_EXISTING, 0, nullptr);
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    DWORD code = static_cast<DWORD>(-1);
    // Under Wine, about one start in a thousand fails with ERROR_INTERNAL_ERROR before
    // the program runs at all: that start is tried again, the program's own outcome never.
    bool started = false;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process);
        startError = started ? 0 : GetLastError();
        if (startError != ERROR_INTERNAL_ERROR)
            break;
    }
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    if (in != INVALID_HANDLE_VALUE)
        CloseHandle(in);
    std::string errors = ReadBytes(capture / "err");
    if (!started) // said, so that a run that never started is told apart from a failed one
        errors += "CreateProcessW: error " + std::to_string(startError) + "\n";
    return {static_cast<int>(code), ReadBytes(capture / "out"), errors};
}

#else

inline ProgramOutcome RunProgram(const std::filesystem::path& program,
                                 const std::vector<std::string>& args,
                                 const std::filesystem::path& input = {}) {
    TempFolder capture;
    const std::string in = input.string();
    const std::string out = (capture / "out").string();
    const std::string err = (capture / "err").string();
    WriteBytes(out, "");
    WriteBytes(err, "");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!in.empty())
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all = {program.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int code = -1;
    if (posix_spawn(&child, all.front().c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child && WIFEXITED(status))
            code = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    return {code, ReadBytes(capture / "out"), ReadBytes(capture / "err")};
}

#endif

} // namespace tressal::test
