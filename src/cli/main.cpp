#include "cli/cli.h"
#include "text/files.h"

#include <cerrno>
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

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// A standard stream the caller closed: its number is taken by /dev/null, so
// that no file the program opens gets it and receives the program's output.
// Returns true when it was closed.
bool HoldClosedStream(int descriptor) {
#ifdef _WIN32
    (void)descriptor;
    return false;
#else
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
        return false;
    const int held = open("/dev/null", O_RDWR | O_CLOEXEC); // the lowest free number
    if (held >= 0 && held != descriptor) {
        dup2(held, descriptor);
        close(held);
    }
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    HoldClosedStream(0);
    const bool outputClosed = HoldClosedStream(1);
    HoldClosedStream(2);
    if (outputClosed)
        std::cout.rdbuf(nullptr); // anything written fails
    const int code =
        tressal::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        // What the program did is done, but whoever runs it could not read it.
        const std::string reason = outputClosed ? "La sortie est fermée."
                                   : errno      ? tressal::SystemReason(errno)
                                                : std::string("Erreur d'écriture.");
        std::cerr << "tressal-cli : impossible d'écrire sur la sortie standard. " << reason
                  << " Vérifiez où la sortie de tressal-cli est redirigée, puis recommencez.\n";
        return 2;
    }
    return code;
}

#endif
