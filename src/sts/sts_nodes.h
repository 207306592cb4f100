#pragma once

// Node types of an STS export (root element STS_EDT): the elements and
// attributes that the teacher conversions read. Each type is a view over one
// element, named TXML + element name + Type; each member reads the child
// element or attribute of the same name:
//   - text member:    the element's (or attribute's) text, UTF-8, unchanged;
//   - integer member: that text as a 32-bit integer;
//   - node member:    the first child element of that name;
//   - list (ListOf):  Count() and Item(i) over the child elements of the
//                     item's name, in document order.
// A member called without argument raises NotFoundError when its element or
// attribute is missing (and the errors of Value() and ToInteger() when it is
// unreadable). The same member called with kIfAny is the lookup for reads
// whose absence is an answer and never raises: a node member gives an empty
// view when its element is missing (whose members called with kIfAny find
// nothing and whose lists are empty), a value member gives nothing when the
// value is missing or unreadable.

#include "sts/node_list.h"
#include "sts/sts_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tressal::sts::common {

using xml::IfAny;
using xml::kIfAny;
using xml::ToInteger;
using xml::WhenMissing;
using xml::XmlNode;

// --- DONNEES/STRUCTURE ---

struct TXMLENSEIGNANTType : XmlNode {
    using XmlNode::XmlNode;
    static constexpr std::string_view kElement = "ENSEIGNANT";

    std::int32_t ID() const { return AttributeInteger("ID"); }
    std::optional<std::int32_t> ID(IfAny) const { return AttributeIntegerIfAny("ID"); }
};

// Every teacher of a service, co-teachers included.
using TXMLENSEIGNANTSType = ListOf<TXMLENSEIGNANTType>;

struct TXMLSERVICEType : XmlNode {
    using XmlNode::XmlNode;
    static constexpr std::string_view kElement = "SERVICE";

    TXMLENSEIGNANTSType ENSEIGNANTS(WhenMissing m = {}) const { return Node("ENSEIGNANTS", m); }
};

using TXMLSERVICESType = ListOf<TXMLSERVICEType>;

struct TXMLDIVISIONType : XmlNode {
    using XmlNode::XmlNode;
    static constexpr std::string_view kElement = "DIVISION";

    std::string CODE() const { return AttributeText("CODE"); }
    std::optional<std::string> CODE(IfAny) const { return AttributeIfAny("CODE"); }
    TXMLSERVICESType SERVICES(WhenMissing m = {}) const { return Node("SERVICES", m); }
};

using TXMLDIVISIONSType = ListOf<TXMLDIVISIONType>;

struct TXMLSTRUCTUREType : XmlNode {
    using XmlNode::XmlNode;
    TXMLDIVISIONSType DIVISIONS(WhenMissing m = {}) const { return Node("DIVISIONS", m); }
};

// --- DONNEES/INDIVIDUS ---

struct TXMLDISCIPLINEType : XmlNode {
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::optional<std::string> CODE(IfAny) const { return AttributeIfAny("CODE"); }
};

// A group: only the first DISCIPLINE of a person is reachable.
struct TXMLDISCIPLINESType : XmlNode {
    using XmlNode::XmlNode;
    TXMLDISCIPLINEType DISCIPLINE(WhenMissing m = {}) const { return Node("DISCIPLINE", m); }
};

struct TXMLINDIVIDUType : XmlNode {
    using XmlNode::XmlNode;
    static constexpr std::string_view kElement = "INDIVIDU";

    std::int32_t ID() const { return AttributeInteger("ID"); }
    TXMLDISCIPLINESType DISCIPLINES(WhenMissing m = {}) const { return Node("DISCIPLINES", m); }
    std::int32_t CIVILITE() const { return Integer("CIVILITE"); }
    std::optional<std::int32_t> CIVILITE(IfAny) const { return IntegerIfAny("CIVILITE"); }
    std::string NOM_USAGE() const { return Text("NOM_USAGE"); }
    std::string PRENOM() const { return Text("PRENOM"); }
    std::string DATE_NAISSANCE() const { return Text("DATE_NAISSANCE"); }
    std::optional<std::string> DATE_NAISSANCE(IfAny) const { return TextIfAny("DATE_NAISSANCE"); }
};

using TXMLINDIVIDUSType = ListOf<TXMLINDIVIDUType>;

// --- The root ---

struct TXMLDONNEESType : XmlNode {
    using XmlNode::XmlNode;
    TXMLINDIVIDUSType INDIVIDUS(WhenMissing m = {}) const { return Node("INDIVIDUS", m); }
    TXMLSTRUCTUREType STRUCTURE(WhenMissing m = {}) const { return Node("STRUCTURE", m); }
};

struct TXMLSTS_EDTType : XmlNode {
    using XmlNode::XmlNode;
    TXMLDONNEESType DONNEES(WhenMissing m = {}) const { return Node("DONNEES", m); }
};

// The document object: its Root() is the STS_EDT element.
using StsDocument = TypedStsDocument<TXMLSTS_EDTType>;

} // namespace tressal::sts::common
