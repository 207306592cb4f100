#include "conversions/conversion_report.h"

#include <algorithm>

namespace tressal {

std::string OriginText(const Origin& origin) {
    return origin.line > 0 ? "ligne " + std::to_string(origin.line) : origin.label;
}

std::size_t ConversionReport::Count(EntryReason reason) const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [reason](const auto& e) { return e.reason == reason; }));
}

} // namespace tressal
