#include "cli/cli.h"

#include "cli/history_commands.h"
#include "cli/json_report.h"
#include "cli/terminal.h"
#include "conversions/conversion.h"
#include "conversions/file_comparison.h"
#include "conversions/save_result.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"
#include "version.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace tressal::cli {
namespace {

const char* const kProgram = "tressal-cli : ";

struct Arguments {
    std::vector<std::string> positional; // the conversion, then the input ("-": standard input)
    std::string root = ".";
    std::string format = "texte";
    std::string code;            // establishment code of an export read from standard input
    bool dryRun = false;         // convert and report, write nothing (wins over --report)
    bool report = false;         // save, then report
    bool allowEmpty = false;     // replace a file that lists people with one that lists no one
    std::string representatives; // --responsables FILE
    bool help = false;
    bool version = false;
    std::string problem; // what is wrong with the command, "" when nothing
};

// An option: a flag, or one that takes a value (--root DIR or --root=DIR).
struct Option {
    const char* name;
    const char* shortName; // "" for none
    bool Arguments::*flag;
    std::string Arguments::*value;
};

const Option kOptions[] = {
    {"--root", "", nullptr, &Arguments::root},
    {"--format", "", nullptr, &Arguments::format},
    {"--code", "", nullptr, &Arguments::code},
    {"--responsables", "", nullptr, &Arguments::representatives},
    {"--dry-run", "", &Arguments::dryRun, nullptr},
    {"--report", "", &Arguments::report, nullptr},
    {"--allow-empty", "", &Arguments::allowEmpty, nullptr},
    {"--help", "-h", &Arguments::help, nullptr},
    {"--version", "-V", &Arguments::version, nullptr},
};

std::string Quoted(const std::string& text) {
    return "« " + text + " »";
}

// Reads one option at args[i] (i moves past its value); false when unknown.
bool ReadOption(const std::vector<std::string>& args, std::size_t& i, Arguments& parsed) {
    const std::string& arg = args[i];
    for (const Option& option : kOptions) {
        const std::string name = option.name;
        if (option.flag && (arg == name || arg == option.shortName)) {
            parsed.*option.flag = true;
            return true;
        }
        if (!option.value)
            continue;
        if (arg.starts_with(name + "=")) {
            parsed.*option.value = arg.substr(name.size() + 1);
        } else if (arg == name) {
            if (i + 1 == args.size()) {
                parsed.problem = "l'option " + Quoted(name) + " attend une valeur";
                return true;
            }
            parsed.*option.value = args[++i];
        } else {
            continue;
        }
        if ((parsed.*option.value).empty() && parsed.problem.empty())
            parsed.problem = "l'option " + Quoted(name) + " attend une valeur";
        return true;
    }
    return false;
}

// What is wrong with options that are each well formed but not together.
std::string Inconsistency(const Arguments& parsed) {
    if (parsed.format != "texte" && parsed.format != "json")
        return "format inconnu " + Quoted(parsed.format) + " (texte ou json)";
    if (parsed.format == "json" && !parsed.dryRun && !parsed.report)
        return "--format ne s'emploie qu'avec --dry-run ou --report";
    if (parsed.positional.empty())
        return "il manque la conversion et l'export à convertir";
    if (!FindConversion(parsed.positional[0]))
        return "conversion inconnue " + Quoted(parsed.positional[0]);
    if (parsed.positional.size() == 1)
        return "il manque l'export à convertir";
    if (parsed.positional.size() > 2)
        return "argument en trop " + Quoted(parsed.positional[2]);
    if (parsed.positional[1] == "-" &&
        FindConversion(parsed.positional[0])->input == InputKind::Folder)
        return Quoted(parsed.positional[0]) + " lit un dossier, pas l'entrée standard";
    if (!parsed.code.empty() && parsed.positional[1] != "-")
        return "--code ne s'emploie qu'avec l'entrée standard (ENTREE « - »)";
    return {};
}

// Options anywhere until "--"; "-" alone is the standard input.
Arguments Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-"))
            parsed.positional.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else if (!ReadOption(args, i, parsed) && parsed.problem.empty())
            parsed.problem = "option inconnue " + Quoted(arg);
    }
    if (parsed.problem.empty())
        parsed.problem = Inconsistency(parsed);
    return parsed;
}

