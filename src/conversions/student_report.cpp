#include "conversions/student_report.h"

#include "text/collation.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

#include <algorithm>

namespace tressal {
namespace {

constexpr int kFieldCount = 22;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

std::string Quoted(const std::string& cp1252) {
    return "« " + Cp1252ToUtf8(cp1252) + " »";
}

} // namespace

bool IsWholeDate(std::string_view date) {
    if (date.size() != 10 || date[2] != '/' || date[5] != '/')
        return false;
    for (std::size_t k : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(date[k]))
            return false;
    const int day = (date[0] - '0') * 10 + (date[1] - '0');
    const int month = (date[3] - '0') * 10 + (date[4] - '0');
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

bool HoldsUtf8Sequence(std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto lead = static_cast<unsigned char>(text[k]);
        if (lead < 0xC2 || lead > 0xF4)
            continue;
        const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (k + length > text.size())
            return false;
        bool whole = true;
        for (std::size_t n = 1; n < length && whole; ++n)
            whole = IsContinuation(static_cast<unsigned char>(text[k + n]));
        if (whole)
            return true;
    }
    return false;
}

StudentReport::StudentReport(const TextList& lines, const std::vector<std::string>* elements,
                             ConversionReport& report)
    : lines_(lines), elements_(elements), report_(report) {
    report_.population = Population::Students;
    report_.read += lines.empty() ? 0 : lines.size() - 1;
}

Origin StudentReport::OriginOf(std::size_t k) const {
    if (elements_ == nullptr)
        return Origin(k + 1);
    return Origin(k < elements_->size() ? (*elements_)[k] : std::string());
}

void StudentReport::SetAside(EntryReason reason, std::size_t k, std::size_t kept) {
    const Fields field(lines_[k], ';');
    report_.entries.push_back({reason, OriginOf(k), Cp1252ToUtf8(field(1)), Cp1252ToUtf8(field(2)),
                               kept ? OriginOf(kept) : Origin()});
}

void StudentReport::Duplicate(std::size_t k, std::size_t kept) {
    SetAside(EntryReason::NeighbourDuplicate, k, kept);
}

void StudentReport::Nameless(std::size_t k) {
    SetAside(EntryReason::EmptyFirstField, k, 0);
}

void StudentReport::Warn(WarningKind kind, std::size_t k, const std::string& name,
                         const std::string& firstName, std::string text) {
    report_.warnings.push_back(
        {kind, OriginOf(k), Cp1252ToUtf8(name), Cp1252ToUtf8(firstName), std::move(text)});
}

void StudentReport::Written(std::size_t k) {
    ++report_.written;
    const std::string& line = lines_[k];
    const Fields field(line, ';');
    const std::string name = field(1);
    const std::string firstName = field(2);
    if (const int count = CountFields(line, ';'); count < kFieldCount)
        Warn(WarningKind::ShortLine, k, name, firstName,
             std::to_string(count) + " champ" + (count > 1 ? "s" : "") +
                 " au lieu de 22 : chaque champ manquant reprend le dernier, " +
                 Quoted(field(kFieldCount)) +
                 ", qui peut ainsi devenir l'adresse, la commune ou le téléphone. Vérifiez la "
                 "ligne dans l'export, ou refaites l'export.");
    if (const std::string date = field(5); date.empty())
        Warn(WarningKind::WithoutBirthDate, k, name, firstName,
             "pas de date de naissance : complétez-la dans SIECLE, puis refaites l'export.");
    else if (!IsWholeDate(date))
        Warn(WarningKind::MalformedBirthDate, k, name, firstName,
             "la date de naissance " + Quoted(date) +
                 " n'est pas de la forme jj/mm/aaaa : corrigez-la dans SIECLE, puis refaites "
                 "l'export.");
    if (elements_ == nullptr && HoldsUtf8Sequence(line))
        Warn(WarningKind::Utf8ReadAsCp1252, k, name, firstName,
             "du texte UTF-8 dans un fichier qui n'est pas entièrement en UTF-8 : la ligne a été "
             "lue en Windows-1252 et ses accents sont altérés (« Ã© » pour « é »). Refaites "
             "l'export, ou réenregistrez le fichier en UTF-8.");
    if (const std::string division = field(9); division.empty())
        Warn(WarningKind::WithoutDivision, k, name, firstName,
             "pas de classe : affectez l'élève à une division dans SIECLE, puis refaites "
             "l'export.");
    else
        ++divisions_[division];
}

void StudentReport::Finish() {
    std::vector<std::pair<std::string, std::size_t>> groups(divisions_.begin(), divisions_.end());
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
        return CompareLines(a.first, b.first) < 0;
    });
    for (auto& [division, count] : groups)
        report_.groups.emplace_back(Cp1252ToUtf8(division), count);
}

} // namespace tressal
