#include "conversions/conversion_report.h"

#include "text/cp1252.h"

#include <algorithm>

namespace tressal {

std::string OriginText(const Origin& origin) {
    return origin.line > 0 ? "ligne " + std::to_string(origin.line) : origin.label;
}

Origin Origin::File(std::string name) {
    Origin origin(name);
    origin.file = std::move(name);
    return origin;
}

Origin Origin::Element(std::string label, std::string element, std::string id, std::size_t rank,
                       std::string file) {
    Origin origin(std::move(label));
    origin.element = std::move(element);
    origin.id = std::move(id);
    origin.rank = rank;
    origin.file = std::move(file);
    return origin;
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

} // namespace tressal
