// One libFuzzer target per kind of input. Each writes the input to a file of
// the name the conversions expect and runs every conversion of that kind
// through the program's table, as the command line does: a refusal is an
// Error (fine); a crash, a hang, a sanitizer report or any other exception is
// a finding.
#include "conversions/conversion.h"
#include "text/error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#ifndef TRESSAL_FUZZ_INPUT_NAME
#error "TRESSAL_FUZZ_INPUT_NAME names the file the input is written to"
#endif
#ifndef TRESSAL_FUZZ_PREFIX
#error "TRESSAL_FUZZ_PREFIX selects the conversions by their command-line name"
#endif

namespace {

const std::filesystem::path& InputFile() {
    static const std::filesystem::path file = [] {
        const auto folder =
            std::filesystem::temp_directory_path() / ("tressal-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        return folder / TRESSAL_FUZZ_INPUT_NAME;
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const auto& conversion : tressal::Conversions()) {
        if (!conversion.cliName.starts_with(TRESSAL_FUZZ_PREFIX) ||
            conversion.input != tressal::InputKind::File)
            continue;
        try {
            const tressal::Converted result = conversion.convert(InputFile(), {});
            (void)conversion.plan(result);
        } catch (const tressal::Error&) {
            // A refused input, with its message: what should happen.
        }
    }
    return 0;
}