void PrintUsage(std::ostream& stream) {
    stream << "Usage : tressal-cli CONVERSION ENTREE [--root DOSSIER] [--responsables FICHIER]\n"
              "                   [--dry-run | --report] [--format texte|json] [--code CODE]\n"
              "                   [--allow-empty]\n"
              "        tressal-cli historique CONVERSION [CODE] [--root DOSSIER]\n"
              "        tressal-cli restaurer CONVERSION [CODE] VERSION [--root DOSSIER] "
              "[--dry-run]\n"
              "Convertit un export des élèves (SIECLE XML ou zip, Sconet CSV) ou un export\n"
              "STS (XML ou zip) ; le fichier est écrit sous DOSSIER\n"
              "(par défaut le dossier courant), comme le propose la fenêtre.\n"
              "ENTREE « - » lit l'export sur l'entrée standard.\n"
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
           "  --responsables FICHIER\n"
           "                  l'export SIECLE « Responsables avec adresses » (XML ou zip) :\n"
           "                  les élèves sans adresse ni téléphone prennent ceux de leur\n"
           "                  responsable légal (sinon, il est cherché à côté de l'export)\n"
           "  --dry-run       convertit et affiche le compte rendu et la comparaison avec le\n"
           "                  fichier qui serait remplacé, sans rien écrire (avec --report\n"
           "                  aussi : rien n'est écrit)\n"
           "  --report        écrit comme d'habitude, puis affiche le compte rendu\n"
           "  --format json   le compte rendu en un objet JSON (par défaut : texte, un fait\n"
           "                  par ligne)\n"
           "  --code CODE     le code de l'établissement d'un export Sconet CSV lu sur\n"
           "                  l'entrée standard (son nom le donne d'habitude)\n"
           "  --allow-empty   remplace un fichier qui contient des élèves ou des enseignants\n"
           "                  même quand l'export n'en donne aucun (refusé sinon)\n"
           "  -V, --version   affiche la version de Tressal\n"
           "  -h, --help      affiche cette aide\n"
           "  --              la fin des options\n"
           "Code de sortie : 0 terminé, 1 export incorrect ou enregistrement impossible (les "
           "fichiers précédents restent intacts), 2 usage "
           "incorrect ou sortie impossible à écrire.\n";
}

// An export read from standard input keeps the code it carries; a Sconet CSV,
// which carries none, takes the one given with --code.
void CheckGivenCode(const Converted& result, const std::string& given) {
    if (!given.empty() && AsciiUpper(result.code) != AsciiUpper(given))
        throw Error("l'export est celui de l'établissement " + result.code + ", pas de " + given +
                    " (--code) : vérifiez l'export, ou retirez --code.");
}

int Convert(const Conversion& conversion, const Arguments& parsed, std::ostream& out,
            FileDevice& device) {
    const std::filesystem::path input = PathFromText(parsed.positional[1]);
    const std::filesystem::path root = PathFromText(parsed.root);
    ConvertContext context{{}, LocalToday()};
    context.representatives = PathFromText(parsed.representatives);
    InputBytes given;
    if (input == "-") {
        given = {ReadStandardInput(), parsed.code};
        context.given = &given;
    }
    Converted result = conversion.convert(input, context);
    if (context.given)
        CheckGivenCode(result, parsed.code);
    const bool reported = parsed.dryRun || parsed.report;
    if (reported)
        CompareWithProposedFile(conversion, result, root);
    const bool json = parsed.format == "json";
    if (parsed.dryRun) {
        const std::string proposed = PathText(ProposedFile(conversion.plan(result), root));
        if (json) {
            PrintJsonReport(out, result.report, {true, proposed, ""});
        } else {
            out << "simulation\t" << proposed << '\n';
            PrintReport(out, result.report);
        }
        return 0;
    }
    const auto refuseEmptying = [&](const std::filesystem::path& file) {
        if (!parsed.allowEmpty)
            throw Error(EmptyingText(result, file) +
                        " Pour écrire quand même le fichier vide, ajoutez --allow-empty.");
        return true;
    };
    const SavedResult saved = SaveResult(conversion, result, root, {}, device, refuseEmptying);
    if (json) {
        PrintJsonReport(out, result.report,
                        {false, PathText(saved.files.front()), saved.plan.doneMessage});
        return 0;
    }
    out << saved.plan.doneMessage << '\n' << PathText(saved.files.front()) << '\n';
    if (reported)
        PrintReport(out, result.report);
    return 0;
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Run(args, out, err, SystemFiles());
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        FileDevice& device) {
    if (const auto done = RunHistoryCommand(args, out, err, device))
        return *done;
    const Arguments parsed = Parse(args);
    if (parsed.help) {
        PrintHelp(out);
        return 0;
    }
    if (parsed.version) {
        out << "tressal-cli " << kVersion << '\n';
        return 0;
    }
    if (!parsed.problem.empty()) {
        err << kProgram << parsed.problem << '\n';
        PrintUsage(err);
        return 2;
    }
    try {
        return Convert(*FindConversion(parsed.positional[0]), parsed, out, device);
    } catch (const std::exception& error) {
        err << kProgram << TerminalMessage(error);
        return 1;
    }
}

} // namespace tressal::cli
