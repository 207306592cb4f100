#pragma once

#include "text/error.h"
#include "text/utf8.h"

#include <optional>
#include <string>

namespace tressal::teachers {

// " pour la personne ID 4949 (MARTIN Paul)": which person a failed read was
// about, from what the person holds (nothing that could fail again).
template <class Person> std::string PersonNamed(const Person& person) {
    const std::optional<std::string> id = person.AttributeIfAny("ID");
    std::string who = person.TextIfAny("NOM_USAGE").value_or("");
    if (const std::string first = person.TextIfAny("PRENOM").value_or(""); !first.empty())
        who += (who.empty() ? "" : " ") + first;
    return " pour la personne " + (id ? "ID " + EscapeControls(*id) : std::string("sans ID")) +
           (who.empty() ? std::string() : " (" + EscapeControls(who) + ")");
}

// Calls visit(person, usageName) for each INDIVIDU of the export that has a
// usage name, in document order; persons without one give no line anywhere.
// An Error raised for one person (a required element missing) names it.
template <class Root, class Visit> void ForEachNamedPerson(const Root& root, Visit&& visit) {
    const auto individus = root.DONNEES().INDIVIDUS();
    for (int i = 0; i < individus.Count(); ++i) {
        const auto person = individus.Item(i);
        try {
            const std::string name = person.NOM_USAGE();
            if (!name.empty())
                visit(person, name);
        } catch (const Error& error) {
            throw Error(error.what() + PersonNamed(person));
        }
    }
}

} // namespace tressal::teachers
