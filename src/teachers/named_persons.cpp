#include "teachers/named_persons.h"

#include "text/utf8.h"

#include <optional>

namespace tressal::teachers {

std::string PersonNamed(const sts::StsPerson& person) {
    std::string who = person.usageName.IfAny().value_or("");
    if (const std::string first = person.firstName.IfAny().value_or(""); !first.empty())
        who += (who.empty() ? "" : " ") + first;
    return " pour la personne " +
           (person.id ? "ID " + EscapeControls(*person.id) : std::string("sans ID")) +
           (who.empty() ? std::string() : " (" + EscapeControls(who) + ")");
}

} // namespace tressal::teachers
