#include "conversions/conversion_report.h"

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

} // namespace tressal
