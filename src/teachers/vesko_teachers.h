#pragma once

#include "sts/sts_export.h"
#include "teachers/named_persons.h"
#include "text/text_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tressal::teachers {

// For each teacher's ID (decimal text), the codes of the divisions where the
// teacher has a service (co-teachers included), in document order of the
// divisions, each code once. Built in one pass over the structure, in time
// linear in its size.
class DivisionIndex {
public:
    explicit DivisionIndex(const sts::StsExport& data);
    // The division codes of that person joined by ";", empty when none.
    std::string ListeClasses(const std::string& id) const;

private:
    struct Divisions {
        std::string list;
        // The ";"-separated pieces of the list: a code equal to one is held.
        // Counted, and gathered in a set once the list is long.
        std::size_t pieceCount = 0;
        std::unordered_set<std::string> pieces;
    };
    // Adds the code to the list of that ID unless the list holds it already.
    void Add(std::int32_t id, const std::string& code);

    std::unordered_map<std::int32_t, Divisions> classes_;
};

// The Vesko teacher file of one export: the header, then one line per person
// with a usage name, in document order.
TextList VeskoTeachers(const sts::StsExport& data, const DivisionIndex& index,
                       PersonObserver* told = nullptr);

} // namespace tressal::teachers
