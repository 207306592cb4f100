#include "conversions/conversion_report.h"

#include "text/cp1252.h"

#include <algorithm>
#include <cstring>

namespace tressal {

std::string OriginText(const Origin& origin) {
    return origin.line > 0 ? "ligne " + std::to_string(origin.line) : origin.label();
}

Origin::Origin(std::size_t lineNumber, std::string file) : line(lineNumber) {
    if (!file.empty())
        place_ = std::make_shared<const Place>(Place{{}, {}, {}, 0, std::move(file)});
}

Origin::Origin(std::string text) {
    if (!text.empty())
        place_ = std::make_shared<const Place>(Place{std::move(text), {}, {}, 0, {}});
}

Origin Origin::File(std::string name) {
    return Element(name, {}, {}, 0, name);
}

Origin Origin::Element(std::string label, std::string element, std::string id, std::size_t rank,
                       std::string file) {
    Origin origin;
    origin.place_ = std::make_shared<const Place>(
        Place{std::move(label), std::move(element), std::move(id), rank, std::move(file)});
    return origin;
}

bool Origin::operator==(const Origin& other) const {
    return line == other.line && label() == other.label() && element() == other.element() &&
           id() == other.id() && rank() == other.rank() && file() == other.file();
}

std::size_t ConversionReport::Count(EntryReason reason) const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [reason](const auto& e) { return e.reason == reason; }));
}

std::optional<Warning> UnwritableWarning(Origin origin, const std::string& name,
                                         const std::string& firstName) {
    const std::string names = name + " " + firstName;
    const std::string character = FirstUnwritable(names);
    if (character.empty())
        return std::nullopt;
    return Warning{WarningKind::Unwritable,           std::move(origin), name, firstName,
                   Cp1252ToUtf8(Utf8ToCp1252(names)), character};
}

namespace {

std::uint64_t Prefix(std::string_view code) {
    std::uint64_t prefix = 0;
    std::memcpy(&prefix, code.data(), std::min<std::size_t>(code.size(), sizeof prefix));
    return prefix;
}

} // namespace

void CodeCounter::Add(std::string_view code) {
    const std::uint64_t prefix = Prefix(code);
    const auto same = [&](const Entry& entry) {
        return entry.prefix == prefix && entry.code.size() == code.size() &&
               (code.size() <= sizeof prefix || entry.code == code);
    };
    // Exports mostly list the students class by class.
    if (last_ < entries_.size() && same(entries_[last_])) {
        ++entries_[last_].count;
        return;
    }
    const auto found = std::find_if(entries_.begin(), entries_.end(), same);
    last_ = static_cast<std::size_t>(found - entries_.begin());
    if (found == entries_.end())
        entries_.push_back({prefix, std::string(code), 1});
    else
        ++found->count;
}

std::vector<std::pair<std::string, std::size_t>> CodeCounter::Counts() const {
    std::vector<std::pair<std::string, std::size_t>> counts;
    counts.reserve(entries_.size());
    for (const auto& entry : entries_)
        counts.emplace_back(entry.code, entry.count);
    return counts;
}

namespace {

std::string YearSpan(int start) {
    return std::to_string(start) + "-" + std::to_string(start + 1);
}

} // namespace

std::string SchoolYearSpan(const std::string& schoolYear) {
    const bool digits =
        schoolYear.size() == 4 && std::all_of(schoolYear.begin(), schoolYear.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    return digits ? YearSpan(std::stoi(schoolYear)) : schoolYear;
}

int SchoolYearOf(std::chrono::year_month_day day) {
    const int year = static_cast<int>(day.year());
    return static_cast<unsigned>(day.month()) >= 9 ? year : year - 1;
}

std::optional<Warning> SchoolYearWarning(const std::string& schoolYear,
                                         std::chrono::year_month_day today) {
    if (schoolYear.empty() || !today.ok())
        return std::nullopt;
    const int current = SchoolYearOf(today);
    const bool summer =
        static_cast<unsigned>(today.month()) >= 7 && static_cast<unsigned>(today.month()) <= 8;
    const bool digits =
        schoolYear.size() == 4 && std::all_of(schoolYear.begin(), schoolYear.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    const int year = digits ? std::stoi(schoolYear) : 0;
    if (year == current || (summer && year == current + 1))
        return std::nullopt;
    return Warning{WarningKind::OtherSchoolYear,
                   Origin::Element("PARAMETRES/ANNEE_SCOLAIRE", "PARAMETRES/ANNEE_SCOLAIRE", "", 0),
                   "",
                   "",
                   SchoolYearSpan(schoolYear),
                   "",
                   static_cast<std::size_t>(current)};
}

} // namespace tressal
