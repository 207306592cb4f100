#pragma once

#include <string>

namespace tressal::teachers {

// Calls visit(person, usageName) for each INDIVIDU of the export that has a
// usage name, in document order; persons without one give no line anywhere.
template <class Root, class Visit> void ForEachNamedPerson(const Root& root, Visit&& visit) {
    const auto individus = root.DONNEES().INDIVIDUS();
    for (int i = 0; i < individus.Count(); ++i) {
        const auto person = individus.Item(i);
        const std::string name = person.NOM_USAGE();
        if (!name.empty())
            visit(person, name);
    }
}

} // namespace tressal::teachers
