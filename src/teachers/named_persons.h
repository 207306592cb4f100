#pragma once

#include "sts/sts_export.h"
#include "text/error.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tressal::teachers {

// Told about each person of an export as a conversion walks them, in
// document order; index: the person's place among the export's INDIVIDU.
class PersonObserver {
public:
    virtual ~PersonObserver() = default;
    // No usage name: the person gives no line.
    virtual void Nameless(const sts::StsPerson& person, std::size_t index) = 0;
    // The person's line is written.
    virtual void Written(const sts::StsPerson& person, std::size_t index) = 0;
    // A cité scolaire's line met before, first in that export.
    virtual void Duplicate(const sts::StsPerson& /*person*/, std::size_t /*index*/,
                           const std::filesystem::path& /*firstExport*/) {}
    // Written with no division (Vesko).
    virtual void WithoutDivision(const sts::StsPerson& /*person*/, std::size_t /*index*/) {}
};

// " pour la personne ID 4949 (MARTIN Paul)": which person a failed read was
// about, from what the person holds (nothing that could fail again).
std::string PersonNamed(const sts::StsPerson& person);

// Calls visit(person, usageName, index) for each INDIVIDU of the export that
// has a usage name, in document order; persons without one give no line
// anywhere, and are told to the observer when there is one. An Error raised
// for one person (a required element missing) names it.
template <class Visit>
void ForEachNamedPerson(const sts::StsExport& data, PersonObserver* told, Visit&& visit) {
    const auto& persons = data.RequiredPersons();
    for (std::size_t i = 0; i < persons.size(); ++i) {
        const sts::StsPerson& person = persons[i];
        try {
            const std::string& name = person.usageName.Required("NOM_USAGE");
            if (!name.empty())
                visit(person, name, i);
            else if (told)
                told->Nameless(person, i);
        } catch (const Error& error) {
            throw Error(error.what() + PersonNamed(person));
        }
    }
}

} // namespace tressal::teachers
