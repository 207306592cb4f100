#include "conversions/student_report.h"

#include "text/collation.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tressal {
namespace {

using students::StudentField;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Cp1252ToUtf8, at once for ASCII: most names and dates.
std::string Utf8(std::string_view cp1252) {
    for (const char c : cp1252)
        if (static_cast<unsigned char>(c) >= 0x80)
            return Cp1252ToUtf8(cp1252);
    return std::string(cp1252);
}

// A line with nothing on it (the end of a file, a blank between lines) is no
// student: it is neither counted nor reported.
bool IsEmptyLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
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

StudentReport::StudentReport(students::LineView lines,
                             const std::vector<students::StudentPlace>* elements,
                             ConversionReport& report, bool foldsNames)
    : lines_(lines), elements_(elements), report_(report), foldsNames_(foldsNames) {
    report_.population = Population::Students;
    for (std::size_t k = 1; k < lines.size(); ++k)
        report_.read += IsEmptyLine(lines[k]) ? 0 : 1;
}

Origin StudentOrigin(const students::StudentPlace& place) {
    if (!place.id.empty())
        return Origin::Element("ELEVE_ID " + place.id, "ELEVE_ID", place.id, 0);
    if (place.rank > 0)
        return Origin::Element("ELEVE n°" + std::to_string(place.rank), "ELEVE", "", place.rank);
    return Origin();
}

Origin StudentReport::OriginOf(std::size_t k) const {
    if (elements_ == nullptr)
        return Origin(k + 1);
    return k < elements_->size() ? StudentOrigin((*elements_)[k]) : Origin();
}

void StudentReport::SetAside(EntryReason reason, std::size_t k, std::size_t kept) {
    if (IsEmptyLine(lines_[k]))
        return;
    const students::StudentFields field(lines_[k]);
    report_.entries.push_back({reason, OriginOf(k), Cp1252ToUtf8(field[StudentField::LastName]),
                               Cp1252ToUtf8(field[StudentField::FirstName]),
                               kept ? OriginOf(kept) : Origin()});
}

void StudentReport::Duplicate(std::size_t k, std::size_t kept) {
    SetAside(EntryReason::NeighbourDuplicate, k, kept);
}

void StudentReport::Nameless(std::size_t k) {
    SetAside(EntryReason::EmptyFirstField, k, 0);
}

void StudentReport::Warn(WarningKind kind, std::size_t k, std::string_view name,
                         std::string_view firstName, std::string_view value, std::size_t number) {
    report_.warnings.push_back(
        {kind, OriginOf(k), Utf8(name), Utf8(firstName), Utf8(value), "", number});
}

void StudentReport::Unwritable(const students::UnwritableStudent& student) {
    if (auto warning = UnwritableWarning(OriginOf(student.line), student.name, student.firstName))
        report_.warnings.push_back(std::move(*warning));
}

void StudentReport::Written(std::size_t k, const students::StudentFields& field) {
    using enum StudentField;
    ++report_.written;
    const std::string_view name = field.View(LastName);
    const std::string_view firstName = field.View(FirstName);
    // The fields missing read as the last one present, which the last field gives.
    if (field.Count() < students::kStudentFieldCount)
        Warn(WarningKind::ShortLine, k, name, firstName, field.View(Phone), field.Count());
    if (const std::string_view date = field.View(BirthDate); date.empty())
        Warn(WarningKind::WithoutBirthDate, k, name, firstName);
    else if (!IsWholeDate(date))
        Warn(WarningKind::MalformedBirthDate, k, name, firstName, date);
    if (foldsNames_) {
        const std::string folded =
            FoldName(std::string(name)) + " " + FoldName(std::string(firstName));
        if (std::any_of(folded.begin(), folded.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            Warn(WarningKind::AccentedAfterFolding, k, name, firstName, folded);
    }
    if (elements_ == nullptr && HoldsTellingUtf8(lines_[k]))
        Warn(WarningKind::Utf8ReadAsCp1252, k, name, firstName);
    if (const std::string_view division = field.View(Division); division.empty()) {
        Warn(WarningKind::WithoutDivision, k, name, firstName);
    } else {
        divisions_.Add(division);
    }
    if (listWithoutAddress_ && field.View(Address).empty() && field.View(PostalCode).empty() &&
        field.View(Town).empty())
        report_.entries.push_back(
            {EntryReason::WithoutAddress, OriginOf(k), Utf8(name), Utf8(firstName), Origin()});
}

void StudentReport::Finish() {
    std::vector<std::pair<std::string, std::size_t>> groups = divisions_.Counts();
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
        return CompareLines(a.first, b.first) < 0;
    });
    for (auto& [division, count] : groups)
        report_.groups.emplace_back(Cp1252ToUtf8(division), count);
}

} // namespace tressal
