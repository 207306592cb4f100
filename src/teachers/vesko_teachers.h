#pragma once

#include "sts/sts_model_b.h"
#include "text/text_list.h"

#include <filesystem>
#include <map>
#include <string>

namespace tressal::teachers {

// For each teacher's ID (decimal text), the codes of the divisions where the
// teacher has a service, in document order of the divisions, each code once.
// Built in one pass over the structure.
class DivisionIndex {
public:
    explicit DivisionIndex(const sts::b::TXMLSTS_EDTType& root);
    // The division codes of that person joined by ";", empty when none.
    std::string ListeClasses(const std::string& id) const;

private:
    std::map<std::string, std::string> classes_;
};

// The Vesko teacher file of one export: the header, then one line per person
// with a usage name, in document order.
TextList VeskoTeachers(const std::filesystem::path& input);
TextList VeskoTeachers(const sts::b::TXMLSTS_EDTType& root, const DivisionIndex& index);

} // namespace tressal::teachers
