#include "cli/cli.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

// The arguments as typed, in UTF-8: main's own are in the ANSI code page,
// which loses every character outside it (œ, €, ’…).
std::vector<std::string> WideArguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}

// The messages are UTF-8: a console shows them right only in that code page,
// which goes back to the user's as the program ends.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) {
        if (previous_ != 0)
            SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console() {
        if (previous_ != 0)
            SetConsoleOutputCP(previous_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};

} // namespace

int main() {
    const Utf8Console console;
    const int code = tressal::cli::Run(WideArguments(), std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    return code;
}

#else

int main(int argc, char** argv) {
    return tressal::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

#endif
