#include "students/representatives_export.h"

#include "students/placed_events.h"
#include "text/error.h"
#include "text/text_helpers.h"

#include <algorithm>

namespace tressal::students {
namespace {

enum class Place {
    Ignored,
    Root,
    Parameters,
    Data,
    Persons,
    Person,
    Links,
    Link,
    Addresses,
    Address,
    Value, // an element whose text is kept
};

class RepresentativesEvents : public PlacedEvents<Place> {
public:
    RepresentativesExport Take() { return std::move(result_); }

private:
    Place EnterRoot(std::string_view name) override {
        if (name != "BEE_RESPONSABLES")
            throw Error("Le fichier donné comme export des responsables n'est pas l'export "
                        "« Responsables avec adresses » de SIECLE (son élément principal est "
                        "« " +
                        std::string(name) + " ») : remplacez-le par cet export, ou retirez-le.");
        return Place::Root;
    }

    void Leave(Place place) override {
        switch (place) {
        case Place::Person:
            person_.addressId = TrimBlanks(person_.addressId);
            result_.persons.try_emplace(std::move(owner_), std::move(person_));
            break;
        case Place::Link:
            link_ = {TrimBlanks(link_.studentId), TrimBlanks(link_.personId),
                     TrimBlanks(link_.legalLevel)};
            result_.links.push_back(std::move(link_));
            break;
        case Place::Address:
            result_.addresses.try_emplace(std::move(owner_), std::move(address_));
            break;
        default:
            break;
        }
    }

    Place Enter(Place parent, std::string_view name,
                const xml::XmlAttributes& attributes) override {
        switch (parent) {
        case Place::Root:
            return name == "PARAMETRES" ? Place::Parameters
                   : name == "DONNEES"  ? Place::Data
                                        : Place::Ignored;
        case Place::Parameters:
            return name == "UAJ"              ? Keep(result_.establishment)
                   : name == "ANNEE_SCOLAIRE" ? Keep(result_.schoolYear)
                                              : Place::Ignored;
        case Place::Data:
            return name == "PERSONNES"      ? Place::Persons
                   : name == "RESPONSABLES" ? Place::Links
                   : name == "ADRESSES"     ? Place::Addresses
                                            : Place::Ignored;
        case Place::Persons:
            if (name != "PERSONNE")
                return Place::Ignored;
            owner_ = TrimBlanks(attributes.Value("PERSONNE_ID"));
            person_ = {};
            return Place::Person;
        case Place::Person:
            return name == "TEL_PERSONNEL"  ? Keep(person_.homePhone)
                   : name == "TEL_PORTABLE" ? Keep(person_.mobilePhone)
                   : name == "ADRESSE_ID"   ? Keep(person_.addressId)
                                            : Place::Ignored;
        case Place::Links:
            if (name != "RESPONSABLE_ELEVE" && name != "RESPONSABLE")
                return Place::Ignored;
            link_ = {};
            return Place::Link;
        case Place::Link:
            return name == "ELEVE_ID"      ? Keep(link_.studentId)
                   : name == "PERSONNE_ID" ? Keep(link_.personId)
                   : name == "RESP_LEGAL"  ? Keep(link_.legalLevel)
                                           : Place::Ignored;
        case Place::Addresses:
            if (name != "ADRESSE")
                return Place::Ignored;
            owner_ = TrimBlanks(attributes.Value("ADRESSE_ID"));
            address_ = {};
            return Place::Address;
        case Place::Address:
            if (std::string* part = AddressPartNamed(address_, name))
                return Keep(*part);
            return Place::Ignored;
        default:
            return Place::Ignored;
        }
    }

    RepresentativesExport result_;
    std::string owner_; // PERSONNE_ID or ADRESSE_ID of the element being read
    Representative person_;
    RepresentativeLink link_;
    SiecleAddress address_;
};

} // namespace

RepresentativesExport ReadRepresentativesExport(std::string_view bytes) {
    RepresentativesEvents events;
    xml::StreamXml(bytes, events);
    return events.Take();
}

RepresentativesExport ReadRepresentativesExport(const xml::ByteSourceOpener& open) {
    RepresentativesEvents events;
    xml::StreamXml(open, events);
    return events.Take();
}

bool HasAddress(const SiecleAddress& address) {
    const auto filled = [](const std::string& text) { return !TrimBlanks(text).empty(); };
    return std::any_of(address.lines.begin(), address.lines.end(), filled) ||
           filled(address.postalCode) || filled(address.town) || filled(address.foreignTown);
}

RepresentativeContacts::RepresentativeContacts(RepresentativesExport data)
    : data_(std::move(data)) {
    for (const auto& link : data_.links)
        if (link.legalLevel == "1" || link.legalLevel == "2")
            byStudent_[link.studentId].push_back(&link);
    for (auto& [student, links] : byStudent_)
        std::stable_sort(links.begin(), links.end(), [](const auto* a, const auto* b) {
            return a->legalLevel < b->legalLevel;
        });
}

std::vector<const Representative*>
RepresentativeContacts::LegalOf(const std::string& studentId) const {
    std::vector<const Representative*> persons;
    const auto found = studentId.empty() ? byStudent_.end() : byStudent_.find(studentId);
    if (found == byStudent_.end())
        return persons;
    for (const auto* link : found->second)
        if (const auto person = data_.persons.find(link->personId); person != data_.persons.end())
            persons.push_back(&person->second);
    return persons;
}

const SiecleAddress* RepresentativeContacts::Address(const std::string& studentId) const {
    for (const auto* person : LegalOf(studentId)) {
        const auto found = person->addressId.empty() ? data_.addresses.end()
                                                     : data_.addresses.find(person->addressId);
        if (found != data_.addresses.end() && HasAddress(found->second))
            return &found->second;
    }
    return nullptr;
}

std::string RepresentativeContacts::Phone(const std::string& studentId) const {
    for (const auto* person : LegalOf(studentId))
        for (const std::string* phone : {&person->homePhone, &person->mobilePhone})
            if (!TrimBlanks(*phone).empty())
                return *phone;
    return {};
}

} // namespace tressal::students
