#include "cli/cli.h"

#include "cli/report_printer.h"
#include "conversions/conversion.h"
#include "conversions/file_comparison.h"
#include "conversions/save_result.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/text_list.h"
#include "version.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>

namespace tressal::cli {
namespace {

struct Arguments {
    std::string conversion;
    std::filesystem::path input;
    std::filesystem::path root = ".";
    bool dryRun = false; // convert and report, write nothing
    bool report = false; // save, then report
};

std::optional<Arguments> Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--root") {
            if (++i == args.size())
                return std::nullopt;
            parsed.root = PathFromText(args[i]);
        } else if (args[i].starts_with("--root=")) {
            parsed.root = PathFromText(args[i].substr(7));
        } else if (args[i] == "--dry-run") {
            parsed.dryRun = true;
        } else if (args[i] == "--report") {
            parsed.report = true;
        } else if (args[i].starts_with("-") && args[i] != "-") {
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || parsed.root.empty())
        return std::nullopt;
    parsed.conversion = positional[0];
    parsed.input = PathFromText(positional[1]);
    return parsed;
}

void PrintUsage(std::ostream& stream) {
    stream << "Usage : tressal-cli CONVERSION ENTREE [--root DOSSIER] [--dry-run | --report]\n"
              "Convertit un export des élèves (Sconet CSV, SIECLE XML ou zip) ou un export\n"
              "STS (XML ou zip) ; le fichier est écrit sous DOSSIER\n"
              "(par défaut le dossier courant), comme le propose la fenêtre.\n"
              "Conversions :\n";
    for (const auto& conversion : Conversions())
        stream << "  " << conversion.cliName
               << (conversion.input == InputKind::Folder ? "  (ENTREE : un dossier d'exports STS)\n"
                                                         : "\n");
}

void PrintHelp(std::ostream& out) {
    PrintUsage(out);
    out << "Options :\n"
           "  --root DOSSIER  écrit sous DOSSIER au lieu du dossier courant\n"
           "  --dry-run       convertit et affiche le compte rendu et la comparaison avec le\n"
           "                  fichier qui serait remplacé, sans rien écrire\n"
           "  --report        écrit comme d'habitude, puis affiche le compte rendu\n"
           "  --version       affiche la version de Tressal\n"
           "  --help          affiche cette aide\n"
           "Code de sortie : 0 terminé, 1 export incorrect ou enregistrement impossible (les "
           "fichiers précédents restent intacts), 2 usage "
           "incorrect.\n";
}

// A message as plain terminal lines: no CR, and no "Ligne: 0" (nor the empty
// quote after it) when the line is not known.
std::string PlainLines(const std::string& message) {
    TextList lines = SplitLines(message);
    std::erase(lines, "Ligne: 0");
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::string text;
    for (const auto& line : lines)
        text += line + '\n';
    return text;
}

bool Has(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Run(args, out, err, SystemFiles());
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        FileDevice& device) {
    if (Has(args, "--help")) {
        PrintHelp(out);
        return 0;
    }
    if (Has(args, "--version")) {
        out << "tressal-cli " << kVersion << '\n';
        return 0;
    }
    const auto parsed = Parse(args);
    const Conversion* conversion = parsed ? FindConversion(parsed->conversion) : nullptr;
    if (!conversion) {
        PrintUsage(err);
        return 2;
    }
    try {
        const bool reported = parsed->dryRun || parsed->report;
        Converted result = conversion->convert(parsed->input, {{}, LocalToday()});
        if (reported)
            CompareWithProposedFile(*conversion, result, parsed->root);
        if (parsed->dryRun) {
            out << "simulation\t" << PathText(ProposedFile(conversion->plan(result), parsed->root))
                << '\n';
            PrintReport(out, result.report);
            return 0;
        }
        const SavedResult saved = SaveResult(*conversion, result, parsed->root, {}, device);
        out << saved.plan.doneMessage << '\n' << PathText(saved.files.front()) << '\n';
        if (reported)
            PrintReport(out, result.report);
        return 0;
    } catch (const std::exception& error) {
        err << PlainLines(UserMessage(error));
        return 1;
    }
}

} // namespace tressal::cli
