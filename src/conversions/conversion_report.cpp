#include "conversions/conversion_report.h"

#include "text/cp1252.h"

#include <algorithm>

namespace tressal {

std::string OriginText(const Origin& origin) {
    return origin.line > 0 ? "ligne " + std::to_string(origin.line) : origin.label;
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
