#pragma once

// STS export model, variant A (Orlane teacher conversions): ENSEIGNANTS is a
// container of every ENSEIGNANT, MEFS_APPARTENANCE shows its first
// MEF_APPARTENANCE only, INDIVIDU has no DISCIPLINES, MEF/SPECIALITE and
// PROGRAMME/CODE_MEF are text.

#include "sts/sts_document.h"
#include "sts/sts_nodes.h"

namespace tressal::sts::a {

using namespace common;

class TXMLMEFType : public detail::MefMembers {
public:
    using MefMembers::MefMembers;
    std::string SPECIALITE() const { return Text("SPECIALITE"); }
};

class TXMLPROGRAMMEType : public detail::ProgrammeMembers {
public:
    using ProgrammeMembers::ProgrammeMembers;
    std::string CODE_MEF() const { return Text("CODE_MEF"); }
};

class TXMLINDIVIDUType : public detail::IndividuMembers {
public:
    using IndividuMembers::IndividuMembers;
};

class TXMLMEFS_APPARTENANCEType : public FirstOf<TXMLMEF_APPARTENANCEType, "MEF_APPARTENANCE"> {
public:
    using FirstOf::FirstOf;
    TXMLMEF_APPARTENANCEType MEF_APPARTENANCE() const { return First(); }
};

using TXMLENSEIGNANTSType = Container<TXMLENSEIGNANTType, "ENSEIGNANT">;

struct Variant {
    using Mef = TXMLMEFType;
    using Programme = TXMLPROGRAMMEType;
    using Individu = TXMLINDIVIDUType;
    using MefsAppartenance = TXMLMEFS_APPARTENANCEType;
    using Enseignants = TXMLENSEIGNANTSType;
};

TRESSAL_STS_VARIANT_NODE_TYPES(Variant)

} // namespace tressal::sts::a
