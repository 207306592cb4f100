#include "cli/history_commands.h"

#include "cli/terminal.h"
#include "conversions/restore_version.h"
#include "conversions/save_result.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <exception>

namespace tressal::cli {
namespace {

struct HistoryArguments {
    bool restore = false;
    const Conversion* conversion = nullptr;
    std::string code;
    std::string version;
    std::filesystem::path root = ".";
    bool dryRun = false;
};

// Nothing when the arguments do not make a valid command.
std::optional<HistoryArguments> Parse(const std::vector<std::string>& args) {
    HistoryArguments parsed;
    parsed.restore = args.front() == "restaurer";
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--root" && i + 1 < args.size())
            parsed.root = PathFromText(args[++i]);
        else if (args[i].starts_with("--root=") && args[i].size() > 7)
            parsed.root = PathFromText(args[i].substr(7));
        else if (args[i] == "--dry-run" && parsed.restore)
            parsed.dryRun = true;
        else if (args[i].starts_with("-"))
            return std::nullopt;
        else
            positional.push_back(args[i]);
    }
    if (positional.empty() || !(parsed.conversion = FindConversion(positional.front())))
        return std::nullopt;
    const bool coded = parsed.conversion->input == InputKind::File;
    const std::size_t expected = 1 + (coded ? 1 : 0) + (parsed.restore ? 1 : 0);
    if (positional.size() != expected || (coded && !IsEstablishmentCode(positional[1])))
        return std::nullopt;
    if (coded)
        parsed.code = positional[1];
    if (parsed.restore)
        parsed.version = positional.back();
    return parsed;
}

void PrintUsage(std::ostream& err) {
    err << "Usage : tressal-cli historique CONVERSION [CODE] [--root DOSSIER]\n"
           "        tressal-cli restaurer CONVERSION [CODE] VERSION [--root DOSSIER] "
           "[--dry-run]\n"
           "CODE : le code de l'établissement (par exemple 0123456A), sauf pour "
           "profs-orlane-cite ;\n"
           "VERSION : le numéro donné par « historique » (1 : la plus récente) ou sa date.\n";
}

int List(const HistoryArguments& parsed, const OutputPlan& plan, std::ostream& out) {
    const auto versions = KeptVersions(plan, parsed.root);
    if (versions.empty())
        out << "Aucune version précédente de " << PathText(ProposedFile(plan, parsed.root))
            << " dans " << PathText(HistoryFolder(plan, parsed.root)) << ".\n";
    for (std::size_t k = 0; k < versions.size(); ++k)
        out << k + 1 << '\t' << versions[k].stamp << '\t' << VersionText(versions[k], plan) << '\t'
            << PathText(versions[k].kept.front()) << '\n';
    return 0;
}

int Restore(const HistoryArguments& parsed, const OutputPlan& plan, std::ostream& out,
            std::ostream& err, FileDevice& device) {
    const auto versions = KeptVersions(plan, parsed.root);
    const KeptVersion* version = FindVersion(versions, parsed.version);
    if (version == nullptr) {
        err << "tressal-cli : il n'y a pas de version « " << parsed.version << " » de "
            << PathText(ProposedFile(plan, parsed.root))
            << " : tapez tressal-cli historique pour voir les versions gardées.\n";
        return 1;
    }
    if (parsed.dryRun) {
        out << "simulation\t" << PathText(version->targets.front()) << '\n'
            << "version\t" << VersionText(*version, plan) << '\n';
        PrintComparison(out, CompareVersion(*version, plan));
        return 0;
    }
    RestoreVersion(*version, plan, parsed.root, device);
    out << "La version du " << VersionText(*version, plan) << " est remise en place.\n"
        << PathText(version->targets.front()) << '\n';
    return 0;
}

} // namespace

std::optional<int> RunHistoryCommand(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err, FileDevice& device) {
    if (args.empty() || (args.front() != "historique" && args.front() != "restaurer"))
        return std::nullopt;
    const auto parsed = Parse(args);
    if (!parsed) {
        err << "tressal-cli : la commande « " << args.front()
            << " » attend une conversion, un code et une version comme ci-dessous\n";
        PrintUsage(err);
        return 2;
    }
    Converted named;
    named.code = parsed->code;
    const OutputPlan plan = parsed->conversion->plan(named);
    try {
        return parsed->restore ? Restore(*parsed, plan, out, err, device)
                               : List(*parsed, plan, out);
    } catch (const std::exception& error) {
        err << "tressal-cli : " << TerminalMessage(error);
        return 1;
    }
}

} // namespace tressal::cli
