#include "cli/cli.h"

#include "conversions/conversion.h"
#include "text/file_io.h"

#include <exception>
#include <filesystem>
#include <optional>

namespace tressal::cli {
namespace {

struct Arguments {
    std::string conversion;
    std::filesystem::path input;
    std::filesystem::path root = ".";
};

std::optional<Arguments> Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--root") {
            if (++i == args.size())
                return std::nullopt;
            parsed.root = args[i];
        } else if (args[i].starts_with("--root=")) {
            parsed.root = args[i].substr(7);
        } else if (args[i].starts_with("-") && args[i] != "-") {
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || parsed.root.empty())
        return std::nullopt;
    parsed.conversion = positional[0];
    parsed.input = positional[1];
    return parsed;
}

void PrintUsage(std::ostream& err) {
    err << "Usage : tressal-cli CONVERSION ENTREE [--root DOSSIER]\n"
           "Convertit un export des élèves (Sconet CSV, SIECLE XML ou zip) ou un export\n"
           "STS (XML ou zip) ; le fichier est écrit sous DOSSIER\n"
           "(par défaut le dossier courant), comme le propose la fenêtre.\n"
           "Conversions :\n";
    for (const auto& conversion : Conversions())
        err << "  " << conversion.cliName
            << (conversion.input == InputKind::Folder ? "  (ENTREE : un dossier d'exports STS)\n"
                                                      : "\n");
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Parse(args);
    const Conversion* conversion = parsed ? FindConversion(parsed->conversion) : nullptr;
    if (!conversion) {
        PrintUsage(err);
        return 2;
    }
    try {
        const Converted result = conversion->convert(parsed->input, {parsed->root, {}});
        const OutputPlan plan = conversion->plan(result);
        const auto folder = OutputFolder(parsed->root, plan);
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        const auto file = folder / plan.fileName;
        WriteResult(result, plan, parsed->root, file);
        out << plan.doneMessage << '\n' << PathText(file) << '\n';
        return 0;
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
}

} // namespace tressal::cli
