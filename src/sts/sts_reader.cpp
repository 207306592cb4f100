#include "sts/sts_reader.h"

#include "sts/sts_source.h"
#include "text/text_helpers.h"
#include "xml/node.h"

#include <utility>

namespace tressal::sts {

void StsEvents::Enter(Place place) {
    places_.push_back(place);
}

bool StsEvents::StartElement(std::string_view name, const xml::XmlAttributes& attributes) {
    if (places_.empty()) {
        rootName_ = name;
        Enter(name == "STS_EDT" ? Place::Root : Place::Ignored);
        return true;
    }
    if (places_.back() == Place::Value)
        ChildNode();
    Enter(Child(places_.back(), name, attributes));
    return true;
}

// Each container keeps its first child of a name: once is a flag of the
// container, cleared when a new one opens.
StsEvents::Place StsEvents::Child(Place parent, std::string_view name,
                                  const xml::XmlAttributes& attributes) {
    const auto first = [](bool& seen, Place place) {
        if (seen)
            return Place::Ignored;
        seen = true;
        return place;
    };
    switch (parent) {
    case Place::Root:
        if (name == "PARAMETRES")
            return first(seen_.parameters, Place::Parameters);
        return name == "DONNEES" ? first(seen_.data, Place::Data) : Place::Ignored;
    case Place::Parameters:
        if (name != "UAJ" || std::exchange(seen_.establishment, true))
            return Place::Ignored;
        result_.ownCode = TrimBlanks(attributes.ValueIfAny("CODE").value_or(""));
        return Place::Ignored;
    case Place::Data:
        if (name == "INDIVIDUS")
            return first(result_.hasPersons, Place::Persons);
        return name == "STRUCTURE" ? first(seen_.structure, Place::Structure) : Place::Ignored;
    case Place::Persons:
        return name == "INDIVIDU" ? NewPerson(attributes.ValueIfAny("ID")) : Place::Ignored;
    case Place::Person:
        return PersonChild(name);
    case Place::Disciplines:
        if (name != "DISCIPLINE" || std::exchange(seen_.discipline, true))
            return Place::Ignored;
        result_.persons.back().discipline = attributes.ValueIfAny("CODE");
        return Place::Ignored;
    case Place::Structure:
        return name == "DIVISIONS" ? first(seen_.divisions, Place::Divisions) : Place::Ignored;
    case Place::Divisions:
        return name == "DIVISION" ? NewDivision(attributes.ValueIfAny("CODE")) : Place::Ignored;
    case Place::Division:
        return name == "SERVICES" ? first(seen_.services, Place::Services) : Place::Ignored;
    case Place::Services:
        seen_.teachers = false;
        return name == "SERVICE" ? Place::Service : Place::Ignored;
    case Place::Service:
        return name == "ENSEIGNANTS" ? first(seen_.teachers, Place::Teachers) : Place::Ignored;
    case Place::Teachers:
        if (name == "ENSEIGNANT")
            if (const auto id = xml::ParseInteger(attributes.ValueIfAny("ID").value_or("")))
                result_.divisions.back().teachers.push_back(*id);
        return Place::Ignored;
    default:
        return Place::Ignored;
    }
}

StsEvents::Place StsEvents::NewPerson(std::optional<std::string> id) {
    result_.persons.emplace_back().id = std::move(id);
    seen_.disciplines = false;
    return Place::Person;
}

StsEvents::Place StsEvents::NewDivision(std::optional<std::string> code) {
    result_.divisions.emplace_back().code = std::move(code);
    seen_.services = false;
    return Place::Division;
}

StsEvents::Place StsEvents::PersonChild(std::string_view name) {
    StsPerson& person = result_.persons.back();
    if (name == "DISCIPLINES") {
        seen_.discipline = false;
        return std::exchange(seen_.disciplines, true) ? Place::Ignored : Place::Disciplines;
    }
    StsValue* const value = name == "NOM_USAGE"        ? &person.usageName
                            : name == "PRENOM"         ? &person.firstName
                            : name == "CIVILITE"       ? &person.civility
                            : name == "DATE_NAISSANCE" ? &person.birthDate
                                                       : nullptr;
    if (value == nullptr || !value->IsMissing())
        return Place::Ignored;
    value_ = OpenValue();
    value_.target = value;
    return Place::Value;
}

void StsEvents::EndElement() {
    if (places_.back() == Place::Value)
        EndValue();
    places_.pop_back();
}

// The tree these reads replace keeps character data between markup as one
// text node, but drops a blank one where it stands beside other nodes
// (libxml2's rule for ignorable blanks): a value is a text when what remains
// is one text or CDATA node, or nothing.
void StsEvents::Text(std::string_view utf8) {
    if (!places_.empty() && places_.back() == Place::Value) {
        value_.run.append(utf8);
        value_.inRun = true;
    }
}

void StsEvents::Cdata(std::string_view utf8) {
    if (!places_.empty() && places_.back() == Place::Value) {
        EndRun(false);
        // A section right after another joins it.
        if (!value_.afterCdata && ++value_.nodes == 1)
            value_.text.assign(utf8);
        else if (value_.afterCdata && value_.nodes == 1)
            value_.text.append(utf8);
        value_.afterCdata = true;
    }
}

void StsEvents::OtherNode() {
    if (!places_.empty() && places_.back() == Place::Value)
        ChildNode();
}

void StsEvents::ChildNode() {
    EndRun(false);
    value_.afterCdata = false;
    value_.nodes += 2; // never a single text
}

void StsEvents::EndRun(bool atEnd) {
    if (!value_.inRun)
        return;
    const bool blank = value_.run.find_first_not_of(" \t\r\n") == std::string::npos;
    const bool dropped = blank && !(atEnd && value_.nodes == 0) && !value_.firstIsText;
    if (!dropped) {
        value_.afterCdata = false;
        if (++value_.nodes == 1) {
            value_.firstIsText = true;
            value_.text = std::move(value_.run);
        }
    }
    value_.run.clear();
    value_.inRun = false;
}

void StsEvents::EndValue() {
    EndRun(true);
    if (value_.nodes <= 1)
        value_.target->Set(StsValue::Kind::Text, std::move(value_.text));
    else
        value_.target->Set(StsValue::Kind::NotText);
    value_ = {};
}

StsExport StsEvents::Take() {
    if (rootName_ != "STS_EDT")
        ThrowNotStsExport(rootName_);
    result_.hasData = seen_.data;
    return std::move(result_);
}

} // namespace tressal::sts
