#pragma once

#include "sts/sts_export.h"
#include "xml/stream.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tressal::sts {

// The events of an STS export's XML, kept as an StsExport. Nothing raises
// while the document is read, so that a document that is not well-formed
// gets its LoadError first, as a whole parse would give it.
class StsEvents : public xml::XmlEvents {
public:
    bool StartElement(std::string_view name, const xml::XmlAttributes& attributes) override;
    void EndElement() override;
    void Text(std::string_view utf8) override;
    void Cdata(std::string_view utf8) override;
    void OtherNode() override;
    void Encoding(const xml::EncodingNote& note) override { result_.encoding = note; }

    // Once the document is read: the export, or the Error of a root that is
    // not STS_EDT (ThrowNotStsExport).
    StsExport Take();

private:
    // The kind of each open element.
    enum class Place {
        Ignored,
        Root,
        Parameters,
        Data,
        Persons,
        Person,
        Disciplines,
        Value, // a person's NOM_USAGE, PRENOM, CIVILITE or DATE_NAISSANCE
        Structure,
        Divisions,
        Division,
        Services,
        Service,
        Teachers,
    };

    // The first child of each name met so far in the open containers.
    struct Seen {
        bool parameters = false;
        bool establishment = false;
        bool data = false;
        bool structure = false;
        bool divisions = false;
        bool disciplines = false; // of the person being read
        bool discipline = false;
        bool services = false; // of the division being read
        bool teachers = false; // of the service being read
    };

    // The value element being read: its child nodes as a tree would hold them.
    struct OpenValue {
        StsValue* target = nullptr;
        int nodes = 0;
        bool firstIsText = false;
        std::string text; // of the first node
        std::string run;  // character data since the last markup
        bool inRun = false;
        bool afterCdata = false; // the last node is a CDATA section
    };

    void Enter(Place place);
    Place Child(Place parent, std::string_view name, const xml::XmlAttributes& attributes);
    // An INDIVIDU or a DIVISION opens.
    Place NewPerson(std::optional<std::string> id);
    Place NewDivision(std::optional<std::string> code);
    Place PersonChild(std::string_view name);
    // A child element, comment or processing instruction inside a value.
    void ChildNode();
    // Character data met markup (or the value's end): a text node, unless blank.
    void EndRun(bool atEnd);
    void EndValue();

    std::vector<Place> places_;
    std::string rootName_;
    Seen seen_;
    OpenValue value_;
    StsExport result_;
};

} // namespace tressal::sts
