#include "cli/standard_input.h"

#include "text/error.h"
#include "text/file_io.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace tressal::cli {

std::string ReadStandardInput(std::FILE* in, std::size_t maxBytes) {
#ifdef _WIN32
    _setmode(_fileno(in), _O_BINARY); // no CR LF translation, no stop at Ctrl-Z
#endif
    std::string bytes;
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (bytes.size() + got > maxBytes)
            throw Error("L'entrée standard dépasse " + std::to_string(maxBytes >> 20) +
                        " Mo : ce n'est pas un export, ou il est abîmé ; donnez le fichier de "
                        "l'export.");
        bytes.append(buffer, got);
    }
    if (std::ferror(in))
        throw Error("Impossible de lire l'entrée standard. " + SystemReason(errno));
    return bytes;
}

} // namespace tressal::cli
