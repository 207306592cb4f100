#pragma once

// STS export model, variant B (Vesko and PMB teacher conversions): ENSEIGNANTS
// is a group whose ENSEIGNANT() is the first teacher only, MEFS_APPARTENANCE
// is a container, INDIVIDU has DISCIPLINES (whose DISCIPLINE() is the first
// one only), MEF/SPECIALITE and PROGRAMME/CODE_MEF are integers.

#include "sts/sts_document.h"
#include "sts/sts_nodes.h"

namespace tressal::sts::b {

using namespace common;

class TXMLMEFType : public detail::MefMembers {
public:
    using MefMembers::MefMembers;
    std::int32_t SPECIALITE() const { return Integer("SPECIALITE"); }
};

class TXMLPROGRAMMEType : public detail::ProgrammeMembers {
public:
    using ProgrammeMembers::ProgrammeMembers;
    std::int32_t CODE_MEF() const { return Integer("CODE_MEF"); }
};

class TXMLDISCIPLINEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string NB_HEURES() const { return Text("NB_HEURES"); }
};

class TXMLDISCIPLINESType : public FirstOf<TXMLDISCIPLINEType, "DISCIPLINE"> {
public:
    using FirstOf::FirstOf;
    TXMLDISCIPLINEType DISCIPLINE() const { return First(); }
};

class TXMLINDIVIDUType : public detail::IndividuMembers {
public:
    using IndividuMembers::IndividuMembers;
    TXMLDISCIPLINESType DISCIPLINES() const { return ChildAs<TXMLDISCIPLINESType>("DISCIPLINES"); }
};

using TXMLMEFS_APPARTENANCEType = Container<TXMLMEF_APPARTENANCEType, "MEF_APPARTENANCE">;

class TXMLENSEIGNANTSType : public FirstOf<TXMLENSEIGNANTType, "ENSEIGNANT"> {
public:
    using FirstOf::FirstOf;
    // The first teacher of the service: the one the Vesko division lookup uses.
    TXMLENSEIGNANTType ENSEIGNANT() const { return First(); }
    // Every teacher of the service, in document order.
    int CountENSEIGNANT() const { return Count("ENSEIGNANT"); }
    TXMLENSEIGNANTType AllENSEIGNANT(int index) const {
        return ItemAs<TXMLENSEIGNANTType>("ENSEIGNANT", index);
    }
};

struct Variant {
    using Mef = TXMLMEFType;
    using Programme = TXMLPROGRAMMEType;
    using Individu = TXMLINDIVIDUType;
    using MefsAppartenance = TXMLMEFS_APPARTENANCEType;
    using Enseignants = TXMLENSEIGNANTSType;
};

TRESSAL_STS_VARIANT_NODE_TYPES(Variant)

} // namespace tressal::sts::b
