#include "cli/terminal.h"

#include "conversions/report_text.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/files.h"

#include <algorithm>
#include <cerrno>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace tressal::cli {
namespace {

// A value kept on its line and in its column.
std::string Value(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

void PrintReport(std::ostream& out, const ConversionReport& report) {
    out << "resume\t" << Value(SummaryText(report)) << '\n'
        << "lus\t" << report.read << '\n'
        << "ecrits\t" << report.written << '\n';
    if (report.addressesFromRepresentatives > 0 || report.phonesFromRepresentatives > 0)
        out << "adresses-responsables\t" << report.addressesFromRepresentatives << '\n'
            << "telephones-responsables\t" << report.phonesFromRepresentatives << '\n';
    for (const EntryReason reason : kEntryReasons)
        if (const std::size_t count = report.Count(reason); count > 0)
            out << "nombre\t" << ReasonCode(reason) << '\t' << count << '\n';
    for (const auto& entry : report.entries) {
        out << "entree\t" << ReasonCode(entry.reason) << '\t' << Value(OriginText(entry.origin))
            << '\t' << Value(entry.name) << '\t' << Value(entry.firstName);
        if (entry.duplicateOf != Origin())
            out << '\t' << Value(OriginText(entry.duplicateOf));
        out << '\n';
    }
    const char* group = report.population == Population::Students ? "classe\t" : "discipline\t";
    for (const auto& [code, count] : report.groups)
        out << group << Value(code) << '\t' << count << '\n';
    for (const auto& warning : report.warnings)
        out << "avertissement\t" << WarningCode(warning.kind) << '\t'
            << Value(OriginText(warning.origin)) << '\t' << Value(warning.name) << '\t'
            << Value(warning.firstName) << '\t' << Value(WarningText(warning)) << '\n';
    if (const auto& comparison = report.comparison)
        PrintComparison(out, *comparison);
}

void PrintComparison(std::ostream& out, const Comparison& comparison) {
    out << "fichier-existant\t" << Value(PathText(comparison.file)) << '\n'
        << "inchangees\t" << comparison.unchanged << '\n'
        << "ajouts\t" << comparison.added.size() << '\n'
        << "retraits\t" << comparison.removed.size() << '\n';
    for (const auto& line : comparison.added)
        out << "ajout\t" << Value(Cp1252ToUtf8(line)) << '\n';
    for (const auto& line : comparison.removed)
        out << "retrait\t" << Value(Cp1252ToUtf8(line)) << '\n';
}

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
