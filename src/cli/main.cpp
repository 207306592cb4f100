#include "cli/cli.h"
#include "text/file_io.h"

#include <cerrno>
#include <iostream>

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
